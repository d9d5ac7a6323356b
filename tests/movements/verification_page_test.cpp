// The verification page as the user meets it, in a window of its own over a posted movement:
// the buttons reach the rules, their messages and the stored records.
#include "movements/verification_page.h"
#include "support/working_year.h"
#include "ui/dialogs.h"
#include "ui/grid.h"
#include "ui/ui_support.h"
#include "verification_support.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>

namespace {

using vertest::kVat;

class VerificationScreen : public ::testing::Test {
protected:
    uitest::Dialogs dialogs;
    testsupport::WorkingYear working{ui::warningSink()};
    Tdm& data = working.data;
    QWidget window;
    movements::VerificationPage* page = nullptr;
    int model = 0;
    int technician = 0;

    void SetUp() override {
        ASSERT_TRUE(working.opened);
        model = vertest::postModel(data, "OLIVETTA", "CASSA 1");
        technician = vertest::postTechnician(data, "ROSSI", true);
        page = new movements::VerificationPage(data, &window);
        (new QVBoxLayout(&window))->addWidget(page);
        window.resize(900, 420);
        uitest::showActive(window);
    }
    /// A movement of a customer (no VAT number when `vat` is empty); the page stands on it.
    void movementOf(const QString& vat, bool withCustomer = true) {
        const int customer = withCustomer ? vertest::postCustomer(data, "BAR SPORT", vat) : 0;
        vertest::postMovement(data, customer, technician, model);
        dialogs.clear();
    }
    void press(const QString& caption) {
        for (QPushButton* b : page->findChildren<QPushButton*>())
            if (b->text() == caption && b->isVisible())
                return uitest::click(b);
        FAIL() << caption.toStdString();
    }
    /// The box beside a label of the entry.
    QWidget* box(const QString& label) {
        for (QFormLayout* form : page->findChildren<QFormLayout*>())
            for (int row = 0; row < form->rowCount(); ++row) {
                QLayoutItem* caption = form->itemAt(row, QFormLayout::LabelRole);
                auto* text = caption ? qobject_cast<QLabel*>(caption->widget()) : nullptr;
                if (text && text->text() == label)
                    return form->itemAt(row, QFormLayout::FieldRole)->widget();
            }
        ADD_FAILURE() << label.toStdString();
        return nullptr;
    }
    /// Clicks into a box, types, and leaves it with Tab.
    void type(const QString& label, const QString& text) {
        QWidget* target = box(label);
        ASSERT_NE(target, nullptr);
        uitest::focusByClick(target);
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        uitest::typeText(target, text);
        QTest::keyClick(target, Qt::Key_Tab);
        QApplication::processEvents();
    }
    /// Picks an entry of a choice by its position, with the keyboard.
    void choose(const QString& label, int position) {
        QWidget* target = box(label);
        ASSERT_NE(target, nullptr);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Home);
        for (int i = 0; i < position; ++i)
            QTest::keyClick(target, Qt::Key_Down);
    }
    int rows() { return page->findChild<ui::DataGrid*>()->tableModel().rowCount(); }
    int stored() {
        store::Table probe(working.year.path(), "misurazioni");
        probe.open();
        return probe.recordCount();
    }
    /// What "Nuovo mov per AE" leaves for the user once the customer is complete.
    void completeTheRest() {
        type("Data inizio", "01022026");
        type("Data fine", "15022026");
        choose("Esito", 0);
        choose("Tipo intervento", 4); // "5=Verifica Annuale"
    }
};

TEST_F(VerificationScreen, CustomerWithoutVatIsToldAtOnceAndOkWaitsForTheNumber) {
    movementOf("");
    press("Nuovo mov per AE");
    EXPECT_EQ(dialogs.texts(), QStringList{"Errore P. Iva"});
    ASSERT_TRUE(page->editing());
    EXPECT_EQ(QApplication::focusWidget(), box("Piva"));
    completeTheRest();
    dialogs.clear();

    press("OK");
    EXPECT_EQ(dialogs.texts(), QStringList{"Inserire correttamente i dati dell\"Esercizio."});
    EXPECT_EQ(QApplication::focusWidget(), box("Piva"));
    EXPECT_EQ(stored(), 0);

    type("Piva", kVat);
    press("OK");
    EXPECT_FALSE(page->editing());
    EXPECT_EQ(stored(), 1);
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(data.Tabmisurazioni.field("TRIMESTRE").asString(), "1");
}

