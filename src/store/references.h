#pragma once

#include "store/table.h"

#include <QString>
#include <QVariant>

namespace store::rules {

/// True when some stored record of the table has `field` equal to `value`. Reads a fresh
/// cursor on the same folder, table name and table kind as `like`: that object's filter,
/// master link, order and position are neither used nor disturbed, and a record it is still
/// editing does not count. For the reference checks that come before a deletion.
bool anyRecordWith(const Table& like, const QString& field, const QVariant& value);

/// The same on the table `tableName` of `folder`.
bool anyRecordWith(const QString& folder, const QString& tableName, const QString& field,
                   const QVariant& value, TableSet set = TableSet::Year);

} // namespace store::rules
