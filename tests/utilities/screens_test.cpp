// The utility screens driven as a user drives them: clicks on check boxes and buttons, typed
// values, and what ends up in the tables and the message boxes.
#include "store/read_only.h"
#include "ui/modal.h"
#include "ui/ui_support.h"
#include "utilities/impostazioniw.h"
#include "utilities/primi_passiw.h"
#include "utilities/svuota_archiviw.h"
#include "utilities_support.h"

#include <QBuffer>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>

namespace {

void press(QWidget& screen, const QString& caption) {
    for (QPushButton* b : screen.findChildren<QPushButton*>())
        if (b->text() == caption && b->isVisible())
            return uitest::click(b);
    ADD_FAILURE() << "manca il pulsante " << caption.toStdString();
}

void tick(QWidget& screen, const QString& caption) {
    for (QCheckBox* box : screen.findChildren<QCheckBox*>())
        if (box->text() == caption) {
            // On the box itself: a short caption leaves the middle of the widget empty.
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
            return;
        }
    ADD_FAILURE() << "manca la casella " << caption.toStdString();
}

QByteArray png(const QColor& colour) {
    QImage image(60, 20, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

/// The snapshot folder: $UI_SNAPSHOT_DIR when set, else nothing is kept.
void shoot(QWidget& screen, const char* name) {
    const QString dir = qEnvironmentVariable("UI_SNAPSHOT_DIR");
    if (dir.isEmpty())
        return;
    QApplication::processEvents();
    EXPECT_TRUE(screen.grab().save(dir + "/" + QString::fromLatin1(name) + ".png"));
}

class Screens : public utiltest::Year {
protected:
    uitest::Dialogs dialogs;

    /// Opens a screen through the modal routine and lets `body` drive it; the screen's result.
    template <class Screen>
    int drive(const std::function<int()>& open, const std::function<void(Screen&)>& body) {
        ui::ModalHookScope hook([&](QDialog& shown) {
            auto* screen = qobject_cast<Screen*>(&shown);
            ASSERT_NE(screen, nullptr);
            body(*screen);
        });
        return open();
    }
};

} // namespace

TEST_F(Screens, EmptyArchivesAsksThenEmptiesOnlyWhatIsTickedOrNothing) {
    const struct {
        bool yes;
        int movements;
        bool stillOpen;
    } cases[] = {{false, 1, true}, {true, 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.yes);
        fill();
        bool open = false;
        drive<TSVUOTA_ARCHIVIForm>([&] { return utilities::openEmptyArchives(data, {}); },
                                   [&](TSVUOTA_ARCHIVIForm& screen) {
                                       shoot(screen, "empty-archives");
                                       tick(screen, QStringLiteral("movimenti e misurazioni"));
                                       dialogs.answer(c.yes);
                                       press(screen, QStringLiteral("OK"));
                                       open = screen.isVisible();
                                       screen.reject();
                                   });
        EXPECT_EQ(open, c.stillOpen);
        EXPECT_EQ(dialogs.texts(), QStringList{"SEI PROPRIO SICURO? NO PER ANNULLARE."});
        EXPECT_EQ(count("MOV"), c.movements);
        EXPECT_EQ(count("Mov_articoli"), c.movements);
        EXPECT_EQ(count("articoli"), 1);
        EXPECT_EQ(count("doc"), 1);
        dialogs.clear();
    }
}

TEST_F(Screens, EmptyingStoppedByTheStoreSaysWhyAndStays) {
    fill();
    storetest::ReadOnly readOnly(folder() + "/MOV.DB");
    if (!readOnly.applied())
        GTEST_SKIP() << "questo file system non rende un file di sola lettura";
    bool open = false;
    drive<TSVUOTA_ARCHIVIForm>([&] { return utilities::openEmptyArchives(data, {}); },
                               [&](TSVUOTA_ARCHIVIForm& screen) {
                                   tick(screen, QStringLiteral("tecnici"));
                                   tick(screen, QStringLiteral("movimenti e misurazioni"));
                                   tick(screen, QStringLiteral("articoli"));
                                   dialogs.answer(true);
                                   press(screen, QStringLiteral("OK"));
                                   open = screen.isVisible();
                                   screen.reject();
                               });
    EXPECT_TRUE(open);
    // The store's own message, naming the table it refused.
    ASSERT_EQ(dialogs.texts(ui::DialogKind::Warning).size(), 1);
    EXPECT_TRUE(dialogs.texts(ui::DialogKind::Warning)[0].contains("MOV"));
    // Emptied up to the refusal: technicians and verifications before, articles not reached.
    EXPECT_EQ(count("tecnici"), 0);
    EXPECT_EQ(count("misurazioni"), 0);
    EXPECT_EQ(count("MOV"), 1);
    EXPECT_EQ(count("articoli"), 1);
}

TEST_F(Screens, EmptyArchivesAnnullaReopensTheSharedTables) {
    data.dmDestroy();
    const int result = drive<TSVUOTA_ARCHIVIForm>(
        [&] { return utilities::openEmptyArchives(data, {}); },
        [&](TSVUOTA_ARCHIVIForm& screen) { press(screen, QStringLiteral("Annulla")); });
    EXPECT_EQ(result, QDialog::Rejected);
    for (store::Table* table : data.openOrder())
        EXPECT_TRUE(table->active()) << table->tableName().toStdString();
}

TEST_F(Screens, SettingsKeepALoadedLogoOnlyOnOk) {
    QTemporaryDir files;
    const QString newLogo = files.filePath("logo.png");
    const QByteArray newBytes = png(Qt::blue);
    {
        QFile f(newLogo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(newBytes);
    }
    const QByteArray oldBytes = png(Qt::red);
    data.Tabimpostazioni.first();
    data.Tabimpostazioni.edit();
    data.Tabimpostazioni.field("Logo_fatt").setValue(oldBytes);
    data.Tabimpostazioni.post();

    const struct {
        const char* button;
        QByteArray logo;
        double vat;
    } cases[] = {{"Annulla", oldBytes, 22}, {"OK", newBytes, 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        QStringList filters;
        const auto chooser = [&](QWidget*, const QString& filter) {
            filters << filter;
            return newLogo;
        };
        drive<TimpostazioniForm>(
            [&] { return utilities::openDefaultSettings(data, chooser); },
            [&](TimpostazioniForm& screen) {
                uitest::click(screen.findChild<QPushButton*>("Carica_Logo_fatt"));
                EXPECT_FALSE(screen.findChild<QLabel*>("Logo_fatt")->pixmap().isNull());
                auto* vat = screen.findChild<QLineEdit*>();
                uitest::focusByClick(vat);
                vat->selectAll();
                uitest::typeText(vat, "10");
                shoot(screen, "default-settings");
                press(screen, QString::fromLatin1(c.button));
            });
        ASSERT_EQ(filters.size(), 1);
        EXPECT_TRUE(filters[0].contains("*.png"));
        store::Table stored(folder(), "impostazioni");
        stored.open();
        EXPECT_EQ(stored.recordCount(), 1);
        EXPECT_EQ(stored.field("Logo_fatt").asBytes(), c.logo);
        EXPECT_DOUBLE_EQ(stored.field("Iva_default").asFloat(), c.vat);
    }
}

TEST_F(Screens, FirstStepsOpensOnTheFirstStepAndCloses) {
    const int result =
        drive<Tprimi_passiForm>(utilities::openFirstSteps, [&](Tprimi_passiForm& screen) {
            QTabWidget* pages = screen.pages();
            EXPECT_EQ(pages->currentIndex(), 0);
            auto* steps = qobject_cast<QTabWidget*>(pages->widget(0));
            ASSERT_NE(steps, nullptr);
            QStringList titles;
            for (int i = 0; i < steps->count(); ++i)
                titles << steps->tabText(i);
            titles << pages->tabText(1);
            EXPECT_EQ(titles, (QStringList{"Passo 1", "Passo 2", "Passo 3", "Passo 4", "Passo 5",
                                           "Cliente generico"}));
            shoot(screen, "first-steps");
            press(screen, QStringLiteral("chiudi"));
        });
    EXPECT_EQ(result, QDialog::Accepted);
}
