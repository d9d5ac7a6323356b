// The contracts screen driven as a user drives it: clicks and keys, then the records and the
// messages that follow.
#include "contracts/elenco_contrattiw.h"
#include "contracts_support.h"

#include "registry/eserciziow.h"
#include "ui/dbchoice.h"
#include "ui/pagestack.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewDialog>

namespace {

using regtest::press;
using Form = TELENCO_CONTRATTIFORM;

/// Tabs into a drop-down (a click would open its list) and types the first letters of an entry.
void choose(QWidget* box, const QString& start) {
    box->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), box);
    QTest::keyClicks(box, start);
    QApplication::processEvents();
}

class ContractsScreen : public contractstest::Contracts {
protected:
    int shop = 0;
    int tobacco = 0;

    void SetUp() override {
        Contracts::SetUp();
        shop = customer("BAR SPORT", {{"Tel1", "06 111"}, {"Cell1", "347 1"}});
        tobacco = customer("TABACCHI");
        const int form = model("FORM 100");
        machine(shop, form, "AB0000011");
        machine(tobacco, form, "AB0000022");
    }
    void TearDown() override { contracts::setVisitScheduler({}); }

    int open(const std::function<void(Form&)>& body) {
        return drive<Form>(contracts::openContracts, body);
    }
    /// Every screen shown goes to `other`, except the contracts screen, which goes to `body`.
    void openWith(const std::function<void(Form&)>& body,
                  const std::function<void(QDialog&)>& other) {
        ui::ModalHookScope hook([&](QDialog& shown) {
            if (auto* form = qobject_cast<Form*>(&shown))
                body(*form);
            else
                other(shown);
        });
        contracts::openContracts(data);
    }
    void rightClickFirstRow(Form& s, const QString& entry) {
        QWidget* viewport = s.grid()->viewport();
        const QPoint at = s.grid()->cellRect(0, 0).center();
        QTest::mouseClick(viewport, Qt::RightButton, {}, at);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &event);
        QApplication::processEvents();
        ASSERT_TRUE(s.gridMenu()->isVisible());
        for (QAction* a : s.gridMenu()->actions())
            if (a->text() == entry)
                QTest::mouseClick(s.gridMenu(), Qt::LeftButton, {},
                                  s.gridMenu()->actionGeometry(a).center());
        QApplication::processEvents();
    }
};

TEST_F(ContractsScreen, NewContractShowsTheChosenCustomersMachinesAndSavesWithOneLine) {
    open([&](Form& s) {
        press(s, "Nuovo");
        EXPECT_TRUE(s.editing());
        EXPECT_EQ(data.Tabcontratti.field("ID").asInteger(), 1) << "allocated at once";
        EXPECT_EQ(data.Tabarticoli.filter(), "[Id_esercizio]='-100'");
        EXPECT_EQ(s.articleGrid()->tableModel().rowCount(), 0);

        press(s, "OK");
        EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning),
                  QStringList{"Inserire correttamente l'esercizio."});
        EXPECT_EQ(QApplication::focusWidget(), s.customerBox());
        EXPECT_EQ(s.customerBox()->palette().color(QPalette::Base), QColor(Qt::yellow));

        choose(s.customerBox(), "T");
        QTest::keyClick(s.customerBox(), Qt::Key_Tab);
        EXPECT_EQ(s.customerBox()->palette().color(QPalette::Base), QColor(Qt::white));
        EXPECT_EQ(regtest::column(*s.articleGrid(), 1), QStringList{"AB0000022"});
        press(s, "aggiungi riga");
        press(s, "aggiungi riga");
        EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning).last(),
                  "Si puo inserire un solo articolo per singolo contratto");
        EXPECT_EQ(regtest::column(*s.lineGrid(), 1), QStringList{"AB0000022"});

        choose(s.typeBox(), "V");
        regtest::fill(s.startBox(), "31012006");
        choose(s.durationBox(), "1");
        EXPECT_EQ(s.endBox()->text(), "28/02/2006");
        EXPECT_EQ(s.endBox()->focusPolicy(), Qt::NoFocus);
        press(s, "OK");
        EXPECT_FALSE(s.editing());
        EXPECT_EQ(s.counterText(), "Nr.° di record: 1");
    });
    EXPECT_EQ(stored("ele_contratti", "ID", 1, "ID_CLIENTE").toInt(), tobacco);
    EXPECT_EQ(stored("ele_contratti", "ID", 1, "VAL_AL").toDate(), QDate(2006, 2, 28));
    EXPECT_EQ(stored("LINEE_CONTRATTI", "ID_ELENCO", 1, "MATRICOLA").toString(), "AB0000022");
}

