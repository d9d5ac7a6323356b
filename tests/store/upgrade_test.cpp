// A year folder made by an older copy of the program gets the tables added since, and only those.
#include "read_only.h"
#include "store/catalogue.h"
#include "store/dm.h"
#include "store/engine.h"
#include "store/table.h"
#include "store/upgrade.h"
#include "support/fixture.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

const QString added = QStringLiteral("fatt_elettronica");

TEST(YearUpgrade, OlderFolderGetsTheAddedTableAndKeepsItsRecords) {
    testsupport::YearFolder year;
    ASSERT_TRUE(QFile::remove(year.file(added + ".DB")));
    {
        store::Table customers(year.path(), "esercizio");
        customers.open();
        customers.append();
        customers.field("Id_esercizio").setAsInteger(4);
        customers.field("Ragione_sociale").setAsString("BAR SPORT");
        customers.post();
    }
    const QDateTime before = QFileInfo(year.file("esercizio.DB")).lastModified();
    Tdm data;
    EXPECT_TRUE(data.dmCreate(year.path()));
    store::Table extra(year.path(), added);
    EXPECT_NO_THROW(extra.open());
    EXPECT_EQ(extra.recordCount(), 0);
    EXPECT_EQ(data.Tabesercizio.lookup("Id_esercizio", 4, "Ragione_sociale"), "BAR SPORT");
    EXPECT_EQ(QFileInfo(year.file("esercizio.DB")).lastModified(), before);
    EXPECT_EQ(store::addMissingTables(year.path()), ""); // nothing left to add
}

TEST(YearUpgrade, OnlyTheAddedTablesAreMadeAnew) {
    testsupport::YearFolder year;
    ASSERT_TRUE(QFile::remove(year.file("ms.DB")));
    EXPECT_EQ(store::addMissingTables(year.path()), "");
    EXPECT_EQ(store::findTableFile(year.path(), "ms"), ""); // a damaged folder stays damaged
}

TEST(YearUpgrade, ReadOnlyFolderSaysWhatItCouldNotAdd) {
    testsupport::YearFolder year;
    ASSERT_TRUE(QFile::remove(year.file(added + ".DB")));
    storetest::ReadOnly readOnly(year.path());
    if (!readOnly.applied())
        GTEST_SKIP() << "cartella non rendibile di sola lettura";
    EXPECT_EQ(store::addMissingTables(year.path()), added);
    EXPECT_EQ(store::findTableFile(year.path(), added), "");
}

int indexesOf(const QString& file) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* count = nullptr;
    sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_master WHERE type = 'index'", -1, &count,
                       nullptr);
    const int n = sqlite3_step(count) == SQLITE_ROW ? sqlite3_column_int(count, 0) : -1;
    sqlite3_finalize(count);
    sqlite3_close(db);
    return n;
}

TEST(YearUpgrade, OlderMunicipalitiesGetTheirNameIndexAndKeepTheirRecords) {
    testsupport::YearFolder year;
    store::TableDef older = store::catalogue::year("COMUNI");
    older.indexes.clear();
    store::createTableFile(year.path(), older);
    {
        store::Table towns(year.path(), "COMUNI");
        towns.open();
        towns.append();
        towns.field("COMUNE").setAsString("ROMA");
        towns.post();
    }
    ASSERT_EQ(indexesOf(year.file("COMUNI.DB")), 0);
    Tdm data;
    EXPECT_TRUE(data.dmCreate(year.path()));
    EXPECT_EQ(indexesOf(year.file("COMUNI.DB")), 1);
    EXPECT_TRUE(data.Tabcomuni.locate("COMUNE", "ROMA"));
}

} // namespace
