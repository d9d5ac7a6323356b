// A posted record survives the death of the program that posted it: a child process posts in a
// loop, reports each post that returned, and is killed without warning.
#include "store/table.h"
#include "support/fixture.h"

#include <QDir>
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>

namespace {

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

        sqlite3* db = nullptr;
        ASSERT_EQ(
            sqlite3_open(QDir(year.path()).filePath("esercizio.DB").toUtf8().constData(), &db),
            SQLITE_OK);
        sqlite3_stmt* check = nullptr;
        sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr);
        ASSERT_EQ(sqlite3_step(check), SQLITE_ROW);
        EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok");
        sqlite3_finalize(check);
        sqlite3_close(db);
    }
}
