// The movement screen driven as a user would: opening modes, "Filtra", "Tutti", "Pulisci",
// the delete and the close rules.
#include "movement_screen_support.h"
#include "store/program.h"
#include "store/value.h"
#include "ui/pagestack.h"

namespace {

using movements::MovementsMode;
using movtest::put;
using regtest::press;

class MovementScreenTest : public movtest::MovementScreen {};

const QString today = store::value::italianDate(QDate::currentDate());

TEST_F(MovementScreenTest, EachModeOpensOnItsListWithItsTitleAndTodaysFilter) {
    put(data.Tabmov, {{"Id_tipomov", kind("VENDITA")}, {"Data", QDate::currentDate().addDays(-1)}});
    put(data.Tabmov, {{"Id_tipomov", kind("INTERVENTO")}, {"Data", QDate::currentDate()}});
    const QString day = "[data]='" + today + "' or [data_app]='" + today + "'";
    const struct {
        MovementsMode mode;
        const char *title, *page;
        QString filter;
        int rows;
    } cases[] = {
        {MovementsMode::General, "Elenco dei movimenti: vendite interventi e riparazioni",
         "generale", day, 1},
        {MovementsMode::Sales, "Elenco VENDITE", "vendite",
         "(" + day + ") and ([id_tipomov]='" + QString::number(kind("VENDITA")) + "')", 0},
        {MovementsMode::Repairs, "Elenco Riparazioni", "riparazioni",
         "(" + day + ") and ([id_tipomov]='" + QString::number(kind("RIPARAZIONE")) + "')", 0},
        {MovementsMode::Interventions, "Elenco INTERVENTI", "interventi",
         "(" + day + ") and ([id_tipomov]='" + QString::number(kind("INTERVENTO")) + "')", 1},
    };
    for (const auto& c : cases)
        open(c.mode, [&](TMOVForm& s) {
            EXPECT_EQ(s.windowTitle(), c.title);
            EXPECT_EQ(s.tabs().currentPageName(), c.page);
            EXPECT_EQ(s.filterLine(), c.filter);
            EXPECT_EQ(s.list().grid()->tableModel().rowCount(), c.rows) << c.page;
            EXPECT_EQ(s.list().lowerTabs()->tabText(s.list().lowerTabs()->currentIndex()),
                      movements::MovementList::verificationsTabName);
            press(s, "chiudi");
        });
    EXPECT_TRUE(dialogs.entries().empty()) << dialogs.texts().join('|').toStdString();
}

TEST_F(MovementScreenTest, FiltraComposesFromThePanelAndTheTextOutlivesTheScreen) {
    const int rossi = technician("ROSSI");
    put(data.Tabmov, {{"Evasa_sn", true}, {"ID_TECNICO", rossi}});
    put(data.Tabmov, {{"Evasa_sn", true}});
    put(data.Tabmov, {{"Evasa_sn", false}, {"ID_TECNICO", rossi}});
    const QString both = "([id_tecnico]='" + QString::number(rossi) + "') and([evasa_sn]='true')";
    open(MovementsMode::General, [&](TMOVForm& s) {
        uitest::click(s.list().fulfilmentChoice(movements::Fulfilment::Done));
        press(s, "Filtra");
        EXPECT_EQ(s.filterLine(), "([evasa_sn]='true')");
        EXPECT_EQ(s.list().grid()->tableModel().rowCount(), 2);
        movtest::choose(s.list().technicianChoice(), "ROSSI MARIO 12");
        press(s, "Filtra");
        EXPECT_EQ(s.filterLine(), both);
        EXPECT_EQ(s.list().grid()->tableModel().rowCount(), 1);

        movtest::choose(s.list().customerChoice(), "NESSUNO");
        press(s, "Filtra");
        EXPECT_EQ(dialogs.texts(), QStringList{"Esercizio non trovato: NESSUNO"});
        EXPECT_EQ(s.filterLine(), both) << "an unknown name changes no filter";
        press(s, "chiudi");
    });
    EXPECT_EQ(store::program().lastFilter, both);
    EXPECT_EQ(data.Tabmov.filter(), both) << "the filter stays in force after the screen";
    EXPECT_TRUE(data.Tabmov.filtered());
    store::program().lastFilter.clear();
}

TEST_F(MovementScreenTest, PulisciThenFiltraListsEveryMovementEndingOnTheLast) {
    for (int day = 1; day <= 3; ++day)
        put(data.Tabmov, {{"Data", QDate(2020, 5, day)}});
    open(MovementsMode::General, [&](TMOVForm& s) {
        EXPECT_EQ(s.list().grid()->tableModel().rowCount(), 0);
        uitest::click(s.list().fulfilmentChoice(movements::Fulfilment::Open));
        QTest::keyClicks(s.list().dateBox(2), "01052020");
        movtest::choose(s.list().typeChoice(), "VENDITA");
        press(s, "Pulisci");
        EXPECT_TRUE(s.list().fulfilmentChoice(movements::Fulfilment::All)->isChecked());
        EXPECT_EQ(s.list().dateBox(2)->displayText(), movements::emptyDateMask);
        EXPECT_EQ(s.list().typeChoice()->currentText(), "");
        press(s, "Filtra");
        EXPECT_EQ(s.filterLine(), "");
        EXPECT_EQ(s.list().grid()->tableModel().rowCount(), 3);
        EXPECT_EQ(data.Tabmov.field("Data").asDate(), QDate(2020, 5, 3)) << "on the last one";
        press(s, "chiudi");
    });
}

TEST_F(MovementScreenTest, TuttiOnAKindListShowsTheWholeKindAndARefusedFilterSaysSo) {
    put(data.Tabmov, {{"Id_tipomov", kind("RIPARAZIONE")}, {"Data", QDate(2020, 1, 1)}});
    put(data.Tabmov, {{"Id_tipomov", kind("VENDITA")}, {"Data", QDate(2020, 1, 1)}});
    store::program().lastFilter = "prima";
    QString typed;
    open(MovementsMode::Repairs, [&](TMOVForm& s) {
        press(s, "Tutti");
        EXPECT_EQ(s.filterLine(), "[Id_tipomov]='" + QString::number(kind("RIPARAZIONE")) + "'");
        EXPECT_EQ(s.list().grid()->tableModel().rowCount(), 1);
        QLineEdit* from = s.list().dateBox(0);
        uitest::click(from);
        QTest::keyClick(from, Qt::Key_Home);
        QTest::keyClicks(from, "99");
        QTest::keyClicks(s.list().dateBox(1), "31122020");
        typed = from->text();
        press(s, "Filtra");
        press(s, "chiudi");
    });
    const QString refused = "([data]>='" + typed +
                            "') and ([data]<='31/12/2020') and([id_tipomov]='" +
                            QString::number(kind("RIPARAZIONE")) + "')";
    EXPECT_EQ(dialogs.texts(), QStringList{"Filtro incorretto." + refused});
    EXPECT_FALSE(data.Tabmov.filtered());
    store::program().lastFilter.clear();
}

TEST_F(MovementScreenTest, DeleteAsksThenTakesTheMovementWithWhatHangsOnIt) {
    put(data.Tabarticoli,
        {{"Matricola", "WH0000001"}, {"Id_esercizio", 1}, {"Giacenza_sn", false}});
    put(data.Tabmov, {{"Id_tipomov", kind("VENDITA")},
                      {"Data", QDate::currentDate()},
                      {"MATRICOLA_MS", "WH0000001"},
                      {"Dal_magazzino_sn", true}});
    put(data.Tabmisurazioni, {{"ID_MISURAZIONI", 1},
                              {"Id_mov", 1},
                              {"ID_ESERCIZIO", 1},
                              {"ID_MS", 1},
                              {"ID_TECNICO", 1}});
    open(MovementsMode::Sales, [&](TMOVForm& s) {
        EXPECT_EQ(s.list().verificationsGrid()->tableModel().rowCount(), 1);
        dialogs.answer(false);
        press(s, "elimina");
        EXPECT_EQ(storedCount("MOV"), 1) << "No keeps it";
        dialogs.answer(true);
        press(s, "elimina");
        EXPECT_EQ(s.list().verificationsGrid()->tableModel().rowCount(), 0);
        press(s, "elimina");
        press(s, "chiudi");
    });
    EXPECT_EQ(dialogs.texts(),
              (QStringList{"Sei sicuro di volere cancellare il movimento selezionato?",
                           "Sei sicuro di volere cancellare il movimento selezionato?",
                           "Movimento eliminato correttamente.", "Nulla da eliminare"}));
    EXPECT_EQ(storedCount("MOV"), 0);
    EXPECT_EQ(storedCount("misurazioni"), 0);
    EXPECT_TRUE(stored("articoli", "Matricola", "WH0000001", "Giacenza_sn").toBool());
    EXPECT_TRUE(stored("articoli", "Matricola", "WH0000001", "Id_esercizio").isNull());
}

TEST_F(MovementScreenTest, ClosingIsRefusedDuringEntryAndOutsideTheClosingCommand) {
    open(MovementsMode::Interventions, [&](TMOVForm& s) {
        press(s, "Modifica /F9");
        press(s, "Nuovo /F8");
        EXPECT_TRUE(s.tabs().isShowing(TMOVForm::entryTabName));
        EXPECT_FALSE(regtest::closeBox(s));
        press(s, "Annulla");
        EXPECT_FALSE(regtest::closeBox(s));
        EXPECT_TRUE(s.tabs().isShowing("interventi"));
        press(s, "chiudi");
        EXPECT_FALSE(s.isVisible());
    });
    EXPECT_EQ(dialogs.texts(),
              (QStringList{"nulla da modificare",
                           "Terminare la fase di inserimento con i tasti di conferma",
                           "Per uscire dalla finestra usare i tasti opportuni"}));
    EXPECT_EQ(storedCount("MOV"), 0) << "a cancelled new movement is not stored";
}

TEST_F(MovementScreenTest, RowsAreRedUntilDoneGreenWhenDoneBlueOnceInvoiced) {
    const QDate day = QDate::currentDate();
    put(data.Tabmov, {{"Data", day}});
    put(data.Tabmov, {{"Data", day}, {"Evasa_sn", true}, {"Da_fatt_sn", true}});
    put(data.Tabmov, {{"Data", day}, {"Evasa_sn", true}, {"Da_fatt_sn", true}, {"Fatt_sn", true}});
    open(MovementsMode::General, [&](TMOVForm& s) {
        const auto& model = s.list().grid()->tableModel();
        QStringList colours;
        for (int row = 0; row < model.rowCount(); ++row)
            colours << model.data(model.index(row, 3), Qt::ForegroundRole)
                           .value<QBrush>()
                           .color()
                           .name();
        EXPECT_EQ(colours, (QStringList{"#ff0000", "#008000", "#0000ff"}));
        press(s, "chiudi");
    });
}

} // namespace
