// The main window as the user meets it: menu, toolbar, keys and the daily agenda.
#include "main_window_fixture.h"
#include "store/dm.h"
#include "ui/grid.h"
#include "ui/pagestack.h"
#include "ui/ui_support.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

class MainWindow : public apptest::MainWindowFixture {
protected:
    void movement(int id, const QDate& day, int type) {
        data.Tabmov.append();
        data.Tabmov.field("Id").setAsInteger(id);
        data.Tabmov.field("Data").setAsDate(day);
        data.Tabmov.field("Id_tipomov").setAsInteger(type);
        data.Tabmov.post();
    }
    void press(const QString& caption) {
        QPushButton* b = window->button(caption);
        ASSERT_NE(b, nullptr) << caption.toStdString();
        uitest::click(b);
    }
};

} // namespace

TEST_F(MainWindow, CaptionMenusAndEntriesInOrder) {
    EXPECT_EQ(window->windowTitle(), "Software: Assistenza tecnica sui Misurazioni Fiscali");
    QStringList menus;
    for (QAction* top : window->menuBar()->actions())
        menus << top->text();
    EXPECT_EQ(menus, (QStringList{"Tabelle", "Movimenti", "Documenti", "Agenzia Entrate", "Utilità",
                                  "?"}));
    EXPECT_EQ(entries("Tabelle"),
              (QStringList{"Esercizi (clienti)", "Fornitori", "-", "Elenco comuni ", "-",
                           "Impostazioni default", "Tipi movimenti", "Tipi di contratto", "-",
                           "Uscita dal programma"}));
    EXPECT_EQ(entries("Movimenti"),
              (QStringList{"Elenco Movimentazione", "-", "Elenco Vendite", "Elenco Riparazioni",
                           "Elenco Interventi", "-", "Tipi di movimento"}));
    EXPECT_EQ(entries("Documenti"),
              (QStringList{"impostazioni", "-", "tipo di documenti", "Elenco documenti"}));
    EXPECT_EQ(
        entries("Agenzia Entrate"),
        (QStringList{"Soggetto obbligato (concessionario)", "Tecnici", "Misuratori (tipologia)",
                     "-", "Scarica dati sul software di verificazione periodica della kesasoft"}));
    EXPECT_EQ(entries("Utilità"),
              (QStringList{"svuota archivi", "Importa", "copia di salvataggio..."}));
    EXPECT_EQ(entries("?"), (QStringList{"Informazioni su...", "-", "Primi passi..."}));
}

TEST_F(MainWindow, ToolbarCaptionsAndHints) {
    const std::pair<const char*, const char*> buttons[] = {
        {"Elenco tecnici /F3", "Elenco Tecnici"},
        {"Elenco Esercizii /F4", "Elenco Esercizi commerciali"},
        {"Articoli e parco macchine", ""},
        {"Elenco Contratti", ""},
        {"Elenco interventi", ""},
        {"Elenco riparazioni", ""},
        {"Elenco vendite", ""},
        {"Elenco Documenti", ""},
        {"Gest. movimenti  /F6", ""}};
    for (const auto& [caption, hint] : buttons) {
        QPushButton* b = window->button(QString::fromUtf8(caption));
        ASSERT_NE(b, nullptr) << caption;
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(hint));
        EXPECT_FALSE(b->isEnabled()) << caption << " has no screen yet";
    }
}

