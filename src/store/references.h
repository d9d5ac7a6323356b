#pragma once

#include "store/table.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <vector>

namespace store::rules {

/// True when some stored record of the table has `field` equal to `value`. Reads a fresh
/// cursor on the same folder, table name and table kind as `like`: that object's filter,
/// master link, order and position are neither used nor disturbed, and a record it is still
/// editing does not count. For the reference checks that come before a deletion.
bool anyRecordWith(const Table& like, const QString& field, const QVariant& value);

/// The same on the table `tableName` of `folder`.
bool anyRecordWith(const QString& folder, const QString& tableName, const QString& field,
                   const QVariant& value, TableSet set = TableSet::Year);

/// The values of `resultFields` of the first record of `source` (in its order and filter) whose
/// `keyField` equals `key` (exact, case-sensitive); nothing when there is none or `source` is
/// closed. For the look-ups of record rules on shared objects: the cursor does not move.
std::optional<std::vector<QVariant>> lookupRecord(Table& source, const QString& keyField,
                                                  const QVariant& key,
                                                  const QStringList& resultFields);

} // namespace store::rules
