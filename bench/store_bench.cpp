// The table store's everyday operations against the same work done with raw SQLite, on a
// synthetic working year. Pairs are named BM_Store_X / BM_Raw_X; the summary prints their ratio.
#include "generate_year.h"
#include "sqlite_util.h"

#include "store/rules.h"
#include "store/table.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using bench::sql::Db;
using bench::sql::Stmt;

/// The synthetic year every benchmark reads; prepared once by main().
QString yearFolder;

const QString kDayFilter = QStringLiteral("([data]='08/12/2026') and ([id_tipomov]='3')");
constexpr const char* kDay = "2026-12-08";
constexpr int kDayType = 3;

/// The largest character: "starts with p" is the range [p, p + this).
constexpr const char* kTopCharacter = "\xF4\x8F\xBF\xBF";

std::string tablePath(const QString& table) {
    return QFile::encodeName(QDir(yearFolder).filePath(table + QStringLiteral(".DB")))
        .toStdString();
}

Db openRaw(const QString& table) {
    return bench::sql::open(tablePath(table));
}

std::string columnText(sqlite3_stmt* s, int i) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, i));
    return text ? std::string(text, std::size_t(sqlite3_column_bytes(s, i))) : std::string();
}

/// Reports a failure of the store or of SQLite as the benchmark's error instead of aborting.
template <class Body> void guarded(benchmark::State& state, Body body) {
    try {
        body();
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// ---------------------------------------------------------------------------------------------
// (a) The day's movements of one type, in data_ora_index order.

/// Opens Tabmov as the agenda leaves it: in data_ora_index order, filtered to the day.
void openFilteredMov(store::Table& mov) {
    mov.setIndexName(QStringLiteral("data_ora_index"));
    mov.setFilter(kDayFilter);
    mov.setFiltered(true);
    mov.open();
}

void BM_Store_DayFilter(benchmark::State& state) {
    guarded(state, [&] {
        store::Table tabmov(yearFolder, QStringLiteral("MOV"));
        tabmov.setIndexName(QStringLiteral("data_ora_index"));
        tabmov.open(); // the whole year in order, as dmCreate leaves it
        int rows = 0;
        for (auto _ : state) {
            store::Table mov(yearFolder, QStringLiteral("MOV"));
            mov.setIndexName(QStringLiteral("data_ora_index"));
            mov.setFilter(kDayFilter);
            mov.setFiltered(true);
            mov.open();
            rows = mov.recordCount();
            benchmark::DoNotOptimize(rows);
        }
        state.counters["rows"] = rows;
    });
}

/// The same filter applied again on the open, ordered and filtered Tabmov (a new date chosen).
void BM_Store_DayRefilter(benchmark::State& state) {
    guarded(state, [&] {
        store::Table tabmov(yearFolder, QStringLiteral("MOV"));
        openFilteredMov(tabmov);
        int rows = 0;
        for (auto _ : state) {
            tabmov.setFilter(kDayFilter);
            rows = tabmov.recordCount();
            benchmark::DoNotOptimize(rows);
        }
        state.counters["rows"] = rows;
    });
}

/// The agenda's "Mostra interventi": filter off, new filter text, filter on, on the open Tabmov.
void BM_Store_DayAgenda(benchmark::State& state) {
    guarded(state, [&] {
        store::Table tabmov(yearFolder, QStringLiteral("MOV"));
        openFilteredMov(tabmov);
        int rows = 0;
        for (auto _ : state) {
            tabmov.setFiltered(false);
            tabmov.setFilter(kDayFilter);
            tabmov.setFiltered(true);
            rows = tabmov.recordCount();
            benchmark::DoNotOptimize(rows);
        }
        state.counters["rows"] = rows;
    });
}

void BM_Raw_DayFilter(benchmark::State& state) {
    guarded(state, [&] {
        const Db db = openRaw(QStringLiteral("MOV"));
        const Stmt select =
            bench::sql::prepare(db.get(), "SELECT rowid FROM MOV WHERE Data = ? AND Id_tipomov = ? "
                                          "ORDER BY Data, Ora, rowid");
        std::vector<sqlite3_int64> rows;
        for (auto _ : state) {
            rows.clear();
            bench::sql::bindText(select.get(), 1, kDay);
            sqlite3_bind_int(select.get(), 2, kDayType);
            while (sqlite3_step(select.get()) == SQLITE_ROW)
                rows.push_back(sqlite3_column_int64(select.get(), 0));
            sqlite3_reset(select.get());
            benchmark::DoNotOptimize(rows.data());
        }
        state.counters["rows"] = double(rows.size());
    });
}

// ---------------------------------------------------------------------------------------------
// (b) The next movement identifier.

void BM_Store_NextId(benchmark::State& state) {
    guarded(state, [&] {
        // dm's Tabmov is open, so its file is open and shared.
        store::Table tabmov(yearFolder, QStringLiteral("MOV"));
        openFilteredMov(tabmov);
        int id = 0;
        for (auto _ : state) {
            id = store::rules::nextIdentifier(tabmov, QStringLiteral("Id"));
            benchmark::DoNotOptimize(id);
        }
        state.counters["next_id"] = id;
    });
}

void BM_Raw_NextId(benchmark::State& state) {
    guarded(state, [&] {
        const Db db = openRaw(QStringLiteral("MOV"));
        const Stmt last =
            bench::sql::prepare(db.get(), "SELECT Id FROM MOV ORDER BY Id DESC LIMIT 1");
        sqlite3_int64 id = 0;
        for (auto _ : state) {
            id = sqlite3_step(last.get()) == SQLITE_ROW ? sqlite3_column_int64(last.get(), 0) + 1
                                                        : 1;
            sqlite3_reset(last.get()); // ends the read transaction, as the store does
            benchmark::DoNotOptimize(id);
        }
        state.counters["next_id"] = double(id);
    });
}

// ---------------------------------------------------------------------------------------------
// (c) and (e): partial Locate on the customers' Ragione_sociale, in rs_index order.

/// Customer names picked with a fixed seed, for searches that find something.
std::vector<std::string> sampleNames(int count, std::uint64_t seed) {
    const Db db = openRaw(QStringLiteral("esercizio"));
    const Stmt s = bench::sql::prepare(
        db.get(), "SELECT Ragione_sociale FROM esercizio WHERE Id_esercizio = ?");
    const int customers = [&] {
        const Stmt n = bench::sql::prepare(db.get(), "SELECT count(*) FROM esercizio");
        return sqlite3_step(n.get()) == SQLITE_ROW ? sqlite3_column_int(n.get(), 0) : 0;
    }();
    if (customers == 0)
        throw std::runtime_error("no customers in the synthetic year");
    bench::Random random(seed);
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        sqlite3_reset(s.get());
        sqlite3_bind_int(s.get(), 1, random.between(1, customers));
        if (sqlite3_step(s.get()) == SQLITE_ROW)
            names.push_back(columnText(s.get(), 0));
    }
    return names;
}

/// Prefixes of 1 to 8 characters of real names, and a few that match nobody.
std::vector<std::string> locatePrefixes() {
    bench::Random random(7);
    std::vector<std::string> prefixes;
    for (const std::string& name : sampleNames(240, 11))
        prefixes.push_back(name.substr(0, std::size_t(random.between(1, 8))));
    for (const char* miss :
         {"ZZ", "BAR ZZ", "XYLO", "ROSSI Q", "AAA", "Q", "BAR CENTRALEZ", "FARMACIA X", "W",
          "TABACCHERIA Z", "K", "ZETA", "J", "BAR Y", "OTTICA Z", "YUKI"})
        prefixes.push_back(miss);
    return prefixes;
}

/// Someone typing a customer's name in the search box: every prefix of 30 names (up to 16
/// characters), plus names with a typo after which nothing matches.
std::vector<std::string> keystrokes() {
    std::vector<std::string> typed;
    std::vector<std::string> names = sampleNames(30, 23);
    for (std::size_t i = 0; i < 5 && i < names.size(); ++i)
        if (names[i].size() > 4)
            names[i][3] = 'Q'; // a slip of the finger
    for (const std::string& name : names)
        for (std::size_t length = 1; length <= std::min<std::size_t>(name.size(), 16); ++length)
            typed.push_back(name.substr(0, length));
    return typed;
}

/// The customer screen's Tabesercizio: index rs_index.
struct StoreCustomers {
    store::Table table{yearFolder, QStringLiteral("esercizio")};
    explicit StoreCustomers() {
        table.setIndexName(QStringLiteral("rs_index"));
        table.open();
    }
    bool locate(const QVariant& prefix) {
        return table.locate(QStringLiteral("Ragione_sociale"), prefix, true);
    }
};

/// The same with raw SQLite: the ordered rowids kept like the cursor's, one range query for the
/// first match, its position in the order and the matching record read.
struct RawCustomers {
    Db db = openRaw(QStringLiteral("esercizio"));
    Stmt first = bench::sql::prepare(
        db.get(), "SELECT rowid FROM esercizio WHERE Ragione_sociale >= ? AND Ragione_sociale < ? "
                  "ORDER BY Ragione_sociale, rowid LIMIT 1");
    Stmt record = bench::sql::prepare(db.get(), "SELECT * FROM esercizio WHERE rowid = ?");
    std::vector<sqlite3_int64> order;
    std::vector<std::string> current;
    int position = -1;
    std::string upper;

    RawCustomers() {
        const Stmt all = bench::sql::prepare(
            db.get(), "SELECT rowid FROM esercizio ORDER BY Ragione_sociale, rowid");
        while (sqlite3_step(all.get()) == SQLITE_ROW)
            order.push_back(sqlite3_column_int64(all.get(), 0));
    }

    // Every statement is reset as soon as it is read: a statement left on a row keeps its read
    // transaction, and the shared lock with it, open until the next call, which a program
    // sharing its files with other desks must not do (and which would skip the locking).
    bool locate(const std::string& prefix) {
        upper.assign(prefix).append(kTopCharacter);
        bench::sql::bindText(first.get(), 1, prefix);
        bench::sql::bindText(first.get(), 2, upper);
        const bool found = sqlite3_step(first.get()) == SQLITE_ROW;
        const sqlite3_int64 rowid = found ? sqlite3_column_int64(first.get(), 0) : 0;
        sqlite3_reset(first.get());
        if (!found)
            return false;
        const auto at = std::find(order.begin(), order.end(), rowid);
        if (at == order.end())
            return false;
        position = int(at - order.begin());
        sqlite3_bind_int64(record.get(), 1, rowid);
        const bool read = sqlite3_step(record.get()) == SQLITE_ROW;
        if (read) {
            const int columns = sqlite3_column_count(record.get());
            current.resize(std::size_t(columns));
            for (int i = 0; i < columns; ++i)
                current[std::size_t(i)] = columnText(record.get(), i);
        }
        sqlite3_reset(record.get());
        return read;
    }
};

std::vector<QVariant> asVariants(const std::vector<std::string>& texts) {
    std::vector<QVariant> out;
    for (const std::string& t : texts)
        out.emplace_back(QString::fromStdString(t));
    return out;
}

void BM_Store_Locate(benchmark::State& state) {
    guarded(state, [&] {
        const std::vector<QVariant> prefixes = asVariants(locatePrefixes());
        StoreCustomers customers;
        std::size_t next = 0, found = 0;
        for (auto _ : state) {
            found += customers.locate(prefixes[next]);
            next = (next + 1) % prefixes.size();
        }
        state.counters["found"] =
            benchmark::Counter(double(found), benchmark::Counter::kAvgIterations);
    });
}

void BM_Raw_Locate(benchmark::State& state) {
    guarded(state, [&] {
        const std::vector<std::string> prefixes = locatePrefixes();
        RawCustomers customers;
        std::size_t next = 0, found = 0;
        for (auto _ : state) {
            found += customers.locate(prefixes[next]);
            next = (next + 1) % prefixes.size();
        }
        state.counters["found"] =
            benchmark::Counter(double(found), benchmark::Counter::kAvgIterations);
    });
}

/// One iteration is one keystroke; the 99th percentile and the slowest keystroke are reported
/// beside the mean, since a user notices the slow ones.
template <class Locate> void typeSearch(benchmark::State& state, std::size_t count, Locate locate) {
    using Clock = std::chrono::steady_clock;
    std::vector<double> milliseconds;
    std::size_t next = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        benchmark::DoNotOptimize(locate(next));
        milliseconds.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        next = (next + 1) % count;
    }
    if (milliseconds.empty())
        return;
    std::sort(milliseconds.begin(), milliseconds.end());
    state.counters["p99_ms"] = milliseconds[milliseconds.size() * 99 / 100];
    state.counters["max_ms"] = milliseconds.back();
    state.counters["keystrokes"] = double(count);
}

