#pragma once

#include "store/catalogue.h"
#include "store/filter.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace store {

/// The one seam between table objects and the database engine: the file of one table.
/// Everything above it speaks in rowids, field positions and Conditions, never in SQL.
/// Records are read and written as one value per field of the table definition.
class TableFile {
public:
    virtual ~TableFile() = default;
    virtual const TableDef& def() const = 0;
    virtual const QString& path() const = 0;
    /// Moves whenever the file changed, by this process or another one.
    virtual quint64 version() = 0;
    /// Rowids of the records matching `where`, ordered by `order` (field positions) and then
    /// by insertion.
    virtual std::vector<qint64> select(const Condition& where, const std::vector<int>& order) = 0;
    /// Every record matching `where` in that order, its rowid and stored values handed to
    /// `visit` in turn, in one pass over the file.
    virtual void
    scan(const Condition& where, const std::vector<int>& order,
         const std::function<void(qint64 rowid, std::vector<QVariant>& values)>& visit) = 0;
    virtual std::optional<qint64> selectFirst(const Condition& where,
                                              const std::vector<int>& order) = 0;
    /// The last record in that order: the one with the highest key for the natural order.
    virtual std::optional<qint64> selectLast(const Condition& where,
                                             const std::vector<int>& order) = 0;
    virtual qint64 count(const Condition& where) = 0;
    virtual bool read(qint64 rowid, std::vector<QVariant>& values) = 0;
    /// Whether the engine can run a selection on `where`; false for one it refuses as too large
    /// or too deep. Throws store::Error when the file itself fails.
    virtual bool accepts(const Condition& where) = 0;
    /// `values` start with the stored fields, in order; any after them are not written.
    virtual qint64 insert(const std::vector<QVariant>& values) = 0;
    /// Writes the fields marked in `changed` (all of them when it is empty), so that a value
    /// this process could not read, or another writer's change to another field, is kept.
    /// Throws store::Error when the record is no longer in the file.
    virtual void update(qint64 rowid, const std::vector<QVariant>& values,
                        const std::vector<bool>& changed) = 0;
    virtual void remove(qint64 rowid) = 0;
    virtual void removeAll() = 0;
    /// Nestable; only the outermost commit writes.
    virtual void beginTransaction() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
    /// Writes buffered changes to disk (every write already commits before it returns).
    virtual void flush() = 0;
    /// Statements between these share one read transaction, so one lock cycle serves them
    /// all. Nothing may write in between.
    virtual void beginRead() {}
    virtual void endRead() {}
    /// One field of the last record in that order, read in one statement.
    virtual std::optional<QVariant> lastValue(const Condition& where, const std::vector<int>& order,
                                              int field) = 0;
};

/// A read transaction for its lifetime (see TableFile::beginRead).
class ReadScope {
public:
    explicit ReadScope(TableFile* file)
        : file_(file) {
        if (file_)
            file_->beginRead();
    }
    ~ReadScope() {
        try {
            if (file_)
                file_->endRead();
        } catch (...) {
            // Ending a read transaction changes nothing on disk; the next statement retries.
        }
    }
    ReadScope(const ReadScope&) = delete;
    ReadScope& operator=(const ReadScope&) = delete;

private:
    TableFile* file_;
};

/// The path of table `name`'s file in `folder`, its name matched without regard to letter case;
/// empty when there is none.
QString findTableFile(const QString& folder, const QString& name);

/// Opens the file of `def` in `folder`, shared with every other table object on that file.
/// Throws store::Error when the file is missing or lacks a field of the definition.
std::shared_ptr<TableFile> openTableFile(const QString& folder, const TableDef& def);

/// How long an operation waits for a table file another program holds locked before it fails
/// with the "bloccata" message. Applies to files opened afterwards; 5 seconds by default.
void setLockTimeout(int milliseconds);

/// Empty when the folder and its table files can be written; otherwise the sentence telling the
/// user that the folder is read-only, said once when a year opens rather than at the first post.
QString folderWriteProblem(const QString& folder);

/// Creates the empty file `<folder>/<NAME>.DB` for `def` with its indexes, replacing any file of
/// that table. Used by the template generator and tests; the program never creates tables.
void createTableFile(const QString& folder, const TableDef& def);

/// Adds to the table's file in `folder` the indexes of `def` it lacks (a file made before they
/// were declared), without waiting for a lock. Answers whether every index is there afterwards;
/// false also for a missing, locked or read-only file, which simply stays slower to search.
bool addMissingIndexes(const QString& folder, const TableDef& def);

/// An all-or-nothing write across several table files: every statement on them, through any
/// table object, belongs to one transaction until commit(); destroyed without commit, it leaves
/// every file as it was. A crash at any moment leaves either all of it or none.
class AtomicFiles {
public:
    virtual ~AtomicFiles() = default;
    virtual void commit() = 0;
};

/// Starts an atomic write over `files` (a file shared by several objects counts once). Throws
/// store::Error when they are more than one atomic write can span, when one of them is in a
/// transaction or another atomic write already, or when another program holds one locked.
std::unique_ptr<AtomicFiles> beginAtomicWrite(const std::vector<std::shared_ptr<TableFile>>& files);

/// Commits or rolls back a transaction on one table file.
class Transaction {
public:
    explicit Transaction(std::shared_ptr<TableFile> file);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    std::shared_ptr<TableFile> file_;
    bool done_ = false;
};

} // namespace store
