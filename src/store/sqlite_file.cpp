// SQLite realisation of the table file: one database file per table, holding that table.
#include "store/engine.h"
#include "store/error.h"
#include "store/sqlite_error.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <atomic>
#include <initializer_list>
#include <map>
#include <sqlite3.h>
#include <unordered_map>

namespace store {

namespace {

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct StmtFinalizer {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using DbHandle = std::unique_ptr<sqlite3, DbCloser>;
using StmtHandle = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

QString quoted(const QString& identifier) {
    return QLatin1Char('"') + QString(identifier).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

QString sqlType(FieldType type) {
    switch (type) {
    case FieldType::Integer:
    case FieldType::Boolean:
        return QStringLiteral("INTEGER");
    case FieldType::Number:
        return QStringLiteral("REAL");
    case FieldType::Text:
    case FieldType::Date:
    case FieldType::Time:
        return QStringLiteral("TEXT");
    case FieldType::Blob:
    case FieldType::Graphic:
        return QStringLiteral("BLOB");
    }
    return {};
}

QString createIndexSql(const TableDef& def, const IndexDef& index) {
    QStringList fields;
    for (const QString& f : index.fields)
        fields << quoted(f);
    return QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
        .arg(quoted(def.sqlIndexName(index)), quoted(def.name), fields.join(QStringLiteral(", ")));
}

QString tableError(const QString& table, sqlite3* db) {
    return sqliteErrorMessage(sqlite3_extended_errcode(db), table,
                              QString::fromUtf8(sqlite3_errmsg(db)));
}

std::atomic<int> lockTimeout{5000};

// Pages kept per file (negative: KiB), a ceiling rather than an allocation: a walk in index
// order over a large table (a quarter's verifications, the movements) reads each page once.
constexpr int kCacheSize = -32768;

// What a stored value must look like to be read as a value of its field; anything else (a
// table written by another program or an older copy) reads as blank. The reading in column()
// below applies the same rules, so that filters and reads agree. Each predicate is 0 or 1,
// never NULL, also on a NULL column.
QString validSql(FieldType type, const QString& col) {
    switch (type) {
    case FieldType::Integer:
        return QStringLiteral("(typeof(%1) = 'integer' AND %1 BETWEEN -2147483648 AND 2147483647)")
            .arg(col);
    case FieldType::Boolean:
        return QStringLiteral("(typeof(%1) = 'integer' AND %1 IN (0, 1))").arg(col);
    case FieldType::Number:
        return QStringLiteral("(typeof(%1) IN ('integer', 'real'))").arg(col);
    case FieldType::Text:
        return QStringLiteral("(typeof(%1) = 'text' AND %1 <> '')").arg(col);
    case FieldType::Date:
        // date() with a modifier normalises: '2026-02-31' becomes '2026-03-03' and differs.
        return QStringLiteral(
                   "(typeof(%1) = 'text' AND %1 IS date(%1, '+0 days') AND %1 >= '0001')")
            .arg(col);
    case FieldType::Time:
        return QStringLiteral("(typeof(%1) = 'text' AND %1 IS time(%1, '+0 seconds'))").arg(col);
    case FieldType::Blob:
    case FieldType::Graphic:
        return QStringLiteral("(typeof(%1) IN ('blob', 'text') AND length(%1) > 0)").arg(col);
    }
    return QStringLiteral("0");
}

bool digitsAt(const QString& text, std::initializer_list<int> positions) {
    for (int i : positions)
        if (!text[i].isDigit() || text[i].unicode() > '9')
            return false;
    return true;
}

int number(const QString& text, int from, int length) {
    return text.mid(from, length).toInt();
}

/// "yyyy-mm-dd" of a real calendar day from year 1 on; invalid otherwise.
QDate storedDate(const QString& text) {
    if (text.size() != 10 || text[4] != QLatin1Char('-') || text[7] != QLatin1Char('-') ||
        !digitsAt(text, {0, 1, 2, 3, 5, 6, 8, 9}))
        return {};
    const int year = number(text, 0, 4);
    return year >= 1 ? QDate(year, number(text, 5, 2), number(text, 8, 2)) : QDate();
}

/// "hh:mm:ss" of a time of day; invalid otherwise.
QTime storedTime(const QString& text) {
    if (text.size() != 8 || text[2] != QLatin1Char(':') || text[5] != QLatin1Char(':') ||
        !digitsAt(text, {0, 1, 3, 4, 6, 7}))
        return {};
    return QTime(number(text, 0, 2), number(text, 3, 2), number(text, 6, 2));
}

class SqliteTableFile;

// One table file per path in this process, so that every table object on it shares one
// connection and sees the others' writes through the shared change counter. Never destroyed:
// a table object with static storage may close its file after every other static has gone.
std::map<QString, std::weak_ptr<SqliteTableFile>>& openFiles() {
    static auto* files = new std::map<QString, std::weak_ptr<SqliteTableFile>>;
    return *files;
}

class SqliteTableFile final : public TableFile {
public:
    SqliteTableFile(const QString& path, const TableDef& def)
        : path_(path)
        , def_(def) {
        sqlite3* raw = nullptr;
        const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        db_.reset(raw);
        if (rc != SQLITE_OK)
            throw Error(sqliteErrorMessage(rc, def.name, QString::fromUtf8(sqlite3_errstr(rc))));
        sqlite3_busy_timeout(db_.get(), lockTimeout);
        sqlite3_extended_result_codes(db_.get(), 1);
        exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        exec(QStringLiteral("PRAGMA synchronous=FULL"));
        exec(QStringLiteral("PRAGMA cache_size=%1").arg(kCacheSize));
        checkColumns();
        columns_.clear();
        for (const FieldDef& f : def_.fields)
            columns_ += (columns_.isEmpty() ? QString() : QStringLiteral(", ")) + quoted(f.name);
        nameTable(quoted(def_.name));
        dataVersion_ = readDataVersion();
    }

    ~SqliteTableFile() override {
        hotInsert_.reset();
        hotRead_.reset();
        routedStatements_.clear();
        statements_.clear();
        openFiles().erase(path_);
    }

    const TableDef& def() const override { return def_; }
    const QString& path() const override { return path_; }

    quint64 version() override {
        if (routeDb_)
            return changes_; // nobody else can write while an atomic write holds the file
        const qint64 dv = readDataVersion();
        if (dv != dataVersion_) {
            dataVersion_ = dv;
            ++changes_;
        }
        return changes_;
    }

    std::vector<qint64> select(const Condition& where, const std::vector<int>& order) override {
        Sql sql = render(where);
        sqlite3_stmt* s = prepare(QStringLiteral("SELECT rowid FROM %1 WHERE %2 ORDER BY %3")
                                      .arg(table_, sql.text, orderBy(order)));
        bindAll(s, sql.params);
        std::vector<qint64> rows;
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW)
            rows.push_back(sqlite3_column_int64(s, 0));
        finish(s, rc);
        return rows;
    }

    void scan(const Condition& where, const std::vector<int>& order,
              const std::function<void(qint64, std::vector<QVariant>&)>& visit) override {
        Sql sql = render(where);
        // A statement of its own, outside the cache: `visit` may run other statements.
        const StmtHandle s(compile(QStringLiteral("SELECT rowid, %1 FROM %2 WHERE %3 ORDER BY %4")
                                       .arg(columns_, table_, sql.text, orderBy(order))));
        bindAll(s.get(), sql.params);
        std::vector<QVariant> values(def_.fields.size());
        int rc;
        while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) {
            for (size_t i = 0; i < def_.fields.size(); ++i)
                values[i] = column(s.get(), int(i) + 1, def_.fields[i].type);
            visit(sqlite3_column_int64(s.get(), 0), values);
        }
        finish(s.get(), rc);
    }

    std::optional<qint64> selectFirst(const Condition& where,
                                      const std::vector<int>& order) override {
        Sql sql = render(where);
        sqlite3_stmt* s =
            prepare(QStringLiteral("SELECT rowid FROM %1 WHERE %2 ORDER BY %3 LIMIT 1")
                        .arg(table_, sql.text, orderBy(order)));
        bindAll(s, sql.params);
        std::optional<qint64> row;
        const int rc = sqlite3_step(s);
        if (rc == SQLITE_ROW)
            row = sqlite3_column_int64(s, 0);
        finish(s, rc);
        return row;
    }

    std::optional<qint64> selectLast(const Condition& where,
                                     const std::vector<int>& order) override {
        Sql sql = render(where);
        sqlite3_stmt* s =
            prepare(QStringLiteral("SELECT rowid FROM %1 WHERE %2 ORDER BY %3 LIMIT 1")
                        .arg(table_, sql.text, orderBy(order, true)));
        bindAll(s, sql.params);
        std::optional<qint64> row;
        const int rc = sqlite3_step(s);
        if (rc == SQLITE_ROW)
            row = sqlite3_column_int64(s, 0);
        finish(s, rc);
        return row;
    }

    qint64 count(const Condition& where) override {
        Sql sql = render(where);
        sqlite3_stmt* s = prepare(countSql(sql.text));
        bindAll(s, sql.params);
        qint64 n = 0;
        const int rc = sqlite3_step(s);
        if (rc == SQLITE_ROW)
            n = sqlite3_column_int64(s, 0);
        finish(s, rc);
        return n;
    }

    bool read(qint64 rowid, std::vector<QVariant>& values) override {
        sqlite3_stmt* s = prepareHot(hotRead_, readSql_);
        sqlite3_bind_int64(s, 1, rowid);
        const int rc = sqlite3_step(s);
        const bool found = rc == SQLITE_ROW;
        if (found) {
            values.resize(def_.fields.size());
            for (size_t i = 0; i < def_.fields.size(); ++i)
                values[i] = column(s, int(i), def_.fields[i].type);
        }
        finish(s, rc);
        return found;
    }

    bool accepts(const Condition& where) override {
        const QString sql = countSql(render(where).text);
        if (cache().count(sql))
            return true;
        sqlite3_stmt* raw = nullptr;
        const QByteArray utf8 = sql.toUtf8();
        const int rc = sqlite3_prepare_v3(db(), utf8.constData(), int(utf8.size()),
                                          SQLITE_PREPARE_PERSISTENT, &raw, nullptr);
        if (rc == SQLITE_OK) {
            keep(sql, raw);
            return true;
        }
        // A plain SQL error on a statement built from a parsed selection means the engine's
        // limits (expression depth, parser stack, number of values); anything else is the file.
        if (rc == SQLITE_ERROR)
            return false;
        throw Error(tableError(def_.name, db()));
    }

    qint64 insert(const std::vector<QVariant>& values) override {
        sqlite3_stmt* s = prepareHot(hotInsert_, insertSql_);
        bindRecord(s, values);
        finish(s, sqlite3_step(s), &values);
        ++changes_;
        return sqlite3_last_insert_rowid(db());
    }

    void update(qint64 rowid, const std::vector<QVariant>& values,
                const std::vector<bool>& changed) override {
        QString sets;
        std::vector<QVariant> written;
        for (size_t i = 0; i < def_.fields.size(); ++i) {
            if (!changed.empty() && !(i < changed.size() && changed[i]))
                continue;
            sets += (sets.isEmpty() ? QString() : QStringLiteral(", ")) +
                    quoted(def_.fields[i].name) + QStringLiteral(" = ?");
            written.push_back(i < values.size() ? values[i] : QVariant());
        }
        bool present = false;
        if (sets.isEmpty()) {
            std::vector<QVariant> unused;
            present = read(rowid, unused);
        } else {
            sqlite3_stmt* s =
                prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(table_, sets));
            bindAll(s, written);
            sqlite3_bind_int64(s, int(written.size()) + 1, rowid);
            finish(s, sqlite3_step(s), &values);
            present = sqlite3_changes(db()) > 0;
            ++changes_;
        }
        // Gone since it was read (deleted by another object or program): say so rather than
        // lose the edit without a word.
        if (!present)
            throw Error(QStringLiteral("Il record modificato non è più nella tabella %1: è stato "
                                       "eliminato nel frattempo.")
                            .arg(def_.name));
    }

