// Table files that fail under the user: held locked by another program, damaged, read-only or not
// tables at all. Each failure reaches the user as an Italian sentence naming the table, and
// leaves every record and the table object as they were.
#include "read_only.h"
#include "store/engine.h"
#include "store/error.h"
#include "store/sqlite_error.h"
#include "store/table.h"
#include "store_test_util.h"
#include "support/fixture.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

using store::Table;
using storetest::add;

namespace {

/// Eight customers with identifiers 1 to 8 (four pages of long names, so that the file has
/// pages beyond its header).
void fillCustomers(Table& shops) {
    store::Transaction batch(shops.file());
    for (int id = 1; id <= 8; ++id)
        add(shops, {{"Id_esercizio", id},
                    {"Ragione_sociale", QStringLiteral("DITTA %1").arg(id)},
                    {"Commenti", QString(2000, QLatin1Char('x'))}});
    batch.commit();
}

QString messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const store::Error& e) {
        return e.message();
    }
    return QStringLiteral("(nessun errore)");
}

} // namespace

struct SentenceCase {
    const char* name;
    int code;
    QString sentence;
};

class EngineSentences : public ::testing::TestWithParam<SentenceCase> {};

TEST_P(EngineSentences, SayWhatHappenedToTheTableAndWhatToDo) {
    EXPECT_EQ(store::sqliteErrorMessage(GetParam().code, "articoli", "testo inglese"),
              GetParam().sentence);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, EngineSentences,
    ::testing::Values(
        SentenceCase{"Bloccata", SQLITE_BUSY,
                     "La tabella articoli è bloccata da un altro programma. Riprovare più tardi."},
        SentenceCase{"BloccataDuranteIlRipristino", SQLITE_BUSY_RECOVERY,
                     "La tabella articoli è bloccata da un altro programma. Riprovare più tardi."},
        SentenceCase{"Danneggiata", SQLITE_CORRUPT,
                     "La tabella articoli è danneggiata: ripristinare una copia di sicurezza."},
        SentenceCase{"NonUnArchivio", SQLITE_NOTADB,
                     "Il file della tabella articoli non è un archivio del programma o è "
                     "danneggiato: ripristinare una copia di sicurezza."},
        SentenceCase{"SolaLettura", SQLITE_READONLY,
                     "La tabella articoli è in sola lettura e la modifica non è stata registrata: "
                     "controllare che il disco e la cartella dell'archivio siano scrivibili."},
        SentenceCase{"DiscoPieno", SQLITE_FULL,
                     "Il disco è pieno e la modifica alla tabella articoli non è stata "
                     "registrata: liberare spazio sul disco e riprovare."},
        SentenceCase{"FileInaccessibile", SQLITE_CANTOPEN,
                     "Impossibile accedere ai file della tabella articoli: controllare che la "
                     "cartella dell'archivio esista e sia scrivibile."},
        SentenceCase{"ErroreDiScrittura", SQLITE_IOERR_WRITE,
                     "Errore di lettura o scrittura del disco sulla tabella articoli: controllare "
                     "il disco o la rete e riprovare."},
        SentenceCase{"CodiceSenzaFraseTieneIlTestoDelMotore", SQLITE_MISMATCH,
                     "Errore sulla tabella articoli: testo inglese"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------

class LockedFile : public ::testing::Test {
protected:
    storetest::ShortLockWait shortWait;
    testsupport::YearFolder year;
    Table shops{year.path(), "esercizio"};
    void SetUp() override {
        shops.open();
        fillCustomers(shops);
    }
    QStringList storedIds() {
        return storetest::raw(year.file("esercizio.DB"),
                              "SELECT Id_esercizio FROM esercizio ORDER BY Id_esercizio");
    }
};

TEST_F(LockedFile, CancelUnderALockLeavesNoPhantomRecordAndTheNextDeleteRemovesTheRecordShown) {
    ASSERT_TRUE(shops.locate("Id_esercizio", 7));
    shops.append();
    shops.field("Id_esercizio").setAsInteger(4000);
    shops.field("Ragione_sociale").setAsString("NON REGISTRATA");
    {
        storetest::FileLock other(year.file("esercizio.DB"));
        // Nothing was written, so giving the pending record up needs no file.
        EXPECT_NO_THROW(shops.cancel());
        EXPECT_EQ(shops.state(), store::DataSetState::Browse);
        EXPECT_EQ(shops.field("Id_esercizio").asInteger(), 7);
        EXPECT_EQ(shops.field("Ragione_sociale").asString(), "DITTA 7");
        // Under the lock the delete is refused, and removes nothing.
        EXPECT_EQ(messageOf([&] { shops.deleteRecord(); }),
                  "La tabella esercizio è bloccata da un altro programma. Riprovare più tardi.");
    }
    EXPECT_EQ(storedIds(), QStringList({"1", "2", "3", "4", "5", "6", "7", "8"}));
    shops.deleteRecord();
    EXPECT_EQ(storedIds(), QStringList({"1", "2", "3", "4", "5", "6", "8"}));
}

TEST_F(LockedFile, OpeningATableAnotherProgramHoldsLockedSaysItIsLockedAndStaysClosed) {
    // With the file already open in this program (its connection is shared), then with none.
    for (const bool shared : {true, false}) {
        SCOPED_TRACE(shared ? "shared" : "alone");
        if (!shared)
            shops.close();
        storetest::FileLock other(year.file("esercizio.DB"));
        Table again(year.path(), "esercizio");
        EXPECT_EQ(messageOf([&] { again.open(); }),
                  "La tabella esercizio è bloccata da un altro programma. Riprovare più tardi.");
        EXPECT_FALSE(again.active());
    }
}

// ---------------------------------------------------------------------------------------------

TEST(DamagedFile, ValidHeaderWithGarbagePagesFailsToOpenAndLeavesTheObjectClosed) {
    testsupport::YearFolder year;
    {
        Table shops(year.path(), "esercizio");
        shops.open();
        fillCustomers(shops);
    }
    QFile file(year.file("esercizio.DB"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const qint64 size = file.size();
    ASSERT_GT(size, 8192);
    file.seek(4096); // the first page holds the header and the layout; the rest becomes garbage
    file.write(QByteArray(size - 4096, '\x5a'));
    file.close();

    Table shops(year.path(), "esercizio");
    EXPECT_EQ(messageOf([&] { shops.open(); }),
              "La tabella esercizio è danneggiata: ripristinare una copia di sicurezza.");
    EXPECT_FALSE(shops.active());
    EXPECT_EQ(shops.state(), store::DataSetState::Inactive);
}

// ---------------------------------------------------------------------------------------------

struct ReadOnlyCase {
    const char* name;
    const char* made; ///< the path made read-only, within the year folder; "" for the folder
    QString problem;  ///< what the store says of the folder, after its path
    QString refusal;  ///< what a post says
};

class ReadOnlyYear : public ::testing::TestWithParam<ReadOnlyCase> {};

TEST_P(ReadOnlyYear, IsSaidBeforeAnyPostAndAPostIsRefusedKeepingThePendingRecord) {
    testsupport::YearFolder year;
    EXPECT_EQ(store::folderWriteProblem(year.path()), "");
    storetest::ReadOnly readOnly(year.file(GetParam().made));
    if (!readOnly.applied())
        GTEST_SKIP() << "this file system cannot make a file or folder read-only";
    EXPECT_EQ(store::folderWriteProblem(year.path()), GetParam().problem.arg(year.path()));
    Table shops(year.path(), "esercizio");
    shops.open();
    shops.append();
    shops.field("Id_esercizio").setAsInteger(1);
    EXPECT_EQ(messageOf([&] { shops.post(); }), GetParam().refusal);
    EXPECT_EQ(shops.state(), store::DataSetState::Insert);
}

INSTANTIATE_TEST_SUITE_P(
    Media, ReadOnlyYear,
    ::testing::Values(
        // The journal every write needs cannot be made beside the table.
        ReadOnlyCase{"Cartella", "",
                     "La cartella %1 non è scrivibile (disco protetto o in sola lettura): i dati "
                     "si possono consultare, ma ogni modifica sarà rifiutata.",
                     "Impossibile accedere ai file della tabella esercizio: controllare che la "
                     "cartella dell'archivio esista e sia scrivibile."},
        ReadOnlyCase{"Tabella", "esercizio.DB",
                     "Nella cartella %1 le tabelle esercizio sono in sola lettura: i loro dati si "
                     "possono consultare, ma ogni modifica sarà rifiutata.",
                     "La tabella esercizio è in sola lettura e la modifica non è stata "
                     "registrata: controllare che il disco e la cartella dell'archivio siano "
                     "scrivibili."}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------

TEST(StaticTable, OpenedTableWithStaticStorageClosesCleanlyAtExit) {
    testsupport::YearFolder year;
    const QString folder = year.path();
    fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        // Made before the registry of open files, so destroyed after it.
        static Table kept(folder, "esercizio");
        kept.open();
        std::exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status)) << "signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 0);
}
