// Detail objects that follow their master, lookup fields and calculated fields.
#include "store/error.h"
#include "store/rules.h"
#include "store/table.h"
#include "store_test_util.h"
#include "support/fixture.h"

#include <gtest/gtest.h>

using store::DataSetState;
using store::Table;
using storetest::add;
using storetest::column;
using storetest::ids;

class MasterDetail : public ::testing::Test {
protected:
    testsupport::YearFolder year;
    Table movements{year.path(), "MOV"};
    Table lines{year.path(), "Mov_articoli"};

    void SetUp() override {
        movements.open();
        lines.open();
        add(movements, {{"Id", 1}, {"Data", "08/12/2026"}});
        add(movements, {{"Id", 2}, {"Data", "09/12/2026"}});
        add(movements, {{"Id", 3}, {"Data", "10/12/2026"}});
        add(lines, {{"Id", 1}, {"Id_mov", 2}, {"Descrizione", "ROTOLO CARTA"}});
        add(lines, {{"Id", 2}, {"Id_mov", 1}, {"Descrizione", "MANODOPERA"}});
        add(lines, {{"Id", 3}, {"Id_mov", 2}, {"Descrizione", "BATTERIA"}});
        add(lines, {{"Id", 4}, {"Descrizione", "SENZA MOVIMENTO"}});
        lines.setIndexName("mov_index");
        lines.setMasterSource(&movements, "Id", "Id_mov");
        movements.first();
    }
};

TEST_F(MasterDetail, DetailShowsTheLinesOfTheCurrentMovementAndFollowsItsMoves) {
    EXPECT_EQ(column(lines, "Descrizione"), QStringList{"MANODOPERA"});
    movements.next();
    EXPECT_EQ(lines.recordCount(), 2);
    EXPECT_EQ(ids(lines, "Id"), std::vector<int>({1, 3}));
    movements.next();
    EXPECT_TRUE(lines.isEmpty());
    EXPECT_TRUE(lines.eof());
    movements.first();
    EXPECT_EQ(ids(lines, "Id"), std::vector<int>({2}));
    ASSERT_TRUE(movements.locate("Data", QDate(2026, 12, 9)));
    EXPECT_EQ(lines.recordCount(), 2);
}

TEST_F(MasterDetail, DetailStartsAtItsFirstLineAfterTheMasterMoves) {
    movements.next();
    lines.last();
    movements.prior();
    movements.next();
    EXPECT_EQ(lines.field("Id").asInteger(), 1);
    EXPECT_TRUE(lines.bof());
}

TEST_F(MasterDetail, AppendInTheDetailFillsTheLinkField) {
    movements.setRecNo(3);
    lines.append();
    EXPECT_EQ(lines.field("Id_mov").asInteger(), 3);
    lines.field("Id").setAsInteger(5);
    lines.field("Descrizione").setAsString("TESTINA TERMICA");
    lines.post();
    EXPECT_EQ(column(lines, "Descrizione"), QStringList{"TESTINA TERMICA"});
    EXPECT_EQ(storetest::raw(year.file("Mov_articoli.DB"),
                             "SELECT Id_mov FROM Mov_articoli WHERE Id = 5"),
              QStringList{"3"});
}

TEST_F(MasterDetail, UntouchedDetailLineIsDroppedWhenTheMasterMoves) {
    // An appended line nobody wrote in is not worth a record, as for a table without master.
    lines.append();
    movements.next();
    EXPECT_EQ(lines.state(), DataSetState::Browse);
    EXPECT_EQ(storetest::raw(year.file("Mov_articoli.DB"), "SELECT count(*) FROM Mov_articoli"),
              QStringList{"4"});
}

TEST_F(MasterDetail, PendingDetailLineIsPostedWhenTheMasterMoves) {
    lines.append();
    lines.field("Id").setAsInteger(6);
    lines.field("Descrizione").setAsString("CAVO");
    movements.next();
    EXPECT_EQ(lines.state(), DataSetState::Browse);
    EXPECT_EQ(storetest::raw(year.file("Mov_articoli.DB"),
                             "SELECT Id_mov FROM Mov_articoli WHERE Id = 6"),
              QStringList{"1"});
    movements.prior();
    EXPECT_EQ(ids(lines, "Id"), std::vector<int>({2, 6}));
}

TEST_F(MasterDetail, NewMasterRecordShowsNoLinesUntilItHasLines) {
    movements.append();
    movements.field("Id").setAsInteger(4);
    EXPECT_TRUE(lines.isEmpty());
    movements.post();
    EXPECT_TRUE(lines.isEmpty());
    lines.append();
    lines.field("Id").setAsInteger(7);
    lines.post();
    EXPECT_EQ(lines.field("Id_mov").asInteger(), 4);
}

TEST_F(MasterDetail, DetailOfAClosedMasterShowsNothingAndRemovingTheLinkShowsAll) {
    movements.close();
    EXPECT_TRUE(lines.isEmpty());
    lines.setMasterSource(nullptr, {}, {});
    EXPECT_EQ(lines.recordCount(), 4);
}

