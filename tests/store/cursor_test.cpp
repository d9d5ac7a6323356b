// The cursor of a table object: moving, counting, bookmarks, orders, locate and lookup.
#include "store/error.h"
#include "store/table.h"
#include "store_test_util.h"
#include "support/fixture.h"

#include <gtest/gtest.h>

using store::Table;
using storetest::add;
using storetest::column;
using storetest::ids;

namespace {

/// Three shops inserted out of identifier order, names out of both orders.
void fillShops(Table& t) {
    add(t, {{"Id_esercizio", 3}, {"Ragione_sociale", "BAR CENTRALE"}, {"Comune", "ROMA"}});
    add(t, {{"Id_esercizio", 1}, {"Ragione_sociale", "TABACCHI ROSSI"}, {"Comune", "MILANO"}});
    add(t, {{"Id_esercizio", 2}, {"Ragione_sociale", "ALIMENTARI BIANCHI"}, {"Comune", "ROMA"}});
}

} // namespace

class Cursor : public ::testing::Test {
protected:
    testsupport::YearFolder year;
    Table shops{year.path(), "esercizio"};
    void SetUp() override { shops.open(); }
};

TEST_F(Cursor, EmptyTableIsAtBothEndsWithNoRecord) {
    EXPECT_TRUE(shops.isEmpty());
    EXPECT_TRUE(shops.eof());
    EXPECT_TRUE(shops.bof());
    EXPECT_EQ(shops.recordCount(), 0);
    EXPECT_EQ(shops.recNo(), 0);
    shops.next();
    shops.prior();
    shops.last();
    EXPECT_TRUE(shops.eof());
    EXPECT_TRUE(shops.bof());
    EXPECT_TRUE(shops.field("Ragione_sociale").isNull());
    EXPECT_EQ(shops.bookmark(), 0);
}

TEST_F(Cursor, WalksForwardAndBackInIdentifierOrder) {
    fillShops(shops);
    EXPECT_EQ(shops.recordCount(), 3);

    shops.first();
    EXPECT_TRUE(shops.bof());
    EXPECT_FALSE(shops.eof());
    EXPECT_EQ(shops.recNo(), 1);
    EXPECT_EQ(shops.field("Id_esercizio").asInteger(), 1);

    shops.next();
    EXPECT_FALSE(shops.bof());
    EXPECT_EQ(shops.recNo(), 2);
    EXPECT_EQ(shops.field("Id_esercizio").asInteger(), 2);

    shops.next();
    EXPECT_FALSE(shops.eof());
    EXPECT_EQ(shops.field("Id_esercizio").asInteger(), 3);

    // Past the end: eof, still on the last record.
    shops.next();
    EXPECT_TRUE(shops.eof());
    EXPECT_EQ(shops.recNo(), 3);
    EXPECT_EQ(shops.field("Ragione_sociale").asString(), "BAR CENTRALE");

    shops.prior();
    EXPECT_FALSE(shops.eof());
    EXPECT_EQ(shops.field("Id_esercizio").asInteger(), 2);
    shops.prior();
    shops.prior();
    EXPECT_TRUE(shops.bof());
    EXPECT_EQ(shops.field("Id_esercizio").asInteger(), 1);

    shops.last();
    EXPECT_TRUE(shops.eof());
    EXPECT_EQ(shops.recNo(), 3);
    EXPECT_EQ(shops.field("Id_esercizio").asInteger(), 3);

    shops.setRecNo(2);
    EXPECT_EQ(shops.field("Id_esercizio").asInteger(), 2);
    shops.moveBy(-5);
    EXPECT_EQ(shops.field("Id_esercizio").asInteger(), 1);
    shops.moveBy(2);
    EXPECT_EQ(shops.field("Id_esercizio").asInteger(), 3);
}

TEST_F(Cursor, BookmarkReturnsToItsRecordUntilThatRecordIsDeleted) {
    fillShops(shops);
    shops.first();
    shops.next();
    const store::Bookmark second = shops.bookmark();
    ASSERT_NE(second, 0);
    shops.last();
    EXPECT_TRUE(shops.bookmarkValid(second));
    shops.gotoBookmark(second);
    EXPECT_EQ(shops.field("Id_esercizio").asInteger(), 2);
    EXPECT_EQ(shops.recNo(), 2);

    // A bookmark survives a change of order.
    shops.setIndexName("rs_index");
    shops.first();
    shops.gotoBookmark(second);
    EXPECT_EQ(shops.field("Ragione_sociale").asString(), "ALIMENTARI BIANCHI");
    EXPECT_EQ(shops.recNo(), 1);

    shops.deleteRecord();
    EXPECT_FALSE(shops.bookmarkValid(second));
    EXPECT_THROW(shops.gotoBookmark(second), store::Error);
}

