// The dialogs service: the scripted recorder, the message boxes and the rules' sink.

#include "ui_support.h"

#include "store/error.h"
#include "store/rules.h"
#include "ui/dialogs.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
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

TEST(WarningSink, RecordRulesWarnThroughTheInstalledDialogs) {
    testsupport::YearFolder year;
    uitest::Dialogs d;
    store::Table suppliers(year.path(), QStringLiteral("fornitori"));
    suppliers.open();
    store::rules::attachVatCheck(suppliers, QStringLiteral("Piva"), ui::warningSink());
    suppliers.append();
    suppliers.field(QStringLiteral("Piva")).setAsString(QStringLiteral("12345678901"));
    EXPECT_EQ(d.entries(), (std::vector<ui::ScriptedDialogs::Entry>{
                               {ui::DialogKind::Warning, QStringLiteral("Errore P. Iva")}}));
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
