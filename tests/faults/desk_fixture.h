#pragma once

// The program on a desk: a data root holding the template and the year 2008, the main window
// with every screen and record rule wired as at start-up, the year chosen on the year screen.
#include "app/inifile.h"
#include "app/mainw.h"
#include "app/screens.h"
#include "app/sel_annow.h"
#include "faults_support.h"
#include "registry_support.h"
#include "store/engine.h"
#include "store/program.h"
#include "support/fixture.h"
#include "wiring/record_rules.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <memory>
#include <optional>

namespace faults {

class Desk : public ::testing::Test {
protected:
    testsupport::TempFolder root;
    std::optional<SmallDisk> disk; ///< mounted over the data root by tests that fill it
    uitest::Dialogs dialogs;
    Tdm data;
    store::ProgramState& state = store::program(); // the screens read it, as in the program
    const store::ProgramState savedState = store::program();
    std::optional<RecordRules> rules;
    std::unique_ptr<TMainForm> window;

    // A locked table makes a post wait this long before it gives up.
    Desk() { store::setLockTimeout(300); }
    ~Desk() override {
        window.reset();
        data.dmDestroy();
        state = savedState;
        store::setLockTimeout(5000);
    }

    QString dataRoot() const { return app::withTrailingSeparator(root.path()); }
    QString yearFolder() const { return dataRoot() + QStringLiteral("2008"); }
    QString tableFile(const QString& name) const {
        return yearFolder() + QLatin1Char('/') + name + QStringLiteral(".DB");
    }

    /// The year folder made from the template, holding a customer and three suppliers.
    void makeYear() {
        app::writeDataRoot(root.file("misuratori.INI"), dataRoot());
        const QDir source(testsupport::templateFolder());
        QDir().mkpath(yearFolder());
        for (const QString& name : source.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(source.filePath(name), QDir(yearFolder()).filePath(name)));
        store::Table shops(yearFolder(), "esercizio");
        shops.open();
        add(shops, {{"Id_esercizio", 1}, {"Ragione_sociale", "BAR SPORT"}});
        store::Table suppliers(yearFolder(), "fornitori");
        suppliers.open();
        for (int id = 1; id <= 3; ++id)
            add(suppliers, {{"Id_fornitore", id},
                            {"Ragione_sociale", QStringLiteral("FORNITORE %1").arg(id)}});
        store::Table movements(yearFolder(), "MOV");
        movements.open();
        add(movements, {{"Id", 1}, {"ID_ESERCIZIO", 1}, {"Data", QDate(2008, 3, 1)}});
    }

    /// Starts the program and chooses 2008 on the year screen; answers whether it was accepted.
    bool startUp() {
        window = std::make_unique<TMainForm>(data, state, root.file("misuratori"));
        int shown = 0;
        ui::ModalHookScope hook([&](QDialog& screen) {
            if (++shown == 1) // the splash
                return screen.done(QDialog::Accepted);
            auto* years = qobject_cast<TSel_annoForm*>(&screen);
            ASSERT_NE(years, nullptr);
            QLineEdit* edit = years->yearBox()->findChild<QLineEdit*>();
            edit->selectAll();
            QTest::keyClicks(edit, "2008");
            uitest::click(years->nextButton());
            if (years->isVisible())
                uitest::click(years->cancelButton());
        });
        const bool started = window->startUp();
        rules.emplace(data, ui::warningSink());
        app::wireScreens(*window, data);
        return started;
    }

    /// Chooses a menu entry of the main window and lets `body` drive the screen it opens.
    template <class Screen>
    void use(const QString& menu, const QString& caption,
             const std::function<void(Screen&)>& body) {
        bool opened = false;
        ui::ModalHookScope hook([&](QDialog& shown) {
            auto* screen = qobject_cast<Screen*>(&shown);
            ASSERT_NE(screen, nullptr);
            opened = true;
            body(*screen);
        });
        QAction* entry = nullptr;
        for (QAction* top : window->menuBar()->actions())
            if (top->text() == menu)
                for (QAction* a : top->menu()->findChildren<QAction*>())
                    if (a->text() == caption)
                        entry = a;
        ASSERT_NE(entry, nullptr) << caption.toStdString();
        entry->trigger();
        EXPECT_TRUE(opened);
    }

    /// One field of every stored record of a table, in natural order, through a cursor of its
    /// own: what a restart would find.
    QStringList stored(const QString& table, const QString& field) {
        store::Table probe(yearFolder(), table);
        probe.open();
        QStringList values;
        for (probe.first(); !probe.eof(); probe.next())
            values << probe.field(field).asString();
        return values;
    }

private:
    static void add(store::Table& table,
                    std::initializer_list<std::pair<const char*, QVariant>> values) {
        table.append();
        for (const auto& [name, value] : values)
            table.field(QString::fromLatin1(name)).setValue(value);
        table.post();
    }
};

} // namespace faults
