// The customer register as the user meets it: list, edit page, delete, card, search, sort.
#include "registry/comuniw.h"
#include "registry/customer_rules.h"
#include "registry/eserciziow.h"
#include "registry_support.h"

#include "ui/dialogs.h"
#include "ui/pagestack.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

namespace {

using regtest::press;

const QString duplicateVat = "Errore Partita Iva esistente. Ditta caricata";

class Customers : public regtest::Registers {
protected:
    registry::CustomersMode mode = registry::CustomersMode::List;

    int open(const std::function<void(TesercizioForm&)>& body) {
        return drive<TesercizioForm>([this](Tdm& d) { return registry::openCustomers(d, mode); },
                                     body);
    }
    /// A complete customer stored through a second object (no screen, no warnings).
    int customer(const QString& name, const QString& vat, const QString& comune = "ROMA") {
        store::Table& t = data.Tab_ese2;
        t.append();
        t.field("Ragione_sociale").setAsString(name);
        t.field("Piva").setAsString(vat);
        t.field("Comune").setAsString(comune);
        t.field("Provincia").setAsString("XX");
        t.field("Indirizzo").setAsString("VIA ROMA 1");
        t.field("Cap").setAsString("00118");
        t.post();
        data.Tabesercizio.refresh();
        return t.field("Id_esercizio").asInteger();
    }
    QString current(const char* field) { return data.Tabesercizio.field(field).asString(); }
    /// Clicks the list's row showing that business name.
    static void clickRow(TesercizioForm& s, const QString& name) {
        const QStringList names = regtest::column(*s.grid(), 0);
        const int row = int(names.indexOf(name));
        ASSERT_GE(row, 0) << name.toStdString();
        QTest::mouseClick(s.grid()->viewport(), Qt::LeftButton, {},
                          s.grid()->cellRect(row, 0).center());
        QApplication::processEvents();
    }
    static void clickTitle(TesercizioForm& s, int column) {
        QHeaderView* h = s.grid()->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(column) + 5, h->height() / 2));
        QApplication::processEvents();
    }
    static void enter(QWidget* w) {
        QTest::keyClick(w, Qt::Key_Return);
        QApplication::processEvents();
    }
};

TEST_F(Customers, ListPageCaptionsColumnsButtonsSearchAndMenu) {
    customer("BAR SPORT", "12345678903");
    open([](TesercizioForm& s) {
        EXPECT_EQ(s.windowTitle(), "esercizi/clienti");
        EXPECT_TRUE(s.pages().isShowing(TesercizioForm::listPageName));
        EXPECT_EQ(regtest::titles(*s.grid()), (QStringList{"Ragione Sociale", "P.iva", "Indirizzo",
                                                           "Comune", "Provincia", "Cap"}));
        EXPECT_EQ(regtest::column(*s.grid(), 0), QStringList{"BAR SPORT"});
        for (const char* caption :
             {"Nuovo/F8", "Modifica/F9", "elimina", "Scheda", "chiudi", "Trova"})
            EXPECT_TRUE(s.button(caption)->isVisible()) << caption;
        EXPECT_TRUE(s.button("Scheda")->font().bold());
        EXPECT_EQ(s.searchField()->currentText(), "Ragione_Sociale");
        EXPECT_EQ(s.searchField()->count(), 2);
        EXPECT_EQ(s.searchField()->itemText(1), "PIVA");
        ASSERT_EQ(s.menu()->actions().size(), 1);
        EXPECT_EQ(s.menu()->actions()[0]->text(), "Impostazioni");
        QAction* municipalities = s.menu()->actions()[0]->menu()->actions()[0];
        EXPECT_EQ(municipalities->text(), "Elenco Comuni");
        bool shown = false;
        {
            ui::ModalHookScope inner([&](QDialog& d) {
                shown = qobject_cast<TcomuniForm*>(&d) != nullptr;
                d.close();
            });
            municipalities->trigger();
        }
        EXPECT_TRUE(shown);
        QStringList labels;
        for (QLabel* l : s.findChildren<QLabel*>())
            if (l->isVisible())
                labels << l->text();
        EXPECT_TRUE(labels.contains("cliccate sul titolo delle colonne per cambiare ordinamento"));
    });
}