TEST_F(MainWindow, FunctionKeysOpenTheirScreensAndF4DoesNothing) {
    int technicians = 0, movements = 0, customers = 0;
    window->setOpener(MainCommand::Technicians, [&] { ++technicians; });
    window->setOpener(MainCommand::Movements, [&] { ++movements; });
    window->setOpener(MainCommand::Customers, [&] { ++customers; });
    EXPECT_TRUE(window->button("Elenco tecnici /F3")->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_F3);
    QTest::keyClick(window.get(), Qt::Key_F6, Qt::ShiftModifier);
    QTest::keyClick(window.get(), Qt::Key_F4);
    EXPECT_EQ(technicians, 1);
    EXPECT_EQ(movements, 1);
    EXPECT_EQ(customers, 0);
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(MainWindow, EachMovementListOpensItsOwnModeFromTheStartPage) {
    const struct {
        const char* button;
        const char* entry;
        MainCommand command;
    } lists[] = {{"Elenco interventi", "Elenco Interventi", MainCommand::Interventions},
                 {"Elenco riparazioni", "Elenco Riparazioni", MainCommand::Repairs},
                 {"Elenco vendite", "Elenco Vendite", MainCommand::Sales},
                 {"Gest. movimenti  /F6", "Elenco Movimentazione", MainCommand::Movements}};
    std::vector<MainCommand> opened;
    for (const auto& list : lists)
        window->setOpener(list.command, [&opened, c = list.command] { opened.push_back(c); });
    for (const auto& list : lists) {
        press("Mostra interventi");
        press(list.button);
        EXPECT_EQ(window->agendaPage(), "inizio") << list.button;
        entry("Movimenti", list.entry)->trigger();
    }
    EXPECT_EQ(opened, (std::vector<MainCommand>{
                          MainCommand::Interventions, MainCommand::Interventions,
                          MainCommand::Repairs, MainCommand::Repairs, MainCommand::Sales,
                          MainCommand::Sales, MainCommand::Movements, MainCommand::Movements}));
}

TEST_F(MainWindow, CalendarButtonsKeepTheDayInsideTheMonth) {
    EXPECT_EQ(window->dateCaption(), "MERCOLEDÌ 31 GENNAIO 2007");
    press(">");
    EXPECT_EQ(window->selectedDate(), QDate(2007, 2, 28));
    window->selectDate(QDate(2008, 3, 31));
    press("<");
    EXPECT_EQ(window->selectedDate(), QDate(2008, 2, 29));
    press(">>");
    EXPECT_EQ(window->selectedDate(), QDate(2009, 2, 28));
    press("<<");
    EXPECT_EQ(window->selectedDate(), QDate(2008, 2, 28));
    press("OGGI");
    EXPECT_EQ(window->selectedDate(), QDate::currentDate());
}

TEST_F(MainWindow, ShowInterventionsListsThatDaysInterventions) {
    movement(1, QDate(2007, 1, 31), 1);
    movement(2, QDate(2007, 1, 31), 2);
    movement(3, QDate(2007, 1, 30), 1);
    press("Mostra interventi");
    EXPECT_EQ(window->agendaPage(), "interventi");
    EXPECT_EQ(data.Tabmov.filter(), "([data]='31/01/2007') and ([id_tipomov]='1')");
    EXPECT_EQ(window->interventionsGrid()->model()->rowCount(), 1);
    EXPECT_EQ(window->interventionsGrid()->model()->headerData(2, Qt::Horizontal).toString(),
              "ragionesociale");
    press("<");
    EXPECT_EQ(data.Tabmov.filter(), "([data]='31/12/2006') and ([id_tipomov]='1')");
    EXPECT_EQ(window->interventionsGrid()->model()->rowCount(), 0);
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(MainWindow, TodayRefiltersTheShownPage) {
    movement(1, QDate::currentDate(), 2);
    press("Mostra riparazioni");
    EXPECT_EQ(window->repairsGrid()->model()->rowCount(), 0);
    press("OGGI");
    EXPECT_EQ(data.Tabmov.filter(), "([data]='" + QDate::currentDate().toString("dd/MM/yyyy") +
                                        "') and ([id_tipomov]='2')");
    EXPECT_EQ(window->repairsGrid()->model()->rowCount(), 1);
}

TEST_F(MainWindow, BackLeavesTheFilterAndStartPageDoesNotRefilter) {
    press("Mostra appuntamenti");
    EXPECT_EQ(data.Tabmov.filter(), "([Data_app]='31/01/2007')");
    press("indietro");
    EXPECT_EQ(window->agendaPage(), "inizio");
    press(">");
    EXPECT_EQ(data.Tabmov.filter(), "([Data_app]='31/01/2007')");
}

TEST_F(MainWindow, ContractsExpiringThatDay) {
    data.Tabcontratti.append();
    data.Tabcontratti.field("ID").setAsInteger(1);
    data.Tabcontratti.field("ID_CONTRATTO").setAsInteger(1);
    data.Tabcontratti.field("VAL_AL").setAsDate(QDate(2007, 1, 31));
    data.Tabcontratti.post();
    press("Mostra contratti");
    EXPECT_EQ(window->agendaPage(), "contratti");
    EXPECT_EQ(data.Tabcontratti.filter(), "([VAL_AL]='31/01/2007')");
    QAbstractItemModel* model = window->contractsGrid()->model();
    ASSERT_EQ(model->rowCount(), 1);
    EXPECT_EQ(model->data(model->index(0, 0)).toString(), "VERIFICA PERIODICA");
}
