// The movement screen's way into the articles: the machine choice of the entry page, the
// articles page of the lists and the articles screen of the menu.
#include "articles/articoliw.h"
#include "articles/sel_artesew.h"
#include "movement_screen_support.h"
#include "movements/movement_entry_page.h"
#include "ui/dbchoice.h"
#include "ui/pagestack.h"

#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>

namespace {

using movements::MovementsMode;
using movtest::put;
using regtest::press;

class ArticlesHostingTest : public movtest::MovementScreen {
protected:
    int shop = 0;
    int modelId = 0;
    void SetUp() override {
        MovementScreen::SetUp();
        shop = customer("BAR SPORT");
        put(data.Tabms, {{"Marchio_ms", "OLIVETTI"}, {"Denominazione_ms", "NETTUNA 300"}});
        modelId = data.Tabms.field("Id_ms").asInteger();
    }
    void machine(const char* matricola, const QVariant& owner) {
        put(data.Tabarticoli, {{"Matricola", matricola},
                               {"Id_ms", modelId},
                               {"Id_esercizio", owner},
                               {"Giacenza_sn", owner.isNull()},
                               {"Indirizzo", "VIA DEL MAGAZZINO 1"},
                               {"Qta", 1}});
    }
    QVariant article(const char* matricola, const char* field) {
        return stored("articoli", "Matricola", matricola, field);
    }
    /// Clicks the row of the picker's grid whose first column reads `matricola`, then "OK".
    static void pickRow(QDialog& picker, const QString& matricola) {
        auto* grid = static_cast<TSel_arteseForm&>(picker)
                         .pages()
                         .currentWidget()
                         ->findChild<ui::DataGrid*>();
        ASSERT_NE(grid, nullptr);
        const int row = regtest::column(*grid, 0).indexOf(matricola);
        ASSERT_GE(row, 0) << matricola.toStdString();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(row, 0).center());
        press(picker, "OK");
    }
    /// Clicks the lower sub-tab of the list that shows.
    static void showLowerTab(TMOVForm& s, const QString& title) {
        QTabWidget* lower = s.list().lowerTabs();
        for (int i = 0; i < lower->count(); ++i)
            if (lower->tabText(i) == title)
                QTest::mouseClick(lower->tabBar(), Qt::LeftButton, {},
                                  lower->tabBar()->tabRect(i).center());
        ASSERT_EQ(lower->tabText(lower->currentIndex()), title);
    }
};

TEST_F(ArticlesHostingTest, SelezionaArticoloNeedsACustomerAndOffersTheListOfTheMovementsType) {
    machine("OWN000001", shop);
    const struct {
        MovementsMode mode;
        const char* command;
        int page; ///< 0 the customer's machines, 1 the warehouse
    } cases[] = {
        {MovementsMode::Interventions, "Nuovo /F8", 0},
        {MovementsMode::Sales, "Nuovo /F8", 1},
    };
    for (const auto& c : cases)
        open(c.mode, [&](TMOVForm& s) {
            press(s, c.command);
            dialogs.clear();
            press(s, "Seleziona articolo");
            EXPECT_EQ(dialogs.texts(), QStringList{"inserire prima la ragione sociale"});
            QApplication::processEvents();
            EXPECT_EQ(QApplication::focusWidget(), s.entryPage().customerChoice());
            movtest::choose(s.entryPage().customerChoice(), "BAR");
            int page = -1;
            {
                ui::ModalHookScope picker([&](QDialog& shown) {
                    page = static_cast<TSel_arteseForm&>(shown).pages().currentIndex();
                    press(shown, "Annulla");
                });
                press(s, "Seleziona articolo");
            }
            EXPECT_EQ(page, c.page) << c.command;
            press(s, "Annulla");
            press(s, "chiudi");
        });
}

