#include "utilities/archives.h"

#include "store/dm.h"
#include "store/error.h"
#include "store/rules.h"

namespace utilities {

namespace {

/// The shared object on a table, found by its name as the catalogue spells it.
store::Table& sharedTable(Tdm& data, const QString& name) {
    for (store::Table* table : data.openOrder())
        if (table->tableName().compare(name, Qt::CaseInsensitive) == 0)
            return *table;
    throw store::Error(QStringLiteral("Tabella %1 non trovata").arg(name));
}

} // namespace

const std::vector<Archive>& archives() {
    static const std::vector<Archive> list{
        {QStringLiteral("tecnici"), {QStringLiteral("tecnici")}},
        {QStringLiteral("misuratori"), {QStringLiteral("ms")}},
        {QStringLiteral("esercizi"), {QStringLiteral("esercizio")}},
        {QStringLiteral("fornitori"), {QStringLiteral("fornitori")}},
        {QStringLiteral("movimenti e misurazioni"),
         {QStringLiteral("misurazioni"), QStringLiteral("MOV"), QStringLiteral("Mov_articoli")}},
        {QStringLiteral("articoli"), {QStringLiteral("articoli")}},
        {QStringLiteral("Contratti"),
         {QStringLiteral("ele_contratti"), QStringLiteral("LINEE_CONTRATTI")}},
    };
    return list;
}

EmptyOutcome emptyArchives(Tdm& data, const QString& yearFolder, const std::vector<bool>& chosen,
                           const std::function<bool(const QString&)>& confirm) {
    data.dmCreate(yearFolder);
    if (!confirm(QStringLiteral("SEI PROPRIO SICURO? NO PER ANNULLARE.")))
        return EmptyOutcome::Declined;
    const std::vector<Archive>& list = archives();
    for (size_t i = 0; i < list.size() && i < chosen.size(); ++i)
        if (chosen[i])
            for (const QString& table : list[i].tables)
                store::rules::emptyTable(sharedTable(data, table));
    reopenSharedTables(data, yearFolder);
    return EmptyOutcome::Emptied;
}

void reopenSharedTables(Tdm& data, const QString& yearFolder) {
    data.dmDestroy();
    data.dmCreate(yearFolder);
}

} // namespace utilities
