// The document screens as the user drives them: click, rule, message and record.
#include "documents/document_rules.h"
#include "documents/elenco_docw.h"
#include "documents/from_movements.h"
#include "documents/prop_fatturaw.h"
#include "documents/tipodocw.h"
#include "documents/wordingw.h"
#include "documents_support.h"
#include "registry/registry_support.h"
#include "support/snapshot.h"
#include "ui/dbchoice.h"
#include "ui/grid.h"
#include "ui/navigator.h"
#include "ui/pagestack.h"
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QToolButton>

#include <QFormLayout>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace doctest;
using regtest::press;

namespace {

/// Clicks the tab with that caption.
void clickTab(QTabWidget& tabs, const QString& caption) {
    QTabBar* bar = tabs.tabBar();
    for (int i = 0; i < bar->count(); ++i)
        if (bar->tabText(i) == caption) {
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
            QApplication::processEvents();
        }
    ASSERT_EQ(tabs.tabText(tabs.currentIndex()), caption);
}

/// The box of the properties screen's line page labelled `caption`.
QWidget* lineBox(Tprop_fatturaForm& p, const QString& caption) {
    for (QFormLayout* form : p.findChildren<QFormLayout*>())
        for (int row = 0; row < form->rowCount(); ++row) {
            auto* label = form->itemAt(row, QFormLayout::LabelRole);
            auto* field = form->itemAt(row, QFormLayout::FieldRole);
            if (label && field && qobject_cast<QLabel*>(label->widget()) &&
                qobject_cast<QLabel*>(label->widget())->text() == caption)
                return field->widget();
        }
    ADD_FAILURE() << caption.toStdString();
    return nullptr;
}

class DocumentScreens : public ::testing::Test {
protected:
    uitest::Dialogs dialogs;
    testsupport::WorkingYear working{ui::warningSink()};
    Tdm& dm = working.data;
    /// What to do in the properties screen when it shows.
    std::function<void(Tprop_fatturaForm&)> properties;
    /// What to do in a wording-list screen opened from the properties screen.
    std::function<void(TwordingForm&)> wording;
    QTemporaryDir temporary;

    void SetUp() override { ASSERT_TRUE(working.opened); }