    void remove(qint64 rowid) override {
        sqlite3_stmt* s = prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(table_));
        sqlite3_bind_int64(s, 1, rowid);
        finish(s, sqlite3_step(s));
        ++changes_;
    }

    void removeAll() override {
        sqlite3_stmt* s = prepare(QStringLiteral("DELETE FROM %1").arg(table_));
        finish(s, sqlite3_step(s));
        ++changes_;
    }

    // Inside an atomic write a transaction of this file is a savepoint of that write's.
    void beginTransaction() override {
        if (depth_++ == 0)
            exec(routeDb_ ? QStringLiteral("SAVEPOINT ") + savepoint_
                          : QStringLiteral("BEGIN IMMEDIATE"));
    }
    void commit() override {
        if (depth_ > 0 && --depth_ == 0)
            exec(routeDb_ ? QStringLiteral("RELEASE ") + savepoint_ : QStringLiteral("COMMIT"));
    }
    void rollback() override {
        if (depth_ > 0) {
            depth_ = 0;
            ++changes_;
            if (!routeDb_) {
                exec(QStringLiteral("ROLLBACK"));
                return;
            }
            exec(QStringLiteral("ROLLBACK TO ") + savepoint_);
            exec(QStringLiteral("RELEASE ") + savepoint_);
        }
    }
    void flush() override {
        // Journal mode DELETE with synchronous FULL: a committed write is already on disk.
    }
    void beginRead() override {
        if (readDepth_++ == 0 && depth_ == 0 && sqlite3_get_autocommit(db())) {
            sqlite3_stmt* s = prepare(QStringLiteral("BEGIN"));
            finish(s, sqlite3_step(s));
            readOpen_ = true;
        }
    }
    void endRead() override {
        if (readDepth_ > 0 && --readDepth_ == 0 && readOpen_) {
            readOpen_ = false;
            if (!sqlite3_get_autocommit(db())) {
                sqlite3_stmt* s = prepare(QStringLiteral("COMMIT"));
                finish(s, sqlite3_step(s));
            }
        }
    }
    std::optional<QVariant> lastValue(const Condition& where, const std::vector<int>& order,
                                      int field) override {
        Sql sql = render(where);
        sqlite3_stmt* s = prepare(QStringLiteral("SELECT %4 FROM %1 WHERE %2 ORDER BY %3 LIMIT 1")
                                      .arg(table_, sql.text, orderBy(order, true),
                                           quoted(def_.fields[size_t(field)].name)));
        bindAll(s, sql.params);
        std::optional<QVariant> v;
        const int rc = sqlite3_step(s);
        if (rc == SQLITE_ROW)
            v = column(s, 0, def_.fields[size_t(field)].type);
        finish(s, rc);
        return v;
    }

