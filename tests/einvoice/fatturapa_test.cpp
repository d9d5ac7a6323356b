// The electronic invoice made from a stored document: the XML, its numbers, its refusals.
// Every XML written here is validated against the published schema (schema/README.md).
//
// After a deliberate change to the XML, regenerate the golden file with
//     MISURATORI_UPDATE_GOLDEN=1 build/tests/einvoice_tests --gtest_filter='*Golden*'
// and review the difference (git diff tests/einvoice/golden) before committing it.
#include "einvoice/fatturapa.h"
#include "einvoice_support.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <tuple>

namespace {

using einvtest::DocSpec;
using einvtest::LineSpec;

class Invoices : public einvtest::InvoiceYear {
protected:
    testsupport::TempFolder out;

    /// Writes the invoice into `out` and checks it against the schema.
    QByteArray written(int documentId, const QString& expectedName = {}) {
        const einvoice::Written w = einvoice::writeInvoice(data, documentId, out.path(), 2026);
        EXPECT_EQ(w.refusal, "");
        QFile file(w.path);
        if (!file.open(QIODevice::ReadOnly)) {
            ADD_FAILURE() << "nessun file scritto";
            return {};
        }
        if (!expectedName.isEmpty()) {
            EXPECT_EQ(QFileInfo(w.path).fileName(), expectedName);
        }
        const QByteArray xml = file.readAll();
        EXPECT_EQ(einvtest::schemaProblems(xml), "");
        return xml;
    }
};

double sum(const QStringList& amounts) {
    double total = 0;
    for (const QString& a : amounts)
        total += a.toDouble();
    return total;
}

TEST_F(Invoices, GoldenThreeLineInvoiceAt22Percent) {
    const QByteArray xml = written(invoice(einvtest::threeLines()), "IT01234567897_26001.xml");
    QFile golden(QStringLiteral(EINVOICE_GOLDEN_DIR) + "/fattura_tre_righe.xml");
    if (qEnvironmentVariableIntValue("MISURATORI_UPDATE_GOLDEN") == 1) {
        ASSERT_TRUE(golden.open(QIODevice::WriteOnly | QIODevice::Truncate));
        golden.write(xml);
        return;
    }
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly)) << "MISURATORI_UPDATE_GOLDEN=1 lo crea";
    EXPECT_EQ(QString::fromUtf8(xml), QString::fromUtf8(golden.readAll()));
}

TEST_F(Invoices, ThreeRatesGiveThreeSummariesThatAddUpToTheDocumentTotals) {
    const int id = invoice({{{"CAVO", 3, 3.33, 0, 22},
                             {"LIBRO", 1, 12.5, 0, 4},
                             {"RIPARAZIONE", 2, 17.35, 10, 10},
                             {"RULLO", 7, 0.99, 15, 22}}});
    const QByteArray xml = written(id);
    EXPECT_EQ(einvtest::elementTexts(xml, "AliquotaIVA").mid(4),
              (QStringList{"22.00", "4.00", "10.00"}));
    store::Table doc(folder(), "doc");
    doc.open();
    ASSERT_TRUE(doc.locate("Id", id));
    EXPECT_DOUBLE_EQ(sum(einvtest::elementTexts(xml, "ImponibileImporto")),
                     doc.field("Importo_docE").asFloat());
    EXPECT_DOUBLE_EQ(sum(einvtest::elementTexts(xml, "Imposta")), doc.field("Iva_docE").asFloat());
    EXPECT_EQ(einvtest::elementTexts(xml, "ImportoTotaleDocumento"),
              QStringList{QString::number(doc.field("Totale_docE").asFloat(), 'f', 2)});
    // Each line keeps the document's own amount.
    EXPECT_EQ(einvtest::elementTexts(xml, "PrezzoTotale"),
              (QStringList{"9.99", "12.50", "31.23", "5.89"}));
}

TEST_F(Invoices, NamesWithAmpersandLessThanAndApostropheAreEscaped) {
    workshop();
    const QString name = "BAR & CAFFE' <DA MARIO>";
    const QByteArray xml = written(document(customer(name), einvtest::threeLines()));
    EXPECT_TRUE(xml.contains("BAR &amp; CAFFE' &lt;DA MARIO")) << xml.constData();
    EXPECT_EQ(einvtest::elementTexts(xml, "Denominazione").value(1), name);
}

struct Refusal {
    const char* name;
    std::function<int(einvtest::InvoiceYear&)> setUp;
    QString message;
};

class Refusals : public Invoices, public ::testing::WithParamInterface<Refusal> {};

