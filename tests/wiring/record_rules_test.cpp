// Every subsystem's record rules, attached once by RecordRules as the program attaches them:
// each rule is there, on the right object, and runs once.
#include "support/working_year.h"

#include <gtest/gtest.h>

namespace {

using Object = store::Table Tdm::*;

TEST(RecordRules, EveryRegisterObjectGetsItsIdentifier) {
    const struct {
        Object object;
        const char* field;
        int expected; ///< the template's own records come first
    } cases[] = {
        {&Tdm::Tabesercizio, "Id_esercizio", 1},
        {&Tdm::Tab_ese2, "Id_esercizio", 1},
        {&Tdm::tabese3, "Id_esercizio", 1},
        {&Tdm::TabFornitori, "Id_fornitore", 1},
        {&Tdm::Tabms, "Id_ms", 1},
        {&Tdm::Tabtecnico, "Id_tecnico", 1},
        {&Tdm::Tabsoggetto, "Id_sogg_obbl", 1},
        {&Tdm::TabLsogg, "Id_Lsogg", 1},
        {&Tdm::tab_tipicontratti, "Id", 2},
    };
    testsupport::WorkingYear working;
    ASSERT_TRUE(working.opened);
    for (const auto& c : cases) {
        store::Table& t = working.data.*c.object;
        t.append();
        EXPECT_EQ(t.field(QString::fromLatin1(c.field)).asInteger(), c.expected) << c.field;
        t.cancel();
    }
    // Movement types take theirs only when posted.
    store::Table& types = working.data.Tabtipomov;
    types.append();
    EXPECT_TRUE(types.field("Id").isNull());
    types.field("Descrizione").setAsString("CONSULENZA");
    types.post();
    EXPECT_EQ(types.field("Id").asInteger(), 4);
}

TEST(RecordRules, EachWarningComesOnceAndNamesTheFieldItIsAbout) {
    const struct {
        Object object;
        const char* field;
        const char* value;
        const char* warning;
        const char* about; ///< empty: the warning sends the user nowhere
    } cases[] = {
        {&Tdm::Tabesercizio, "Piva", "12345678901", "Errore P. Iva", "Piva"},
        {&Tdm::TabFornitori, "Piva", "", "Errore P. Iva", "Piva"},
        {&Tdm::Tabsoggetto, "Piva", "123", "Errore P. Iva", "Piva"},
        {&Tdm::Tabtecnico, "Cf", "RSSMRA83C05H501", "Errore codice Fiscale", "Cf"},
        {&Tdm::Tabesercizio, "Comune", "roma", "Errore Sul Comune inserito", ""},
        {&Tdm::TabFornitori, "Comune", "ATLANTIDE", "Errore Sul Comune inserito", ""},
        {&Tdm::Tabmisurazioni, "PIVA", "123", "Errore P. Iva", "PIVA"},
    };
    for (const auto& c : cases) {
        testsupport::WorkingYear working;
        ASSERT_TRUE(working.opened);
        store::Table& t = working.data.*c.object;
        t.append();
        t.field(QString::fromLatin1(c.field)).setAsString(QString::fromLatin1(c.value));
        ASSERT_EQ(working.warnings.size(), 1u) << c.field;
        const store::rules::Warning& w = working.warnings.front();
        EXPECT_EQ(w.text, QString::fromLatin1(c.warning));
        EXPECT_EQ(w.field, QString::fromLatin1(c.about));
        EXPECT_EQ(w.table, *c.about ? &t : nullptr) << c.field;
    }
}

// The technicians' and the obliged subject's look-ups once moved the shared municipalities
// object under the municipalities screen; they read it without moving it.
TEST(RecordRules, MunicipalityLookUpsOfTechniciansAndSubjectLeaveTheSharedObjectInPlace) {
    const struct {
        Object object;
        const char* field;
        const char* derived;
    } cases[] = {
        {&Tdm::Tabtecnico, "Comune_nascita", "Prov_nascita"},
        {&Tdm::Tabsoggetto, "PG_comune_fiscale", "PG_prov_fiscale"},
        {&Tdm::Tabsoggetto, "Pf_comune_nascita", "Pf_prov_nascita"},
    };
    testsupport::WorkingYear working;
    ASSERT_TRUE(working.opened);
    store::Table& comuni = working.data.Tabcomuni;
    comuni.first();
    const QString before = comuni.field("COMUNE").asString();
    for (const auto& c : cases) {
        store::Table& t = working.data.*c.object;
        t.append();
        t.field(QString::fromLatin1(c.field)).setAsString("VENEZIA");
        EXPECT_EQ(t.field(QString::fromLatin1(c.derived)).asString(), "VE") << c.field;
        EXPECT_EQ(comuni.field("COMUNE").asString(), before) << c.field;
        t.cancel();
    }
}

} // namespace