    /// Opens the list and drives it; the properties screen it opens runs `properties`.
    void onList(const std::function<void(Telenco_docForm&)>& body) {
        ui::ModalHookScope hook([&](QDialog& shown) {
            if (auto* list = qobject_cast<Telenco_docForm*>(&shown))
                body(*list);
            else if (auto* props = qobject_cast<Tprop_fatturaForm*>(&shown); props && properties)
                properties(*props);
            else if (auto* list = qobject_cast<TwordingForm*>(&shown); list && wording)
                wording(*list);
        });
        documents::openDocuments(dm);
    }
    void addMovement(int id) {
        store::Table movements(working.year.path(), "MOV");
        movements.open();
        add(movements, {{"Id", id},
                        {"Da_fatt_sn", true},
                        {"Fatt_sn", false},
                        {"Da_fatt4", "CANONE ASSISTENZA"},
                        {"Imp_fatt", 50},
                        {"Iva_fatt", 22}});
    }
    int stored(const QString& table, const QString& filter = {}) {
        store::Table probe(working.year.path(), table);
        probe.open();
        if (!filter.isEmpty()) {
            probe.setFilter(filter);
            probe.setFiltered(true);
        }
        return probe.recordCount();
    }
    void shoot(QWidget& screen, const QString& name) {
        support::shoot(screen, name, temporary.path());
    }
};

TEST_F(DocumentScreens, GeneratedDocumentKeptOrCancelledFromTheMovementsToInvoice) {
    addMovement(5);
    const struct {
        const char* answer;
        int documents, lines, toInvoice;
    } cases[] = {{"&Annulla", 0, 0, 1}, {"&Ok", 1, 1, 0}};
    for (const auto& c : cases) {
        properties = [&](Tprop_fatturaForm& p) {
            EXPECT_EQ(regtest::column(p.lineGrid(), 1), QStringList{"CANONE ASSISTENZA"});
            shoot(p, "document-properties");
            press(p, c.answer);
        };
        onList([&](Telenco_docForm& list) {
            clickTab(list.tabs(), "Movimenti da fatturare");
            ASSERT_EQ(list.toInvoiceGrid().tableModel().rowCount(), 1);
            shoot(list, "document-list-to-invoice");
            press(list, "Genera documento");
            EXPECT_EQ(list.toInvoiceGrid().tableModel().rowCount(), c.toInvoice) << c.answer;
            press(list, "chiudi");
        });
        EXPECT_EQ(stored("doc"), c.documents) << c.answer;
        EXPECT_EQ(stored("linee_doc"), c.lines) << c.answer;
        EXPECT_EQ(stored("MOV", documents::toInvoiceFilter()), c.toInvoice) << c.answer;
    }
}

TEST_F(DocumentScreens, DeletingAGeneratedDocumentAsksAndNoChangesNothing) {
    addMovement(5);
    properties = [](Tprop_fatturaForm& p) {
        press(p, "&Ok");
    };
    onList([&](Telenco_docForm& list) {
        clickTab(list.tabs(), "Movimenti da fatturare");
        press(list, "Genera documento");
        clickTab(list.tabs(), "Elenco Documenti");
        shoot(list, "document-list");
        dialogs.answer(false);
        press(list, "Elimina Documento");
        EXPECT_EQ(dialogs.texts(),
                  (QStringList{"la fattura è collegata a un movimento segnato come fatturato.",
                               "Eliminare adesso il documento selezionato e ripristinare il "
                               "documento come da fatturare?"}));
        EXPECT_EQ(stored("doc"), 1);
        EXPECT_EQ(stored("linee_doc"), 1);
        EXPECT_EQ(stored("MOV", documents::toInvoiceFilter()), 0);
        dialogs.answer(true);
        press(list, "Elimina Documento");
        EXPECT_EQ(list.toInvoiceGrid().tableModel().rowCount(), 1);
        press(list, "chiudi");
    });
    EXPECT_EQ(stored("doc"), 0);
    EXPECT_EQ(stored("MOV", documents::toInvoiceFilter()), 1);
}

TEST_F(DocumentScreens, NewLineProposesItsDefaultsAndRefusesMissingValues) {
    properties = [&](Tprop_fatturaForm& p) {
        press(p, "nuova riga");
        ASSERT_TRUE(p.linePages().isShowing(Tprop_fatturaForm::linePageName));
        store::Table& line = dm.Tablinee_doc;
        EXPECT_EQ(line.field("UM").asString(), "PZ");
        EXPECT_EQ(line.field("ScontoP").asFloat(), 0);
        EXPECT_EQ(line.field("Iva_riga").asInteger(), 22); // the settings' rate
        EXPECT_TRUE(line.field("Xtotale").asBoolean());
        shoot(p, "document-line");
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), lineBox(p, "Linea"));
        uitest::typeText(lineBox(p, "Linea"), "CARTA TERMICA");
        press(p, "OK");
        EXPECT_EQ(dialogs.texts().value(0), "campo quantita vuoto");
        regtest::fill(lineBox(p, "Quantita"), "0");
        regtest::fill(lineBox(p, "PrezzoE"), "10");
        press(p, "OK");
        EXPECT_EQ(dialogs.texts().value(1), documents::zeroQuantityRefusal());
        EXPECT_TRUE(p.linePages().isShowing(Tprop_fatturaForm::linePageName));
        regtest::fill(lineBox(p, "Quantita"), "3");
        press(p, "OK");
        EXPECT_TRUE(p.linePages().isShowing(Tprop_fatturaForm::gridPageName));
        EXPECT_EQ(dm.Tabdoc.field("Totale_docE").asFloat(), 36.6);
        press(p, "&Ok");
    };
    onList([&](Telenco_docForm& list) {
        press(list, "&Nuovo Doc...");
        press(list, "chiudi");
    });
    EXPECT_EQ(stored("linee_doc"), 1);
}

