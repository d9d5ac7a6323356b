// The rules of the verification records: identifiers and link, the quarter, what a new record
// takes from its movement and customer, the checks of "OK" in their order, the municipality.
#include "movements/verification_rules.h"
#include "support/working_year.h"
#include "verification_support.h"

#include <gtest/gtest.h>

namespace {

using vertest::kVat;

const QString kCustomerData = QStringLiteral("Inserire correttamente i dati dell\"Esercizio.");

class Verifications : public ::testing::Test {
protected:
    testsupport::WorkingYear working;
    Tdm& data = working.data;
    store::Table& t = data.Tabmisurazioni;

    void SetUp() override { ASSERT_TRUE(working.opened); }
    QString field(const char* name) { return t.field(name).asString(); }
};

TEST_F(Verifications, IdentifiersFollowOnAcrossMovementsAndOnlyAnEnteredMovementKeepsTheFirst) {
    const int customer = vertest::postCustomer(data, "BAR SPORT", kVat);
    const int technician = vertest::postTechnician(data, "ROSSI", true);
    const int first = vertest::postMovement(data, customer, technician, 0);
    const int second = vertest::postMovement(data, customer, technician, 0);
    const struct {
        int movement;
        bool movementInEdit;
        int expectedId;
        int expectedLink; ///< the movement's ID_MISURAZIONI afterwards; 0: blank
    } cases[] = {
        {first, false, 1, 0},
        {second, false, 2, 0},
        {first, true, 3, 3},
        {first, true, 4, 3}, // the first one stays
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(data.Tabmov.locate("Id", c.movement));
        if (c.movementInEdit)
            data.Tabmov.edit();
        movements::appendVerification(data);
        EXPECT_EQ(t.field("ID_MISURAZIONI").asInteger(), c.expectedId);
        EXPECT_EQ(t.field("Id_mov").asInteger(), c.movement);
        t.field("ID_MS").setAsInteger(1); // required by the table
        t.post();
        EXPECT_EQ(data.Tabmov.field("ID_MISURAZIONI").asInteger(), c.expectedLink) << c.expectedId;
        if (c.movementInEdit)
            data.Tabmov.post();
    }
}

TEST_F(Verifications, TheQuarterFollowsEveryChangeOfTheEndDate) {
    const struct {
        QDate end;
        const char* quarter;
    } cases[] = {
        {QDate(2026, 2, 15), "1"},
        {QDate(2026, 11, 15), "4"},
        {QDate(2026, 3, 31), "1"},
        {QDate(2026, 4, 1), "2"},
        {QDate(2026, 9, 30), "3"},
        {QDate(2026, 10, 1), "4"},
        {QDate(), ""}, // an emptied end date has no quarter
    };
    t.append();
    for (const auto& c : cases) {
        t.field("DATA_FINE").setAsDate(c.end);
        EXPECT_EQ(field("TRIMESTRE"), c.quarter) << c.end.toString("dd/MM/yyyy").toStdString();
    }
}

TEST_F(Verifications, ANewRecordTakesTheCustomerRecordAndOnlyAQualifiedTechnician) {
    const struct {
        const char* vat;
        bool qualified;
        QStringList warnings;
        const char* firstRefusal; ///< of "OK" once the user gave kind, dates and outcome
    } cases[] = {
        {"12345678903", true, {}, ""},
        {"12345678903", false, {}, "Inserire correttamente i dati del Tecnico."},
        {"", true, {"Errore P. Iva"}, "Inserire correttamente i dati dell\"Esercizio."},
    };
    const int model = vertest::postModel(data, "OLIVETTA", "CASSA 1");
    for (const auto& c : cases) {
        const int customer = vertest::postCustomer(data, "BAR SPORT", c.vat);
        const int technician = vertest::postTechnician(data, "ROSSI", c.qualified);
        vertest::postMovement(data, customer, technician, model);
        working.warnings.clear();

        movements::appendVerification(data);
        EXPECT_EQ(working.warningTexts(), c.warnings) << c.vat << c.qualified;
        EXPECT_EQ(field("PIVA"), c.vat);
        EXPECT_EQ(field("INDIRIZZO"), "CALLE LARGA 1");
        EXPECT_EQ(field("COMUNE") + field("PROVINCIA") + field("CAP"), "VENEZIAVE30121");
        EXPECT_EQ(t.field("ID_ESERCIZIO").asInteger(), customer);
        EXPECT_EQ(t.field("ID_MS").asInteger(), model);
        EXPECT_EQ(field("MATRICOLA_MS"), "AB1234567");
        EXPECT_EQ(t.field("ID_TECNICO").isNull(), !c.qualified);
        EXPECT_EQ(movements::verificationCustomerName(data), "BAR SPORT");

        t.field("TIPO_INTERVENTO").setAsString("5");
        t.field("DATA_INI").setAsDate(QDate(2026, 12, 1));
        t.field("DATA_FINE").setAsDate(QDate(2026, 12, 2));
        t.field("ESITO").setAsString("0");
        EXPECT_EQ(movements::checkVerificationSave(data).message, c.firstRefusal);
        t.cancel();
    }
}

TEST_F(Verifications, OkChecksInOrderAndNamesTheBoxToCorrect) {
    const int customer = vertest::postCustomer(data, "BAR SPORT", kVat);
    const int technician = vertest::postTechnician(data, "ROSSI", false);
    const int model = vertest::postModel(data, "OLIVETTA", "CASSA 1");
    const QString kTechnician = "Inserire correttamente i dati del Tecnico.";
    const QString kKind = "Inserire il tipo di intervento sul misuratore.";
    const struct {
        const char* field; ///< filled before the check; each step keeps the previous ones
        QVariant value;
        QString refusal;
        const char* box;
    } steps[] = {
        {"Id_mov", 1, kCustomerData, ""},
        {"ID_ESERCIZIO", customer, kCustomerData, "PIVA"},
        {"PIVA", kVat, kCustomerData, "COMUNE"},
        {"COMUNE", "VENEZIA", kCustomerData, "COMUNE"}, // no province yet
        {"PROVINCIA", "VE", kCustomerData, "INDIRIZZO"},
        {"INDIRIZZO", "CALLE LARGA 1", kTechnician, "ID_TECNICO"},
        {"ID_TECNICO", 999, kTechnician, "ID_TECNICO"}, // no longer in the register
        {"ID_TECNICO", technician, "Inserire correttamente i dati del misuratore.", "ID_MS"},
        {"ID_MS", model, "Inserire la matricola del misuratore.", "MATRICOLA_MS"},
        {"MATRICOLA_MS", "AB1234567", kKind, "TIPO_INTERVENTO"},
        {"TIPO_INTERVENTO", "7", kKind, "TIPO_INTERVENTO"},
        {"TIPO_INTERVENTO", "1", "Inserire la data di inizio.", "DATA_INI"},
        {"DATA_INI", QDate(2026, 2, 1), "Inserire la data di fine.", "DATA_FINE"},
        {"DATA_FINE", QDate(2026, 2, 15), "Inserire esito intervento.", "ESITO"},
        {"ESITO", "2", "Inserire esito intervento.", "ESITO"},
        {"ESITO", "1", "", ""},
    };
    t.append();
    for (const auto& s : steps) {
        t.field(s.field).setValue(s.value);
        const registry::SaveVerdict verdict = movements::checkVerificationSave(data);
        EXPECT_EQ(verdict.message, s.refusal) << s.field;
        EXPECT_EQ(verdict.focusField, s.box) << s.field;
    }
    t.post();
    EXPECT_TRUE(movements::movementHasVerifications(data, 1));
    EXPECT_FALSE(movements::movementHasVerifications(data, 2));
}

TEST_F(Verifications, DisplayFieldsShowKindModelAndTechnicianOfTheStoredRecord) {
    const int technician = vertest::postTechnician(data, "ROSSI", true);
    const int model = vertest::postModel(data, "OLIVETTA", "CASSA 1");
    const struct {
        const char* kind;
        int model;
        int technician;
        const char* shown; ///< tipo_int|marchio_ms|logotipo_ms|sigillo_tecnico
    } cases[] = {
        {"5", model, technician, "Verifica Annuale|OLIVETTA|AB|ROSSI MARIO 77"},
        {"9", 999, 999, "|||"},
    };
    for (const auto& c : cases) {
        t.append();
        t.field("ID_ESERCIZIO").setAsInteger(1);
        t.field("ID_MS").setAsInteger(c.model);
        t.field("ID_TECNICO").setAsInteger(c.technician);
        t.field("TIPO_INTERVENTO").setAsString(c.kind);
        t.post();
        t.refresh();
        EXPECT_EQ(QStringList({field("tipo_int"), field("marchio_ms"), field("logotipo_ms"),
                               field("sigillo_tecnico")})
                      .join('|'),
                  c.shown)
            << c.kind;
    }
}

TEST_F(Verifications, LeavingTheMunicipalityFillsOrEmptiesProvinceAndPostcode) {
    const struct {
        const char* municipality;
        const char* provinceAndPostcode;
        std::optional<QString> message;
    } cases[] = {
        {"VENEZIA", "VE30121", std::nullopt},
        {"venezia", "", "comune errato"},
        {"", "", "comune errato"},
    };
    t.append();
    for (const auto& c : cases) {
        t.field("PROVINCIA").setAsString("XX");
        t.field("CAP").setAsString("99999");
        t.field("COMUNE").setAsString(c.municipality);
        EXPECT_EQ(movements::applyVerificationMunicipality(data), c.message) << c.municipality;
        EXPECT_EQ(field("PROVINCIA") + field("CAP"), c.provinceAndPostcode) << c.municipality;
    }
}

} // namespace
