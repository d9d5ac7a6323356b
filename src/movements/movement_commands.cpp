#include "movements/movement_commands.h"

#include "articles/movement_articles.h"

#include "movements/movement_rules.h"
#include "store/dm.h"
#include "store/error.h"
#include "store/filter.h"

#include <QDateTime>

namespace movements {

namespace {

/// A table object of its own on a year table, so that no shared cursor or filter moves.
class Own : public store::Table {
public:
    Own(const Tdm& dm, const char* table, const QString& filter = {})
        : store::Table(dm.Tabmov.databaseName(), QString::fromLatin1(table)) {
        open();
        if (!filter.isEmpty()) {
            setFilter(filter);
            setFiltered(true);
        }
    }
};

void deleteAll(store::Table& t) {
    t.first();
    while (!t.isEmpty())
        t.deleteRecord();
}

void setFields(store::Table& target,
               std::initializer_list<std::pair<const char*, QVariant>> values) {
    for (const auto& [field, value] : values)
        target.field(QString::fromLatin1(field)).setValue(value);
}

} // namespace

void newMovement(Tdm& dm, std::optional<int> kind) {
    store::Table& mov = dm.Tabmov;
    mov.append();
    const QDateTime now = QDateTime::currentDateTime();
    setFields(mov, {{"Data", now.date()},
                    {"Ora", QTime(now.time().hour(), now.time().minute())},
                    {"Dal_magazzino_sn", false}});
    if (kind)
        mov.field(QStringLiteral("Id_tipomov")).setAsInteger(*kind);
}

void newContractVisit(Tdm& dm) {
    const std::optional<int> kind = kindId(dm, kindIntervention);
    if (!kind)
        throw store::Error(
            QStringLiteral("Tipo movimento \"%1\" non trovato.").arg(kindIntervention));
    newMovement(dm, kind);
    store::Table& line = dm.Tablcontratti;
    const auto from = [&line](const char* field) {
        return line.field(QString::fromLatin1(field)).value();
    };
    setFields(dm.Tabmov,
              {{"ID_ESERCIZIO", dm.Tabcontratti.field(QStringLiteral("ID_CLIENTE")).value()},
               {"ID_MS", from("Id_ms")},
               {"MATRICOLA_MS", from("MATRICOLA")},
               {"INDIRIZZO", from("Indirizzo")},
               {"CAP", from("Cap")},
               {"COMUNE", from("Comune")},
               {"PROVINCIA", from("PROVINCIA")},
               {"Piva", from("Piva")}});
}

void deleteMovement(Tdm& dm) {
    store::Table& mov = dm.Tabmov;
    const QString id = mov.field(QStringLiteral("Id")).asString();
    const QString mine = store::filterComparison(QStringLiteral("Id_mov"), id);
    Own verifications(dm, "misurazioni", mine);
    Own lines(dm, "Mov_articoli", mine);
    Own articles(dm, "articoli");
    store::AtomicWrite all({&verifications, &lines, &articles, &mov});
    deleteAll(verifications);
    deleteAll(lines);
    if (mov.field(QStringLiteral("Dal_magazzino_sn")).asBoolean())
        articles::returnToWarehouse(articles, mov.field(QStringLiteral("MATRICOLA_MS")).asString(),
                                    articles::Address::Keep);
    mov.deleteRecord();
    all.commit();
}

bool machineTakenByThisEntry(Tdm& dm) {
    store::Table& mov = dm.Tabmov;
    if (!mov.field(QStringLiteral("Dal_magazzino_sn")).asBoolean())
        return false;
    if (mov.state() != store::DataSetState::Edit)
        return true;
    Own stored(dm, "MOV");
    const QVariant id = mov.field(QStringLiteral("Id")).value();
    const bool hadIt =
        stored.lookup(QStringLiteral("Id"), id, QStringLiteral("Dal_magazzino_sn")).toBool();
    const QString serial =
        stored.lookup(QStringLiteral("Id"), id, QStringLiteral("MATRICOLA_MS")).toString();
    return !(hadIt && serial == mov.field(QStringLiteral("MATRICOLA_MS")).asString());
}

} // namespace movements
