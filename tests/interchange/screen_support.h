#pragma once

#include "interchange_support.h"
#include "store/program.h"
#include "support/working_year.h"
#include "ui/dialogs.h"
#include "ui/modal.h"
#include "ui/ui_support.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <functional>

namespace ictest {

/// A working year 2006 with every record rule, a verification program beside it and scripted
/// dialogs that also show the rules' warnings.
class ScreenFixture : public ::testing::Test {
protected:
    uitest::Dialogs dialogs;
    testsupport::WorkingYear working{ui::warningSink()};
    Tdm& data = working.data;
    VerificationProgram vp;
    QString savedYear = store::program().workingYear;

    void SetUp() override {
        ASSERT_TRUE(working.opened);
        store::program().workingYear = QStringLiteral("2006");
    }
    void TearDown() override { store::program().workingYear = savedYear; }

    /// Opens a screen through `open` and lets `body` drive it.
    template <class Screen>
    int drive(const std::function<int(Tdm&)>& open, const std::function<void(Screen&)>& body) {
        ui::ModalHookScope hook([&](QDialog& shown) {
            auto* screen = qobject_cast<Screen*>(&shown);
            ASSERT_NE(screen, nullptr);
            body(*screen);
        });
        return open(data);
    }
};

/// Clicks the visible button with that caption.
inline void press(QWidget& screen, const QString& caption) {
    for (QPushButton* b : screen.findChildren<QPushButton*>())
        if (b->text() == caption && b->isVisible())
            return uitest::click(b);
    ADD_FAILURE() << "no button " << caption.toStdString();
}

/// Clicks the tab with that caption.
inline void pressTab(QWidget& screen, const QString& caption) {
    for (QTabBar* bar : screen.findChildren<QTabBar*>())
        for (int i = 0; i < bar->count(); ++i)
            if (bar->tabText(i) == caption) {
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
                QApplication::processEvents();
                return;
            }
    ADD_FAILURE() << "no tab " << caption.toStdString();
}

/// Replaces the text of a box by typing, as a user does.
inline void typeInto(QLineEdit* box, const QString& text) {
    uitest::focusByClick(box);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    uitest::typeText(box, text);
}

} // namespace ictest
