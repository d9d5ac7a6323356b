#include "ui/grid.h"

#include "store/error.h"
#include "ui/dialogs.h"

#include <QHeaderView>

namespace ui {

DataGrid::DataGrid(store::Table& table, std::vector<GridColumn> columns, QWidget* parent)
    : QTableView(parent)
    , model_(new TableModel(table, std::move(columns), this)) {
    setModel(model_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setRowSelect(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const std::vector<GridColumn>& cols = model_->columns();
    for (size_t i = 0; i < cols.size(); ++i)
        if (cols[i].width > 0)
            setColumnWidth(int(i), cols[i].width);

    // The selection must stay visible when another control has the focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight,
               p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText,
               p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);

    connect(model_, &TableModel::cursorMoved, this, &DataGrid::followCursor);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { userMoved(current); });
    followCursor(model_->currentRow());
}

void DataGrid::setRecordIndicator(bool on) {
    model_->setRecordIndicator(on);
    verticalHeader()->setVisible(on);
    verticalHeader()->setFixedWidth(on ? fontMetrics().horizontalAdvance(QChar(0x25B6)) + 10 : 0);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
}

void DataGrid::setRowSelect(bool on) {
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void DataGrid::setEditable(bool on) {
    model_->setEditable(on);
    setEditTriggers(on ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed
                       : QAbstractItemView::NoEditTriggers);
}

void DataGrid::followCursor(int row) {
    following_ = true;
    if (row < 0) {
        selectionModel()->clear();
    } else {
        const int column = currentIndex().isValid() ? currentIndex().column() : 0;
        const QModelIndex target = model_->index(row, std::max(column, 0));
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect |
                                                      (selectionBehavior() == SelectRows
                                                           ? QItemSelectionModel::Rows
                                                           : QItemSelectionModel::NoUpdate));
        scrollTo(target);
    }
    following_ = false;
}

void DataGrid::userMoved(const QModelIndex& current) {
    store::Table* table = model_->table();
    if (following_ || !current.isValid() || !table || !table->active())
        return;
    if (current.row() == model_->currentRow())
        return;
    try {
        table->setRecNo(current.row() + 1);
    } catch (const store::Error& e) {
        // The cursor stayed (the pending edit could not be posted): so does the grid.
        followCursor(model_->currentRow());
        dialogs().warning(e.message());
    }
}

} // namespace ui
