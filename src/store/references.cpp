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

std::optional<std::vector<QVariant>> lookupRecord(Table& source, const QString& keyField,
                                                  const QVariant& key,
                                                  const QStringList& resultFields) {
    if (!source.active() || key.isNull() || source.lookup(keyField, key, keyField).isNull())
        return std::nullopt;
    std::vector<QVariant> values;
    for (const QString& field : resultFields)
        values.push_back(source.lookup(keyField, key, field));
    return values;
}

} // namespace store::rules
