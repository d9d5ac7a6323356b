// The contract print and the contract list over the data module's objects as positioned and
// filtered when printing. Golden texts (every text of every page with its position in mm) lock
// the layouts; after a deliberate change regenerate them with
//     MISURATORI_UPDATE_GOLDEN=1 build/tests/contracts_tests --gtest_filter='ContractPrints*'
// and review git diff tests/contracts/golden. Set CONTRACTS_PDF_DIR to keep the PDFs.
#include "contracts/elenco_contrattiw.h"
#include "contracts/prn_contratto.h"
#include "contracts_support.h"

#include "registry/tipicontrattiw.h"
#include "report/render.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QTemporaryDir>
#include <algorithm>

namespace {

using regtest::press;

void expectGolden(const report::Document& document, const QString& name) {
    const QString actual = document.readingText();
    QFile file(QDir(QStringLiteral(CONTRACTS_GOLDEN_DIR)).filePath(name + ".txt"));
    if (qEnvironmentVariableIntValue("MISURATORI_UPDATE_GOLDEN") == 1) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(actual.toUtf8());
        return;
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    const QStringList want = QString::fromUtf8(file.readAll()).split('\n');
    const QStringList got = actual.split('\n');
    for (qsizetype i = 0; i < std::max(want.size(), got.size()); ++i)
        if (want.value(i) != got.value(i)) {
            ADD_FAILURE() << name.toStdString() << " riga " << i + 1
                          << "\natteso:   " << want.value(i).toStdString()
                          << "\nottenuto: " << got.value(i).toStdString();
            return;
        }
}

QByteArray logo() {
    QImage image(760, 160, QImage::Format_RGB32);
    image.fill(QColor(20, 60, 140));
    QPainter painter(&image);
    painter.setPen(Qt::white);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 40, QFont::Bold));
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("OFFICINA MISURATORI"));
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

QString longText(const QString& title, int paragraphs) {
    QString html = "<p><b>" + title + "</b></p><ul>";
    for (int i = 1; i <= paragraphs; ++i)
        html += QString("<li>Punto %1: il tecnico interviene presso l'esercizio entro due giorni "
                        "lavorativi dalla chiamata, con <i>verifica periodica</i> del misuratore "
                        "fiscale e controllo dei sigilli.</li>")
                    .arg(i);
    return html + "</ul>";
}

class ContractPrints : public contractstest::Contracts {
protected:
    int shop = 0;

    void SetUp() override {
        Contracts::SetUp();
        shop = customer("BAR SPORT DI ROSSI MARIO", {{"Piva", "12345678903"},
                                                     {"Indirizzo", "VIA APPIA NUOVA 12"},
                                                     {"Comune", "ROMA"},
                                                     {"Cap", "00183"}});
        data.Tabimpostazioni.first();
        data.Tabimpostazioni.edit();
        data.Tabimpostazioni.field("Logo_ca").setValue(logo());
        data.Tabimpostazioni.post();
    }
    void longTexts() {
        data.tab_tipicontratti.first();
        data.tab_tipicontratti.edit();
        data.tab_tipicontratti.field("Descr_contratto").setAsString(longText("Oggetto", 8));
        data.tab_tipicontratti.field("Prest_incluse").setAsString(longText("Incluse", 6));
        data.tab_tipicontratti.field("Prest_escluse").setAsString(longText("Escluse", 3));
        data.tab_tipicontratti.field("Obblighi").setAsString(longText("Obblighi", 7));
        data.tab_tipicontratti.field("Clausole").setAsString(longText("Clausole", 9));
        data.tab_tipicontratti.post();
    }
    void keepPdf(const report::Document& document, const QString& name) {
        QTemporaryDir temporary;
        const QString folder = qEnvironmentVariableIsSet("CONTRACTS_PDF_DIR")
                                   ? qEnvironmentVariable("CONTRACTS_PDF_DIR")
                                   : temporary.path();
        EXPECT_TRUE(report::writePdf(document, folder + "/" + name + ".pdf"));
    }
};

TEST_F(ContractPrints, ContractWithLongTextsRunsOntoASecondPage) {
    longTexts();
    contract(shop, {2006, 1, 31}, "12 MESI", "AB0000001");
    data.Tabcontratti.edit();
    data.Tabcontratti.field("IMPORTO").setAsFloat(1250.5);
    data.Tabcontratti.post();
    data.Tabesercizio.locate("Id_esercizio", shop);
    const report::Document document = contracts::Tprn_contratto(data).document();
    EXPECT_EQ(document.pages.size(), 2u);
    expectGolden(document, "contratto_lungo");
    keepPdf(document, "contratto");
}

TEST_F(ContractPrints, ListShowsEachContractsFirstLineUnderTheFilterInForce) {
    const int tobacco = customer("TABACCHI CENTRALE");
    contract(shop, {2006, 1, 31}, "12 MESI", "AB0000001");
    add(data.Tablcontratti, {{"ID_ELENCO", 1}, {"MATRICOLA", "AB0000009"}});
    const int second = contract(tobacco, {2006, 3, 15}, "6 MESI", "AB0000002");
    data.Tablcontratti.edit();
    data.Tablcontratti.field("Indirizzo").setAsString("CORSO BUENOS AIRES 40");
    data.Tablcontratti.field("Comune").setAsString("MILANO");
    data.Tablcontratti.post();
    contract(tobacco, {2005, 1, 1}, "24 MESI", "AB0000003");
    expectGolden(contracts::Tprn_elencocontratti(data).document(), "elenco_contratti");

    data.Tabcontratti.setFilter(QString("[ID]='%1'").arg(second));
    data.Tabcontratti.setFiltered(true);
    contracts::Tprn_elencocontratti filtered(data);
    const report::Document one = filtered.document();
    EXPECT_EQ(one.pages.size(), 1u);
    EXPECT_TRUE(one.readingText().contains("AB0000002"));
    EXPECT_FALSE(one.readingText().contains("AB0000001"));
    keepPdf(contracts::Tprn_elencocontratti(data).document(), "elenco_filtrato");
}

TEST_F(ContractPrints, SampleContractButtonOfTheContractTypesPreviewsTheContract) {
    contracts::installSampleContractPrint(data);
    QStringList shown;
    ui::ModalHookScope hook([&](QDialog& screen) {
        shown << screen.windowTitle();
        if (auto* types = qobject_cast<TtipicontrattiForm*>(&screen))
            press(*types, "stampa contratto di esempio");
        else
            EXPECT_NE(qobject_cast<QPrintPreviewDialog*>(&screen), nullptr);
    });
    registry::openContractTypes(data);
    registry::setContractSamplePrint({});
    EXPECT_EQ(shown, (QStringList{"Elenco dei TIPI di Contratto:", "Contratto"}));
}

} // namespace
