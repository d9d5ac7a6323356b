// Check boxes, value lists, look-up lists, rich text and pictures bound to fields.

#include "ui_support.h"

#include "ui/dbchoice.h"
#include "ui/dbrich.h"

#include <QBuffer>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <memory>

using store::DataSetState;

namespace {

class ChoiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        mov = std::make_unique<store::Table>(year.path(), QStringLiteral("MOV"));
        mov->open();
        kinds = std::make_unique<store::Table>(year.path(), QStringLiteral("tipo_mov"));
        kinds->open();
        layout = new QVBoxLayout(&form);
        other = new QLineEdit(&form);
        layout->addWidget(other);
    }

    template <class W> W* place(W* widget) {
        layout->addWidget(widget);
        return widget;
    }

    void addMovement(int id) {
        mov->append();
        mov->field(QStringLiteral("Id")).setAsInteger(id);
        mov->post();
    }

    QVariant stored(const QString& field) { return mov->field(field).value(); }

    testsupport::YearFolder year;
    uitest::Dialogs dialogs;
    std::unique_ptr<store::Table> mov;
    std::unique_ptr<store::Table> kinds;
    QWidget form;
    QVBoxLayout* layout = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(ChoiceTest, CheckBoxOnABlankBooleanShowsUncheckedAndAClickStoresAtOnce) {
    addMovement(1);
    ASSERT_TRUE(stored(QStringLiteral("Appuntamento")).isNull());
    auto* box = place(new ui::DbCheckBox(QStringLiteral("Appuntamento"), *mov,
                                         QStringLiteral("Appuntamento"), &form));
    uitest::showActive(form);
    EXPECT_FALSE(box->isChecked());
    uitest::click(box);
    EXPECT_EQ(mov->state(), DataSetState::Edit);
    EXPECT_EQ(stored(QStringLiteral("Appuntamento")), QVariant(true));
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_EQ(stored(QStringLiteral("Appuntamento")), QVariant(false));
    mov->post();
    EXPECT_EQ(stored(QStringLiteral("Appuntamento")), QVariant(false)) << "false, not blank";
}

TEST_F(ChoiceTest, CheckBoxFollowsTheRecordAndReadOnlyOneIgnoresClicks) {
    addMovement(1);
    addMovement(2);
    mov->edit();
    mov->field(QStringLiteral("Evasa_sn")).setAsBoolean(true);
    mov->post();
    auto* box =
        place(new ui::DbCheckBox(QStringLiteral("Evasa"), *mov, QStringLiteral("Evasa_sn"), &form));
    box->setReadOnly(true);
    uitest::showActive(form);
    EXPECT_TRUE(box->isChecked());
    mov->first();
    EXPECT_FALSE(box->isChecked());
    uitest::click(box);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(mov->state(), DataSetState::Browse);
}

TEST_F(ChoiceTest, LookUpListShowsTheSourceTextsAndStoresTheKey) {
    addMovement(1);
    auto* list =
        place(new ui::DbLookupCombo(*mov, QStringLiteral("Id_tipomov"), *kinds,
                                    QStringLiteral("Id"), QStringLiteral("Descrizione"), &form));
    uitest::showActive(form);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(2), QStringLiteral("VENDITA"));
    EXPECT_EQ(list->currentIndex(), -1) << "a blank key selects nothing";
    uitest::focusByClick(other);
    list->setFocus();
    QTest::keyClicks(list, QStringLiteral("V"));
    EXPECT_EQ(list->currentText(), QStringLiteral("VENDITA"));
    EXPECT_EQ(stored(QStringLiteral("Id_tipomov")).toInt(), 3);
    EXPECT_EQ(kinds->recNo(), 1) << "the source's cursor must not move";
    mov->post();
    mov->edit();
    mov->field(QStringLiteral("Id_tipomov")).setAsInteger(2);
    EXPECT_EQ(list->currentText(), QStringLiteral("RIPARAZIONE"));
}

TEST_F(ChoiceTest, LookUpListFollowsItsSourceObject) {
    auto* list =
        place(new ui::DbLookupCombo(*mov, QStringLiteral("Id_tipomov"), *kinds,
                                    QStringLiteral("Id"), QStringLiteral("Descrizione"), &form));
    kinds->append();
    kinds->field(QStringLiteral("Id")).setAsInteger(4);
    kinds->field(QStringLiteral("Descrizione")).setAsString(QStringLiteral("NOLEGGIO"));
    kinds->post();
    EXPECT_EQ(list->count(), 4);
    kinds->close();
    EXPECT_EQ(list->count(), 0);
    kinds.reset();
    EXPECT_EQ(list->count(), 0);
}