TEST_F(Customers, NewCustomerWithAStoredVatIsRefusedAnEditKeepingItsOwnPasses) {
    customer("BAR SPORT", "12345678903");
    open([&](TesercizioForm& s) {
        press(s, "Nuovo/F8");
        ASSERT_TRUE(s.pages().isShowing(TesercizioForm::editPageName));
        EXPECT_EQ(QApplication::focusWidget(), s.box("Ragione_sociale"));
        regtest::fill(s.box("Ragione_sociale"), "bar nuovo");
        regtest::fill(s.box("Piva"), "12345678903");
        regtest::fill(s.box("Comune"), "ROMA");
        regtest::fill(s.box("Indirizzo"), "VIA APPIA 2");
        EXPECT_EQ(s.box("Ragione_sociale")->text(), "BAR NUOVO");
        EXPECT_EQ(s.box("Provincia")->text(), "RM");
        press(s, "OK");
        EXPECT_EQ(dialogs.texts(), QStringList{duplicateVat});
        EXPECT_TRUE(s.pages().isShowing(TesercizioForm::editPageName));
        EXPECT_EQ(QApplication::focusWidget(), s.box("Piva"));
        press(s, "Annulla");
        EXPECT_TRUE(s.pages().isShowing(TesercizioForm::listPageName));
        EXPECT_EQ(storedCount("esercizio"), 1);

        dialogs.clear();
        clickRow(s, "BAR SPORT");
        press(s, "Modifica/F9");
        regtest::fill(s.box("Indirizzo"), "VIA NUOVA 9");
        press(s, "OK");
        EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();
        EXPECT_TRUE(s.pages().isShowing(TesercizioForm::listPageName));
        press(s, "chiudi");
    });
    EXPECT_EQ(stored("esercizio", "Piva", "12345678903", "Indirizzo").toString(), "VIA NUOVA 9");
}

TEST_F(Customers, ANameWithAnApostropheIsSavedFoundAndEditedLikeAnyOther) {
    customer("BAR SPORT", "12345678903");
    open([&](TesercizioForm& s) {
        press(s, "Nuovo/F8");
        regtest::fill(s.box("Ragione_sociale"), "bar dell'angelo");
        regtest::fill(s.box("Piva"), "01234567897");
        regtest::fill(s.box("Comune"), "ROMA");
        regtest::fill(s.box("Indirizzo"), "VIA DELL'ORSO 3");
        press(s, "OK");
        ASSERT_TRUE(s.pages().isShowing(TesercizioForm::listPageName));
        clickRow(s, "BAR SPORT");
        s.searchBox()->setText("BAR DELL'ANGELO");
        press(s, "Trova");
        EXPECT_EQ(current("Ragione_sociale"), "BAR DELL'ANGELO");
        press(s, "Modifica/F9");
        regtest::fill(s.box("Indirizzo"), "VIA DELL'ORSO 4");
        press(s, "OK");
        press(s, "Scheda");
        EXPECT_EQ(s.cardTitle(), "BAR DELL'ANGELO");
        press(s, "Indietro");
        press(s, "chiudi");
    });
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();
    EXPECT_EQ(stored("esercizio", "Ragione_sociale", "BAR DELL'ANGELO", "Indirizzo").toString(),
              "VIA DELL'ORSO 4");
}

TEST_F(Customers, EnterWalksTheAddressBoxesToOkAndConfirms) {
    open([&](TesercizioForm& s) {
        QTest::keyClick(s.grid(), Qt::Key_F8);
        ASSERT_TRUE(s.pages().isShowing(TesercizioForm::editPageName));
        ASSERT_TRUE(s.inserting());
        QWidget* w = QApplication::focusWidget();
        uitest::typeText(w, "pizzeria da totò");
        enter(w);
        w = QApplication::focusWidget();
        EXPECT_EQ(w, s.box("Piva"));
        uitest::typeText(w, "01234567897");
        enter(w);
        w = QApplication::focusWidget();
        EXPECT_EQ(w, s.box("Comune"));
        uitest::typeText(w, "torino");
        enter(w);
        EXPECT_EQ(QApplication::focusWidget(), s.box("Provincia"));
        EXPECT_EQ(s.box("Provincia")->text(), "TO");
        EXPECT_EQ(s.box("Cap")->text(), "10121");
        enter(QApplication::focusWidget());
        w = QApplication::focusWidget();
        EXPECT_EQ(w, s.box("Indirizzo"));
        uitest::typeText(w, "corso francia 1");
        enter(w);
        EXPECT_EQ(QApplication::focusWidget(), s.box("Cap"));
        enter(QApplication::focusWidget());
        EXPECT_EQ(QApplication::focusWidget(), s.button("OK"));
        enter(QApplication::focusWidget());
        EXPECT_TRUE(s.pages().isShowing(TesercizioForm::listPageName));
        EXPECT_FALSE(s.inserting());
        press(s, "chiudi");
    });
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();
    EXPECT_EQ(stored("esercizio", "Id_esercizio", 1, "Ragione_sociale").toString(),
              "PIZZERIA DA TOTÒ");
    EXPECT_EQ(stored("esercizio", "Id_esercizio", 1, "Indirizzo").toString(), "CORSO FRANCIA 1");
}

