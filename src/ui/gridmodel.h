#pragma once

#include "store/table.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QString>
#include <deque>
#include <functional>
#include <unordered_map>
#include <vector>

namespace ui {

/// One column of a grid: the field shown, its title and its width in pixels (0: the style's).
struct GridColumn {
    QString field;
    QString title;
    int width = 0;
};

/// Colours and weight of one cell; an invalid colour keeps the grid's own.
struct CellStyle {
    QColor text;
    QColor background;
    bool bold = false;
};

/// The values of one record as a grid shows it, for colour callbacks.
class GridRow {
public:
    GridRow(const store::Table& table, const std::vector<QVariant>& values, int row)
        : table_(table)
        , values_(values)
        , row_(row) {}
    /// The value of a field of the record (null when blank); an unknown name gives null.
    QVariant value(const QString& field) const;
    /// 0-based position of the record in the table's order and filter.
    int row() const { return row_; }

private:
    const store::Table& table_;
    const std::vector<QVariant>& values_;
    int row_;
};

using RowStyler = std::function<void(const GridRow& row, CellStyle& style)>;
using CellStyler = std::function<void(const GridRow& row, int column, CellStyle& style)>;

/// A read-only table model over a table object: one row per record in the object's order and
/// filter, one column per GridColumn. Records are read lazily through recordAt, without
/// moving the cursor, and a small cache is dropped whenever the table reports a change; the
/// current record shows its pending edit. Booleans read "Sì"/"No", dates dd/mm/yyyy, times
/// hh:mm, numbers by the field's display format; Blob and Graphic fields show "(Memo)" and
/// "(Immagine)".
class TableModel final : public QAbstractTableModel, private store::DataLink {
    Q_OBJECT
public:
    TableModel(store::Table& table, std::vector<GridColumn> columns, QObject* parent = nullptr);
    ~TableModel() override;

    store::Table* table() const { return table_; }
    const std::vector<GridColumn>& columns() const { return columns_; }
    /// The row of the table's current record; -1 when none (closed, empty, inserting).
    int currentRow() const;

    void setRowStyler(RowStyler styler);
    void setCellStyler(CellStyler styler);
    /// Cells become editable: a typed value goes into the field of that row's record, which
    /// the cursor moves to first; the record is posted when the cursor leaves it.
    void setEditable(bool on) { editable_ = on; }
    /// The row headers mark the current record with a triangle.
    void setRecordIndicator(bool on);
    bool editable() const { return editable_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    /// The text a cell shows for a value of that column.
    QString cellText(int column, const QVariant& value) const;

signals:
    /// The table's cursor moved (or the rows were reset): the view selects `row`.
    void cursorMoved(int row);

private:
    void dataEvent(store::Table& table, store::DataEvent event, int field) override;
    void tableDestroyed(store::Table& table) override;
    void reset();
    const std::vector<QVariant>& record(int row) const;
    CellStyle styleOf(int row, int column) const;

    store::Table* table_;
    std::vector<GridColumn> columns_;
    std::vector<int> fieldIndex_; ///< per column; -1 for an unknown field
    RowStyler rowStyler_;
    CellStyler cellStyler_;
    bool editable_ = false;
    bool indicator_ = false;
    bool indicatorWired_ = false;
    int markedRow_ = -1;
    int rows_ = 0;

    // Rows read recently, oldest first in `order_`.
    QVariant cellData(const QModelIndex& index, int role) const;

    static constexpr size_t cacheSize = 256;
    static constexpr int retryAfterMs = 1000;
    mutable std::unordered_map<int, std::vector<QVariant>> cache_;
    mutable std::deque<int> order_;
    mutable std::vector<QVariant> scratch_;
    /// Set when a row could not be read (its file locked by another program): the cells show
    /// blank, without waiting on the lock once more per cell, until the next try shortly after.
    mutable bool unreadable_ = false;
};

} // namespace ui
