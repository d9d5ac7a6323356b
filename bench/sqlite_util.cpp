#include "sqlite_util.h"

#include <stdexcept>

namespace bench::sql {

Db open(const std::string& path, int flags) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
    Db db(raw);
    if (rc != SQLITE_OK)
        throw std::runtime_error("cannot open " + path + ": " + sqlite3_errstr(rc));
    return db;
}

Stmt prepare(sqlite3* db, std::string_view text) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, text.data(), int(text.size()), &raw, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string(sqlite3_errmsg(db)) + " in: " + std::string(text));
    return Stmt(raw);
}

void exec(sqlite3* db, const char* text) {
    char* message = nullptr;
    if (sqlite3_exec(db, text, nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string error = message ? message : sqlite3_errmsg(db);
        sqlite3_free(message);
        throw std::runtime_error(error + " in: " + text);
    }
}

void stepDone(sqlite3* db, sqlite3_stmt* s) {
    const int rc = sqlite3_step(s);
    if (rc != SQLITE_DONE) {
        const std::string error = sqlite3_errmsg(db);
        sqlite3_reset(s);
        throw std::runtime_error(error);
    }
    sqlite3_reset(s);
}

void attach(sqlite3* db, const std::string& path, const std::string& schema, bool durable) {
    Stmt statement = prepare(db, "ATTACH DATABASE ? AS ?");
    bindText(statement.get(), 1, path);
    bindText(statement.get(), 2, schema);
    stepDone(db, statement.get());
    if (durable)
        exec(db, ("PRAGMA " + quoted(schema) + ".synchronous=FULL").c_str());
}

std::string quoted(std::string_view identifier) {
    std::string out = "\"";
    for (char c : identifier) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

} // namespace bench::sql