// F8 or F9 on the edit page would post the pending record past its checks, or remember the
// pending VAT number as the record's own; there they do nothing.
TEST_F(Customers, FunctionKeysOnTheEditPageDoNotSlipAPendingRecordPastTheChecks) {
    customer("BAR SPORT", "12345678903");
    open([&](TesercizioForm& s) {
        QTest::keyClick(s.grid(), Qt::Key_F9);
        ASSERT_TRUE(s.pages().isShowing(TesercizioForm::editPageName));
        EXPECT_FALSE(s.inserting());
        press(s, "Annulla");
        QTest::keyClick(s.grid(), Qt::Key_F8);
        ASSERT_TRUE(s.inserting());
        regtest::fill(s.box("Ragione_sociale"), "BAR COPIA");
        regtest::fill(s.box("Piva"), "12345678903");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F8);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F9);
        EXPECT_EQ(storedCount("esercizio"), 1);
        press(s, "OK");
        EXPECT_EQ(dialogs.texts(), QStringList{duplicateVat});
        press(s, "Annulla");
        press(s, "chiudi");
    });
    EXPECT_EQ(storedCount("esercizio"), 1);
}

TEST_F(Customers, BadVatAndLowerCaseMunicipalityWarnOnLeavingAndOkRefusesMissingProvince) {
    open([&](TesercizioForm& s) {
        press(s, "Nuovo/F8");
        regtest::fill(s.box("Ragione_sociale"), "BAR");
        regtest::fill(s.box("Piva"), "12345678901");
        EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning), QStringList{"Errore P. Iva"});
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), s.box("Piva")) << "the focus comes back";
        regtest::fill(s.box("Piva"), "12345678903");
        // Typed into the box the name arrives in capitals; set in other case, it is not found.
        data.Tabesercizio.field("Comune").setAsString("Roma");
        EXPECT_EQ(dialogs.texts().last(), "Errore Sul Comune inserito");
        regtest::fill(s.box("Indirizzo"), "VIA LATINA 4");
        dialogs.clear();
        press(s, "OK");
        EXPECT_EQ(dialogs.texts(),
                  QStringList{"Per confermare è necessario inserire tutti i valori nei campi"});
        EXPECT_TRUE(s.pages().isShowing(TesercizioForm::editPageName));
        EXPECT_FALSE(regtest::closeBox(s));
        EXPECT_EQ(dialogs.texts().last(),
                  "Terminare la fase di inserimento con i tasti di conferma");
        press(s, "Annulla");
        press(s, "chiudi");
    });
    EXPECT_EQ(storedCount("esercizio"), 0);
}

TEST_F(Customers, DeleteRefusedForMovementsBeforeContractsThenDeletes) {
    const int both = customer("BAR SPORT", "12345678903");
    customer("TABACCHI ROSSI", "01234567897");
    for (int id : {1, 2}) {
        data.Tabcontratti.append();
        data.Tabcontratti.field("ID").setAsInteger(id);
        data.Tabcontratti.field("ID_CLIENTE").setAsInteger(both);
        data.Tabcontratti.post();
    }
    data.Tabmov.append();
    data.Tabmov.field("Id").setAsInteger(1);
    data.Tabmov.field("ID_ESERCIZIO").setAsInteger(both);
    data.Tabmov.post();
    const QString question = "Sei sicuro di volere cancellare l'esercizio selezionato?";
    open([&](TesercizioForm& s) {
        clickRow(s, "BAR SPORT");
        dialogs.answer(false);
        press(s, "elimina");
        EXPECT_EQ(dialogs.texts(), QStringList{question});
        dialogs.clear();
        dialogs.answer(true);
        press(s, "elimina");
        EXPECT_EQ(dialogs.entries(),
                  (std::vector<ui::ScriptedDialogs::Entry>{
                      {ui::DialogKind::Question, question},
                      {ui::DialogKind::Warning, "Eliminazione impossibile. Eliminare prima i "
                                                "movimenti per la ditta selezionata."}}));
        dialogs.clear();
        clickRow(s, "TABACCHI ROSSI");
        dialogs.answer(true);
        press(s, "elimina");
        EXPECT_EQ(dialogs.texts(), (QStringList{question, "Esercizio eliminato correttamente."}));
        EXPECT_EQ(regtest::column(*s.grid(), 0), QStringList{"BAR SPORT"});
        press(s, "chiudi");
    });
    EXPECT_EQ(storedCount("esercizio"), 1);
}

