// The table object: opening, filters and orders, the cursor, fields and reads.
#include "store/table.h"

#include "store/engine.h"
#include "store/error.h"
#include "store/value.h"

#include <algorithm>

namespace store {

// ---------------------------------------------------------------------------------------------
// Field

const QString& Field::name() const {
    return table_->fieldInfo(index_).def.name;
}
FieldType Field::type() const {
    return table_->fieldInfo(index_).def.type;
}
int Field::size() const {
    return table_->fieldInfo(index_).def.size;
}
bool Field::isCalculated() const {
    return table_->fieldInfo(index_).kind == Table::FieldInfo::Kind::Calculated;
}
bool Field::isLookup() const {
    return table_->fieldInfo(index_).kind == Table::FieldInfo::Kind::Lookup;
}
const FieldDef& Field::definition() const {
    return table_->fieldDefinition(index_);
}
bool Field::isNull() const {
    return table_->fieldValue(index_).isNull();
}
QVariant Field::value() const {
    return table_->fieldValue(index_);
}
QString Field::asString() const {
    return value::toText(type(), value());
}
int Field::asInteger() const {
    const QVariant v = value();
    return type() == FieldType::Number ? int(v.toDouble()) : v.toInt();
}
double Field::asFloat() const {
    return value().toDouble();
}
QDate Field::asDate() const {
    return value().toDate();
}
QTime Field::asTime() const {
    return value().toTime();
}
bool Field::asBoolean() const {
    return value().toBool();
}
QByteArray Field::asBytes() const {
    return value().toByteArray();
}

QString Field::displayText() const {
    return displayTextOf(value());
}

QString Field::displayTextOf(const QVariant& v) const {
    if (!v.isValid() || v.isNull())
        return {};
    const QString& format = displayFormat();
    if (type() == FieldType::Number && !format.isEmpty())
        return value::formatNumber(v.toDouble(), format);
    if (type() == FieldType::Time)
        return v.toTime().toString(QStringLiteral("HH:mm"));
    return value::toText(type(), v);
}

void Field::setValue(const QVariant& v) const {
    table_->setFieldValue(index_, v);
}
void Field::setAsString(const QString& text) const {
    const FieldDef& def = table_->fieldInfo(index_).def;
    setValue(def.type == FieldType::Text ? QVariant(text) : value::parse(def, text));
}
void Field::setDisplayFormat(const QString& pattern) const {
    table_->fieldInfo(index_).displayFormat = pattern;
}
QString Field::displayFormat() const {
    return table_->fieldInfo(index_).displayFormat;
}

// ---------------------------------------------------------------------------------------------
// Master link: a detail object listens to its master through this link.

class Table::MasterLink final : public DataLink {
public:
    explicit MasterLink(Table& detail)
        : detail_(detail) {}
    void dataEvent(Table&, DataEvent event, int field) override {
        switch (event) {
        case DataEvent::ActiveChanged:
        case DataEvent::DataSetChanged:
        case DataEvent::Scrolled:
            detail_.masterChanged();
            break;
        case DataEvent::RecordChanged:
            if (field < 0 || std::find(detail_.masterFields_.begin(), detail_.masterFields_.end(),
                                       field) != detail_.masterFields_.end())
                detail_.masterChanged();
            break;
        case DataEvent::StateChanged:
            break;
        }
    }
    void tableDestroyed(Table&) override {
        detail_.master_ = nullptr;
        detail_.masterFields_.clear();
        detail_.detailFields_.clear();
    }

private:
    Table& detail_;
};

// ---------------------------------------------------------------------------------------------
// Table

Table::Table() = default;

Table::Table(const QString& folder, const QString& tableName, TableSet set)
    : folder_(folder) {
    setTableName(tableName, set);
}

Table::~Table() {
    if (master_ && masterLink_)
        master_->removeLink(masterLink_.get());
    const std::vector<DataLink*> links = links_;
    for (DataLink* link : links)
        link->tableDestroyed(*this);
}

void Table::setDatabaseName(const QString& folder) {
    if (active())
        close();
    folder_ = folder;
}

void Table::setTableName(const QString& name, TableSet set) {
    if (active())
        close();
    def_ = &catalogue::get(set, name);
    name_ = def_->name;
    set_ = set;
    fields_.clear();
    for (const FieldDef& f : def_->fields) {
        FieldInfo info;
        info.def = f;
        fields_.push_back(info);
    }
    buffer_.assign(fields_.size(), QVariant());
    order_.clear();
    indexName_.clear();
}

const QString& Table::tableName() const {
    return name_;
}

const TableDef& Table::definition() const {
    requireDefinition();
    return *def_;
}

void Table::requireDefinition() const {
    if (!def_)
        throw Error(QStringLiteral("Tabella non specificata."));
}

void Table::requireActive() const {
    if (!active())
        throw Error(QStringLiteral("La tabella %1 non è aperta.").arg(name_));
}

void Table::open() {
    requireDefinition();
    if (active())
        return;
    if (filtered_)
        filterCondition_ = parseFilter(*def_, filterText_);
    std::shared_ptr<TableFile> file = openTableFile(folder_, *def_);
    {
        // The first record is read before anyone hears of the open, so that a file that cannot
        // be read (damaged pages, a lock, a selection the engine refuses) leaves it closed.
        const Condition condition = effectiveCondition();
        ReadScope read(file.get());
        requireAccepted(*file, condition, filtered_ ? filterText_ : QString());
        if (const std::optional<qint64> row = file->selectFirst(condition, effectiveOrder())) {
            std::vector<QVariant> record;
            file->read(*row, record);
        }
    }
    file_ = std::move(file);
    buffer_.assign(fields_.size(), QVariant());
    shownRowid_ = 0;
    state_ = DataSetState::Browse;
    rowsValid_ = false;
    currentRowid_ = 0;
    pos_ = -1;
    try {
        fire(Event::AfterOpen);
        notify(DataEvent::ActiveChanged);
        positionOnFirst();
    } catch (...) {
        // Failed means closed: the data module leaves a failing table and those after it shut.
        resetClosed();
        try {
            notify(DataEvent::ActiveChanged);
        } catch (...) {
        }
        throw;
    }
}

void Table::requireAccepted(TableFile& file, const Condition& condition,
                            const QString& filterText) const {
    // With room for the comparisons a locate or a master link adds, so that neither meets a
    // refusal later.
    Condition probe = condition;
    for (int i = 0; i < 4; ++i)
        probe = Condition::both(std::move(probe), Condition::compare(0, CompareOp::Eq, {}));
    if (file.accepts(probe))
        return;
    if (filterText.isEmpty())
        throw Error(QStringLiteral("Selezione troppo complessa sulla tabella %1.").arg(name_));
    throw Error(QStringLiteral("Filtro non valido (troppo complesso): %1").arg(filterText));
}

void Table::positionOnFirst() {
    std::optional<qint64> row;
    if (rowsValid_ && file_->version() == seenVersion_) {
        if (!rows_.empty())
            row = rows_.front();
    } else {
        rowsValid_ = false;
        row = file_->selectFirst(effectiveCondition(), effectiveOrder());
    }
    pos_ = row ? 0 : -1;
    currentRowid_ = row.value_or(0);
    readCurrent();
    fire(Event::AfterScroll);
    notify(DataEvent::Scrolled);
    bof_ = true;
    eof_ = !row;
}

void Table::close() {
    if (!active())
        return;
    fire(Event::BeforeClose);
    resetClosed();
    notify(DataEvent::ActiveChanged);
}

void Table::resetClosed() {
    state_ = DataSetState::Inactive;
    modified_ = false;
    file_.reset();
    rows_.clear();
    rowsValid_ = false;
    pos_ = -1;
    currentRowid_ = 0;
    eof_ = bof_ = true;
    buffer_.assign(fields_.size(), QVariant());
    shownRowid_ = 0;
}

void Table::setIndexName(const QString& name) {
    requireDefinition();
    std::vector<int> order;
    if (!name.isEmpty()) {
        const IndexDef* index = def_->index(name);
        if (!index)
            throw Error(QStringLiteral("Indice %1 inesistente nella tabella %2.").arg(name, name_));
        for (const QString& f : index->fields)
            order.push_back(def_->fieldIndex(f));
    }
    indexName_ = name;
    order_ = std::move(order);
    if (active()) {
        checkBrowseMode();
        invalidate();
        notify(DataEvent::DataSetChanged);
    }
}

void Table::setIndexFieldNames(const QString& names) {
    requireDefinition();
    std::vector<int> order;
    for (const QString& raw : names.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const int f = def_->fieldIndex(raw.trimmed());
        if (f < 0)
            throw Error(
                QStringLiteral("Campo %1 inesistente nella tabella %2.").arg(raw.trimmed(), name_));
        order.push_back(f);
    }
    indexName_.clear();
    order_ = std::move(order);
    if (active()) {
        checkBrowseMode();
        invalidate();
        notify(DataEvent::DataSetChanged);
    }
}

void Table::setFilter(const QString& text) {
    applyFilterText(text, filtered_);
}

void Table::setFiltered(bool on) {
    applyFilterText(filterText_, on);
}

void Table::applyFilterText(const QString& text, bool on) {
    if (!on && !filtered_) {
        // Off before and after: only the text changes, the records shown stay the same.
        if (active())
            checkBrowseMode();
        filterText_ = text;
        return;
    }
    filterText_ = text;
    Condition condition;
    if (on && def_) {
        try {
            condition = parseFilter(*def_, text);
            // One the engine cannot run is refused now, like one that cannot be read, rather
            // than failing every later move and count.
            if (active())
                requireAccepted(*file_, conditionWith(condition), text);
        } catch (const Error&) {
            const bool wasOn = filtered_;
            filtered_ = false;
            filterCondition_ = {};
            if (wasOn && active()) {
                invalidate();
                first();
                notify(DataEvent::DataSetChanged);
            }
            throw;
        }
    }
    if (active())
        checkBrowseMode();
    filtered_ = on;
    filterCondition_ = std::move(condition);
    if (active()) {
        invalidate();
        first();
        notify(DataEvent::DataSetChanged);
    }
}

void Table::setMasterSource(Table* master, const QString& masterFields,
                            const QString& detailFields) {
    requireDefinition();
    const bool hadMaster = master_ != nullptr;
    if (master_ && masterLink_)
        master_->removeLink(masterLink_.get());
    master_ = nullptr;
    masterFields_.clear();
    detailFields_.clear();
    if (!master) {
        // Without the link every record shows again, at once.
        if (hadMaster)
            masterChanged();
        return;
    }
    const QStringList m = masterFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    const QStringList d = detailFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (m.size() != d.size() || m.isEmpty())
        throw Error(
            QStringLiteral("Collegamento principale/dettaglio non valido su %1.").arg(name_));
    for (int i = 0; i < m.size(); ++i) {
        const int mf = master->definition().fieldIndex(m[i].trimmed());
        const int df = def_->fieldIndex(d[i].trimmed());
        if (mf < 0 || df < 0)
            throw Error(
                QStringLiteral("Collegamento principale/dettaglio non valido su %1.").arg(name_));
        masterFields_.push_back(mf);
        detailFields_.push_back(df);
    }
    master_ = master;
    if (!masterLink_)
        masterLink_ = std::make_unique<MasterLink>(*this);
    master_->addLink(masterLink_.get());
    if (active())
        masterChanged();
}

void Table::masterChanged() {
    if (!active())
        return;
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert)
        checkBrowseMode();
    invalidate();
    positionOnFirst();
    notify(DataEvent::DataSetChanged);
}

