// The filter texts of the movement lists, as the filter line shows them.
#include "movement_support.h"
#include "movements/movement_filter.h"
#include "store/program.h"

namespace {

using movements::Fulfilment;
using movtest::put;

const QString blank = QStringLiteral("  /  /    ");

TEST(MovementFilter, FiltraBuildsItsTextPieceByPiece) {
    const struct {
        const char* what;
        movements::FilterCriteria criteria;
        const char* expected;
    } cases[] = {
        {"nothing", {blank, blank, blank, blank}, ""},
        {"only done", {.fulfilment = Fulfilment::Done}, "([evasa_sn]='true')"},
        {"technician and done",
         {.technician = 4, .fulfilment = Fulfilment::Done},
         "([id_tecnico]='4') and([evasa_sn]='true')"},
        {"open after a type",
         {.type = 3, .fulfilment = Fulfilment::Open},
         "([id_tipomov]='3') and([evasa_sn]='false')"},
        {"insertion range alone",
         {.insertedFrom = "01/03/2026", .insertedTo = "31/03/2026"},
         "([data]>='01/03/2026') and ([data]<='31/03/2026')"},
        {"appointment range alone",
         {.appointmentFrom = "01/03/2026", .appointmentTo = "31/03/2026"},
         "([data_app]>='01/03/2026') and ([data_app]<='31/03/2026')"},
        {"a range with one box empty adds nothing",
         {.insertedFrom = "01/03/2026",
          .insertedTo = blank,
          .appointmentFrom = "//",
          .appointmentTo = "02/03/2026"},
         ""},
        {"everything",
         {"01/01/2026", "31/01/2026", "05/01/2026", "06/01/2026", 12, 4, 1, Fulfilment::Open},
         "([data]>='01/01/2026') and ([data]<='31/01/2026') and([data_app]>='05/01/2026') and "
         "([data_app]<='06/01/2026') and([id_esercizio]='12') and([id_tecnico]='4') "
         "and([id_tipomov]='1') and([evasa_sn]='false')"},
        {"customer after an appointment range",
         {.appointmentFrom = "05/01/2026", .appointmentTo = "06/01/2026", .customer = 2},
         "([data_app]>='05/01/2026') and ([data_app]<='06/01/2026') and([id_esercizio]='2')"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(movements::composeFilter(c.criteria), QString::fromLatin1(c.expected)) << c.what;
}

TEST(MovementFilter, ListsOpenOnTodaysMovementsAndAppointments) {
    const QDate day(2026, 12, 8);
    EXPECT_EQ(movements::startingFilter(day), "[data]='08/12/2026' or [data_app]='08/12/2026'");
    EXPECT_EQ(movements::startingFilter(day, 3),
              "([data]='08/12/2026' or [data_app]='08/12/2026') and ([id_tipomov]='3')");
    EXPECT_EQ(movements::kindFilter(2), "[Id_tipomov]='2'");
}

class MovementFilterOnYear : public movtest::Year {};

TEST_F(MovementFilterOnYear, NamesBecomeIdentifiersAndAnUnknownNameFiltersNothing) {
    put(data.Tabesercizio, {{"Ragione_sociale", "BAR SPORT"}});
    put(data.Tabesercizio, {{"Ragione_sociale", "BAR CENTRALE"}});
    put(data.Tabtecnico, {{"Cognome", "ROSSI"}, {"Nome", "MARIO"}, {"Id_nu_sigillo", "12"}});
    data.Tabesercizio.first();
    const struct {
        movements::FilterNames names;
        std::optional<int> customer, technician, type;
        const char* refusal;
    } cases[] = {
        {{"BAR CENTRALE", "ROSSI MARIO 12", "VENDITA"}, 2, 1, 3, ""},
        {{"", "", ""}, {}, {}, {}, ""},
        {{"BAR", "", ""}, {}, {}, {}, "Esercizio non trovato: BAR"},
        {{"", "ROSSI", ""}, {}, {}, {}, "Tecnico non trovato: ROSSI"},
        {{"", "", "vendita"}, {}, {}, {}, "Tipo movimento non trovato: vendita"},
    };
    for (const auto& c : cases) {
        QString refusal;
        const auto resolved =
            movements::resolveNames(data, {}, c.names, [&](const QString& m) { refusal = m; });
        EXPECT_EQ(refusal, QString::fromUtf8(c.refusal));
        ASSERT_EQ(resolved.has_value(), refusal.isEmpty());
        if (resolved) {
            EXPECT_EQ(resolved->customer, c.customer);
            EXPECT_EQ(resolved->technician, c.technician);
            EXPECT_EQ(resolved->type, c.type);
        }
    }
    EXPECT_EQ(data.Tabesercizio.field("Ragione_sociale").asString(), "BAR CENTRALE")
        << "the customers' cursor stays where it was (name order)";
}

TEST_F(MovementFilterOnYear, ARefusedFilterSaysSoWithTheLastFilterAndListsEverything) {
    for (int day = 1; day <= 3; ++day)
        put(data.Tabmov, {{"Data", QDate(2026, 3, day)}});
    store::program().lastFilter = "([data]>='3x/03/2026')";
    const auto refused = movements::applyMovementFilter(data, "([data]>='3x/03/2026')", true);
    EXPECT_EQ(refused.refusal, QString("Filtro incorretto.([data]>='3x/03/2026')"));
    EXPECT_EQ(refused.line, "");
    EXPECT_FALSE(data.Tabmov.filtered());
    EXPECT_EQ(data.Tabmov.recNo(), 3);

    const auto accepted = movements::applyMovementFilter(data, "([data]<='02/03/2026')", true);
    EXPECT_FALSE(accepted.refusal);
    EXPECT_EQ(accepted.line, "([data]<='02/03/2026')");
    EXPECT_EQ(data.Tabmov.recordCount(), 2);
    EXPECT_EQ(data.Tabmov.field("Data").asDate(), QDate(2026, 3, 2));
    store::program().lastFilter.clear();
}

} // namespace
