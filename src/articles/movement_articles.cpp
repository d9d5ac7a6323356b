#include "articles/movement_articles.h"

#include "store/dm.h"
#include "store/error.h"
#include "store/query.h"
#include "store/references.h"
#include "store/rules.h"

#include <QStringList>

namespace articles {

namespace {

QString S(const char* text) {
    return QString::fromLatin1(text);
}

bool editing(const store::Table& t) {
    return t.state() == store::DataSetState::Edit || t.state() == store::DataSetState::Insert;
}

/// Runs `writes` on the tables as one all-or-nothing write; on a failure the pending edits are
/// dropped, so what the objects show is what the files hold.
template <class Writes> void together(std::vector<store::Table*> tables, Writes&& writes) {
    store::AtomicWrite scope(tables);
    try {
        writes();
        scope.commit();
    } catch (...) {
        for (store::Table* t : tables)
            if (editing(*t))
                t->cancel();
        throw;
    }
}

void addQuantity(store::Table& t, int n) {
    t.edit();
    t.field(S("Qta")).setAsInteger(t.field(S("Qta")).asInteger() + n);
    t.post();
}

/// The movement's machine fields and the article fields they come from.
const std::pair<const char*, const char*> kAddress[] = {
    {"Piva", "Piva"}, {"INDIRIZZO", "Indirizzo"}, {"PROVINCIA", "Provincia"}, {"COMUNE", "Comune"},
    {"CAP", "Cap"},
};

struct PreviousMachine {
    bool fromWarehouse;
    QString matricola;
};

PreviousMachine previousMachine(store::Table& movement) {
    return {movement.field(S("Dal_magazzino_sn")).asBoolean(),
            movement.field(S("MATRICOLA_MS")).asString()};
}

void copyMachine(store::Table& movement, store::Table& machine, bool fromWarehouse) {
    movement.field(S("ID_MS")).setValue(machine.field(S("Id_ms")).value());
    movement.field(S("MATRICOLA_MS")).setValue(machine.field(S("Matricola")).value());
    for (const auto& [to, from] : kAddress)
        movement.field(S(to)).setValue(machine.field(S(from)).value());
    movement.field(S("Dal_magazzino_sn")).setAsBoolean(fromWarehouse);
}

void giveBack(Tdm& data, const PreviousMachine& previous) {
    if (!previous.fromWarehouse)
        return;
    data.Tabarticoli.setFiltered(false);
    returnToWarehouse(data, previous.matricola, Address::Keep);
}

} // namespace

QString warehouseFilter() {
    return S("[Giacenza_sn]='true' and [Matricola]=''");
}

void showWarehouse(store::Table& articles) {
    articles.setFiltered(false);
    articles.setFilter(warehouseFilter());
    articles.setFiltered(true);
}

int quantityOf(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? n : 1;
}

LineOutcome addToMovement(store::Table& warehouse, store::Table& lines, int n) {
    if (!warehouse.active() || warehouse.isEmpty())
        return {S("nulla da aggiungere")};
    together({&warehouse, &lines}, [&] {
        addQuantity(warehouse, -n);
        const auto copy = [&](const char* field) {
            lines.field(S(field)).setValue(warehouse.field(S(field)).value());
        };
        const QString description = warehouse.field(S("Descrizione")).asString();
        if (!lines.isEmpty() && lines.locate(S("Descrizione"), description)) {
            lines.edit();
            for (const char* field : {"Descrizione", "Prezzo_vend", "Iva"})
                copy(field);
            lines.field(S("Qta")).setAsInteger(lines.field(S("Qta")).asInteger() + n);
        } else {
            lines.append();
            store::rules::fillIdentifier(lines, S("Id"));
            for (const char* field : {"Descrizione", "Barcode", "Prezzo_vend", "Iva"})
                copy(field);
            lines.field(S("Qta")).setAsInteger(n);
        }
        lines.post();
    });
    return {};
}

LineOutcome removeFromMovement(store::Table& warehouse, store::Table& lines, int n) {
    if (!lines.active() || lines.isEmpty())
        return {S("nulla da rimuovere")};
    if (!warehouse.active() ||
        !warehouse.locate(S("Descrizione"), lines.field(S("Descrizione")).value()))
        return {S("Articolo non trovato in magazzino")};
    together({&warehouse, &lines}, [&] {
        addQuantity(warehouse, n);
        addQuantity(lines, -n);
        if (lines.field(S("Qta")).asInteger() == 0)
            lines.deleteRecord();
    });
    return {};
}

std::optional<QString> articlesPageRefusal(store::Table& movements) {
    if (movements.active() && !movements.isEmpty() && !movements.field(S("ID_ESERCIZIO")).isNull())
        return std::nullopt;
    return QStringLiteral("Il movimento associato è senza esercizio selezionato. Andare in "
                          "modifica movimento");
}

PickFor pickForType(const QString& movementType) {
    return movementType == S("INTERVENTO") || movementType == S("RIPARAZIONE")
               ? PickFor::CustomerMachines
               : PickFor::WarehouseMachines;
}

MachineLists::MachineLists(Tdm& data, int customerId)
    : Query1(std::make_unique<store::Query>(data.Tabarticoli.databaseName()))
    , Qart(std::make_unique<store::Query>(data.Tabarticoli.databaseName())) {
    Query1->setTableName(S("articoli"));
    Query1->addSql(S("SELECT * FROM articoli "));
    Query1->addSql(S("WHERE (ID_ESERCIZIO='") + QString::number(customerId) + S("'") + S(")"));
    Query1->addLookupField(S("ms"), 80, S("Id_ms"), &data.Tabms, S("Id_ms"), S("Denominazione_ms"));
    Query1->open();

    Qart->setTableName(S("articoli"));
    Qart->addSql(S("SELECT * FROM articoli "));
    Qart->addSql(S("WHERE (giacenza_sn='true')"));
    Qart->addSql(S("and (matricola<>'')"));
    Qart->addCalculatedField(S("denom_ms"), store::FieldType::Text, 50);
    Qart->addCalculatedField(S("marchio_ms"), store::FieldType::Text, 40);
    Qart->on(store::Event::CalcFields, [&data](store::Table& q) {
        try {
            const auto model =
                store::rules::lookupRecord(data.Tabms, S("Id_ms"), q.field(S("Id_ms")).value(),
                                           {S("Denominazione_ms"), S("Marchio_ms")});
            if (model) {
                q.field(S("denom_ms")).setValue((*model)[0].toString().left(50));
                q.field(S("marchio_ms")).setValue((*model)[1].toString().left(40));
            }
        } catch (const store::Error&) {
            // A model that cannot be read leaves the names empty.
        }
    });
    Qart->open();
}

MachineLists::~MachineLists() = default;

PickOutcome chooseCustomerMachine(Tdm& data, store::Table& customerMachines) {
    if (!customerMachines.active() || customerMachines.isEmpty())
        return PickOutcome::NothingChosen;
    store::Table& movement = data.Tabmov;
    const PreviousMachine previous = previousMachine(movement);
    copyMachine(movement, customerMachines, false);
    data.Tabarticoli.setFiltered(false);
    giveBack(data, previous);
    return PickOutcome::Chosen;
}

PickOutcome chooseWarehouseMachine(Tdm& data, store::Table& warehouseMachines) {
    if (!warehouseMachines.active() || warehouseMachines.isEmpty())
        return PickOutcome::NothingChosen;
    store::Table& movement = data.Tabmov;
    const QVariant customerId = movement.field(S("ID_ESERCIZIO")).value();
    const auto customer = store::rules::lookupRecord(
        data.Tabesercizio, S("Id_esercizio"), customerId,
        {S("Piva"), S("Indirizzo"), S("Provincia"), S("Comune"), S("Cap")});
    // Checked before anything moves: a machine must never pass to a customer the store lacks.
    if (!customer)
        return PickOutcome::CustomerMissing;

    const PreviousMachine previous = previousMachine(movement);
    const QString chosen = warehouseMachines.field(S("Matricola")).asString();
    copyMachine(movement, warehouseMachines, true);
    if (previous.matricola != chosen)
        giveBack(data, previous);
    for (size_t i = 0; i < std::size(kAddress); ++i) {
        const store::Field f = movement.field(S(kAddress[i].first));
        if (f.asString().isEmpty())
            f.setValue((*customer)[i]);
    }
    // The live list may have been read before the previous machine went back.
    warehouseMachines.locate(S("Matricola"), chosen);
    warehouseMachines.edit();
    warehouseMachines.field(S("Id_esercizio")).setValue(customerId);
    warehouseMachines.field(S("Giacenza_sn")).setAsBoolean(false);
    warehouseMachines.post();
    return PickOutcome::Chosen;
}

bool returnToWarehouse(Tdm& data, const QString& matricola, Address address) {
    store::Table all(data.Tabarticoli.databaseName(), S("articoli"));
    all.open();
    return returnToWarehouse(all, matricola, address);
}

bool returnToWarehouse(store::Table& articles, const QString& matricola, Address address) {
    if (matricola.isEmpty() || !articles.locate(S("Matricola"), matricola))
        return false;
    articles.edit();
    articles.field(S("Id_esercizio")).clear();
    articles.field(S("Giacenza_sn")).setAsBoolean(true);
    if (address == Address::Clear)
        for (const char* field : {"Piva", "Indirizzo", "Comune", "Provincia", "Cap"})
            articles.field(S(field)).clear();
    articles.post();
    return true;
}

QString missingCustomerMessage() {
    return S("Comunicare alla kesasoft . errore 1345");
}

} // namespace articles