TEST_P(Refusals, SayWhatIsMissingAndWriteNoFile) {
    const int id = GetParam().setUp(*this);
    const einvoice::Written w = einvoice::writeInvoice(data, id, out.path(), 2026);
    EXPECT_EQ(w.refusal, GetParam().message);
    EXPECT_EQ(w.path, "");
    EXPECT_EQ(einvtest::filesIn(out.path()), QStringList{});
}

const QString noVat = "Manca la partita IVA dell'azienda: inserirla in Soggetto obbligato, "
                      "Modifica (\"Piva\").";

INSTANTIATE_TEST_SUITE_P(
    Invoices, Refusals,
    ::testing::Values(
        Refusal{"NoObligedSubject",
                [](einvtest::InvoiceYear& y) {
                    return y.document(y.customer(), einvtest::threeLines());
                },
                "Mancano i dati dell'azienda: inserirli in Soggetto obbligato, Modifica."},
        Refusal{"WorkshopWithoutVat",
                [](einvtest::InvoiceYear& y) {
                    y.workshop("");
                    return y.document(y.customer(), einvtest::threeLines());
                },
                noVat},
        Refusal{"CustomerWithoutVatAndFiscalCode",
                [](einvtest::InvoiceYear& y) {
                    y.workshop();
                    return y.document(y.customer("BAR SPORT", ""), einvtest::threeLines());
                },
                "Il cliente \"BAR SPORT\" non ha né partita IVA né codice fiscale: inserire la "
                "partita IVA in Proprietà Doc... (\"Piva:\") o il codice fiscale in Elenco "
                "Esercizi, Modifica (\"Codice fiscale\")."},
        Refusal{"ZeroRateLineWithoutNature",
                [](einvtest::InvoiceYear& y) {
                    return y.invoice({{{"BOLLO", 1, 2.00, 0, 0}}});
                },
                "La riga 1 (\"BOLLO\") ha IVA 0 e non ha la natura IVA: inserirla in Soggetto "
                "obbligato, Modifica (\"Natura righe IVA 0\")."},
        Refusal{"TransportDocument",
                [](einvtest::InvoiceYear& y) {
                    DocSpec spec = einvtest::threeLines();
                    spec.type = 2;
                    return y.invoice(spec);
                },
                "Il documento è di tipo \"DOCUMENTO DI TRASPORTO\": solo le fatture diventano "
                "fattura elettronica."},
        Refusal{"DocumentWithoutLines", [](einvtest::InvoiceYear& y) { return y.invoice({}); },
                "Il documento non ha righe: aggiungerle in Proprietà Doc... (\"nuova riga\")."},
        Refusal{"CharacterOutsideTheFormat",
                [](einvtest::InvoiceYear& y) {
                    return y.invoice({{{"CARTA \u201cEXTRA\u201d", 1, 5.00, 0, 22}}});
                },
                "Il testo \"CARTA \u201cEXTRA\u201d\" (riga 1 del documento) contiene il "
                "carattere \"\u201c\", che la fattura elettronica non ammette: sostituirlo."}),
    [](const auto& info) { return std::string(info.param.name); });

/// What a setting of the workshop, the customer or the document puts into the XML.
struct Setting {
    const char* name;
    std::function<int(einvtest::InvoiceYear&)> setUp;
    const char* element;
    QStringList texts;
};

class Settings : public Invoices, public ::testing::WithParamInterface<Setting> {};

TEST_P(Settings, ReachTheXml) {
    const QByteArray xml = written(GetParam().setUp(*this));
    EXPECT_EQ(einvtest::elementTexts(xml, GetParam().element), GetParam().texts);
}

int withCustomer(einvtest::InvoiceYear& y, const einvoice::Values& extra,
                 const QString& vat = "12345678903") {
    y.workshop();
    return y.document(y.customer("BAR SPORT", vat, extra), einvtest::threeLines());
}

int paidBy(einvtest::InvoiceYear& y, const QString& terms) {
    DocSpec spec = einvtest::threeLines();
    spec.payment = terms;
    return y.invoice(spec);
}

