// Lines stored on one document, each followed by the totals and the four rate slots worked out
// again over all of its lines and stored on the document, as the document rules do for every
// writer: through the data module with every record rule attached, against raw SQLite doing the
// same inserts, the same reading of the lines, the same sums and the same update, one
// transaction per line. Each iteration starts from a fresh working year with one document.
//
//   cmake --build build --target documents_bench && build/bench/documents_bench
#include "bench_support.h"
#include "generate_year.h"
#include "sqlite_util.h"

#include "documents/document_rules.h"
#include "store/dm.h"
#include "wiring/record_rules.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

using bench::sql::Db;
using bench::sql::Stmt;

constexpr int kLines = 100;
constexpr int kRates[] = {22, 10, 4, 0, 5};

std::unique_ptr<QTemporaryDir> freshYear() {
    auto dir = std::make_unique<QTemporaryDir>();
    const QDir source(bench::builtTemplateFolder());
    for (const QString& file : source.entryList(QDir::Files)) {
        QFile::copy(source.filePath(file), dir->filePath(file));
        QFile::setPermissions(dir->filePath(file), QFile::ReadOwner | QFile::WriteOwner);
    }
    return dir;
}

double priceOf(int line) {
    return 1.25 + line % 17;
}

void BM_Store_LinesWithTotals(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        const auto dir = freshYear();
        auto data = std::make_unique<Tdm>();
        auto rules = std::make_unique<RecordRules>(*data, store::rules::WarningSink());
        data->dmCreate(dir->path());
        data->Tabdoc.append();
        data->Tabdoc.post();
        state.ResumeTiming();
        try {
            store::Table& lines = data->Tablinee_doc;
            for (int i = 0; i < kLines; ++i) {
                lines.append();
                lines.field(QStringLiteral("Xtotale")).setAsBoolean(true);
                lines.field(QStringLiteral("Linea")).setAsString(QStringLiteral("RIGA %1").arg(i));
                lines.field(QStringLiteral("Quantita")).setAsFloat(1 + i % 3);
                lines.field(QStringLiteral("PrezzoE")).setAsFloat(priceOf(i));
                lines.field(QStringLiteral("ScontoP")).setAsFloat(i % 2 ? 10 : 0);
                lines.field(QStringLiteral("Iva_riga")).setAsInteger(kRates[i % 5]);
                lines.post();
            }
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
        }
        state.PauseTiming();
        rules.reset();
        data.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}

void BM_Raw_LinesWithTotals(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        const auto dir = freshYear();
        auto path = [&](const char* table) {
            return QFile::encodeName(dir->filePath(QString::fromLatin1(table) + ".DB"))
                .toStdString();
        };
        state.ResumeTiming();
        try {
            Db db = bench::sql::open(path("linee_doc"));
            bench::sql::exec(db.get(), "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL");
            bench::sql::attach(db.get(), path("doc"), "d", true);
            bench::sql::exec(db.get(), "INSERT INTO d.doc (Id, PagataSNP) VALUES (1, 'N')");
            Stmt insert = bench::sql::prepare(
                db.get(),
                "INSERT INTO linee_doc (Id, Id_doc, Linea, Quantita, PrezzoE, ScontoP, "
                "Iva_riga, Xtotale, Totale_rigaE, ImportoE) VALUES (?,1,?,?,?,?,?,1,?,?)");
            Stmt read = bench::sql::prepare(
                db.get(), "SELECT Xtotale, Iva_riga, PrezzoE, Quantita, ScontoP FROM linee_doc "
                          "WHERE Id_doc = 1 ORDER BY Id_doc, rowid");
            std::string set = "UPDATE d.doc SET Totale_docE=?, Importo_docE=?, Iva_docE=?";
            for (int n = 1; n <= 4; ++n)
                set += ", Iva" + std::to_string(n) + "=?, Iva" + std::to_string(n) + "_=?, Imp" +
                       std::to_string(n) + "=?";
            Stmt update = bench::sql::prepare(db.get(), set + " WHERE Id=1");
            for (int i = 0; i < kLines; ++i) {
                bench::sql::exec(db.get(), "BEGIN IMMEDIATE");
                const double quantity = 1 + i % 3, discount = i % 2 ? 10 : 0;
                const double amount = documents::lineAmount(priceOf(i), quantity, discount);
                sqlite3_bind_int64(insert.get(), 1, i + 1);
                bench::sql::bindText(insert.get(), 2, "RIGA " + std::to_string(i));
                sqlite3_bind_double(insert.get(), 3, quantity);
                sqlite3_bind_double(insert.get(), 4, priceOf(i));
                sqlite3_bind_double(insert.get(), 5, discount);
                sqlite3_bind_int(insert.get(), 6, kRates[i % 5]);
                sqlite3_bind_double(insert.get(), 7, amount);
                sqlite3_bind_double(insert.get(), 8, amount / quantity);
                bench::sql::stepDone(db.get(), insert.get());
                std::vector<documents::LineFigures> figures;
                while (sqlite3_step(read.get()) == SQLITE_ROW) {
                    documents::LineFigures f;
                    f.counted = sqlite3_column_int(read.get(), 0) != 0;
                    if (sqlite3_column_type(read.get(), 1) != SQLITE_NULL)
                        f.rate = sqlite3_column_int(read.get(), 1);
                    f.price = sqlite3_column_double(read.get(), 2);
                    f.quantity = sqlite3_column_double(read.get(), 3);
                    f.discount = sqlite3_column_double(read.get(), 4);
                    figures.push_back(f);
                }
                sqlite3_reset(read.get());
                const documents::Totals t = documents::computeTotals(figures);
                int k = 1;
                sqlite3_bind_double(update.get(), k++, t.taxable + t.vat);
                sqlite3_bind_double(update.get(), k++, t.taxable);
                sqlite3_bind_double(update.get(), k++, t.vat);
                for (const documents::RateSlot& s : t.rateSlots) {
                    sqlite3_bind_double(update.get(), k++, s.vat);
                    sqlite3_bind_double(update.get(), k++, s.rate);
                    sqlite3_bind_double(update.get(), k++, s.taxable);
                }
                bench::sql::stepDone(db.get(), update.get());
                bench::sql::exec(db.get(), "COMMIT");
            }
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
        }
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}

BENCHMARK(BM_Store_LinesWithTotals)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Raw_LinesWithTotals)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithRatios(argc, argv, [](const bench::RatioReporter& times) {
        const std::string what =
            std::to_string(kLines) + " lines on one document, totals stored after each";
        times.printPair("BM_Store_LinesWithTotals", "BM_Raw_LinesWithTotals", what.c_str());
    });
}
