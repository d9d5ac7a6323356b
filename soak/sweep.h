#pragma once

#include "store/table.h"

#include <QDate>
#include <QString>
#include <cstdint>
#include <map>
#include <set>
#include <string>

/// The promises of the record rules that hold for a whole working year, checked on its files
/// through table objects of their own and worked out again here, not with the rules' arithmetic.
namespace soak {

/// How many times each invariant was checked, by its name.
using Tally = std::map<std::string, std::uint64_t>;

/// "1".."4" for the quarter of a verification's end date; empty for none.
QString expectedQuarter(const QDate& end);

/// Calls `each` on every record of `table` in `folder` that `filter` (may be empty) shows.
template <class F>
void forEach(const QString& folder, const char* table, const QString& filter, F each) {
    store::Table t(folder, QString::fromLatin1(table));
    t.open();
    if (!filter.isEmpty()) {
        t.setFilter(filter);
        t.setFiltered(true);
    }
    for (t.first(); !t.eof(); t.next())
        each(t);
}

/// The sums of a document's lines, each counted line's amount checked on the way.
struct LineSums {
    double taxable = 0, vat = 0;
    int counted = 0;
    QString badLine;
    void add(store::Table& line);
    /// Empty when the document's stored totals agree with its lines to the cent; else what
    /// differs.
    QString against(store::Table& doc) const;
};

/// Every record of the year folder against the promises: a verification's movement exists and
/// its quarter follows its end date, an article line's movement exists, a document line's
/// document exists, a document's totals are the sums of its lines. Answers "<invariant> <id>"
/// for each record that breaks one.
std::set<QString> brokenRecords(const QString& yearFolder, Tally& checked);

} // namespace soak
