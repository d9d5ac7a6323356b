// The movement screen's commands that open the other subsystems' pages, screens and prints.
#include "contracts/segnaevasaw.h"
#include "movement_screen_support.h"
#include "movements/verification_page.h"
#include "ui/modal.h"
#include "ui/pagestack.h"

#include <QPrintPreviewDialog>
#include <QTimer>

namespace {

using movements::MovementsMode;
using movtest::put;
using regtest::press;

class HostingTest : public movtest::MovementScreen {};

TEST_F(HostingTest, VerificationCommandsOfTheListRunOnTheEntryTabAndComeBack) {
    put(data.Tabmov, {{"Data", QDate::currentDate()}});
    const int bar = customer("BAR SPORT");
    put(data.Tabmov, {{"Data", QDate::currentDate()}, {"ID_ESERCIZIO", bar}});
    open(MovementsMode::General, [&](TMOVForm& s) {
        ASSERT_TRUE(data.Tabmov.locate("ID_ESERCIZIO", bar));
        press(s, "Nuovo mov per AE");
        ASSERT_TRUE(s.verificationPage().editing());
        EXPECT_EQ(s.tabs().currentPageName(), TMOVForm::entryTabName);
        EXPECT_EQ(s.entryPages().currentPageName(), TMOVForm::verificationPageName);
        s.close();
        EXPECT_TRUE(s.isVisible()) << "no close while a record is entered";
        press(s, "Annulla");
        EXPECT_EQ(s.tabs().currentPageName(), "generale");

        ASSERT_TRUE(data.Tabmov.locate("ID_ESERCIZIO", QVariant())); // no customer
        press(s, "Nuovo mov per AE");
        EXPECT_EQ(s.tabs().currentPageName(), "generale") << "a refused command stays on the list";
        press(s, "chiudi");
    });
    EXPECT_EQ(dialogs.texts(),
              (QStringList{"Terminare la fase di inserimento con i tasti di conferma",
                           "Il movimwento associato è senza esercizio selezionato. Andare in "
                           "modifica movimento"}));
}

TEST_F(HostingTest, EachPrintButtonOpensItsPreview) {
    put(data.Tabmov, {{"Data", QDate::currentDate()}, {"ID_ESERCIZIO", customer("BAR SPORT")}});
    QStringList shown;
    open(MovementsMode::General, [&](TMOVForm& s) {
        for (const char* caption :
             {"stampa elenco", "stampa appuntamenti", "stampa foglio di lavoro"}) {
            QTimer::singleShot(0, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                if (qobject_cast<QPrintPreviewDialog*>(modal)) {
                    shown << caption;
                    modal->close();
                }
            });
            press(s, caption);
        }
        press(s, "chiudi");
    });
    EXPECT_EQ(shown,
              (QStringList{"stampa elenco", "stampa appuntamenti", "stampa foglio di lavoro"}));
    EXPECT_TRUE(dialogs.entries().empty()) << dialogs.texts().join('|').toStdString();
}

TEST_F(HostingTest, SegnaEvasaOpensTheClosingAndASaleLeftWithoutOkKeepsNothing) {
    open(MovementsMode::Sales, [&](TMOVForm& s) {
        press(s, "Segna Evasa");
        EXPECT_EQ(dialogs.texts(), QStringList{"Nessun movimento da completare"});
        put(data.Tabmov, {{"Id_tipomov", kind("VENDITA")},
                          {"Data", QDate::currentDate()},
                          {"Da_fatt1", "prima"}});
        int closings = 0;
        {
            ui::ModalHookScope closing([&](QDialog& shown) {
                closings += qobject_cast<TsegnaevasaForm*>(&shown) != nullptr;
                data.Tabmov.field("Da_fatt1").setAsString("dopo");
                shown.close();
            });
            press(s, "Segna Evasa");
        }
        EXPECT_EQ(closings, 1) << dialogs.texts().join('|').toStdString();
        EXPECT_EQ(data.Tabmov.state(), store::DataSetState::Browse);
        EXPECT_EQ(data.Tabmov.field("Da_fatt1").asString(), "prima");
        press(s, "chiudi");
    });
}

} // namespace
