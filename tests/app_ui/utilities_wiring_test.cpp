// The archive utilities reached from the main window once the program wires its screens.
#include "main_window_fixture.h"
#include "ui/modal.h"

#include <QDir>
#include <filesystem>

namespace {

/// The working year 2025 under the program's data root, as the program runs it.
class WiredUtilities : public apptest::WiredMainWindow {
protected:
    store::ProgramState saved = store::program();

    void SetUp() override {
        WiredMainWindow::SetUp();
        store::program().dataRoot = programFolder.path() + QDir::separator();
        store::program().workingYear = QStringLiteral("2025");
        std::filesystem::copy(year.path().toStdString(),
                              store::program().yearFolder().toStdString());
    }
    void TearDown() override { store::program() = saved; }
};

TEST_F(WiredUtilities, MenuEntriesOpenTheirScreens) {
    const struct {
        const char* menu;
        const char* caption;
        const char* title;
    } entries[] = {
        {"Utilità", "svuota archivi", "SVUOTA_ARCHIVIForm"},
        {"Tabelle", "Impostazioni default", "finestra delle impostazioni:"},
        {"?", "Primi passi...", "Primi Passi ..."},
    };
    QStringList shown, expected;
    ui::ModalHookScope hook([&](QDialog& screen) { shown << screen.windowTitle(); });
    for (const auto& e : entries) {
        QAction* a = entry(QString::fromUtf8(e.menu), QString::fromUtf8(e.caption));
        ASSERT_NE(a, nullptr) << e.caption;
        a->trigger();
        expected << QString::fromUtf8(e.title);
    }
    EXPECT_EQ(shown, expected);
}

TEST_F(WiredUtilities, BackupSaysWhereItSavedAndLeavesTheTablesOpen) {
    QAction* backup = entry(QString::fromUtf8("Utilità"), "copia di salvataggio...");
    ASSERT_NE(backup, nullptr);
    backup->trigger();
    ASSERT_EQ(dialogs.texts().size(), 1);
    const QString prefix =
        "salvataggio eseguito correttamente nella cartella :" + store::program().dataRoot +
        "backup" + QDir::separator();
    EXPECT_TRUE(dialogs.texts()[0].startsWith(prefix)) << dialogs.texts()[0].toStdString();
    EXPECT_TRUE(data.Tabmov.active());
    EXPECT_EQ(data.Tabmov.databaseName(), store::program().yearFolder());
}

} // namespace
