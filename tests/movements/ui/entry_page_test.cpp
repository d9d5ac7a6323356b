// The entry page of a movement, driven as a user would.
#include "movement_screen_support.h"
#include "movements/movement_entry_page.h"
#include "registry/eserciziow.h"
#include "registry/tecnicow.h"
#include "ui/dbchoice.h"
#include "ui/dbedit.h"
#include "ui/pagestack.h"

#include <QCheckBox>

namespace {

using movements::MovementsMode;
using movtest::put;
using regtest::press;

class EntryPageTest : public movtest::MovementScreen {};

TEST_F(EntryPageTest, OkNeedsACustomerThenStoresTheMovementWithEveryFlagSet) {
    customer("BAR SPORT");
    open(MovementsMode::General, [&](TMOVForm& s) {
        press(s, "Nuovo Mov /F8");
        EXPECT_EQ(QApplication::focusWidget(), s.entryPage().dateBox());
        EXPECT_FALSE(s.entryPage().typeChoice()->isReadOnly());
        press(s, "OK");
        EXPECT_EQ(dialogs.texts(), QStringList{"Inserire prima la Ditta"});
        EXPECT_TRUE(s.tabs().isShowing(TMOVForm::entryTabName));
        movtest::choose(s.entryPage().customerChoice(), "BAR");
        press(s, "OK");
        EXPECT_EQ(dialogs.texts().join("|"), "Inserire prima la Ditta");
        EXPECT_TRUE(s.tabs().isShowing("generale"));
        press(s, "chiudi");
    });
    EXPECT_EQ(stored("MOV", "Id", 1, "ID_ESERCIZIO").toInt(), 1);
    EXPECT_EQ(stored("MOV", "Id", 1, "Data").toDate(), QDate::currentDate());
    for (const char* flag : {"Evasa_sn", "Da_fatt_sn", "Fatt_sn", "Dal_magazzino_sn"})
        EXPECT_EQ(stored("MOV", "Id", 1, flag), QVariant(false)) << flag;
}

TEST_F(EntryPageTest, AppointmentBoxesShowWhileTickedAndWarnOfAnExpiredTechnician) {
    customer("BAR SPORT");
    technician("ROSSI", QDate(2026, 6, 30));
    put(data.Tabmov, {{"ID_ESERCIZIO", 1},
                      {"Data", QDate::currentDate()},
                      {"Appuntamento", true},
                      {"Data_app", QDate(2026, 1, 2)}});
    open(MovementsMode::General, [&](TMOVForm& s) {
        movements::MovementEntryPage& page = s.entryPage();
        press(s, "Modifica Mov /F9");
        EXPECT_TRUE(page.appointmentDate()->isVisible()) << "a stored appointment shows at once";
        uitest::click(page.appointment());
        EXPECT_FALSE(page.appointmentDate()->isVisible());
        EXPECT_FALSE(page.appointmentTime()->isVisible());
        EXPECT_EQ(data.Tabmov.field("Data_app").asDate(), QDate(2026, 1, 2)) << "hiding keeps it";
        uitest::click(page.appointment());
        movtest::choose(page.technicianChoice(), "ROSSI");
        regtest::fill(page.appointmentDate(), "01072026");
        QApplication::processEvents();
        EXPECT_EQ(dialogs.texts(),
                  QStringList{"Il rapporto con il tecnico selezionato risulta scaduto."});
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), page.technicianChoice());
        EXPECT_EQ(data.Tabmov.field("Data_app").asDate(), QDate(2026, 7, 1)) << "kept";
        press(s, "OK");
        press(s, "chiudi");
    });
    EXPECT_EQ(stored("MOV", "Id", 1, "Appuntamento"), QVariant(true));
}

