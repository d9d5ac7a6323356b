#include "einvoice/invoice_content.h"

#include "einvoice/additional_data.h"
#include "store/dm.h"
#include "store/filter.h"
#include "store/rules.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <set>

namespace einvoice {

namespace {

const QString properties = QStringLiteral("Proprietà Doc...");
const QString subjectScreen = QStringLiteral("Soggetto obbligato, Modifica");
const QString customerScreen = QStringLiteral("Elenco Esercizi, Modifica");

qint64 cents(double amount) {
    return qRound64(amount * 100.0);
}

[[noreturn]] void refuse(const QString& message) {
    throw Refused{message};
}

QString textOf(store::Table& t, const char* field) {
    return t.field(QString::fromLatin1(field)).asString().trimmed();
}

/// The first record of `table` in `folder` whose `key` equals `value`, on a cursor of its own.
struct Record {
    store::Table table;
    bool found = false;
    Record(const QString& folder, const char* name, const char* key, const QVariant& value)
        : table(folder, QString::fromLatin1(name)) {
        table.open();
        found = key ? table.locate(QString::fromLatin1(key), value) : !table.isEmpty();
    }
};

bool isInvoiceType(const QString& description) {
    return description.contains(QStringLiteral("FATTURA"), Qt::CaseInsensitive);
}

void checkDocumentType(const QString& folder, store::Table& doc) {
    if (doc.field(QStringLiteral("Id_tipodoc")).isNull())
        refuse(QStringLiteral("Il documento non ha un tipo: sceglierlo in %1 (\"Tipo Doc.:\").")
                   .arg(properties));
    Record type(folder, "tipo_doc", "Id", doc.field(QStringLiteral("Id_tipodoc")).value());
    const QString description = type.found ? textOf(type.table, "Descrizione") : QString();
    if (!isInvoiceType(description))
        refuse(QStringLiteral("Il documento è di tipo \"%1\": solo le fatture diventano fattura "
                              "elettronica.")
                   .arg(description));
}

Party workshopOf(Record& subject, const Values& extra) {
    if (!subject.found)
        refuse(QStringLiteral("Mancano i dati dell'azienda: inserirli in %1.").arg(subjectScreen));
    store::Table& s = subject.table;
    Party p;
    p.vat = textOf(s, "Piva");
    if (p.vat.isEmpty())
        refuse(QStringLiteral("Manca la partita IVA dell'azienda: inserirla in %1 (\"Piva\").")
                   .arg(subjectScreen));
    if (!store::rules::checkVat(p.vat))
        refuse(QStringLiteral("La partita IVA dell'azienda \"%1\" non è valida: correggerla in "
                              "%2 (\"Piva\").")
                   .arg(p.vat, subjectScreen));
    if (textOf(s, "PG_PF") == QLatin1String("1")) {
        p.firstName = textOf(s, "PF_nome");
        p.lastName = textOf(s, "PF_cognome");
    } else {
        p.name = textOf(s, "PG_denominazione");
    }
    if (p.name.isEmpty() && (p.firstName.isEmpty() || p.lastName.isEmpty()))
        refuse(QStringLiteral("Manca la denominazione (o il cognome e il nome) dell'azienda: "
                              "inserirla in %1.")
                   .arg(subjectScreen));
    p.address = extra.at(QStringLiteral("Indirizzo"));
    p.postcode = extra.at(QStringLiteral("Cap"));
    p.municipality = extra.at(QStringLiteral("Comune"));
    p.province = extra.at(QStringLiteral("Provincia"));
    if (p.municipality.isEmpty() && !p.name.isEmpty()) {
        p.municipality = textOf(s, "PG_comune_fiscale");
        p.province = textOf(s, "PG_prov_fiscale");
    }
    if (p.address.isEmpty() || p.postcode.isEmpty() || p.municipality.isEmpty())
        refuse(QStringLiteral("Mancano l'indirizzo, il CAP o il comune della sede dell'azienda: "
                              "inserirli in %1 (\"Indirizzo sede\", \"Cap sede\", \"Comune "
                              "sede\").")
                   .arg(subjectScreen));
    return p;
}

Party customerOf(const QString& folder, store::Table& doc, const Values& extra) {
    Record customer(folder, "esercizio", "Id_esercizio",
                    doc.field(QStringLiteral("Id_cliente")).value());
    if (doc.field(QStringLiteral("Id_cliente")).isNull() || !customer.found)
        refuse(QStringLiteral("Il documento non ha un cliente: sceglierlo in %1 (\"Rag. "
                              "Sociale:\").")
                   .arg(properties));
    Party p;
    p.name = textOf(customer.table, "Ragione_sociale");
    const QString id = textOf(doc, "Piva").toUpper();
    if (QRegularExpression(QStringLiteral("^[0-9]{11}$")).match(id).hasMatch())
        p.vat = id;
    else if (QRegularExpression(QStringLiteral("^[A-Z0-9]{16}$")).match(id).hasMatch())
        p.fiscalCode = id;
    if (const QString code = extra.at(QStringLiteral("Codice_fiscale")); !code.isEmpty())
        p.fiscalCode = code;
    if (p.vat.isEmpty() && p.fiscalCode.isEmpty())
        refuse(QStringLiteral("Il cliente \"%1\" non ha né partita IVA né codice fiscale: "
                              "inserire la partita IVA in %2 (\"Piva:\") o il codice fiscale "
                              "in %3 (\"Codice fiscale\").")
                   .arg(p.name, properties, customerScreen));
    p.address = textOf(doc, "Indirizzo");
    p.postcode = textOf(doc, "Cap");
    p.municipality = textOf(doc, "Comune");
    p.province = textOf(doc, "Provincia").toUpper();
    if (p.address.isEmpty() || p.postcode.isEmpty() || p.municipality.isEmpty())
        refuse(QStringLiteral("Mancano l'indirizzo, il CAP o il comune del cliente nel "
                              "documento: inserirli in %1 (\"Indirizzo\", \"Cap\", \"Comune\").")
                   .arg(properties));
    return p;
}

std::vector<InvoiceLine> linesOf(const QString& folder, int documentId, AdditionalData& extra,
                                 const QString& defaultNature) {
    store::Table t(folder, QStringLiteral("linee_doc"));
    t.setIndexName(QStringLiteral("doc_index"));
    t.setFilter(store::filterComparison(QStringLiteral("Id_doc"), QString::number(documentId)));
    t.setFiltered(true);
    t.open();
    std::vector<InvoiceLine> lines;
    for (t.first(); !t.eof(); t.next()) {
        InvoiceLine l;
        l.position = int(lines.size()) + 1;
        l.counted = t.field(QStringLiteral("Xtotale")).asBoolean();
        l.text = textOf(t, "Linea");
        l.unit = textOf(t, "UM");
        l.quantity = t.field(QStringLiteral("Quantita")).asFloat();
        l.price = t.field(QStringLiteral("PrezzoE")).asFloat();
        l.discount = t.field(QStringLiteral("ScontoP")).asFloat();
        l.total = t.field(QStringLiteral("Totale_rigaE")).asFloat();
        l.rate = t.field(QStringLiteral("Iva_riga")).isNull()
                     ? -1
                     : t.field(QStringLiteral("Iva_riga")).asInteger();
        l.nature = extra.values(Owner::Line, t.field(QStringLiteral("Id")).asInteger())
                       .at(QStringLiteral("Natura"));
        if (l.nature.isEmpty())
            l.nature = defaultNature;
        lines.push_back(l);
    }
    return lines;
}

QString described(const InvoiceLine& line) {
    return QStringLiteral("La riga %1 (\"%2\")").arg(line.position).arg(line.text);
}

/// Checks the lines against the document's rate slots and builds one summary per rate that
/// a counted line uses; descriptive lines take a rate that has one.
std::vector<RateSummary> summariesOf(store::Table& doc, std::vector<InvoiceLine>& lines) {
    if (lines.empty())
        refuse(QStringLiteral("Il documento non ha righe: aggiungerle in %1 (\"nuova riga\").")
                   .arg(properties));
    std::vector<RateSummary> rateSlots; // in the document's order of first occurrence
    qint64 taxable = 0, tax = 0;
    for (int i = 1; i <= 4; ++i) {
        const QString n = QString::number(i);
        const store::Field rate = doc.field(QStringLiteral("Iva") + n + QLatin1Char('_'));
        if (rate.isNull() || rate.asInteger() < 0)
            continue;
        RateSummary s;
        s.rate = rate.asInteger();
        s.taxable = doc.field(QStringLiteral("Imp") + n).asFloat();
        s.tax = doc.field(QStringLiteral("Iva") + n).asFloat();
        rateSlots.push_back(s);
        taxable += cents(s.taxable);
        tax += cents(s.tax);
    }
    std::map<int, qint64> lineSums;
    std::map<int, std::set<QString>> natures;
    const InvoiceLine* firstCounted = nullptr;
    for (InvoiceLine& line : lines) {
        if (!line.counted)
            continue;
        if (line.text.isEmpty())
            refuse(QStringLiteral("La riga %1 non ha descrizione: inserirla in %2 (\"Linea\").")
                       .arg(line.position)
                       .arg(properties));
        if (line.rate < 0)
            line.rate = 0;
        if (std::none_of(rateSlots.begin(), rateSlots.end(),
                         [&](const RateSummary& s) { return s.rate == line.rate; }))
            refuse(QStringLiteral("%1 ha l'aliquota %2 %, che il documento non riepiloga (al "
                                  "massimo quattro aliquote): dividerlo in più documenti.")
                       .arg(described(line))
                       .arg(line.rate));
        if (line.rate == 0) {
            if (line.nature.isEmpty())
                refuse(QStringLiteral("%1 ha IVA 0 e non ha la natura IVA: inserirla in %2 "
                                      "(\"Natura righe IVA 0\").")
                           .arg(described(line), subjectScreen));
            natures[0].insert(line.nature);
        }
        lineSums[line.rate] += cents(line.total);
        if (!firstCounted)
            firstCounted = &line;
    }
    if (!firstCounted)
        refuse(QStringLiteral("Il documento non ha righe con importo: aggiungerle in %1 "
                              "(\"nuova riga\").")
                   .arg(properties));
    if (natures[0].size() > 1)
        refuse(QStringLiteral("Le righe a IVA 0 del documento hanno nature IVA diverse: farne "
                              "documenti separati."));
    const bool totalsAgree =
        taxable == cents(doc.field(QStringLiteral("Importo_docE")).asFloat()) &&
        tax == cents(doc.field(QStringLiteral("Iva_docE")).asFloat());
    std::vector<RateSummary> out;
    bool slotsAgree = true;
    for (RateSummary& slot : rateSlots) {
        const int rate = slot.rate;
        const auto sum = lineSums.find(rate);
        if (sum == lineSums.end()) {
            slotsAgree = slotsAgree && cents(slot.taxable) == 0 && cents(slot.tax) == 0;
            continue;
        }
        slotsAgree = slotsAgree && sum->second == cents(slot.taxable);
        if (rate == 0)
            slot.nature = *natures[0].begin();
        out.push_back(slot);
    }
    if (!totalsAgree || !slotsAgree)
        refuse(QStringLiteral("I totali del documento non corrispondono alle sue righe: "
                              "riaprirlo in %1 e confermarlo.")
                   .arg(properties));
    for (InvoiceLine& line : lines) {
        if (line.counted)
            continue;
        if (line.rate < 0 || !lineSums.count(line.rate))
            line.rate = firstCounted->rate;
        line.nature = line.rate == 0 ? *natures[0].begin() : QString();
    }
    // A descriptive line without text carries nothing.
    std::erase_if(lines, [](const InvoiceLine& l) { return !l.counted && l.text.isEmpty(); });
    return out;
}

} // namespace

QString paymentModeOf(const QString& terms) {
    static const std::array<std::pair<const char*, const char*>, 9> words{{
        {"CONTANT", "MP01"},
        {"ASSEGNO CIRCOLARE", "MP03"},
        {"ASSEGNO", "MP02"},
        {"BONIFICO", "MP05"},
        {"RI.BA", "MP12"},
        {"RIBA", "MP12"},
        {"RICEVUTA BANCARIA", "MP12"},
        {"BANCOMAT", "MP08"},
        {"CARTA", "MP08"},
    }};
    const QString upper = terms.toUpper();
    for (const auto& [word, code] : words)
        if (upper.contains(QString::fromLatin1(word)))
            return QString::fromLatin1(code);
    return {};
}

InvoiceContent gatherInvoice(Tdm& data, int documentId) {
    const QString folder = data.Tabdoc.databaseName();
    std::optional<Record> own;
    store::Table* doc = &data.Tabdoc;
    if (!data.Tabdoc.active() || data.Tabdoc.isEmpty() ||
        data.Tabdoc.field(QStringLiteral("Id")).asInteger() != documentId) {
        own.emplace(folder, "doc", "Id", documentId);
        if (!own->found)
            refuse(QStringLiteral("Il documento non esiste più."));
        doc = &own->table;
    }
    checkDocumentType(folder, *doc);

    AdditionalData extra(folder);
    Record subject(folder, "soggetto_obbligato", nullptr, {});
    const int workshopId =
        subject.found ? subject.table.field(QStringLiteral("Id_sogg_obbl")).asInteger() : 0;
    const Values workshopExtra = extra.values(Owner::Workshop, workshopId);

    InvoiceContent c;
    c.workshop = workshopOf(subject, workshopExtra);
    c.taxRegime = workshopExtra.at(QStringLiteral("Regime_fiscale"));
    if (c.taxRegime.isEmpty())
        c.taxRegime = defaultTaxRegime();
    const Values customerExtra =
        extra.values(Owner::Customer, doc->field(QStringLiteral("Id_cliente")).asInteger());
    c.customer = customerOf(folder, *doc, customerExtra);
    c.recipientCode = customerExtra.at(QStringLiteral("Codice_dest"));
    if (c.recipientCode.isEmpty()) {
        c.recipientCode = QStringLiteral("0000000");
        c.pec = customerExtra.at(QStringLiteral("Pec"));
    }

    c.number = textOf(*doc, "Numero_doc");
    c.date = doc->field(QStringLiteral("Data_doc")).asDate();
    if (c.number.isEmpty() || !c.date.isValid())
        refuse(QStringLiteral("Il documento non ha numero o data: inserirli in %1 (\"N°\", "
                              "\"Data\").")
                   .arg(properties));
    c.total = doc->field(QStringLiteral("Totale_docE")).asFloat();
    c.lines = linesOf(folder, documentId, extra, workshopExtra.at(QStringLiteral("Natura")));
    c.summaries = summariesOf(*doc, c.lines);
    c.paymentText = textOf(*doc, "Tipopagamento");
    c.paymentMode = paymentModeOf(c.paymentText);
    return c;
}

} // namespace einvoice