void BM_Store_TypeSearch(benchmark::State& state) {
    guarded(state, [&] {
        const std::vector<QVariant> typed = asVariants(keystrokes());
        StoreCustomers customers;
        typeSearch(state, typed.size(), [&](std::size_t i) { return customers.locate(typed[i]); });
    });
}

void BM_Raw_TypeSearch(benchmark::State& state) {
    guarded(state, [&] {
        const std::vector<std::string> typed = keystrokes();
        RawCustomers customers;
        typeSearch(state, typed.size(), [&](std::size_t i) { return customers.locate(typed[i]); });
    });
}

// ---------------------------------------------------------------------------------------------
// (d) Opening the data module's shared table objects (dmCreate).

struct SharedObject {
    const char* object;
    const char* table;
    const char* index;  ///< named index, or nullptr
    const char* fields; ///< order by field list, or nullptr
};

// In dmCreate's order, with the order each object is given.
const std::vector<SharedObject> kSharedObjects = {
    {"Tabimpostazioni", "impostazioni", nullptr, nullptr},
    {"tabtipo_pag", "tipi_pagamento", nullptr, nullptr},
    {"Tab_tipodoc", "tipo_doc", nullptr, nullptr},
    {"Tabtipodoc2", "tipo_doc", nullptr, nullptr},
    {"Tabcomuni", "COMUNI", nullptr, nullptr},
    {"Tabesercizio", "esercizio", "rs_index", nullptr},
    {"Tab_ese2", "esercizio", "rs_index", nullptr},
    {"tabese3", "esercizio", "rs_index", nullptr},
    {"TabFornitori", "fornitori", "rs_index", nullptr},
    {"Tabforn2", "fornitori", nullptr, nullptr},
    {"Tabms", "ms", "indice1", nullptr},
    {"Tabsoggetto", "soggetto_obbligato", nullptr, nullptr},
    {"TabLsogg", "Lsoggetto_obbligato", "id_sogg_index", nullptr},
    {"Tabtecnico", "tecnici", "indice1", nullptr},
    {"Tabtipomov", "tipo_mov", nullptr, nullptr},
    {"Tabmov", "MOV", "data_ora_index", nullptr},
    {"Tablmov", "Mov_articoli", "mov_index", nullptr},
    {"Tabarticoli", "articoli", nullptr, "Descrizione"},
    {"Tabmisurazioni", "misurazioni", nullptr, "DATA_FINE"},
    {"c_esercizio", "esercizio", "rs_index", nullptr},
    {"Tabdoc", "doc", nullptr, "Id_tipodoc;Numero_doc"},
    {"Tablinee_doc", "linee_doc", "doc_index", nullptr},
    {"Tabdoc2", "doc", nullptr, "Id_tipodoc;Numero_doc"},
    {"tab_tipicontratti", "tipi_contratti", nullptr, nullptr},
    {"Tabcontratti", "ele_contratti", nullptr, "VAL_AL"},
    {"Tablcontratti", "LINEE_CONTRATTI", "id_elenco_index", nullptr},
    {"Tabstringa_finale", "stringa_finale", "descr_index", nullptr},
    {"Tabtrasporto", "trasporto_mezzo", "descr_index", nullptr},
    {"Tabaspetto", "aspetto_esteriore", "descr_index", nullptr},
    {"Tabcausale", "causale_trasporto", "descr_index", nullptr},
    {"Tabvarie_ann", "varie_annotazioni", "descr_index", nullptr},
    {"Tabvettore", "vettore", "descr_index", nullptr},
    {"Tabdiciture", "diciture_tipiche", "descr_index", nullptr},
};

