#include "interchange/verification_tables.h"

#include "store/engine.h"
#include "store/error.h"

namespace interchange {

namespace {

QString withSlashes(const QString& folder) {
    QString path = folder;
    path.replace(u'\\', u'/');
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

void bind(store::Table& t, const char* name, store::TableSet set) {
    t.setTableName(QString::fromLatin1(name), set);
}

} // namespace

QString verificationYearFolder(const QString& folder, const QString& year) {
    return withSlashes(folder) + u'/' + year;
}

QString verificationRegisterFolder(const QString& folder) {
    return withSlashes(folder) + QStringLiteral("/dati");
}

VerificationTables::VerificationTables() {
    bind(misurazioni, "misurazioni", store::TableSet::VerificationYear);
    const std::pair<store::Table*, const char*> registers[] = {
        {&esercizio, "esercizio"},
        {&tecnici, "tecnici"},
        {&ms, "ms"},
        {&comuni, "Comuni"},
        {&sogg, "soggetto_obbligato"},
        {&abilitazioni, "Lsoggetto_obbligato"}};
    for (const auto& [table, name] : registers)
        bind(*table, name, store::TableSet::VerificationRegister);
}

void VerificationTables::open(const QString& folder, const QString& year) {
    close();
    try {
        misurazioni.setDatabaseName(verificationYearFolder(folder, year));
        misurazioni.open();
        for (store::Table* t : all())
            if (t != &misurazioni) {
                t->setDatabaseName(verificationRegisterFolder(folder));
                t->open();
            }
    } catch (const store::Error&) {
        close();
        throw;
    }
}

void VerificationTables::close() {
    for (store::Table* t : all())
        t->close();
}

std::vector<store::Table*> VerificationTables::all() {
    return {&misurazioni, &esercizio, &tecnici, &ms, &comuni, &sogg, &abilitazioni};
}

QString quarterFilter(int quarter) {
    return QStringLiteral("[TRIMESTRE]='%1'").arg(quarter);
}

void replaceRecords(store::Table& source, store::Table& target,
                    std::initializer_list<const char*> fields) {
    target.setFiltered(false);
    target.emptyTable();
    const FieldCopy copy(source, target, fields);
    const store::ReadScope reading(source.file().get());
    source.forEachRecord([&] {
        target.append();
        copy();
        target.post();
    });
}

void cancelPending(const std::vector<store::Table*>& tables) {
    for (store::Table* t : tables)
        if (t->state() == store::DataSetState::Insert || t->state() == store::DataSetState::Edit)
            t->cancel();
}

FieldCopy::FieldCopy(store::Table& from, store::Table& to,
                     std::initializer_list<const char*> fields)
    : from_(from)
    , to_(to) {
    for (const char* name : fields) {
        const QString field = QString::fromLatin1(name);
        positions_.emplace_back(from.field(field).index(), to.field(field).index());
    }
}

void FieldCopy::operator()() const {
    for (const auto& [source, target] : positions_)
        to_.field(target).setValue(from_.field(source).value());
}

} // namespace interchange