INSTANTIATE_TEST_SUITE_P(
    Invoices, Settings,
    ::testing::Values(
        Setting{"NoRecipientCode",
                [](auto& y) { return y.invoice(einvtest::threeLines()); },
                "CodiceDestinatario",
                {"0000000"}},
        Setting{"RecipientCode",
                [](auto& y) {
                    return withCustomer(y, {{"Codice_dest", "M5UXCR1"}});
                },
                "CodiceDestinatario",
                {"M5UXCR1"}},
        Setting{"CertifiedMailWithoutCode",
                [](auto& y) {
                    return withCustomer(y, {{"Pec", "BAR.SPORT@PEC.IT"}});
                },
                "PECDestinatario",
                {"BAR.SPORT@PEC.IT"}},
        Setting{"FiscalCodeOnly",
                [](auto& y) {
                    return withCustomer(y, {{"Codice_fiscale", "RSSMRA70A01H501S"}}, "");
                },
                "CodiceFiscale",
                {"RSSMRA70A01H501S"}},
        Setting{"NaturalPersonWorkshop",
                [](auto& y) {
                    y.workshop("01234567897", {{"Comune", "CHIERI"}, {"Provincia", "TO"}});
                    store::Table s(y.folder(), "soggetto_obbligato");
                    s.open();
                    s.edit();
                    s.field("PG_PF").setAsString("1");
                    s.field("PF_cognome").setAsString("ROSSI");
                    s.field("PF_nome").setAsString("MARIO");
                    s.post();
                    return y.document(y.customer(), einvtest::threeLines());
                },
                "Comune",
                {"CHIERI", "ROMA"}},
        Setting{"TaxRegimeByDefault",
                [](auto& y) { return y.invoice(einvtest::threeLines()); },
                "RegimeFiscale",
                {"RF01"}},
        Setting{"TaxRegimeOfTheWorkshop",
                [](auto& y) {
                    y.workshop("01234567897", {{"Regime_fiscale", "RF19"}});
                    return y.document(y.customer(), einvtest::threeLines());
                },
                "RegimeFiscale",
                {"RF19"}},
        Setting{"NatureOfZeroRateLines",
                [](auto& y) {
                    y.workshop("01234567897", {{"Natura", "N4"}});
                    return y.document(y.customer(),
                                      {{{"ESENTE", 1, 8.00, 0, 0}, {"Nota", 0, 0, 0, 0, false}}});
                },
                "Natura",
                {"N4", "N4", "N4"}},
        Setting{"PaymentRecognised",
                [](auto& y) { return paidBy(y, "BONIFICO 30 GG D.F."); },
                "ModalitaPagamento",
                {"MP05"}},
        Setting{"PaymentNotRecognised",
                [](auto& y) { return paidBy(y, "A VISTA"); },
                "Causale",
                {"Pagamento: A VISTA"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Invoices, EachFileTakesTheNextProgressiveAndNoneIsOverwritten) {
    const int id = invoice(einvtest::threeLines());
    written(id, "IT01234567897_26001.xml");
    QFile byHand(out.file("IT01234567897_26002.xml"));
    ASSERT_TRUE(byHand.open(QIODevice::WriteOnly));
    byHand.write("a mano");
    byHand.close();
    written(id, "IT01234567897_26003.xml");
    ASSERT_TRUE(byHand.open(QIODevice::ReadOnly));
    EXPECT_EQ(byHand.readAll(), "a mano");
}

TEST(Progressive, YearDigitsThenThreeBase36Digits) {
    const std::tuple<int, int, QString> cases[] = {{2026, 1, "26001"},
                                                   {2026, 35, "2600Z"},
                                                   {2009, 36, "09010"},
                                                   {2026, 46655, "26ZZZ"},
                                                   {2026, 46656, ""}};
    for (const auto& [year, count, text] : cases)
        EXPECT_EQ(einvoice::progressiveText(year, count), text) << year << " " << count;
}

TEST(AdditionalValues, AreCheckedBeforeTheyAreStored) {
    const std::pair<einvoice::Values, QString> cases[] = {
        {{{"Codice_dest", "M5UXCR1"}, {"Pec", "A@PEC.IT"}, {"Cap", "10138"}}, ""},
        {{{"Codice_dest", ""}, {"Natura", ""}}, ""},
        {{{"Codice_dest", "M5UX"}}, "Il codice destinatario è di 7 lettere o cifre."},
        {{{"Pec", "BAR.PEC.IT"}}, "La PEC non è un indirizzo di posta valido."},
        {{{"Codice_fiscale", "RSSMRA70"}},
         "Il codice fiscale è di 16 caratteri (persona) o di 11 cifre (società)."},
        {{{"Regime_fiscale", "RF03"}},
         "Il regime fiscale è un codice da RF01 a RF19 (RF01: ordinario)."},
        {{{"Natura", "N8"}}, "La natura IVA è uno dei codici N1, N2, N3, N4, N5, N6, N7."},
        {{{"Cap", "1013"}}, "Il CAP è di 5 cifre."},
        {{{"Provincia", "TOR"}}, "La provincia è la sigla di 2 lettere."},
    };
    for (const auto& [values, refusal] : cases)
        EXPECT_EQ(einvoice::checkValues(einvoice::Owner::Customer, values), refusal);
}

} // namespace