std::vector<std::string> distinctTables() {
    std::vector<std::string> tables;
    for (const SharedObject& o : kSharedObjects)
        if (std::find(tables.begin(), tables.end(), o.table) == tables.end())
            tables.push_back(o.table);
    return tables;
}

/// The SQL order of an object's cursor: its index's fields or its field list, then the
/// identifier or insertion order, as the store orders.
std::string orderOf(const SharedObject& o) {
    const store::TableDef& def = store::catalogue::year(QString::fromLatin1(o.table));
    QStringList fields;
    if (o.index)
        fields = def.index(QString::fromLatin1(o.index))->fields;
    else if (o.fields)
        fields = QString::fromLatin1(o.fields).split(QLatin1Char(';'));
    else if (!def.key.isEmpty())
        fields << def.key;
    std::string order;
    for (const QString& f : fields)
        order += bench::sql::quoted(f.toStdString()) + ", ";
    return order + "rowid";
}

void BM_Store_OpenShared(benchmark::State& state) {
    guarded(state, [&] {
        for (auto _ : state) {
            std::vector<std::unique_ptr<store::Table>> objects;
            for (const SharedObject& o : kSharedObjects) {
                auto table =
                    std::make_unique<store::Table>(QString(), QString::fromLatin1(o.table));
                if (o.index)
                    table->setIndexName(QString::fromLatin1(o.index));
                if (o.fields)
                    table->setIndexFieldNames(QString::fromLatin1(o.fields));
                table->setDatabaseName(yearFolder);
                table->open();
                objects.push_back(std::move(table));
            }
            benchmark::DoNotOptimize(objects.data());
        }
        state.counters["objects"] = double(kSharedObjects.size());
    });
}

