// A posted record survives the death of the program that posted it: a child process posts in a
// loop, reports each post that returned, and is killed without warning.
#include "store/table.h"
#include "support/fixture.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

/// What SQLite's integrity check says of a file: "ok" when whole.
std::string integrityOf(const QString& file) {
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(file).constData(), &db);
    sqlite3_stmt* check = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr);
    const std::string result = sqlite3_step(check) == SQLITE_ROW
                                   ? reinterpret_cast<const char*>(sqlite3_column_text(check, 0))
                                   : sqlite3_errmsg(db);
    sqlite3_finalize(check);
    sqlite3_close(db);
    return result;
}

QString nameFor(int id) {
    return QStringLiteral("DITTA NUMERO %1").arg(id);
}

[[noreturn]] void postForever(const QString& folder, int reportFd) {
    try {
        store::Table customers(folder, "esercizio");
        customers.open();
        for (int id = 1;; ++id) {
            customers.append();
            customers.field("Id_esercizio").setAsInteger(id);
            customers.field("Ragione_sociale").setAsString(nameFor(id));
            customers.field("Piva").setAsString(QString::number(10000000000LL + id));
            customers.post();
            if (write(reportFd, &id, sizeof id) != sizeof id)
                _exit(3);
        }
    } catch (...) {
        _exit(2);
    }
}

/// Starts the poster, waits until `posts` posts have returned, kills it; returns the ids reported.
std::set<int> postAndKill(const QString& folder, int posts) {
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        postForever(folder, fds[1]);
    }
    close(fds[1]);
    std::set<int> reported;
    int id = 0;
    while (int(reported.size()) < posts && read(fds[0], &id, sizeof id) == sizeof id)
        reported.insert(id);
    kill(child, SIGKILL);
    // Ids the child managed to report between our last read and its death count too.
    while (read(fds[0], &id, sizeof id) == sizeof id)
        reported.insert(id);
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return reported;
}

} // namespace

TEST(CrashSafety, EveryReturnedPostSurvivesSigkillAndTheFileStaysWhole) {
    for (int posts : {1, 7, 40, 150}) {
        testsupport::YearFolder year;
        const std::set<int> reported = postAndKill(year.path(), posts);
        ASSERT_GE(int(reported.size()), posts);

        store::Table customers(year.path(), "esercizio");
        customers.open();
        std::set<int> stored;
        for (customers.first(); !customers.eof(); customers.next()) {
            const int id = customers.field("Id_esercizio").asInteger();
            stored.insert(id);
            // No half record: each field holds what was written with it.
            EXPECT_EQ(customers.field("Ragione_sociale").asString(), nameFor(id));
            EXPECT_EQ(customers.field("Piva").asString(), QString::number(10000000000LL + id));
        }
        for (int id : reported)
            EXPECT_TRUE(stored.count(id)) << "post " << id << " returned but was lost";
        // At most the one post in flight when the child died may be there unreported.
        EXPECT_LE(stored.size(), reported.size() + 1);

        EXPECT_EQ(integrityOf(QDir(year.path()).filePath("esercizio.DB")), "ok");
    }
}

// ---------------------------------------------------------------------------------------------
// Writes to three tables made as one operation survive a crash whole or not at all.

