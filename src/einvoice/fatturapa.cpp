#include "einvoice/fatturapa.h"

#include "einvoice/additional_data.h"
#include "einvoice/invoice_content.h"
#include "store/dm.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamWriter>
#include <cmath>

namespace einvoice {

namespace {

/// Which characters a text of the format may hold: the Latin-1 ones or only the basic
/// Latin ones (codes, numbers, units).
enum class Repertoire { Latin1, Basic };

QString amount2(double v) {
    const QString text = QString::number(double(qRound64(v * 100.0)) / 100.0, 'f', 2);
    return text == QLatin1String("-0.00") ? QStringLiteral("0.00") : text;
}

/// Up to eight decimals, at least two, as the unit prices and quantities take them.
QString amount8(double v) {
    QString text = QString::number(v, 'f', 8);
    while (text.endsWith(QLatin1Char('0')) && text.indexOf(QLatin1Char('.')) < text.size() - 3)
        text.chop(1);
    return text.startsWith(QLatin1String("-0.00")) && text.size() == 5 ? QStringLiteral("0.00")
                                                                       : text;
}

QString rateText(int rate) {
    return QString::number(rate) + QStringLiteral(".00");
}

class Writer {
public:
    explicit Writer(QByteArray& out)
        : xml_(&out) {
        xml_.setAutoFormatting(true);
        xml_.setAutoFormattingIndent(2);
    }

    QXmlStreamWriter& xml() { return xml_; }
    void open(const char* name) { xml_.writeStartElement(QString::fromLatin1(name)); }
    void close() { xml_.writeEndElement(); }

    /// An element with a text that the user typed somewhere: `place` says where, for the
    /// refusal of a character the format does not take.
    void text(const char* name, const QString& value, const QString& place,
              Repertoire repertoire = Repertoire::Latin1) {
        const char16_t limit = repertoire == Repertoire::Basic ? 0x7F : 0xFF;
        for (const QChar c : value) {
            const bool control = c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0);
            if (c.unicode() > limit || control)
                throw Refused{QStringLiteral("Il testo \"%1\" (%2) contiene il carattere \"%3\", "
                                             "che la fattura elettronica non ammette: "
                                             "sostituirlo.")
                                  .arg(value, place, QString(c))};
        }
        xml_.writeTextElement(QString::fromLatin1(name), value);
    }
    /// An element whose value the program makes (amounts, dates, fixed codes).
    void value(const char* name, const QString& v) {
        xml_.writeTextElement(QString::fromLatin1(name), v);
    }

private:
    QXmlStreamWriter xml_;
};

void writeFiscalId(Writer& w, const QString& vat) {
    w.open("IdFiscaleIVA");
    w.value("IdPaese", QStringLiteral("IT"));
    w.value("IdCodice", vat);
    w.close();
}

void writeName(Writer& w, const Party& p, const QString& place) {
    w.open("Anagrafica");
    if (!p.name.isEmpty()) {
        w.text("Denominazione", p.name, place);
    } else {
        w.text("Nome", p.firstName, place);
        w.text("Cognome", p.lastName, place);
    }
    w.close();
}

void writeSeat(Writer& w, const Party& p, const QString& place) {
    w.open("Sede");
    w.text("Indirizzo", p.address, place);
    w.text("CAP", p.postcode, place, Repertoire::Basic);
    w.text("Comune", p.municipality, place);
    if (!p.province.isEmpty())
        w.text("Provincia", p.province, place, Repertoire::Basic);
    w.value("Nazione", QStringLiteral("IT"));
    w.close();
}

void writeHeader(Writer& w, const InvoiceContent& c, const QString& progressive) {
    const QString workshop = QStringLiteral("dati dell'azienda, Soggetto obbligato");
    const QString customer = QStringLiteral("dati del cliente, Elenco Esercizi");
    w.open("FatturaElettronicaHeader");
    w.open("DatiTrasmissione");
    w.open("IdTrasmittente");
    w.value("IdPaese", QStringLiteral("IT"));
    w.value("IdCodice", c.workshop.vat);
    w.close();
    w.value("ProgressivoInvio", progressive);
    w.value("FormatoTrasmissione", QStringLiteral("FPR12"));
    w.value("CodiceDestinatario", c.recipientCode);
    if (!c.pec.isEmpty())
        w.text("PECDestinatario", c.pec, customer, Repertoire::Basic);
    w.close();

    w.open("CedentePrestatore");
    w.open("DatiAnagrafici");
    writeFiscalId(w, c.workshop.vat);
    writeName(w, c.workshop, workshop);
    w.value("RegimeFiscale", c.taxRegime);
    w.close();
    writeSeat(w, c.workshop, workshop);
    w.close();

    w.open("CessionarioCommittente");
    w.open("DatiAnagrafici");
    if (!c.customer.vat.isEmpty())
        writeFiscalId(w, c.customer.vat);
    if (!c.customer.fiscalCode.isEmpty())
        w.value("CodiceFiscale", c.customer.fiscalCode);
    writeName(w, c.customer, customer);
    w.close();
    writeSeat(w, c.customer, QStringLiteral("indirizzo del cliente, Proprietà Doc..."));
    w.close();
    w.close();
}

void writeLine(Writer& w, const InvoiceLine& line, int number) {
    const QString place = QStringLiteral("riga %1 del documento").arg(line.position);
    w.open("DettaglioLinee");
    w.value("NumeroLinea", QString::number(number));
    w.text("Descrizione", line.text, place);
    if (line.counted) {
        // The format takes no negative quantity: a returned item is a negative price.
        const double sign = line.quantity < 0 ? -1.0 : 1.0;
        if (line.quantity != 0)
            w.value("Quantita", amount8(sign * line.quantity));
        if (!line.unit.isEmpty())
            w.text("UnitaMisura", line.unit, place, Repertoire::Basic);
        w.value("PrezzoUnitario", amount8(sign * line.price));
        if (line.discount != 0) {
            w.open("ScontoMaggiorazione");
            w.value("Tipo", line.discount > 0 ? QStringLiteral("SC") : QStringLiteral("MG"));
            w.value("Percentuale", amount2(std::abs(line.discount)));
            w.close();
        }
        w.value("PrezzoTotale", amount2(line.total));
    } else {
        w.value("PrezzoUnitario", QStringLiteral("0.00"));
        w.value("PrezzoTotale", QStringLiteral("0.00"));
    }
    w.value("AliquotaIVA", rateText(line.rate));
    if (line.rate == 0)
        w.value("Natura", line.nature);
    w.close();
}

void writeBody(Writer& w, const InvoiceContent& c) {
    const QString properties = QStringLiteral("Proprietà Doc...");
    w.open("FatturaElettronicaBody");
    w.open("DatiGenerali");
    w.open("DatiGeneraliDocumento");
    w.value("TipoDocumento", QStringLiteral("TD01"));
    w.value("Divisa", QStringLiteral("EUR"));
    w.value("Data", c.date.toString(QStringLiteral("yyyy-MM-dd")));
    w.text("Numero", c.number, properties, Repertoire::Basic);
    w.value("ImportoTotaleDocumento", amount2(c.total));
    if (!c.paymentText.isEmpty() && c.paymentMode.isEmpty())
        w.text("Causale", QStringLiteral("Pagamento: ") + c.paymentText,
               QStringLiteral("pagamento, ") + properties);
    w.close();
    w.close();

    w.open("DatiBeniServizi");
    int number = 0;
    for (const InvoiceLine& line : c.lines)
        writeLine(w, line, ++number);
    for (const RateSummary& s : c.summaries) {
        w.open("DatiRiepilogo");
        w.value("AliquotaIVA", rateText(s.rate));
        if (s.rate == 0)
            w.value("Natura", s.nature);
        w.value("ImponibileImporto", amount2(s.taxable));
        w.value("Imposta", amount2(s.tax));
        w.value("EsigibilitaIVA", QStringLiteral("I"));
        w.close();
    }
    w.close();

    if (!c.paymentMode.isEmpty()) {
        w.open("DatiPagamento");
        w.value("CondizioniPagamento", QStringLiteral("TP02"));
        w.open("DettaglioPagamento");
        w.value("ModalitaPagamento", c.paymentMode);
        w.value("ImportoPagamento", amount2(c.total));
        w.close();
        w.close();
    }
    w.close();
}

QString fileNameFor(const InvoiceContent& c, const QString& progressive) {
    return QStringLiteral("IT") + c.workshop.vat + QLatin1Char('_') + progressive +
           QStringLiteral(".xml");
}

} // namespace