Condition Table::effectiveCondition() const {
    return conditionWith(filtered_ ? filterCondition_ : Condition());
}

Condition Table::conditionWith(const Condition& filter) const {
    Condition c = Condition::both(baseCondition_, filter);
    if (master_) {
        if (!master_->active()) {
            Condition none;
            none.kind = Condition::Kind::None;
            return none;
        }
        for (size_t i = 0; i < masterFields_.size(); ++i) {
            const FieldDef& df = def_->fields[size_t(detailFields_[i])];
            const QVariant v = value::normalise(df, master_->fieldValue(masterFields_[i]));
            c = Condition::both(std::move(c),
                                Condition::compare(detailFields_[i], CompareOp::Eq, v));
        }
    }
    return c;
}

std::vector<int> Table::effectiveOrder() const {
    if (hasExplicitOrder_)
        return explicitOrder_;
    if (!order_.empty())
        return order_;
    if (!def_->key.isEmpty())
        return {def_->fieldIndex(def_->key)};
    return {};
}

void Table::setBaseCondition(Condition condition) {
    baseCondition_ = std::move(condition);
    invalidate();
}

void Table::setExplicitOrder(std::vector<int> order) {
    explicitOrder_ = std::move(order);
    hasExplicitOrder_ = !explicitOrder_.empty();
    invalidate();
}