namespace {

const char* const scopeTables[] = {"esercizio", "fornitori", "tecnici"};
const char* const scopeKeys[] = {"Id_esercizio", "Id_fornitore", "Id_tecnico"};

/// Adds `perRound` records to each of the three tables in one atomic write per round and
/// reports each round whose commit returned; with `stopBeforeCommit`, reports the first round
/// before its commit and waits to be killed.
[[noreturn]] void writeInScopesForever(const QString& folder, int reportFd, int perRound,
                                       bool stopBeforeCommit) {
    try {
        std::vector<std::unique_ptr<store::Table>> tables;
        std::vector<store::Table*> objects;
        for (const char* name : scopeTables) {
            tables.push_back(std::make_unique<store::Table>(folder, name));
            tables.back()->open();
            objects.push_back(tables.back().get());
        }
        for (int round = 1;; ++round) {
            store::AtomicWrite scope(objects);
            for (size_t t = 0; t < tables.size(); ++t)
                for (int i = 0; i < perRound; ++i) {
                    tables[t]->append();
                    tables[t]->field(scopeKeys[t]).setAsInteger(round * 100000 + i);
                    // Every text full, so that a large round outgrows the page cache.
                    for (int f = 0; f < tables[t]->fieldCount(); ++f)
                        if (tables[t]->field(f).type() == store::FieldType::Text)
                            tables[t]->field(f).setAsString(
                                QString(tables[t]->field(f).size(), QChar('A' + i % 26)));
                    tables[t]->post();
                }
            if (stopBeforeCommit) {
                if (write(reportFd, &round, sizeof round) != sizeof round)
                    _exit(3);
                for (;;)
                    pause();
            }
            scope.commit();
            if (write(reportFd, &round, sizeof round) != sizeof round)
                _exit(3);
        }
    } catch (...) {
        _exit(2);
    }
}

/// Runs the writer until it reported `rounds` rounds, kills it; answers the rounds reported.
int writeAndKill(const QString& folder, int rounds, int perRound, bool stopBeforeCommit) {
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        writeInScopesForever(folder, fds[1], perRound, stopBeforeCommit);
    }
    close(fds[1]);
    int reported = 0;
    int round = 0;
    while (reported < rounds && read(fds[0], &round, sizeof round) == sizeof round)
        reported = round;
    kill(child, SIGKILL);
    while (read(fds[0], &round, sizeof round) == sizeof round)
        reported = round;
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return reported;
}

int countOf(const QString& folder, const char* table) {
    store::Table t(folder, table);
    t.open();
    return t.recordCount();
}

} // namespace

TEST(CrashSafety, AtomicWriteOverThreeTablesSurvivesSigkillWholeOrNotAtAll) {
    struct Case {
        int rounds;
        int perRound;
        bool stopBeforeCommit;
    };
    // Killed while holding a round larger than the page cache (its pages already in the files),
    // then at random moments, commits included.
    for (const Case c :
         {Case{1, 4000, true}, Case{1, 25, false}, Case{2, 25, false}, Case{3, 25, false},
          Case{5, 25, false}, Case{8, 25, false}, Case{13, 25, false}}) {
        SCOPED_TRACE(testing::Message() << c.rounds << (c.stopBeforeCommit ? " held" : ""));
        testsupport::YearFolder year;
        const int reported = writeAndKill(year.path(), c.rounds, c.perRound, c.stopBeforeCommit);
        ASSERT_GE(reported, c.rounds);
        const int committed = c.stopBeforeCommit ? reported - 1 : reported;
        std::vector<int> counts;
        for (const char* table : scopeTables)
            counts.push_back(countOf(year.path(), table));
        // Every table holds the same whole rounds: those reported, perhaps the one in flight.
        EXPECT_EQ(counts[1], counts[0]);
        EXPECT_EQ(counts[2], counts[0]);
        EXPECT_EQ(counts[0] % c.perRound, 0);
        EXPECT_GE(counts[0], committed * c.perRound);
        EXPECT_LE(counts[0], (committed + (c.stopBeforeCommit ? 0 : 1)) * c.perRound);
        // Each file is whole, and the next write leaves it one file again (a journal of the
        // round that died may stay beside it until then, holding nothing to replay).
        for (size_t t = 0; t < std::size(scopeTables); ++t) {
            store::Table table(year.path(), scopeTables[t]);
            table.open();
            table.append();
            table.field(scopeKeys[t]).setAsInteger(1);
            table.post();
            const QString file = QDir(year.path()).filePath(QString(scopeTables[t]) + ".DB");
            EXPECT_EQ(integrityOf(file), "ok") << scopeTables[t];
            EXPECT_FALSE(QFile::exists(file + "-journal")) << scopeTables[t];
        }
    }
}
