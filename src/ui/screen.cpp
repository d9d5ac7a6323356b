#include "ui/screen.h"

#include "ui/dialogs.h"
#include "ui/pagestack.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

namespace ui {

Screen::Screen(QWidget* parent)
    : QDialog(parent)
    , refusal_(defaultRefusal())
    , editingRefusal_(defaultEditingRefusal()) {
}

QString Screen::defaultRefusal() {
    return QStringLiteral("Per uscire dalla finestra usare i tasti opportuni");
}

QString Screen::defaultEditingRefusal() {
    return QStringLiteral("Terminare la fase di inserimento con i tasti di conferma");
}

void Screen::closeWith(int result) {
    closeAllowed_ = true;
    done(result);
}

void Screen::setEditingRefusal(const QString& text, std::function<bool()> editing) {
    editingRefusal_ = text;
    editing_ = std::move(editing);
}

void Screen::setEditingRefusal(const QString& text, const PageStack& stack,
                               const QString& pageName) {
    QPointer<const PageStack> guarded(&stack);
    setEditingRefusal(text,
                      [guarded, pageName] { return guarded && guarded->isShowing(pageName); });
}

QString Screen::refusalMessage() const {
    return editing_ && editing_() ? editingRefusal_ : refusal_;
}

void Screen::closeEvent(QCloseEvent* event) {
    if (closeAllowed_) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    dialogs().message(refusalMessage());
}

void Screen::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        if (!closeAllowed_) {
            event->accept();
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            // QDialog would press the first auto-default button; only an explicit default may.
            for (QPushButton* button : findChildren<QPushButton*>()) {
                if (button->isDefault() && button->isVisible() && button->isEnabled()) {
                    button->click();
                    event->accept();
                    return;
                }
            }
            event->ignore();
            return;
        }
        break;
    default:
        break;
    }
    QDialog::keyPressEvent(event);
}

void focusWhenIdle(QWidget* widget) {
    if (!widget)
        return;
    QPointer<QWidget> target = widget;
    QMetaObject::invokeMethod(
        widget,
        [target] {
            if (target && target->isVisible() && target->isEnabled())
                target->setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
}

} // namespace ui
