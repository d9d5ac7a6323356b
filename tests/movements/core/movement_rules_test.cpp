// The rules every writer of the shared movement object gets.
#include "movement_support.h"
#include "movements/movement_rules.h"

namespace {

using movtest::put;

class MovementRules : public movtest::Year {
protected:
    /// A technician working under an authorisation whose seal is `seal`; answers its id.
    int technician(const QString& surname, const QString& ownSeal, const QString& seal,
                   const QDate& end = {}) {
        put(data.Tabsoggetto, {{"Piva", "12345678903"}, {"PG_denominazione", "LAB SRL"}});
        put(data.TabLsogg, {{"Id_al_sigillo", seal}});
        put(data.Tabtecnico, {{"Cognome", surname},
                              {"Nome", "MARIO"},
                              {"Id_nu_sigillo", ownSeal},
                              {"Data_fine", end},
                              {"Id_sogg", data.TabLsogg.field("Id_Lsogg").value()}});
        return data.Tabtecnico.field("Id_tecnico").asInteger();
    }
};

TEST_F(MovementRules, IdentifierIsTheNextOneUnlessAlreadyGiven) {
    const struct {
        QVariant given;
        int expected;
    } cases[] = {{QVariant(), 1}, {41, 41}, {QVariant(), 42}};
    for (const auto& c : cases) {
        data.Tabmov.append();
        if (!c.given.isNull())
            data.Tabmov.field("Id").setValue(c.given);
        data.Tabmov.post();
        EXPECT_EQ(data.Tabmov.field("Id").asInteger(), c.expected);
    }
}

TEST_F(MovementRules, AMovementStoredUntouchedHasEveryFlagFalseNeverBlank) {
    data.Tabmov.append();
    data.Tabmov.post();
    for (const char* flag :
         {"Appuntamento", "Gia_fatt_sn", "Rip_art_fatt", "Evasa_sn", "Da_fatt_sn", "Fatt_sn"})
        EXPECT_EQ(stored("MOV", "Id", 1, flag), QVariant(false)) << flag;
}

TEST_F(MovementRules, DisplayFieldsShowModelAndTechnicianOrNothingWhenTheyAreGone) {
    put(data.Tabms, {{"Marchio_ms", "RCH"}, {"Denominazione_ms", "ONDA"}, {"Logotipo_ms", "RC"}});
    const int known = technician("ROSSI", "12", "AB12");
    const struct {
        int model, technician;
        const char *brand, *name, *logo, *who, *seal;
    } cases[] = {
        {1, known, "RCH", "ONDA", "RC", "ROSSI MARIO 12", "12"},
        {7, 99, "", "", "", "", ""},
    };
    for (const auto& c : cases) {
        put(data.Tabmov, {{"ID_MS", c.model}, {"ID_TECNICO", c.technician}});
        data.Tabmov.refresh();
        EXPECT_EQ(data.Tabmov.field("marchio_ms").asString(), c.brand);
        EXPECT_EQ(data.Tabmov.field("denom_ms").asString(), c.name);
        EXPECT_EQ(data.Tabmov.field("logotipo_ms").asString(), c.logo);
        EXPECT_EQ(data.Tabmov.field("cogn_no_idnumsig").asString(), c.who);
        EXPECT_EQ(data.Tabmov.field("id_al_num").asString(), c.seal);
    }
    EXPECT_TRUE(working.warnings.empty());
}

TEST_F(MovementRules, ChosenModelShowsItsNamesBeforeTheMovementIsStored) {
    put(data.Tabms, {{"Marchio_ms", "RCH"}, {"Denominazione_ms", "ONDA"}, {"Logotipo_ms", "RC"}});
    data.Tabmov.append();
    data.Tabmov.field("ID_MS").setAsInteger(1);
    EXPECT_EQ(data.Tabmov.field("denom_ms").asString(), "ONDA");
    EXPECT_EQ(data.Tabmov.field("marchio_ms").asString(), "RCH");
    data.Tabmov.field("ID_MS").setAsInteger(404);
    EXPECT_EQ(data.Tabmov.field("denom_ms").asString(), "") << "no model, no name";
}

TEST_F(MovementRules, ChosenTechnicianShowsTheAuthorisationSealCutToEightUntilReadAgain) {
    const int id = technician("BIANCHI", "7", "ABCDEFGHIJ");
    data.Tabmov.append();
    data.Tabmov.field("ID_TECNICO").setAsInteger(id);
    EXPECT_EQ(data.Tabmov.field("id_al_num").asString(), "ABCDEFGH");
    EXPECT_EQ(data.Tabmov.field("cogn_no_idnumsig").asString(), "BIANCHI MARIO 7");
    data.Tabmov.post();
    EXPECT_EQ(data.Tabmov.field("id_al_num").asString(), "7");

    data.Tabmov.edit();
    data.Tabmov.field("ID_TECNICO").setAsInteger(404);
    EXPECT_EQ(data.Tabmov.field("id_al_num").asString(), "") << "no technician, no seal";
}

TEST_F(MovementRules, TechnicianExpiredOnlyWhenTheAppointmentFollowsTheRelationEnd) {
    const int ended = technician("VERDI", "3", "S1", QDate(2026, 6, 30));
    const int open = technician("NERI", "4", "S2");
    const struct {
        QVariant technician;
        QDate appointment;
        bool expired;
    } cases[] = {
        {ended, QDate(2026, 7, 1), true}, {ended, QDate(2026, 6, 30), false},
        {open, QDate(2030, 1, 1), false}, {QVariant(), QDate(2030, 1, 1), false},
        {999, QDate(2030, 1, 1), false},
    };
    for (const auto& c : cases) {
        data.Tabmov.append();
        data.Tabmov.field("ID_TECNICO").setValue(c.technician);
        EXPECT_EQ(movements::technicianExpired(data, c.appointment), c.expired)
            << c.technician.toString().toStdString() << " "
            << c.appointment.toString().toStdString();
        data.Tabmov.cancel();
    }
}

} // namespace

namespace {

TEST(MovementRowColour, RedUntilDoneGreenOnceDoneBlueOnlyWhenAlsoInvoiced) {
    using movements::RowColour;
    const struct {
        bool done, toInvoice, invoiced;
        RowColour colour;
    } cases[] = {
        {false, false, false, RowColour::Red},  {false, true, true, RowColour::Red},
        {true, false, false, RowColour::Green}, {true, true, false, RowColour::Green},
        {true, false, true, RowColour::Green},  {true, true, true, RowColour::Blue},
    };
    for (const auto& c : cases)
        EXPECT_EQ(movements::rowColour(c.done, c.toInvoice, c.invoiced), c.colour)
            << c.done << c.toInvoice << c.invoiced;
}

} // namespace