TEST_F(Customers, DeleteOnAnEmptyRegisterHasNothingToDo) {
    open([&](TesercizioForm& s) {
        press(s, "elimina");
        press(s, "Modifica/F9");
        EXPECT_TRUE(s.pages().isShowing(TesercizioForm::listPageName));
        press(s, "chiudi");
    });
    EXPECT_EQ(dialogs.texts(), QStringList{"Nulla da eliminare"});
}

TEST_F(Customers, CardOfACustomerWithoutContractsShowsEmptyGridsAndRefusesTheCloseBox) {
    customer("BAR SPORT", "12345678903");
    open([&](TesercizioForm& s) {
        press(s, "Scheda");
        ASSERT_TRUE(s.pages().isShowing(TesercizioForm::cardPageName));
        EXPECT_EQ(s.cardTitle(), "BAR SPORT");
        EXPECT_EQ(s.movementsGrid()->model()->rowCount(), 0);
        EXPECT_EQ(s.contractsGrid()->model()->rowCount(), 0);
        EXPECT_EQ(regtest::titles(*s.contractsGrid()).first(), "tipocontratto");
        EXPECT_EQ(regtest::titles(*s.movementsGrid()).size(), 14);
        EXPECT_EQ(s.cardDescription(), "");
        EXPECT_EQ(s.cardSerial(), "");
        EXPECT_FALSE(regtest::closeBox(s));
        EXPECT_EQ(dialogs.texts(),
                  QStringList{"Per uscire dalla finestra usare i tasti opportuni"});
        press(s, "Indietro");
        EXPECT_TRUE(s.pages().isShowing(TesercizioForm::listPageName));
        press(s, "chiudi");
    });
}

TEST_F(Customers, CardListsTheMovementsAndContractsOfTheCustomer) {
    const int bar = customer("BAR SPORT", "12345678903");
    data.Tabmov.append();
    data.Tabmov.field("Id").setAsInteger(1);
    data.Tabmov.field("ID_ESERCIZIO").setAsInteger(bar);
    data.Tabmov.field("Id_tipomov").setAsInteger(1);
    data.Tabmov.field("MATRICOLA_MS").setAsString("XY0000001");
    data.Tabmov.post();
    data.Tabcontratti.append();
    data.Tabcontratti.field("ID").setAsInteger(5);
    data.Tabcontratti.field("ID_CLIENTE").setAsInteger(bar);
    data.Tabcontratti.post();
    data.Tablcontratti.append();
    data.Tablcontratti.field("ID").setAsInteger(1);
    data.Tablcontratti.field("ID_ELENCO").setAsInteger(5);
    data.Tablcontratti.field("DESCRIZIONE").setAsString("CASSA");
    data.Tablcontratti.field("MATRICOLA").setAsString("XY0000001");
    data.Tablcontratti.post();
    open([&](TesercizioForm& s) {
        press(s, "Scheda");
        EXPECT_EQ(regtest::column(*s.movementsGrid(), 0), QStringList{"INTERVENTO"});
        EXPECT_EQ(regtest::column(*s.movementsGrid(), 3), QStringList{"XY0000001"});
        EXPECT_EQ(s.contractsGrid()->model()->rowCount(), 1);
        EXPECT_EQ(s.cardDescription(), "CASSA");
        EXPECT_EQ(s.cardSerial(), "XY0000001");
        press(s, "Indietro");
        press(s, "chiudi");
    });
}

