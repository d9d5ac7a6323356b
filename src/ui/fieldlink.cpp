#include "ui/fieldlink.h"

#include "store/error.h"
#include "ui/dialogs.h"

#include <QMetaObject>
#include <QWidget>
#include <algorithm>
#include <utility>
#include <vector>

namespace ui {

namespace {
/// Every link that names its control, for boundControl.
std::vector<const FieldLink*>& controlLinks() {
    static std::vector<const FieldLink*> links;
    return links;
}
} // namespace

FieldLink::FieldLink(store::Table& table, const QString& fieldName, RefreshFn refresh,
                     CommitFn commit, QWidget* control)
    : table_(&table)
    , index_(table.field(fieldName).index())
    , control_(control)
    , refresh_(std::move(refresh))
    , commit_(std::move(commit)) {
    table_->addLink(this);
    if (control_)
        controlLinks().push_back(this);
}

FieldLink::~FieldLink() {
    if (control_)
        std::erase(controlLinks(), this);
    if (table_)
        table_->removeLink(this);
}

bool leavesTheControl(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

QWidget* boundControl(const store::Table& table, const QString& field, const QWidget* window) {
    if (!window)
        return nullptr;
    for (const FieldLink* link : controlLinks()) {
        QWidget* control = link->control();
        if (link->table() == &table && control->window() == window && control->isVisible() &&
            control->isEnabled() && control->focusPolicy() != Qt::NoFocus &&
            link->field().name().compare(field, Qt::CaseInsensitive) == 0)
            return control;
    }
    return nullptr;
}

store::FieldType FieldLink::type() const {
    return table_->field(index_).type();
}

bool FieldLink::derived() const {
    return table_->field(index_).isLookup() || table_->field(index_).isCalculated();
}

bool FieldLink::editing() const {
    return table_ && (table_->state() == store::DataSetState::Edit ||
                      table_->state() == store::DataSetState::Insert);
}

void FieldLink::beginEdit() {
    if (!table_ || editing())
        return;
    quiet_ = true;
    try {
        table_->edit();
    } catch (...) {
        quiet_ = false;
        throw;
    }
    quiet_ = false;
}

bool FieldLink::startPendingEdit() {
    try {
        beginEdit();
        pending_ = true;
        return true;
    } catch (const store::Error& e) {
        dialogs().warning(e.message());
        return false;
    }
}

void FieldLink::storePending(const QVariant& value) {
    pending_ = false;
    try {
        write(value);
    } catch (...) {
        pending_ = true;
        throw;
    }
}

void FieldLink::focusLeft(Qt::FocusReason reason) {
    if (!pending_ || !control_ || !commit_ || !leavesTheControl(reason))
        return;
    try {
        queuedWarning_.clear();
        commit_();
    } catch (const store::Error& e) {
        // Shown once the focus change is over, not in the middle of the click that moved it.
        queuedWarning_ = e.message();
        QMetaObject::invokeMethod(
            control_,
            [this] {
                control_->setFocus(Qt::OtherFocusReason);
                if (!queuedWarning_.isEmpty())
                    dialogs().warning(std::exchange(queuedWarning_, QString()));
            },
            Qt::QueuedConnection);
    }
}

void FieldLink::write(const QVariant& value) {
    beginEdit();
    if (table_)
        field().setValue(value);
}

void FieldLink::dataEvent(store::Table&, store::DataEvent event, int fieldIndex) {
    if (quiet_ || !refresh_)
        return;
    switch (event) {
    case store::DataEvent::ActiveChanged:
    case store::DataEvent::DataSetChanged:
    case store::DataEvent::Scrolled:
        refresh_(Refresh::Reload);
        break;
    case store::DataEvent::RecordChanged:
        if (fieldIndex < 0 || fieldIndex == index_)
            refresh_(Refresh::Reload);
        else if (!pending_)
            refresh_(Refresh::IfClean);
        break;
    case store::DataEvent::StateChanged:
        if (!pending_)
            refresh_(Refresh::IfClean);
        break;
    }
}

void FieldLink::updateData(store::Table&) {
    // A post reports its own failure: a warning queued by an earlier focus loss would repeat it.
    queuedWarning_.clear();
    if (commit_)
        commit_();
}

void FieldLink::tableDestroyed(store::Table&) {
    table_ = nullptr;
    if (refresh_)
        refresh_(Refresh::Reload);
}

} // namespace ui
