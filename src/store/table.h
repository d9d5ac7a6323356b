#pragma once

#include "store/catalogue.h"
#include "store/filter.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVariant>
#include <array>
#include <functional>
#include <list>
#include <memory>
#include <vector>

namespace store {

class Table;
class TableFile;

enum class DataSetState { Inactive, Browse, Insert, Edit };

/// The record events of a table object. Handlers run in the order they were registered.
enum class Event {
    BeforeInsert,
    AfterInsert,
    BeforeEdit,
    AfterEdit,
    BeforePost, ///< may refuse the post by throwing
    AfterPost,
    BeforeCancel,
    AfterCancel,
    BeforeDelete, ///< may refuse the delete by throwing
    AfterDelete,
    AfterScroll,
    CalcFields, ///< fills the calculated fields of the record being read
    AfterOpen,
    BeforeClose,
};
inline constexpr int eventCount = int(Event::BeforeClose) + 1;

/// What a data link is told about its table object.
enum class DataEvent {
    ActiveChanged,  ///< opened or closed
    DataSetChanged, ///< the set of records, their order or the current record's content changed
    Scrolled,       ///< the cursor moved to another record
    RecordChanged,  ///< a field of the current record received a value (field position given)
    StateChanged,   ///< Browse, Insert or Edit began
};

/// Something bound to a table object: a control, a grid, a detail object. Links are told of
/// every change, and before a post they write what the user is still editing.
class DataLink {
public:
    virtual ~DataLink() = default;
    virtual void dataEvent(Table& table, DataEvent event, int field) = 0;
    /// Called before Post: store the pending edit into the record.
    virtual void updateData(Table&) {}
    /// The table object is being destroyed: forget it.
    virtual void tableDestroyed(Table&) {}
};

/// A handle on one field of a table object's current record. Cheap to copy; valid while its
/// table object lives.
class Field {
public:
    Field(Table& table, int index)
        : table_(&table)
        , index_(index) {}

    Table& table() const { return *table_; }
    int index() const { return index_; }
    const QString& name() const;
    FieldType type() const;
    int size() const;
    bool isCalculated() const;
    bool isLookup() const;
    /// The stored definition (name, type, size) of the field.
    const FieldDef& definition() const;

    bool isNull() const;
    QVariant value() const;
    QString asString() const;
    int asInteger() const;  ///< 0 when blank
    double asFloat() const; ///< 0 when blank
    QDate asDate() const;   ///< invalid when blank
    QTime asTime() const;
    bool asBoolean() const; ///< false when blank
    QByteArray asBytes() const;
    /// The value as a list or report shows it (numbers by their display format, Italian).
    QString displayText() const;
    /// Any value of this field (a grid's or report's row) as displayText would show it.
    QString displayTextOf(const QVariant& value) const;

    void setValue(const QVariant& value) const;
    void setAsString(const QString& text) const;
    void setAsInteger(int v) const { setValue(v); }
    void setAsFloat(double v) const { setValue(v); }
    void setAsDate(const QDate& v) const { setValue(v); }
    void setAsTime(const QTime& v) const { setValue(v); }
    void setAsBoolean(bool v) const { setValue(v); }
    void clear() const { setValue(QVariant()); }

    void setDisplayFormat(const QString& pattern) const;
    QString displayFormat() const;

private:
    Table* table_;
    int index_;
};

using Bookmark = qint64; ///< 0 is no bookmark

/// A table object: one cursor over a table file in a folder, with its own order, filter,
/// master link, lookup and calculated fields, record events and data links. Several table
/// objects on one file see each other's posts at their next navigation.
class Table {
public:
    using Handler = std::function<void(Table&)>;
    using FieldHandler = std::function<void(Field)>;

    Table();
    Table(const QString& folder, const QString& tableName, TableSet set = TableSet::Year);
    virtual ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    // Binding. The table name is resolved in the catalogue at once, so fields can be declared
    // before opening.
    void setDatabaseName(const QString& folder);
    const QString& databaseName() const { return folder_; }
    void setTableName(const QString& name, TableSet set = TableSet::Year);
    const QString& tableName() const;
    TableSet tableSet() const { return set_; }
    const TableDef& definition() const;

    virtual void open();
    void close();
    bool active() const { return state_ != DataSetState::Inactive; }
    DataSetState state() const { return state_; }

    // Order: natural (by identifier, or insertion order without one), a named index, or fields.
    void setIndexName(const QString& name);
    void setIndexFieldNames(const QString& fieldsSeparatedBySemicolon);
    QString indexName() const { return indexName_; }

    // Filter: effective while filtered is true. Setting a text that cannot be parsed while
    // filtered (or switching on such a text) throws store::Error and leaves the filter off.
    void setFilter(const QString& text);
    const QString& filter() const { return filterText_; }
    void setFiltered(bool on);
    bool filtered() const { return filtered_; }