    /// Whether the file can join an atomic write: not in one already, and in no transaction.
    bool canJoin() const { return !routeDb_ && depth_ == 0 && readDepth_ == 0; }

    /// From now on every statement on this file runs on `db`, the connection of an atomic
    /// write, where the file is the database `schema`.
    void join(sqlite3* db, const QString& schema) {
        routeDb_ = db;
        nameTable(quoted(schema) + QLatin1Char('.') + quoted(def_.name));
        savepoint_ = quoted(QStringLiteral("tabella_") + schema);
    }

    /// Back on the file's own connection once the atomic write committed or rolled back; the
    /// table objects on it read the file again at their next move.
    void leave() {
        routedStatements_.clear();
        routeDb_ = nullptr;
        nameTable(quoted(def_.name));
        depth_ = 0;
        ++changes_;
    }

private:
    // The statements run once per record read or posted are written once per name of the table.
    void nameTable(const QString& table) {
        hotInsert_.reset();
        hotRead_.reset();
        table_ = table;
        QString marks;
        for (size_t i = 0; i < def_.fields.size(); ++i)
            marks += i ? QStringLiteral(", ?") : QStringLiteral("?");
        insertSql_ = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table_, columns_, marks);
        readSql_ = QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(columns_, table_);
    }

    struct Sql {
        QString text;
        std::vector<QVariant> params;
        std::vector<FieldType> types;
    };

    QString countSql(const QString& where) const {
        return QStringLiteral("SELECT count(*) FROM %1 WHERE %2").arg(table_, where);
    }

    void exec(const QString& sql) {
        char* message = nullptr;
        const int rc = sqlite3_exec(db(), sql.toUtf8().constData(), nullptr, nullptr, &message);
        if (rc != SQLITE_OK) {
            const QString text = QString::fromUtf8(message ? message : "");
            sqlite3_free(message);
            throw Error(sqliteErrorMessage(sqlite3_extended_errcode(db()), def_.name, text));
        }
    }

    qint64 readDataVersion() {
        sqlite3_stmt* s = prepare(QStringLiteral("PRAGMA data_version"));
        const int rc = sqlite3_step(s);
        const qint64 v = rc == SQLITE_ROW ? sqlite3_column_int64(s, 0) : 0;
        finish(s, rc);
        return v;
    }

    void checkColumns() {
        sqlite3_stmt* s = prepare(QStringLiteral("PRAGMA table_info(%1)").arg(quoted(def_.name)));
        QStringList present;
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW)
            present << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 1)))
                           .toLower();
        finish(s, rc);
        if (present.isEmpty())
            throw Error(
                QStringLiteral("Il file %1 non contiene la tabella %2.").arg(path_, def_.name));
        for (const FieldDef& f : def_.fields)
            if (!present.contains(f.name.toLower()))
                throw Error(QStringLiteral("La tabella %1 (%2) non ha il campo %3.")
                                .arg(def_.name, path_, f.name));
    }

    // Statements are kept for reuse, a bounded number of them: filters differ in their values,
    // which are bound, so a handful of texts serves a whole run. No statement is in use across a
    // call of prepare(), so the cache may be emptied here.
    std::unordered_map<QString, StmtHandle>::iterator keep(const QString& sql, sqlite3_stmt* raw) {
        if (cache().size() >= 128)
            cache().clear();
        return cache().emplace(sql, StmtHandle(raw)).first;
    }

    sqlite3_stmt* compile(const QString& sql) {
        sqlite3_stmt* raw = nullptr;
        const QByteArray utf8 = sql.toUtf8();
        if (sqlite3_prepare_v3(db(), utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT,
                               &raw, nullptr) != SQLITE_OK)
            throw Error(tableError(def_.name, db()));
        return raw;
    }

    static sqlite3_stmt* ready(sqlite3_stmt* s) {
        sqlite3_reset(s);
        sqlite3_clear_bindings(s);
        return s;
    }

    sqlite3_stmt* prepare(const QString& sql) {
        auto it = cache().find(sql);
        if (it == cache().end())
            it = keep(sql, compile(sql));
        return ready(it->second.get());
    }

    // The statements of every record read or posted, kept apart from the cache so that finding
    // them costs nothing; made again whenever the table changes name (joining an atomic write).
    // Their callers bind every parameter, so the old bindings need no clearing.
    sqlite3_stmt* prepareHot(StmtHandle& slot, const QString& sql) {
        if (!slot)
            slot.reset(compile(sql));
        sqlite3_reset(slot.get());
        return slot.get();
    }

    // Resets the statement; turns a failed step into an Italian error naming what went wrong.
    void finish(sqlite3_stmt* s, int rc, const std::vector<QVariant>* record = nullptr) {
        sqlite3_reset(s);
        if (rc == SQLITE_ROW || rc == SQLITE_DONE || rc == SQLITE_OK)
            return;
        if (rc == SQLITE_CONSTRAINT_UNIQUE && record && !def_.key.isEmpty()) {
            const int k = def_.fieldIndex(def_.key);
            throw KeyViolation(
                QStringLiteral("Violazione di chiave: nella tabella %1 esiste già un "
                               "record con %2 = %3.")
                    .arg(def_.name, def_.key, (*record)[size_t(k)].toString()));
        }
        if (rc == SQLITE_CONSTRAINT_NOTNULL) {
            throw Error(QStringLiteral("Un campo obbligatorio della tabella %1 è vuoto: %2")
                            .arg(def_.name, QString::fromUtf8(sqlite3_errmsg(db()))));
        }
        throw Error(sqliteErrorMessage(rc, def_.name, QString::fromUtf8(sqlite3_errmsg(db()))));
    }

    QString orderBy(const std::vector<int>& order, bool descending = false) const {
        const QString direction = descending ? QStringLiteral(" DESC") : QString();
        QString text;
        for (int f : order)
            text += quoted(def_.fields[size_t(f)].name) + direction + QStringLiteral(", ");
        return text + QStringLiteral("rowid") + direction;
    }

    Sql render(const Condition& c) const {
        Sql sql;
        renderInto(c, sql);
        return sql;
    }

    void renderInto(const Condition& c, Sql& sql) const {
        switch (c.kind) {
        case Condition::Kind::All:
            sql.text += QStringLiteral("1");
            return;
        case Condition::Kind::None:
            sql.text += QStringLiteral("0");
            return;
        case Condition::Kind::And:
        case Condition::Kind::Or: {
            const QString glue =
                c.kind == Condition::Kind::And ? QStringLiteral(" AND ") : QStringLiteral(" OR ");
            sql.text += QLatin1Char('(');
            for (size_t i = 0; i < c.terms.size(); ++i) {
                if (i)
                    sql.text += glue;
                renderInto(c.terms[i], sql);
            }
            sql.text += QLatin1Char(')');
            return;
        }
        case Condition::Kind::Compare:
            break;
        }
        const FieldDef& f = def_.fields[size_t(c.field)];
        const QString col = quoted(f.name);
        auto param = [&](const QVariant& v) {
            sql.params.push_back(v);
            sql.types.push_back(f.type);
        };
        // A stored value outside the field's type reads as blank, so it counts as blank here too.
        // It can never equal a literal, which is always of the field's type. The comparison goes
        // before the check, whose own bound ('0001' for dates) SQLite would otherwise take as
        // the start of an index range and read the years before the one asked for.
        const QString valid = validSql(f.type, col);
        if (c.value.isNull()) {
            switch (c.op) {
            case CompareOp::Eq:
            case CompareOp::Le:
                sql.text += QStringLiteral("NOT ") + valid;
                break;
            case CompareOp::Ne:
            case CompareOp::Gt:
                sql.text += valid;
                break;
            case CompareOp::Ge:
            case CompareOp::StartsWith:
                sql.text += QStringLiteral("1");
                break;
            case CompareOp::Lt:
                sql.text += QStringLiteral("0");
                break;
            }
            return;
        }
        switch (c.op) {
        case CompareOp::Eq:
            sql.text += col + QStringLiteral(" = ?");
            break;
        case CompareOp::Ne:
            sql.text += QStringLiteral("(%1 IS NULL OR %1 <> ?)").arg(col);
            break;
        case CompareOp::Ge:
            sql.text += QStringLiteral("(%2 >= ? AND %1)").arg(valid, col);
            break;
        case CompareOp::Le:
            sql.text += QStringLiteral("(%2 <= ? AND %1)").arg(valid, col);
            break;
        case CompareOp::Gt:
            sql.text += QStringLiteral("(%2 > ? AND %1)").arg(valid, col);
            break;
        case CompareOp::Lt:
            sql.text += QStringLiteral("(%2 < ? AND %1)").arg(valid, col);
            break;
        case CompareOp::StartsWith:
            // A range, not LIKE: LIKE ignores case and cannot use the index.
            sql.text += QStringLiteral("(%2 >= ? AND %2 < ? AND %1)").arg(valid, col);
            param(c.value);
            param(c.value.toString() + QString::fromUcs4(U"\U0010FFFF"));
            return;
        }
        param(c.value);
    }

    void bindAll(sqlite3_stmt* s, const std::vector<QVariant>& params) {
        for (size_t i = 0; i < params.size(); ++i)
            bind(s, int(i) + 1, params[i]);
    }

    // The texts are lent, not copied: `values` outlives the step that reads them, and every
    // later step binds again first.
    void bindRecord(sqlite3_stmt* s, const std::vector<QVariant>& values) {
        for (size_t i = 0; i < def_.fields.size(); ++i) {
            if (i < values.size() && values[i].typeId() == QMetaType::QString) {
                const QString& text = *static_cast<const QString*>(values[i].constData());
                sqlite3_bind_text16(s, int(i) + 1, text.utf16(), int(text.size() * 2),
                                    SQLITE_STATIC);
            } else {
                bind(s, int(i) + 1, i < values.size() ? values[i] : QVariant());
            }
        }
    }

    static void bind(sqlite3_stmt* s, int index, const QVariant& v) {
        if (!v.isValid() || v.isNull()) {
            sqlite3_bind_null(s, index);
            return;
        }
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
            sqlite3_bind_int64(s, index, v.toLongLong());
            break;
        case QMetaType::Bool:
            sqlite3_bind_int(s, index, v.toBool() ? 1 : 0);
            break;
        case QMetaType::Double:
            sqlite3_bind_double(s, index, v.toDouble());
            break;
        case QMetaType::QDate: {
            // By hand: QDate::toString formats through printf, a cost at every date posted.
            const QDate d = v.toDate();
            int year = 0, month = 0, day = 0;
            d.getDate(&year, &month, &day);
            if (year < 1 || year > 9999) {
                bindText(s, index, d.toString(Qt::ISODate));
                break;
            }
            char text[10];
            const auto digits = [&text](int at, int value, int count) {
                for (int i = count - 1; i >= 0; --i, value /= 10)
                    text[at + i] = char('0' + value % 10);
            };
            digits(0, year, 4);
            text[4] = text[7] = '-';
            digits(5, month, 2);
            digits(8, day, 2);
            sqlite3_bind_text(s, index, text, sizeof text, SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QTime:
            bindText(s, index, v.toTime().toString(QStringLiteral("HH:mm:ss")));
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = v.toByteArray();
            sqlite3_bind_blob64(s, index, bytes.constData(), sqlite3_uint64(bytes.size()),
                                SQLITE_TRANSIENT);
            break;
        }
        default:
            bindText(s, index, v.toString());
            break;
        }
    }

    static void bindText(sqlite3_stmt* s, int index, const QString& text) {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text64(s, index, utf8.constData(), sqlite3_uint64(utf8.size()),
                            SQLITE_TRANSIENT, SQLITE_UTF8);
    }

    // The value of a column by the rules of validSql(): what does not fit the field is blank.
    static QVariant column(sqlite3_stmt* s, int i, FieldType type) {
        const int stored = sqlite3_column_type(s, i);
        if (stored == SQLITE_NULL)
            return {};
        auto text = [&] {
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, i)),
                                     sqlite3_column_bytes(s, i));
        };
        switch (type) {
        case FieldType::Integer: {
            const sqlite3_int64 v = sqlite3_column_int64(s, i);
            if (stored != SQLITE_INTEGER || v < -2147483648LL || v > 2147483647LL)
                return {};
            return static_cast<int>(v);
        }
        case FieldType::Boolean: {
            const sqlite3_int64 v = sqlite3_column_int64(s, i);
            if (stored != SQLITE_INTEGER || (v != 0 && v != 1))
                return {};
            return v == 1;
        }
        case FieldType::Number:
            if (stored != SQLITE_INTEGER && stored != SQLITE_FLOAT)
                return {};
            return sqlite3_column_double(s, i);
        case FieldType::Text:
            if (stored != SQLITE_TEXT || sqlite3_column_bytes(s, i) == 0)
                return {};
            return text();
        case FieldType::Date: {
            const QDate d = stored == SQLITE_TEXT ? storedDate(text()) : QDate();
            return d.isValid() ? QVariant(d) : QVariant();
        }
        case FieldType::Time: {
            const QTime t = stored == SQLITE_TEXT ? storedTime(text()) : QTime();
            return t.isValid() ? QVariant(t) : QVariant();
        }
        case FieldType::Blob:
        case FieldType::Graphic: {
            if (stored != SQLITE_BLOB && stored != SQLITE_TEXT)
                return {};
            const void* data = sqlite3_column_blob(s, i);
            const int size = sqlite3_column_bytes(s, i);
            return size > 0 ? QVariant(QByteArray(static_cast<const char*>(data), size))
                            : QVariant();
        }
        }
        return {};
    }

    sqlite3* db() const { return routeDb_ ? routeDb_ : db_.get(); }
    std::unordered_map<QString, StmtHandle>& cache() {
        return routeDb_ ? routedStatements_ : statements_;
    }

    QString path_;
    TableDef def_;
    DbHandle db_;
    QString table_; ///< the table as statements name it
    QString columns_;
    QString insertSql_;
    QString readSql_;
    std::unordered_map<QString, StmtHandle> statements_;
    sqlite3* routeDb_ = nullptr; ///< the connection of the atomic write the file is in, if any
    QString savepoint_;
    std::unordered_map<QString, StmtHandle> routedStatements_;
    StmtHandle hotInsert_; ///< on db(): the own connection or the atomic write's
    StmtHandle hotRead_;
    qint64 dataVersion_ = 0;
    quint64 changes_ = 1;
    int depth_ = 0;
    int readDepth_ = 0;
    bool readOpen_ = false;
};