TEST_F(EntryPageTest, ChoicesLockAsTheListAndTheVerificationRecordsDecide) {
    customer("BAR SPORT");
    put(data.Tabmov, {{"Id_tipomov", kind("INTERVENTO")}, {"ID_ESERCIZIO", 1}});
    put(data.Tabmov, {{"Id_tipomov", kind("INTERVENTO")}, {"ID_ESERCIZIO", 1}});
    put(data.Tabmisurazioni, {{"ID_MISURAZIONI", 1},
                              {"Id_mov", 2},
                              {"ID_ESERCIZIO", 1},
                              {"ID_MS", 1},
                              {"ID_TECNICO", 1}});
    const struct {
        MovementsMode mode;
        int movement;
        const char* command;
        bool typeLocked, customerLocked;
    } cases[] = {
        {MovementsMode::General, 1, "Modifica Mov /F9", false, false},
        {MovementsMode::General, 2, "Modifica Mov /F9", false, true},
        {MovementsMode::Interventions, 1, "Modifica /F9", true, false},
        {MovementsMode::Interventions, 2, "Nuovo /F8", true, false},
    };
    for (const auto& c : cases)
        open(c.mode, [&](TMOVForm& s) {
            press(s, "Tutti");
            ASSERT_TRUE(data.Tabmov.locate("Id", c.movement));
            press(s, c.command);
            EXPECT_EQ(s.entryPage().typeChoice()->isReadOnly(), c.typeLocked) << c.command;
            EXPECT_EQ(s.entryPage().customerChoice()->isReadOnly(), c.customerLocked) << c.movement;
            press(s, "Annulla");
            EXPECT_FALSE(s.entryPage().customerChoice()->isReadOnly()) << "editable again";
            press(s, "chiudi");
        });
}

TEST_F(EntryPageTest, AnnullaOnASaleWhoseMachineIsNoLongerAnArticleSaysSoAndLeavesNothing) {
    customer("BAR SPORT");
    open(MovementsMode::Sales, [&](TMOVForm& s) {
        press(s, "Nuovo /F8");
        // What the machine choice writes when it takes a machine from the warehouse.
        data.Tabmov.field("MATRICOLA_MS").setAsString("GONE00001");
        data.Tabmov.field("Dal_magazzino_sn").setAsBoolean(true);
        press(s, "Annulla");
        press(s, "chiudi");
    });
    EXPECT_EQ(dialogs.texts(), QStringList{"errore 10009"});
    EXPECT_EQ(storedCount("MOV"), 0);
}

TEST_F(EntryPageTest, VariaTurnsTheAddressIntoBoxesAndTheFindButtonsOpenTheRegisters) {
    customer("BAR SPORT");
    QStringList opened;
    ui::ModalHookScope hook([&](QDialog& shown) {
        if (auto* s = qobject_cast<TMOVForm*>(&shown)) {
            press(*s, "Nuovo Mov /F8");
            EXPECT_FALSE(s->entryPage().addressEditable());
            press(*s, "varia");
            EXPECT_TRUE(s->entryPage().addressEditable());
            press(*s, "varia");
            EXPECT_FALSE(s->entryPage().addressEditable());
            press(*s, "cerca/nuovo");
            press(*s, "cerca");
            press(*s, "Annulla");
            press(*s, "chiudi");
        } else {
            opened << shown.metaObject()->className();
            shown.reject();
        }
    });
    movements::openMovements(data);
    EXPECT_EQ(opened, (QStringList{"TesercizioForm", "TtecnicoForm"}));
}

TEST_F(EntryPageTest, AContractVisitOpensOnTheNewInterventionAndEndsWithIt) {
    customer("BAR SPORT");
    put(data.Tabcontratti, {{"ID", 1}, {"ID_CLIENTE", 1}});
    put(data.Tablcontratti, {{"ID", 1}, {"ID_ELENCO", 1}, {"MATRICOLA", "99XY12345"}});
    const int result = open(MovementsMode::ContractVisit, [&](TMOVForm& s) {
        EXPECT_EQ(s.windowTitle(), "Elenco INTERVENTI");
        EXPECT_TRUE(s.tabs().isShowing(TMOVForm::entryTabName));
        EXPECT_TRUE(s.entryPage().typeChoice()->isReadOnly());
        EXPECT_EQ(s.entryPage().customerChoice()->currentText(), "BAR SPORT");
        press(s, "OK");
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(stored("MOV", "Id", 1, "MATRICOLA_MS").toString(), "99XY12345");
    EXPECT_EQ(stored("MOV", "Id", 1, "Id_tipomov").toInt(), kind("INTERVENTO"));
}

} // namespace
