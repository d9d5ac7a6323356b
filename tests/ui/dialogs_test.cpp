// The dialogs service: the scripted recorder, the message boxes and the rules' sink.

#include "ui_support.h"

#include "store/error.h"
#include "store/rules.h"
#include "ui/dbedit.h"
#include "ui/dialogs.h"
#include "ui/modal.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest-spi.h>

namespace {

TEST(ScriptedDialogs, RecordsEveryBoxAndAnswersQuestionsInOrder) {
    uitest::Dialogs d;
    d.answer(true);
    d.answer(ui::Answer::Cancel);
    d.answer(false);
    ui::dialogs().warning(QStringLiteral("Inserire la descrizione"));
    EXPECT_TRUE(ui::dialogs().question(QStringLiteral("Eliminare?")));
    EXPECT_EQ(ui::dialogs().questionWithCancel(QStringLiteral("Salvare?")), ui::Answer::Cancel);
    EXPECT_FALSE(ui::dialogs().question(QStringLiteral("Proseguire?")));
    ui::dialogs().message(QStringLiteral("Eliminato."));
    EXPECT_EQ(d.pendingAnswers(), 0);
    using K = ui::DialogKind;
    EXPECT_EQ(d.entries(), (std::vector<ui::ScriptedDialogs::Entry>{
                               {K::Warning, QStringLiteral("Inserire la descrizione")},
                               {K::Question, QStringLiteral("Eliminare?")},
                               {K::Question, QStringLiteral("Salvare?")},
                               {K::Question, QStringLiteral("Proseguire?")},
                               {K::Message, QStringLiteral("Eliminato.")}}));
}

TEST(ScriptedDialogs, AQuestionWithoutAPreparedAnswerFailsTheTest) {
    uitest::Dialogs d;
    bool answer = true;
    EXPECT_NONFATAL_FAILURE(answer = ui::dialogs().question(QStringLiteral("Crearlo adesso?")),
                            "Crearlo adesso?");
    EXPECT_FALSE(answer) << "an unexpected question is answered No";
}

TEST(ScriptedDialogs, InstallsItselfForItsLifetimeOnly) {
    uitest::Dialogs outer;
    {
        uitest::Dialogs inner;
        ui::dialogs().information(QStringLiteral("dentro"));
        EXPECT_EQ(inner.texts(), QStringList{QStringLiteral("dentro")});
    }
    ui::dialogs().information(QStringLiteral("fuori"));
    EXPECT_EQ(outer.texts(), QStringList{QStringLiteral("fuori")});
}

// A rule's warning about a field sends the user back to that field's box in the screen that is
// open; one about nothing in particular, or about a field the screen has no box for, does not.
TEST(WarnAbout, ShowsTheTextThenFocusesTheBoxOfTheFieldItNames) {
    testsupport::YearFolder year;
    store::Table suppliers(year.path(), QStringLiteral("fornitori"));
    store::Table otherCursor(year.path(), QStringLiteral("fornitori"));
    suppliers.open();
    otherCursor.open();
    using store::rules::Warning;
    const struct {
        Warning warning;
        QStringList shown;
        const char* focused; ///< field of the box holding the focus afterwards
    } cases[] = {
        {{QStringLiteral("Errore P. Iva"), &suppliers, QStringLiteral("Piva")},
         {QStringLiteral("Errore P. Iva")},
         "Piva"},
        {{QString(), &suppliers, QStringLiteral("piva")}, {}, "Piva"},
        {{QStringLiteral("Errore Sul Comune inserito")},
         {QStringLiteral("Errore Sul Comune inserito")},
         "Comune"},
        {{QStringLiteral("Errore"), &suppliers, QStringLiteral("Cap")},
         {QStringLiteral("Errore")},
         "Comune"},
        {{QStringLiteral("Errore"), &otherCursor, QStringLiteral("Piva")},
         {QStringLiteral("Errore")},
         "Comune"},
    };
    for (const auto& c : cases) {
        uitest::Dialogs d;
        QPointer<QDialog> screen;
        ui::ModalHookScope hook([&](QDialog& shown) {
            auto* comune = shown.findChild<ui::DbEdit*>(QStringLiteral("Comune"));
            uitest::focusByClick(comune);
            ui::warnAbout(c.warning);
            QApplication::processEvents();
            EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(c.focused))
                << c.warning.text.toStdString();
        });
        ui::showModal(screen, [&] {
            auto dialog = std::make_unique<QDialog>();
            auto* layout = new QVBoxLayout(dialog.get());
            for (const char* field : {"Piva", "Comune"}) {
                auto* box = new ui::DbEdit(suppliers, QString::fromLatin1(field));
                box->setObjectName(QString::fromLatin1(field));
                layout->addWidget(box);
            }
            return dialog;
        });
        EXPECT_EQ(d.texts(ui::DialogKind::Warning), c.shown);
    }
}

TEST(ShowFailure, ShowsTheStoreMessageOrTheExceptionText) {
    uitest::Dialogs d;
    ui::showFailure(store::Error(QStringLiteral("La tabella MOV non è aperta.")));
    ui::showFailure(std::runtime_error("disco pieno"));
    EXPECT_EQ(d.texts(ui::DialogKind::Warning),
              (QStringList{QStringLiteral("La tabella MOV non è aperta."),
                           QStringLiteral("disco pieno")}));
}

/// Clicks the button with that text on the message box that is about to open, and remembers
/// every button text the box had.
void answerNextBox(const QString& buttonText, QStringList& buttonsSeen, QString& titleSeen) {
    QTimer::singleShot(0, [&buttonsSeen, &titleSeen, buttonText] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr) << "no message box is open";
        titleSeen = box->windowTitle();
        QAbstractButton* chosen = nullptr;
        for (QAbstractButton* b : box->buttons()) {
            buttonsSeen << b->text();
            if (b->text() == buttonText)
                chosen = b;
        }
        if (!chosen) {
            ADD_FAILURE() << "no button " << buttonText.toStdString();
            box->done(0); // never leave the test waiting on the box
            return;
        }
        QTest::mouseClick(chosen, Qt::LeftButton);
    });
}

TEST(MessageBoxDialogs, QuestionsHaveItalianButtonsAndReportTheChoice) {
    ui::MessageBoxDialogs boxes;
    QStringList buttons;
    QString title;
    answerNextBox(QStringLiteral("Sì"), buttons, title);
    EXPECT_TRUE(boxes.question(QStringLiteral("Crearlo adesso?")));
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("No"), QStringLiteral("Sì")}));
    EXPECT_EQ(title, QStringLiteral("Conferma"));

    buttons.clear();
    answerNextBox(QStringLiteral("No"), buttons, title);
    EXPECT_FALSE(boxes.question(QStringLiteral("Crearlo adesso?")));

    buttons.clear();
    answerNextBox(QStringLiteral("Annulla"), buttons, title);
    EXPECT_EQ(boxes.questionWithCancel(QStringLiteral("Salvare?")), ui::Answer::Cancel);
    buttons.sort(); // their order on screen follows the platform's habits
    EXPECT_EQ(buttons,
              (QStringList{QStringLiteral("Annulla"), QStringLiteral("No"), QStringLiteral("Sì")}));
}

TEST(MessageBoxDialogs, WarningsHaveOneOkButton) {
    ui::MessageBoxDialogs boxes;
    QStringList buttons;
    QString title;
    answerNextBox(QStringLiteral("OK"), buttons, title);
    boxes.warning(QStringLiteral("Inserire la descrizione"));
    EXPECT_EQ(buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(title, QStringLiteral("Attenzione"));
}

} // namespace
