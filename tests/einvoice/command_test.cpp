// The command "Fattura elettronica (XML)...": check, folder, file, message, remembered folder.
#include "einvoice/einvoice_command.h"
#include "einvoice_support.h"
#include "store/program.h"
#include "ui/scripted_dialogs.h"

#include <QDir>

namespace {

class Command : public einvtest::InvoiceYear {
protected:
    ui::ScriptedDialogs dialogs{[](const QString& what) {
        ADD_FAILURE() << what.toStdString();
    }};
    testsupport::TempFolder out;
    QString remembered;
    QStringList proposed; ///< the folders the folder box proposed, in order
    QString answer;       ///< what the user picks in the folder box
    einvoice::FolderPickerScope picker{[this](QWidget*, const QString& start) {
        proposed << start;
        return answer;
    }};
    QString previousYear = store::program().workingYear;

    void SetUp() override {
        InvoiceYear::SetUp();
        store::program().workingYear = "2026";
        einvoice::setFolderMemory({[this] { return remembered; },
                                   [this](const QString& f) {
                                       remembered = f;
                                   }});
    }
    void TearDown() override {
        store::program().workingYear = previousYear;
        einvoice::setFolderMemory({});
    }
};

TEST_F(Command, WritesIntoThePickedFolderSaysWhereAndRemembersIt) {
    const int id = invoice(einvtest::threeLines());
    answer = out.path();
    EXPECT_TRUE(einvoice::writeElectronicInvoice(data, id));
    const QString path = QDir(out.path()).filePath("IT01234567897_26001.xml");
    EXPECT_EQ(
        dialogs.texts(ui::DialogKind::Information),
        QStringList{"Fattura elettronica scritta nel file:\n" + QDir::toNativeSeparators(path)});
    EXPECT_EQ(einvtest::filesIn(out.path()), QStringList{"IT01234567897_26001.xml"});
    EXPECT_EQ(remembered, out.path());
    EXPECT_TRUE(einvoice::writeElectronicInvoice(data, id));
    EXPECT_EQ(proposed, (QStringList{QDir::homePath(), out.path()}));
}

TEST_F(Command, RefusalIsAWarningBeforeAnyFolderIsAsked) {
    const int id = document(customer(), einvtest::threeLines()); // no obliged subject
    answer = out.path();
    EXPECT_FALSE(einvoice::writeElectronicInvoice(data, id));
    EXPECT_EQ(
        dialogs.texts(ui::DialogKind::Warning),
        QStringList{"Mancano i dati dell'azienda: inserirli in Soggetto obbligato, Modifica."});
    EXPECT_EQ(proposed, QStringList{});
    EXPECT_EQ(einvtest::filesIn(out.path()), QStringList{});
}

TEST_F(Command, GivingUpTheFolderBoxWritesNothingAndSaysNothing) {
    const int id = invoice(einvtest::threeLines());
    answer.clear();
    EXPECT_FALSE(einvoice::writeElectronicInvoice(data, id));
    EXPECT_EQ(dialogs.texts(), QStringList{});
    EXPECT_EQ(remembered, "");
}

} // namespace
