// The movement list print over 10,000 movements: the page model made from dm.Tabmov (every
// record read with its customer's name, laid out in framed bands and paginated) against raw
// SQLite reading the same rows, in the same order, with the same customer name per row.
//
//   cmake --build build --target utilities_bench && build/bench/utilities_bench
#include "bench_support.h"
#include "generate_year.h"
#include "sqlite_util.h"

#include "report/prn_elemov.h"
#include "store/dm.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

using bench::sql::Db;
using bench::sql::Stmt;

constexpr int kMovements = 10'000;

/// A working year of 10,000 movements over 2,000 customers, made once per run.
const QString& yearFolder() {
    static QTemporaryDir dir;
    static const QString folder = [] {
        bench::YearShape shape;
        shape.customers = 2'000;
        shape.movements = kMovements;
        shape.verifications = 1;
        shape.documents = 1;
        shape.contracts = 1;
        const QString path = dir.filePath(QStringLiteral("2025"));
        bench::generateYear(bench::builtTemplateFolder(), path, shape);
        return path;
    }();
    return folder;
}

void BM_Store_MovementListPages(benchmark::State& state) {
    Tdm data;
    if (!data.dmCreate(yearFolder())) {
        state.SkipWithError("the shared tables do not open");
        return;
    }
    size_t pages = 0;
    for (auto _ : state) {
        const report::Document document =
            report::Tprn_elemov(data, QStringLiteral("([Data]>='01/01/2024')")).document();
        pages = document.pages.size();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = double(pages);
    state.SetItemsProcessed(state.iterations() * kMovements);
}

void BM_Raw_MovementRows(benchmark::State& state) {
    const auto file = [](const char* table) {
        return QFile::encodeName(
                   QDir(yearFolder()).filePath(QString::fromLatin1(table) + QStringLiteral(".DB")))
            .toStdString();
    };
    Db db = bench::sql::open(file("MOV"), SQLITE_OPEN_READONLY);
    Stmt attach = bench::sql::prepare(db.get(), "ATTACH DATABASE ? AS c");
    bench::sql::bindText(attach.get(), 1, file("esercizio"));
    bench::sql::stepDone(db.get(), attach.get());
    Stmt rows = bench::sql::prepare(
        db.get(),
        "SELECT Data, Ora, Evasa_sn, Data_app, Ora_app, ID_TECNICO, Segnalazione, "
        "Accordi, ID_ESERCIZIO, Parlato_con, Rec_urgente FROM MOV ORDER BY Data, Ora, Id");
    Stmt customer = bench::sql::prepare(
        db.get(), "SELECT Ragione_sociale FROM c.esercizio WHERE Id_esercizio=?");
    for (auto _ : state) {
        std::size_t bytes = 0;
        while (sqlite3_step(rows.get()) == SQLITE_ROW) {
            for (int c = 0; c < 11; ++c)
                bytes += std::size_t(sqlite3_column_bytes(rows.get(), c));
            sqlite3_bind_int64(customer.get(), 1, sqlite3_column_int64(rows.get(), 8));
            if (sqlite3_step(customer.get()) == SQLITE_ROW)
                bytes += std::size_t(sqlite3_column_bytes(customer.get(), 0));
            sqlite3_reset(customer.get());
        }
        sqlite3_reset(rows.get());
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * kMovements);
}

BENCHMARK(BM_Store_MovementListPages)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Raw_MovementRows)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    // Text measuring needs fonts, hence a GUI application (offscreen without a display).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return bench::runWithRatios(argc, argv, [](const bench::RatioReporter& times) {
        const bench::Times* print = times.function("BM_Store_MovementListPages");
        const bench::Times* raw = times.function("BM_Raw_MovementRows");
        if (!print || !raw)
            return;
        std::printf("\nMovement list of 10,000 movements: page model %.0f ms, raw SQLite rows "
                    "%.1f ms (CPU): ratio %.1fx (wall %.1fx)\n",
                    print->cpu, raw->cpu, print->cpu / raw->cpu, print->wall / raw->wall);
    });
}
