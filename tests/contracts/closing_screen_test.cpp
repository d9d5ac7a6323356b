// The closing screen on a movement posted through the table API, as the movement screen's
// "Segna Evasa" opens it.
#include "contracts/segnaevasaw.h"
#include "contracts_support.h"

#include "ui/dbchoice.h"
#include "ui/fieldlink.h"

#include <QTabBar>
#include <QTabWidget>

namespace {

using regtest::press;

class ClosingScreen : public contractstest::Contracts {
protected:
    int shop = 0;

    void SetUp() override {
        Contracts::SetUp();
        shop = customer("BAR SPORT");
    }
    void TearDown() override { contracts::setWordingPicker({}); }

    void movement(const QString& serial) {
        add(data.Tabmov,
            {{"Id", 1},
             {"ID_ESERCIZIO", shop},
             {"Id_tipomov", 1},
             {"MATRICOLA_MS", serial},
             {"Rapp1", "DA VEDERE"},
             {"Evasa_sn", false},
             {"Da_fatt_sn", false}},
            "Id");
    }
    int open(const std::function<void(TsegnaevasaForm&)>& body) {
        return drive<TsegnaevasaForm>(contracts::openClosing, body);
    }
    QWidget* boxOf(TsegnaevasaForm& s, const QString& field) {
        QWidget* box = ui::boundControl(data.Tabmov, field, &s);
        EXPECT_NE(box, nullptr) << field.toStdString();
        return box;
    }
    void showTab(TsegnaevasaForm& s, int index) {
        QTabBar* bar = s.tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        QApplication::processEvents();
    }
};

TEST_F(ClosingScreen, RenewalTabSaysWhetherTheMachineIsUnderContractAndUntilWhen) {
    contract(shop, {2006, 1, 31}, "12 MESI", "AB0000001");
    const struct {
        const char* serial;
        const char* found;
        const char* until;
    } cases[] = {
        {"AB0000001", "Trovato contratto per la matricola AB0000001 descrizione: MODELLO AB0000001",
         "31/01/2007"},
        {"ZZ0000009", "NON ESISTE ALCUN CONTRATTO CON QUESTA MATRICOLA", ""},
    };
    for (const auto& c : cases) {
        movement(c.serial);
        open([&](TsegnaevasaForm& s) {
            EXPECT_EQ(s.tabs()->currentIndex(), 0);
            showTab(s, 2);
            EXPECT_EQ(s.contractFound(), c.found);
            EXPECT_EQ(s.contractUntil(), c.until);
            press(s, "Annulla");
        });
        store::rules::emptyTable(data.Tabmov);
        data.Tabmov.refresh();
    }
}

TEST_F(ClosingScreen, AnnullaLeavesTheMovementAsItWas) {
    movement("AB0000001");
    open([&](TsegnaevasaForm& s) {
        regtest::fill(boxOf(s, "Rapp1"), "SOSTITUITA STAMPANTE");
        uitest::click(boxOf(s, "Evasa_sn"));
        EXPECT_TRUE(data.Tabmov.field("Evasa_sn").asBoolean());
        press(s, "Annulla");
        EXPECT_FALSE(s.isVisible());
    });
    EXPECT_EQ(data.Tabmov.state(), store::DataSetState::Browse);
    EXPECT_EQ(stored("MOV", "Id", 1, "Rapp1").toString(), "DA VEDERE");
    EXPECT_FALSE(stored("MOV", "Id", 1, "Evasa_sn").toBool());
}

TEST_F(ClosingScreen, DaFatturareBringsItsTabForwardAndOkStores) {
    movement("AB0000001");
    data.Tabcontratti.setFilter("[ID_CLIENTE]='99'");
    data.Tabcontratti.setFiltered(true);
    const int result = open([&](TsegnaevasaForm& s) {
        uitest::click(s.toInvoiceBox());
        EXPECT_EQ(s.tabs()->currentIndex(), 1);
        regtest::fill(boxOf(s, "Da_fatt1"), "ASSISTENZA ANNUALE");
        regtest::fill(boxOf(s, "Imp_fatt"), "120");
        press(s, "OK");
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_FALSE(data.Tabcontratti.filtered());
    EXPECT_TRUE(stored("MOV", "Id", 1, "Da_fatt_sn").toBool());
    EXPECT_EQ(stored("MOV", "Id", 1, "Da_fatt1").toString(), "ASSISTENZA ANNUALE");
    EXPECT_DOUBLE_EQ(stored("MOV", "Id", 1, "Imp_fatt").toDouble(), 120.0);
}

TEST_F(ClosingScreen, DicitureWaitForTheWordingPickerWhichFillsItsOwnLine) {
    movement("AB0000001");
    open([&](TsegnaevasaForm& s) {
        for (int line = 1; line <= 4; ++line)
            EXPECT_FALSE(s.wordingButton(line)->isEnabled()) << line;
        press(s, "Annulla");
    });
    int targetWhilePicking = 0;
    TsegnaevasaForm* shown = nullptr;
    contracts::setWordingPicker([&](Tdm& dm, int line) {
        targetWhilePicking = shown->wordingTarget();
        dm.Tabmov.field(QString("Da_fatt%1").arg(line)).setAsString("CANONE TRIMESTRALE");
    });
    open([&](TsegnaevasaForm& s) {
        shown = &s;
        showTab(s, 1);
        uitest::click(s.wordingButton(3));
        EXPECT_EQ(s.wordingTarget(), -1);
        press(s, "OK");
    });
    EXPECT_EQ(targetWhilePicking, 3);
    for (int line = 1; line <= 4; ++line)
        EXPECT_EQ(stored("MOV", "Id", 1, QString("Da_fatt%1").arg(line)).toString(),
                  line == 3 ? "CANONE TRIMESTRALE" : "")
            << line;
}

} // namespace
