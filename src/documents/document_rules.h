#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

class Tdm;

namespace store {
class Table;
}

/// Documents (invoices, transport documents, any type the user defines): their record rules,
/// the documents made from movements to invoice, and the texts they share.
namespace documents {

/// Rounds to the cent: the amount times 100 is rounded to the nearest whole number, a value
/// exactly halfway going to the even neighbour, then divided by 100. The product is taken on
/// the double as it is, so 0.125 gives 0.12 and 2.675 (whose product is exactly 267.5) 2.68.
double roundCent(double amount);

/// A line's amount: price times quantity less the discount percent, rounded to the cent.
double lineAmount(double price, double quantity, double discountPercent);

/// What a line contributes to the totals of its document.
struct LineFigures {
    bool counted = false;    ///< `Xtotale`: the line counts in the totals
    std::optional<int> rate; ///< `Iva_riga`; nothing when blank
    double price = 0;
    double quantity = 0;
    double discount = 0;
};

/// One of the four VAT slots of a document; rate -1 is a free slot.
struct RateSlot {
    int rate = -1;
    double taxable = 0;
    double vat = 0;
};

struct Totals {
    double taxable = 0;
    double vat = 0;
    std::array<RateSlot, 4> rateSlots;
};

/// The totals of a document's lines, in their order: the slots take the distinct rates in the
/// order they first occur (descriptive lines with a rate included); a rate met when the four
/// are taken has no slot but still counts in the totals. A counted line without rate adds to
/// the slot of rate 0, if any.
Totals computeTotals(const std::vector<LineFigures>& lines);

/// The refusal of a counted line whose quantity is zero (its unit amount cannot be worked out).
QString zeroQuantityRefusal();

/// Attaches the document rules to the data module's objects, for every writer: identifiers;
/// a new document stored at once with "N" as paid flag and left in edit mode; the number per
/// type when the type changes; the customer's VAT number and address copied when the customer
/// changes; a counted line's amount and unit amount before it is stored (quantity zero refused
/// with store::Error); the document's totals and rate slots stored after every line stored or
/// deleted; identifiers of the wording lists and payment terms.
void attachDocumentRules(Tdm& dm);

/// Gives `dm.Tabdoc`'s current document (in edit mode) the highest number of its type + 1,
/// through `dm.Tabdoc2`; a document without type is numbered among those without type.
void numberDocument(Tdm& dm);

/// Recomputes and stores the totals of `dm.Tabdoc`'s current document from its lines, then
/// leaves it in edit mode (pending header changes are stored with them).
void recomputeTotals(Tdm& dm);

/// Makes the current record of the type table the only default type; the cursor stays on it.
void setDefaultType(store::Table& types);

} // namespace documents
