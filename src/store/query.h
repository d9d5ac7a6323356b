#pragma once

#include "store/table.h"

#include <QStringList>

namespace store {

/// A live query: "SELECT * FROM table [WHERE condition] [ORDER BY fields]" over one table of a
/// folder. The condition uses the filter language (field names bare or bracketed). Its rows
/// are a table object's: they can be navigated, filtered, edited and posted.
class Query : public Table {
public:
    Query() = default;
    explicit Query(const QString& folder, TableSet set = TableSet::Year);

    void clearSql() { sql_.clear(); }
    void addSql(const QString& line) { sql_ << line; }
    void setSql(const QString& text) { sql_ = QStringList{text}; }
    QString sql() const { return sql_.join(QLatin1Char('\n')); }
    void setTableSet(TableSet set) { querySet_ = set; }

    /// Parses the statement and opens. Throws store::Error on a statement of another shape.
    void open() override;

private:
    QStringList sql_;
    TableSet querySet_ = TableSet::Year;
};

} // namespace store