TEST_F(ContractsScreen, DurationBeforeTheStartSendsTheUserToTheStart) {
    open([&](Form& s) {
        press(s, "Nuovo");
        choose(s.durationBox(), "3");
        QApplication::processEvents();
        EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning),
                  QStringList{"Inserire prima la data di inizio"});
        EXPECT_EQ(QApplication::focusWidget(), s.startBox());
        press(s, "Annulla");
    });
}

TEST_F(ContractsScreen, AnnullaOnANewContractDropsTheLineAlreadyStored) {
    open([&](Form& s) {
        press(s, "Nuovo");
        choose(s.customerBox(), "B");
        press(s, "aggiungi riga");
        dialogs.answer(true);
        press(s, "elimina riga");
        EXPECT_EQ(storedCount("LINEE_CONTRATTI"), 0);
        press(s, "aggiungi riga");
        EXPECT_EQ(storedCount("LINEE_CONTRATTI"), 1);
        press(s, "Annulla");
        EXPECT_EQ(storedCount("LINEE_CONTRATTI"), 0);
        EXPECT_FALSE(s.editing());
    });
    EXPECT_EQ(dialogs.texts(), (QStringList{"Eliminare la riga selezionata?", "Eliminata."}));
}

TEST_F(ContractsScreen, SettingsMenuRereadsTheTypesAndGivesTheArticlesTheirFilterBack) {
    auto entry = [](Form& s, const QString& caption) {
        for (QAction* a : s.menu()->actions().first()->menu()->actions())
            if (a->text() == caption)
                return a;
        return static_cast<QAction*>(nullptr);
    };
    data.Tabarticoli.setFilter("[Id_esercizio]='1'");
    data.Tabarticoli.setFiltered(true);
    contracts::setArticlesScreen([](Tdm& dm) { dm.Tabarticoli.setFiltered(false); });
    openWith(
        [&](Form& s) {
            EXPECT_EQ(s.typeFilter()->count(), 2);
            entry(s, "tipi di contratto")->trigger();
            EXPECT_EQ(s.typeFilter()->itemText(2), "ASSISTENZA");
            entry(s, "Articoli e parco macchine")->trigger();
        },
        [&](QDialog&) {
            add(data.tab_tipicontratti, {{"Nome_contratto", "ASSISTENZA"}}, "Id");
        });
    contracts::setArticlesScreen({});
    EXPECT_TRUE(data.Tabarticoli.filtered());
}

TEST_F(ContractsScreen, ModificaNeedsAContractAndEliminaTakesItsLine) {
    open([&](Form& s) {
        press(s, "Modifica");
        EXPECT_FALSE(s.editing());
        press(s, "Elimina");
    });
    EXPECT_EQ(dialogs.texts(),
              (QStringList{"Nessun contratto da modificare.", "Nulla da eliminare"}));

    contract(shop, {2006, 1, 1}, "12 MESI", "AB0000011");
    dialogs.clear();
    dialogs.answer(true);
    open([&](Form& s) {
        press(s, "Modifica");
        EXPECT_EQ(data.Tabarticoli.filter(), QString("[Id_esercizio]='%1'").arg(shop));
        press(s, "Annulla");
        press(s, "Elimina");
        EXPECT_EQ(s.counterText(), "Nr.° di record: 0");
    });
    EXPECT_EQ(dialogs.texts(), (QStringList{"Eliminare?", "Eliminato."}));
    EXPECT_EQ(storedCount("ele_contratti"), 0);
    EXPECT_EQ(storedCount("LINEE_CONTRATTI"), 0);
}

