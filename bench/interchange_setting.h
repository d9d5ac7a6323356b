#pragma once

#include "generate_year.h"

#include "interchange/verification_tables.h"
#include "store/catalogue.h"
#include "store/engine.h"
#include "store/table.h"

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

inline std::string fileOf(const QString& folder, const char* table) {
    return QFile::encodeName(QDir(folder).filePath(QString::fromLatin1(table) + ".DB"))
        .toStdString();
}

} // namespace bench::interchange_setting
