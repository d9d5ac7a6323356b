// The modal-screen routine, its test seam, the close-allowed flag and the page stack.

#include "ui_support.h"

#include "store/error.h"
#include "ui/modal.h"
#include "ui/pagestack.h"
#include "ui/screen.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

/// A tiny register-like screen: a name box, "OK" (accepts), "Annulla" (cancels), a button
/// with no result of its own, and a list page and an edit page.
class TinyScreen : public ui::Screen {
public:
    explicit TinyScreen(QString* accepted = nullptr) {
        ++built;
        auto* layout = new QVBoxLayout(this);
        pages = new ui::PageStack(this);
        pages->addPage(QStringLiteral("list"), new QLabel(QStringLiteral("Elenco"), this));
        pages->addPage(QStringLiteral("edit"), new QLabel(QStringLiteral("Scheda"), this));
        layout->addWidget(pages);
        name = new QLineEdit(this);
        layout->addWidget(name);
        ok = new QPushButton(QStringLiteral("OK"), this);
        cancel = new QPushButton(QStringLiteral("Annulla"), this);
        plain = new QPushButton(QStringLiteral("Esci"), this);
        layout->addWidget(ok);
        layout->addWidget(cancel);
        layout->addWidget(plain);
        connect(ok, &QPushButton::clicked, this, [this, accepted] {
            if (accepted)
                *accepted = name->text();
            closeWith(QDialog::Accepted);
        });
        connect(cancel, &QPushButton::clicked, this, [this] { closeWith(QDialog::Rejected); });
        connect(plain, &QPushButton::clicked, this, [this] {
            setCloseAllowed(true);
            close();
        });
        setEditingRefusal(defaultEditingRefusal(), *pages, QStringLiteral("edit"));
    }
    ~TinyScreen() override { ++destroyed; }

    static inline int built = 0;
    static inline int destroyed = 0;
    ui::PageStack* pages;
    QLineEdit* name;
    QPushButton* ok;
    QPushButton* cancel;
    QPushButton* plain;
};

QPointer<TinyScreen> tinyScreen; // the program-wide reference, as screens have

class ModalTest : public ::testing::Test {
protected:
    void SetUp() override { TinyScreen::built = TinyScreen::destroyed = 0; }
    uitest::Dialogs dialogs;
};

TEST_F(ModalTest, HookDrivesTheShownScreenAndTheRoutineReturnsItsResult) {
    QString accepted;
    bool seenVisible = false;
    bool referenceSet = false;
    ui::ModalHookScope hook([&](QDialog& shown) {
        auto* screen = dynamic_cast<TinyScreen*>(&shown);
        ASSERT_NE(screen, nullptr);
        seenVisible = screen->isVisible() && screen->isActiveWindow();
        referenceSet = tinyScreen == screen;
        uitest::focusByClick(screen->name);
        QTest::keyClicks(screen->name, QStringLiteral("ROSSI"));
        uitest::click(screen->ok);
    });
    const int result =
        ui::showModal(tinyScreen, [&] { return std::make_unique<TinyScreen>(&accepted); });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(accepted, QStringLiteral("ROSSI"));
    EXPECT_TRUE(seenVisible);
    EXPECT_TRUE(referenceSet);
    EXPECT_TRUE(tinyScreen.isNull());
    EXPECT_EQ(TinyScreen::destroyed, 1);
}

TEST_F(ModalTest, ASecondOpeningStartsFromTheInitialState) {
    QStringList seen;
    ui::ModalHookScope hook([&](QDialog& shown) {
        auto* screen = static_cast<TinyScreen*>(&shown);
        seen << screen->name->text() + QLatin1Char('|') + screen->pages->currentPageName();
        screen->pages->showPage(QStringLiteral("edit"));
        uitest::focusByClick(screen->name);
        QTest::keyClicks(screen->name, QStringLiteral("TYPED"));
        uitest::click(screen->cancel);
    });
    EXPECT_EQ(ui::showModal(tinyScreen), QDialog::Rejected);
    EXPECT_EQ(ui::showModal(tinyScreen), QDialog::Rejected);
    EXPECT_EQ(seen, QStringList(2, QStringLiteral("|list")));
    EXPECT_EQ(TinyScreen::built, 2);
    EXPECT_EQ(TinyScreen::destroyed, 2);
}

TEST_F(ModalTest, CloseBoxIsRefusedWithTheScreensMessage) {
    bool stillOpen = false;
    ui::ModalHookScope hook([&](QDialog& shown) {
        auto* screen = static_cast<TinyScreen*>(&shown);
        screen->close();
        screen->pages->showPage(QStringLiteral("edit"));
        screen->close();
        QTest::keyClick(screen, Qt::Key_Escape);
        stillOpen = screen->isVisible();
        uitest::click(screen->cancel);
    });
    EXPECT_EQ(ui::showModal(tinyScreen), QDialog::Rejected);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(dialogs.entries(),
              (std::vector<ui::ScriptedDialogs::Entry>{
                  {ui::DialogKind::Message,
                   QStringLiteral("Per uscire dalla finestra usare i tasti opportuni")},
                  {ui::DialogKind::Message,
                   QStringLiteral("Terminare la fase di inserimento con i tasti di conferma")}}));
}