TEST_F(ContractsScreen, FiltraByExpiryAndCustomerThenAnUnknownTypeKeepsItAndTuttiShowsAll) {
    contract(shop, {2006, 3, 1}, "12 MESI", "AB0000011");
    contract(shop, {2006, 1, 1}, "1 MESE", "AB0000012");
    contract(tobacco, {2006, 3, 1}, "12 MESI", "AB0000022");
    open([&](Form& s) {
        EXPECT_EQ(s.counterText(), "Nr.° di record: 3");
        regtest::fill(s.fromFilter(), "01012007");
        regtest::fill(s.toFilter(), "31122007");
        regtest::fill(s.customerFilter(), "bar sport");
        press(s, "Filtra");
        EXPECT_EQ(
            data.Tabcontratti.filter(),
            QString("([val_al]>='01/01/2007') and([val_al]<='31/12/2007') and([ID_CLIENTE]='%1')")
                .arg(shop));
        EXPECT_EQ(s.counterText(), "Nr.° di record: 1");

        regtest::fill(s.fromFilter(), "");
        regtest::fill(s.toFilter(), "");
        regtest::fill(s.customerFilter(), "");
        regtest::fill(s.typeFilter(), "assistenza");
        press(s, "Filtra");
        EXPECT_TRUE(data.Tabcontratti.filtered());
        EXPECT_EQ(s.counterText(), "Nr.° di record: 1");
        press(s, "Tutti");
        EXPECT_FALSE(data.Tabcontratti.filtered());
        EXPECT_EQ(s.counterText(), "Nr.° di record: 3");
    });
}

TEST_F(ContractsScreen, RightClickGivesTheTelephonesAndEditsTheCustomer) {
    contract(shop, {2006, 3, 1}, "12 MESI", "AB0000011");
    QString edited;
    openWith(
        [&](Form& s) {
            EXPECT_EQ(s.statusText(), QString(60, '.'));
            rightClickFirstRow(s, "Mostra telefono esercizio selezionato");
            EXPECT_EQ(s.statusText(), "BAR SPORT: t1:06 111 t2: c1:347 1 c2:  f1:  f2:");
            rightClickFirstRow(s, "modifica esercizio");
        },
        [&](QDialog& shown) {
            auto* customers = qobject_cast<TesercizioForm*>(&shown);
            ASSERT_NE(customers, nullptr);
            ASSERT_TRUE(customers->editing());
            edited = customers->table().field("Ragione_sociale").asString();
            press(*customers, "Annulla");
        });
    EXPECT_EQ(edited, "BAR SPORT");
}

TEST_F(ContractsScreen, FissaInterventoWaitsForTheMovementScreen) {
    open([](Form& s) { EXPECT_FALSE(s.button("Fissa intervento")->isEnabled()); });
    contract(tobacco, {2006, 3, 1}, "12 MESI", "AB0000022");
    QString serial;
    contracts::setVisitScheduler(
        [&serial](Tdm& dm) { serial = dm.Tablcontratti.field("MATRICOLA").asString(); });
    open([](Form& s) { press(s, "Fissa intervento"); });
    EXPECT_EQ(serial, "AB0000022");
}

TEST_F(ContractsScreen, PrintsPreviewTheRowsContractAndTheList) {
    contract(tobacco, {2006, 3, 1}, "12 MESI", "AB0000022");
    data.Tabesercizio.first();
    QStringList previews;
    openWith(
        [&](Form& s) {
            press(s, "Stampa contratto");
            press(s, "Stampa elenco");
        },
        [&](QDialog& shown) {
            ASSERT_NE(qobject_cast<QPrintPreviewDialog*>(&shown), nullptr);
            previews << shown.windowTitle();
        });
    EXPECT_EQ(previews, (QStringList{"Contratto", "stampa Elenco contratti"}));
    EXPECT_EQ(data.Tabesercizio.field("Ragione_sociale").asString(), "TABACCHI");

    // A contract whose customer is gone prints nobody else's name.
    data.Tabesercizio.deleteRecord();
    openWith([&](Form& s) { press(s, "Stampa contratto"); },
             [&](QDialog& shown) { previews << shown.windowTitle(); });
    EXPECT_EQ(previews.size(), 2);
    EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning),
              QStringList{"Esercizio del contratto non trovato."});
}

TEST_F(ContractsScreen, CloseBoxRefusedWhileEditing) {
    open([&](Form& s) {
        press(s, "Nuovo");
        EXPECT_FALSE(regtest::closeBox(s));
        press(s, "Annulla");
        EXPECT_TRUE(regtest::closeBox(s));
    });
    EXPECT_EQ(dialogs.texts(), QStringList{"Terminare prima la fase di inserimento dati"});
}

} // namespace