TEST_F(VerificationScreen, RefusalsOfTheListCommands) {
    const struct {
        bool customer;
        const char* command;
        const char* message;
    } cases[] = {
        {false, "Nuovo mov per AE",
         "Il movimwento associato è senza esercizio selezionato. Andare in modifica movimento"},
        {true, "Modifica mov per AE", "nulla da modificare"},
        {true, "Elimina mov per AE", "Nulla da eliminare"},
    };
    for (const auto& c : cases) {
        movementOf(kVat, c.customer);
        press(c.command);
        EXPECT_EQ(dialogs.texts(), QStringList{c.message}) << c.command;
        EXPECT_FALSE(page->editing()) << c.command;
    }
    EXPECT_EQ(stored(), 0);
}

TEST_F(VerificationScreen, DeleteTakesTheCurrentRecordWithoutAskingAndKeepsTheOthers) {
    movementOf(kVat);
    for (int i = 0; i < 2; ++i) {
        press("Nuovo mov per AE");
        completeTheRest();
        press("OK");
    }
    // Another movement's record is not in this list.
    movementOf(kVat);
    press("Nuovo mov per AE");
    completeTheRest();
    press("OK");
    EXPECT_EQ(rows(), 1);
    ASSERT_TRUE(data.Tabmov.locate("Id", 1));
    ASSERT_EQ(rows(), 2);
    dialogs.clear();

    press("Elimina mov per AE");
    EXPECT_EQ(dialogs.texts(), QStringList{});
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(stored(), 2);
}

TEST_F(VerificationScreen, TheMunicipalityIsCheckedOnLeavingItsBox) {
    movementOf(kVat);
    press("Nuovo mov per AE");
    type("Comune:", "ATLANTIDE");
    EXPECT_EQ(dialogs.texts(), QStringList{"comune errato"});
    EXPECT_EQ(data.Tabmisurazioni.field("PROVINCIA").asString(), "");
    dialogs.clear();
    // Straight from the box to "Annulla": no warning in the way of the click.
    uitest::focusByClick(box("Comune:"));
    uitest::typeText(box("Comune:"), "X");
    press("Annulla");
    EXPECT_EQ(dialogs.texts(), QStringList{});
    EXPECT_FALSE(page->editing());
}

TEST_F(VerificationScreen, CancelLeavesNothingAndAChangeCanBeDropped) {
    movementOf(kVat);
    press("Nuovo mov per AE");
    press("Annulla");
    EXPECT_FALSE(page->editing());
    EXPECT_EQ(stored(), 0);

    press("Nuovo mov per AE");
    completeTheRest();
    press("OK");
    press("Modifica mov per AE");
    type("Matricola_ms", "ZZ9");
    press("Annulla");
    store::Table probe(working.year.path(), "misurazioni");
    probe.open();
    EXPECT_EQ(probe.field("MATRICOLA_MS").asString(), "AB1234567");
}

// Pictures of the page for docs/screens: $UI_SNAPSHOT_DIR when set, else a temporary folder.
TEST_F(VerificationScreen, Snapshots) {
    QTemporaryDir temporary;
    const QString folder = qEnvironmentVariableIsSet("UI_SNAPSHOT_DIR")
                               ? qEnvironmentVariable("UI_SNAPSHOT_DIR")
                               : temporary.path();
    movementOf(kVat);
    for (const char* serial : {"AB1234567", "CD7654321"}) {
        press("Nuovo mov per AE");
        completeTheRest();
        type("Matricola_ms", serial);
        press("OK");
    }
    QApplication::processEvents();
    EXPECT_TRUE(window.grab().save(folder + "/verifications-list.png"));
    press("Modifica mov per AE");
    QApplication::processEvents();
    EXPECT_TRUE(window.grab().save(folder + "/verifications-entry.png"));
    press("Annulla");
}

} // namespace
