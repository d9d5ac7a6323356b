#pragma once

#include "ui/gridmodel.h"
#include "ui/screen.h"

#include <QString>
#include <functional>
#include <vector>

class QBoxLayout;
class QFormLayout;
class QHBoxLayout;
class QPushButton;
class QVBoxLayout;

namespace store {
class Table;
}

namespace ui {

class DataGrid;
class DbEdit;
class PageStack;

/// What a register's delete command says and checks; each screen gives its own wording.
struct DeletePlan {
    /// Shown (as a plain message) when there is no record to delete.
    QString nothing = QStringLiteral("Nulla da eliminare");
    /// The Yes/No question before deleting; empty asks nothing.
    QString question;
    /// The reference checks in order: each answers the refusal (shown as a warning, nothing
    /// deleted) or an empty text when the record may go. Refusals begin with refusalPrefix().
    std::vector<std::function<QString()>> checks;
    /// The checks run after a Yes (the usual order) or, when set, before the question.
    bool checksFirst = false;
    /// The information shown once the record is gone; empty shows nothing.
    QString done;
    /// The usual start of a refusal: "Eliminazione impossibile. Eliminare prima ".
    static QString refusalPrefix();
};

/// A register screen: a list page (a grid and command buttons) and an edit page (bound controls
/// and confirm/cancel buttons) on a PageStack whose tabs are hidden, over one table object.
/// "Nuovo" appends and shows the edit page, "Modifica" edits the current record, the confirm
/// button commits the focused control, runs the screen's save check and posts, the cancel
/// button cancels; both go back to the list. The close box is refused with the editing refusal
/// while the edit page shows and with the plain refusal otherwise, until a closing command.
class RegisterScreen : public Screen {
    Q_OBJECT
public:
    static inline const QString listPageName = QStringLiteral("list");
    static inline const QString editPageName = QStringLiteral("edit");

    explicit RegisterScreen(store::Table& table, QWidget* parent = nullptr);

    store::Table& table() const { return table_; }
    PageStack& pages() const { return *pages_; }
    bool editing() const;

    /// The list page's content (above its button row) and the grid placed in it.
    QVBoxLayout* listContent() const { return listContent_; }
    DataGrid* addGrid(std::vector<GridColumn> columns);
    DataGrid* grid() const { return grid_; }
    /// The edit page's content (above its button row); editForm() is a form layout inside it.
    QVBoxLayout* editContent() const { return editContent_; }
    QFormLayout* editForm();
    /// A labelled edit box on a field of the table, added to editForm(); capitals unless told.
    DbEdit* addFieldRow(const QString& label, const QString& field, bool upperCase = true);
    /// The box of editForm() whose label reads `label`; nullptr when none.
    QWidget* fieldBox(const QString& label) const;

    /// A button at the end of the list page's or the edit page's button row.
    QPushButton* addListButton(const QString& caption, std::function<void()> action);
    QPushButton* addEditButton(const QString& caption, std::function<void()> action);
    /// The standard buttons, wired to the commands below.
    QPushButton* addNewButton(const QString& caption = QStringLiteral("Nuovo"));
    QPushButton* addModifyButton(const QString& caption = QStringLiteral("Modifica"));
    QPushButton* addCloseButton(const QString& caption);
    QPushButton* addConfirmButton(const QString& caption = QStringLiteral("OK"));
    QPushButton* addCancelButton(const QString& caption = QStringLiteral("Annulla"));
    /// The visible or hidden button with that caption on either page; nullptr when none.
    QPushButton* button(const QString& caption) const;

    /// The control that takes the focus when the edit page opens.
    void setFirstEditor(QWidget* editor) { firstEditor_ = editor; }
    /// Runs before a post; answers false (after showing its own message) to refuse it.
    void setSaveCheck(std::function<bool()> check) { saveCheck_ = std::move(check); }
    /// Called after the edit page was shown and before the list page comes back.
    void setPageHooks(std::function<void()> onEdit, std::function<void()> onList);

    /// "Nuovo": appends a record and shows the edit page. False when the table refused.
    bool startNew();
    /// "Modifica": puts the current record in edit mode and shows the edit page.
    bool startEdit();
    /// Confirm: commits, checks, posts and shows the list page. False when the record stays.
    bool confirm();
    /// Cancel: drops the changes and shows the list page.
    void cancelEdit();
    /// The delete pattern on the current record. True when it was deleted.
    bool deleteCurrent(const DeletePlan& plan);
    /// A closing command: allows the close and ends the screen.
    void closeScreen() { closeWith(Rejected); }

protected:
    void showEditPage();
    void showListPage();

private:
    QPushButton* makeButton(QHBoxLayout* row, const QString& caption, std::function<void()> action);
    void commitFocused();

    store::Table& table_;
    PageStack* pages_;
    QVBoxLayout* listContent_;
    QVBoxLayout* editContent_;
    QHBoxLayout* listButtons_;
    QHBoxLayout* editButtons_;
    QFormLayout* editForm_ = nullptr;
    DataGrid* grid_ = nullptr;
    QWidget* firstEditor_ = nullptr;
    std::function<bool()> saveCheck_;
    std::function<void()> onEdit_;
    std::function<void()> onList_;
};

} // namespace ui
