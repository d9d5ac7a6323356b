#pragma once

// A small working year for the fuzz targets: the tables the program filters and queries, made
// from the catalogue in a temporary folder, with records holding every kind of value, blanks,
// and a record of values another program could have written.
#include "store/catalogue.h"
#include "store/engine.h"
#include "store/table.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdlib>
#include <map>
#include <memory>
#include <sqlite3.h>

namespace fuzzyear {

inline const QStringList& tableNames() {
    static const QStringList names = {
        "MOV", "articoli",        "esercizio",           "ele_contratti", "misurazioni",
        "doc", "LINEE_CONTRATTI", "Lsoggetto_obbligato", "COMUNI"};
    return names;
}

/// The folder, made once per process and kept for its whole run.
inline const QString& folder() {
    static QTemporaryDir* dir = new QTemporaryDir; // removed by the script, not at exit
    static const QString path = [] {
        dir->setAutoRemove(false);
        if (!dir->isValid())
            std::abort();
        for (const QString& name : tableNames()) {
            const store::TableDef& def = store::catalogue::year(name);
            store::createTableFile(dir->path(), def);
            store::Table t(dir->path(), name);
            t.open();
            // Three records: one with a value in every field, one blank, one half filled.
            for (int record = 0; record < 3; ++record) {
                t.append();
                for (int f = 0; f < int(def.fields.size()); ++f) {
                    if ((record == 1 || (record == 2 && f % 2)) && !def.fields[size_t(f)].required)
                        continue;
                    const store::Field field = t.field(f);
                    switch (field.type()) {
                    case store::FieldType::Integer:
                        field.setAsInteger(record * 7 + f);
                        break;
                    case store::FieldType::Number:
                        field.setAsFloat(12.5 * (record + 1));
                        break;
                    case store::FieldType::Text:
                        field.setAsString(QStringLiteral("L'ANGOLO %1").arg(record));
                        break;
                    case store::FieldType::Date:
                        field.setAsString(QStringLiteral("08/12/2026"));
                        break;
                    case store::FieldType::Time:
                        field.setAsString(QStringLiteral("10:30"));
                        break;
                    case store::FieldType::Boolean:
                        field.setAsBoolean(record == 0);
                        break;
                    case store::FieldType::Blob:
                    case store::FieldType::Graphic:
                        field.setValue(QByteArray("<p>x</p>"));
                        break;
                    }
                }
                t.post();
            }
            // A fourth record as another program might write it: text in every field.
            QStringList columns, values;
            for (const store::FieldDef& f : def.fields) {
                columns << QLatin1Char('"') + f.name + QLatin1Char('"');
                values << QStringLiteral("'zz'");
            }
            sqlite3* db = nullptr;
            const QString sql =
                QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                    .arg(name, columns.join(QLatin1Char(',')), values.join(QLatin1Char(',')));
            if (sqlite3_open(QFile::encodeName(t.file()->path()).constData(), &db) != SQLITE_OK ||
                sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
                std::abort();
            sqlite3_close(db);
        }
        return dir->path();
    }();
    return path;
}

/// One open table object per table, kept for the whole run.
inline store::Table& table(const QString& name) {
    static auto* tables = new std::map<QString, std::unique_ptr<store::Table>>;
    auto& t = (*tables)[name];
    if (!t) {
        t = std::make_unique<store::Table>(folder(), name);
        t->open();
    }
    return *t;
}

} // namespace fuzzyear