    /// Shows only the records whose `detailFields` equal the master's `masterFields`
    /// (";"-separated) and follows the master's moves. nullptr removes the link.
    void setMasterSource(Table* master, const QString& masterFields, const QString& detailFields);
    Table* masterSource() const { return master_; }

    // Cursor.
    void first();
    void last();
    void next();
    void prior();
    void moveBy(int distance);
    /// Makes each record the object shows (its filter and order) current in turn, from the
    /// first, and calls `visit`: a first()/next() loop in one pass over the file, for walks over
    /// many records. `visit` must not move or write this object. Ends as that loop does: on the
    /// last record, at eof.
    void forEachRecord(const std::function<void()>& visit);
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    bool isEmpty();
    int recordCount();
    int recNo(); ///< 1-based position, 0 when empty
    void setRecNo(int position);
    Bookmark bookmark() const;
    bool bookmarkValid(Bookmark b);
    void gotoBookmark(Bookmark b);
    /// Re-reads the file and keeps the cursor on the same record when it is still there.
    void refresh();

    /// Moves to the first record in the current order and filter whose field equals the value
    /// (partial: whose text begins with it), case-sensitive. Stays put and answers false when
    /// there is none. Several fields: ";"-separated names and one value each.
    bool locate(const QString& fields, const QVariantList& values, bool partial = false);
    bool locate(const QString& field, const QVariant& value, bool partial = false);
    /// The result field of the first record (current order and filter) whose key field equals
    /// the value; blank when none. The cursor does not move.
    QVariant lookup(const QString& keyField, const QVariant& value, const QString& resultField);

    // Editing.
    void append();
    void insert() { append(); }
    void edit();
    void post();
    void cancel();
    void deleteRecord();
    bool modified() const { return modified_; }
    /// Marks the value just given to the identifier field of a new record as allocated, not
    /// typed: when another copy of the program posts the same value first, the post stores
    /// `next()` in the field (its change handlers run) and tries again.
    void setAllocatedIdentifier(const QString& field, std::function<int()> next);
    /// Posts a pending edit (after asking the links for theirs), as a move to another record does.
    void checkBrowseMode();

    // Fields.
    int fieldCount() const;
    Field field(int index);
    Field field(const QString& name); ///< throws store::Error for an unknown name
    /// The definition of a field by position (stored, lookup or calculated).
    const FieldDef& fieldDefinition(int index) const;
    bool hasField(const QString& name) const;
    /// A read-only field showing `resultField` of the record of `source` whose `sourceKeyField`
    /// equals this record's `keyField`; blank when none.
    void addLookupField(const QString& name, int size, const QString& keyField, Table* source,
                        const QString& sourceKeyField, const QString& resultField);
    /// A field filled by OnCalcFields on every read, never stored.
    void addCalculatedField(const QString& name, FieldType type, int size = 0);

    // Events. Registrations append: every rule set attached to an object runs, in order.
    void on(Event event, Handler handler);
    /// Runs when a value is stored in the field (by a control, a rule or code).
    void onFieldChange(const QString& field, FieldHandler handler);

    // Data links (controls, grids, detail objects).
    void addLink(DataLink* link);
    void removeLink(DataLink* link);
    /// Suspends link notifications during bulk work; the matching enable tells them once.
    void disableControls();
    void enableControls();

    /// Values of the record at a position without moving the cursor or firing scroll events
    /// (lookups and calculated fields included). For grids and reports.
    std::vector<QVariant> recordAt(int position);
    /// Every record the object shows, in its order, as recordAt gives them, read in one pass
    /// without moving the cursor: for choice lists and other reads of a whole table.
    void readEach(const std::function<void(const std::vector<QVariant>&)>& visit);
    /// The texts of one field of every record the object shows, in its order (readEach).
    QStringList textsOf(const QString& field);

    // Whole-table operations.
    void emptyTable();
    void flush();
    std::shared_ptr<TableFile> file() const { return file_; }

    // Used by Field.
    QVariant fieldValue(int index) const;
    void setFieldValue(int index, const QVariant& value);

protected:
    /// A fixed condition that always holds in addition to filter and master link (queries).
    void setBaseCondition(Condition condition);
    /// An explicit order by field positions that replaces index and natural order (queries).
    void setExplicitOrder(std::vector<int> order);

private:
    friend class Field;
    friend class MasterLink;
    class MasterLink;
    struct FieldInfo;

    const FieldInfo& fieldInfo(int index) const;
    FieldInfo& fieldInfo(int index);
    void fire(Event event);
    qint64 insertRenumbering();
    void noteFollower(const Table& detail);
    void moveFollowers(const QVariant& from, const QVariant& to);
    bool hasHandlers(Event event) const { return !handlers_[size_t(event)].empty(); }

