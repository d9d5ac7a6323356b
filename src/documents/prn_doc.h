#pragma once

#include "report/engine.h"

#include <QString>

class Tdm;

namespace documents {

/// Pages a document of `lines` lines is expected to take: 25 lines on the first page (which
/// also holds the summary) and 46 on each further one.
int expectedPages(int lines);

/// The shortest decimal text of a value, Italian (3, 2,5): quantities, discounts, rates.
QString plainNumber(double value);

/// The document print: `dm.Tabdoc`'s current document with its lines (`dm.Tablinee_doc`, in
/// index order) and the invoice logo of the settings, A4 portrait. Page header on every page:
/// logo, customer box, type, number, date, VAT number, payment and the column headings; one
/// fixed-height row per line; a footer with the page number and "SEGUE ==>>" on every page
/// but the last expected one; the summary with the four rate rows, the totals, the closing
/// text and the transport block. It writes nothing.
class Tprn_doc {
public:
    explicit Tprn_doc(Tdm& dm);

    report::Layout layout() const;
    report::Document document() const { return report::run(layout()); }

private:
    Tdm& dm_;
};

} // namespace documents
