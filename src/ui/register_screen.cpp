#include "ui/register_screen.h"

#include "store/error.h"
#include "store/table.h"
#include "ui/dbchoice.h"
#include "ui/dbedit.h"
#include "ui/dbrich.h"
#include "ui/dialogs.h"
#include "ui/formkit.h"
#include "ui/grid.h"
#include "ui/pagestack.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace ui {

QString DeletePlan::refusalPrefix() {
    return QStringLiteral("Eliminazione impossibile. Eliminare prima ");
}

namespace {

/// A page: its content on top, a row of buttons below.
QWidget* makePage(QVBoxLayout*& content, QHBoxLayout*& buttons) {
    auto* page = new QWidget;
    auto* outer = new QVBoxLayout(page);
    content = new QVBoxLayout;
    outer->addLayout(content, 1);
    buttons = new QHBoxLayout;
    buttons->addStretch(1);
    outer->addLayout(buttons);
    return page;
}

} // namespace

RegisterScreen::RegisterScreen(store::Table& table, QWidget* parent)
    : Screen(parent)
    , table_(table)
    , pages_(new PageStack(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(pages_);
    pages_->addPage(listPageName, makePage(listContent_, listButtons_));
    pages_->addPage(editPageName, makePage(editContent_, editButtons_));
    pages_->showPage(listPageName);
    setEditingRefusal(defaultEditingRefusal(), *pages_, editPageName);
}

RegisterScreen::RegisterScreen(store::Table& table, const QString& title, const QSize& size,
                               QWidget* parent)
    : RegisterScreen(table, parent) {
    setWindowTitle(title);
    resize(size);
}

bool RegisterScreen::editing() const {
    return pages_->isShowing(editPageName);
}

DataGrid* RegisterScreen::addGrid(std::vector<GridColumn> columns) {
    grid_ = new DataGrid(table_, std::move(columns));
    grid_->setRowSelect(true);
    grid_->horizontalHeader()->setStretchLastSection(true);
    listContent_->addWidget(grid_, 1);
    return grid_;
}

QFormLayout* RegisterScreen::editForm() {
    if (!editForm_) {
        editForm_ = new QFormLayout;
        editForm_->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
        editContent_->addLayout(editForm_);
        editContent_->addStretch(1);
    }
    return editForm_;
}

DbEdit* RegisterScreen::addFieldRow(const QString& label, const QString& field, bool upperCase) {
    auto* box = new DbEdit(table_, field);
    box->setUpperCase(upperCase);
    editForm()->addRow(label, box);
    boxes_[field] = box;
    return box;
}

DbComboBox* RegisterScreen::addValueListRow(const QString& label, const QString& field,
                                            const QStringList& entries) {
    auto* list = new DbComboBox(table_, field);
    list->setValueList(entries);
    editForm()->addRow(label, list);
    return list;
}

DbEdit* RegisterScreen::box(const QString& field) const {
    const auto it = boxes_.find(field);
    return it == boxes_.end() ? nullptr : it->second;
}

void RegisterScreen::setEnterChain(std::vector<QWidget*> chain) {
    new EnterChain(std::move(chain), this);
}

void RegisterScreen::addShortcut(const QKeySequence& key, std::function<void()> command) {
    auto* shortcut = new QShortcut(key, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [command = std::move(command)] { command(); });
}

QWidget* RegisterScreen::fieldBox(const QString& label) const {
    if (!editForm_)
        return nullptr;
    for (int row = 0; row < editForm_->rowCount(); ++row) {
        QLayoutItem* labelItem = editForm_->itemAt(row, QFormLayout::LabelRole);
        QLayoutItem* fieldItem = editForm_->itemAt(row, QFormLayout::FieldRole);
        auto* text = labelItem ? qobject_cast<QLabel*>(labelItem->widget()) : nullptr;
        if (text && fieldItem && text->text() == label)
            return fieldItem->widget();
    }
    return nullptr;
}

QPushButton* RegisterScreen::makeButton(QHBoxLayout* row, const QString& caption,
                                        std::function<void()> action) {
    auto* b = new QPushButton(caption);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [action = std::move(action)] { action(); });
    row->addWidget(b);
    return b;
}