TEST_F(MasterDetail, DetailFilterAddsToTheLink) {
    movements.next();
    lines.setFilter("[Descrizione]='BATTERIA'");
    lines.setFiltered(true);
    EXPECT_EQ(ids(lines, "Id"), std::vector<int>({3}));
    movements.prior();
    EXPECT_TRUE(lines.isEmpty());
}

TEST_F(MasterDetail, DetailFollowsAnotherMasterOrderAndObject) {
    // The verification records opened the way the movement screen opens them.
    Table verifications(year.path(), "misurazioni");
    verifications.open();
    for (int id = 1; id <= 3; ++id) {
        verifications.append();
        verifications.field("ID_MISURAZIONI").setAsInteger(id);
        verifications.field("Id_mov").setAsInteger(id == 3 ? 1 : 3);
        verifications.field("ID_ESERCIZIO").setAsInteger(1);
        verifications.field("ID_MS").setAsInteger(1);
        verifications.field("ID_TECNICO").setAsInteger(1);
        verifications.post();
    }
    verifications.setIndexName("idmov_index");
    verifications.setMasterSource(&movements, "Id", "Id_mov");
    movements.setIndexName("data_ora_index");
    movements.last();
    EXPECT_EQ(ids(verifications, "ID_MISURAZIONI"), std::vector<int>({1, 2}));
    movements.first();
    EXPECT_EQ(ids(verifications, "ID_MISURAZIONI"), std::vector<int>({3}));
}

TEST_F(MasterDetail, MismatchedLinkFieldsAreRefused) {
    Table other(year.path(), "Mov_articoli");
    EXPECT_THROW(other.setMasterSource(&movements, "Id;Data", "Id_mov"), store::Error);
    EXPECT_THROW(other.setMasterSource(&movements, "Id", "Campo_inesistente"), store::Error);
}

// ---------------------------------------------------------------------------------------------
// Lookup and calculated fields

class DerivedFields : public ::testing::Test {
protected:
    testsupport::YearFolder year;
    Table types{year.path(), "tipo_mov"}; // INTERVENTO, RIPARAZIONE, VENDITA in the template
    Table shops{year.path(), "esercizio"};
    Table movements{year.path(), "MOV"};

    void SetUp() override {
        types.open();
        shops.open();
        add(shops, {{"Id_esercizio", 7}, {"Ragione_sociale", "BAR CENTRALE"}});
        add(shops, {{"Id_esercizio", 8}, {"Ragione_sociale", "TABACCHI ROSSI"}});
        movements.addLookupField("tipo_mov", 120, "Id_tipomov", &types, "Id", "Descrizione");
        movements.addLookupField("ragionesociale", 120, "ID_ESERCIZIO", &shops, "Id_esercizio",
                                 "Ragione_sociale");
        movements.open();
        add(movements, {{"Id", 1}, {"Id_tipomov", 3}, {"ID_ESERCIZIO", 8}});
        add(movements, {{"Id", 2}, {"Id_tipomov", 9}, {"ID_ESERCIZIO", 7}});
        add(movements, {{"Id", 3}});
        movements.first();
    }
};

TEST_F(DerivedFields, LookupShowsTheSourceValueOrBlankWhenNothingMatches) {
    EXPECT_EQ(movements.field("tipo_mov").asString(), "VENDITA");
    EXPECT_EQ(movements.field("RagioneSociale").asString(), "TABACCHI ROSSI");
    EXPECT_TRUE(movements.field("tipo_mov").isLookup());
    movements.next();
    EXPECT_TRUE(movements.field("tipo_mov").isNull());
    EXPECT_EQ(movements.field("ragionesociale").asString(), "BAR CENTRALE");
    movements.next();
    EXPECT_TRUE(movements.field("tipo_mov").isNull());
    EXPECT_TRUE(movements.field("ragionesociale").isNull());
}

TEST_F(DerivedFields, LookupIsRecomputedWhenItsKeyChanges) {
    movements.edit();
    movements.field("Id_tipomov").setAsInteger(1);
    EXPECT_EQ(movements.field("tipo_mov").asString(), "INTERVENTO");
    movements.field("Id_tipomov").setAsString("2");
    EXPECT_EQ(movements.field("tipo_mov").asString(), "RIPARAZIONE");
    movements.field("Id_tipomov").clear();
    EXPECT_TRUE(movements.field("tipo_mov").isNull());
    movements.field("Id_tipomov").setAsInteger(2);
    movements.post();
    EXPECT_EQ(movements.field("tipo_mov").asString(), "RIPARAZIONE");
}

TEST_F(DerivedFields, LookupFieldsAreReadOnlyAndNeverStored) {
    movements.edit();
    EXPECT_THROW(movements.field("tipo_mov").setAsString("ALTRO"), store::Error);
    movements.cancel();
    EXPECT_EQ(storetest::raw(year.file("MOV.DB"),
                             "SELECT count(*) FROM pragma_table_info('MOV') WHERE name = "
                             "'tipo_mov'"),
              QStringList{"0"});
}