TEST_F(DocumentScreens, ClosingPartPicksFromListsKeptWhileTheDocumentIsOpen) {
    add(dm.tabese3,
        {{"Ragione_sociale", "BAR SPORT"}, {"Piva", "01234567890"}, {"Comune", "ROMA"}});
    wording = [](TwordingForm& list) {
        press(list, "nuovo");
        regtest::fill(list.box("Descrizione"), "corriere");
        press(list, "ok");
        press(list, "chiudi");
    };
    properties = [&](Tprop_fatturaForm& p) {
        // The customer chosen in the pick list brings its data along.
        auto* customer = p.findChildren<ui::DbLookupCombo*>().at(1);
        uitest::click(customer);
        QTest::keyClick(customer, Qt::Key_Down);
        QTest::keyClick(customer, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(dm.Tabdoc.field("Piva").asString(), "01234567890");

        clickTab(p.tabs(), "Parte finale");
        QAction* means = nullptr;
        for (QAction* a : p.findChildren<QAction*>())
            if (a->text() == "trasporto a mezzo")
                means = a;
        ASSERT_NE(means, nullptr);
        means->trigger();
        ui::DbComboBox* box = p.closingBox("Trasporto_amezzo");
        ASSERT_EQ(box->count(), 1);
        EXPECT_EQ(box->itemText(0), "CORRIERE");
        uitest::click(box);
        QTest::keyClick(box, Qt::Key_Down);
        QApplication::processEvents();
        for (QPushButton* b : p.findChildren<QPushButton*>())
            if (b->text() == "***") {
                uitest::click(b); // the first: the transport date
                break;
            }
        shoot(p, "document-closing-part");
        press(p, "&Ok");
    };
    onList([&](Telenco_docForm& list) {
        press(list, "&Nuovo Doc...");
        press(list, "chiudi");
    });
    store::Table doc(working.year.path(), "doc");
    doc.open();
    EXPECT_EQ(doc.field("Trasporto_amezzo").asString(), "CORRIERE");
    EXPECT_EQ(doc.field("Data_trasporto").asDate(), QDate::currentDate());
    EXPECT_EQ(doc.field("Comune").asString(), "ROMA");
    EXPECT_EQ(doc.field("Numero_doc").asInteger(), 1);
}

TEST_F(DocumentScreens, EmptyListsSayThereIsNothingAndCloseOnlyThroughChiudi) {
    const std::pair<const char*, const char*> cases[] = {
        {"&Proprietà Doc...", "Nessun Documento Inserito"},
        {"Elimina Documento", "nulla da eliminare"},
        {"&Stampa", "Nessun Documento Inserito"},
    };
    onList([&](Telenco_docForm& list) {
        for (const auto& [caption, said] : cases) {
            dialogs.clear();
            press(list, caption);
            EXPECT_EQ(dialogs.texts(), QStringList{said}) << caption;
        }
        dialogs.clear();
        EXPECT_FALSE(regtest::closeBox(list));
        clickTab(list.tabs(), "Movimenti da fatturare");
        press(list, "Genera documento");
        EXPECT_EQ(dialogs.texts(), (QStringList{"per uscire usare il bottone chiudi",
                                                "Nessun movimento da fatturare"}));
        press(list, "chiudi");
    });
}

TEST_F(DocumentScreens, TypeFilterShowsOneTypeOrAllAndTheChosenDocumentPrints) {
    for (const int type : {invoice, transport, invoice}) {
        dm.Tabdoc.append();
        dm.Tabdoc.field("Id_tipodoc").setAsInteger(type);
        dm.Tabdoc.post();
    }
    QStringList previews;
    onList([&](Telenco_docForm& list) {
        QComboBox& filter = list.typeFilter();
        EXPECT_EQ(filter.currentText(), "TUTTI");
        EXPECT_EQ(filter.count(), 3);
        const struct {
            int presses;
            int rows;
        } cases[] = {{2, 1}, {-1, 2}, {-2, 3}}; // transport, invoice, all
        for (const auto& c : cases) {
            filter.setFocus();
            for (int i = 0; i < std::abs(c.presses); ++i)
                QTest::keyClick(&filter, c.presses > 0 ? Qt::Key_Down : Qt::Key_Up);
            QApplication::processEvents();
            EXPECT_EQ(list.documentsGrid().tableModel().rowCount(), c.rows)
                << filter.currentText().toStdString();
        }
        ui::ModalHookScope preview([&](QDialog& shown) { previews << shown.windowTitle(); });
        press(list, "&Stampa");
        press(list, "chiudi");
    });
    EXPECT_EQ(previews, QStringList{"Documento"});
}

TEST_F(DocumentScreens, DefaultTypeScreenSaysWhenNoneIsSetAndSetsTheOneShown) {
    dm.Tab_tipodoc.first();
    dm.Tab_tipodoc.edit();
    dm.Tab_tipodoc.field("Default").setAsBoolean(false);
    dm.Tab_tipodoc.post();
    ui::ModalHookScope hook([&](QDialog& shown) {
        EXPECT_EQ(shown.windowTitle(), "impdocForm");
        EXPECT_EQ(dialogs.texts(), QStringList{"Nessun documento impostato come default"});
        auto* navigator = shown.findChild<ui::Navigator*>();
        uitest::click(navigator->button(ui::Navigator::Button::Last));
        press(shown, "imposta");
        press(shown, "Chiudi");
    });
    documents::openDefaultType(dm);
    EXPECT_EQ(stored("tipo_doc", "[Default]='true'"), 1);
    EXPECT_EQ(stored("tipo_doc", "[Default]='true' and [Id]='2'"), 1);
}

TEST_F(DocumentScreens, UntickedLineBecomesDescriptiveAndLeavesTheTotals) {
    properties = [&](Tprop_fatturaForm& p) {
        press(p, "nuova riga");
        QApplication::processEvents();
        uitest::typeText(lineBox(p, "Linea"), "NOTA");
        regtest::fill(lineBox(p, "Quantita"), "2");
        regtest::fill(lineBox(p, "PrezzoE"), "10");
        auto* counted = p.findChild<QCheckBox*>();
        QTest::mouseClick(counted, Qt::LeftButton, {}, QPoint(8, counted->height() / 2));
        QApplication::processEvents();
        EXPECT_TRUE(dm.Tablinee_doc.field("Quantita").isNull());
        EXPECT_TRUE(dm.Tablinee_doc.field("Iva_riga").isNull());
        press(p, "OK");
        EXPECT_TRUE(p.linePages().isShowing(Tprop_fatturaForm::gridPageName));
        EXPECT_EQ(dm.Tabdoc.field("Totale_docE").asFloat(), 0);
        EXPECT_EQ(dm.Tabdoc.field("Iva1_").asFloat(), -1);
        press(p, "&Ok");
    };
    onList([&](Telenco_docForm& list) {
        press(list, "&Nuovo Doc...");
        press(list, "chiudi");
    });
    EXPECT_EQ(stored("linee_doc", "[Xtotale]='false'"), 1);
}

} // namespace
