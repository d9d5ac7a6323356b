// The interchange screens reached from the main window once the program wires its screens.
#include "main_window_fixture.h"
#include "ui/modal.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

using WiredInterchange = apptest::WiredMainWindow;

/// An entry of a submenu by the titles of its menu and submenu and its caption.
QAction* subEntry(QMenuBar& bar, const QString& menu, const QString& sub, const QString& caption) {
    for (QAction* top : bar.actions())
        if (top->text() == menu)
            for (QAction* a : top->menu()->actions())
                if (a->menu() && a->text() == sub)
                    for (QAction* inner : a->menu()->actions())
                        if (inner->text() == caption)
                            return inner;
    return nullptr;
}

TEST_F(WiredInterchange, EntriesOpenTheirScreensAndTheAgencyFileOneStaysHidden) {
    const struct {
        QAction* action;
        bool visible;
        const char* title;
    } entries[] = {
        {entry("Agenzia Entrate",
               "Scarica dati sul software di verificazione periodica della kesasoft"),
         true, "export_inverifForm"},
        {subEntry(*window->menuBar(), "Utilità", "Importa", "importa da programma verificazioni"),
         true, "importa_da_verifForm"},
        {subEntry(*window->menuBar(), "Utilità", "Importa", "importa da file per agenzia"), false,
         "importform"},
    };
    QStringList shown, expected;
    ui::ModalHookScope hook([&](QDialog& screen) { shown << screen.windowTitle(); });
    for (const auto& e : entries) {
        ASSERT_NE(e.action, nullptr) << e.title;
        EXPECT_EQ(e.action->isVisible(), e.visible) << e.title;
        // An entry that is not visible counts as disabled; its command runs all the same.
        EXPECT_EQ(e.action->isEnabled(), e.visible) << e.title;
        e.action->trigger();
        expected << QString::fromUtf8(e.title);
    }
    EXPECT_EQ(shown, expected);
}

} // namespace
