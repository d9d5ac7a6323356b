#pragma once

#include "einvoice/additional_data.h"
#include "store/dm.h"
#include "support/working_year.h"

#include <QDate>
#include <QDir>
#include <QProcess>
#include <QStringList>
#include <QTemporaryFile>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace einvtest {

/// A document line as the user enters it; the stored amounts follow from it.
struct LineSpec {
    QString text;
    double quantity = 1;
    double price = 0;
    double discount = 0;
    int rate = 22;
    bool counted = true;
};

/// A document of a type (1 "FATTURA", 2 "DOCUMENTO DI TRASPORTO" in the template).
struct DocSpec {
    std::vector<LineSpec> lines;
    int type = 1;
    int number = 7;
    QDate date{2026, 3, 16};
    QString payment = {};
};

inline double toCent(double amount) {
    return std::nearbyint(amount * 100.0) / 100.0; // halves to the even cent
}

/// A working year with the workshop, one customer and documents written straight into the
/// tables, totals and rate slots as the document rules leave them after the last line.
class InvoiceYear : public ::testing::Test {
public:
    testsupport::WorkingYear working;
    Tdm& data = working.data;
    QString folder() const { return working.year.path(); }

    void SetUp() override { ASSERT_TRUE(working.opened); }

    /// The workshop as a legal person with its seat; `vat` empty leaves it without one.
    int workshop(const QString& vat = QStringLiteral("01234567897"),
                 const einvoice::Values& extra = {}) {
        store::Table t(folder(), QStringLiteral("soggetto_obbligato"));
        t.open();
        t.append();
        t.field("Id_sogg_obbl").setAsInteger(1);
        t.field("PG_PF").setAsString("0");
        t.field("Piva").setAsString(vat);
        t.field("PG_denominazione").setAsString("CASSE ROSSI SRL");
        t.field("PG_comune_fiscale").setAsString("TORINO");
        t.field("PG_prov_fiscale").setAsString("TO");
        t.post();
        einvoice::Values seat{{"Indirizzo", "CORSO FRANCIA 10"}, {"Cap", "10138"}};
        for (const auto& [k, v] : extra)
            seat[k] = v;
        einvoice::AdditionalData(folder()).store(einvoice::Owner::Workshop, 1, seat);
        return 1;
    }

    int customer(const QString& name = QStringLiteral("BAR SPORT"),
                 const QString& vat = QStringLiteral("12345678903"),
                 const einvoice::Values& extra = {}) {
        store::Table t(folder(), QStringLiteral("esercizio"));
        t.open();
        t.append();
        const int id = t.recordCount() + 1;
        t.field("Id_esercizio").setAsInteger(id);
        t.field("Ragione_sociale").setAsString(name);
        t.field("Piva").setAsString(vat);
        t.post();
        if (!extra.empty())
            einvoice::AdditionalData(folder()).store(einvoice::Owner::Customer, id, extra);
        customerVat_[id] = vat;
        return id;
    }

