// What the movement commands write: the delete with everything hanging on a movement, the
// machines going back to the warehouse, the intervention of a contract visit.
#include "movement_support.h"
#include "movements/movement_commands.h"
#include "movements/movement_rules.h"

namespace {

using movtest::put;

class MovementCommands : public movtest::Year {
protected:
    /// Movement `id` of customer 5 on machine `serial`, with one verification and one line.
    void movement(int id, const QString& serial, bool fromWarehouse) {
        put(data.Tabmov, {{"Id", id},
                          {"ID_ESERCIZIO", 5},
                          {"MATRICOLA_MS", serial},
                          {"Dal_magazzino_sn", fromWarehouse}});
        put(data.Tabmisurazioni, {{"ID_MISURAZIONI", id * 10},
                                  {"Id_mov", id},
                                  {"ID_ESERCIZIO", 5},
                                  {"ID_MS", 1},
                                  {"ID_TECNICO", 1}});
        store::Table lines(working.year.path(), "Mov_articoli");
        lines.open();
        put(lines, {{"Id", id * 10}, {"Id_mov", id}, {"Descrizione", "ROTOLO"}, {"Qta", 2}});
    }
    void machine(const QString& serial) {
        put(data.Tabarticoli, {{"Matricola", serial},
                               {"Descrizione", "MISURATORE"},
                               {"Id_esercizio", 5},
                               {"Giacenza_sn", false},
                               {"Indirizzo", "VIA ROMA 1"},
                               {"Qta", 1}});
    }
    QVariant article(const QString& serial, const char* field) {
        return stored("articoli", "Matricola", serial, field);
    }
};

TEST_F(MovementCommands, DeleteTakesVerificationsLinesAndAWarehouseMachineWithTheMovement) {
    const struct {
        const char* what;
        bool fromWarehouse;
        const char* serial;
        bool backInWarehouse;
    } cases[] = {
        {"sale from the warehouse", true, "WH0000001", true},
        {"intervention on the customer's machine", false, "CU0000001", false},
        {"machine no longer among the articles", true, "GONE00001", false},
    };
    machine("WH0000001");
    machine("CU0000001");
    movement(1, "OTHER0001", false);
    int id = 2;
    for (const auto& c : cases) {
        movement(id, c.serial, c.fromWarehouse);
        ASSERT_TRUE(data.Tabmov.locate("Id", id));
        movements::deleteMovement(data);
        EXPECT_TRUE(stored("MOV", "Id", id, "Id").isNull()) << c.what;
        EXPECT_TRUE(stored("misurazioni", "Id_mov", id, "Id_mov").isNull()) << c.what;
        EXPECT_TRUE(stored("Mov_articoli", "Id_mov", id, "Id_mov").isNull()) << c.what;
        if (QString(c.serial) != "GONE00001") {
            EXPECT_EQ(article(c.serial, "Giacenza_sn").toBool(), c.backInWarehouse) << c.what;
            EXPECT_EQ(article(c.serial, "Id_esercizio").isNull(), c.backInWarehouse) << c.what;
            EXPECT_EQ(article(c.serial, "Indirizzo"), QVariant("VIA ROMA 1")) << c.what;
        }
        ++id;
    }
    EXPECT_EQ(count("MOV"), 1);
    EXPECT_EQ(count("misurazioni"), 1) << "another movement's records stay";
    EXPECT_EQ(count("Mov_articoli"), 1);
}

TEST_F(MovementCommands, CancelGivesBackOnlyAMachineThisEntryTookFromTheWarehouse) {
    put(data.Tabmov, {{"MATRICOLA_MS", "OLD000001"}, {"Dal_magazzino_sn", true}});
    put(data.Tabmov, {{"MATRICOLA_MS", "CUS000001"}, {"Dal_magazzino_sn", false}});
    const struct {
        const char* what;
        QVariant movement; ///< null: a new one
        const char* serial;
        bool fromWarehouse, expected;
    } cases[] = {
        {"new sale with a warehouse machine", {}, "NEW000001", true, true},
        {"new intervention", {}, "CUS000002", false, false},
        {"change keeping the stored warehouse machine", 1, "OLD000001", true, false},
        {"change picking another warehouse machine", 1, "NEW000001", true, true},
        {"change picking a warehouse machine", 2, "NEW000001", true, true},
    };
    for (const auto& c : cases) {
        if (c.movement.isNull()) {
            data.Tabmov.append();
        } else {
            ASSERT_TRUE(data.Tabmov.locate("Id", c.movement));
            data.Tabmov.edit();
        }
        data.Tabmov.field("MATRICOLA_MS").setAsString(c.serial);
        data.Tabmov.field("Dal_magazzino_sn").setAsBoolean(c.fromWarehouse);
        EXPECT_EQ(movements::machineTakenByThisEntry(data), c.expected) << c.what;
        data.Tabmov.cancel();
    }
}

TEST_F(MovementCommands, AContractVisitIsAnInterventionOnTheContractsMachine) {
    put(data.Tabcontratti, {{"ID", 1}, {"ID_CLIENTE", 7}});
    put(data.Tablcontratti, {{"ID", 1},
                             {"ID_ELENCO", 1},
                             {"Id_ms", 3},
                             {"MATRICOLA", "99XY12345"},
                             {"Indirizzo", "VIA PO 2"},
                             {"Cap", "10100"},
                             {"Comune", "TORINO"},
                             {"PROVINCIA", "TO"},
                             {"Piva", "01234567897"}});
    movements::newContractVisit(data);
    store::Table& mov = data.Tabmov;
    EXPECT_EQ(mov.state(), store::DataSetState::Insert);
    EXPECT_EQ(mov.field("Id_tipomov").value(), movements::kindId(data, "INTERVENTO").value());
    EXPECT_EQ(mov.field("Data").asDate(), QDate::currentDate());
    EXPECT_FALSE(mov.field("Dal_magazzino_sn").isNull());
    const std::pair<const char*, QVariant> copied[] = {
        {"ID_ESERCIZIO", 7},       {"ID_MS", 3},           {"MATRICOLA_MS", "99XY12345"},
        {"INDIRIZZO", "VIA PO 2"}, {"CAP", "10100"},       {"COMUNE", "TORINO"},
        {"PROVINCIA", "TO"},       {"Piva", "01234567897"}};
    for (const auto& [field, value] : copied)
        EXPECT_EQ(mov.field(field).asString(), value.toString()) << field;
}

} // namespace
