// The customer register reached from the main window once the program wires its screens.
#include "app/screens.h"
#include "app/session.h"
#include "main_window_fixture.h"
#include "registry/eserciziow.h"
#include "store/dm.h"
#include "ui/modal.h"
#include "ui/ui_support.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

using WiredCustomers = apptest::WiredMainWindow;

TEST_F(WiredCustomers, MenuEntryAndToolbarButtonOpenTheCustomerScreen) {
    QAction* entry = this->entry("Tabelle", "Esercizi (clienti)");
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->isEnabled());
    QStringList shown;
    bool referenceSet = false;
    ui::ModalHookScope hook([&](QDialog& screen) {
        shown << screen.windowTitle();
        referenceSet = esercizioForm == &screen;
    });
    entry->trigger();
    uitest::click(window->button("Elenco Esercizii /F4"));
    EXPECT_EQ(shown, (QStringList{"esercizi/clienti", "esercizi/clienti"}));
    EXPECT_TRUE(referenceSet);
    EXPECT_TRUE(esercizioForm.isNull());
}

TEST_F(WiredCustomers, CustomerRulesHoldOnTheSharedObject) {
    data.Tabesercizio.append();
    EXPECT_EQ(data.Tabesercizio.field("Id_esercizio").asInteger(), 1);
    data.Tabesercizio.field("Comune").setAsString("BARI");
    EXPECT_EQ(data.Tabesercizio.field("Provincia").asString(), "BA");
    data.Tabesercizio.field("Piva").setAsString("123");
    data.Tabesercizio.post();
    EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning), QStringList{"Errore P. Iva"});
}

} // namespace