    /// Writes the document and its lines; answers the document's identifier.
    int document(int customerId, const DocSpec& spec) {
        store::Table doc(folder(), QStringLiteral("doc"));
        store::Table lines(folder(), QStringLiteral("linee_doc"));
        doc.open();
        lines.open();
        const int id = doc.recordCount() + 1;
        std::vector<int> rates;
        std::map<int, std::pair<double, double>> sums;
        double taxable = 0, tax = 0;
        for (const LineSpec& l : spec.lines) {
            lines.append();
            lines.field("Id").setAsInteger(lines.recordCount() + 1);
            lines.field("Id_doc").setAsInteger(id);
            lines.field("Linea").setAsString(l.text);
            lines.field("Xtotale").setAsBoolean(l.counted);
            if (l.counted) {
                const double gross = l.price * l.quantity;
                const double amount = toCent(gross - l.discount * gross / 100.0);
                const double vat = toCent(l.rate * amount / 100.0);
                lines.field("UM").setAsString("PZ");
                lines.field("Quantita").setAsFloat(l.quantity);
                lines.field("PrezzoE").setAsFloat(l.price);
                lines.field("ScontoP").setAsFloat(l.discount);
                lines.field("Iva_riga").setAsInteger(l.rate);
                lines.field("Totale_rigaE").setAsFloat(amount);
                lines.field("ImportoE").setAsFloat(amount / l.quantity);
                sums[l.rate].first += amount;
                sums[l.rate].second += vat;
                taxable += amount;
                tax += vat;
            }
            if (l.counted && std::find(rates.begin(), rates.end(), l.rate) == rates.end())
                rates.push_back(l.rate);
            lines.post();
        }
        doc.append();
        doc.field("Id").setAsInteger(id);
        doc.field("Id_cliente").setAsInteger(customerId);
        doc.field("Id_tipodoc").setAsInteger(spec.type);
        doc.field("Numero_doc").setAsInteger(spec.number);
        doc.field("Data_doc").setAsDate(spec.date);
        doc.field("Piva").setAsString(customerVat_[customerId]);
        doc.field("Indirizzo").setAsString("VIA ROMA 1");
        doc.field("Cap").setAsString("00118");
        doc.field("Comune").setAsString("ROMA");
        doc.field("Provincia").setAsString("RM");
        doc.field("Tipopagamento").setAsString(spec.payment);
        doc.field("Importo_docE").setAsFloat(toCent(taxable));
        doc.field("Iva_docE").setAsFloat(toCent(tax));
        doc.field("Totale_docE").setAsFloat(toCent(taxable + tax));
        for (int slot = 1; slot <= 4; ++slot) {
            const QString n = QString::number(slot);
            const bool used = slot <= int(rates.size());
            const int rate = used ? rates[size_t(slot - 1)] : -1;
            doc.field("Iva" + n + "_").setAsFloat(rate);
            doc.field("Imp" + n).setAsFloat(used ? toCent(sums[rate].first) : 0);
            doc.field("Iva" + n).setAsFloat(used ? toCent(sums[rate].second) : 0);
        }
        doc.post();
        return id;
    }

    /// The workshop, a customer and `spec`: the usual invoice to make.
    int invoice(const DocSpec& spec) {
        workshop();
        return document(customer(), spec);
    }

private:
    std::map<int, QString> customerVat_;
};

/// The 22 % invoice of three lines, one of them 10.00 x 3 with 10 % discount.
inline DocSpec threeLines() {
    return {{{"VERIFICA PERIODICA MISURATORE", 1, 50.00, 0, 22},
             {"ROTOLI CARTA TERMICA", 3, 10.00, 10, 22},
             {"Matricola: 99MEY012345", 0, 0, 0, 0, false}}};
}

/// What xmllint says against the published schema kept with the tests; empty when valid.
inline QString schemaProblems(const QByteArray& xml) {
    QTemporaryFile file(QDir::temp().filePath("fattura-XXXXXX.xml"));
    if (!file.open())
        return "file temporaneo non scritto";
    file.write(xml);
    file.flush();
    const QString schema = QStringLiteral(EINVOICE_SCHEMA_DIR);
    QProcess lint;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XML_CATALOG_FILES", schema + "/catalog.xml");
    lint.setProcessEnvironment(env);
    lint.start("xmllint",
               {"--noout", "--nonet", "--schema", schema + "/Schema_1.2.1.xsd", file.fileName()});
    if (!lint.waitForFinished(60000))
        return "xmllint non disponibile (pacchetto libxml2-utils): " + lint.errorString();
    return lint.exitCode() == 0 ? QString() : QString::fromLocal8Bit(lint.readAllStandardError());
}

/// The texts of every element of that name, in order.
inline QStringList elementTexts(const QByteArray& xml, const QString& name) {
    QStringList out;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd())
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == name)
            out << reader.readElementText(QXmlStreamReader::IncludeChildElements);
    return out;
}

/// The files a folder holds.
inline QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files);
}

} // namespace einvtest