void Table::invalidate() {
    rowsValid_ = false;
}

bool Table::ensureRows() {
    requireActive();
    const quint64 version = file_->version();
    if (rowsValid_ && version == seenVersion_)
        return false;
    rebuildRows();
    seenVersion_ = version;
    return true;
}

void Table::rebuildRows() {
    rows_ = file_->select(effectiveCondition(), effectiveOrder());
    rowsValid_ = true;
    const int found = positionOf(currentRowid_);
    if (found >= 0) {
        pos_ = found;
    } else if (rows_.empty()) {
        pos_ = -1;
    } else {
        pos_ = std::clamp(pos_, 0, int(rows_.size()) - 1);
    }
    currentRowid_ = pos_ >= 0 ? rows_[size_t(pos_)] : 0;
    if (rows_.empty())
        eof_ = bof_ = true;
    if (state_ == DataSetState::Browse)
        readCurrent();
}

int Table::positionOf(qint64 rowid) const {
    if (rowid == 0)
        return -1;
    const auto it = std::find(rows_.begin(), rows_.end(), rowid);
    return it == rows_.end() ? -1 : int(it - rows_.begin());
}

bool Table::loadRecord(qint64 rowid, std::vector<QVariant>& buffer) {
    std::vector<QVariant> stored;
    buffer.assign(fields_.size(), QVariant());
    if (rowid == 0 || !file_->read(rowid, stored))
        return false;
    std::copy(stored.begin(), stored.end(), buffer.begin());
    return true;
}

