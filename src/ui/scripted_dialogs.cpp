#include "ui/scripted_dialogs.h"

#include <QtGlobal>

namespace ui {

ScriptedDialogs::ScriptedDialogs(Handler onUnexpected)
    : onUnexpected_(std::move(onUnexpected))
    , scope_(*this) {
}

ScriptedDialogs::~ScriptedDialogs() = default;

QStringList ScriptedDialogs::texts() const {
    QStringList out;
    for (const Entry& e : entries_)
        out << e.text;
    return out;
}

QStringList ScriptedDialogs::texts(DialogKind kind) const {
    QStringList out;
    for (const Entry& e : entries_)
        if (e.kind == kind)
            out << e.text;
    return out;
}

void ScriptedDialogs::message(const QString& text, const QString&) {
    entries_.push_back({DialogKind::Message, text});
}

void ScriptedDialogs::information(const QString& text, const QString&) {
    entries_.push_back({DialogKind::Information, text});
}

void ScriptedDialogs::warning(const QString& text, const QString&) {
    entries_.push_back({DialogKind::Warning, text});
}

void ScriptedDialogs::error(const QString& text, const QString&) {
    entries_.push_back({DialogKind::Error, text});
}

bool ScriptedDialogs::question(const QString& text, const QString&) {
    entries_.push_back({DialogKind::Question, text});
    return next(text, Answer::No) == Answer::Yes;
}

Answer ScriptedDialogs::questionWithCancel(const QString& text, const QString&) {
    entries_.push_back({DialogKind::Question, text});
    return next(text, Answer::Cancel);
}

Answer ScriptedDialogs::next(const QString& text, Answer fallback) {
    if (answers_.empty()) {
        const QString description =
            QStringLiteral("Domanda senza risposta preparata: \"%1\"").arg(text);
        if (onUnexpected_)
            onUnexpected_(description);
        else
            qFatal("%s", qPrintable(description));
        return fallback;
    }
    const Answer a = answers_.front();
    answers_.pop_front();
    return a;
}

QString kindName(DialogKind kind) {
    switch (kind) {
    case DialogKind::Message:
        return QStringLiteral("messaggio");
    case DialogKind::Information:
        return QStringLiteral("informazione");
    case DialogKind::Warning:
        return QStringLiteral("avviso");
    case DialogKind::Error:
        return QStringLiteral("errore");
    case DialogKind::Question:
        return QStringLiteral("domanda");
    }
    return {};
}

} // namespace ui
