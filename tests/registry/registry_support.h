#pragma once

#include "store/dm.h"
#include "support/working_year.h"
#include "ui/dbedit.h"
#include "ui/dialogs.h"
#include "ui/grid.h"
#include "ui/modal.h"
#include "ui/register_screen.h"
#include "ui/ui_support.h"

#include <QPushButton>
#include <functional>

namespace regtest {

/// A working year made from the real template, its data module opened with every record rule
/// attached as in the program, scripted dialogs showing the rules' warnings.
class Registers : public ::testing::Test {
protected:
    uitest::Dialogs dialogs;
    testsupport::WorkingYear working{ui::warningSink()};
    testsupport::YearFolder& year = working.year;
    Tdm& data = working.data;

    void SetUp() override { ASSERT_TRUE(working.opened); }

    /// Opens a screen through the modal-screen routine and lets `drive` work on it.
    template <class Screen>
    int drive(const std::function<int(Tdm&)>& open, const std::function<void(Screen&)>& body) {
        ui::ModalHookScope hook([&](QDialog& shown) {
            auto* screen = qobject_cast<Screen*>(&shown);
            ASSERT_NE(screen, nullptr);
            body(*screen);
        });
        return open(data);
    }

    /// The records of a table as stored: a fresh cursor, so pending edits do not count.
    int storedCount(const QString& table) {
        store::Table probe(year.path(), table);
        probe.open();
        return probe.recordCount();
    }
    /// A field of the stored record whose key field equals the key.
    QVariant stored(const QString& table, const QString& keyField, const QVariant& key,
                    const QString& field) {
        store::Table probe(year.path(), table);
        probe.open();
        return probe.lookup(keyField, key, field);
    }
};

/// Clicks the button with that caption.
inline void press(QWidget& screen, const QString& caption) {
    QPushButton* found = nullptr;
    for (QPushButton* b : screen.findChildren<QPushButton*>())
        if (b->text() == caption && b->isVisible())
            found = b;
    ASSERT_NE(found, nullptr) << caption.toStdString();
    uitest::click(found);
}

/// The labelled box of a register's edit page.
inline ui::DbEdit* box(const ui::RegisterScreen& screen, const QString& label) {
    auto* found = qobject_cast<ui::DbEdit*>(screen.fieldBox(label));
    EXPECT_NE(found, nullptr) << label.toStdString();
    return found;
}

/// Clicks into a box, replaces its text by typing, and leaves it with Tab.
inline void fill(QWidget* box, const QString& text) {
    ASSERT_NE(box, nullptr);
    uitest::focusByClick(box);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    else
        uitest::typeText(box, text);
    QTest::keyClick(box, Qt::Key_Tab);
    QApplication::processEvents();
}

/// The texts of one column of a grid, top to bottom.
inline QStringList column(const ui::DataGrid& grid, int col) {
    QStringList texts;
    const auto& model = grid.tableModel();
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.data(model.index(row, col), Qt::DisplayRole).toString();
    return texts;
}

/// The titles of a grid's columns.
inline QStringList titles(const ui::DataGrid& grid) {
    QStringList texts;
    const auto& model = grid.tableModel();
    for (int c = 0; c < model.columnCount(); ++c)
        texts << model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    return texts;
}

/// Asks the screen to close as its close box does; answers whether it closed.
inline bool closeBox(QWidget& screen) {
    screen.close();
    QApplication::processEvents();
    return !screen.isVisible();
}

} // namespace regtest
