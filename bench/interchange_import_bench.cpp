// The import from the verification program: 100,000 verifications, 20,000 customers, 40
// technicians, 150 models, every Italian municipality and one obliged subject, through
// interchange::importFromVerification with every record rule attached, against raw SQLite
// writing the same rows into the same nine files in one transaction.
//
//   cmake --build build-release --target interchange_import_bench &&
//   build-release/bench/interchange_import_bench
#include "bench_support.h"
#include "generate_year.h"
#include "interchange_setting.h"
#include "sqlite_util.h"

#include "interchange/import.h"
#include "interchange/verification_tables.h"
#include "store/catalogue.h"
#include "store/dm.h"
#include "store/engine.h"
#include "store/table.h"
#include "wiring/record_rules.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>

namespace {

using bench::sql::Db;
using bench::sql::Stmt;
using namespace bench::interchange_setting;

constexpr int kVerifications = 100'000;
constexpr int kCustomers = 20'000;

/// A working year to import into (the template's, with its contract type "VERIFICA PERIODICA"),
/// with its data module and rules, and a verification program filled once for every benchmark.
struct Setting {
    QTemporaryDir root;
    QString year = root.filePath(QStringLiteral("2026"));
    QString program = root.filePath(QStringLiteral("verifiche"));
    Tdm data;
    RecordRules rules{data, [](const store::rules::Warning&) {
                      }};
    interchange::VerificationTables source;

    Setting() {
        copyTemplate(year);
        createVerificationProgram(program, QStringLiteral("2026"));
        if (!data.dmCreate(year))
            throw std::runtime_error(data.openFailure().toStdString());
        source.open(program, QStringLiteral("2026"));
        fill();
    }

