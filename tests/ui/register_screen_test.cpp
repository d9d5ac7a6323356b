// The register pattern shared by the list/edit screens: pages, commands, delete, close refusals.

#include "ui_support.h"

#include "ui/dbedit.h"
#include "ui/grid.h"
#include "ui/pagestack.h"
#include "ui/register_screen.h"

#include <QHeaderView>
#include <QPushButton>
#include <memory>

using store::DataSetState;

namespace {

class RegisterScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        models = std::make_unique<store::Table>(year.path(), QStringLiteral("ms"));
        models->open();
        screen = std::make_unique<ui::RegisterScreen>(*models);
        screen->addGrid({{QStringLiteral("Marchio_ms"), QStringLiteral("Marchio")}});
        screen->addNewButton();
        screen->addModifyButton();
        screen->addListButton(QStringLiteral("Elimina"), [this] { screen->deleteCurrent(plan); });
        screen->addCloseButton(QStringLiteral("Chiudi"));
        brand = screen->addFieldRow(QStringLiteral("Marchio"), QStringLiteral("Marchio_ms"));
        screen->addConfirmButton();
        screen->addCancelButton();
        screen->setFirstEditor(brand);
        screen->resize(400, 300);
        uitest::showActive(*screen);
    }
    void model(int id, const QString& brandName) {
        models->append();
        models->field(QStringLiteral("Id_ms")).setAsInteger(id);
        models->field(QStringLiteral("Marchio_ms")).setAsString(brandName);
        models->post();
    }
    void press(const QString& caption) {
        QPushButton* b = screen->button(caption);
        ASSERT_NE(b, nullptr) << caption.toStdString();
        ASSERT_TRUE(b->isVisible()) << caption.toStdString();
        uitest::click(b);
    }
    void typeBrand(const QString& text) {
        uitest::focusByClick(brand);
        QTest::keyClick(brand, Qt::Key_A, Qt::ControlModifier);
        uitest::typeText(brand, text);
    }
    bool onList() const { return screen->pages().isShowing(ui::RegisterScreen::listPageName); }

    testsupport::YearFolder year;
    uitest::Dialogs dialogs;
    std::unique_ptr<store::Table> models;
    std::unique_ptr<ui::RegisterScreen> screen;
    ui::DbEdit* brand = nullptr;
    ui::DeletePlan plan;
};

TEST_F(RegisterScreenTest, NewShowsTheEditPageAndConfirmPostsWhatWasTypedStillFocused) {
    EXPECT_TRUE(onList());
    EXPECT_FALSE(screen->button("OK")->isVisible());
    press("Nuovo");
    EXPECT_FALSE(onList());
    EXPECT_EQ(models->state(), DataSetState::Insert);
    EXPECT_EQ(QApplication::focusWidget(), brand);
    uitest::typeText(brand, "rch");
    // Return presses no button: the confirm button is not the default one.
    QTest::keyClick(brand, Qt::Key_Return);
    EXPECT_FALSE(onList());
    screen->confirm();
    EXPECT_TRUE(onList());
    EXPECT_EQ(models->state(), DataSetState::Browse);
    EXPECT_EQ(models->recordCount(), 1);
    EXPECT_EQ(models->field("Marchio_ms").asString(), "RCH");
}

TEST_F(RegisterScreenTest, SaveCheckKeepsTheRecordInEditAndCancelDropsIt) {
    int checks = 0;
    screen->setSaveCheck([&] {
        ++checks;
        return brand->text() != "NO";
    });
    model(1, "RCH");
    press("Modifica");
    EXPECT_EQ(models->state(), DataSetState::Edit);
    typeBrand("no");
    press("OK");
    EXPECT_EQ(checks, 1);
    EXPECT_FALSE(onList());
    EXPECT_EQ(models->state(), DataSetState::Edit);
    press("Annulla");
    EXPECT_TRUE(onList());
    EXPECT_EQ(models->field("Marchio_ms").asString(), "RCH");
}