TEST_F(Cursor, BookmarkOfARecordOutsideTheFilterIsNotValid) {
    fillShops(shops);
    shops.first();
    const store::Bookmark milano = shops.bookmark();
    shops.setFilter("[Comune]='ROMA'");
    shops.setFiltered(true);
    EXPECT_FALSE(shops.bookmarkValid(milano));
    EXPECT_THROW(shops.gotoBookmark(milano), store::Error);
}

TEST_F(Cursor, NamedIndexOrdersByItsFields) {
    fillShops(shops);
    shops.setIndexName("rs_index");
    EXPECT_EQ(column(shops, "Ragione_sociale"),
              QStringList({"ALIMENTARI BIANCHI", "BAR CENTRALE", "TABACCHI ROSSI"}));
    shops.setIndexName("comune_index");
    EXPECT_EQ(column(shops, "Comune"), QStringList({"MILANO", "ROMA", "ROMA"}));
    shops.setIndexName("");
    EXPECT_EQ(ids(shops, "Id_esercizio"), std::vector<int>({1, 2, 3}));
}

TEST_F(Cursor, IndexNameIsFoundWhateverTheCaseAndUnknownOnesAreRefused) {
    fillShops(shops);
    shops.setIndexName("RS_INDEX");
    shops.first();
    EXPECT_EQ(shops.field("Ragione_sociale").asString(), "ALIMENTARI BIANCHI");
    EXPECT_THROW(shops.setIndexName("indice_inesistente"), store::Error);
    EXPECT_THROW(shops.setIndexFieldNames("Ragione_sociale;Campo_inesistente"), store::Error);
}

TEST_F(Cursor, OrderChangeKeepsTheCursorOnItsRecord) {
    fillShops(shops);
    ASSERT_TRUE(shops.locate("Id_esercizio", 3));
    shops.setIndexName("rs_index");
    EXPECT_EQ(shops.field("Id_esercizio").asInteger(), 3);
    EXPECT_EQ(shops.recNo(), 2);
}

TEST(CursorOrder, MovementsByDateAndTimeIndex) {
    testsupport::YearFolder year;
    Table movements(year.path(), "MOV");
    movements.open();
    add(movements, {{"Id", 1}, {"Data", "09/12/2026"}, {"Ora", "08:00"}});
    add(movements, {{"Id", 2}, {"Data", "08/12/2026"}, {"Ora", "15:30"}});
    add(movements, {{"Id", 3}, {"Data", "08/12/2026"}, {"Ora", "09:15"}});
    add(movements, {{"Id", 4}, {"Data", "10/11/2026"}, {"Ora", "18:00"}});
    add(movements, {{"Id", 5}, {"Data", "08/12/2026"}, {"Ora", "09:15"}});
    movements.setIndexName("data_ora_index");
    EXPECT_EQ(ids(movements, "Id"), std::vector<int>({4, 3, 5, 2, 1}));
    movements.last();
    EXPECT_EQ(movements.field("Id").asInteger(), 1);
}

TEST(CursorOrder, DocumentsByTypeAndNumberFieldList) {
    testsupport::YearFolder year;
    Table documents(year.path(), "doc");
    documents.open();
    add(documents, {{"Id", 1}, {"Id_tipodoc", 2}, {"Numero_doc", 1}});
    add(documents, {{"Id", 2}, {"Id_tipodoc", 1}, {"Numero_doc", 2}});
    add(documents, {{"Id", 3}, {"Id_tipodoc", 1}, {"Numero_doc", 1}});
    add(documents, {{"Id", 4}, {"Id_tipodoc", 2}, {"Numero_doc", 10}});
    add(documents, {{"Id", 5}, {"Id_tipodoc", 2}, {"Numero_doc", 9}});
    documents.setIndexFieldNames("Id_tipodoc;Numero_doc");
    EXPECT_EQ(ids(documents, "Id"), std::vector<int>({3, 2, 1, 5, 4}));
    documents.setIndexFieldNames("");
    EXPECT_EQ(ids(documents, "Id"), std::vector<int>({1, 2, 3, 4, 5}));
}

