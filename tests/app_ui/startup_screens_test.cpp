// Start-up as the user meets it: splash, year screen, creation of a year, status bar.
#include "app/inifile.h"
#include "app/mainw.h"
#include "app/sel_annow.h"
#include "store/dm.h"
#include "store/program.h"
#include "ui/modal.h"
#include "ui/ui_support.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <functional>

namespace {

const QString creationQuestion =
    "Anno non trovato. E\"  consigliabile creare un anno appena si è terminato tutto il "
    "caricamento dell\"anno precedente. Crearlo adesso?";

/// A data root with the template and an INI pointing at it, a data module and a main window.
class StartUp : public ::testing::Test {
protected:
    testsupport::TempFolder root;
    uitest::Dialogs dialogs;
    Tdm data;
    store::ProgramState state;
    std::unique_ptr<TMainForm> window;
    QString rootText;

    void SetUp() override {
        rootText = app::withTrailingSeparator(root.path());
        copyTemplate(rootText + "vuoto");
        app::writeDataRoot(root.file("misuratori.INI"), rootText);
        window = std::make_unique<TMainForm>(data, state, root.file("misuratori"));
    }
    void copyTemplate(const QString& folder) {
        QDir().mkpath(folder);
        const QDir source(testsupport::templateFolder());
        for (const QString& name : source.entryList(QDir::Files))
            QFile::copy(source.filePath(name), QDir(folder).filePath(name));
    }
    /// Runs the start-up; the splash is checked and closed, then `onYearScreen` drives the
    /// year screen.
    bool startUp(const std::function<void(TSel_annoForm&)>& onYearScreen) {
        int shown = 0;
        ui::ModalHookScope hook([&](QDialog& screen) {
            if (++shown == 1) {
                EXPECT_EQ(screen.windowTitle(), "Caricamento in corso");
                screen.done(QDialog::Accepted);
                return;
            }
            auto* year = qobject_cast<TSel_annoForm*>(&screen);
            ASSERT_NE(year, nullptr);
            onYearScreen(*year);
        });
        return window->startUp();
    }
    static void typeYear(TSel_annoForm& screen, const QString& text) {
        QLineEdit* edit = screen.yearBox()->findChild<QLineEdit*>();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
};

} // namespace

TEST_F(StartUp, YearScreenProposesTodaysYearInItsRange) {
    startUp([](TSel_annoForm& screen) {
        EXPECT_EQ(screen.windowTitle(), "Seleziona l'anno su cui lavorare:");
        EXPECT_EQ(screen.yearBox()->value(), QDate::currentDate().year());
        EXPECT_EQ(screen.yearBox()->minimum(), 2004);
        EXPECT_EQ(screen.yearBox()->maximum(), QDate::currentDate().year() + 1);
        EXPECT_EQ(screen.nextButton()->text(), "Avanti  >>");
        uitest::click(screen.cancelButton());
    });
}

TEST_F(StartUp, MissingYearIsCreatedAndOpened) {
    dialogs.answer(true);
    const QString year = QString::number(QDate::currentDate().year());
    EXPECT_TRUE(startUp([](TSel_annoForm& screen) { uitest::click(screen.nextButton()); }));
    EXPECT_EQ(dialogs.texts(),
              (QStringList{creationQuestion, "Creazione anno eseguita correttamente"}));
    EXPECT_TRUE(QFile::exists(rootText + year + "/MOV.DB"));
    EXPECT_EQ(state.workingYear, year);
    EXPECT_EQ(window->statusPanel(2), "Anno: " + year);
    EXPECT_EQ(window->statusPanel(1), "Versione 1.020");
    EXPECT_EQ(window->statusPanel(0), QDate::currentDate().toString("dd/MM/yyyy"));
    EXPECT_TRUE(data.Tabdiciture.active());
}

TEST_F(StartUp, ExistingYearOpensWithoutQuestion) {
    copyTemplate(rootText + "2008");
    EXPECT_TRUE(startUp([](TSel_annoForm& screen) {
        typeYear(screen, "2008");
        uitest::click(screen.nextButton());
    }));
    EXPECT_TRUE(dialogs.texts().isEmpty());
    EXPECT_EQ(window->statusPanel(2), "Anno: 2008");
    EXPECT_EQ(data.Tabmov.databaseName(), rootText + "2008");
}

TEST_F(StartUp, DeclinedCreationKeepsTheScreenOpenAndTablesClosed) {
    dialogs.answer(false);
    EXPECT_FALSE(startUp([this](TSel_annoForm& screen) {
        uitest::click(screen.nextButton());
        EXPECT_TRUE(screen.isVisible());
        EXPECT_FALSE(data.Tabmov.active());
        uitest::click(screen.cancelButton());
    }));
    EXPECT_EQ(dialogs.texts(), QStringList{creationQuestion});
    EXPECT_TRUE(state.workingYear.isEmpty());
}

TEST_F(StartUp, MissingTemplateSaysSuccessThenYearNotFound) {
    QDir(rootText + "vuoto").removeRecursively();
    dialogs.answer(true);
    EXPECT_FALSE(startUp([](TSel_annoForm& screen) {
        uitest::click(screen.nextButton());
        EXPECT_TRUE(screen.isVisible());
        uitest::click(screen.cancelButton());
    }));
    EXPECT_EQ(dialogs.texts(),
              (QStringList{creationQuestion, "Creazione anno eseguita correttamente",
                           "Anno non trovato contattare l'assistenza"}));
}

TEST_F(StartUp, CloseBoxIsRefused) {
    EXPECT_FALSE(startUp([this](TSel_annoForm& screen) {
        screen.close();
        QApplication::processEvents();
        EXPECT_TRUE(screen.isVisible());
        EXPECT_EQ(dialogs.texts(),
                  QStringList{"Per uscire dalla finestra usare i tasti opportuni"});
        uitest::click(screen.cancelButton());
    }));
}

TEST_F(StartUp, YearBeyondTheRangeIsBroughtBackIntoIt) {
    dialogs.answer(false);
    const QString last = QString::number(QDate::currentDate().year() + 1);
    startUp([&](TSel_annoForm& screen) {
        typeYear(screen, "2030");
        uitest::click(screen.nextButton());
        EXPECT_EQ(screen.yearBox()->text(), last);
        uitest::click(screen.cancelButton());
    });
    EXPECT_EQ(dialogs.texts(), QStringList{creationQuestion});
    EXPECT_FALSE(QDir(rootText + "2030").exists());
}

TEST_F(StartUp, ClosingTheMainWindowWritesTheConfigurationAndClosesTables) {
    copyTemplate(rootText + "2008");
    ASSERT_TRUE(startUp([](TSel_annoForm& screen) {
        typeYear(screen, "2008");
        uitest::click(screen.nextButton());
    }));
    QFile::remove(root.file("misuratori.INI"));
    window->close();
    EXPECT_FALSE(data.Tabmov.active());
    EXPECT_EQ(app::readIniString(root.file("misuratori.INI"), "Directory", "DirBase", ""),
              rootText);
}
