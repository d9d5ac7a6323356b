// Live queries: the SELECT statements the screens build, their rows edited and posted, and the
// statements the store does not take.
#include "store/engine.h"
#include "store/error.h"
#include "store/query.h"
#include "store/table.h"
#include "store_test_util.h"
#include "support/fixture.h"

#include <gtest/gtest.h>

using store::Query;
using store::Table;
using storetest::add;
using storetest::column;
using storetest::ids;

class Queries : public ::testing::Test {
protected:
    testsupport::YearFolder year;
    Table movements{year.path(), "MOV"};
    Table articles{year.path(), "articoli"};
    Table contracts{year.path(), "ele_contratti"};
    Table models{year.path(), "ms"};

    void SetUp() override {
        movements.open();
        articles.open();
        contracts.open();
        models.open();
        // Set-up data in one transaction per file, so that it is written fast.
        store::Transaction movementsBatch(movements.file()), articlesBatch(articles.file()),
            contractsBatch(contracts.file()), modelsBatch(models.file());
        add(movements, {{"Id", 1}, {"ID_ESERCIZIO", 5}, {"Data", "09/12/2026"}});
        add(movements, {{"Id", 2}, {"ID_ESERCIZIO", 3}, {"Data", "01/12/2026"}});
        add(movements, {{"Id", 3}, {"ID_ESERCIZIO", 5}, {"Data", "15/01/2026"}});
        add(movements, {{"Id", 4}, {"ID_ESERCIZIO", 5}, {"Data", "08/12/2026"}});
        add(movements, {{"Id", 5}, {"Data", "02/02/2026"}});
        add(articles, {{"Id", 1}, {"Giacenza_sn", true}, {"Matricola", "AB123"}, {"Id_ms", 2}});
        add(articles, {{"Id", 2}, {"Giacenza_sn", true}, {"Id_ms", 1}});
        add(articles, {{"Id", 3},
                       {"Giacenza_sn", false},
                       {"Matricola", "CD456"},
                       {"Id_ms", 1},
                       {"Id_esercizio", 5}});
        add(articles, {{"Id", 4}, {"Giacenza_sn", true}, {"Matricola", "EF789"}, {"Id_ms", 9}});
        add(articles, {{"Id", 5}, {"Matricola", "GH000"}, {"Id_ms", 2}, {"Id_esercizio", 5}});
        add(contracts, {{"ID", 1}, {"ID_CLIENTE", 8}, {"VAL_AL", "31/12/2026"}});
        add(contracts, {{"ID", 2}, {"ID_CLIENTE", 5}, {"VAL_AL", "30/06/2026"}});
        add(contracts, {{"ID", 3}, {"ID_CLIENTE", 8}, {"VAL_AL", "31/01/2026"}});
        add(models, {{"Id_ms", 1}, {"Marchio_ms", "ALFATEC"}, {"Denominazione_ms", "CASSA 100"}});
        add(models, {{"Id_ms", 2}, {"Marchio_ms", "BETAFISC"}, {"Denominazione_ms", "CASSA 200"}});
        movementsBatch.commit();
        articlesBatch.commit();
        contractsBatch.commit();
        modelsBatch.commit();
    }
};

TEST_F(Queries, CustomerMovementsByDate) {
    Query query(year.path());
    query.clearSql();
    query.addSql("select * from mov where id_esercizio='" + QString::number(5) + "'" +
                 " order by data");
    query.open();
    EXPECT_EQ(ids(query, "Id"), std::vector<int>({3, 4, 1}));
    EXPECT_EQ(query.tableName(), "MOV");
}

TEST_F(Queries, WarehouseMachinesWithSerialNumberFromThreeLines) {
    Query query(year.path());
    query.clearSql();
    query.addSql("SELECT * FROM articoli ");
    query.addSql("WHERE (giacenza_sn='true')");
    query.addSql("and (matricola<>'')");
    query.open();
    EXPECT_EQ(ids(query, "Id"), std::vector<int>({1, 4}));
}

TEST_F(Queries, WarehouseMachinesInOneLine) {
    Query query(year.path());
    query.setSql("SELECT * FROM articoli WHERE (giacenza_sn='true') and (matricola<>'')");
    query.open();
    EXPECT_EQ(ids(query, "Id"), std::vector<int>({1, 4}));
}

TEST_F(Queries, AllContractsAndOneCustomersByExpiry) {
    Query all(year.path());
    all.setSql("select * from ele_contratti");
    all.open();
    EXPECT_EQ(ids(all, "ID"), std::vector<int>({1, 2, 3}));

    Query mine(year.path());
    mine.setSql("select * from ele_contratti where id_cliente='8' order by val_al");
    mine.open();
    EXPECT_EQ(ids(mine, "ID"), std::vector<int>({3, 1}));
}

TEST_F(Queries, EmptyIdentifierSelectsNoContractLines) {
    Table lines(year.path(), "LINEE_CONTRATTI");
    lines.open();
    add(lines, {{"ID", 1}, {"ID_ELENCO", 1}, {"MATRICOLA", "AB123"}});
    Query query(year.path());
    query.setSql("select * from linee_contratti where id_elenco=''");
    query.open();
    EXPECT_TRUE(query.isEmpty());
    EXPECT_TRUE(query.field("MATRICOLA").isNull());
}

TEST_F(Queries, RebuiltForAnotherCustomerAfterClosing) {
    Query query(year.path());
    query.setSql("select * from mov where id_esercizio='5'");
    query.open();
    ASSERT_EQ(query.recordCount(), 3);
    query.close();
    query.clearSql();
    query.addSql("select * from mov where id_esercizio='3'");
    query.open();
    EXPECT_EQ(ids(query, "Id"), std::vector<int>({2}));
}