void Table::readCurrent() {
    shownRowid_ = 0;
    if (loadRecord(currentRowid_, buffer_))
        shownRowid_ = currentRowid_;
    computeDerived(buffer_);
}

void Table::computeDerived(std::vector<QVariant>& buffer) {
    bool hasCalculated = false;
    for (size_t i = def_->fields.size(); i < fields_.size(); ++i) {
        FieldInfo& info = fields_[i];
        if (info.kind == FieldInfo::Kind::Lookup) {
            const QVariant key = buffer[size_t(info.lookupKey)];
            buffer[i] =
                info.lookupSource && info.lookupSource->active() && !key.isNull()
                    ? value::normalise(info.def, info.lookupSource->lookup(info.lookupSourceKey,
                                                                           key, info.lookupResult))
                    : QVariant();
        } else {
            buffer[i] = QVariant();
            hasCalculated = true;
        }
    }
    if (hasCalculated && hasHandlers(Event::CalcFields)) {
        std::swap(buffer, buffer_);
        calculating_ = true;
        try {
            fire(Event::CalcFields);
        } catch (...) {
            calculating_ = false;
            std::swap(buffer, buffer_);
            throw;
        }
        calculating_ = false;
        std::swap(buffer, buffer_);
    }
}

void Table::moveTo(int position, bool scrolled) {
    pos_ = position;
    currentRowid_ = position >= 0 && position < int(rows_.size()) ? rows_[size_t(position)] : 0;
    readCurrent();
    if (scrolled) {
        fire(Event::AfterScroll);
        notify(DataEvent::Scrolled);
    }
}

void Table::first() {
    requireActive();
    checkBrowseMode();
    positionOnFirst();
}

void Table::last() {
    requireActive();
    checkBrowseMode();
    ensureRows();
    moveTo(int(rows_.size()) - 1);
    eof_ = true;
    bof_ = rows_.empty();
}

