#pragma once

#include <memory>
#include <sqlite3.h>
#include <string>
#include <string_view>

/// Raw SQLite handles for the benchmark data and the raw-SQLite side of every benchmark pair.
namespace bench::sql {

struct DbCloser {
    void operator()(sqlite3* db) const noexcept { sqlite3_close_v2(db); }
};
struct StmtFinalizer {
    void operator()(sqlite3_stmt* s) const noexcept { sqlite3_finalize(s); }
};
using Db = std::unique_ptr<sqlite3, DbCloser>;
using Stmt = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

/// Opens a database file; throws std::runtime_error naming the file when it cannot.
Db open(const std::string& path, int flags = SQLITE_OPEN_READWRITE);
/// Prepares one statement; throws std::runtime_error with SQLite's message.
Stmt prepare(sqlite3* db, std::string_view text);
/// Runs statements without results; throws std::runtime_error with SQLite's message.
void exec(sqlite3* db, const char* text);
/// Steps a statement that returns no row, then resets it for the next bind.
void stepDone(sqlite3* db, sqlite3_stmt* s);
/// Attaches the database file `path` as `schema`; with `durable`, written with synchronous=FULL
/// like the main one of the benchmarks.
void attach(sqlite3* db, const std::string& path, const std::string& schema, bool durable = false);

inline void bindText(sqlite3_stmt* s, int index, std::string_view text) {
    sqlite3_bind_text(s, index, text.data(), int(text.size()), SQLITE_TRANSIENT);
}

/// Double-quoted SQL identifier.
std::string quoted(std::string_view identifier);

} // namespace bench::sql
