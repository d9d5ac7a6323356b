// The registers reached from the main window once the program wires its screens.
#include "app/screens.h"
#include "main_window_fixture.h"
#include "ui/modal.h"
#include "ui/ui_support.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

using WiredRegisters = apptest::WiredMainWindow;

TEST_F(WiredRegisters, MenuEntriesAndToolbarButtonsOpenTheirScreens) {
    const struct {
        const char* menu;
        const char* caption;
        const char* title;
    } entries[] = {
        {"Tabelle", "Esercizi (clienti)", "esercizi/clienti"},
        {"Tabelle", "Fornitori", "Elenco fornitori:"},
        {"Tabelle", "Elenco comuni ", "comuniForm"},
        {"Tabelle", "Tipi movimenti", "Tipi movimenti:"},
        {"Tabelle", "Tipi di contratto", "Elenco dei TIPI di Contratto:"},
        {"Movimenti", "Tipi di movimento", "Tipi movimenti:"},
        {"Agenzia Entrate", "Soggetto obbligato (concessionario)",
         "Dati sul Soggetto Obbligato e relative abilitazioni"},
        {"Agenzia Entrate", "Tecnici",
         "Elenco dei tecnici abilitati alle verifiche e non abilitati:"},
        {"Agenzia Entrate", "Misuratori (tipologia)", "Elenco misuratori"},
        {"Documenti", "impostazioni", "impdocForm"},
        {"Documenti", "tipo di documenti", "tipodocform"},
        {"Documenti", "Elenco documenti", "elenco_docForm"},
    };
    QStringList shown;
    ui::ModalHookScope hook([&](QDialog& screen) { shown << screen.windowTitle(); });
    QStringList expected;
    for (const auto& e : entries) {
        QAction* a = entry(e.menu, e.caption);
        ASSERT_NE(a, nullptr) << e.caption;
        EXPECT_TRUE(a->isEnabled()) << e.caption;
        a->trigger();
        expected << QString::fromUtf8(e.title);
    }
    uitest::click(window->button("Elenco Esercizii /F4"));
    uitest::click(window->button("Elenco tecnici /F3"));
    uitest::click(window->button("Elenco Documenti"));
    uitest::click(window->button("Elenco Contratti"));
    uitest::click(window->button("Articoli e parco macchine"));
    expected << "esercizi/clienti"
             << "Elenco dei tecnici abilitati alle verifiche e non abilitati:"
             << "elenco_docForm"
             << "ELENCO_CONTRATTIFORM"
             << "Elenco articoli e parco macchine:";
    EXPECT_EQ(shown, expected);
}

} // namespace
