#include "einvoice/additional_data.h"

#include "store/rules.h"

#include <QRegularExpression>
#include <functional>

namespace einvoice {

namespace {

QString ownerCode(Owner owner) {
    switch (owner) {
    case Owner::Customer:
        return QStringLiteral("C");
    case Owner::Workshop:
        return QStringLiteral("S");
    case Owner::Line:
        break;
    }
    return QStringLiteral("L");
}

bool matches(const QString& pattern, const QString& value) {
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(value).hasMatch();
}

const QStringList& taxRegimes() {
    static const QStringList codes{
        QStringLiteral("RF01"), QStringLiteral("RF02"), QStringLiteral("RF04"),
        QStringLiteral("RF05"), QStringLiteral("RF06"), QStringLiteral("RF07"),
        QStringLiteral("RF08"), QStringLiteral("RF09"), QStringLiteral("RF10"),
        QStringLiteral("RF11"), QStringLiteral("RF12"), QStringLiteral("RF13"),
        QStringLiteral("RF14"), QStringLiteral("RF15"), QStringLiteral("RF16"),
        QStringLiteral("RF17"), QStringLiteral("RF18"), QStringLiteral("RF19")};
    return codes;
}

const QStringList& valueFields() {
    static const QStringList fields{QStringLiteral("Codice_dest"),
                                    QStringLiteral("Pec"),
                                    QStringLiteral("Codice_fiscale"),
                                    QStringLiteral("Regime_fiscale"),
                                    QStringLiteral("Natura"),
                                    QStringLiteral("Indirizzo"),
                                    QStringLiteral("Cap"),
                                    QStringLiteral("Comune"),
                                    QStringLiteral("Provincia")};
    return fields;
}

/// What a value of the field must look like, and what to say when it does not.
struct Rule {
    QString field;
    std::function<bool(const QString&)> accepts;
    QString refusal;
};

const std::vector<Rule>& rules() {
    static const std::vector<Rule> all{
        {QStringLiteral("Codice_dest"),
         [](const QString& v) { return matches(QStringLiteral("[A-Z0-9]{7}"), v); },
         QStringLiteral("Il codice destinatario è di 7 lettere o cifre.")},
        {QStringLiteral("Pec"),
         [](const QString& v) {
             return matches(QStringLiteral("[^@\\s]+@[^@\\s]+\\.[^@\\s]+"), v);
         },
         QStringLiteral("La PEC non è un indirizzo di posta valido.")},
        {QStringLiteral("Codice_fiscale"),
         [](const QString& v) { return matches(QStringLiteral("[A-Z0-9]{16}|[0-9]{11}"), v); },
         QStringLiteral("Il codice fiscale è di 16 caratteri (persona) o di 11 cifre (società).")},
        {QStringLiteral("Regime_fiscale"),
         [](const QString& v) { return taxRegimes().contains(v); },
         QStringLiteral("Il regime fiscale è un codice da RF01 a RF19 (RF01: ordinario).")},
        {QStringLiteral("Natura"), [](const QString& v) { return natureCodes().contains(v); },
         QStringLiteral("La natura IVA è uno dei codici %1.")
             .arg(natureCodes().join(QStringLiteral(", ")))},
        {QStringLiteral("Cap"),
         [](const QString& v) { return matches(QStringLiteral("[0-9]{5}"), v); },
         QStringLiteral("Il CAP è di 5 cifre.")},
        {QStringLiteral("Provincia"),
         [](const QString& v) { return matches(QStringLiteral("[A-Z]{2}"), v); },
         QStringLiteral("La provincia è la sigla di 2 lettere.")},
    };
    return all;
}

} // namespace

const std::vector<Box>& customerBoxes() {
    static const std::vector<Box> boxes{
        {QStringLiteral("Codice destinatario"), QStringLiteral("Codice_dest")},
        {QStringLiteral("PEC"), QStringLiteral("Pec")},
        {QStringLiteral("Codice fiscale"), QStringLiteral("Codice_fiscale")}};
    return boxes;
}

const std::vector<Box>& workshopBoxes() {
    static const std::vector<Box> boxes{
        {QStringLiteral("Regime fiscale"), QStringLiteral("Regime_fiscale")},
        {QStringLiteral("Indirizzo sede"), QStringLiteral("Indirizzo")},
        {QStringLiteral("Cap sede"), QStringLiteral("Cap")},
        {QStringLiteral("Comune sede"), QStringLiteral("Comune")},
        {QStringLiteral("Prov. sede"), QStringLiteral("Provincia")},
        {QStringLiteral("Natura righe IVA 0"), QStringLiteral("Natura")}};
    return boxes;
}

QString defaultTaxRegime() {
    return QStringLiteral("RF01");
}

const QStringList& natureCodes() {
    static const QStringList codes{QStringLiteral("N1"), QStringLiteral("N2"), QStringLiteral("N3"),
                                   QStringLiteral("N4"), QStringLiteral("N5"), QStringLiteral("N6"),
                                   QStringLiteral("N7")};
    return codes;
}

QString checkValues(Owner, const Values& values) {
    for (const Rule& rule : rules()) {
        const auto it = values.find(rule.field);
        if (it != values.end() && !it->second.isEmpty() && !rule.accepts(it->second))
            return rule.refusal;
    }
    return {};
}

AdditionalData::AdditionalData(const QString& yearFolder)
    : table_(yearFolder, QStringLiteral("fatt_elettronica")) {
    table_.setIndexName(QStringLiteral("rif_index"));
    table_.open();
}

bool AdditionalData::locate(Owner owner, int id) {
    return table_.locate(QStringLiteral("Tipo;Id_rif"), QVariantList{ownerCode(owner), id});
}

Values AdditionalData::values(Owner owner, int id) {
    Values out;
    const bool found = locate(owner, id);
    for (const QString& field : valueFields())
        out[field] = found ? table_.field(field).asString() : QString();
    return out;
}

void AdditionalData::store(Owner owner, int id, const Values& values) {
    if (locate(owner, id)) {
        table_.edit();
    } else {
        table_.append();
        // Allocated, so that a post meeting another copy's record with it takes a fresh one.
        store::rules::fillIdentifier(table_, QStringLiteral("Id"));
        table_.field(QStringLiteral("Tipo")).setAsString(ownerCode(owner));
        table_.field(QStringLiteral("Id_rif")).setAsInteger(id);
    }
    try {
        for (const auto& [field, value] : values)
            table_.field(field).setAsString(value);
        table_.post();
    } catch (...) {
        table_.cancel();
        throw;
    }
}

void AdditionalData::remove(Owner owner, int id) {
    if (locate(owner, id))
        table_.deleteRecord();
}

int AdditionalData::nextProgressive(int workshopId) {
    return locate(Owner::Workshop, workshopId)
               ? table_.field(QStringLiteral("Progressivo")).asInteger() + 1
               : 1;
}

void AdditionalData::useProgressive(int workshopId, int progressive) {
    store(Owner::Workshop, workshopId,
          {{QStringLiteral("Progressivo"), QString::number(progressive)}});
}

} // namespace einvoice