TEST_F(ModalTest, RefusalWordingIsTheScreensOwn) {
    ui::ModalHookScope hook([&](QDialog& shown) {
        auto* screen = static_cast<TinyScreen*>(&shown);
        screen->setRefusalMessage(
            QStringLiteral("usare il tasto chiudi per uscire dalla finestra"));
        screen->setEditingRefusal(
            QStringLiteral("Terminare la fase di inserimento, prima di chiudere"), *screen->pages,
            QStringLiteral("edit"));
        screen->close();
        screen->pages->showPage(QStringLiteral("edit"));
        screen->close();
        uitest::click(screen->cancel);
    });
    ui::showModal(tinyScreen);
    EXPECT_EQ(dialogs.texts(ui::DialogKind::Message),
              (QStringList{QStringLiteral("usare il tasto chiudi per uscire dalla finestra"),
                           QStringLiteral("Terminare la fase di inserimento, prima di chiudere")}));
}

TEST_F(ModalTest, ACloseWithoutAResultReturnsTheCancelResult) {
    ui::ModalHookScope hook(
        [&](QDialog& shown) { uitest::click(static_cast<TinyScreen&>(shown).plain); });
    EXPECT_EQ(ui::showModal(tinyScreen), QDialog::Rejected);
    EXPECT_TRUE(dialogs.entries().empty());
}

TEST_F(ModalTest, ReturnPressesOnlyAnExplicitDefaultButton) {
    int result = -1;
    ui::ModalHookScope hook([&](QDialog& shown) {
        auto* screen = static_cast<TinyScreen*>(&shown);
        uitest::focusByClick(screen->name);
        QTest::keyClick(screen->name, Qt::Key_Return);
        if (!screen->isVisible())
            return; // closed by Return: the check below reports it
        screen->ok->setDefault(true);
        QTest::keyClick(screen->name, Qt::Key_Return);
    });
    result = ui::showModal(tinyScreen);
    EXPECT_EQ(result, QDialog::Accepted) << "the first Return must do nothing, the second accept";
}

TEST_F(ModalTest, HookThatLeavesTheScreenOpenGetsTheCancelResult) {
    ui::ModalHookScope hook([](QDialog&) {});
    EXPECT_EQ(ui::showModal(tinyScreen), QDialog::Rejected);
    EXPECT_EQ(TinyScreen::destroyed, 1);
}

/// A screen whose showing fails, as one whose tables cannot be opened.
class FailingScreen : public QDialog {
protected:
    void showEvent(QShowEvent*) override {
        throw store::Error(QStringLiteral("Tabella MOV non trovata."));
    }
};

TEST_F(ModalTest, AFailureWhileShowingIsPassedOnAfterTheScreenIsDestroyed) {
    FailingScreen* reference = nullptr;
    QPointer<FailingScreen> watch;
    try {
        ui::showModal(reference, [&] {
            auto screen = std::make_unique<FailingScreen>();
            watch = screen.get();
            return screen;
        });
        ADD_FAILURE() << "the failure must reach the caller";
    } catch (const store::Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Tabella MOV non trovata."));
    }
    EXPECT_EQ(reference, nullptr);
    EXPECT_TRUE(watch.isNull());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(ModalTest, NestedScreensEachReachTheHook) {
    QPointer<TinyScreen> inner;
    QStringList order;
    ui::ModalHookScope hook([&](QDialog& shown) {
        auto* screen = static_cast<TinyScreen*>(&shown);
        if (screen == inner) {
            order << QStringLiteral("inner");
            uitest::click(screen->ok);
            return;
        }
        order << QStringLiteral("outer");
        EXPECT_EQ(ui::showModal(inner), QDialog::Accepted);
        order << QStringLiteral("outer again");
        uitest::click(screen->cancel);
    });
    EXPECT_EQ(ui::showModal(tinyScreen), QDialog::Rejected);
    EXPECT_EQ(order, (QStringList{QStringLiteral("outer"), QStringLiteral("inner"),
                                  QStringLiteral("outer again")}));
}

TEST(PageStack, ShowsPagesByName) {
    ui::PageStack stack;
    auto* list = new QLabel(QStringLiteral("Elenco"));
    auto* edit = new QLabel(QStringLiteral("Scheda"));
    stack.addPage(QStringLiteral("list"), list);
    stack.addPage(QStringLiteral("edit"), edit);
    QStringList shown;
    QObject::connect(&stack, &ui::PageStack::pageShown, [&](const QString& n) { shown << n; });
    EXPECT_EQ(stack.currentPageName(), QStringLiteral("list"));
    stack.showPage(QStringLiteral("edit"));
    EXPECT_EQ(stack.currentWidget(), edit);
    EXPECT_TRUE(stack.isShowing(QStringLiteral("edit")));
    EXPECT_EQ(stack.page(QStringLiteral("list")), list);
    EXPECT_EQ(shown, QStringList{QStringLiteral("edit")});
}

} // namespace
