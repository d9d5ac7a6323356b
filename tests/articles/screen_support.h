#pragma once

#include "articles_support.h"
#include "registry/registry_support.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <deque>

namespace arttest {

/// Screen tests: the registers' fixture, with the screens the modal routine shows handled in
/// turn by the steps given (a nested chooser or picker comes after its opener).
class Screens : public regtest::Registers {
protected:
    using Step = std::function<void(QDialog&)>;
    std::deque<Step> steps;

    /// Runs `open` with the modal screens it shows driven by `script`, one step each.
    int run(const std::function<int()>& open, std::vector<Step> script) {
        steps.assign(script.begin(), script.end());
        ui::ModalHookScope hook([this](QDialog& shown) {
            ASSERT_FALSE(steps.empty()) << shown.windowTitle().toStdString();
            const Step step = steps.front();
            steps.pop_front();
            step(shown);
        });
        const int result = open();
        EXPECT_TRUE(steps.empty());
        return result;
    }
    static int add(store::Table& t, const QVariantMap& fields, const char* idField) {
        return addRecord(t, fields, idField);
    }
};

/// Clicks the check box or radio button with that caption.
inline void choose(QWidget& screen, const QString& caption) {
    for (QAbstractButton* b : screen.findChildren<QAbstractButton*>())
        if (b->text() == caption && b->isVisible()) {
            uitest::click(b);
            return;
        }
    ADD_FAILURE() << caption.toStdString();
}

/// Picks the entry of a drop-down with the keyboard, as a user does: focus, then Down until
/// it shows `text`, then Tab out.
inline void pick(QComboBox* box, const QString& text) {
    ASSERT_NE(box, nullptr);
    box->setFocus(Qt::TabFocusReason); // a click would open the list
    QApplication::processEvents();
    ASSERT_TRUE(box->hasFocus());
    for (int i = 0; i <= box->count() && box->currentText() != text; ++i)
        QTest::keyClick(box, Qt::Key_Down);
    ASSERT_EQ(box->currentText(), text);
    QTest::keyClick(box, Qt::Key_Tab);
    QApplication::processEvents();
}

/// The visible control a form labels with `label`.
template <class T = QWidget> T* labelled(QWidget& screen, const QString& label) {
    for (QLabel* l : screen.findChildren<QLabel*>())
        if (l->text() == label && l->isVisible() && l->buddy())
            return qobject_cast<T*>(l->buddy());
    ADD_FAILURE() << label.toStdString();
    return nullptr;
}

} // namespace arttest
