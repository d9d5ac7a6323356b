// Table files: found whatever the letter case, refused when missing or incomplete, shared by
// several table objects and by other programs.
#include "store/error.h"
#include "store/query.h"
#include "store/table.h"
#include "store_test_util.h"
#include "support/fixture.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using store::Table;
using storetest::add;
using storetest::column;
using storetest::ids;

class SharedFile : public ::testing::Test {
protected:
    testsupport::YearFolder year;
    Table first{year.path(), "esercizio"};
    Table second{year.path(), "ESERCIZIO"};
    void SetUp() override {
        first.open();
        second.open();
        add(first, {{"Id_esercizio", 1}, {"Ragione_sociale", "ALFA"}});
        add(first, {{"Id_esercizio", 2}, {"Ragione_sociale", "BETA"}});
        first.first();
        second.first();
    }
};

TEST_F(SharedFile, EachObjectSeesTheOthersPostsAtItsNextNavigation) {
    EXPECT_EQ(second.recordCount(), 2);
    add(first, {{"Id_esercizio", 3}, {"Ragione_sociale", "GAMMA"}});
    EXPECT_EQ(second.recordCount(), 3);
    EXPECT_EQ(column(second, "Ragione_sociale"), QStringList({"ALFA", "BETA", "GAMMA"}));

    second.first();
    second.edit();
    second.field("Ragione_sociale").setAsString("ALFA SRL");
    second.post();
    first.first();
    EXPECT_EQ(first.field("Ragione_sociale").asString(), "ALFA SRL");

    second.last();
    second.deleteRecord();
    EXPECT_EQ(ids(first, "Id_esercizio"), std::vector<int>({1, 2}));
}

TEST_F(SharedFile, PendingRecordOfOneObjectIsNotSeenByTheOther) {
    first.append();
    first.field("Id_esercizio").setAsInteger(3);
    EXPECT_EQ(second.recordCount(), 2);
    first.post();
    EXPECT_EQ(second.recordCount(), 3);
}

TEST_F(SharedFile, CursorStaysOnItsRecordWhenTheOtherObjectInsertsBeforeIt) {
    second.last();
    add(first, {{"Ragione_sociale", "SENZA CODICE"}}); // blank identifier sorts first
    EXPECT_EQ(second.recNo(), 3);
    EXPECT_EQ(second.field("Ragione_sociale").asString(), "BETA");
    second.prior();
    EXPECT_EQ(second.field("Ragione_sociale").asString(), "ALFA");
}

TEST_F(SharedFile, DeletingARecordTheOtherObjectAlreadyDeletedTouchesNoOtherRecord) {
    // Both stand on ALFA; the second deletes it, then the first is asked to delete what it shows.
    second.deleteRecord();
    EXPECT_THROW(first.deleteRecord(), store::Error);
    EXPECT_EQ(storetest::raw(year.file("esercizio.DB"),
                             "SELECT Ragione_sociale FROM esercizio ORDER BY Id_esercizio"),
              QStringList{"BETA"});
    // Once it has moved, it deletes what it shows.
    first.first();
    EXPECT_EQ(first.field("Ragione_sociale").asString(), "BETA");
    first.deleteRecord();
    EXPECT_TRUE(second.isEmpty());
}

TEST_F(SharedFile, PostingAnEditOfARecordTheOtherObjectDeletedIsRefused) {
    first.edit();
    first.field("Ragione_sociale").setAsString("ALFA MODIFICATA");
    second.deleteRecord();
    EXPECT_THROW(first.post(), store::Error);
    EXPECT_EQ(first.state(), store::DataSetState::Edit);
    first.cancel();
    EXPECT_EQ(storetest::raw(year.file("esercizio.DB"),
                             "SELECT Ragione_sociale FROM esercizio ORDER BY Id_esercizio"),
              QStringList{"BETA"});
    EXPECT_EQ(first.field("Ragione_sociale").asString(), "BETA");
}

TEST_F(SharedFile, RecordPostedOutsideTheFilterIsNotDeletedInsteadOfAnother) {
    first.setFilter("[Ragione_sociale]<>'DELTA'");
    first.setFiltered(true);
    first.append();
    first.field("Id_esercizio").setAsInteger(4);
    first.field("Ragione_sociale").setAsString("DELTA");
    first.post();
    // The user sees DELTA; deleting must not remove a record they do not see.
    ASSERT_EQ(first.field("Ragione_sociale").asString(), "DELTA");
    try {
        first.deleteRecord();
    } catch (const store::Error&) {
    }
    QStringList left = storetest::raw(
        year.file("esercizio.DB"), "SELECT Ragione_sociale FROM esercizio ORDER BY Id_esercizio");
    EXPECT_TRUE(left.contains("ALFA"));
    EXPECT_TRUE(left.contains("BETA"));
}

TEST_F(SharedFile, AnotherConnectionsWritesAreSeenAtTheNextNavigation) {
    storetest::raw(year.file("esercizio.DB"),
                   "INSERT INTO esercizio (Id_esercizio, Ragione_sociale) VALUES (3, 'GAMMA')");
    EXPECT_EQ(first.recordCount(), 3);
    storetest::raw(year.file("esercizio.DB"),
                   "UPDATE esercizio SET Ragione_sociale = 'ALFA SNC' WHERE Id_esercizio = 1");
    second.first();
    EXPECT_EQ(second.field("Ragione_sociale").asString(), "ALFA SNC");
}

