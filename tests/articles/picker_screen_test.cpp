// The machine picker and a movement's articles page, each on a movement posted directly and
// left in edit, as the movement screen hosts them.
#include "articles/movarticoliw.h"
#include "articles/sel_artesew.h"
#include "screen_support.h"
#include "ui/grid.h"
#include "ui/pagestack.h"

#include <QLineEdit>
#include <optional>

namespace {

using articles::PickFor;
using regtest::press;

class MovementScreens : public arttest::Screens {
protected:
    int modelId = 0;
    int shop = 0;
    void SetUp() override {
        Screens::SetUp();
        modelId = add(data.Tabms, {{"Marchio_ms", "OLIVETTI"}, {"Denominazione_ms", "NETTUNA 300"}},
                      "Id_ms");
        shop = add(data.Tabesercizio, {{"Ragione_sociale", "BAR SPORT"}, {"Comune", "ROMA"}},
                   "Id_esercizio");
        add(data.Tabmov, {{"Id", 1}, {"ID_ESERCIZIO", shop}, {"Dal_magazzino_sn", false}}, "Id");
        data.Tabmov.edit();
        dialogs.clear();
    }
    int machine(const QString& matricola, const QVariant& owner, bool inStock) {
        return add(data.Tabarticoli,
                   {{"Matricola", matricola},
                    {"Id_ms", modelId},
                    {"Id_esercizio", owner},
                    {"Giacenza_sn", inStock}},
                   "Id");
    }
    /// Clicks the row of the grid on the page shown whose first column reads `matricola`.
    static void clickRow(QDialog& picker, const QString& matricola) {
        auto& pages = static_cast<TSel_arteseForm&>(picker).pages();
        auto* grid = pages.currentWidget()->findChild<ui::DataGrid*>();
        ASSERT_NE(grid, nullptr);
        const int row = regtest::column(*grid, 0).indexOf(matricola);
        ASSERT_GE(row, 0) << matricola.toStdString();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(row, 0).center());
        QApplication::processEvents();
    }
    std::optional<QString> pickWith(PickFor kind, std::vector<Step> script) {
        std::optional<QString> chosen;
        run(
            [&] {
                chosen = articles::pickMachine(data, kind, shop);
                return 0;
            },
            std::move(script));
        return chosen;
    }
};

TEST_F(MovementScreens, SaleTakesTheClickedWarehouseMachineToTheCustomer) {
    machine("A", QVariant(), true);
    machine("B", QVariant(), true);
    machine("OWN", shop, false);
    const auto chosen =
        pickWith(PickFor::WarehouseMachines, {[&](QDialog& s) {
                     EXPECT_EQ(s.windowTitle(), "Sel_arteseForm");
                     EXPECT_EQ(static_cast<TSel_arteseForm&>(s).pages().currentIndex(), 1);
                     clickRow(s, "B");
                     press(s, "OK");
                 }});
    EXPECT_EQ(chosen, "B");
    EXPECT_EQ(stored("articoli", "Matricola", "B", "Id_esercizio").toInt(), shop);
    EXPECT_TRUE(stored("articoli", "Matricola", "A", "Giacenza_sn").toBool());
    EXPECT_EQ(data.Tabmov.field("COMUNE").asString(), "ROMA");
}

TEST_F(MovementScreens, InterventionOffersTheCustomersMachinesAndAnnullaChangesNothing) {
    machine("OWN", shop, false);
    const auto cancelled = pickWith(PickFor::CustomerMachines, {[&](QDialog& s) {
                                        EXPECT_EQ(regtest::column(*static_cast<TSel_arteseForm&>(s)
                                                                       .pages()
                                                                       .currentWidget()
                                                                       ->findChild<ui::DataGrid*>(),
                                                                  1),
                                                  QStringList{"NETTUNA 300"});
                                        press(s, "Annulla");
                                    }});
    EXPECT_EQ(cancelled, std::nullopt);
    EXPECT_EQ(data.Tabmov.field("MATRICOLA_MS").asString(), "");
    const auto chosen = pickWith(PickFor::CustomerMachines, {[&](QDialog& s) {
                                     press(s, "OK");
                                 }});
    EXPECT_EQ(chosen, "OWN");
}

TEST_F(MovementScreens, SaleForACustomerTheStoreLacksSaysSoAndMovesNothing) {
    machine("A", QVariant(), true);
    data.Tabmov.field("ID_ESERCIZIO").setAsInteger(77);
    const auto chosen = pickWith(PickFor::WarehouseMachines, {[&](QDialog& s) {
                                     press(s, "OK");
                                     EXPECT_TRUE(s.isVisible());
                                     press(s, "Annulla");
                                 }});
    EXPECT_EQ(chosen, std::nullopt);
    EXPECT_EQ(dialogs.texts(), QStringList{"Comunicare alla kesasoft . errore 1345"});
    EXPECT_TRUE(stored("articoli", "Matricola", "A", "Giacenza_sn").toBool());
}

TEST_F(MovementScreens, ArticlesPageBooksPartsWithTheQuantityBox) {
    add(data.Tabarticoli, {{"Descrizione", "ROTOLO"}, {"Qta", 10}, {"Giacenza_sn", true}}, "Id");
    machine("A", QVariant(), true);
    data.Tabmov.post();
    articles::MovementArticlesPage page(data);
    uitest::showActive(page);
    EXPECT_EQ(data.Tabarticoli.recordCount(), 1); // only the spare part
    auto* quantity = page.findChild<QLineEdit*>();
    const struct {
        const char* typed;
        const char* command;
        int line;
        int warehouse;
    } steps[] = {{"2", "Aggiungi ", 2, 8},
                 {"3", "Aggiungi ", 5, 5},
                 {"x", "Rimuovi", 4, 6},
                 {"7", "Rimuovi", -3, 13}};
    for (const auto& step : steps) {
        regtest::fill(quantity, step.typed);
        press(page, step.command);
        EXPECT_EQ(page.lines().recordCount(), 1);
        EXPECT_EQ(page.lines().field("Qta").asInteger(), step.line) << step.typed;
        EXPECT_EQ(stored("articoli", "Descrizione", "ROTOLO", "Qta").toInt(), step.warehouse);
    }
    // The articles screen switches the filter off; coming back sets it again.
    run(
        [&] {
            press(page, "aggiungi merce in magazzino");
            return 0;
        },
        {[](QDialog& s) {
            press(s, "Chiudi");
        }});
    EXPECT_EQ(data.Tabarticoli.filter(), "[Giacenza_sn]='true' and [Matricola]=''");
    EXPECT_TRUE(data.Tabarticoli.filtered());
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(MovementScreens, ArticlesPageIsRefusedForAMovementWithoutCustomer) {
    EXPECT_TRUE(articles::mayShowArticlesPage(data));
    data.Tabmov.field("ID_ESERCIZIO").clear();
    EXPECT_FALSE(articles::mayShowArticlesPage(data));
    EXPECT_EQ(dialogs.texts(), QStringList{"Il movimento associato è senza esercizio "
                                           "selezionato. Andare in modifica movimento"});
}

} // namespace