TEST_F(ArticlesHostingTest, ASaleTakesTheClickedWarehouseMachineAndAnnullaGivesItBackEmpty) {
    machine("WH0000001", QVariant());
    machine("WH0000002", QVariant());
    open(MovementsMode::Sales, [&](TMOVForm& s) {
        press(s, "Nuovo /F8");
        movtest::choose(s.entryPage().customerChoice(), "BAR");
        {
            ui::ModalHookScope picker([&](QDialog& shown) { pickRow(shown, "WH0000002"); });
            press(s, "Seleziona articolo");
        }
        EXPECT_EQ(data.Tabmov.field("MATRICOLA_MS").asString(), "WH0000002");
        EXPECT_EQ(article("WH0000002", "Id_esercizio").toInt(), shop) << "the customer's at once";
        EXPECT_FALSE(article("WH0000002", "Giacenza_sn").toBool());
        EXPECT_TRUE(article("WH0000001", "Giacenza_sn").toBool());
        press(s, "Annulla");
        press(s, "chiudi");
    });
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();
    EXPECT_EQ(storedCount("MOV"), 0);
    EXPECT_TRUE(article("WH0000002", "Giacenza_sn").toBool());
    EXPECT_TRUE(article("WH0000002", "Id_esercizio").isNull());
    EXPECT_TRUE(article("WH0000002", "Indirizzo").isNull());
}

TEST_F(ArticlesHostingTest, InserisciModificaShowsTheArticlesPageAndConfermaBringsTheLinesBack) {
    put(data.Tabarticoli, {{"Descrizione", "ROTOLO"}, {"Qta", 10}, {"Giacenza_sn", true}});
    put(data.Tabmov, {{"Data", QDate::currentDate()}});
    put(data.Tabmov, {{"Data", QDate::currentDate()}, {"ID_ESERCIZIO", shop}});
    open(MovementsMode::General, [&](TMOVForm& s) {
        showLowerTab(s, movements::MovementList::articlesTabName);
        ASSERT_TRUE(data.Tabmov.locate("ID_ESERCIZIO", QVariant()));
        press(s, "Inserisci/Modifica");
        EXPECT_TRUE(s.tabs().isShowing("generale"));
        ASSERT_TRUE(data.Tabmov.locate("ID_ESERCIZIO", shop));
        press(s, "Inserisci/Modifica");
        EXPECT_TRUE(s.tabs().isShowing(TMOVForm::entryTabName));
        EXPECT_EQ(s.entryPages().currentPageName(), TMOVForm::articlesPageName);
        s.close();
        press(s, "Aggiungi ");
        press(s, "Conferma");
        EXPECT_TRUE(s.tabs().isShowing("generale"));
        EXPECT_EQ(regtest::column(*s.list().linesGrid(), 0), QStringList{"ROTOLO"});
        press(s, "chiudi");
    });
    EXPECT_EQ(dialogs.texts(),
              (QStringList{"Il movimento associato è senza esercizio selezionato. Andare in "
                           "modifica movimento",
                           "Terminare la fase di inserimento con i tasti di conferma"}));
    EXPECT_EQ(stored("articoli", "Descrizione", "ROTOLO", "Qta").toInt(), 9);
}

TEST_F(ArticlesHostingTest, MenuOpensTheArticlesScreenAndPutsTheArticlesFilterBack) {
    data.Tabarticoli.setFilter("[Matricola]<>''");
    data.Tabarticoli.setFiltered(true);
    open(MovementsMode::General, [&](TMOVForm& s) {
        QAction* entry = nullptr;
        for (QAction* a : s.menu()->actions()[0]->menu()->actions())
            if (a->text() == "Articoli e parco macchine")
                entry = a;
        ASSERT_NE(entry, nullptr);
        bool shown = false;
        {
            ui::ModalHookScope inner([&](QDialog& d) {
                shown = qobject_cast<TarticoliForm*>(&d) != nullptr;
                EXPECT_FALSE(data.Tabarticoli.filtered()) << "every article listed";
                press(d, "Chiudi");
            });
            entry->trigger();
        }
        EXPECT_TRUE(shown);
        press(s, "chiudi");
    });
    EXPECT_EQ(data.Tabarticoli.filter(), "[Matricola]<>''");
    EXPECT_TRUE(data.Tabarticoli.filtered());
}

} // namespace
