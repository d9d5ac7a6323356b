#pragma once

#include "ui/gridmodel.h"

#include <QTableView>

namespace ui {

/// A grid over a table object (QTableView over a TableModel), read-only unless made
/// editable. Its current row and the table's cursor move together: clicking or moving with
/// the keys to a row moves the cursor there (a pending edit that cannot be posted is shown
/// as a warning and the grid goes back), and a cursor moved by anyone else selects its row.
/// The selection stays drawn when the grid loses the focus.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    DataGrid(store::Table& table, std::vector<GridColumn> columns, QWidget* parent = nullptr);

    TableModel& tableModel() const { return *model_; }
    /// Whole rows are selected (the default) or single cells.
    void setRowSelect(bool on);
    void setRowStyler(RowStyler styler) { model_->setRowStyler(std::move(styler)); }
    void setCellStyler(CellStyler styler) { model_->setCellStyler(std::move(styler)); }
    /// Lets the user type into the cells of data fields.
    void setEditable(bool on);
    /// Shows a narrow column of row headers marking the current record.
    void setRecordIndicator(bool on);
    /// The visible rectangle of a cell, in viewport coordinates (for tests and tooltips).
    QRect cellRect(int row, int column) const { return visualRect(model_->index(row, column)); }

private:
    void followCursor(int row);
    void userMoved(const QModelIndex& current);

    TableModel* model_;
    bool following_ = false;
};

} // namespace ui
