// The articles screen driven as a user drives it: click, rule, message and record.
#include "articles/articoliw.h"
#include "report/page.h"
#include "screen_support.h"
#include "ui/dbchoice.h"
#include "ui/formkit.h"
#include "ui/pagestack.h"

#include <QLineEdit>

namespace {

using arttest::choose;
using arttest::labelled;
using arttest::pick;
using regtest::press;

class ArticlesScreen : public arttest::Screens {
protected:
    int modelId = 0;
    int shop = 0;
    void SetUp() override {
        Screens::SetUp();
        modelId = add(data.Tabms, {{"Marchio_ms", "OLIVETTI"}, {"Denominazione_ms", "NETTUNA 300"}},
                      "Id_ms");
        shop = add(data.Tabesercizio,
                   {{"Ragione_sociale", "BAR SPORT"},
                    {"Piva", "12345678903"},
                    {"Indirizzo", "VIA ROMA 1"},
                    {"Cap", "00100"}},
                   "Id_esercizio");
        dialogs.clear();
    }
    int open(std::vector<Step> script) {
        return run([this] { return articles::openArticles(data); }, std::move(script));
    }
    static Step chooser(const char* kind) {
        return [kind](QDialog& shown) {
            EXPECT_EQ(shown.windowTitle(), "SELtipoartForm");
            choose(shown, kind);
            press(shown, "OK");
        };
    }
};

TEST_F(ArticlesScreen, SerialNumberArticleIsInStockUntilItGetsAnOwner) {
    for (const bool withOwner : {false, true}) {
        open({[&](QDialog& s) {
                  press(s, "Nuovo Articolo");
                  pick(labelled<QComboBox>(s, "Tipo misuratore:"), "NETTUNA 300");
                  regtest::fill(labelled(s, "Matricola"), withOwner ? "OWN1" : "FREE1");
                  if (withOwner) {
                      press(s, "modifica");
                      pick(labelled<QComboBox>(s, "RAGIONE SOCIALE:"), "BAR SPORT");
                      EXPECT_EQ(labelled<QLineEdit>(s, "Indirizzo")->text(), "VIA ROMA 1");
                  }
                  press(s, "OK");
                  press(s, "Chiudi");
              },
              chooser("Articolo con Matricola")});
        const char* matricola = withOwner ? "OWN1" : "FREE1";
        EXPECT_EQ(stored("articoli", "Matricola", matricola, "Giacenza_sn").toBool(), !withOwner);
        EXPECT_EQ(stored("articoli", "Matricola", matricola, "Id_esercizio").toInt(),
                  withOwner ? shop : -1);
        EXPECT_EQ(stored("articoli", "Matricola", matricola, "Qta").toInt(), 1);
    }
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join("|").toStdString();
}

TEST_F(ArticlesScreen, OwnerStaysLockedForAnArticleWithoutModelAndSaveNamesWhatIsMissing) {
    open({[&](QDialog& s) {
              press(s, "Nuovo Articolo");
              press(s, "modifica");
              EXPECT_TRUE(labelled<ui::DbLookupCombo>(s, "RAGIONE SOCIALE:")->isReadOnly());
              press(s, "OK");
              press(s, "Annulla");
              press(s, "Nuovo Articolo");
              regtest::fill(labelled(s, "Descrizione"), "rotolo");
              press(s, "OK");
              EXPECT_TRUE(s.findChild<ui::PageStack*>()->isShowing("edit"));
              press(s, "Annulla");
              press(s, "Chiudi");
          },
          chooser("Articolo con Matricola"), chooser("Articolo sermplice")});
    EXPECT_EQ(
        dialogs.texts(),
        QStringList({"Articolo non associabile a una ditta. Solo gli articoli con matricola",
                     "Inserire il tipo di misuratore", "Inserire la quantita del prodotto."}));
    EXPECT_EQ(storedCount("articoli"), 0);
}

TEST_F(ArticlesScreen, FilterPanelFiltersTheListAndItsTextHeadsThePrint) {
    add(data.Tabarticoli, {{"Matricola", "A1"}, {"Id_ms", modelId}, {"Giacenza_sn", true}}, "Id");
    add(data.Tabarticoli, {{"Descrizione", "ROTOLO"}, {"Giacenza_sn", true}}, "Id");
    add(data.Tabarticoli, {{"Matricola", "A2"}, {"Id_ms", modelId}, {"Giacenza_sn", false}}, "Id");
    const QString expected = QStringLiteral("[giacenza_sn]='true' and [Id_ms]='%1'").arg(modelId);
    QString printedTitle;
    open({[&](QDialog& shown) {
        auto& s = static_cast<TarticoliForm&>(shown);
        s.setPreview(
            [&](const report::Document& d) { printedTitle = d.pages.front().readingText(); });
        choose(s, "in giacenza");
        pick(labelled<QComboBox>(s, "Tipo misuratore:"), "NETTUNA 300");
        EXPECT_EQ(data.Tabarticoli.filter(), expected);
        EXPECT_EQ(regtest::column(*s.grid(), 2), QStringList{"A1"});
        press(s, "Stampa");
        press(s, "Annulla filtro");
        EXPECT_FALSE(data.Tabarticoli.filtered());
        EXPECT_EQ(labelled<QComboBox>(s, "Tipo misuratore:")->currentText(), "");
        EXPECT_EQ(s.grid()->tableModel().rowCount(), 3);
        press(s, "Chiudi");
    }});
    EXPECT_TRUE(printedTitle.contains(expected)) << printedTitle.toStdString();
}

TEST_F(ArticlesScreen, SearchAsYouTypeAndTrovaOnTheChosenField) {
    for (const char* d : {"BATTERIA", "ROTOLO", "ROTOLO CARTA"})
        add(data.Tabarticoli, {{"Descrizione", d}}, "Id");
    data.Tabarticoli.first();
    open({[&](QDialog& s) {
        auto* field = s.findChild<QComboBox*>();
        QLineEdit* box = nullptr;
        for (auto* e : s.findChildren<ui::UpperLineEdit*>())
            box = e;
        ASSERT_NE(box, nullptr);
        uitest::focusByClick(box);
        uitest::typeText(box, "ROT");
        EXPECT_EQ(data.Tabarticoli.field("Descrizione").asString(), "BATTERIA"); // no field yet
        for (QComboBox* c : s.findChildren<QComboBox*>())
            if (c->findText("descrizione") >= 0)
                field = c;
        field->setCurrentText("descrizione");
        uitest::typeText(box, "OLO ");
        EXPECT_EQ(data.Tabarticoli.field("Descrizione").asString(), "ROTOLO CARTA");
        QTest::keyClick(box, Qt::Key_Backspace);
        press(s, "Trova");
        EXPECT_EQ(data.Tabarticoli.field("Descrizione").asString(), "ROTOLO");
        press(s, "Chiudi");
    }});
}

TEST_F(ArticlesScreen, DeleteAsksChecksThenDeletes) {
    add(data.Tabmov, {{"Id", 1}, {"MATRICOLA_MS", "USED"}}, "Id");
    add(data.Tabmov, {{"Id", 2}}, "Id");
    add(data.Tabarticoli, {{"Matricola", "USED"}, {"Id_ms", modelId}, {"Descrizione", "A"}}, "Id");
    add(data.Tabarticoli, {{"Descrizione", "B"}}, "Id");
    data.Tabarticoli.first();
    dialogs.answer(true);
    dialogs.answer(true);
    open({[&](QDialog& s) {
        press(s, "Elimina");
        QTest::keyClick(static_cast<TarticoliForm&>(s).grid(), Qt::Key_Down);
        press(s, "Elimina");
        press(s, "Chiudi");
    }});
    EXPECT_EQ(dialogs.texts(),
              QStringList({"Sicuro di volere eliminare l\"articolo selezionato?",
                           "IMPOSSIBILE Eliminare articolo usato in almeno un movimento.",
                           "Sicuro di volere eliminare l\"articolo selezionato?",
                           "Eliminato con successo."}));
    EXPECT_EQ(storedCount("articoli"), 1);
}

} // namespace