QPushButton* RegisterScreen::addListButton(const QString& caption, std::function<void()> action) {
    return makeButton(listButtons_, caption, std::move(action));
}

QPushButton* RegisterScreen::addEditButton(const QString& caption, std::function<void()> action) {
    return makeButton(editButtons_, caption, std::move(action));
}

QPushButton* RegisterScreen::addNewButton(const QString& caption) {
    return addListButton(caption, [this] { startNew(); });
}

QPushButton* RegisterScreen::addModifyButton(const QString& caption) {
    return addListButton(caption, [this] { startEdit(); });
}

QPushButton* RegisterScreen::addCloseButton(const QString& caption) {
    return addListButton(caption, [this] { closeScreen(); });
}

QPushButton* RegisterScreen::addConfirmButton(const QString& caption) {
    return addEditButton(caption, [this] { confirm(); });
}

QPushButton* RegisterScreen::addCancelButton(const QString& caption) {
    return addEditButton(caption, [this] { cancelEdit(); });
}

QPushButton* RegisterScreen::button(const QString& caption) const {
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->text() == caption)
            return b;
    return nullptr;
}

void RegisterScreen::setPageHooks(std::function<void()> onEdit, std::function<void()> onList) {
    onEdit_ = std::move(onEdit);
    onList_ = std::move(onList);
}

void RegisterScreen::showEditPage() {
    pages_->showPage(editPageName);
    if (onEdit_)
        onEdit_();
    // A control that cannot take the focus (hidden, disabled) is simply not focused.
    if (firstEditor_)
        firstEditor_->setFocus(Qt::OtherFocusReason);
}

void RegisterScreen::showListPage() {
    if (onList_)
        onList_();
    pages_->showPage(listPageName);
    if (grid_)
        grid_->setFocus(Qt::OtherFocusReason);
}

bool RegisterScreen::startNew() {
    try {
        table_.append();
    } catch (const std::exception& e) {
        showFailure(e);
        return false;
    }
    showEditPage();
    return true;
}

bool RegisterScreen::startEdit() {
    try {
        table_.edit();
    } catch (const std::exception& e) {
        showFailure(e);
        return false;
    }
    showEditPage();
    return true;
}

void RegisterScreen::commitFocused() {
    QWidget* focused = QApplication::focusWidget();
    if (auto* edit = qobject_cast<DbEdit*>(focused))
        edit->commit();
    else if (auto* rich = qobject_cast<DbRichEdit*>(focused))
        rich->commit();
}

bool RegisterScreen::confirm() {
    try {
        // The rules on the focused box's field run before the checks, as if it had been left.
        commitFocused();
        if (saveCheck_ && !saveCheck_())
            return false;
        table_.post();
    } catch (const std::exception& e) {
        // The table store's own message; the record stays in edit mode on the edit page.
        showFailure(e);
        return false;
    }
    showListPage();
    return true;
}

void RegisterScreen::cancelEdit() {
    try {
        table_.cancel();
    } catch (const std::exception& e) {
        showFailure(e);
    }
    showListPage();
}

bool RegisterScreen::deleteCurrent(const DeletePlan& plan) {
    return deleteRecord(table_, plan);
}

bool deleteRecord(store::Table& table, const DeletePlan& plan) {
    try {
        if (!table.active() || table.isEmpty()) {
            dialogs().message(plan.nothing);
            return false;
        }
        auto refused = [&plan] {
            for (const auto& check : plan.checks) {
                if (const std::optional<QString> refusal = check()) {
                    dialogs().warning(*refusal);
                    return true;
                }
            }
            return false;
        };
        if (plan.checksFirst && refused())
            return false;
        if (!plan.question.isEmpty() && !dialogs().question(plan.question))
            return false;
        if (!plan.checksFirst && refused())
            return false;
        table.deleteRecord();
    } catch (const std::exception& e) {
        showFailure(e);
        return false;
    }
    if (!plan.done.isEmpty())
        dialogs().information(plan.done);
    return true;
}

} // namespace ui
