// The movement screen reached from the main window: its four commands, each in its mode (F6
// is the main window's own test).
#include "main_window_fixture.h"
#include "ui/modal.h"

#include <QPushButton>
#include <QTest>

namespace {

using WiredMovements = apptest::WiredMainWindow;

TEST_F(WiredMovements, ButtonsAndMenuEntriesOpenTheMovementScreenInTheirMode) {
    QStringList shown;
    ui::ModalHookScope hook([&](QDialog& screen) {
        shown << screen.windowTitle();
        screen.done(QDialog::Rejected);
    });
    for (const char* caption :
         {"Elenco interventi", "Elenco riparazioni", "Elenco vendite", "Gest. movimenti  /F6"})
        uitest::click(window->button(caption));
    for (const char* caption :
         {"Elenco Interventi", "Elenco Riparazioni", "Elenco Vendite", "Elenco Movimentazione"})
        entry("Movimenti", caption)->trigger();
    const QStringList once{"Elenco INTERVENTI", "Elenco Riparazioni", "Elenco VENDITE",
                           "Elenco dei movimenti: vendite interventi e riparazioni"};
    EXPECT_EQ(shown, once + once);
}

} // namespace
