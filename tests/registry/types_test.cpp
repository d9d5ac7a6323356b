// Movement types (look only) and contract types (rich text, delete checks) as the user meets them.
#include "registry/registers_rules.h"
#include "registry/tipicontrattiw.h"
#include "registry/tipomovw.h"
#include "registry_support.h"

#include "ui/dbrich.h"
#include "ui/formkit.h"
#include "ui/navigator.h"
#include "ui/pagestack.h"

#include <QToolButton>

namespace {

using regtest::press;

class MovementTypes : public regtest::Registers {
protected:
};

TEST_F(MovementTypes, ListShowsTheTemplatesRowsWithReadOnlyOnesInBlue) {
    data.Tabtipomov.append();
    data.Tabtipomov.field("Descrizione").setAsString("CONSULENZA");
    data.Tabtipomov.field("Readonly").setAsBoolean(false);
    data.Tabtipomov.post();
    EXPECT_EQ(data.Tabtipomov.field("Id").asInteger(), 4);

    drive<TtipomovForm>(registry::openMovementTypes, [](TtipomovForm& s) {
        EXPECT_EQ(s.windowTitle(), "Tipi movimenti:");
        const auto& model = s.grid()->tableModel();
        EXPECT_EQ(regtest::titles(*s.grid()), QStringList{"Descrizione"});
        EXPECT_EQ(regtest::column(*s.grid(), 0),
                  (QStringList{"INTERVENTO", "RIPARAZIONE", "VENDITA", "CONSULENZA"}));
        for (int row = 0; row < 3; ++row)
            EXPECT_EQ(model.data(model.index(row, 0), Qt::ForegroundRole).value<QColor>(),
                      QColor(Qt::blue))
                << row;
        EXPECT_NE(model.data(model.index(3, 0), Qt::ForegroundRole).value<QColor>(),
                  QColor(Qt::blue));
        QStringList captions;
        for (QPushButton* b : s.findChildren<QPushButton*>())
            captions << b->text();
        EXPECT_EQ(captions, QStringList{"chiudi"});
        EXPECT_EQ(s.grid()->editTriggers(), QAbstractItemView::NoEditTriggers);
        press(s, "chiudi");
        EXPECT_FALSE(s.isVisible());
    });
}

class ContractTypes : public regtest::Registers {
protected:
    int open(const std::function<void(TtipicontrattiForm&)>& body) {
        return drive<TtipicontrattiForm>(registry::openContractTypes, body);
    }
    /// A contract of type `typeId`, stored through the shared contracts object.
    void contract(int id, int typeId) {
        data.Tabcontratti.append();
        data.Tabcontratti.field("ID").setAsInteger(id);
        data.Tabcontratti.field("ID_CLIENTE").setAsInteger(7);
        data.Tabcontratti.field("ID_CONTRATTO").setAsInteger(typeId);
        data.Tabcontratti.post();
    }
};

TEST_F(ContractTypes, ViewPageShowsTheCurrentTypeReadOnly) {
    open([](TtipicontrattiForm& s) {
        EXPECT_EQ(s.windowTitle(), "Elenco dei TIPI di Contratto:");
        EXPECT_TRUE(s.pages().isShowing(TtipicontrattiForm::listPageName));
        EXPECT_EQ(s.findChildren<ui::DbLabel*>().first()->text(), "VERIFICA PERIODICA");
        for (int i = 0; i < 5; ++i)
            EXPECT_TRUE(s.viewBox(i)->isReadOnly()) << i;
        EXPECT_TRUE(s.viewBox(0)->toPlainText().startsWith("Verificazione periodica"));
        for (const char* caption :
             {"Nuovo", "Modifica", "elimina", "stampa contratto di esempio", "chiudi"})
            EXPECT_TRUE(s.button(caption)->isVisible()) << caption;
        using B = ui::Navigator::Button;
        for (B b : {B::First, B::Prior, B::Next, B::Last, B::Refresh})
            EXPECT_TRUE(s.navigator()->button(b)->isVisible());
        EXPECT_FALSE(s.navigator()->button(B::Append)->isVisible());
        EXPECT_FALSE(s.navigator()->button(B::Delete)->isVisible());
    });
}

TEST_F(ContractTypes, NameIsRequiredAndANewTypeTakesTheNextIdentifier) {
    open([&](TtipicontrattiForm& s) {
        press(s, "Nuovo");
        EXPECT_TRUE(s.pages().isShowing(TtipicontrattiForm::editPageName));
        EXPECT_EQ(QApplication::focusWidget(), s.nameBox());
        EXPECT_EQ(data.tab_tipicontratti.field("Id").asInteger(), 2);
        press(s, "OK");
        EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning),
                  QStringList{"Inserire correttamente il nome del contratto. (Es. Assistenza)"});
        EXPECT_EQ(QApplication::focusWidget(), s.nameBox());
        EXPECT_EQ(data.tab_tipicontratti.state(), store::DataSetState::Insert);
        regtest::fill(s.nameBox(), "assistenza");
        press(s, "OK");
        EXPECT_TRUE(s.pages().isShowing(TtipicontrattiForm::listPageName));
    });
    EXPECT_EQ(stored("tipi_contratti", "Id", 2, "Nome_contratto").toString(), "ASSISTENZA");
}

