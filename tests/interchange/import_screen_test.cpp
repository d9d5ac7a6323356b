// The import screen as the user meets it: the check of the source, "Inserisci" with its messages.
#include "interchange/importverifw.h"
#include "screen_support.h"
#include "store/read_only.h"
#include "ui/grid.h"
#include "ui/pagestack.h"

#include <QSpinBox>

namespace {

using ictest::press;

class ImportScreen : public ictest::ScreenFixture {
protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        ictest::add(vp.tables.esercizio, {{"Id_esercizio", 4},
                                          {"Ragione_sociale", "BAR SPORT"},
                                          {"Piva", "12345678903"},
                                          {"Comune", "ROMA"}});
        ictest::add(vp.tables.misurazioni, {{"ID_MISURAZIONI", 1},
                                            {"ID_ESERCIZIO", 4},
                                            {"MATRICOLA_MS", "AB1234567"},
                                            {"DATA_FINE", "15/03/2006"}});
        store::Table types(working.year.path(), "tipi_contratti");
        types.open();
        types.emptyTable();
    }
    int open(const std::function<void(Timporta_da_verifForm&)>& body) {
        return drive<Timporta_da_verifForm>(interchange::openImportFromVerification, body);
    }
    /// Types the folder and the year 2006 and checks the source.
    void checkSource(Timporta_da_verifForm& s) {
        ictest::typeInto(s.folderBox(), vp.folder());
        uitest::click(s.yearBox());
        QTest::keyClick(s.yearBox(), Qt::Key_A, Qt::ControlModifier);
        uitest::typeText(s.yearBox(), "2006");
        QTest::keyClick(s.yearBox(), Qt::Key_Tab);
        press(s, "verifica presenza di dati");
    }
    QStringList contracts() {
        return ictest::rows(store::Table(working.year.path(), "ele_contratti"),
                            {"ID_CLIENTE", "VAL_DAL", "VAL_AL"});
    }
};

TEST_F(ImportScreen, MissingTablesAreSaidAndThePageStaysHidden) {
    open([&](Timporta_da_verifForm& s) {
        EXPECT_EQ(s.yearBox()->value(), 2005);
        press(s, "verifica presenza di dati");
        EXPECT_EQ(dialogs.texts(), QStringList{"archivi non trovati"});
        EXPECT_EQ(s.statusText(), "archivi non trovati");
        EXPECT_TRUE(s.pages().isShowing(Timporta_da_verifForm::startPageName));
    });
}

TEST_F(ImportScreen, InserisciImportsTellsOfTheMissingTypeAndAdvisesToReopen) {
    const int result = open([&](Timporta_da_verifForm& s) {
        checkSource(s);
        EXPECT_EQ(s.statusText(), "Archivi trovati e aperti");
        ASSERT_TRUE(s.pages().isShowing(Timporta_da_verifForm::importPageName));
        const auto grids = s.findChildren<ui::DataGrid*>();
        ASSERT_EQ(grids.size(), 3);
        EXPECT_EQ(grids[0]->tableModel().rowCount(), 1);
        EXPECT_EQ(grids[1]->tableModel().rowCount(), 1);
        press(s, "Inserisci");
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(dialogs.texts(ui::DialogKind::Message),
              (QStringList{"TIPO CONTRATTO NON TROVATO",
                           "Eseguito. Consigliamo di chiudere e riaprire il programma."}));
    EXPECT_EQ(contracts(), QStringList{"4|15/03/2006|15/03/2007"});
}

TEST_F(ImportScreen, AFailedImportSaysThatNothingChanged) {
    open([&](Timporta_da_verifForm& s) {
        checkSource(s);
        storetest::ReadOnly locked(working.year.file("ele_contratti.DB"));
        press(s, "Inserisci");
        const QStringList warnings = dialogs.texts(ui::DialogKind::Warning);
        ASSERT_EQ(warnings.size(), 1);
        EXPECT_TRUE(warnings[0].startsWith("Importazione non eseguita: "));
        EXPECT_TRUE(
            warnings[0].endsWith("\nGli archivi di questo programma sono rimasti come erano."));
        EXPECT_TRUE(s.isVisible());
    });
    EXPECT_EQ(contracts(), QStringList());
}

} // namespace
