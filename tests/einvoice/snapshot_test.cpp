// Pictures of the command at work: a button as the document screens carry it, clicked, and the
// message that says where the file went. To $UI_SNAPSHOT_DIR when set, else a temporary folder.
#include "einvoice/einvoice_command.h"
#include "einvoice_support.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

namespace {

class Snapshot : public einvtest::InvoiceYear {};

TEST_F(Snapshot, CommandAndItsMessage) {
    QTemporaryDir temporary;
    const QString pictures = qEnvironmentVariableIsSet("UI_SNAPSHOT_DIR")
                                 ? qEnvironmentVariable("UI_SNAPSHOT_DIR")
                                 : temporary.path();
    testsupport::TempFolder out;
    const int id = invoice(einvtest::threeLines());
    ui::MessageBoxDialogs boxes;
    ui::DialogsScope scope(boxes);
    einvoice::FolderPickerScope picker([&](QWidget*, const QString&) { return out.path(); });

    QWidget host;
    host.setWindowTitle("elenco_docForm");
    auto* layout = new QVBoxLayout(&host);
    layout->addWidget(new QLabel("Documento N° 7 del 16/03/2026 - BAR SPORT - € 93,94"));
    auto* row = new QHBoxLayout;
    auto* command = new QPushButton("Fattura elettronica (XML)...");
    row->addWidget(command);
    row->addStretch(1);
    layout->addLayout(row);
    QObject::connect(command, &QPushButton::clicked,
                     [&] { einvoice::writeElectronicInvoice(data, id, &host); });
    host.resize(520, 110);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    EXPECT_TRUE(host.grab().save(pictures + "/einvoice-command.png"));

    QString shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->text();
        EXPECT_TRUE(box->grab().save(pictures + "/einvoice-message.png"));
        box->accept();
    });
    QTest::mouseClick(command, Qt::LeftButton);
    EXPECT_TRUE(shown.startsWith("Fattura elettronica scritta nel file:\n")) << shown.toStdString();
}

} // namespace
