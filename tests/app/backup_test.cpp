// The backup copy: its folder name, what it copies, what it says, and that the shared tables
// are open again afterwards.
#include "app/backup.h"
#include "app/inifile.h"
#include "store/dm.h"
#include "support/fixture.h"

#include <QDir>
#include <QFile>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

QDateTime at(int month, int day, int hour, int minute) {
    return QDateTime(QDate(2025, month, day), QTime(hour, minute));
}

/// A data root with the working year 2025 open and, when asked, a `dati` folder of two files.
class Backup : public ::testing::Test {
protected:
    testsupport::TempFolder root;
    testsupport::YearFolder year;
    Tdm data;
    store::ProgramState state;
    QStringList shown;

    void SetUp() override {
        state.dataRoot = app::withTrailingSeparator(root.path());
        state.workingYear = QStringLiteral("2025");
        std::filesystem::copy(year.path().toStdString(), state.yearFolder().toStdString());
        ASSERT_TRUE(data.dmCreate(state.yearFolder()));
    }

    void addDati() {
        QDir(root.path()).mkdir(QStringLiteral("dati"));
        for (const char* name : {"MISURATORI.DB", "TECNICI.DB"}) {
            QFile f(root.file(QStringLiteral("dati/") + QString::fromLatin1(name)));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(name);
        }
    }

    void backUp(const QDateTime& moment) {
        app::runBackup(data, state, moment, [this](const QString& m) { shown << m; });
    }

    int files(const QString& folder) const {
        return int(QDir(folder).entryList(QDir::Files).size());
    }
};

} // namespace

TEST(BackupName, MonthDayHourMinuteWithoutLeadingZeros) {
    const struct {
        QDateTime moment;
        const char* name;
    } cases[] = {
        {at(2, 3, 14, 5), "2_3_145"},   {at(11, 11, 9, 30), "11_11_930"},
        {at(12, 8, 1, 45), "12_8_145"}, {at(12, 8, 14, 5), "12_8_145"},
        {at(1, 1, 0, 0), "1_1_00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(app::backupName(c.moment), QString::fromLatin1(c.name)) << c.name;
}

TEST_F(Backup, WithoutDatiTheYearIsStillSavedAndTheTablesReopen) {
    backUp(at(2, 3, 14, 5));
    const QString folder = root.file(QStringLiteral("backup/2_3_145"));
    EXPECT_EQ(shown, QStringList{QStringLiteral("salvataggio eseguito correttamente nella "
                                                "cartella :") +
                                 QDir::toNativeSeparators(folder)});
    EXPECT_EQ(files(folder + QStringLiteral("/2025")), files(state.yearFolder()));
    EXPECT_GT(files(folder + QStringLiteral("/2025")), 20);
    EXPECT_EQ(files(folder + QStringLiteral("/dati")), 0);
    for (store::Table* table : data.openOrder())
        EXPECT_TRUE(table->active()) << table->tableName().toStdString();
}

TEST_F(Backup, ASecondBackupOfTheSameNameGoesBesideTheFirst) {
    addDati();
    backUp(at(12, 8, 1, 45));
    QFile::remove(root.file(QStringLiteral("dati/TECNICI.DB")));
    backUp(at(12, 8, 14, 5));
    EXPECT_EQ(files(root.file(QStringLiteral("backup/12_8_145/dati"))), 2);
    EXPECT_EQ(files(root.file(QStringLiteral("backup/12_8_145_2/dati"))), 1);
    EXPECT_TRUE(shown.last().endsWith(QStringLiteral("12_8_145_2")));
}

TEST_F(Backup, ACopyErrorIsShownAndNoSuccessIsClaimed) {
    // A file where the backup folder should be: no backup folder can be made.
    QFile blocker(root.file(QStringLiteral("backup")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    backUp(at(2, 3, 14, 5));
    ASSERT_GE(shown.size(), 2);
    EXPECT_TRUE(shown.first().startsWith(QStringLiteral("Errore contattare la Kesa.")));
    EXPECT_EQ(shown.last(), QStringLiteral("salvataggio NON eseguito.ATTENZIONE!! "));
    EXPECT_TRUE(data.Tabmov.active());
}
