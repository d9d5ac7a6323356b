#include "ui/dialogs.h"

#include "store/error.h"
#include "ui/fieldlink.h"
#include "ui/screen.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace ui {

namespace {

Dialogs* installed = nullptr;

QString titleFor(DialogKind kind, const QString& title) {
    if (!title.isEmpty())
        return title;
    switch (kind) {
    case DialogKind::Message:
        return QApplication::applicationDisplayName();
    case DialogKind::Information:
        return QStringLiteral("Informazione");
    case DialogKind::Warning:
        return QStringLiteral("Attenzione");
    case DialogKind::Error:
        return QStringLiteral("Errore");
    case DialogKind::Question:
        return QStringLiteral("Conferma");
    }
    return {};
}

QMessageBox::Icon iconFor(DialogKind kind) {
    switch (kind) {
    case DialogKind::Message:
        return QMessageBox::NoIcon;
    case DialogKind::Information:
        return QMessageBox::Information;
    case DialogKind::Warning:
        return QMessageBox::Warning;
    case DialogKind::Error:
        return QMessageBox::Critical;
    case DialogKind::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Button texts are set here rather than taken from translations: the program is Italian
// whatever the system language.
void showBox(DialogKind kind, const QString& text, const QString& title) {
    QMessageBox box(iconFor(kind), titleFor(kind, title), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

Answer ask(const QString& text, const QString& title, bool withCancel) {
    QMessageBox box(QMessageBox::Question, titleFor(DialogKind::Question, title), text,
                    QMessageBox::NoButton, QApplication::activeWindow());
    QPushButton* yes = box.addButton(QStringLiteral("Sì"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    QPushButton* cancel =
        withCancel ? box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole) : nullptr;
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel ? cancel : no);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Yes;
    if (box.clickedButton() == no || !cancel)
        return Answer::No;
    return Answer::Cancel;
}

} // namespace

Dialogs& dialogs() {
    static MessageBoxDialogs boxes;
    return installed ? *installed : boxes;
}

void setDialogs(Dialogs* service) {
    installed = service;
}

DialogsScope::DialogsScope(Dialogs& service)
    : previous_(installed) {
    installed = &service;
}

DialogsScope::~DialogsScope() {
    installed = previous_;
}

void MessageBoxDialogs::message(const QString& text, const QString& title) {
    showBox(DialogKind::Message, text, title);
}

void MessageBoxDialogs::information(const QString& text, const QString& title) {
    showBox(DialogKind::Information, text, title);
}

void MessageBoxDialogs::warning(const QString& text, const QString& title) {
    showBox(DialogKind::Warning, text, title);
}

void MessageBoxDialogs::error(const QString& text, const QString& title) {
    showBox(DialogKind::Error, text, title);
}

bool MessageBoxDialogs::question(const QString& text, const QString& title) {
    return ask(text, title, false) == Answer::Yes;
}

Answer MessageBoxDialogs::questionWithCancel(const QString& text, const QString& title) {
    return ask(text, title, true);
}

void warnAbout(const store::rules::Warning& warning) {
    if (!warning.text.isEmpty())
        dialogs().warning(warning.text);
    if (warning.table)
        focusWhenIdle(
            boundControl(*warning.table, warning.field, QApplication::activeModalWidget()));
}

store::rules::WarningSink warningSink() {
    return [](const store::rules::Warning& warning) {
        warnAbout(warning);
    };
}

void showFailure(const std::exception& failure) {
    if (const auto* storeError = dynamic_cast<const store::Error*>(&failure))
        dialogs().warning(storeError->message());
    else
        dialogs().warning(QString::fromUtf8(failure.what()));
}

} // namespace ui
