#pragma once

#include "ui/dialogs.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

namespace ui {

/// A dialogs service for tests: it records every box shown, in order, and answers questions
/// from a queue filled beforehand. It installs itself for its lifetime.
///
/// A question that finds the queue empty is a fault of the screen or of the test: it is
/// reported to `onUnexpected` (a test passes one that fails the test; by default the process
/// stops with a fatal message) and answered No (Cancel for a three-way question).
class ScriptedDialogs : public Dialogs {
public:
    struct Entry {
        DialogKind kind;
        QString text;
        bool operator==(const Entry&) const = default;
    };
    using Handler = std::function<void(const QString& description)>;

    explicit ScriptedDialogs(Handler onUnexpected = {});
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    /// Queues the answer to the next question.
    void answer(bool yes) { answers_.push_back(yes ? Answer::Yes : Answer::No); }
    void answer(Answer a) { answers_.push_back(a); }
    /// Answers queued and not yet asked for.
    int pendingAnswers() const { return int(answers_.size()); }

    const std::vector<Entry>& entries() const { return entries_; }
    /// The texts of every box, or of the boxes of one kind, in order.
    QStringList texts() const;
    QStringList texts(DialogKind kind) const;
    void clear() { entries_.clear(); }

    void message(const QString& text, const QString& title = {}) override;
    void information(const QString& text, const QString& title = {}) override;
    void warning(const QString& text, const QString& title = {}) override;
    void error(const QString& text, const QString& title = {}) override;
    bool question(const QString& text, const QString& title = {}) override;
    Answer questionWithCancel(const QString& text, const QString& title = {}) override;

private:
    Answer next(const QString& text, Answer fallback);

    Handler onUnexpected_;
    std::deque<Answer> answers_;
    std::vector<Entry> entries_;
    DialogsScope scope_;
};

/// The Italian name of a kind of box, for test output.
QString kindName(DialogKind kind);

} // namespace ui