void Table::next() {
    requireActive();
    checkBrowseMode();
    ensureRows();
    if (pos_ + 1 < int(rows_.size())) {
        moveTo(pos_ + 1);
        eof_ = false;
        bof_ = false;
    } else {
        eof_ = true;
    }
}

void Table::forEachRecord(const std::function<void()>& visit) {
    requireActive();
    checkBrowseMode();
    const quint64 version = file_->version();
    invalidate(); // the list of rows is made along the walk
    buffer_.resize(fields_.size());
    std::vector<qint64> rows;
    file_->scan(effectiveCondition(), effectiveOrder(),
                [&](qint64 rowid, std::vector<QVariant>& values) {
                    rows.push_back(rowid);
                    pos_ = int(rows.size()) - 1;
                    currentRowid_ = shownRowid_ = rowid;
                    std::move(values.begin(), values.end(), buffer_.begin());
                    computeDerived(buffer_);
                    bof_ = eof_ = false;
                    fire(Event::AfterScroll);
                    notify(DataEvent::Scrolled);
                    visit();
                });
    rows_ = std::move(rows);
    rowsValid_ = true;
    seenVersion_ = version;
    pos_ = int(rows_.size()) - 1;
    eof_ = true;
    bof_ = rows_.empty();
    if (rows_.empty()) {
        currentRowid_ = 0;
        readCurrent();
    }
}

void Table::prior() {
    requireActive();
    checkBrowseMode();
    ensureRows();
    if (pos_ > 0) {
        moveTo(pos_ - 1);
        bof_ = false;
        eof_ = false;
    } else {
        bof_ = true;
    }
}

void Table::moveBy(int distance) {
    requireActive();
    checkBrowseMode();
    ensureRows();
    if (rows_.empty())
        return;
    const int target = pos_ + distance;
    moveTo(std::clamp(target, 0, int(rows_.size()) - 1));
    bof_ = target <= 0;
    eof_ = target >= int(rows_.size()) - 1 && distance > 0;
}

bool Table::isEmpty() {
    return recordCount() == 0;
}

int Table::recordCount() {
    requireActive();
    ensureRows();
    return int(rows_.size());
}

int Table::recNo() {
    requireActive();
    ensureRows();
    return pos_ + 1;
}

void Table::setRecNo(int position) {
    requireActive();
    checkBrowseMode();
    ensureRows();
    if (rows_.empty())
        return;
    moveTo(std::clamp(position - 1, 0, int(rows_.size()) - 1));
    bof_ = eof_ = false;
}

Bookmark Table::bookmark() const {
    return currentRowid_;
}

bool Table::bookmarkValid(Bookmark b) {
    requireActive();
    ensureRows();
    return positionOf(b) >= 0;
}

void Table::gotoBookmark(Bookmark b) {
    requireActive();
    checkBrowseMode();
    ensureRows();
    const int position = positionOf(b);
    if (position < 0)
        throw Error(QStringLiteral("Record non trovato nella tabella %1.").arg(name_));
    moveTo(position);
    bof_ = eof_ = false;
}

void Table::refresh() {
    requireActive();
    checkBrowseMode();
    invalidate();
    ensureRows();
    notify(DataEvent::DataSetChanged);
}