// One connection on the first file with the others attached: SQLite commits a transaction over
// attached files atomically (through a super-journal) in journal mode DELETE. The files' own
// connections stay idle meanwhile, since their statements run here.
class SqliteAtomicFiles final : public AtomicFiles {
public:
    explicit SqliteAtomicFiles(std::vector<std::shared_ptr<SqliteTableFile>> files)
        : files_(std::move(files)) {
        for (const auto& file : files_)
            if (!file->canJoin())
                throw Error(QStringLiteral("La tabella %1 è già impegnata in un'altra operazione "
                                           "di scrittura.")
                                .arg(file->def().name));
        sqlite3* raw = nullptr;
        const int rc = sqlite3_open_v2(QFile::encodeName(files_[0]->path()).constData(), &raw,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        db_.reset(raw);
        if (rc != SQLITE_OK)
            throw Error(sqliteErrorMessage(rc, files_[0]->def().name,
                                           QString::fromUtf8(sqlite3_errstr(rc))));
        const int most = 1 + sqlite3_limit(db_.get(), SQLITE_LIMIT_ATTACHED, -1);
        if (int(files_.size()) > most)
            throw Error(QStringLiteral("Un'operazione che aggiorna più tabelle insieme può "
                                       "comprenderne al massimo %1; qui ne comprende %2.")
                            .arg(most)
                            .arg(files_.size()));
        sqlite3_busy_timeout(db_.get(), lockTimeout);
        sqlite3_extended_result_codes(db_.get(), 1);
        for (size_t i = 0; i < files_.size(); ++i) {
            const QString schema = schemaOf(i);
            if (i > 0) {
                sqlite3_stmt* s = nullptr;
                sqlite3_prepare_v2(db_.get(), "ATTACH DATABASE ? AS ?", -1, &s, nullptr);
                StmtHandle attach(s);
                const QByteArray path = files_[i]->path().toUtf8();
                sqlite3_bind_text(s, 1, path.constData(), int(path.size()), SQLITE_TRANSIENT);
                const QByteArray name = schema.toUtf8();
                sqlite3_bind_text(s, 2, name.constData(), int(name.size()), SQLITE_TRANSIENT);
                if (sqlite3_step(s) != SQLITE_DONE)
                    fail(i);
            }
            run(QStringLiteral("PRAGMA %1.journal_mode=DELETE").arg(quoted(schema)), i);
            run(QStringLiteral("PRAGMA %1.synchronous=FULL").arg(quoted(schema)), i);
            run(QStringLiteral("PRAGMA %1.cache_size=%2").arg(quoted(schema)).arg(kCacheSize), i);
        }
        // Each file's write lock is taken in turn, so that a locked one is named.
        run(QStringLiteral("BEGIN"), 0);
        for (size_t i = 0; i < files_.size(); ++i) {
            const QString touch = QStringLiteral("DELETE FROM %1.%2 WHERE 0")
                                      .arg(quoted(schemaOf(i)), quoted(files_[i]->def().name));
            if (sqlite3_exec(db_.get(), touch.toUtf8().constData(), nullptr, nullptr, nullptr) !=
                SQLITE_OK) {
                const Error error = errorOf(i);
                sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
                throw error;
            }
        }
        for (size_t i = 0; i < files_.size(); ++i)
            files_[i]->join(db_.get(), schemaOf(i));
    }

    ~SqliteAtomicFiles() override {
        if (!committed_)
            sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
        for (const auto& file : files_)
            file->leave();
    }

    void commit() override {
        if (committed_)
            return;
        run(QStringLiteral("COMMIT"), 0);
        committed_ = true;
    }

private:
    static QString schemaOf(size_t i) {
        return i == 0 ? QStringLiteral("main") : QStringLiteral("tabella%1").arg(i);
    }

    Error errorOf(size_t i) const {
        return Error(sqliteErrorMessage(sqlite3_extended_errcode(db_.get()), files_[i]->def().name,
                                        QString::fromUtf8(sqlite3_errmsg(db_.get()))));
    }
    [[noreturn]] void fail(size_t i) const { throw errorOf(i); }

    void run(const QString& sql, size_t file) {
        if (sqlite3_exec(db_.get(), sql.toUtf8().constData(), nullptr, nullptr, nullptr) !=
            SQLITE_OK)
            fail(file);
    }

    std::vector<std::shared_ptr<SqliteTableFile>> files_;
    DbHandle db_;
    bool committed_ = false;
};

} // namespace

