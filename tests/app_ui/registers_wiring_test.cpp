// The simple registers reached from the main window once the program wires its screens.
#include "app/screens.h"
#include "app/session.h"
#include "main_window_fixture.h"
#include "registry/fornitoriw.h"
#include "registry/tipomovw.h"
#include "store/dm.h"
#include "ui/modal.h"
#include "ui/ui_support.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

using WiredRegisters = apptest::WiredMainWindow;

TEST_F(WiredRegisters, MenuEntriesAreEnabledAndOpenTheirScreens) {
    for (auto [menu, caption] : {std::pair{"Tabelle", "Fornitori"},
                                 {"Tabelle", "Elenco comuni "},
                                 {"Tabelle", "Tipi movimenti"},
                                 {"Tabelle", "Tipi di contratto"},
                                 {"Movimenti", "Tipi di movimento"},
                                 {"Agenzia Entrate", "Misuratori (tipologia)"}}) {
        QAction* a = entry(menu, caption);
        ASSERT_NE(a, nullptr) << caption;
        EXPECT_TRUE(a->isEnabled()) << caption;
    }
    QStringList shown;
    ui::ModalHookScope hook([&](QDialog& screen) { shown << screen.windowTitle(); });
    entry("Tabelle", "Fornitori")->trigger();
    entry("Movimenti", "Tipi di movimento")->trigger();
    entry("Agenzia Entrate", "Misuratori (tipologia)")->trigger();
    EXPECT_EQ(shown, (QStringList{"Elenco fornitori:", "Tipi movimenti:", "Elenco misuratori"}));
    EXPECT_TRUE(fornitoriForm.isNull());
}

TEST_F(WiredRegisters, SupplierRulesHoldOnTheSharedObject) {
    data.TabFornitori.append();
    EXPECT_EQ(data.TabFornitori.field("Id_fornitore").asInteger(), 1);
    data.TabFornitori.field("Comune").setAsString("ROMA");
    EXPECT_EQ(data.TabFornitori.field("Cap").asString(), "00118");
    data.TabFornitori.field("Piva").setAsString("123");
    data.TabFornitori.post();
    EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning), QStringList{"Errore P. Iva"});
}

} // namespace