namespace {

// A locate or lookup value in its field's type. Texts stay whole: cut to the field's size they
// could match a stored prefix.
QVariant searchValue(const FieldDef& field, const QVariant& v) {
    if (field.type == FieldType::Text) {
        const QString s = v.isNull() ? QString() : v.toString();
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    return value::normalise(field, v);
}

} // namespace

bool Table::locate(const QString& fields, const QVariantList& values, bool partial) {
    requireActive();
    checkBrowseMode();
    const QStringList names = fields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (names.size() != values.size())
        throw Error(QStringLiteral("Ricerca non valida sulla tabella %1.").arg(name_));
    Condition c = effectiveCondition();
    for (int i = 0; i < names.size(); ++i) {
        const int f = def_->fieldIndex(names[i].trimmed());
        if (f < 0)
            throw Error(QStringLiteral("Campo %1 inesistente nella tabella %2.")
                            .arg(names[i].trimmed(), name_));
        const FieldDef& def = def_->fields[size_t(f)];
        QVariant v;
        try {
            v = searchValue(def, values[i]);
        } catch (const Error&) {
            return false; // a value that cannot be in the field is simply not found
        }
        const bool startsWith = partial && def.type == FieldType::Text;
        c = Condition::both(
            std::move(c),
            Condition::compare(f, startsWith ? CompareOp::StartsWith : CompareOp::Eq, v));
    }
    {
        // One read transaction for the search, the list and the record; the scroll events
        // run after it, since their handlers may write.
        ReadScope read(file_.get());
        const std::optional<qint64> row = file_->selectFirst(c, effectiveOrder());
        if (!row)
            return false;
        ensureRows();
        const int position = positionOf(*row);
        if (position < 0)
            return false;
        pos_ = position;
        currentRowid_ = *row;
        readCurrent();
    }
    bof_ = eof_ = false;
    fire(Event::AfterScroll);
    notify(DataEvent::Scrolled);
    return true;
}

bool Table::locate(const QString& field, const QVariant& value, bool partial) {
    return locate(field, QVariantList{value}, partial);
}

QVariant Table::lookup(const QString& keyField, const QVariant& v, const QString& resultField) {
    requireActive();
    const int key = def_->fieldIndex(keyField);
    const int result = def_->fieldIndex(resultField);
    if (key < 0 || result < 0)
        throw Error(QStringLiteral("Campo inesistente nella tabella %1.").arg(name_));
    QVariant sought;
    try {
        sought = searchValue(def_->fields[size_t(key)], v);
    } catch (const Error&) {
        return {};
    }
    const Condition c =
        Condition::both(effectiveCondition(), Condition::compare(key, CompareOp::Eq, sought));
    const std::optional<qint64> row = file_->selectFirst(c, effectiveOrder());
    if (!row)
        return {};
    std::vector<QVariant> record;
    if (!file_->read(*row, record))
        return {};
    return record[size_t(result)];
}

void Table::checkBrowseMode() {
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert)
        return;
    const std::vector<DataLink*> links = links_;
    for (DataLink* link : links)
        link->updateData(*this);
    if (modified_)
        post();
    else
        cancel();
}

Field Table::field(int index) {
    if (index < 0 || index >= int(fields_.size()))
        throw Error(QStringLiteral("Campo inesistente nella tabella %1.").arg(name_));
    return Field(*this, index);
}

Field Table::field(const QString& name) {
    for (size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].def.name.compare(name, Qt::CaseInsensitive) == 0)
            return Field(*this, int(i));
    throw Error(QStringLiteral("Campo %1 inesistente nella tabella %2.").arg(name, name_));
}

bool Table::hasField(const QString& name) const {
    return std::any_of(fields_.begin(), fields_.end(), [&](const FieldInfo& f) {
        return f.def.name.compare(name, Qt::CaseInsensitive) == 0;
    });
}

void Table::addLookupField(const QString& name, int size, const QString& keyField, Table* source,
                           const QString& sourceKeyField, const QString& resultField) {
    requireDefinition();
    const int key = def_->fieldIndex(keyField);
    if (key < 0 || !source)
        throw Error(QStringLiteral("Campo di consultazione %1 non valido.").arg(name));
    FieldInfo info;
    info.def = FieldDef{name, FieldType::Text, size, false};
    info.kind = FieldInfo::Kind::Lookup;
    info.lookupKey = key;
    info.lookupSource = source;
    info.lookupSourceKey = sourceKeyField;
    info.lookupResult = resultField;
    fields_.push_back(info);
    buffer_.resize(fields_.size());
    if (active())
        computeDerived(buffer_); // the current record shows it at once, as every other does
}

void Table::addCalculatedField(const QString& name, FieldType type, int size) {
    requireDefinition();
    FieldInfo info;
    info.def = FieldDef{name, type, size, false};
    info.kind = FieldInfo::Kind::Calculated;
    fields_.push_back(info);
    buffer_.resize(fields_.size());
    if (active())
        computeDerived(buffer_);
}

