#include "store/references.h"

namespace store::rules {

bool anyRecordWith(const Table& like, const QString& field, const QVariant& value) {
    return anyRecordWith(like.databaseName(), like.tableName(), field, value, like.tableSet());
}

bool anyRecordWith(const QString& folder, const QString& tableName, const QString& field,
                   const QVariant& value, TableSet set) {
    Table probe(folder, tableName, set);
    probe.open();
    return probe.locate(field, value);
}

} // namespace store::rules
