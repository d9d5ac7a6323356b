// The electronic invoice from the document screens: the command on the list and on the
// properties screen, and the nature code a zero-rate line gets on the line page.
#include "documents/elenco_docw.h"
#include "documents/prop_fatturaw.h"
#include "einvoice/einvoice_command.h"
#include "einvoice/einvoice_support.h"
#include "registry/registry_support.h"
#include "support/snapshot.h"
#include "ui/grid.h"
#include "ui/pagestack.h"

#include <QComboBox>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

namespace {

using regtest::press;

class EinvoiceCommands : public einvtest::InvoiceYear {
protected:
    uitest::Dialogs dialogs;
    testsupport::TempFolder out;
    einvoice::FolderPickerScope picker{[this](QWidget*, const QString&) {
        return out.path();
    }};
    QTemporaryDir temporary;

    void SetUp() override {
        InvoiceYear::SetUp();
        einvoice::setFolderMemory({[] { return QString(); },
                                   [](const QString&) {
                                   }});
    }
    void TearDown() override { einvoice::setFolderMemory({}); }

    /// Opens the document list on the document `id`; the properties screen runs `properties`.
    void onList(int id, const std::function<void(Telenco_docForm&)>& body,
                const std::function<void(Tprop_fatturaForm&)>& properties = {}) {
        data.Tabdoc.refresh();
        ui::ModalHookScope hook([&](QDialog& shown) {
            if (auto* list = qobject_cast<Telenco_docForm*>(&shown)) {
                clickRow(list->documentsGrid(), id);
                body(*list);
            } else if (auto* p = qobject_cast<Tprop_fatturaForm*>(&shown); p && properties) {
                properties(*p);
            }
        });
        documents::openDocuments(data);
    }
    /// Clicks the row of the document `id` in the list.
    void clickRow(ui::DataGrid& grid, int id) {
        ASSERT_TRUE(data.Tabdoc.locate("Id", id));
        const int row =
            regtest::column(grid, 0).indexOf(data.Tabdoc.field("Numero_doc").asString());
        ASSERT_GE(row, 0);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.cellRect(row, 0).center());
        QApplication::processEvents();
        ASSERT_EQ(data.Tabdoc.field("Id").asInteger(), id);
    }
    QByteArray written() {
        const QStringList files = einvtest::filesIn(out.path());
        if (files.size() != 1)
            return {};
        QFile file(QDir(out.path()).filePath(files.front()));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void shoot(QWidget& screen, const QString& name) {
        support::shoot(screen, name, temporary.path());
    }
};

TEST_F(EinvoiceCommands, ListCommandWritesAnInvoiceAndRefusesATransportDocument) {
    workshop();
    const int shop = customer();
    einvtest::DocSpec transport = einvtest::threeLines();
    transport.type = 2;
    transport.number = 8;
    const struct {
        int id;
        const char* message; ///< how it begins
        ui::DialogKind kind;
        int files;
    } cases[] = {
        {document(shop, einvtest::threeLines()), "Fattura elettronica scritta nel file:\n",
         ui::DialogKind::Information, 1},
        {document(shop, transport),
         "Il documento è di tipo \"DOCUMENTO DI TRASPORTO\": solo le fatture diventano fattura "
         "elettronica.",
         ui::DialogKind::Warning, 1},
    };
    for (const auto& c : cases) {
        dialogs.clear();
        onList(c.id, [&](Telenco_docForm& list) {
            press(list, documents::electronicInvoiceCaption());
            press(list, "chiudi");
        });
        ASSERT_EQ(dialogs.entries().size(), 1u) << dialogs.texts().join('|').toStdString();
        EXPECT_EQ(dialogs.entries()[0].kind, c.kind);
        EXPECT_TRUE(dialogs.entries()[0].text.startsWith(c.message))
            << dialogs.entries()[0].text.toStdString();
        EXPECT_EQ(einvtest::filesIn(out.path()).size(), size_t(c.files));
    }
}

TEST_F(EinvoiceCommands, NatureChosenOnAZeroRateLineReachesTheXmlOfThePropertiesCommand) {
    workshop();
    const int id =
        document(customer(), {{{"CANONE ASSISTENZA", 1, 50.00, 0, 22}, {"BOLLO", 1, 2.00, 0, 0}}});
    onList(
        id,
        [&](Telenco_docForm& list) {
            press(list, "&Proprietà Doc...");
            press(list, "chiudi");
        },
        [&](Tprop_fatturaForm& p) {
            press(p, documents::electronicInvoiceCaption());
            EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning).size(), 1) << "no nature yet";
            ui::DataGrid& lines = p.lineGrid();
            QTest::mouseClick(
                lines.viewport(), Qt::LeftButton, {},
                lines.cellRect(regtest::column(lines, 1).indexOf("BOLLO"), 0).center());
            press(p, "modifica riga");
            QComboBox* nature = nullptr;
            for (QComboBox* box : p.findChildren<QComboBox*>())
                if (box->isVisible() && box->itemText(1) == "N1")
                    nature = box;
            ASSERT_TRUE(nature && nature->isVisible());
            EXPECT_EQ(nature->currentText(), "");
            nature->setFocus(Qt::TabFocusReason);
            for (int i = 0; i < nature->count() && nature->currentText() != "N2"; ++i)
                QTest::keyClick(nature, Qt::Key_Down);
            press(p, "OK");
            EXPECT_TRUE(p.linePages().isShowing(Tprop_fatturaForm::gridPageName));
            press(p, documents::electronicInvoiceCaption());
            press(p, "&Ok");
        });
    EXPECT_EQ(dialogs.texts(ui::DialogKind::Information).size(), 1)
        << dialogs.texts().join('|').toStdString();
    const QByteArray xml = written();
    EXPECT_EQ(einvtest::elementTexts(xml, "Natura"), (QStringList{"N2", "N2"})) << "line, summary";
    EXPECT_EQ(einvtest::schemaProblems(xml), "");
}

TEST_F(EinvoiceCommands, SnapshotOfTheListCommandAndItsMessage) {
    const int id = invoice(einvtest::threeLines());
    ui::MessageBoxDialogs boxes;
    ui::DialogsScope real(boxes);
    QString shown;
    onList(id, [&](Telenco_docForm& list) {
        shoot(list, "document-list-einvoice");
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            shown = box->text();
            shoot(*box, "document-list-einvoice-message");
            box->accept();
        });
        press(list, documents::electronicInvoiceCaption());
        press(list, "chiudi");
    });
    EXPECT_TRUE(shown.startsWith("Fattura elettronica scritta nel file:")) << shown.toStdString();
}

} // namespace
