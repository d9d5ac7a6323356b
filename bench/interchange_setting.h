#pragma once

#include "generate_year.h"

#include "interchange/verification_tables.h"
#include "store/catalogue.h"
#include "store/engine.h"
#include "store/table.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QString>
#include <QVariant>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>

/// What the interchange benchmarks set up alike: a working year from the built template, the
/// verification program's empty folders, records appended by field name, file paths for SQLite.
namespace bench::interchange_setting {

inline void copyTemplate(const QString& year) {
    const std::filesystem::path to(year.toStdString());
    std::filesystem::create_directories(to);
    for (const auto& entry :
         std::filesystem::directory_iterator(bench::builtTemplateFolder().toStdString()))
        std::filesystem::copy_file(entry.path(), to / entry.path().filename());
}

inline void createVerificationProgram(const QString& program, const QString& year) {
    const QString vpYear = interchange::verificationYearFolder(program, year);
    const QString vpRegisters = interchange::verificationRegisterFolder(program);
    QDir().mkpath(vpYear);
    QDir().mkpath(vpRegisters);
    for (const auto& def : store::catalogue::tables(store::TableSet::VerificationYear))
        store::createTableFile(vpYear, def);
    for (const auto& def : store::catalogue::tables(store::TableSet::VerificationRegister))
        store::createTableFile(vpRegisters, def);
}

inline void add(store::Table& t, std::initializer_list<std::pair<const char*, QVariant>> values) {
    t.append();
    for (const auto& [name, value] : values)
        t.field(QString::fromLatin1(name)).setValue(value);
    t.post();
}

/// A verification of `quarter` 2026 by one of 40 technicians on one of 150 models at one of
/// `customers` customers.
inline void addVerification(store::Table& t, int id, bench::Random& random, int customers,
                            int quarter) {
    const QDate start(2026, 3 * quarter - 2, 1);
    add(t, {{"ID_MISURAZIONI", id},
            {"ID_ESERCIZIO", random.between(1, customers)},
            {"ID_MS", random.between(1, 150)},
            {"ID_TECNICO", random.between(1, 40)},
            {"MATRICOLA_MS", QStringLiteral("AB%1").arg(id, 7, 10, QLatin1Char('0'))},
            {"TIPO_INTERVENTO", "P"},
            {"ESITO", "P"},
            {"TRIMESTRE", QString::number(quarter)},
            {"DATA_INI", start.addDays(random.below(90))},
            {"DATA_FINE", start.addDays(random.below(90))},
            {"COMUNE", "ROMA"},
            {"PROVINCIA", "RM"},
            {"INDIRIZZO", "VIA APPIA NUOVA 12"},
            {"CAP", "00118"}});
}

/// The registers the verifications refer to, of this system or of the verification program.
struct Registers {
    store::Table &customers, &technicians, &models, &subjects, &authorisations;
};

/// `customers` customers, 40 technicians, 150 models, one obliged subject with three
/// authorisations.
inline void fillRegisters(const Registers& r, bench::Random& random, int customers) {
    for (int i = 1; i <= customers; ++i)
        add(r.customers,
            {{"Id_esercizio", i},
             {"Ragione_sociale", QStringLiteral("DITTA NUMERO %1").arg(random.below(1'000'000))},
             {"Piva", "12345678903"},
             {"Comune", "ROMA"},
             {"Provincia", "RM"},
             {"Indirizzo", "VIA APPIA NUOVA 12"},
             {"Cap", "00118"}});
    for (int i = 1; i <= 40; ++i)
        add(r.technicians, {{"Id_tecnico", i},
                            {"Cf", "RSSMRA70A01H501S"},
                            {"Cognome", QStringLiteral("TECNICO%1").arg(i)},
                            {"Nome", "MARIO"},
                            {"Sesso", "M"},
                            {"Data_nascita", QDate(1970, 1, 1)},
                            {"Comune_nascita", "ROMA"},
                            {"Prov_nascita", "RM"}});
    for (int i = 1; i <= 150; ++i)
        add(r.models, {{"Id_ms", i},
                       {"Marchio_ms", QStringLiteral("MARCA %1").arg(i % 12)},
                       {"Denominazione_ms", QStringLiteral("MODELLO %1").arg(i)}});
    add(r.subjects, {{"Id_sogg_obbl", 1}, {"Man", "CASSE ROSSI"}, {"Piva", "12345678903"}});
    for (int i = 1; i <= 3; ++i)
        add(r.authorisations, {{"Id_Lsogg", i}, {"Id_sogg", 1}, {"Id_al_sigillo", "S1"}});
}

inline std::string fileOf(const QString& folder, const char* table) {
    return QFile::encodeName(QDir(folder).filePath(QString::fromLatin1(table) + ".DB"))
        .toStdString();
}

} // namespace bench::interchange_setting