    void requireActive() const;
    void requireDefinition() const;
    Condition effectiveCondition() const;
    /// The condition with `filter` in place of the object's own filter.
    Condition conditionWith(const Condition& filter) const;
    /// Throws the filter error when the engine refuses a selection on `condition`.
    void requireAccepted(TableFile& file, const Condition& condition,
                         const QString& filterText) const;
    /// The closed state, without events.
    void resetClosed();
    std::vector<int> effectiveOrder() const;
    void invalidate();
    bool ensureRows();
    void rebuildRows();
    void readCurrent();
    bool loadRecord(qint64 rowid, std::vector<QVariant>& buffer);
    void computeDerived(std::vector<QVariant>& buffer);
    void moveTo(int position, bool scrolled = true);
    /// Stands on the first record without building the list of rows when it is stale.
    void positionOnFirst();
    void notify(DataEvent event, int field = -1);
    void masterChanged();
    void initNewRecord();
    void setState(DataSetState state);
    int positionOf(qint64 rowid) const;
    void applyFilterText(const QString& text, bool on);

    QString folder_;
    QString name_;
    TableSet set_ = TableSet::Year;
    const TableDef* def_ = nullptr;
    std::shared_ptr<TableFile> file_;
    std::vector<FieldInfo> fields_;
    DataSetState state_ = DataSetState::Inactive;

    QString indexName_;
    std::vector<int> order_;
    std::vector<int> explicitOrder_;
    bool hasExplicitOrder_ = false;
    QString filterText_;
    bool filtered_ = false;
    Condition filterCondition_;
    Condition baseCondition_;

    Table* master_ = nullptr;
    std::vector<int> masterFields_;
    std::vector<int> detailFields_;
    std::unique_ptr<MasterLink> masterLink_;

    std::vector<qint64> rows_;
    bool rowsValid_ = false;
    quint64 seenVersion_ = 0;
    int pos_ = -1;
    qint64 currentRowid_ = 0;
    bool eof_ = true;
    bool bof_ = true;
    std::vector<QVariant> buffer_;
    qint64 shownRowid_ = 0; ///< the record buffer_ holds as read from the file; 0 for none
    std::vector<QVariant> savedBuffer_; ///< the record as it was before edit or append
    qint64 savedShownRowid_ = 0;
    bool modified_ = false;
    int allocatedField_ = -1;
    QVariant allocatedValue_;
    std::function<int()> allocate_;
    /// A record a detail object posted while this one's new record was still unposted, and the
    /// detail field holding this record's identifier: it follows a renumbering.
    struct Follower {
        std::shared_ptr<TableFile> file;
        qint64 rowid;
        int field;
    };
    std::vector<Follower> followers_;
    bool calculating_ = false;
    int disableCount_ = 0;
    bool pendingNotify_ = false;
    std::vector<DataLink*> links_;
    // A list, so that a handler registering another one does not move the running one.
    std::array<std::list<Handler>, eventCount> handlers_;
};

class AtomicFiles;

/// Makes the writes to several tables one all-or-nothing operation. While it lives, every post,
/// delete and emptyTable through the given table objects (or any other object on the same
/// files) belongs to it; commit() keeps them all, and an end without commit (an exception, an
/// early return) leaves every table as it was. A crash leaves all of it or none. The tables may
/// lie in different folders; more than the engine can join (eleven files) is refused when it
/// is made, as is a table another program holds locked. The objects must outlive it and keep
/// working normally afterwards.
///
///     store::AtomicWrite scope({&customers, &models, &technicians});
///     customers.emptyTable(); ... posts and deletes ...
///     scope.commit();
class AtomicWrite {
public:
    explicit AtomicWrite(const std::vector<Table*>& tables);
    ~AtomicWrite();
    AtomicWrite(const AtomicWrite&) = delete;
    AtomicWrite& operator=(const AtomicWrite&) = delete;

    /// Writes everything done so far to every file at once. Throws store::Error when it fails,
    /// and the tables then stay as they were.
    void commit();

private:
    std::vector<Table*> tables_;
    std::unique_ptr<AtomicFiles> unit_;
};

/// Per-field information of a table object: the stored definition plus what the object adds.
struct Table::FieldInfo {
    enum class Kind { Data, Lookup, Calculated };
    FieldDef def;
    Kind kind = Kind::Data;
    int lookupKey = -1;
    Table* lookupSource = nullptr;
    QString lookupSourceKey;
    QString lookupResult;
    std::list<FieldHandler> onChange;
    QString displayFormat;
};

// Defined here, where FieldInfo is complete.
inline int Table::fieldCount() const {
    return int(fields_.size());
}
inline const Table::FieldInfo& Table::fieldInfo(int index) const {
    return fields_[size_t(index)];
}
inline Table::FieldInfo& Table::fieldInfo(int index) {
    return fields_[size_t(index)];
}

} // namespace store
