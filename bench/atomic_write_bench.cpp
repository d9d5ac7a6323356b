// One all-or-nothing write over three tables, as the export and import make it: 100,000 new
// records spread over customers, models and technicians through table objects in one
// store::AtomicWrite, against raw SQLite inserting the same rows in one transaction over the
// same files attached to one connection. Each iteration starts from empty tables.
//
//   cmake --build build --target atomic_write_bench && build/bench/atomic_write_bench
#include "bench_support.h"
#include "generate_year.h"
#include "sqlite_util.h"

#include "store/table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using bench::sql::Db;
using bench::sql::Stmt;

constexpr int kRows = 100000;

struct Target {
    const char* table;
    const char* key;
    const char* text;
};
constexpr Target kTargets[] = {{"esercizio", "Id_esercizio", "Ragione_sociale"},
                               {"ms", "Id_ms", "Marchio_ms"},
                               {"tecnici", "Id_tecnico", "Cognome"}};

/// Rows of table `t` (of three): the 100,000 shared out.
int rowsOf(int t) {
    return kRows / 3 + (t < kRows % 3 ? 1 : 0);
}

QString nameOf(int row) {
    return QStringLiteral("DITTA NUMERO %1").arg(row);
}

/// A folder holding the three tables, empty, copied from the built template.
std::unique_ptr<QTemporaryDir> freshTables() {
    auto dir = std::make_unique<QTemporaryDir>();
    const QDir source(bench::builtTemplateFolder());
    for (const Target& t : kTargets) {
        const QString file = QString::fromLatin1(t.table) + QStringLiteral(".DB");
        if (!QFile::copy(source.filePath(file), dir->filePath(file)))
            throw std::runtime_error("cannot copy the template table " + file.toStdString());
        QFile::setPermissions(dir->filePath(file), QFile::ReadOwner | QFile::WriteOwner);
    }
    return dir;
}

void BM_Store_AtomicInsert(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        const auto dir = freshTables();
        std::vector<std::unique_ptr<store::Table>> tables;
        std::vector<store::Table*> objects;
        for (const Target& t : kTargets) {
            tables.push_back(std::make_unique<store::Table>(dir->path(), t.table));
            tables.back()->open();
            objects.push_back(tables.back().get());
        }
        state.ResumeTiming();
        try {
            store::AtomicWrite scope(objects);
            for (int t = 0; t < 3; ++t) {
                store::Table& table = *tables[size_t(t)];
                const store::Field key = table.field(QString::fromLatin1(kTargets[t].key));
                const store::Field text = table.field(QString::fromLatin1(kTargets[t].text));
                for (int row = 1; row <= rowsOf(t); ++row) {
                    table.append();
                    key.setAsInteger(row);
                    text.setAsString(nameOf(row));
                    table.post();
                }
            }
            scope.commit();
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
        }
        state.PauseTiming();
        tables.clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

/// The schema of the k-th target on the raw connection: the first file is main.
std::string schemaOf(int k) {
    if (k == 0)
        return "main";
    std::string schema = "t"; // appended, not "t" + ...: GCC 12 warns falsely on that
    schema += std::to_string(k);
    return schema;
}

void BM_Raw_AtomicInsert(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        const auto dir = freshTables();
        auto path = [&](int t) {
            return QFile::encodeName(dir->filePath(QString::fromLatin1(kTargets[t].table) +
                                                   QStringLiteral(".DB")))
                .toStdString();
        };
        state.ResumeTiming();
        try {
            Db db = bench::sql::open(path(0));
            bench::sql::exec(db.get(), "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL");
            for (int t = 1; t < 3; ++t)
                bench::sql::attach(db.get(), path(t), schemaOf(t), true);
            bench::sql::exec(db.get(), "BEGIN IMMEDIATE");
            for (int t = 0; t < 3; ++t) {
                const std::string schema = schemaOf(t);
                Stmt insert = bench::sql::prepare(
                    db.get(), "INSERT INTO " + schema + "." +
                                  bench::sql::quoted(kTargets[t].table) + " (" +
                                  bench::sql::quoted(kTargets[t].key) + ", " +
                                  bench::sql::quoted(kTargets[t].text) + ") VALUES (?, ?)");
                for (int row = 1; row <= rowsOf(t); ++row) {
                    sqlite3_bind_int64(insert.get(), 1, row);
                    bench::sql::bindText(insert.get(), 2, nameOf(row).toStdString());
                    bench::sql::stepDone(db.get(), insert.get());
                }
            }
            bench::sql::exec(db.get(), "COMMIT");
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
        }
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

BENCHMARK(BM_Store_AtomicInsert)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Raw_AtomicInsert)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithRatios(argc, argv, [](const bench::RatioReporter& times) {
        times.printPair("BM_Store_AtomicInsert", "BM_Raw_AtomicInsert",
                        "100,000 records over 3 tables in one atomic write");
    });
}
