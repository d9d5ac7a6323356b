#include "movements/verification_rules.h"

#include "store/dm.h"
#include "store/references.h"

#include <array>
#include <memory>

namespace movements {

namespace {

const QString kId = QStringLiteral("ID_MISURAZIONI");

QString text(store::Table& t, const QString& field) {
    return t.field(field).asString();
}

bool editing(const store::Table& t) {
    return t.state() == store::DataSetState::Insert || t.state() == store::DataSetState::Edit;
}

/// The code of a value-list entry ("5=Verifica Annuale" → "5").
QString codeOf(const QString& entry) {
    return entry.section(u'=', 0, 0);
}

bool isCodeOf(const QStringList& entries, const QString& value) {
    for (const QString& entry : entries)
        if (codeOf(entry) == value)
            return true;
    return false;
}

/// `resultField` of the record of `source` whose `keyField` equals `key`; empty when none.
QString lookedUp(store::Table& source, const QString& keyField, const QVariant& key,
                 const QString& resultField) {
    const auto found = store::rules::lookupRecord(source, keyField, key, {resultField});
    return found ? found->front().toString() : QString();
}

void showKindText(store::Table& t) {
    t.field(QStringLiteral("tipo_int"))
        .setAsString(interventionKindText(text(t, QStringLiteral("TIPO_INTERVENTO"))));
}

} // namespace

void attachVerificationRules(Tdm& data, store::rules::WarningSink warn) {
    store::Table& t = data.Tabmisurazioni;
    t.addCalculatedField(QStringLiteral("tipo_int"), store::FieldType::Text, 120);
    t.addLookupField(QStringLiteral("marchio_ms"), 100, QStringLiteral("ID_MS"), &data.Tabms,
                     QStringLiteral("Id_ms"), QStringLiteral("Marchio_ms"));
    t.addLookupField(QStringLiteral("logotipo_ms"), 10, QStringLiteral("ID_MS"), &data.Tabms,
                     QStringLiteral("Id_ms"), QStringLiteral("Logotipo_ms"));
    t.addLookupField(QStringLiteral("sigillo_tecnico"), 100, QStringLiteral("ID_TECNICO"),
                     &data.Tabtecnico, QStringLiteral("Id_tecnico"),
                     QStringLiteral("Cogn_no_sigillo"));
    t.on(store::Event::CalcFields, showKindText);
    // A choice made on the page shows its text at once, not only when the record is read.
    t.onFieldChange(QStringLiteral("TIPO_INTERVENTO"),
                    [](store::Field f) { showKindText(f.table()); });

    // The identifier the movement being entered was given, so that it follows the verification
    // when its post has to take a fresh one (another copy of the program took it first).
    auto given = std::make_shared<QVariant>();
    t.on(store::Event::AfterInsert, [&data, given](store::Table& v) {
        *given = QVariant();
        store::rules::fillIdentifier(v, kId);
        // The movement keeps the first verification added while it is itself being entered;
        // a movement only shown in a list is not changed.
        store::Table& movement = data.Tabmov;
        if (editing(movement) && movement.field(kId).isNull()) {
            movement.field(kId).setValue(v.field(kId).value());
            *given = movement.field(kId).value();
        }
    });
    t.onFieldChange(kId, [&data, given](store::Field f) {
        store::Table& movement = data.Tabmov;
        if (given->isNull() || !editing(movement) || movement.field(kId).value() != *given)
            return;
        movement.field(kId).setValue(f.value());
        *given = f.value();
    });
    t.on(store::Event::AfterPost, [given](store::Table&) { *given = QVariant(); });
    t.onFieldChange(QStringLiteral("DATA_FINE"), [](store::Field f) {
        f.table().field(QStringLiteral("TRIMESTRE")).setAsString(quarterOf(f.asDate()));
    });
    store::rules::attachVatCheck(t, QStringLiteral("PIVA"), std::move(warn));
}

QString quarterOf(const QDate& date) {
    if (!date.isValid())
        return {};
    return QString::number((date.month() - 1) / 3 + 1);
}

const QStringList& interventionKinds() {
    static const QStringList entries{
        QStringLiteral("1=Nuova Istallazione"), QStringLiteral("2=Dismissione"),
        QStringLiteral("3=Defiscalizzazione"), QStringLiteral("4=Cessione"),
        QStringLiteral("5=Verifica Annuale")};
    return entries;
}

const QStringList& outcomes() {
    static const QStringList entries{QStringLiteral("0=Esito Positivo"),
                                     QStringLiteral("1=Esito Negativo")};
    return entries;
}

QString interventionKindText(const QString& code) {
    for (const QString& entry : interventionKinds())
        if (codeOf(entry) == code)
            return entry.section(u'=', 1);
    return {};
}

std::optional<QString> newVerificationRefusal(Tdm& data) {
    store::Table& movement = data.Tabmov;
    if (!movement.active() || movement.field(QStringLiteral("ID_ESERCIZIO")).isNull())
        return QStringLiteral("Il movimwento associato è senza esercizio selezionato. Andare in "
                              "modifica movimento");
    return std::nullopt;
}

std::optional<QString> modifyVerificationRefusal(Tdm& data) {
    store::Table& t = data.Tabmisurazioni;
    if (!t.active() || t.isEmpty())
        return QStringLiteral("nulla da modificare");
    return std::nullopt;
}

void appendVerification(Tdm& data) {
    store::Table& movement = data.Tabmov;
    store::Table& t = data.Tabmisurazioni;
    const QVariant customer = movement.field(QStringLiteral("ID_ESERCIZIO")).value();
    t.append();
    t.field(QStringLiteral("ID_ESERCIZIO")).setValue(customer);

    // The address of the shop comes from its customer record, not from the movement.
    const std::array<std::pair<const char*, const char*>, 5> address{{{"INDIRIZZO", "Indirizzo"},
                                                                      {"PIVA", "Piva"},
                                                                      {"CAP", "Cap"},
                                                                      {"COMUNE", "Comune"},
                                                                      {"PROVINCIA", "Provincia"}}};
    QStringList sourceFields;
    for (const auto& [to, from] : address)
        sourceFields << QString::fromLatin1(from);
    const auto found = store::rules::lookupRecord(data.Tabesercizio, QStringLiteral("Id_esercizio"),
                                                  customer, sourceFields);
    for (size_t i = 0; i < address.size(); ++i)
        t.field(QString::fromLatin1(address[i].first)).setValue(found ? (*found)[i] : QVariant());

    for (const char* field : {"MATRICOLA_MS", "ID_MS"})
        t.field(QString::fromLatin1(field))
            .setValue(movement.field(QString::fromLatin1(field)).value());
    const QVariant technician = movement.field(QStringLiteral("ID_TECNICO")).value();
    const auto qualified = store::rules::lookupRecord(data.Tabtecnico, QStringLiteral("Id_tecnico"),
                                                      technician, {QStringLiteral("Vf_sn")});
    if (qualified && qualified->front().toBool())
        t.field(QStringLiteral("ID_TECNICO")).setValue(technician);
    t.field(QStringLiteral("Id_mov")).setValue(movement.field(QStringLiteral("Id")).value());
}

QString verificationCustomerName(Tdm& data) {
    return lookedUp(data.Tabesercizio, QStringLiteral("Id_esercizio"),
                    data.Tabmisurazioni.field(QStringLiteral("ID_ESERCIZIO")).value(),
                    QStringLiteral("Ragione_sociale"));
}

registry::SaveVerdict checkVerificationSave(Tdm& data) {
    store::Table& t = data.Tabmisurazioni;
    const auto empty = [&t](const char* field) {
        return text(t, QString::fromLatin1(field)).isEmpty();
    };
    const auto verdict = [](const char* message, const char* field) {
        return registry::SaveVerdict{QString::fromUtf8(message), QString::fromLatin1(field)};
    };

    const char* customerData = "Inserire correttamente i dati dell\"Esercizio.";
    if (verificationCustomerName(data).isEmpty())
        return verdict(customerData, "");
    // The province comes with the municipality: its box is read-only, the municipality's not.
    using Box = std::pair<const char*, const char*>; // the field and the box that shows it
    for (const auto& [field, box] : std::array<Box, 4>{{{"PIVA", "PIVA"},
                                                        {"COMUNE", "COMUNE"},
                                                        {"PROVINCIA", "COMUNE"},
                                                        {"INDIRIZZO", "INDIRIZZO"}}})
        if (empty(field))
            return verdict(customerData, box);

    if (lookedUp(data.Tabtecnico, QStringLiteral("Id_tecnico"),
                 t.field(QStringLiteral("ID_TECNICO")).value(), QStringLiteral("Cogn_nome"))
            .isEmpty())
        return verdict("Inserire correttamente i dati del Tecnico.", "ID_TECNICO");
    if (lookedUp(data.Tabms, QStringLiteral("Id_ms"), t.field(QStringLiteral("ID_MS")).value(),
                 QStringLiteral("Denominazione_ms"))
            .isEmpty())
        return verdict("Inserire correttamente i dati del misuratore.", "ID_MS");
    if (empty("MATRICOLA_MS"))
        return verdict("Inserire la matricola del misuratore.", "MATRICOLA_MS");
    if (!isCodeOf(interventionKinds(), text(t, QStringLiteral("TIPO_INTERVENTO"))))
        return verdict("Inserire il tipo di intervento sul misuratore.", "TIPO_INTERVENTO");
    if (t.field(QStringLiteral("DATA_INI")).isNull())
        return verdict("Inserire la data di inizio.", "DATA_INI");
    if (t.field(QStringLiteral("DATA_FINE")).isNull())
        return verdict("Inserire la data di fine.", "DATA_FINE");
    if (!isCodeOf(outcomes(), text(t, QStringLiteral("ESITO"))))
        return verdict("Inserire esito intervento.", "ESITO");
    return {};
}

std::optional<QString> applyVerificationMunicipality(Tdm& data) {
    store::Table& t = data.Tabmisurazioni;
    if (!editing(t))
        return std::nullopt;
    const QString name = text(t, QStringLiteral("COMUNE"));
    const auto found =
        name.isEmpty()
            ? std::nullopt
            : store::rules::lookupRecord(data.Tabcomuni, QStringLiteral("COMUNE"), name,
                                         {QStringLiteral("PROVINCIAI"), QStringLiteral("CAP")});
    t.field(QStringLiteral("PROVINCIA")).setValue(found ? (*found)[0] : QVariant());
    t.field(QStringLiteral("CAP")).setValue(found ? (*found)[1] : QVariant());
    if (found)
        return std::nullopt;
    return QStringLiteral("comune errato");
}

bool movementHasVerifications(const Tdm& data, int movementId) {
    return store::rules::anyRecordWith(data.Tabmisurazioni, QStringLiteral("Id_mov"), movementId);
}

} // namespace movements