TEST_F(DerivedFields, LookupOfANewRecordFollowsWhatIsTyped) {
    movements.append();
    EXPECT_TRUE(movements.field("ragionesociale").isNull());
    movements.field("ID_ESERCIZIO").setAsInteger(7);
    EXPECT_EQ(movements.field("ragionesociale").asString(), "BAR CENTRALE");
}

TEST_F(DerivedFields, LookupSeesTheSourceAsItIsWhenTheRecordIsRead) {
    ASSERT_TRUE(shops.locate("Id_esercizio", 8));
    shops.edit();
    shops.field("Ragione_sociale").setAsString("TABACCHI ROSSI SNC");
    shops.post();
    movements.last();
    movements.first();
    EXPECT_EQ(movements.field("ragionesociale").asString(), "TABACCHI ROSSI SNC");
}

TEST_F(DerivedFields, RowsReadForAGridCarryTheirLookups) {
    const int lookup = movements.field("tipo_mov").index();
    EXPECT_EQ(movements.recordAt(0)[size_t(lookup)].toString(), "VENDITA");
    EXPECT_TRUE(movements.recordAt(1)[size_t(lookup)].isNull());
    EXPECT_EQ(movements.recNo(), 1);
}

TEST(CalculatedFields, FilledOnEveryReadAndNeverStored) {
    testsupport::YearFolder year;
    Table movements(year.path(), "MOV");
    movements.addCalculatedField("id_al_num", store::FieldType::Text, 8);
    int calculations = 0;
    movements.on(store::Event::CalcFields, [&](Table& t) {
        ++calculations;
        t.field("id_al_num")
            .setAsString(t.field("MATRICOLA_MS").asString().left(2) + "-" +
                         t.field("Id").asString());
    });
    movements.open();
    add(movements, {{"Id", 1}, {"MATRICOLA_MS", "AB1234567"}});
    add(movements, {{"Id", 2}, {"MATRICOLA_MS", "CD7654321"}});
    movements.first();
    EXPECT_EQ(movements.field("id_al_num").asString(), "AB-1");
    EXPECT_TRUE(movements.field("id_al_num").isCalculated());
    movements.next();
    EXPECT_EQ(movements.field("id_al_num").asString(), "CD-2");
    // For a grid row, without moving.
    EXPECT_EQ(movements.recordAt(0)[size_t(movements.field("id_al_num").index())].toString(),
              "AB-1");
    EXPECT_EQ(movements.recNo(), 2);
    EXPECT_GT(calculations, 0);

    // A record edited elsewhere is calculated anew when read again.
    storetest::raw(year.file("MOV.DB"), "UPDATE MOV SET MATRICOLA_MS = 'ZZ0000000' WHERE Id = 2");
    movements.first();
    movements.next();
    EXPECT_EQ(movements.field("id_al_num").asString(), "ZZ-2");
    EXPECT_EQ(storetest::raw(year.file("MOV.DB"),
                             "SELECT count(*) FROM pragma_table_info('MOV') WHERE name = "
                             "'id_al_num'"),
              QStringList{"0"});
}

TEST(CalculatedFields, CalculatedValueIsCutToItsSize) {
    testsupport::YearFolder year;
    Table movements(year.path(), "MOV");
    movements.addCalculatedField("logotipo_ms", store::FieldType::Text, 2);
    movements.on(store::Event::CalcFields,
                 [](Table& t) { t.field("logotipo_ms").setAsString("ABCDEF"); });
    movements.open();
    add(movements, {{"Id", 1}});
    movements.first();
    EXPECT_EQ(movements.field("logotipo_ms").asString(), "AB");
}

// A second copy of the program posts a movement with the identifier this one's new movement was
// given, with a line of its own: the line posted here while the movement was unposted follows
// the movement to the identifier it takes; the other copy's line stays where it was.
TEST_F(MasterDetail, LinesPostedUnderANewMasterFollowItsRenumbering) {
    Table other{year.path(), "MOV"};
    Table otherLines{year.path(), "Mov_articoli"};
    other.open();
    otherLines.open();
    store::rules::attachIdentifierAfterInsert(movements, "Id");
    store::rules::attachIdentifierAfterInsert(lines, "Id");
    movements.append();
    ASSERT_EQ(movements.field("Id").asInteger(), 4);
    lines.append();
    lines.field("Descrizione").setAsString("MIA");
    lines.post();
    add(other, {{"Id", 4}});
    add(otherLines, {{"Id", 99}, {"Id_mov", 4}, {"Descrizione", "ALTRUI"}});
    movements.post();
    EXPECT_EQ(movements.field("Id").asInteger(), 5);
    EXPECT_EQ(column(lines, "Descrizione"), QStringList{"MIA"});
    other.last();
    EXPECT_EQ(other.field("Id").asInteger(), 5);
    otherLines.setFilter("[Id_mov]='4'");
    otherLines.setFiltered(true);
    EXPECT_EQ(column(otherLines, "Descrizione"), QStringList{"ALTRUI"});
}