    void fill() {
        bench::Random random(20'260'402);
        store::AtomicWrite scope(source.all());
        for (int i = 1; i <= kVerifications; ++i)
            addVerification(source.misurazioni, i, random, kCustomers, 2);
        fillRegisters(
            {source.esercizio, source.tecnici, source.ms, source.sogg, source.abilitazioni}, random,
            kCustomers);
        interchange::replaceRecords(data.Tabcomuni, source.comuni,
                                    {"COMUNE", "PROVINCIAI", "CODICEFISC", "CAP"});
        scope.commit();
    }
};

Setting& setting() {
    static Setting s;
    return s;
}

void BM_Store_Import(benchmark::State& state) {
    Setting& s = setting();
    for (auto _ : state) {
        try {
            interchange::importFromVerification(s.data, s.source, [](const QString&) {});
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
        }
    }
    state.SetItemsProcessed(state.iterations() * kVerifications);
}

/// Binds each column `read` answers to `writes`, in turn, taking `counts[k]` columns for the
/// k-th statement, and steps them.
void copyRow(sqlite3* to, sqlite3_stmt* read,
             std::initializer_list<std::pair<sqlite3_stmt*, int>> writes) {
    int column = 0;
    for (const auto& [write, count] : writes) {
        for (int c = 1; c <= count; ++c)
            sqlite3_bind_value(write, c, sqlite3_column_value(read, column++));
        bench::sql::stepDone(to, write);
    }
}

void copyAll(sqlite3* from, const std::string& select, sqlite3* to, const std::string& insert) {
    Stmt read = bench::sql::prepare(from, select);
    Stmt write = bench::sql::prepare(to, insert);
    const int columns = sqlite3_column_count(read.get());
    while (sqlite3_step(read.get()) == SQLITE_ROW)
        copyRow(to, read.get(), {{write.get(), columns}});
}

void BM_Raw_Import(benchmark::State& state) {
    Setting& s = setting();
    const QString vpYear = interchange::verificationYearFolder(s.program, QStringLiteral("2026"));
    const QString vpRegisters = interchange::verificationRegisterFolder(s.program);
    for (auto _ : state) {
        try {
            Db source = bench::sql::open(fileOf(vpYear, "misurazioni"), SQLITE_OPEN_READONLY);
            for (const char* t : {"esercizio", "tecnici", "ms", "Comuni", "soggetto_obbligato",
                                  "Lsoggetto_obbligato"})
                bench::sql::attach(source.get(), fileOf(vpRegisters, t), t);
            Db db = bench::sql::open(fileOf(s.year, "tecnici"));
            bench::sql::exec(db.get(), "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL");
            for (const char* t : {"ms", "Lsoggetto_obbligato", "soggetto_obbligato", "esercizio",
                                  "COMUNI", "ele_contratti", "LINEE_CONTRATTI", "articoli"}) {
                bench::sql::attach(db.get(), fileOf(s.year, t), t, true);
            }
            bench::sql::exec(db.get(), "BEGIN IMMEDIATE");
            const struct {
                const char *table, *select, *insert;
            } copies[] = {
                {"main.tecnici",
                 "SELECT Id_tecnico, Cf, Cognome, Nome, Cognome || ' ' || Nome, Sesso, "
                 "Data_nascita, Comune_nascita, Prov_nascita, Id_nu_sigillo, Responsabile, "
                 "Titolo_studio, Data_inizio, Data_fine, Id_sogg, 1 FROM tecnici.tecnici",
                 "INSERT INTO main.tecnici (Id_tecnico, Cf, Cognome, Nome, Cogn_nome, Sesso, "
                 "Data_nascita, Comune_nascita, Prov_nascita, Id_nu_sigillo, Responsabile, "
                 "Titolo_studio, Data_inizio, Data_fine, Id_sogg, Vf_sn) VALUES "
                 "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"},
                {"ms.ms", "SELECT Id_ms, Marchio_ms, Denominazione_ms, Logotipo_ms FROM ms.ms",
                 "INSERT INTO ms.ms (Id_ms, Marchio_ms, Denominazione_ms, Logotipo_ms) VALUES "
                 "(?,?,?,?)"},
                {"Lsoggetto_obbligato.Lsoggetto_obbligato",
                 "SELECT Id_Lsogg, Id_sogg, Id_al_sigillo, Tipo_abilitazione, Tipo_provv, "
                 "Data_provv FROM Lsoggetto_obbligato.Lsoggetto_obbligato",
                 "INSERT INTO Lsoggetto_obbligato.Lsoggetto_obbligato (Id_Lsogg, Id_sogg, "
                 "Id_al_sigillo, Tipo_abilitazione, Tipo_provv, Data_provv) VALUES "
                 "(?,?,?,?,?,?)"},
                {"soggetto_obbligato.soggetto_obbligato",
                 "SELECT * FROM soggetto_obbligato.soggetto_obbligato",
                 "INSERT INTO soggetto_obbligato.soggetto_obbligato VALUES "
                 "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"},
                {"esercizio.esercizio",
                 "SELECT Id_esercizio, Ragione_sociale, Piva, Comune, Provincia, Indirizzo, Cap "
                 "FROM esercizio.esercizio",
                 "INSERT INTO esercizio.esercizio (Id_esercizio, Ragione_sociale, Piva, Comune, "
                 "Provincia, Indirizzo, Cap) VALUES (?,?,?,?,?,?,?)"},
                {"COMUNI.COMUNI", "SELECT COMUNE, PROVINCIAI, CODICEFISC, CAP FROM Comuni.Comuni",
                 "INSERT INTO COMUNI.COMUNI (COMUNE, PROVINCIAI, CODICEFISC, CAP) VALUES "
                 "(?,?,?,?)"},
            };
            for (const auto& c : copies) {
                bench::sql::exec(db.get(), (std::string("DELETE FROM ") + c.table).c_str());
                copyAll(source.get(), c.select, db.get(), c.insert);
            }
            for (const char* t : {"ele_contratti", "LINEE_CONTRATTI", "articoli"})
                bench::sql::exec(db.get(), (std::string("DELETE FROM ") + t + "." + t).c_str());
            // One contract, line and article per verification, the customer's VAT number and
            // the model's name looked up as the store's import does.
            Stmt read = bench::sql::prepare(
                source.get(),
                "SELECT m.rowid, m.ID_ESERCIZIO, m.DATA_FINE, 12 || ' MESI', "
                "date(m.DATA_FINE, '+1 year'), 1, "
                "m.rowid, m.rowid, m.ID_MS, m.MATRICOLA_MS, ms.Denominazione_ms, e.Piva, "
                "m.COMUNE, m.INDIRIZZO, m.CAP, m.PROVINCIA, "
                "m.rowid, e.Id_esercizio, e.Piva, m.ID_MS, m.MATRICOLA_MS, 1, 0, 1, m.COMUNE, "
                "m.INDIRIZZO, m.CAP, m.PROVINCIA "
                "FROM misurazioni m LEFT JOIN esercizio.esercizio e ON e.Id_esercizio = "
                "m.ID_ESERCIZIO LEFT JOIN ms.ms ms ON ms.Id_ms = m.ID_MS ORDER BY m.rowid");
            Stmt contract = bench::sql::prepare(
                db.get(), "INSERT INTO ele_contratti.ele_contratti (ID, ID_CLIENTE, VAL_DAL, "
                          "DURATA, VAL_AL, ID_CONTRATTO) VALUES (?,?,?,?,?,?)");
            Stmt line = bench::sql::prepare(
                db.get(), "INSERT INTO LINEE_CONTRATTI.LINEE_CONTRATTI (ID_ELENCO, ID, Id_ms, "
                          "MATRICOLA, DESCRIZIONE, Piva, Comune, Indirizzo, Cap, PROVINCIA) "
                          "VALUES (?,?,?,?,?,?,?,?,?,?)");
            Stmt article = bench::sql::prepare(
                db.get(), "INSERT INTO articoli.articoli (Id, Id_esercizio, Piva, Id_ms, "
                          "Matricola, Assistenza_sn, Giacenza_sn, Qta, Comune, Indirizzo, Cap, "
                          "Provincia) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)");
            while (sqlite3_step(read.get()) == SQLITE_ROW)
                copyRow(db.get(), read.get(),
                        {{contract.get(), 6}, {line.get(), 10}, {article.get(), 12}});
            read.reset();
            contract.reset();
            line.reset();
            article.reset();
            bench::sql::exec(db.get(), "COMMIT");
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
        }
    }
    state.SetItemsProcessed(state.iterations() * kVerifications);
}

BENCHMARK(BM_Store_Import)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Raw_Import)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithRatios(argc, argv, [](const bench::RatioReporter& times) {
        times.printPair("BM_Store_Import", "BM_Raw_Import",
                        "Import of 100,000 verifications with the registers");
    });
}