TEST(CursorOrder, MunicipalitiesWithoutIdentifierKeepInsertionOrder) {
    testsupport::YearFolder year;
    Table towns(year.path(), "COMUNI");
    towns.open();
    towns.emptyTable();
    add(towns, {{"COMUNE", "ROMA"}, {"PROVINCIAI", "RM"}});
    add(towns, {{"COMUNE", "ANCONA"}, {"PROVINCIAI", "AN"}});
    add(towns, {{"COMUNE", "MILANO"}, {"PROVINCIAI", "MI"}});
    // An edit does not move a record.
    ASSERT_TRUE(towns.locate("COMUNE", "ROMA"));
    towns.edit();
    towns.field("COMUNE").setAsString("ZAGAROLO");
    towns.post();
    add(towns, {{"COMUNE", "BARI"}, {"PROVINCIAI", "BA"}});
    EXPECT_EQ(column(towns, "COMUNE"), QStringList({"ZAGAROLO", "ANCONA", "MILANO", "BARI"}));
}

TEST(CursorOrder, TemplateMunicipalitiesListInFileOrder) {
    testsupport::YearFolder year;
    Table towns(year.path(), "COMUNI");
    towns.open();
    const QStringList stored =
        storetest::raw(year.file("COMUNI.DB"), "SELECT COMUNE FROM COMUNI ORDER BY rowid LIMIT 3");
    ASSERT_EQ(stored.size(), 3);
    towns.first();
    for (const QString& name : stored) {
        EXPECT_EQ(towns.field("COMUNE").asString(), name);
        towns.next();
    }
}

// ---------------------------------------------------------------------------------------------
// Locate and lookup

class Locate : public ::testing::Test {
protected:
    testsupport::YearFolder year;
    Table shops{year.path(), "esercizio"};
    void SetUp() override {
        shops.open();
        add(shops, {{"Id_esercizio", 1}, {"Ragione_sociale", "ROSSI SRL"}, {"Comune", "ROMA"}});
        add(shops, {{"Id_esercizio", 2}, {"Ragione_sociale", "ROSSETTI"}, {"Comune", "MILANO"}});
        add(shops, {{"Id_esercizio", 3}, {"Ragione_sociale", "BIANCHI"}, {"Comune", "ROMA"}});
        add(shops, {{"Id_esercizio", 4}, {"Ragione_sociale", "rossi snc"}, {"Comune", "TORINO"}});
        add(shops, {{"Id_esercizio", 5}, {"Ragione_sociale", "ROSSI SRL"}, {"Comune", "BARI"}});
        shops.first();
    }
    int current() { return shops.field("Id_esercizio").asInteger(); }
};

TEST_F(Locate, ExactMatchMovesToTheFirstInTheCurrentOrder) {
    EXPECT_TRUE(shops.locate("Ragione_sociale", "ROSSI SRL"));
    EXPECT_EQ(current(), 1);
    EXPECT_TRUE(shops.locate("Ragione_sociale", "BIANCHI"));
    EXPECT_EQ(current(), 3);
    EXPECT_FALSE(shops.eof());
    EXPECT_FALSE(shops.bof());
    // Whole text only: "ROSSI" is not "ROSSI SRL".
    EXPECT_FALSE(shops.locate("Ragione_sociale", "ROSSI"));
    EXPECT_EQ(current(), 3);
}

TEST_F(Locate, IsCaseSensitive) {
    EXPECT_TRUE(shops.locate("Ragione_sociale", "rossi snc"));
    EXPECT_EQ(current(), 4);
    EXPECT_FALSE(shops.locate("Ragione_sociale", "ROSSI SNC"));
    EXPECT_EQ(current(), 4);
    EXPECT_FALSE(shops.locate("Ragione_sociale", "Bianchi", true));
    EXPECT_EQ(current(), 4);
}

TEST_F(Locate, PartialMatchesTheBeginning) {
    shops.last();
    EXPECT_TRUE(shops.locate("Ragione_sociale", "ROSS", true));
    EXPECT_EQ(current(), 1);
    EXPECT_TRUE(shops.locate("Ragione_sociale", "ROSSE", true));
    EXPECT_EQ(current(), 2);
    EXPECT_FALSE(shops.locate("Ragione_sociale", "OSSI", true));
    EXPECT_EQ(current(), 2);
}