TEST_F(Customers, SearchAsYouTypeMovesTheListAndTrovaFindsTheWholeName) {
    customer("BAR SPORT", "12345678903");
    customer("BARBIERE LUIGI", "01234567897");
    customer("TABACCHI ROSSI", "11111111115");
    open([&](TesercizioForm& s) {
        uitest::focusByClick(s.searchBox());
        uitest::typeText(s.searchBox(), "ta");
        EXPECT_EQ(s.searchBox()->text(), "TA");
        EXPECT_EQ(current("Ragione_sociale"), "TABACCHI ROSSI");
        EXPECT_EQ(s.grid()->currentIndex().row(), 2);
        QTest::keyClick(s.searchBox(), Qt::Key_A, Qt::ControlModifier);
        uitest::typeText(s.searchBox(), "barb");
        EXPECT_EQ(current("Ragione_sociale"), "BARBIERE LUIGI");
        uitest::typeText(s.searchBox(), "x");
        EXPECT_EQ(current("Ragione_sociale"), "BARBIERE LUIGI") << "a failed search stays";

        s.searchBox()->setText("BAR SPORT");
        clickRow(s, "TABACCHI ROSSI");
        press(s, "Trova");
        EXPECT_EQ(current("Ragione_sociale"), "BAR SPORT");
        s.searchBox()->setText("BAR");
        clickRow(s, "TABACCHI ROSSI");
        press(s, "Trova");
        EXPECT_EQ(current("Ragione_sociale"), "TABACCHI ROSSI") << "Trova wants the whole name";
        press(s, "chiudi");
    });
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(Customers, TitleClickResortsAndChoosesTheSearchField) {
    customer("BAR ALFA", "12345678903", "TORINO");
    customer("ZETA SRL", "01234567897", "BARI");
    open([&](TesercizioForm& s) {
        EXPECT_EQ(data.Tabesercizio.indexName(), "rs_index");
        clickTitle(s, 3);
        EXPECT_EQ(data.Tabesercizio.indexName(), "comune_index");
        EXPECT_EQ(regtest::column(*s.grid(), 0), (QStringList{"ZETA SRL", "BAR ALFA"}));
        clickTitle(s, 1);
        EXPECT_EQ(data.Tabesercizio.indexName(), "piva_index");
        EXPECT_EQ(s.searchField()->currentText(), "PIVA");
        uitest::focusByClick(s.searchBox());
        uitest::typeText(s.searchBox(), "0123");
        EXPECT_EQ(current("Ragione_sociale"), "ZETA SRL");
        clickTitle(s, 5);
        EXPECT_EQ(data.Tabesercizio.indexName(), "piva_index") << "Cap does not sort";
        clickTitle(s, 0);
        EXPECT_EQ(data.Tabesercizio.indexName(), "rs_index");
        EXPECT_EQ(s.searchField()->currentText(), "Ragione_Sociale");
        press(s, "chiudi");
    });
}

TEST_F(Customers, EditFromContractOpensTheContractsCustomerAndClosesOnOkOrAnnulla) {
    customer("BAR SPORT", "12345678903");
    const int rossi = customer("TABACCHI ROSSI", "01234567897");
    data.Tabcontratti.append();
    data.Tabcontratti.field("ID").setAsInteger(1);
    data.Tabcontratti.field("ID_CLIENTE").setAsInteger(rossi);
    data.Tabcontratti.post();
    mode = registry::CustomersMode::EditFromContract;
    bool closed = false;
    const int result = open([&](TesercizioForm& s) {
        ASSERT_TRUE(s.pages().isShowing(TesercizioForm::editPageName));
        EXPECT_EQ(s.box("Ragione_sociale")->text(), "TABACCHI ROSSI");
        regtest::fill(s.box("Indirizzo"), "PIAZZA DUOMO 1");
        press(s, "OK");
        closed = !s.isVisible();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(stored("esercizio", "Id_esercizio", rossi, "Indirizzo").toString(), "PIAZZA DUOMO 1");

    closed = false;
    const int cancelled = open([&](TesercizioForm& s) {
        ASSERT_TRUE(s.pages().isShowing(TesercizioForm::editPageName));
        press(s, "Annulla");
        closed = !s.isVisible();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(cancelled, QDialog::Rejected);
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();

    // On its list the same screen stays open.
    mode = registry::CustomersMode::List;
    open([&](TesercizioForm& s) {
        EXPECT_TRUE(s.pages().isShowing(TesercizioForm::listPageName));
        press(s, "chiudi");
    });
}

} // namespace
