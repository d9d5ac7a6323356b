#pragma once

#include "store/table.h"

#include <QString>
#include <functional>
#include <qnamespace.h>

class QWidget;

namespace ui {

/// Why a control must bring itself up to date after an event of its table object. Either way
/// it shows the field again: a change of another field or of the state is not passed on while
/// the user has a pending edit, which must stay.
enum class Refresh {
    Reload,  ///< the record or the control's own field changed
    IfClean, ///< another field or the state changed, and nothing is pending
};

/// The binding of one control to one field of a table object (the data link every data-aware
/// control owns). It turns the table's events into refresh requests, asks the control for its
/// pending edit before a post, and forgets a table object that is destroyed first.
class FieldLink final : public store::DataLink {
public:
    using RefreshFn = std::function<void(Refresh)>;
    /// Writes the control's pending edit into the field; throws store::Error when it cannot.
    using CommitFn = std::function<void()>;

    /// Binds `control` to `fieldName` of `table` (throws store::Error for an unknown field).
    /// The control is what boundControl finds for that field.
    FieldLink(store::Table& table, const QString& fieldName, RefreshFn refresh, CommitFn commit,
              QWidget* control = nullptr);
    ~FieldLink() override;
    FieldLink(const FieldLink&) = delete;
    FieldLink& operator=(const FieldLink&) = delete;

    /// The table object, or nullptr once it has been destroyed.
    store::Table* table() const { return table_; }
    /// The control bound through this link; nullptr when it was not named.
    QWidget* control() const { return control_; }
    /// True while the table object exists and is open.
    bool active() const { return table_ && table_->active(); }
    /// The bound field; only while table() is not null.
    store::Field field() const { return store::Field(*table_, index_); }
    store::FieldType type() const;
    /// True for a lookup or calculated field, which a control only shows.
    bool derived() const;
    /// True while the table is in Edit or Insert state.
    bool editing() const;

    /// Puts a table in Browse state into Edit (Insert on an empty table), as typing into a
    /// control does; the control is not told of the resulting events, so what the user just
    /// typed stays. Throws store::Error when the table refuses.
    void beginEdit();
    /// Stores a value into the field (beginning the edit when needed); the control is told of
    /// the stored value like any other change. Throws store::Error when the value does not fit.
    void write(const QVariant& value);

    /// The control holds an edit that the field has not received yet.
    bool pending() const { return pending_; }
    void setPending(bool on) { pending_ = on; }
    /// The user began changing the control: the table enters Edit (see beginEdit) and the edit
    /// is pending. When the table refuses, its message is shown as a warning and the answer is
    /// false: the control should show the field again.
    bool startPendingEdit();
    /// Stores the pending edit; a value that does not fit stays pending and store::Error is
    /// passed on.
    void storePending(const QVariant& value);
    /// The focus left the control for `reason`: a pending edit is stored (the commit function).
    /// One the field refuses stays pending; once the focus change is over the focus comes back
    /// to the control and the refusal is shown, unless a post has reported it meanwhile.
    void focusLeft(Qt::FocusReason reason);

    void dataEvent(store::Table& table, store::DataEvent event, int field) override;
    void updateData(store::Table& table) override;
    void tableDestroyed(store::Table& table) override;

private:
    store::Table* table_;
    int index_;
    QWidget* control_;
    RefreshFn refresh_;
    CommitFn commit_;
    bool quiet_ = false;
    bool pending_ = false;
    QString queuedWarning_;
};

/// True when a focus change for that reason leaves a control: a move inside the window (Tab, a
/// click, a shortcut) does, a message box or a menu opening over it does not.
bool leavesTheControl(Qt::FocusReason reason);

/// The control in `window` bound to `field` of `table` that can take the focus now (shown and
/// enabled); nullptr when there is none.
QWidget* boundControl(const store::Table& table, const QString& field, const QWidget* window);

} // namespace ui
