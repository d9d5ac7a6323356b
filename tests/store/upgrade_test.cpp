// A year folder made by an older copy of the program gets the tables added since, and only those.
#include "read_only.h"
#include "store/dm.h"
#include "store/engine.h"
#include "store/upgrade.h"
#include "support/fixture.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

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

} // namespace
