#pragma once

#include "app/mainw.h"
#include "app/screens.h"
#include "store/dm.h"
#include "store/program.h"
#include "ui/dialogs.h"
#include "ui/ui_support.h"
#include "wiring/record_rules.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <optional>

namespace apptest {

/// A working year open in a data module and the main window over it, shown and active, with
/// the calendar on 31/01/2007.
class MainWindowFixture : public ::testing::Test {
protected:
    testsupport::TempFolder programFolder;
    testsupport::YearFolder year;
    uitest::Dialogs dialogs;
    Tdm data;
    store::ProgramState state;
    std::unique_ptr<TMainForm> window;

    void SetUp() override {
        ASSERT_TRUE(data.dmCreate(year.path()));
        window = std::make_unique<TMainForm>(data, state, programFolder.file("misuratori"),
                                             QDate(2007, 1, 31));
        uitest::showActive(*window);
    }

    /// A menu entry by the title of its menu and its caption; nullptr when absent.
    QAction* entry(const QString& menuTitle, const QString& caption) const {
        for (QAction* top : window->menuBar()->actions())
            if (top->text() == menuTitle)
                for (QAction* a : top->menu()->actions())
                    if (a->text() == caption)
                        return a;
        return nullptr;
    }

    /// The captions of a menu's entries in order, "-" for a separator.
    QStringList entries(const QString& menuTitle) const {
        for (QAction* top : window->menuBar()->actions())
            if (top->text() == menuTitle) {
                QStringList texts;
                for (QAction* a : top->menu()->actions())
                    texts << (a->isSeparator() ? "-" : a->text());
                return texts;
            }
        return {};
    }
};

/// The same, with the record rules and every screen attached as the program does at start-up.
class WiredMainWindow : public MainWindowFixture {
protected:
    std::optional<RecordRules> rules;

    void SetUp() override {
        MainWindowFixture::SetUp();
        rules.emplace(data, ui::warningSink());
        app::wireScreens(*window, data);
    }
};

} // namespace apptest
