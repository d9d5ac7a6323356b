#include "ui/gridmodel.h"

#include "store/error.h"
#include "store/value.h"
#include "ui/dialogs.h"

#include <QFont>
#include <QTimer>
#include <utility>

namespace ui {

QVariant GridRow::value(const QString& field) const {
    for (int i = 0; i < table_.fieldCount() && size_t(i) < values_.size(); ++i)
        if (table_.fieldDefinition(i).name.compare(field, Qt::CaseInsensitive) == 0)
            return values_[size_t(i)];
    return {};
}

TableModel::TableModel(store::Table& table, std::vector<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent)
    , table_(&table)
    , columns_(std::move(columns)) {
    for (const GridColumn& column : columns_) {
        // A misspelt column is a programming error: say so now, not with an empty column.
        fieldIndex_.push_back(table.field(column.field).index());
    }
    // Counted before the link is made: a count that fails (the file locked by another program)
    // then leaves no link behind to a model that was never made.
    rows_ = table_->active() ? table_->recordCount() : 0;
    table_->addLink(this);
}

TableModel::~TableModel() {
    if (table_)
        table_->removeLink(this);
}

int TableModel::currentRow() const {
    if (!table_ || !table_->active() || table_->state() == store::DataSetState::Insert)
        return -1;
    // Asked from painting and selection signals, which cannot report a failure: a position that
    // cannot be read now (the file locked by another program) is none.
    try {
        const int row = table_->recNo() - 1;
        return row < rows_ ? row : -1;
    } catch (const store::Error&) {
        return -1;
    }
}

void TableModel::setRowStyler(RowStyler styler) {
    rowStyler_ = std::move(styler);
    if (rows_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
}

void TableModel::setCellStyler(CellStyler styler) {
    cellStyler_ = std::move(styler);
    if (rows_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
}

int TableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

const std::vector<QVariant>& TableModel::record(int row) const {
    // The record being edited shows what the user has typed so far.
    if (table_->state() == store::DataSetState::Edit && row == table_->recNo() - 1) {
        scratch_.assign(size_t(table_->fieldCount()), QVariant());
        for (int i = 0; i < table_->fieldCount(); ++i)
            scratch_[size_t(i)] = table_->fieldValue(i);
        return scratch_;
    }
    const auto found = cache_.find(row);
    if (found != cache_.end())
        return found->second;
    if (cache_.size() >= cacheSize) {
        cache_.erase(order_.front());
        order_.pop_front();
    }
    order_.push_back(row);
    return cache_.emplace(row, table_->recordAt(row)).first->second;
}

QString TableModel::cellText(int column, const QVariant& value) const {
    if (value.isNull() || !table_)
        return {};
    const int field = fieldIndex_[size_t(column)];
    const store::Field f = table_->field(field);
    switch (f.type()) {
    case store::FieldType::Boolean:
        return value.toBool() ? QStringLiteral("Sì") : QStringLiteral("No");
    case store::FieldType::Time:
    case store::FieldType::Number:
        return f.displayTextOf(value);
    case store::FieldType::Blob:
        return QStringLiteral("(Memo)");
    case store::FieldType::Graphic:
        return QStringLiteral("(Immagine)");
    default:
        break;
    }
    return store::value::toText(f.type(), value);
}

CellStyle TableModel::styleOf(int row, int column) const {
    CellStyle style;
    if (!rowStyler_ && !cellStyler_)
        return style;
    const GridRow values(*table_, record(row), row);
    if (rowStyler_)
        rowStyler_(values, style);
    if (cellStyler_)
        cellStyler_(values, column, style);
    return style;
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !table_ || !table_->active() || index.row() >= rows_ ||
        index.column() >= columnCount() || unreadable_)
        return {};
    // Painting cannot report a failure: a row that cannot be read now is shown blank and read
    // again a moment later.
    try {
        return cellData(index, role);
    } catch (const store::Error&) {
        unreadable_ = true;
        auto* self = const_cast<TableModel*>(this);
        QTimer::singleShot(retryAfterMs, self, [self] {
            self->unreadable_ = false;
            if (self->rows_ > 0)
                emit self->dataChanged(self->index(0, 0),
                                       self->index(self->rows_ - 1, self->columnCount() - 1));
        });
        return {};
    }
}

QVariant TableModel::cellData(const QModelIndex& index, int role) const {
    const int column = index.column();
    const int field = fieldIndex_[size_t(column)];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
        const QVariant value = record(index.row())[size_t(field)];
        return cellText(column, value);
    }
    case Qt::TextAlignmentRole: {
        const store::FieldType type = table_->field(field).type();
        const bool numeric = type == store::FieldType::Integer || type == store::FieldType::Number;
        return QVariant::fromValue(Qt::Alignment(numeric ? Qt::AlignRight | Qt::AlignVCenter
                                                         : Qt::AlignLeft | Qt::AlignVCenter));
    }
    case Qt::ForegroundRole: {
        const QColor c = styleOf(index.row(), column).text;
        return c.isValid() ? QVariant(c) : QVariant();
    }
    case Qt::BackgroundRole: {
        const QColor c = styleOf(index.row(), column).background;
        return c.isValid() ? QVariant(c) : QVariant();
    }
    case Qt::FontRole: {
        if (!styleOf(index.row(), column).bold)
            return {};
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    default:
        return {};
    }
}

void TableModel::setRecordIndicator(bool on) {
    if (on && !indicatorWired_) {
        indicatorWired_ = true;
        // The mark follows the cursor: the old and the new row's headers are redrawn.
        connect(this, &TableModel::cursorMoved, this, [this](int row) {
            const int old = std::exchange(markedRow_, row);
            if (old >= 0 && old < rows_)
                emit headerDataChanged(Qt::Vertical, old, old);
            if (row >= 0 && row < rows_)
                emit headerDataChanged(Qt::Vertical, row, row);
        });
    }
    indicator_ = on;
    markedRow_ = currentRow();
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical && indicator_ && role == Qt::DisplayRole)
        return section == currentRow() ? QStringLiteral("\u25B6") : QString();
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return columns_[size_t(section)].title;
    return {};
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable_ && table_ && !table_->field(fieldIndex_[size_t(index.column())]).isLookup() &&
        !table_->field(fieldIndex_[size_t(index.column())]).isCalculated())
        f |= Qt::ItemIsEditable;
    return f;
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!editable_ || role != Qt::EditRole || !index.isValid() || !table_ || !table_->active())
        return false;
    try {
        if (table_->recNo() - 1 != index.row())
            table_->setRecNo(index.row() + 1);
        if (table_->state() == store::DataSetState::Browse)
            table_->edit();
        table_->field(fieldIndex_[size_t(index.column())]).setAsString(value.toString());
        return true;
    } catch (const store::Error& e) {
        dialogs().warning(e.message());
        return false;
    }
}

void TableModel::reset() {
    beginResetModel();
    cache_.clear();
    order_.clear();
    rows_ = table_ && table_->active() ? table_->recordCount() : 0;
    endResetModel();
    emit cursorMoved(currentRow());
}

void TableModel::dataEvent(store::Table&, store::DataEvent event, int) {
    switch (event) {
    case store::DataEvent::ActiveChanged:
    case store::DataEvent::DataSetChanged:
        reset();
        break;
    case store::DataEvent::Scrolled:
        // The table may have re-read its rows (another object posted): a new count means
        // new rows.
        if (table_->recordCount() != rows_)
            reset();
        else
            emit cursorMoved(currentRow());
        break;
    case store::DataEvent::RecordChanged:
    case store::DataEvent::StateChanged: {
        const int row = table_->recNo() - 1;
        cache_.erase(row);
        if (row >= 0 && row < rows_)
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
        break;
    }
    }
}

void TableModel::tableDestroyed(store::Table&) {
    beginResetModel();
    table_ = nullptr;
    cache_.clear();
    order_.clear();
    rows_ = 0;
    endResetModel();
}

} // namespace ui