TEST_F(ContractTypes, FormattedTextComesBackUnchanged) {
    QString written;
    open([&](TtipicontrattiForm& s) {
        press(s, "Nuovo");
        regtest::fill(s.nameBox(), "assistenza");
        ui::DbRichEdit* clauses = s.editBox(3);
        uitest::focusByClick(clauses);
        uitest::typeText(clauses, "Durata ");
        QTest::keyClick(clauses, Qt::Key_B, Qt::ControlModifier);
        uitest::typeText(clauses, "annuale");
        QTest::keyClick(clauses, Qt::Key_B, Qt::ControlModifier);
        QTest::keyClick(clauses, Qt::Key_Return);
        uitest::typeText(clauses, "Rinnovo tacito.");
        written = clauses->toHtml();
        press(s, "OK");
        ASSERT_TRUE(s.pages().isShowing(TtipicontrattiForm::listPageName));
        EXPECT_EQ(s.viewBox(3)->toHtml(), written);
        EXPECT_EQ(s.viewBox(3)->toPlainText(), "Durata annuale\nRinnovo tacito.");
        // Editing and confirming without a change keeps the stored text as it was.
        press(s, "Modifica");
        press(s, "OK");
    });
    const QString storedHtml = stored("tipi_contratti", "Id", 2, "Clausole").toString();
    EXPECT_EQ(storedHtml, written);
    EXPECT_TRUE(storedHtml.contains("font-weight:700") || storedHtml.contains("font-weight:600"))
        << storedHtml.toStdString();

    // A screen opened afresh shows what was written.
    data.tab_tipicontratti.last();
    open([&](TtipicontrattiForm& s) { EXPECT_EQ(s.viewBox(3)->toHtml(), written); });
}

TEST_F(ContractTypes, TypeInUseCannotBeDeletedUntilItsContractIsGone) {
    contract(1, 1);
    // The agenda's filter hides the contract; the check searches without it and stays on it.
    data.Tabcontratti.setFilter("[ID_CLIENTE]='99'");
    data.Tabcontratti.setFiltered(true);
    open([&](TtipicontrattiForm& s) {
        press(s, "elimina");
        EXPECT_EQ(
            dialogs.texts(ui::DialogKind::Warning),
            QStringList{"Impossibile eliminare. Ci sono dei contratti presenti per questo tipo."});
        EXPECT_EQ(dialogs.pendingAnswers(), 0);
    });
    EXPECT_EQ(storedCount("tipi_contratti"), 1);
    EXPECT_FALSE(data.Tabcontratti.filtered());
    EXPECT_EQ(data.Tabcontratti.field("ID").asInteger(), 1);

    data.Tabcontratti.deleteRecord();
    dialogs.clear();
    dialogs.answer(true);
    open([&](TtipicontrattiForm& s) { press(s, "elimina"); });
    EXPECT_EQ(dialogs.texts(), (QStringList{"Eliminare il tipo di contratto selezionato?",
                                            "Eliminazione eseguita."}));
    EXPECT_EQ(dialogs.entries().back().kind, ui::DialogKind::Information);
    EXPECT_EQ(storedCount("tipi_contratti"), 0);
}

TEST_F(ContractTypes, AnsweringNoKeepsTheTypeAndAnEmptyListHasNothingToDelete) {
    dialogs.answer(false);
    open([&](TtipicontrattiForm& s) { press(s, "elimina"); });
    EXPECT_EQ(storedCount("tipi_contratti"), 1);
    EXPECT_EQ(dialogs.texts(), QStringList{"Eliminare il tipo di contratto selezionato?"});

    store::rules::emptyTable(data.tab_tipicontratti);
    data.tab_tipicontratti.refresh();
    dialogs.clear();
    open([&](TtipicontrattiForm& s) { press(s, "elimina"); });
    EXPECT_EQ(dialogs.texts(ui::DialogKind::Message), QStringList{"Nulla da eliminare"});
}

TEST_F(ContractTypes, CloseBoxRefusedAndChiudiCloses) {
    open([&](TtipicontrattiForm& s) {
        EXPECT_FALSE(regtest::closeBox(s));
        press(s, "Modifica");
        EXPECT_FALSE(regtest::closeBox(s));
        press(s, "Annulla");
        press(s, "chiudi");
        EXPECT_FALSE(s.isVisible());
    });
    EXPECT_EQ(dialogs.texts(ui::DialogKind::Message),
              (QStringList{"Per uscire dalla finestra usare i tasti opportuni",
                           "Terminare la fase di inserimento con i tasti di conferma"}));
}

} // namespace
