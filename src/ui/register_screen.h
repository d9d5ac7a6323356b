#pragma once

#include "ui/gridmodel.h"
#include "ui/screen.h"

#include <QSize>
#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class QBoxLayout;
class QFormLayout;
class QHBoxLayout;
class QKeySequence;
class QPushButton;
class QVBoxLayout;

namespace store {
class Table;
}

namespace ui {

class DataGrid;
class DbComboBox;
class DbEdit;
class PageStack;

/// What a register's delete command says and checks; each screen gives its own wording, by
/// designated initializers: {.question = ..., .checks = {...}, .done = ...}.
struct DeletePlan {
    /// Shown (as a plain message) when there is no record to delete.
    QString nothing = QStringLiteral("Nulla da eliminare");
    /// The Yes/No question before deleting; empty asks nothing.
    QString question;
    /// The reference checks in order: each answers the refusal (shown as a warning, nothing
    /// deleted) or nothing when the record may go. Refusals begin with refusalPrefix().
    std::vector<std::function<std::optional<QString>()>> checks;
    /// The checks run after a Yes (the usual order) or, when set, before the question.
    bool checksFirst = false;
    /// The information shown once the record is gone; empty shows nothing.
    QString done;
    /// The usual start of a refusal: "Eliminazione impossibile. Eliminare prima ".
    static QString refusalPrefix();
};

/// The delete pattern on the current record of `table` (a register or one of its detail
/// tables): "nothing" on an empty table, the question, the reference checks, the deletion, the
/// information. A store failure is shown and stops it. True when the record was deleted.
bool deleteRecord(store::Table& table, const DeletePlan& plan);

/// A register screen: a list page (a grid and command buttons) and an edit page (bound controls
/// and confirm/cancel buttons) on a PageStack whose tabs are hidden, over one table object.
/// "Nuovo" appends and shows the edit page, "Modifica" edits the current record, the confirm
/// button commits the focused control, runs the screen's save check and posts, the cancel
/// button cancels; both go back to the list. The close box is refused with the editing refusal
/// while the edit page shows and with the plain refusal otherwise, until a closing command.
///
/// A register screen is declared in its constructor: the grid and the list buttons, the edit
/// page's rows (addFieldRow, addValueListRow, or any control added to editForm()), the confirm
/// and cancel buttons, the first editor, the save check and the keys. Its boxes are bound to
/// the fields of the data module's objects, so the record rules' warnings find them by
/// themselves (ui::warnAbout); the screen needs no code for that. Its open function takes the
/// open mode, if any, as an argument and calls ui::showScreen<TheScreen>(data, mode).
class RegisterScreen : public Screen {
    Q_OBJECT
public:
    static inline const QString listPageName = QStringLiteral("list");
    static inline const QString editPageName = QStringLiteral("edit");

    explicit RegisterScreen(store::Table& table, QWidget* parent = nullptr);
    /// A register screen with its caption and its size when it opens.
    RegisterScreen(store::Table& table, const QString& title, const QSize& size,
                   QWidget* parent = nullptr);

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
    /// A labelled drop-down of a value list ("M=Maschio", ...) on a field of the table.
    DbComboBox* addValueListRow(const QString& label, const QString& field,
                                const QStringList& entries);
    /// The box of editForm() whose label reads `label`; nullptr when none.
    QWidget* fieldBox(const QString& label) const;
    /// The box addFieldRow made for `field`; nullptr when none.
    DbEdit* box(const QString& field) const;

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
    /// Return and Enter move the focus along `chain` (see EnterChain).
    void setEnterChain(std::vector<QWidget*> chain);
    /// A key the screen sees before its controls, on whichever page it is.
    void addShortcut(const QKeySequence& key, std::function<void()> command);
    /// Runs before a post; answers false (after showing its own message) to refuse it.
    void setSaveCheck(std::function<bool()> check) { saveCheck_ = std::move(check); }
    /// Called after the edit page was shown and before the list page comes back.
    void setPageHooks(std::function<void()> onEdit, std::function<void()> onList);

    /// "Nuovo": appends a record and shows the edit page. False when the table refused.
    bool startNew();
    /// "Modifica": puts the current record in edit mode and shows the edit page.
    bool startEdit();
    /// Confirm: commits, checks, posts and shows the list page. False when the record stays.
    virtual bool confirm();
    /// Cancel: drops the changes and shows the list page.
    virtual void cancelEdit();
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
    std::map<QString, DbEdit*> boxes_;
    std::function<bool()> saveCheck_;
    std::function<void()> onEdit_;
    std::function<void()> onList_;
};

} // namespace ui