TEST_F(ChoiceTest, ValueListShowsTheEntriesAndStoresWhatComesBeforeTheEqualSign) {
    addMovement(1);
    auto* list = place(new ui::DbComboBox(*mov, QStringLiteral("ESITO"), &form));
    list->setValueList({QStringLiteral("P=Positivo"), QStringLiteral("N=Negativo")});
    EXPECT_EQ(list->itemText(1), QStringLiteral("N=Negativo"));
    uitest::showActive(form);
    EXPECT_EQ(list->currentIndex(), -1);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(stored(QStringLiteral("ESITO")).toString(), QStringLiteral("N"));
    mov->cancel();
    EXPECT_EQ(list->currentIndex(), -1);
}

TEST_F(ChoiceTest, EditableValueListStoresTypedTextOnLeaving) {
    auto* list = place(new ui::DbComboBox(*mov, QStringLiteral("Parlato_con"), &form));
    list->setItems({QStringLiteral("TITOLARE"), QStringLiteral("COMMESSO")});
    list->setFreeText(true);
    uitest::showActive(form);
    uitest::focusByClick(list);
    QTest::keyClicks(list, QStringLiteral("SIG. ROSSI"));
    EXPECT_TRUE(stored(QStringLiteral("Parlato_con")).isNull());
    uitest::click(other);
    EXPECT_EQ(stored(QStringLiteral("Parlato_con")).toString(), QStringLiteral("SIG. ROSSI"));
}

class RichTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        types = std::make_unique<store::Table>(year.path(), QStringLiteral("tipi_contratti"));
        types->open();
        layout = new QVBoxLayout(&form);
        other = new QLineEdit(&form);
        layout->addWidget(other);
    }

    testsupport::YearFolder year;
    uitest::Dialogs dialogs;
    std::unique_ptr<store::Table> types;
    QWidget form;
    QVBoxLayout* layout = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(RichTextTest, TypedTextIsStoredAsHtmlThatComesBackUnchanged) {
    auto* box = new ui::DbRichEdit(*types, QStringLiteral("Descr_contratto"), &form);
    layout->addWidget(box);
    uitest::showActive(form);
    ASSERT_EQ(types->recordCount(), 1) << "the template's contract type";
    ASSERT_FALSE(box->toPlainText().isEmpty());
    uitest::focusByClick(box);
    box->selectAll();
    uitest::typeText(box, QStringLiteral("Verifica periodica: àèì"));
    types->post();
    const QByteArray html = types->field(QStringLiteral("Descr_contratto")).asBytes();
    ASSERT_TRUE(html.contains("<html")) << html.constData();

    types->close();
    types->open();
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Verifica periodica: àèì"));
    EXPECT_EQ(box->toHtml().toUtf8(), html) << "the stored HTML must survive a round trip";
    uitest::focusByClick(box);
    uitest::click(other);
    EXPECT_EQ(types->state(), DataSetState::Browse) << "showing the text must not write it";
}

TEST_F(RichTextTest, PlainTextInTheFieldIsShownAsText) {
    types->append();
    types->field(QStringLiteral("Id")).setAsInteger(2);
    types->field(QStringLiteral("Clausole")).setValue(QByteArray("a < b & c"));
    types->post();
    ui::DbRichEdit box(*types, QStringLiteral("Clausole"));
    EXPECT_EQ(box.toPlainText(), QStringLiteral("a < b & c"));
}

class PictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings = std::make_unique<store::Table>(year.path(), QStringLiteral("impostazioni"));
        settings->open();
    }

    QString writeFile(const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    static QByteArray png(const QSize& size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }

    testsupport::YearFolder year;
    QTemporaryDir folder;
    uitest::Dialogs dialogs;
    std::unique_ptr<store::Table> settings;
};

TEST_F(PictureTest, LoadingAFileStoresItsBytesAndShowsThePicture) {
    ui::DbPicture box(*settings, QStringLiteral("Logo_ca"));
    const QByteArray bytes = png({40, 20});
    ASSERT_TRUE(box.loadFile(writeFile(QStringLiteral("logo.png"), bytes)));
    EXPECT_EQ(settings->field(QStringLiteral("Logo_ca")).asBytes(), bytes);
    EXPECT_EQ(box.image().size(), QSize(40, 20));
    settings->post();
    ASSERT_TRUE(box.clearPicture());
    EXPECT_TRUE(settings->field(QStringLiteral("Logo_ca")).isNull());
    EXPECT_TRUE(box.image().isNull());
}

TEST_F(PictureTest, AFileThatIsNotAPictureIsRefused) {
    ui::DbPicture box(*settings, QStringLiteral("Logo_ca"));
    const QString path = writeFile(QStringLiteral("nota.txt"), "non sono un'immagine");
    EXPECT_FALSE(box.loadFile(path));
    EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning),
              QStringList{QStringLiteral("Il file %1 non contiene un'immagine.").arg(path)});
    EXPECT_EQ(settings->state(), DataSetState::Browse);
}

} // namespace
