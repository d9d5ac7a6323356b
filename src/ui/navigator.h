#pragma once

#include "store/table.h"

#include <QFlags>
#include <QWidget>
#include <array>
#include <functional>

class QToolButton;

namespace ui {

/// A row of buttons that moves and edits a table object: first, prior, next, last, append,
/// delete, edit, post, cancel, refresh. Buttons are enabled as they make sense (moves in
/// Browse state away from that end, post and cancel while editing, delete and edit on a
/// record); all are disabled while the table object is closed. Delete asks "Eliminare il
/// record?" through the dialogs service unless told not to. A table-store failure is shown as
/// a warning and the command stops.
class Navigator : public QWidget, private store::DataLink {
    Q_OBJECT
public:
    enum class Button { First, Prior, Next, Last, Append, Delete, Edit, Post, Cancel, Refresh };
    Q_ENUM(Button)
    static constexpr int buttonCount = 10;

    explicit Navigator(store::Table& table, QWidget* parent = nullptr);
    ~Navigator() override;

    /// Shows only the given buttons, in the standard order.
    void setVisibleButtons(std::initializer_list<Button> buttons);
    void setConfirmDelete(bool on) { confirmDelete_ = on; }
    /// Called before a button acts; answering false stops it (a screen's own checks).
    void setBeforeAction(std::function<bool(Button)> check) { beforeAction_ = std::move(check); }
    /// The button's widget (objectName "first", "prior", ... for tests and styles).
    QToolButton* button(Button which) const { return buttons_[size_t(which)]; }
    /// Does what clicking the button does.
    void press(Button which);

private:
    void dataEvent(store::Table& table, store::DataEvent event, int field) override;
    void tableDestroyed(store::Table& table) override;
    void updateButtons();

    store::Table* table_;
    std::array<QToolButton*, buttonCount> buttons_{};
    std::function<bool(Button)> beforeAction_;
    bool confirmDelete_ = true;
};

} // namespace ui
