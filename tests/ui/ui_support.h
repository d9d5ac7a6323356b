#pragma once

#include "support/fixture.h"
#include "ui/scripted_dialogs.h"

#include <QApplication>
#include <QString>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <ostream>

namespace ui {
inline void PrintTo(const ScriptedDialogs::Entry& e, std::ostream* out) {
    *out << kindName(e.kind).toStdString() << ": \"" << e.text.toStdString() << '"';
}
} // namespace ui

namespace uitest {

/// Scripted dialogs whose unanswered questions fail the running test.
class Dialogs : public ui::ScriptedDialogs {
public:
    Dialogs()
        : ui::ScriptedDialogs([](const QString& what) { ADD_FAILURE() << what.toStdString(); }) {}
};

/// Shows a top-level widget and makes it the active window, so that focus moves as for a user.
inline void showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    QApplication::processEvents();
    ASSERT_TRUE(window.isActiveWindow());
}

/// Types text as key presses; unlike QTest::keyClicks it also takes accented letters.
inline void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        }
    }
}

/// Clicks a widget in its middle and lets the resulting events run.
inline void click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
    QApplication::processEvents();
}

/// Gives the focus to `widget` as a click would, and checks it arrived.
inline void focusByClick(QWidget* widget) {
    click(widget);
    ASSERT_EQ(QApplication::focusWidget(), widget);
}

} // namespace uitest
