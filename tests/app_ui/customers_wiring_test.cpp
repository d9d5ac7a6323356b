// The customer register reached from the main window once the program wires its screens.
#include "app/mainw.h"
#include "app/screens.h"
#include "app/session.h"
#include "registry/eserciziow.h"
#include "store/dm.h"
#include "ui/modal.h"
#include "ui/ui_support.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

class WiredCustomers : public ::testing::Test {
protected:
    testsupport::TempFolder programFolder;
    testsupport::YearFolder year;
    uitest::Dialogs dialogs;
    Tdm data;
    app::ProgramState state;
    std::unique_ptr<TMainForm> window;

    void SetUp() override {
        ASSERT_TRUE(data.dmCreate(year.path()));
        window = std::make_unique<TMainForm>(data, state, programFolder.file("misuratori"),
                                             QDate(2007, 1, 31));
        app::wireScreens(*window, data, state);
        uitest::showActive(*window);
    }
};

TEST_F(WiredCustomers, MenuEntryAndToolbarButtonOpenTheCustomerScreen) {
    QAction* entry = nullptr;
    for (QAction* top : window->menuBar()->actions())
        if (top->text() == "Tabelle")
            for (QAction* a : top->menu()->actions())
                if (a->text() == "Esercizi (clienti)")
                    entry = a;
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