TEST_F(Queries, RowIsEditedAndPostedIntoTheTable) {
    Query warehouse(year.path());
    warehouse.setSql("SELECT * FROM articoli WHERE (giacenza_sn='true') and (matricola<>'')");
    warehouse.open();
    ASSERT_TRUE(warehouse.locate("Matricola", "EF789"));
    warehouse.edit();
    warehouse.field("Id_esercizio").setAsInteger(8);
    warehouse.field("Giacenza_sn").setAsBoolean(false);
    warehouse.post();

    ASSERT_TRUE(articles.locate("Id", 4));
    EXPECT_EQ(articles.field("Id_esercizio").asInteger(), 8);
    EXPECT_FALSE(articles.field("Giacenza_sn").asBoolean());
    // The machine left the warehouse: the query no longer lists it.
    EXPECT_EQ(ids(warehouse, "Id"), std::vector<int>({1}));
}

TEST_F(Queries, NewRowIsAppendedIntoTheTable) {
    Query query(year.path());
    query.setSql("select * from ele_contratti");
    query.open();
    query.append();
    query.field("ID").setAsInteger(4);
    query.field("ID_CLIENTE").setAsInteger(5);
    query.post();
    EXPECT_EQ(contracts.recordCount(), 4);
    EXPECT_EQ(query.recordCount(), 4);
}

TEST_F(Queries, FilterNarrowsTheQueryFurther) {
    Query query(year.path());
    query.setSql("select * from mov where id_esercizio='5' order by data");
    query.open();
    query.setFilter("[data]>='01/12/2026'");
    query.setFiltered(true);
    EXPECT_EQ(ids(query, "Id"), std::vector<int>({4, 1}));
}

TEST_F(Queries, LookupFieldAddedAfterOpeningShowsOnTheCurrentRow) {
    Query park(year.path());
    park.clearSql();
    park.addSql("SELECT * FROM articoli ");
    park.addSql("WHERE (ID_ESERCIZIO='5')");
    park.open();
    park.addLookupField("ms", 80, "Id_ms", &models, "Id_ms", "Denominazione_ms");
    EXPECT_EQ(park.field("Id").asInteger(), 3);
    EXPECT_EQ(park.field("ms").asString(), "CASSA 100");
    EXPECT_EQ(column(park, "ms"), QStringList({"CASSA 100", "CASSA 200"}));
}

TEST_F(Queries, DerivedFieldsSurviveRebuildingTheStatementOnTheSameTable) {
    Query warehouse(year.path());
    warehouse.setSql("SELECT * FROM articoli WHERE (giacenza_sn='true') and (matricola<>'')");
    warehouse.open();
    warehouse.addCalculatedField("marchio_ms", store::FieldType::Text, 40);
    warehouse.on(store::Event::CalcFields, [&](Table& t) {
        t.field("marchio_ms")
            .setValue(models.lookup("Id_ms", t.field("Id_ms").value(), "Marchio_ms"));
    });
    EXPECT_EQ(column(warehouse, "marchio_ms"), QStringList({"BETAFISC", ""}));

    warehouse.close();
    warehouse.clearSql();
    warehouse.addSql("SELECT * FROM articoli WHERE (giacenza_sn='false')");
    warehouse.open();
    ASSERT_TRUE(warehouse.hasField("marchio_ms"));
    EXPECT_EQ(column(warehouse, "marchio_ms"), QStringList({"ALFATEC"}));
}

class QueryRefused : public ::testing::TestWithParam<const char*> {
protected:
    testsupport::YearFolder year;
};

TEST_P(QueryRefused, ThrowsAndStaysClosed) {
    Query query(year.path());
    query.setSql(GetParam());
    EXPECT_THROW(query.open(), store::Error);
    EXPECT_FALSE(query.active());
}

INSTANTIATE_TEST_SUITE_P(
    UnsupportedStatements, QueryRefused,
    ::testing::Values("", "delete from mov", "update mov set evasa_sn=1",
                      "insert into mov (id) values (1)", "select id from mov",
                      "select count(*) from mov", "select * from mov, doc",
                      "select * from mov m where m.id='1'", "select * from mov group by data",
                      "select * from mov where id_esercizio='5' limit 1",
                      "select * from tabella_inesistente", "select * from mov where campo='1'",
                      "select * from mov where id_esercizio='abc'",
                      "select * from mov order by campo_inesistente",
                      "select * from mov where id_esercizio='5' order by data desc",
                      "select * from mov where (id_esercizio='5'"));

TEST(QueryValues, QuotedValueIsTakenExactlyAsWrittenBlanksAndTabsIncluded) {
    testsupport::YearFolder year;
    Table customers(year.path(), "esercizio");
    customers.open();
    const QString names[] = {"ROSSI MARIO", "ROSSI  MARIO", "ROSSI\tMARIO", " ROSSI MARIO"};
    int id = 0;
    for (const QString& name : names)
        add(customers, {{"Id_esercizio", ++id}, {"Ragione_sociale", name}});
    id = 0;
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        Query query(year.path());
        query.clearSql();
        query.addSql("SELECT *  FROM\tesercizio");
        query.addSql("WHERE  Ragione_sociale='" + name + "'");
        query.open();
        EXPECT_EQ(ids(query, "Id_esercizio"), std::vector<int>({++id}));
    }
}
