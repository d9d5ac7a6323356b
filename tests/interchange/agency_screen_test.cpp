// The agency-file screen as the user meets it: choose, show, the disabled import, refusals.
#include "interchange/importw.h"
#include "interchange_support.h"
#include "store/engine.h"
#include "store/program.h"
#include "support/working_year.h"
#include "ui/grid.h"
#include "ui/modal.h"
#include "ui/ui_support.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

namespace {

class AgencyScreen : public ::testing::Test {
protected:
    uitest::Dialogs dialogs;
    testsupport::WorkingYear working;
    testsupport::TempFolder root;
    QString savedRoot = store::program().dataRoot;
    QString chooserAnswer;

    void SetUp() override {
        store::program().dataRoot = root.path() + "/";
        const QString staging = root.path() + "/importdb";
        QDir().mkpath(staging);
        for (const char* name : {"riga1", "riga2", "riga3"})
            store::createTableFile(staging, store::catalogue::get(store::TableSet::Staging,
                                                                  QString::fromLatin1(name)));
        QFile file(root.file("trimestre.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ictest::twoQuarterFile());
    }
    void TearDown() override { store::program().dataRoot = savedRoot; }

    void open(const std::function<void(TimportForm&)>& body) {
        ui::ModalHookScope hook([&](QDialog& shown) {
            auto* screen = qobject_cast<TimportForm*>(&shown);
            ASSERT_NE(screen, nullptr);
            body(*screen);
        });
        interchange::openAgencyFile(working.data, [this](QWidget*) { return chooserAnswer; });
    }
    static void press(QWidget& screen, const QString& caption) {
        for (QPushButton* b : screen.findChildren<QPushButton*>())
            if (b->text() == caption && b->isVisible())
                return uitest::click(b);
        ADD_FAILURE() << "no button " << caption.toStdString();
    }
    static QList<int> rows(TimportForm& s) {
        QList<int> out;
        for (auto kind : {interchange::AgencyKind::Header, interchange::AgencyKind::Technician,
                          interchange::AgencyKind::Verification})
            out << s.grid(kind)->tableModel().rowCount();
        return out;
    }
};

TEST_F(AgencyScreen, ChosenFileIsShownInItsGridsAndImportSaysDisabled) {
    chooserAnswer = root.file("trimestre.txt");
    open([&](TimportForm& s) {
        EXPECT_EQ(s.windowTitle(), "importform");
        EXPECT_FALSE(s.importPanel()->isVisible());
        press(s, "Seleziona il file");
        EXPECT_EQ(s.chosenFile(), chooserAnswer);
        press(s, "Visualizza");
        EXPECT_EQ(rows(s), (QList<int>{2, 0, 3}));
        EXPECT_TRUE(s.importPanel()->isVisible());
        press(s, "Importa");
        EXPECT_EQ(dialogs.texts(), QStringList{"disabilitato"});
        press(s, "Chiudi");
    });
    // Closing opened the data module again on the working year.
    EXPECT_TRUE(working.data.Tabesercizio.active());
    EXPECT_EQ(working.data.Tabesercizio.databaseName(), working.year.path());
}

TEST_F(AgencyScreen, AFileThatCannotBeReadIsSaidAndShowsNothing) {
    chooserAnswer = root.file("manca.txt");
    open([&](TimportForm& s) {
        press(s, "Visualizza");
        press(s, "Seleziona il file");
        press(s, "Visualizza");
        EXPECT_EQ(dialogs.texts(),
                  (QStringList{"Impossibile leggere il file", "Impossibile leggere il file"}));
        EXPECT_FALSE(s.importPanel()->isVisible());
        EXPECT_EQ(rows(s), (QList<int>{0, 0, 0}));
    });
}

} // namespace
