// The export of one quarter to the verification program: 100,000 verifications of the quarter
// (among 120,000 of the year), 20,000 customers, 40 technicians, 150 models, every Italian
// municipality and one obliged subject, through interchange::exportToVerification, against raw
// SQLite copying the same rows in the same order into the same seven files in one transaction.
// And the reading of an agency file of 200,000 lines into the staging tables, against raw
// SQLite inserting the rows the same parser gives into the same three files in one transaction.
//
//   cmake --build build --target interchange_bench && build/bench/interchange_bench
#include "bench_support.h"
#include "generate_year.h"
#include "interchange_setting.h"
#include "sqlite_util.h"

#include "interchange/agency_file.h"
#include "interchange/agency_parser.h"
#include "interchange/export.h"
#include "interchange/verification_tables.h"
#include "store/catalogue.h"
#include "store/engine.h"
#include "store/table.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

namespace {

using bench::sql::Db;
using bench::sql::Stmt;
using namespace bench::interchange_setting;

constexpr int kQuarterVerifications = 100'000;
constexpr int kOtherQuarter = 20'000;
constexpr int kCustomers = 20'000;

/// A working year and a verification program beside it, filled once for every benchmark.
struct Setting {
    QTemporaryDir root;
    QString year = root.filePath(QStringLiteral("2026"));
    QString program = root.filePath(QStringLiteral("verifiche"));

    Setting() {
        copyTemplate(year);
        createVerificationProgram(program, QStringLiteral("2026"));
        fill();
    }