TEST_F(SharedFile, AnotherProcessesPostIsSeenAtTheNextNavigation) {
    const QString cli = QStandardPaths::findExecutable("sqlite3");
    ASSERT_FALSE(cli.isEmpty()) << "the sqlite3 program is installed by scripts/deps";
    QProcess other;
    other.start(cli, {year.file("esercizio.DB"),
                      "INSERT INTO esercizio (Id_esercizio, Ragione_sociale) VALUES "
                      "(3, 'DA UN ALTRO PROGRAMMA'); DELETE FROM esercizio WHERE "
                      "Id_esercizio = 1;"});
    ASSERT_TRUE(other.waitForFinished(30000));
    ASSERT_EQ(other.exitCode(), 0) << other.readAllStandardError().toStdString();

    EXPECT_EQ(ids(first, "Id_esercizio"), std::vector<int>({2, 3}));
    second.last();
    EXPECT_EQ(second.field("Ragione_sociale").asString(), "DA UN ALTRO PROGRAMMA");
}

TEST_F(SharedFile, QueryAndTableOnOneFileSeeEachOther) {
    store::Query query(year.path());
    query.setSql("select * from esercizio where ragione_sociale<>''");
    query.open();
    add(first, {{"Id_esercizio", 3}, {"Ragione_sociale", "GAMMA"}});
    EXPECT_EQ(query.recordCount(), 3);
}

// ---------------------------------------------------------------------------------------------

TEST(TableFiles, FoundWhateverTheLetterCaseOfFileAndTableName) {
    testsupport::YearFolder year;
    ASSERT_TRUE(QFile::rename(year.file("MOV.DB"), year.file("mov.db")));
    ASSERT_TRUE(QFile::rename(year.file("tipo_mov.DB"), year.file("Tipo_Mov.Db")));
    int id = 0;
    for (const char* name : {"MOV", "mov", "Mov"}) {
        SCOPED_TRACE(name);
        Table movements(year.path(), name);
        ASSERT_NO_THROW(movements.open());
        EXPECT_EQ(movements.tableName(), "MOV");
        add(movements, {{"Id", ++id}});
    }
    EXPECT_EQ(storetest::raw(year.file("mov.db"), "SELECT count(*) FROM MOV"), QStringList{"3"});
    Table types(year.path(), "TIPO_MOV");
    types.open();
    EXPECT_EQ(types.recordCount(), 3);
    store::Query query(year.path());
    query.setSql("SELECT * FROM Mov");
    query.open();
    EXPECT_EQ(query.recordCount(), 3);
}

TEST(TableFiles, MissingFileIsRefusedWithAnItalianMessage) {
    testsupport::YearFolder year;
    ASSERT_TRUE(QFile::remove(year.file("doc.DB")));
    Table documents(year.path(), "doc");
    try {
        documents.open();
        FAIL() << "opened a missing table";
    } catch (const store::Error& e) {
        EXPECT_TRUE(e.message().contains("doc")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("non trovata")) << e.message().toStdString();
    }
    EXPECT_FALSE(documents.active());
    EXPECT_THROW(documents.first(), store::Error);
}

TEST(TableFiles, MissingFolderIsRefused) {
    testsupport::TempFolder root;
    Table shops(root.file("2026"), "esercizio");
    EXPECT_THROW(shops.open(), store::Error);
    EXPECT_FALSE(shops.active());
}

TEST(TableFiles, UnknownTableNameIsRefused) {
    testsupport::YearFolder year;
    EXPECT_THROW(Table(year.path(), "tabella_inesistente"), store::Error);
}

TEST(TableFiles, FileLackingAFieldIsRefusedNamingTheField) {
    testsupport::YearFolder year;
    storetest::raw(year.file("MOV.DB"), "ALTER TABLE MOV DROP COLUMN Rip_art_fatt");
    Table movements(year.path(), "MOV");
    try {
        movements.open();
        FAIL() << "opened a table without Rip_art_fatt";
    } catch (const store::Error& e) {
        EXPECT_TRUE(e.message().contains("Rip_art_fatt")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("campo")) << e.message().toStdString();
    }
    EXPECT_FALSE(movements.active());
}

TEST(TableFiles, FileHoldingAnotherTableIsRefused) {
    testsupport::YearFolder year;
    ASSERT_TRUE(QFile::remove(year.file("vettore.DB")));
    ASSERT_TRUE(QFile::copy(year.file("trasporto_mezzo.DB"), year.file("vettore.DB")));
    Table carriers(year.path(), "vettore");
    EXPECT_THROW(carriers.open(), store::Error);
}

TEST(TableFiles, ClosedTableIsOneFileWithoutJournal) {
    testsupport::YearFolder year;
    {
        Table shops(year.path(), "esercizio");
        shops.open();
        add(shops, {{"Id_esercizio", 1}, {"Ragione_sociale", "ALFA"}});
        shops.flush();
        EXPECT_FALSE(QFile::exists(year.file("esercizio.DB-journal")));
        EXPECT_FALSE(QFile::exists(year.file("esercizio.DB-wal")));
    }
    EXPECT_EQ(storetest::raw(year.file("esercizio.DB"), "PRAGMA journal_mode"),
              QStringList{"delete"});
}