QString progressiveText(int year, int count) {
    if (count < 0 || count >= 36 * 36 * 36)
        return {};
    const QString digits = QString::number(count, 36).toUpper().rightJustified(3, QLatin1Char('0'));
    return QString::number(year % 100).rightJustified(2, QLatin1Char('0')) + digits;
}

Invoice makeInvoice(Tdm& data, int documentId, const QString& progressive) {
    Invoice invoice;
    try {
        const InvoiceContent content = gatherInvoice(data, documentId);
        QByteArray out;
        Writer w(out);
        w.xml().writeStartDocument();
        w.xml().writeNamespace(
            QStringLiteral("http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2"),
            QStringLiteral("p"));
        w.xml().writeStartElement(
            QStringLiteral("http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2"),
            QStringLiteral("FatturaElettronica"));
        w.xml().writeAttribute(QStringLiteral("versione"), QStringLiteral("FPR12"));
        writeHeader(w, content, progressive);
        writeBody(w, content);
        w.xml().writeEndDocument();
        invoice.xml = out;
        invoice.fileName = fileNameFor(content, progressive);
    } catch (const Refused& refused) {
        invoice.refusal = refused.message;
    }
    return invoice;
}

Written writeInvoice(Tdm& data, int documentId, const QString& folder, int year) {
    const QString yearFolder = data.Tabdoc.databaseName();
    AdditionalData extra(yearFolder);
    store::Table subject(yearFolder, QStringLiteral("soggetto_obbligato"));
    subject.open();
    const int workshopId =
        subject.isEmpty() ? 0 : subject.field(QStringLiteral("Id_sogg_obbl")).asInteger();
    for (int count = extra.nextProgressive(workshopId);; ++count) {
        const QString progressive = progressiveText(year, count);
        if (progressive.isEmpty())
            return {QStringLiteral("Raggiunto il numero massimo di fatture elettroniche "
                                   "dell'anno."),
                    {}};
        const Invoice invoice = makeInvoice(data, documentId, progressive);
        if (!invoice.refusal.isEmpty())
            return {invoice.refusal, {}};
        const QString path = QDir(folder).filePath(invoice.fileName);
        if (QFileInfo::exists(path))
            continue; // written by hand or by another year folder: never overwritten
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(invoice.xml) != invoice.xml.size() ||
            !file.commit())
            return {QStringLiteral("Impossibile scrivere il file %1: %2")
                        .arg(QDir::toNativeSeparators(path), file.errorString()),
                    {}};
        extra.useProgressive(workshopId, count);
        return {{}, path};
    }
}

} // namespace einvoice
