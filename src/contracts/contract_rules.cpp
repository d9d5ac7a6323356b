#include "contracts/contract_rules.h"

#include "store/dm.h"
#include "store/error.h"
#include "store/references.h"

namespace contracts {

namespace {

const QString kId = QStringLiteral("ID");
const QString kCustomer = QStringLiteral("ID_CLIENTE");
const QString kType = QStringLiteral("ID_CONTRATTO");
const QString kStart = QStringLiteral("VAL_DAL");
const QString kEnd = QStringLiteral("VAL_AL");
const QString kDuration = QStringLiteral("DURATA");
const QString kDateFormat = QStringLiteral("dd/MM/yyyy");

/// Months added by each duration.
std::optional<int> monthsOf(const QString& duration) {
    static const int months[] = {1, 2, 3, 6, 12, 24};
    const qsizetype at = durations().indexOf(duration);
    if (at < 0)
        return std::nullopt;
    return months[at];
}

void setEnd(store::Table& contracts) {
    const QDate end =
        contractEnd(contracts.field(kStart).asDate(), contracts.field(kDuration).asString());
    if (end.isValid())
        contracts.field(kEnd).setAsDate(end);
}

void attachVatDefault(Tdm& dm) {
    dm.Tabcontratti.on(store::Event::AfterInsert, [&dm](store::Table& contracts) {
        if (!dm.Tabimpostazioni.active() || dm.Tabimpostazioni.isEmpty())
            return;
        const int at = dm.Tabimpostazioni.field(QStringLiteral("Iva_default")).index();
        const QVariant vat = dm.Tabimpostazioni.recordAt(0)[size_t(at)];
        if (!vat.isNull() && contracts.field(QStringLiteral("IVA")).isNull())
            contracts.field(QStringLiteral("IVA")).setValue(vat);
    });
}

/// A date box's text: blank, or a real day/month/year date; anything else is refused.
std::optional<QDate> panelDate(const QString& text) {
    if (QString(text).remove(QLatin1Char('/')).trimmed().isEmpty())
        return std::nullopt;
    const QDate date = QDate::fromString(text.trimmed(), kDateFormat);
    if (!date.isValid())
        throw store::Error(QStringLiteral("Data non valida: %1").arg(text));
    return date;
}

QString quoted(const QString& value) {
    return QLatin1Char('\'') + value + QLatin1Char('\'');
}

} // namespace

const QStringList& durations() {
    static const QStringList list{QStringLiteral("1 MESE"),  QStringLiteral("2 MESI"),
                                  QStringLiteral("3 MESI"),  QStringLiteral("6 MESI"),
                                  QStringLiteral("12 MESI"), QStringLiteral("24 MESI")};
    return list;
}

const QStringList& paymentStates() {
    static const QStringList list{QStringLiteral("PAGATA"), QStringLiteral("NON PAGATA"),
                                  QStringLiteral("ACCONTO")};
    return list;
}

QDate contractEnd(const QDate& start, const QString& duration) {
    const std::optional<int> months = monthsOf(duration);
    if (!start.isValid() || !months)
        return {};
    // addMonths keeps the day, or takes the month's last one when the day is missing there.
    return start.addMonths(*months);
}

void attachContractRules(Tdm& dm, const store::rules::WarningSink& warn) {
    store::rules::attachIdentifierAfterInsert(dm.Tabcontratti, kId);
    attachVatDefault(dm);
    store::rules::attachIdentifierAfterInsert(dm.Tablcontratti, kId);

    store::Table& contracts = dm.Tabcontratti;
    contracts.onFieldChange(kDuration, [&contracts, warn](store::Field duration) {
        if (duration.asString().isEmpty())
            return;
        if (contracts.field(kStart).isNull()) {
            if (warn)
                warn({QStringLiteral("Inserire prima la data di inizio"), &contracts, kStart});
            return;
        }
        setEnd(contracts);
    });
    contracts.onFieldChange(kStart, [&contracts](store::Field) { setEnd(contracts); });
}

std::optional<Refusal> saveRefusal(store::Table& contract, store::Table& lines) {
    const struct {
        const QString& field;
        const char* message;
    } required[] = {
        {kCustomer, "Inserire correttamente l'esercizio."},
        {kType, "Inserire correttamente il tipo di contratto."},
        {kStart, "Inserire correttamente la data di inizio validità del contratto."},
        {kDuration, "Inserire correttamente la durata del contratto."},
    };
    for (const auto& r : required)
        if (contract.field(r.field).asString().isEmpty())
            return Refusal{{QString::fromUtf8(r.message)}, r.field};
    if (lines.isEmpty())
        return Refusal{{QStringLiteral("Inserire l\"articolo oggetto del contratto(griglia in "
                                       "basso a sinistra). Per inserire cliccare sul bottone in "
                                       "basso sopra la griglia di destra."),
                        QString::fromUtf8("Se non compare nulla nella griglia in basso a destra, "
                                          "caricate l\"articolo dal menù impostazioni-> articoli "
                                          "e parco macchine")},
                       {}};
    return std::nullopt;
}

QString addLine(store::Table& contract, store::Table& lines, store::Table& articles) {
    if (!articles.active() || articles.isEmpty())
        return {};
    if (!lines.isEmpty())
        return QStringLiteral("Si puo inserire un solo articolo per singolo contratto");
    lines.append();
    try {
        store::rules::fillIdentifier(lines, kId);
        lines.field(QStringLiteral("ID_ELENCO")).setValue(contract.field(kId).value());
        lines.field(QStringLiteral("Id_ms"))
            .setValue(articles.field(QStringLiteral("Id_ms")).value());
        lines.field(QStringLiteral("MATRICOLA"))
            .setAsString(articles.field(QStringLiteral("Matricola")).asString());
        lines.field(QStringLiteral("DESCRIZIONE"))
            .setAsString(articles.field(QStringLiteral("ms")).asString());
        lines.field(QStringLiteral("Indirizzo"))
            .setAsString(articles.field(QStringLiteral("Indirizzo")).asString());
        lines.post();
    } catch (...) {
        lines.cancel();
        throw;
    }
    return {};
}

void deleteLines(store::Table& lines) {
    while (!lines.isEmpty()) {
        lines.first();
        lines.deleteRecord();
    }
}

void deleteContract(Tdm& dm) {
    store::AtomicWrite scope({&dm.Tabcontratti, &dm.Tablcontratti});
    deleteLines(dm.Tablcontratti);
    dm.Tabcontratti.deleteRecord();
    scope.commit();
}

void abandonContract(Tdm& dm) {
    if (dm.Tabcontratti.state() == store::DataSetState::Insert)
        deleteLines(dm.Tablcontratti);
    dm.Tabcontratti.cancel();
}

QString customerArticlesFilter(const QString& customerId) {
    return QStringLiteral("[Id_esercizio]=") + quoted(customerId);
}

QString filterText(const FilterPanel& panel, store::Table& types, store::Table& customers) {
    QString text;
    if (!panel.type.isEmpty()) {
        const QVariant id =
            types.lookup(QStringLiteral("Nome_contratto"), panel.type, QStringLiteral("Id"));
        if (!id.isNull())
            text = QStringLiteral("([ID_CONTRATTO]=") + quoted(id.toString()) + QStringLiteral(")");
    }
    const std::optional<QDate> from = panelDate(panel.from);
    const std::optional<QDate> to = panelDate(panel.to);
    if (from && to) {
        const QString range = QStringLiteral("[val_al]>=") + quoted(from->toString(kDateFormat)) +
                              QStringLiteral(") and([val_al]<=") +
                              quoted(to->toString(kDateFormat)) + QStringLiteral(")");
        text += (text.isEmpty() ? QStringLiteral("(") : QStringLiteral("and(")) + range;
    }
    if (!panel.customer.isEmpty()) {
        const QVariant id = customers.lookup(QStringLiteral("Ragione_sociale"), panel.customer,
                                             QStringLiteral("Id_esercizio"));
        if (!id.isNull())
            text += (text.isEmpty() ? QStringLiteral("([ID_CLIENTE]=")
                                    : QStringLiteral(" and([ID_CLIENTE]=")) +
                    quoted(id.toString()) + QStringLiteral(")");
    }
    return text;
}

bool applyFilter(store::Table& contracts, const FilterPanel& panel, store::Table& types,
                 store::Table& customers) {
    if (panel.type.isEmpty() && panel.customer.isEmpty() && !panelDate(panel.from) &&
        !panelDate(panel.to)) {
        contracts.setFiltered(false);
        return false;
    }
    const QString text = filterText(panel, types, customers);
    if (!text.isEmpty()) {
        contracts.setFilter(text);
        contracts.setFiltered(true);
    }
    return true;
}

QString statusDots() {
    return QString(60, QLatin1Char('.'));
}

QString customerPhones(Tdm& dm) {
    if (!dm.Tabcontratti.active() || dm.Tabcontratti.isEmpty())
        return statusDots();
    const auto found = store::rules::lookupRecord(
        dm.Tabesercizio, QStringLiteral("Id_esercizio"), dm.Tabcontratti.field(kCustomer).value(),
        {QStringLiteral("Ragione_sociale"), QStringLiteral("Tel1"), QStringLiteral("Tel2"),
         QStringLiteral("Cell1"), QStringLiteral("Cell2"), QStringLiteral("Fax1"),
         QStringLiteral("Fax2")});
    if (!found)
        return statusDots();
    const auto& v = *found;
    return v[0].toString() + QStringLiteral(": t1:") + v[1].toString() + QStringLiteral(" t2:") +
           v[2].toString() + QStringLiteral(" c1:") + v[3].toString() + QStringLiteral(" c2:") +
           v[4].toString() + QStringLiteral("  f1:") + v[5].toString() + QStringLiteral("  f2:") +
           v[6].toString();
}

MachineContract machineContract(store::Table& lines, store::Table& contracts,
                                const QString& serial) {
    const auto line = serial.isEmpty()
                          ? std::nullopt
                          : store::rules::lookupRecord(lines, QStringLiteral("MATRICOLA"), serial,
                                                       {QStringLiteral("MATRICOLA"),
                                                        QStringLiteral("DESCRIZIONE"),
                                                        QStringLiteral("ID_ELENCO")});
    if (!line)
        return {QStringLiteral("NON ESISTE ALCUN CONTRATTO CON QUESTA MATRICOLA"), {}};
    MachineContract result{QStringLiteral("Trovato contratto per la matricola ") +
                               (*line)[0].toString() + QStringLiteral(" descrizione: ") +
                               (*line)[1].toString(),
                           {}};
    const auto contract = store::rules::lookupRecord(contracts, kId, (*line)[2], {kEnd});
    if (contract && !(*contract)[0].isNull())
        result.until = (*contract)[0].toDate().toString(kDateFormat);
    return result;
}

void settleClosing(store::Table& movements, PendingClosing what) {
    if (what == PendingClosing::Discard && movements.state() != store::DataSetState::Browse)
        movements.cancel();
}

} // namespace contracts