TEST_F(Locate, NotFoundLeavesTheCursorInPlace) {
    shops.setRecNo(3);
    EXPECT_FALSE(shops.locate("Ragione_sociale", "VERDI"));
    EXPECT_FALSE(shops.locate("Id_esercizio", 99));
    // A value that cannot be in the field is simply not found.
    EXPECT_FALSE(shops.locate("Id_esercizio", "abc"));
    EXPECT_EQ(current(), 3);
    EXPECT_EQ(shops.recNo(), 3);
}

TEST_F(Locate, FollowsTheCurrentOrder) {
    shops.setIndexName("comune_index");
    EXPECT_TRUE(shops.locate("Ragione_sociale", "ROSSI SRL"));
    EXPECT_EQ(current(), 5); // BARI before ROMA
    EXPECT_TRUE(shops.locate("Comune", "ROMA"));
    EXPECT_EQ(current(), 1);
    EXPECT_EQ(shops.recNo(), 3);
}

TEST_F(Locate, SeesOnlyFilteredRecords) {
    shops.setFilter("[Comune]<>'ROMA'");
    shops.setFiltered(true);
    EXPECT_TRUE(shops.locate("Ragione_sociale", "ROSSI SRL"));
    EXPECT_EQ(current(), 5);
    EXPECT_FALSE(shops.locate("Ragione_sociale", "BIANCHI"));
    EXPECT_EQ(current(), 5);
}

TEST_F(Locate, SeveralFieldsAtOnce) {
    EXPECT_TRUE(shops.locate("Ragione_sociale;Comune", QVariantList{"ROSSI SRL", "BARI"}));
    EXPECT_EQ(current(), 5);
    EXPECT_FALSE(shops.locate("Ragione_sociale;Comune", QVariantList{"ROSSI SRL", "MILANO"}));
    EXPECT_EQ(current(), 5);
}

TEST_F(Locate, IdentifierGivenAsTextOrNumber) {
    EXPECT_TRUE(shops.locate("Id_esercizio", "4"));
    EXPECT_EQ(shops.field("Ragione_sociale").asString(), "rossi snc");
    EXPECT_TRUE(shops.locate("id_esercizio", 2));
    EXPECT_EQ(shops.field("Ragione_sociale").asString(), "ROSSETTI");
}

TEST_F(Locate, UnknownFieldIsAnError) {
    EXPECT_THROW(shops.locate("Campo_inesistente", "X"), store::Error);
}

TEST_F(Locate, LookupAnswersWithoutMovingTheCursor) {
    shops.setRecNo(2);
    int scrolls = 0;
    shops.on(store::Event::AfterScroll, [&](Table&) { ++scrolls; });
    EXPECT_EQ(shops.lookup("Id_esercizio", 3, "Ragione_sociale").toString(), "BIANCHI");
    EXPECT_EQ(shops.lookup("Ragione_sociale", "ROSSI SRL", "Comune").toString(), "ROMA");
    EXPECT_TRUE(shops.lookup("Id_esercizio", 42, "Ragione_sociale").isNull());
    EXPECT_TRUE(shops.lookup("Ragione_sociale", "rossi SNC", "Id_esercizio").isNull());
    EXPECT_EQ(current(), 2);
    EXPECT_EQ(scrolls, 0);
}

TEST_F(Cursor, ReadsInOnePassSeeWhatAFirstNextLoopSees) {
    fillShops(shops);
    const struct {
        const char *filter, *order;
    } cases[] = {{"", ""}, {"[Comune]='ROMA'", "Ragione_sociale"}, {"[Comune]='NAPOLI'", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.filter) + " / " + c.order);
        shops.setFilter(c.filter);
        shops.setFiltered(*c.filter != '\0');
        shops.setIndexFieldNames(c.order);
        QStringList looped, walked;
        for (shops.first(); !shops.eof(); shops.next())
            looped << shops.field("Ragione_sociale").asString();
        const QString endOfLoop = shops.field("Ragione_sociale").asString();
        const int positionOfLoop = shops.recNo();
        EXPECT_EQ(shops.textsOf("Ragione_sociale"), looped);
        EXPECT_EQ(shops.recNo(), positionOfLoop) << "a read of every record does not move";
        shops.forEachRecord([&] { walked << shops.field("Ragione_sociale").asString(); });
        EXPECT_EQ(walked, looped);
        EXPECT_TRUE(shops.eof());
        EXPECT_EQ(shops.field("Ragione_sociale").asString(), endOfLoop);
        EXPECT_EQ(shops.recNo(), positionOfLoop);
        shops.prior();
        EXPECT_EQ(shops.recNo(), std::max(positionOfLoop - 1, 0));
    }
}