std::unique_ptr<AtomicFiles>
beginAtomicWrite(const std::vector<std::shared_ptr<TableFile>>& files) {
    std::vector<std::shared_ptr<SqliteTableFile>> distinct;
    for (const auto& file : files) {
        auto sqlite = std::dynamic_pointer_cast<SqliteTableFile>(file);
        if (!sqlite)
            throw Error(QStringLiteral("Tabella di un altro archivio in un'operazione atomica."));
        if (std::find(distinct.begin(), distinct.end(), sqlite) == distinct.end())
            distinct.push_back(std::move(sqlite));
    }
    if (distinct.empty())
        throw Error(QStringLiteral("Operazione di scrittura senza tabelle."));
    return std::make_unique<SqliteAtomicFiles>(std::move(distinct));
}

QString sqliteErrorMessage(int code, const QString& table, const QString& sqliteText) {
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral(
                   "La tabella %1 è bloccata da un altro programma. Riprovare più tardi.")
            .arg(table);
    case SQLITE_CORRUPT:
        return QStringLiteral("La tabella %1 è danneggiata: ripristinare una copia di sicurezza.")
            .arg(table);
    case SQLITE_NOTADB:
        return QStringLiteral("Il file della tabella %1 non è un archivio del programma o è "
                              "danneggiato: ripristinare una copia di sicurezza.")
            .arg(table);
    case SQLITE_READONLY:
        return QStringLiteral("La tabella %1 è in sola lettura e la modifica non è stata "
                              "registrata: controllare che il disco e la cartella dell'archivio "
                              "siano scrivibili.")
            .arg(table);
    case SQLITE_FULL:
        return QStringLiteral("Il disco è pieno e la modifica alla tabella %1 non è stata "
                              "registrata: liberare spazio sul disco e riprovare.")
            .arg(table);
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        return QStringLiteral("Impossibile accedere ai file della tabella %1: controllare che la "
                              "cartella dell'archivio esista e sia scrivibile.")
            .arg(table);
    case SQLITE_IOERR:
        return QStringLiteral("Errore di lettura o scrittura del disco sulla tabella %1: "
                              "controllare il disco o la rete e riprovare.")
            .arg(table);
    default:
        return QStringLiteral("Errore sulla tabella %1: %2").arg(table, sqliteText);
    }
}

