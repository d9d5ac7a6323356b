// A year whose movements table was overwritten with garbage: the year screen names it once, the
// registers before it in the opening order work as usual, and the screens that need the closed
// tables say so instead of failing later.
#include "desk_fixture.h"
#include "movements/movw.h"
#include "registry/fornitoriw.h"
#include "ui/pagestack.h"

namespace {

using regtest::box;
using regtest::fill;
using regtest::press;

class DamagedYear : public faults::Desk {};

TEST_F(DamagedYear, RegistersBeforeTheDamagedTableWorkAndTheMovementsSayItIsClosed) {
    makeYear();
    ASSERT_TRUE(faults::overwriteWithGarbage(tableFile("MOV")));
    ASSERT_TRUE(startUp());
    EXPECT_EQ(dialogs.texts(), QStringList{"Il file della tabella MOV non è un archivio del "
                                           "programma o è danneggiato: ripristinare una copia di "
                                           "sicurezza."});
    dialogs.clear();
    use<TfornitoriForm>("Tabelle", "Fornitori", [&](TfornitoriForm& s) {
        press(s, "Nuovo");
        fill(box(s, "Ragione sociale del fornitore"), "ricambi spa");
        press(s, "Ok");
        press(s, "Chiudi");
    });
    EXPECT_EQ(stored("fornitori", "Ragione_sociale"),
              (QStringList{"FORNITORE 1", "FORNITORE 2", "FORNITORE 3", "RICAMBI SPA"}));
    EXPECT_TRUE(dialogs.texts().isEmpty());

    // The movement screen cannot work without its table: it says why and goes by itself, so
    // no command of it can meet the closed table.
    bool drivenOpen = false;
    ui::ModalHookScope hook([&](QDialog& shown) {
        drivenOpen = shown.isVisible();
        shown.reject();
    });
    for (QAction* top : window->menuBar()->actions())
        if (top->text() == "Movimenti")
            top->menu()->actions().value(0)->trigger();
    EXPECT_EQ(dialogs.texts(), QStringList{"La tabella MOV non è aperta."});
    EXPECT_FALSE(drivenOpen);
}

} // namespace
