#pragma once

// Small helpers shared by the table-store tests: fill a table object, read what it shows, look
// at a table file through a connection of its own, and hold it locked as another program would.
#include "store/engine.h"
#include "store/table.h"

#include <QDir>
#include <QStringList>
#include <QVariant>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <initializer_list>
#include <utility>
#include <vector>

namespace storetest {

using Values = std::initializer_list<std::pair<const char*, QVariant>>;

/// Appends one record with these values (dates as Italian text) and posts it.
inline void add(store::Table& table, Values values) {
    table.append();
    for (const auto& [name, value] : values)
        table.field(QString::fromLatin1(name)).setValue(value);
    table.post();
}

/// The texts of one field over every record the object shows, in its order.
inline QStringList column(store::Table& table, const QString& field) {
    QStringList out;
    for (table.first(); !table.eof(); table.next())
        out << table.field(field).asString();
    return out;
}

/// The integer values of one field over every record the object shows, in its order.
inline std::vector<int> ids(store::Table& table, const QString& field) {
    std::vector<int> out;
    for (table.first(); !table.eof(); table.next())
        out.push_back(table.field(field).asInteger());
    return out;
}

/// Runs one statement on a table file through a separate SQLite connection and answers the
/// first column of every row ("NULL" for a null); statements without rows answer nothing.
inline QStringList raw(const QString& file, const QString& sql) {
    QStringList out;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        ADD_FAILURE() << "cannot open " << file.toStdString();
        sqlite3_close(db);
        return out;
    }
    sqlite3_busy_timeout(db, 5000);
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &s, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << sqlite3_errmsg(db);
    } else {
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW)
            out << (sqlite3_column_type(s, 0) == SQLITE_NULL
                        ? QStringLiteral("NULL")
                        : QString::fromUtf8(
                              reinterpret_cast<const char*>(sqlite3_column_text(s, 0))));
        if (rc != SQLITE_DONE)
            ADD_FAILURE() << sqlite3_errmsg(db);
    }
    sqlite3_finalize(s);
    sqlite3_close(db);
    return out;
}

/// The table file `<folder>/<name>.DB`.
inline QString tableFile(const QString& folder, const QString& name) {
    return QDir(folder).filePath(name + QStringLiteral(".DB"));
}

/// Holds an exclusive lock on a table file through a connection of its own, as another program
/// running `BEGIN EXCLUSIVE` in the sqlite3 shell does, until destroyed.
class FileLock {
public:
    explicit FileLock(const QString& file) {
        if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db_, SQLITE_OPEN_READWRITE,
                            nullptr) != SQLITE_OK ||
            sqlite3_exec(db_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK)
            ADD_FAILURE() << "cannot lock " << file.toStdString() << ": " << sqlite3_errmsg(db_);
    }
    ~FileLock() {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    sqlite3* db_ = nullptr;
};

/// A short wait for locked files while it lives, so that a lock test takes milliseconds.
class ShortLockWait {
public:
    ShortLockWait() { store::setLockTimeout(20); }
    ~ShortLockWait() { store::setLockTimeout(5000); }
};

} // namespace storetest
