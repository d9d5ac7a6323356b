// The contracts screen's "Filtra" over 50,000 contracts: the filter text built from the panel
// (type and customer looked up by name), the counter and the first screenful of the grid with
// the customer's and the type's names, against raw SQLite answering the same with two look-ups,
// a count and a joined page over the same files attached to one connection.
//
//   cmake --build build --target contracts_bench && build/bench/contracts_bench
#include "bench_support.h"
#include "generate_year.h"
#include "sqlite_util.h"

#include "contracts/contract_rules.h"
#include "store/table.h"

#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

namespace {

using bench::sql::Db;
using bench::sql::Stmt;

constexpr int kPage = 30; ///< rows a grid shows at once

QString yearFolder() {
    static const QString folder = [] {
        bench::YearShape shape;
        shape.customers = 20'000;
        shape.movements = 1'000;
        shape.verifications = 1'000;
        shape.documents = 1'000;
        shape.contracts = 50'000;
        const QString path = bench::defaultYearFolder() + QStringLiteral("-contratti");
        bench::ensureYear(bench::builtTemplateFolder(), path, shape);
        return path;
    }();
    return folder;
}

/// The panels measured: an expiry quarter alone, and type, quarter and one customer.
struct Panel {
    const char* name;
    contracts::FilterPanel panel;
};

/// The name of a customer that has contracts expiring in the quarter.
QString someCustomer() {
    store::Table contracts(yearFolder(), QStringLiteral("ele_contratti"));
    store::Table customers(yearFolder(), QStringLiteral("esercizio"));
    contracts.open();
    customers.open();
    contracts.setFilter(QStringLiteral("[VAL_AL]>='01/01/2025' and [VAL_AL]<='31/03/2025'"));
    contracts.setFiltered(true);
    contracts.first();
    return customers
        .lookup(QStringLiteral("Id_esercizio"),
                contracts.field(QStringLiteral("ID_CLIENTE")).value(),
                QStringLiteral("Ragione_sociale"))
        .toString();
}

contracts::FilterPanel panelOf(int which) {
    if (which == 0)
        return {QString(), QStringLiteral("01/01/2025"), QStringLiteral("31/03/2025"), QString()};
    static const QString customer = someCustomer();
    return {QStringLiteral("VERIFICA PERIODICA"), QStringLiteral("01/01/2025"),
            QStringLiteral("31/03/2025"), customer};
}

void BM_Store_ContractFilter(benchmark::State& state) {
    const QString folder = yearFolder();
    store::Table customers(folder, QStringLiteral("esercizio"));
    store::Table types(folder, QStringLiteral("tipi_contratti"));
    store::Table contracts(folder, QStringLiteral("ele_contratti"));
    contracts.setIndexFieldNames(QStringLiteral("VAL_AL"));
    contracts.addLookupField(QStringLiteral("rag_sociale"), 60, QStringLiteral("ID_CLIENTE"),
                             &customers, QStringLiteral("Id_esercizio"),
                             QStringLiteral("Ragione_sociale"));
    contracts.addLookupField(QStringLiteral("tipo_contratto"), 30, QStringLiteral("ID_CONTRATTO"),
                             &types, QStringLiteral("Id"), QStringLiteral("Nome_contratto"));
    customers.open();
    types.open();
    contracts.open();
    const contracts::FilterPanel panel = panelOf(int(state.range(0)));
    int count = 0;
    for (auto _ : state) {
        contracts.setFiltered(false);
        contracts::applyFilter(contracts, panel, types, customers);
        count = contracts.recordCount();
        for (int row = 0; row < std::min(count, kPage); ++row)
            benchmark::DoNotOptimize(contracts.recordAt(row));
    }
    state.counters["contratti"] = count;
}

void BM_Raw_ContractFilter(benchmark::State& state) {
    const QString folder = yearFolder();
    auto path = [&](const char* table) {
        return QFile::encodeName(QDir(folder).filePath(QString::fromLatin1(table) + ".DB"))
            .toStdString();
    };
    Db db = bench::sql::open(path("ele_contratti"), SQLITE_OPEN_READONLY);
    for (const char* table : {"esercizio", "tipi_contratti"}) {
        bench::sql::attach(db.get(), path(table), table);
    }
    const bool narrow = state.range(0) == 1;
    const contracts::FilterPanel panel = panelOf(int(state.range(0)));
    const std::string where =
        narrow ? " WHERE \"ID_CONTRATTO\" = ?3 AND \"VAL_AL\" >= ?1 AND \"VAL_AL\" <= ?2 AND "
                 "\"ID_CLIENTE\" = ?4"
               : " WHERE \"VAL_AL\" >= ?1 AND \"VAL_AL\" <= ?2";
    Stmt type = bench::sql::prepare(
        db.get(),
        "SELECT \"Id\" FROM tipi_contratti.\"tipi_contratti\" WHERE \"Nome_contratto\" = ?");
    Stmt customer = bench::sql::prepare(
        db.get(),
        "SELECT \"Id_esercizio\" FROM esercizio.\"esercizio\" WHERE \"Ragione_sociale\" = ?");
    Stmt count = bench::sql::prepare(db.get(), "SELECT COUNT(*) FROM \"ele_contratti\"" + where);
    Stmt page = bench::sql::prepare(
        db.get(),
        "SELECT c.*, e.\"Ragione_sociale\", t.\"Nome_contratto\" FROM \"ele_contratti\" c "
        "LEFT JOIN esercizio.\"esercizio\" e ON e.\"Id_esercizio\" = c.\"ID_CLIENTE\" "
        "LEFT JOIN tipi_contratti.\"tipi_contratti\" t ON t.\"Id\" = c.\"ID_CONTRATTO\"" +
            where + " ORDER BY c.\"VAL_AL\", c.\"ID\" LIMIT " + std::to_string(kPage));
    auto firstInteger = [](sqlite3_stmt* s, const QString& text) {
        bench::sql::bindText(s, 1, text.toStdString());
        const qint64 v = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int64(s, 0) : 0;
        sqlite3_reset(s);
        return v;
    };
    int found = 0;
    for (auto _ : state) {
        const qint64 typeId = narrow ? firstInteger(type.get(), panel.type) : 0;
        const qint64 customerId = narrow ? firstInteger(customer.get(), panel.customer) : 0;
        for (sqlite3_stmt* s : {count.get(), page.get()}) {
            bench::sql::bindText(s, 1, "2025-01-01");
            bench::sql::bindText(s, 2, "2025-03-31");
            if (narrow) {
                sqlite3_bind_int64(s, 3, typeId);
                sqlite3_bind_int64(s, 4, customerId);
            }
        }
        if (sqlite3_step(count.get()) == SQLITE_ROW)
            found = sqlite3_column_int(count.get(), 0);
        sqlite3_reset(count.get());
        while (sqlite3_step(page.get()) == SQLITE_ROW)
            for (int c = 0, n = sqlite3_column_count(page.get()); c < n; ++c)
                benchmark::DoNotOptimize(sqlite3_column_value(page.get(), c));
        sqlite3_reset(page.get());
    }
    state.counters["contratti"] = found;
}

BENCHMARK(BM_Store_ContractFilter)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Raw_ContractFilter)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Each panel's store time beside raw SQLite's (CPU time).
    return bench::runWithRatios(argc, argv, [](const bench::RatioReporter& times) {
        const char* panels[] = {"scadenza in un trimestre", "tipo, trimestre e cliente"};
        for (int p = 0; p < 2; ++p) {
            const bench::Times* store = times.run("BM_Store_ContractFilter/" + std::to_string(p));
            const bench::Times* raw = times.run("BM_Raw_ContractFilter/" + std::to_string(p));
            if (!store || !raw)
                continue;
            std::printf("Filtra (%s) su 50.000 contratti: store %.3f ms, SQLite %.3f ms: %.2fx\n",
                        panels[p], store->cpu, raw->cpu, store->cpu / raw->cpu);
        }
    });
}
