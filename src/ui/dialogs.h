#pragma once

#include "store/rules.h"

#include <QString>
#include <exception>

namespace ui {

/// The kinds of box the program shows.
enum class DialogKind { Message, Information, Warning, Error, Question };

/// The answer to a question that can also be cancelled.
enum class Answer { Yes, No, Cancel };

/// Every message, warning and question of the program goes through this interface, so that
/// screens can be driven by tests without a real box appearing. An empty title means the
/// kind's usual one.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    /// A plain message with an OK button, titled with the program's name.
    virtual void message(const QString& text, const QString& title = {}) = 0;
    virtual void information(const QString& text, const QString& title = {}) = 0;
    virtual void warning(const QString& text, const QString& title = {}) = 0;
    virtual void error(const QString& text, const QString& title = {}) = 0;
    /// A Yes/No question; true for Yes.
    virtual bool question(const QString& text, const QString& title = {}) = 0;
    /// A Yes/No/Cancel question.
    virtual Answer questionWithCancel(const QString& text, const QString& title = {}) = 0;
};

/// The installed dialogs service; message boxes when nothing else is installed.
Dialogs& dialogs();

/// Installs `service` for the whole program (nullptr goes back to message boxes). The caller
/// keeps ownership and must uninstall it before destroying it.
void setDialogs(Dialogs* service);

/// Installs a dialogs service for its lifetime and then restores the previous one.
class DialogsScope {
public:
    explicit DialogsScope(Dialogs& service);
    ~DialogsScope();
    DialogsScope(const DialogsScope&) = delete;
    DialogsScope& operator=(const DialogsScope&) = delete;

private:
    Dialogs* previous_;
};

/// Message boxes (QMessageBox) with Italian buttons, whatever translations are loaded.
class MessageBoxDialogs final : public Dialogs {
public:
    void message(const QString& text, const QString& title = {}) override;
    void information(const QString& text, const QString& title = {}) override;
    void warning(const QString& text, const QString& title = {}) override;
    void error(const QString& text, const QString& title = {}) override;
    bool question(const QString& text, const QString& title = {}) override;
    Answer questionWithCancel(const QString& text, const QString& title = {}) override;
};

/// How a record rule's warning reaches the user: its text as a warning box through the dialogs
/// service installed at that moment; then, when it names a table object and field, the focus
/// goes back (once the focus change in progress is over) to the control bound to that field in
/// the active modal screen, if that screen has one. A screen only binds its boxes with the
/// data-aware controls; it needs no code of its own for this.
void warnAbout(const store::rules::Warning& warning);

/// The sink the program gives the record rules: warnAbout.
store::rules::WarningSink warningSink();

/// Shows a table-store failure (or any exception's text) as a warning and swallows it. For
/// commands started by the user, where a failure must stop the command but not the program.
void showFailure(const std::exception& failure);

} // namespace ui