TEST_F(RegisterScreenTest, StoreRefusalOnPostIsShownAndTheEditPageStays) {
    model(1, "RCH");
    press("Nuovo");
    models->field("Id_ms").setAsInteger(1);
    typeBrand("doppio");
    press("OK");
    EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning).size(), 1);
    EXPECT_FALSE(onList());
    EXPECT_EQ(models->state(), DataSetState::Insert);
    press("Annulla");
    EXPECT_EQ(models->recordCount(), 1);
}

TEST_F(RegisterScreenTest, DeleteFollowsTheOnePattern) {
    plan.question = "Eliminare?";
    plan.done = "Eliminato.";
    QString refusal = ui::DeletePlan::refusalPrefix() + "i movimenti";
    bool referenced = true;
    plan.checks.push_back(
        [&] { return referenced ? std::optional<QString>(refusal) : std::nullopt; });

    press("Elimina");
    EXPECT_EQ(dialogs.texts(ui::DialogKind::Message), QStringList{"Nulla da eliminare"});

    model(1, "RCH");
    dialogs.clear();
    dialogs.answer(false);
    press("Elimina");
    EXPECT_EQ(dialogs.texts(), QStringList{"Eliminare?"});
    EXPECT_EQ(models->recordCount(), 1);

    dialogs.clear();
    dialogs.answer(true);
    press("Elimina");
    EXPECT_EQ(dialogs.texts(), (QStringList{"Eliminare?", refusal}));
    EXPECT_EQ(dialogs.entries().back().kind, ui::DialogKind::Warning);
    EXPECT_TRUE(refusal.startsWith("Eliminazione impossibile. Eliminare prima "));
    EXPECT_EQ(models->recordCount(), 1);

    referenced = false;
    dialogs.clear();
    dialogs.answer(true);
    press("Elimina");
    EXPECT_EQ(dialogs.texts(), (QStringList{"Eliminare?", "Eliminato."}));
    EXPECT_EQ(dialogs.entries().back().kind, ui::DialogKind::Information);
    EXPECT_EQ(models->recordCount(), 0);
}

TEST_F(RegisterScreenTest, ChecksFirstRefuseWithoutAsking) {
    model(1, "RCH");
    plan.question = "Eliminare?";
    plan.checksFirst = true;
    plan.checks.push_back([] { return QStringLiteral("In uso."); });
    press("Elimina");
    EXPECT_EQ(dialogs.texts(), QStringList{"In uso."});
    EXPECT_EQ(models->recordCount(), 1);
}

TEST_F(RegisterScreenTest, CloseBoxRefusalFollowsThePageAndEachScreensWording) {
    screen->close();
    screen->setRefusalMessage("Usare Chiudi");
    press("Nuovo");
    screen->close();
    press("Annulla");
    screen->close();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(
        dialogs.texts(ui::DialogKind::Message),
        (QStringList{"Per uscire dalla finestra usare i tasti opportuni",
                     "Terminare la fase di inserimento con i tasti di conferma", "Usare Chiudi"}));
    QTest::keyClick(screen.get(), Qt::Key_Escape);
    EXPECT_TRUE(screen->isVisible());
    press("Chiudi");
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(screen->result(), QDialog::Rejected);
}

} // namespace

namespace {

TEST_F(RegisterScreenTest, RecordIndicatorMarksTheCurrentRowAndFollowsTheCursor) {
    model(1, "OLIVETTI");
    model(2, "RCH");
    ui::DataGrid* grid = screen->grid();
    grid->setRecordIndicator(true);
    const auto mark = [&](int row) {
        return grid->tableModel().headerData(row, Qt::Vertical, Qt::DisplayRole).toString();
    };
    EXPECT_TRUE(grid->verticalHeader()->isVisible());
    EXPECT_EQ(mark(1), QString(QChar(0x25B6)));
    EXPECT_EQ(mark(0), "");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(0, 0).center());
    EXPECT_EQ(models->field("Id_ms").asInteger(), 1);
    EXPECT_EQ(mark(0), QString(QChar(0x25B6)));
    EXPECT_EQ(mark(1), "");
}

} // namespace
