#include "registry/customer_rules.h"

#include "store/dm.h"
#include "store/error.h"
#include "store/filter.h"
#include "store/query.h"
#include "store/references.h"
#include "store/texts.h"

namespace registry {

namespace {

const QString kId = QStringLiteral("Id_esercizio");

QString text(store::Table& t, const QString& field) {
    return t.field(field).asString();
}

/// The text of `resultField` of the record of `source` whose `keyField` equals `key`; empty
/// when the source is closed or holds none.
QString lookupText(store::Table& source, const QString& keyField, const QVariant& key,
                   const QString& resultField) {
    if (!source.active() || key.isNull())
        return {};
    return source.lookup(keyField, key, resultField).toString();
}

} // namespace

void attachCustomerRules(Tdm& data, store::rules::WarningSink warn) {
    for (store::Table* t : {&data.Tabesercizio, &data.Tab_ese2, &data.tabese3})
        store::rules::attachIdentifierAfterInsert(*t, kId);
    store::rules::attachVatCheck(data.Tabesercizio, QStringLiteral("Piva"), warn);
    store::rules::attachMunicipalityLookup(data.Tabesercizio, QStringLiteral("Comune"),
                                           data.Tabcomuni, QStringLiteral("Provincia"),
                                           QStringLiteral("Cap"), warn);
}

const QStringList& requiredCustomerFields() {
    static const QStringList fields{QStringLiteral("Ragione_sociale"), QStringLiteral("Piva"),
                                    QStringLiteral("Comune"),          QStringLiteral("Provincia"),
                                    QStringLiteral("Indirizzo"),       QStringLiteral("Cap")};
    return fields;
}

int storedCustomersWithVat(store::Table& cEsercizio, const QString& vat) {
    cEsercizio.setFiltered(false);
    cEsercizio.setFilter(store::filterComparison(QStringLiteral("Piva"), vat));
    cEsercizio.setFiltered(true);
    return cEsercizio.recordCount();
}

SaveVerdict checkCustomerSave(Tdm& data, bool inserting, const QString& rememberedVat) {
    store::Table& t = data.Tabesercizio;
    const QString vat = text(t, QStringLiteral("Piva"));
    if (!store::rules::checkVat(vat))
        return {QStringLiteral("Errore Partita Iva"), QStringLiteral("Piva")};
    const int n = storedCustomersWithVat(data.c_esercizio, vat);
    if (n > 0 && (inserting || vat != rememberedVat))
        return {QStringLiteral("Errore Partita Iva esistente. Ditta caricata"),
                QStringLiteral("Piva")};
    for (const QString& field : requiredCustomerFields())
        if (text(t, field).isEmpty())
            return {store::texts::missingValues(), QString()};
    return {};
}

std::optional<QString> customerDeleteRefusal(const Tdm& data, int customerId) {
    if (store::rules::anyRecordWith(data.Tabmov, QStringLiteral("ID_ESERCIZIO"), customerId))
        return QStringLiteral("Eliminazione impossibile. Eliminare prima i movimenti per la "
                              "ditta selezionata.");
    if (store::rules::anyRecordWith(data.Tabcontratti, QStringLiteral("ID_CLIENTE"), customerId))
        return QStringLiteral("Eliminazione impossibile. Eliminare prima i Contratti per la "
                              "ditta selezionata.");
    return std::nullopt;
}

QString searchFieldOf(const QString& entry) {
    return entry.compare(QLatin1String("PIVA"), Qt::CaseInsensitive) == 0
               ? QStringLiteral("Piva")
               : QStringLiteral("Ragione_sociale");
}

bool searchCustomer(store::Table& table, const QString& entry, const QString& text) {
    try {
        if (!table.active() || table.isEmpty())
            return false;
        if (text.isEmpty()) {
            // Every name begins with the empty text: the first one in the current order.
            table.first();
            return true;
        }
        return table.locate(searchFieldOf(entry), text, true);
    } catch (const store::Error&) {
        return false;
    }
}

bool findCustomer(store::Table& table, const QString& entry, const QString& text) {
    try {
        return table.active() && table.locate(searchFieldOf(entry), text, false);
    } catch (const store::Error&) {
        return false;
    }
}

std::optional<CustomerOrder> orderForColumn(const QString& fieldName) {
    const auto is = [&](const char* name) {
        return fieldName.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    if (is("Ragione_sociale"))
        return CustomerOrder{QStringLiteral("rs_index"), QStringLiteral("Ragione_Sociale")};
    if (is("Piva"))
        return CustomerOrder{QStringLiteral("piva_index"), QStringLiteral("PIVA")};
    if (is("Comune"))
        return CustomerOrder{QStringLiteral("comune_index"), QString()};
    if (is("Provincia"))
        return CustomerOrder{QStringLiteral("prov_index"), QString()};
    return std::nullopt;
}

std::optional<CustomerOrder> sortCustomersByColumn(store::Table& table, const QString& fieldName) {
    std::optional<CustomerOrder> order = orderForColumn(fieldName);
    if (!order)
        return std::nullopt;
    try {
        table.setIndexName(order->indexName);
    } catch (const store::Error&) {
        return std::nullopt;
    }
    return order;
}

QString cardMovementsSql(int customerId) {
    return QStringLiteral("select * from mov where id_esercizio='") + QString::number(customerId) +
           QStringLiteral("'") + QStringLiteral(" order by data");
}

QString cardContractsSql(int customerId) {
    return QStringLiteral("select * from ele_contratti where id_cliente='") +
           QString::number(customerId) + QStringLiteral("'") + QStringLiteral(" order by val_al");
}

QString cardContractLinesSql(const QString& contractId) {
    return QStringLiteral("select * from linee_contratti where id_elenco='") + contractId +
           QStringLiteral("'");
}

CustomerCard::CustomerCard(Tdm& data)
    : movements(std::make_unique<store::Query>())
    , contracts(std::make_unique<store::Query>())
    , contractLines(std::make_unique<store::Query>())
    , data_(data) {
    // The calculated columns are declared once; the queries keep them when built again.
    movements->setTableName(QStringLiteral("MOV"));
    movements->addCalculatedField(QStringLiteral("tipomov"), store::FieldType::Text, 70);
    movements->addCalculatedField(QStringLiteral("tipomisuratore"), store::FieldType::Text, 83);
    movements->addCalculatedField(QStringLiteral("tecnico"), store::FieldType::Text, 52);
    movements->on(store::Event::CalcFields, [this](store::Table& q) {
        q.field(QStringLiteral("tipomov"))
            .setValue(lookupText(data_.Tabtipomov, QStringLiteral("Id"),
                                 q.field(QStringLiteral("Id_tipomov")).value(),
                                 QStringLiteral("Descrizione")));
        const QVariant ms = q.field(QStringLiteral("ID_MS")).value();
        if (data_.Tabms.active() && !ms.isNull() &&
            data_.Tabms.lookup(QStringLiteral("Id_ms"), ms, QStringLiteral("Id_ms")).isValid())
            q.field(QStringLiteral("tipomisuratore"))
                .setValue(lookupText(data_.Tabms, QStringLiteral("Id_ms"), ms,
                                     QStringLiteral("Marchio_ms")) +
                          QStringLiteral(" - ") +
                          lookupText(data_.Tabms, QStringLiteral("Id_ms"), ms,
                                     QStringLiteral("Denominazione_ms")));
        q.field(QStringLiteral("tecnico"))
            .setValue(lookupText(data_.Tabtecnico, QStringLiteral("Id_tecnico"),
                                 q.field(QStringLiteral("ID_TECNICO")).value(),
                                 QStringLiteral("Cogn_nome")));
    });
    contracts->setTableName(QStringLiteral("ele_contratti"));
    contracts->addCalculatedField(QStringLiteral("tipocontratto"), store::FieldType::Text, 30);
    contracts->on(store::Event::CalcFields, [this](store::Table& q) {
        q.field(QStringLiteral("tipocontratto"))
            .setValue(lookupText(data_.tab_tipicontratti, QStringLiteral("Id"),
                                 q.field(QStringLiteral("ID_CONTRATTO")).value(),
                                 QStringLiteral("Nome_contratto")));
    });
    contractLines->setTableName(QStringLiteral("LINEE_CONTRATTI"));
}

CustomerCard::~CustomerCard() = default;

void CustomerCard::open(const QString& yearFolder, int customerId) {
    close();
    for (store::Query* q : {movements.get(), contracts.get(), contractLines.get()})
        q->setDatabaseName(yearFolder);
    movements->clearSql();
    movements->addSql(cardMovementsSql(customerId));
    movements->open();
    contracts->clearSql();
    contracts->addSql(cardContractsSql(customerId));
    contracts->open();
    if (contracts->isEmpty())
        return; // an empty identifier would select the lines of no contract at all
    contracts->first();
    contractLines->clearSql();
    contractLines->addSql(cardContractLinesSql(contracts->field(QStringLiteral("ID")).asString()));
    contractLines->open();
}

void CustomerCard::close() {
    for (store::Query* q : {movements.get(), contracts.get(), contractLines.get()})
        q->close();
}

bool locateContractCustomer(Tdm& data) {
    if (!data.Tabcontratti.active() || data.Tabcontratti.isEmpty() || !data.Tabesercizio.active())
        return false;
    const QVariant customer = data.Tabcontratti.field(QStringLiteral("ID_CLIENTE")).value();
    if (customer.isNull())
        return false;
    try {
        return data.Tabesercizio.locate(kId, customer);
    } catch (const store::Error&) {
        return false;
    }
}

} // namespace registry