    void fill() {
        store::Table verifications(year, QStringLiteral("misurazioni"));
        store::Table customers(year, QStringLiteral("esercizio"));
        store::Table technicians(year, QStringLiteral("tecnici"));
        store::Table models(year, QStringLiteral("ms"));
        store::Table subjects(year, QStringLiteral("soggetto_obbligato"));
        store::Table authorisations(year, QStringLiteral("Lsoggetto_obbligato"));
        std::vector<store::Table*> all{&verifications, &customers, &technicians,
                                       &models,        &subjects,  &authorisations};
        for (store::Table* t : all)
            t->open();
        bench::Random random(20'260'401);
        store::AtomicWrite scope(all);
        for (int i = 1; i <= kQuarterVerifications + kOtherQuarter; ++i)
            addVerification(verifications, i, random, kCustomers, i % 6 ? 2 : 1);
        fillRegisters({customers, technicians, models, subjects, authorisations}, random,
                      kCustomers);
        scope.commit();
    }
};

Setting& setting() {
    static Setting s;
    return s;
}

void BM_Store_ExportQuarter(benchmark::State& state) {
    Setting& s = setting();
    interchange::VerificationTables target;
    target.open(s.program, QStringLiteral("2026"));
    for (auto _ : state) {
        try {
            interchange::exportToVerification(s.year, target, 2);
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
        }
    }
    state.SetItemsProcessed(state.iterations() * kQuarterVerifications);
}

/// Copies the rows `select` answers on `from` into `insert` on `to`, column by column; with
/// `number`, a counter from 1 goes first.
void copyRows(sqlite3* from, const std::string& select, sqlite3* to, const std::string& insert,
              bool number = false) {
    Stmt read = bench::sql::prepare(from, select);
    Stmt write = bench::sql::prepare(to, insert);
    const int columns = sqlite3_column_count(read.get());
    int counter = 1;
    while (sqlite3_step(read.get()) == SQLITE_ROW) {
        int at = 1;
        if (number)
            sqlite3_bind_int64(write.get(), at++, counter++);
        for (int c = 0; c < columns; ++c)
            sqlite3_bind_value(write.get(), at++, sqlite3_column_value(read.get(), c));
        bench::sql::stepDone(to, write.get());
    }
}

void BM_Raw_ExportQuarter(benchmark::State& state) {
    Setting& s = setting();
    const QString vpYear = interchange::verificationYearFolder(s.program, QStringLiteral("2026"));
    const QString vpRegisters = interchange::verificationRegisterFolder(s.program);
    const char* registers[] = {
        "esercizio", "tecnici", "ms", "Comuni", "soggetto_obbligato", "Lsoggetto_obbligato"};
    for (auto _ : state) {
        try {
            Db source = bench::sql::open(fileOf(s.year, "misurazioni"), SQLITE_OPEN_READONLY);
            for (const char* t : {"esercizio", "tecnici", "ms", "COMUNI", "soggetto_obbligato",
                                  "Lsoggetto_obbligato"}) {
                bench::sql::attach(source.get(), fileOf(s.year, t), std::string("s_") + t);
            }
            Db db = bench::sql::open(fileOf(vpYear, "misurazioni"));
            bench::sql::exec(db.get(), "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL");
            for (const char* t : registers) {
                bench::sql::attach(db.get(), fileOf(vpRegisters, t), t, true);
            }
            bench::sql::exec(db.get(), "BEGIN IMMEDIATE");
            bench::sql::exec(db.get(), "DELETE FROM main.misurazioni");
            copyRows(source.get(),
                     "SELECT ID_ESERCIZIO, ID_MS, ID_TECNICO, MATRICOLA_MS, TIPO_INTERVENTO, "
                     "DATA_INI, DATA_FINE, ESITO, TRIMESTRE, COMUNE, PROVINCIA, INDIRIZZO, CAP "
                     "FROM misurazioni WHERE TRIMESTRE = '2' ORDER BY DATA_FINE, rowid",
                     db.get(),
                     "INSERT INTO main.misurazioni (ID_MISURAZIONI, ID_ESERCIZIO, ID_MS, "
                     "ID_TECNICO, MATRICOLA_MS, TIPO_INTERVENTO, DATA_INI, DATA_FINE, ESITO, "
                     "TRIMESTRE, COMUNE, PROVINCIA, INDIRIZZO, CAP) VALUES "
                     "(?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                     true);
            const struct {
                const char *table, *select, *insert;
            } copies[] = {
                {"esercizio",
                 "SELECT Id_esercizio, Ragione_sociale, Piva, Comune, Provincia, Indirizzo, Cap "
                 "FROM s_esercizio.esercizio ORDER BY Ragione_sociale, rowid",
                 "INSERT INTO esercizio.esercizio (Id_esercizio, Ragione_sociale, Piva, Comune, "
                 "Provincia, Indirizzo, Cap) VALUES (?,?,?,?,?,?,?)"},
                {"tecnici",
                 "SELECT Id_tecnico, Cf, Cognome, Nome, Cognome || ' ' || Nome, Sesso, "
                 "Data_nascita, Comune_nascita, Data_inizio, Data_fine, Prov_nascita, "
                 "Id_nu_sigillo, Titolo_studio, Responsabile, Id_sogg FROM s_tecnici.tecnici "
                 "ORDER BY Cogn_nome, rowid",
                 "INSERT INTO tecnici.tecnici (Id_tecnico, Cf, Cognome, Nome, Cogn_nome, Sesso, "
                 "Data_nascita, Comune_nascita, Data_inizio, Data_fine, Prov_nascita, "
                 "Id_nu_sigillo, Titolo_studio, Responsabile, Id_sogg) VALUES "
                 "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"},
                {"ms",
                 "SELECT Id_ms, Marchio_ms, Denominazione_ms, Logotipo_ms FROM s_ms.ms ORDER BY "
                 "Marchio_ms, Denominazione_ms, rowid",
                 "INSERT INTO ms.ms (Id_ms, Marchio_ms, Denominazione_ms, Logotipo_ms) VALUES "
                 "(?,?,?,?)"},
                {"Comuni", "SELECT COMUNE, PROVINCIAI, CODICEFISC, CAP FROM s_COMUNI.COMUNI",
                 "INSERT INTO Comuni.Comuni (COMUNE, PROVINCIAI, CODICEFISC, CAP) VALUES "
                 "(?,?,?,?)"},
                {"soggetto_obbligato",
                 "SELECT * FROM s_soggetto_obbligato.soggetto_obbligato ORDER BY Id_sogg_obbl "
                 "LIMIT 1",
                 "INSERT INTO soggetto_obbligato.soggetto_obbligato VALUES "
                 "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"},
                {"Lsoggetto_obbligato",
                 "SELECT Id_Lsogg, Id_sogg, Tipo_abilitazione, Id_al_sigillo, Tipo_provv, "
                 "Data_provv FROM s_Lsoggetto_obbligato.Lsoggetto_obbligato WHERE Id_sogg = "
                 "(SELECT min(Id_sogg_obbl) FROM s_soggetto_obbligato.soggetto_obbligato) "
                 "ORDER BY Id_sogg, rowid",
                 "INSERT INTO Lsoggetto_obbligato.Lsoggetto_obbligato (Id_Lsogg, Id_sogg, "
                 "Tipo_abilitazione, Id_al_sigillo, Tipo_provv, Data_provv) VALUES "
                 "(?,?,?,?,?,?)"},
            };
            for (const auto& c : copies) {
                bench::sql::exec(db.get(),
                                 (std::string("DELETE FROM ") + c.table + "." + c.table).c_str());
                copyRows(source.get(), c.select, db.get(), c.insert);
            }
            bench::sql::exec(db.get(), "COMMIT");
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
        }
    }
    state.SetItemsProcessed(state.iterations() * kQuarterVerifications);
}

constexpr int kAgencyLines = 200'000;

/// The staging tables and an agency file of 200,000 lines: a header every 10,000 lines, then 40
/// technicians and verifications.
struct AgencySetting {
    QTemporaryDir root;
    QString staging = root.filePath(QStringLiteral("importdb"));
    QString file = root.filePath(QStringLiteral("agenzia.txt"));

    AgencySetting() {
        QDir().mkpath(staging);
        for (const auto& def : store::catalogue::tables(store::TableSet::Staging))
            store::createTableFile(staging, def);
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            throw std::runtime_error("cannot write the agency file");
        const auto line = [](std::initializer_list<std::pair<int, QByteArray>> pieces) {
            QByteArray text;
            for (const auto& [start, piece] : pieces) {
                if (text.size() < start - 1 + piece.size())
                    text.resize(start - 1 + piece.size(), ' ');
                text.replace(start - 1, piece.size(), piece);
            }
            return text + "\r\n";
        };
        for (int i = 0; i < kAgencyLines; ++i) {
            const QByteArray n = QByteArray::number(i);
            if (i % 10'000 == 0)
                out.write(line({{1, "0MFISC26"},
                                {9, "01234567897"},
                                {56, "CASSE ROSSI SRL"},
                                {260, "2026"},
                                {264, QByteArray::number(i / 10'000 % 4 + 1)}}));
            else if (i % 10'000 <= 40)
                out.write(line({{1, "1"},
                                {2, "RSSMRA70A01H501S"},
                                {18, "TECNICO " + n},
                                {44, "MARIO"},
                                {69, "M"},
                                {70, "01011970"},
                                {78, "ROMA"},
                                {118, "RM"},
                                {150, "0001"},
                                {156, "01012020"}}));
            else
                out.write(line({{1, "2"},
                                {2, "RSSMRA70A01H501S"},
                                {18, "S1"},
                                {48, "0001"},
                                {52, "15032026"},
                                {60, "15032026"},
                                {68, "P"},
                                {69, "12345678903"},
                                {80, "DITTA NUMERO " + n},
                                {140, "ROMA"},
                                {180, "RM"},
                                {182, "VIA APPIA NUOVA 12"},
                                {217, "00118"},
                                {222, "P"},
                                {223, "ALFATEC"},
                                {263, "CASSA 200"},
                                {303, "AB"},
                                {305, "AB" + n.rightJustified(7, '0')}}));
        }
    }
};

AgencySetting& agencySetting() {
    static AgencySetting s;
    return s;
}

void BM_Store_AgencyFile(benchmark::State& state) {
    AgencySetting& s = agencySetting();
    interchange::AgencyStaging staging(s.staging);
    for (auto _ : state) {
        try {
            interchange::readAgencyFile(s.file, staging);
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
        }
    }
    state.SetItemsProcessed(state.iterations() * kAgencyLines);
}

void BM_Raw_AgencyFile(benchmark::State& state) {
    AgencySetting& s = agencySetting();
    for (auto _ : state) {
        try {
            Db db = bench::sql::open(fileOf(s.staging, "riga1"));
            bench::sql::exec(db.get(), "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL");
            for (const char* t : {"riga2", "riga3"}) {
                bench::sql::attach(db.get(), fileOf(s.staging, t), t, true);
            }
            bench::sql::exec(db.get(), "BEGIN IMMEDIATE");
            std::vector<Stmt> inserts;
            int next[3] = {1, 1, 1};
            for (int k = 0; k < 3; ++k) {
                const auto kind = interchange::AgencyKind(k);
                const std::string table = interchange::agencyStagingTable(kind).toStdString();
                const std::string schema = k == 0 ? "main" : table;
                bench::sql::exec(db.get(), ("DELETE FROM " + schema + "." + table).c_str());
                std::string columns = "Id", marks = "?";
                for (const auto& f : interchange::agencyLayout(kind)) {
                    columns += std::string(", ") + f.name;
                    marks += ", ?";
                }
                inserts.push_back(bench::sql::prepare(db.get(), "INSERT INTO " + schema + "." +
                                                                    table + " (" + columns +
                                                                    ") VALUES (" + marks + ")"));
            }
            interchange::AgencyParser parser([&](const interchange::AgencyRow& row) {
                sqlite3_stmt* insert = inserts[size_t(row.kind)].get();
                sqlite3_bind_int64(insert, 1, next[int(row.kind)]++);
                for (qsizetype i = 0; i < row.values.size(); ++i) {
                    if (row.values[i].isEmpty()) {
                        sqlite3_bind_null(insert, int(i) + 2);
                    } else {
                        const QByteArray utf8 = row.values[i].toUtf8();
                        sqlite3_bind_text(insert, int(i) + 2, utf8.constData(), int(utf8.size()),
                                          SQLITE_TRANSIENT);
                    }
                }
                bench::sql::stepDone(db.get(), insert);
            });
            QFile in(s.file);
            if (!in.open(QIODevice::ReadOnly))
                throw std::runtime_error("cannot read the agency file");
            QByteArray chunk(1 << 16, Qt::Uninitialized);
            qint64 got;
            while ((got = in.read(chunk.data(), chunk.size())) > 0)
                parser.feed(chunk.constData(), got);
            parser.finish();
            inserts.clear();
            bench::sql::exec(db.get(), "COMMIT");
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
        }
    }
    state.SetItemsProcessed(state.iterations() * kAgencyLines);
}

BENCHMARK(BM_Store_AgencyFile)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Raw_AgencyFile)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Store_ExportQuarter)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Raw_ExportQuarter)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithRatios(argc, argv, [](const bench::RatioReporter& times) {
        times.printPair("BM_Store_ExportQuarter", "BM_Raw_ExportQuarter",
                        "Export of a quarter of 100,000 verifications with the registers");
        times.printPair("BM_Store_AgencyFile", "BM_Raw_AgencyFile",
                        "Agency file of 200,000 lines into the staging tables");
    });
}