void setLockTimeout(int milliseconds) {
    lockTimeout = std::max(0, milliseconds);
}

QString folderWriteProblem(const QString& folder) {
    const QDir dir(folder);
    if (!dir.exists())
        return {}; // a missing folder is the open's to report
    // A file actually made, as the journal of every write needs one: permission bits alone do
    // not tell for read-only media, network shares or an administrator's account.
    if (!QTemporaryFile(dir.filePath(QStringLiteral(".prova-scrittura-XXXXXX"))).open())
        return QStringLiteral("La cartella %1 non è scrivibile (disco protetto o in sola lettura): "
                              "i dati si possono consultare, ma ogni modifica sarà rifiutata.")
            .arg(QDir::toNativeSeparators(folder));
    QStringList readOnly;
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System,
                                                    QDir::Name | QDir::IgnoreCase))
        if (entry.suffix().compare(QLatin1String("db"), Qt::CaseInsensitive) == 0 &&
            !entry.isWritable())
            readOnly << entry.completeBaseName();
    if (readOnly.isEmpty())
        return {};
    return QStringLiteral("Nella cartella %1 le tabelle %2 sono in sola lettura: i loro dati si "
                          "possono consultare, ma ogni modifica sarà rifiutata.")
        .arg(QDir::toNativeSeparators(folder), readOnly.join(QStringLiteral(", ")));
}