const FieldDef& Table::fieldDefinition(int index) const {
    return fieldInfo(index).def;
}

void Table::on(Event event, Handler handler) {
    if (handler)
        handlers_[size_t(event)].push_back(std::move(handler));
}

void Table::onFieldChange(const QString& fieldName, FieldHandler handler) {
    if (handler)
        fieldInfo(field(fieldName).index()).onChange.push_back(std::move(handler));
}

void Table::fire(Event event) {
    for (const Handler& handler : handlers_[size_t(event)])
        handler(*this);
}

QVariant Table::fieldValue(int index) const {
    return buffer_[size_t(index)];
}

void Table::setFieldValue(int index, const QVariant& v) {
    FieldInfo& info = fields_[size_t(index)];
    if (info.kind == FieldInfo::Kind::Calculated && calculating_) {
        buffer_[size_t(index)] = value::normalise(info.def, v);
        return;
    }
    requireActive();
    if (info.kind == FieldInfo::Kind::Lookup)
        throw Error(QStringLiteral("Il campo %1 è di sola lettura.").arg(info.def.name));
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert)
        throw Error(QStringLiteral("La tabella %1 non è in modifica o inserimento.").arg(name_));
    buffer_[size_t(index)] = value::normalise(info.def, v);
    if (info.kind == FieldInfo::Kind::Data) {
        modified_ = true;
        for (size_t i = def_->fields.size(); i < fields_.size(); ++i)
            if (fields_[i].kind == FieldInfo::Kind::Lookup && fields_[i].lookupKey == index) {
                computeDerived(buffer_);
                break;
            }
    }
    for (const FieldHandler& handler : info.onChange)
        handler(Field(*this, index));
    notify(DataEvent::RecordChanged, index);
}

void Table::addLink(DataLink* link) {
    if (std::find(links_.begin(), links_.end(), link) == links_.end())
        links_.push_back(link);
}

void Table::removeLink(DataLink* link) {
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

void Table::disableControls() {
    ++disableCount_;
}

void Table::enableControls() {
    if (disableCount_ > 0 && --disableCount_ == 0 && pendingNotify_) {
        pendingNotify_ = false;
        notify(DataEvent::DataSetChanged);
    }
}

void Table::notify(DataEvent event, int fieldIndex) {
    if (disableCount_ > 0) {
        pendingNotify_ = true;
        return;
    }
    const std::vector<DataLink*> links = links_;
    for (DataLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end())
            link->dataEvent(*this, event, fieldIndex);
}

std::vector<QVariant> Table::recordAt(int position) {
    requireActive();
    ensureRows();
    if (position < 0 || position >= int(rows_.size()))
        return std::vector<QVariant>(fields_.size());
    if (position == pos_ && state_ == DataSetState::Browse)
        return buffer_;
    std::vector<QVariant> record;
    loadRecord(rows_[size_t(position)], record);
    computeDerived(record);
    return record;
}

void Table::readEach(const std::function<void(const std::vector<QVariant>&)>& visit) {
    requireActive();
    std::vector<QVariant> record;
    file_->scan(effectiveCondition(), effectiveOrder(), [&](qint64, std::vector<QVariant>& values) {
        record.assign(fields_.size(), QVariant());
        std::move(values.begin(), values.end(), record.begin());
        computeDerived(record);
        visit(record);
    });
}

QStringList Table::textsOf(const QString& field) {
    const int index = this->field(field).index();
    QStringList texts;
    readEach(
        [&](const std::vector<QVariant>& record) { texts << record[size_t(index)].toString(); });
    return texts;
}

void Table::emptyTable() {
    requireDefinition();
    std::shared_ptr<TableFile> file = file_ ? file_ : openTableFile(folder_, *def_);
    Transaction transaction(file);
    file->removeAll();
    transaction.commit();
    if (active()) {
        invalidate();
        first();
        notify(DataEvent::DataSetChanged);
    }
}

void Table::flush() {
    if (file_)
        file_->flush();
}

} // namespace store