void BM_Raw_OpenShared(benchmark::State& state) {
    guarded(state, [&] {
        const std::vector<std::string> tables = distinctTables();
        for (auto _ : state) {
            std::vector<Db> files;
            for (const std::string& table : tables) {
                Db db = bench::sql::open(tablePath(QString::fromStdString(table)));
                const Stmt probe = bench::sql::prepare(
                    db.get(), "SELECT * FROM " + bench::sql::quoted(table) + " LIMIT 0");
                benchmark::DoNotOptimize(sqlite3_step(probe.get()));
                files.push_back(std::move(db));
            }
            benchmark::DoNotOptimize(files.data());
        }
        state.counters["files"] = double(tables.size());
    });
}

/// What opening does in the store besides opening the files: every object's ordered rowids.
void BM_Raw_OpenSharedRows(benchmark::State& state) {
    guarded(state, [&] {
        const std::vector<std::string> tables = distinctTables();
        std::size_t rows = 0;
        for (auto _ : state) {
            std::map<std::string, Db> files;
            std::vector<std::vector<sqlite3_int64>> cursors;
            rows = 0;
            for (const std::string& table : tables)
                files.emplace(table, bench::sql::open(tablePath(QString::fromStdString(table))));
            for (const SharedObject& o : kSharedObjects) {
                const Stmt s = bench::sql::prepare(
                    files.at(o.table).get(),
                    "SELECT rowid FROM " + bench::sql::quoted(o.table) + " ORDER BY " + orderOf(o));
                std::vector<sqlite3_int64>& cursor = cursors.emplace_back();
                while (sqlite3_step(s.get()) == SQLITE_ROW)
                    cursor.push_back(sqlite3_column_int64(s.get(), 0));
                rows += cursor.size();
            }
            benchmark::DoNotOptimize(cursors.data());
        }
        state.counters["rows"] = double(rows);
    });
}