QString findTableFile(const QString& folder, const QString& name) {
    const QString wanted = (name + QStringLiteral(".DB")).toLower();
    const QDir dir(folder);
    if (!dir.exists())
        return {};
    const QString exact = dir.filePath(name + QStringLiteral(".DB"));
    if (QFileInfo(exact).isFile())
        return exact;
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (entry.toLower() == wanted)
            return dir.filePath(entry);
    return {};
}

std::shared_ptr<TableFile> openTableFile(const QString& folder, const TableDef& def) {
    const QString found = findTableFile(folder, def.name);
    if (found.isEmpty())
        throw Error(QStringLiteral("Tabella %1 non trovata nella cartella %2.")
                        .arg(def.name, QDir::toNativeSeparators(folder)));
    const QString path = QFileInfo(found).canonicalFilePath();
    auto& files = openFiles();
    if (auto it = files.find(path); it != files.end())
        if (auto shared = it->second.lock()) {
            if (shared->def().fields.size() != def.fields.size() || shared->def().name != def.name)
                throw Error(QStringLiteral("La tabella %1 è già aperta con un'altra struttura.")
                                .arg(def.name));
            return shared;
        }
    auto file = std::make_shared<SqliteTableFile>(path, def);
    files[path] = file;
    return file;
}

bool addMissingIndexes(const QString& folder, const TableDef& def) {
    if (def.indexes.empty())
        return true;
    const QString path = findTableFile(folder, def.name);
    if (path.isEmpty())
        return false;
    sqlite3* raw = nullptr;
    const int rc =
        sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    DbHandle db(raw);
    if (rc != SQLITE_OK)
        return false;
    bool complete = true;
    for (const IndexDef& index : def.indexes) {
        sqlite3_stmt* rawFind = nullptr;
        sqlite3_prepare_v2(db.get(),
                           "SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?", -1,
                           &rawFind, nullptr);
        const StmtHandle find(rawFind);
        const QByteArray name = def.sqlIndexName(index).toUtf8();
        sqlite3_bind_text(rawFind, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        const int found = sqlite3_step(rawFind);
        if (found == SQLITE_ROW)
            continue;
        if (found != SQLITE_DONE ||
            sqlite3_exec(db.get(), createIndexSql(def, index).toUtf8().constData(), nullptr,
                         nullptr, nullptr) != SQLITE_OK)
            complete = false;
    }
    return complete;
}

void createTableFile(const QString& folder, const TableDef& def) {
    QDir().mkpath(folder);
    if (const QString old = findTableFile(folder, def.name); !old.isEmpty())
        QFile::remove(old);
    const QString path = QDir(folder).filePath(def.name + QStringLiteral(".DB"));
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    DbHandle db(raw);
    if (rc != SQLITE_OK)
        throw Error(QStringLiteral("Impossibile creare %1.").arg(path));
    QStringList columns;
    for (const FieldDef& f : def.fields) {
        QString column = quoted(f.name) + QLatin1Char(' ') + sqlType(f.type);
        if (f.name.compare(def.key, Qt::CaseInsensitive) == 0)
            column += QStringLiteral(" UNIQUE");
        if (f.required)
            column += QStringLiteral(" NOT NULL");
        columns << column;
    }
    QStringList statements;
    statements << QStringLiteral("PRAGMA journal_mode=DELETE") << QStringLiteral("BEGIN")
               << QStringLiteral("CREATE TABLE %1 (%2)")
                      .arg(quoted(def.name), columns.join(QStringLiteral(", ")));
    for (const IndexDef& index : def.indexes)
        statements << createIndexSql(def, index);
    statements << QStringLiteral("COMMIT");
    for (const QString& sql : statements) {
        char* message = nullptr;
        if (sqlite3_exec(db.get(), sql.toUtf8().constData(), nullptr, nullptr, &message) !=
            SQLITE_OK) {
            const QString text = QString::fromUtf8(message ? message : "");
            sqlite3_free(message);
            throw Error(QStringLiteral("Impossibile creare la tabella %1: %2").arg(def.name, text));
        }
    }
}

Transaction::Transaction(std::shared_ptr<TableFile> file)
    : file_(std::move(file)) {
    file_->beginTransaction();
}

Transaction::~Transaction() {
    if (!done_) {
        try {
            file_->rollback();
        } catch (const Error&) {
            // Nothing more can be done while unwinding; the file keeps its last commit.
        }
    }
}

void Transaction::commit() {
    file_->commit();
    done_ = true;
}

} // namespace store