BENCHMARK(BM_Store_DayFilter)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Store_DayRefilter)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Store_DayAgenda)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Raw_DayFilter)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Store_NextId)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Raw_NextId)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Store_Locate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Raw_Locate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Store_TypeSearch)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Raw_TypeSearch)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Store_OpenShared)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Raw_OpenShared)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Raw_OpenSharedRows)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------------------------------------
// Summary: each store figure beside its raw counterpart.

/// Shows the runs as the console does (without colours, so logs stay readable) and keeps each
/// benchmark's times per iteration (the median when repeated) and its counters.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    SummaryReporter()
        : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Aggregate && !median)
                continue;
            Result& r = results_[run.run_name.function_name];
            if (r.fromMedian && !median)
                continue;
            const double toNanoseconds = 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            r.fromMedian = median;
            r.cpu = run.GetAdjustedCPUTime() * toNanoseconds;
            r.wall = run.GetAdjustedRealTime() * toNanoseconds;
            r.counters.clear();
            for (const auto& [key, counter] : run.counters)
                r.counters[key] = counter.value;
        }
    }

    /// Ratios are taken on CPU time, which other work on a busy machine does not inflate; the
    /// wall-clock ratio is shown beside it.
    void printSummary() const {
        struct Pair {
            const char* label;
            const char* store;
            const char* raw;
        };
        const Pair pairs[] = {
            {"(a) day filter, new cursor", "BM_Store_DayFilter", "BM_Raw_DayFilter"},
            {"(a) day filter, refilter open", "BM_Store_DayRefilter", "BM_Raw_DayFilter"},
            {"(a) day filter, agenda off/on", "BM_Store_DayAgenda", "BM_Raw_DayFilter"},
            {"(b) next identifier on MOV", "BM_Store_NextId", "BM_Raw_NextId"},
            {"(c) partial locate, customers", "BM_Store_Locate", "BM_Raw_Locate"},
            {"(d) open 33 shared objects", "BM_Store_OpenShared", "BM_Raw_OpenShared"},
            {"(d) same, raw builds the rows", "BM_Store_OpenShared", "BM_Raw_OpenSharedRows"},
            {"(e) search typing, per key", "BM_Store_TypeSearch", "BM_Raw_TypeSearch"},
        };
        std::printf("\n%-31s %11s %11s %8s %8s  %s\n", "store vs raw SQLite (CPU time)", "store",
                    "raw", "ratio", "wall", "goal <= 1.5x");
        for (const Pair& p : pairs) {
            const Result* store = find(p.store);
            const Result* raw = find(p.raw);
            if (!store || !raw) {
                std::printf("%-31s %11s\n", p.label, "not run");
                continue;
            }
            const double ratio = store->cpu / raw->cpu;
            std::printf("%-31s %11s %11s %7.2fx %7.2fx  %s\n", p.label, time(store->cpu).c_str(),
                        time(raw->cpu).c_str(), ratio, store->wall / raw->wall,
                        ratio <= 1.5 ? "met" : "MISSED");
        }
        std::printf("\n");
        for (const char* name :
             {"BM_Store_DayFilter", "BM_Store_DayRefilter", "BM_Store_DayAgenda"})
            if (const Result* r = find(name))
                std::printf("%-31s %9.3f ms wall, %9.3f ms CPU   goal < 10 ms: %s\n", name + 3,
                            r->wall / 1e6, r->cpu / 1e6, r->wall < 10e6 ? "met" : "MISSED");
        if (const Result* r = find("BM_Store_TypeSearch")) {
            auto counter = [&](const char* key) {
                const auto it = r->counters.find(key);
                return it == r->counters.end() ? 0.0 : it->second;
            };
            std::printf("%-31s %9.3f ms wall mean, %.3f ms p99, %.3f ms slowest   "
                        "goal < 50 ms: %s\n",
                        "Store_TypeSearch per keystroke", r->wall / 1e6, counter("p99_ms"),
                        counter("max_ms"), counter("p99_ms") < 50.0 ? "met" : "MISSED");
        }
    }

private:
    struct Result {
        double cpu = 0;  ///< nanoseconds per iteration
        double wall = 0; ///< nanoseconds per iteration
        bool fromMedian = false;
        std::map<std::string, double> counters;
    };

    const Result* find(const std::string& name) const {
        const auto it = results_.find(name);
        return it == results_.end() ? nullptr : &it->second;
    }

    static std::string time(double nanoseconds) {
        char text[32];
        if (nanoseconds >= 1e6)
            std::snprintf(text, sizeof text, "%.2f ms", nanoseconds / 1e6);
        else
            std::snprintf(text, sizeof text, "%.2f us", nanoseconds / 1e3);
        return text;
    }

    std::map<std::string, Result> results_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    yearFolder = bench::defaultYearFolder();
    try {
        std::fprintf(stderr, "synthetic year: %s\n", qPrintable(yearFolder));
        if (bench::ensureYear(bench::builtTemplateFolder(), yearFolder))
            std::fprintf(stderr, "generated (cached for the next runs)\n");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cannot prepare the synthetic year: %s\n", e.what());
        return 1;
    }
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printSummary();
    benchmark::Shutdown();
    return 0;
}
