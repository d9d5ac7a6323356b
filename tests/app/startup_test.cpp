// Start-up: the configuration file and the choice or creation of the working year.
#include "app/inifile.h"
#include "app/session.h"
#include "store/dm.h"
#include "store/read_only.h"
#include "support/fixture.h"

#include <QDir>
#include <QFile>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

QString readAll(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly | QIODevice::Text);
    return QString::fromLatin1(f.readAll());
}

/// A data root holding a copy of the template, and the prompts the year screen would show.
class YearChoice : public ::testing::Test {
protected:
    testsupport::TempFolder root;
    Tdm data;
    store::ProgramState state;
    QStringList shown;
    QList<bool> answers;
    int questions = 0;
    app::YearPrompts prompts{[this](const QString& q) {
                                 shown << q;
                                 ++questions;
                                 return answers.isEmpty() ? false : answers.takeFirst();
                             },
                             [this](const QString& m) {
                                 shown << m;
                             }};

    void SetUp() override {
        state.dataRoot = app::withTrailingSeparator(root.path());
        copyTemplateTo(state.dataRoot + "vuoto");
    }
    static void copyTemplateTo(const QString& folder) {
        QDir().mkpath(folder);
        const QDir source(testsupport::templateFolder());
        for (const QString& name : source.entryList(QDir::Files))
            QFile::copy(source.filePath(name), QDir(folder).filePath(name));
    }
};

const QString creationQuestion =
    "Anno non trovato. E\"  consigliabile creare un anno appena si è terminato tutto il "
    "caricamento dell\"anno precedente. Crearlo adesso?";

} // namespace

TEST(ConfigurationFile, NamedAfterTheProgram) {
    EXPECT_EQ(app::iniPathFor("/opt/prog/misuratori"), "/opt/prog/misuratori.INI");
    EXPECT_EQ(app::iniPathFor("/opt/prog/Misura.exe"), "/opt/prog/Misura.INI");
}

TEST(ConfigurationFile, FirstRunUsesTheProgramFolderAndWritesIt) {
    testsupport::TempFolder folder;
    const QString ini = folder.file("misuratori.INI");
    const QString root = app::readDataRoot(ini, folder.path());
    EXPECT_EQ(root, QDir::toNativeSeparators(folder.path()) + QDir::separator());
    ASSERT_TRUE(app::writeDataRoot(ini, root));
    EXPECT_EQ(readAll(ini), "[Directory]\nDirBase=" + root + "\n");
    EXPECT_EQ(app::readDataRoot(ini, "/altrove"), root);
}

TEST(ConfigurationFile, RootWithoutTrailingSeparatorIsMended) {
    testsupport::TempFolder folder;
    const QString ini = folder.file("p.INI");
    ASSERT_TRUE(app::writeIniString(ini, "Directory", "DirBase", "/dati/assistenza"));
    EXPECT_EQ(app::readDataRoot(ini, folder.path()),
              QDir::toNativeSeparators("/dati/assistenza") + QDir::separator());
}

TEST(ConfigurationFile, WritingKeepsOtherSectionsAndIgnoresKeyCase) {
    testsupport::TempFolder folder;
    const QString ini = folder.file("p.INI");
    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Text));
        f.write("[Stampa]\nCopie=2\n\n[directory]\ndirbase=/vecchia/\nAltro=1\n");
    }
    EXPECT_EQ(app::readIniString(ini, "Directory", "DirBase", ""), "/vecchia/");
    ASSERT_TRUE(app::writeDataRoot(ini, "/nuova/"));
    EXPECT_EQ(readAll(ini), "[Stampa]\nCopie=2\n\n[directory]\nDirBase=/nuova/\nAltro=1\n");
}

TEST(ConfigurationFile, AnyDataRootComesBackUnchanged) {
    const QString roots[] = {
        "/dati/assistenza/",
        QString::fromUtf8("/dati/società più/"),
        QString::fromUtf8("/home/utente/データ/"),
        QString::fromUtf8("/srv/€uro/"),
        QString::fromUtf8("/dati/😀 ufficio/"),
    };
    for (const QString& root : roots) {
        SCOPED_TRACE(root.toStdString());
        testsupport::TempFolder folder;
        const QString ini = folder.file("p.INI");
        ASSERT_TRUE(app::writeDataRoot(ini, root));
        EXPECT_EQ(app::readDataRoot(ini, folder.path()), root);
        ASSERT_TRUE(app::writeIniString(ini, "Stampa", "Copie", "2")); // rewritten once more
        EXPECT_EQ(app::readDataRoot(ini, folder.path()), root);
    }
}

TEST(ConfigurationFile, LatinTextIsWrittenAndReadAsLatin1AsOlderFilesHoldIt) {
    testsupport::TempFolder folder;
    const QString ini = folder.file("p.INI");
    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Directory]\nDirBase=/dati/societ\xe0/\n");
    }
    EXPECT_EQ(app::readDataRoot(ini, folder.path()), QString::fromUtf8("/dati/società/"));
    ASSERT_TRUE(app::writeDataRoot(ini, QString::fromUtf8("/dati/città/")));
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("[Directory]\nDirBase=/dati/citt\xe0/\n"));
}

// Files written by hand or by other tools: each still gives its folder, and reading never fails.
TEST(ConfigurationFile, HandWrittenFilesGiveTheirFolder) {
    const QByteArray root = "[Directory]\nDirBase=/dati/citt\xC3\xA0/";
    QByteArray utf16("\xFF\xFE", 2);
    for (const QChar c : QString::fromUtf8(root + "\r\n")) {
        utf16.append(char(c.unicode() & 0xFF));
        utf16.append(char(c.unicode() >> 8));
    }
    const struct {
        const char* name;
        QByteArray bytes;
        QString folder;
    } cases[] = {
        {"utf-8 mark", "\xEF\xBB\xBF" + root + "\n", QString::fromUtf8("/dati/città/")},
        {"utf-16 mark", utf16, QString::fromUtf8("/dati/città/")},
        {"no final newline", root, QString::fromUtf8("/dati/città/")},
        {"invalid bytes read as Latin-1",
         QByteArray("\x01\xFE\xFF\0x\n[Directory]\nDirBase=/dati/\xFF/\n", 35),
         QString::fromLatin1("/dati/\xFF/")},
        {"very long line", QByteArray(200000, 'x') + "\n" + root + "\n",
         QString::fromUtf8("/dati/città/")},
        {"very long folder", "[Directory]\nDirBase=/" + QByteArray(50000, 'd') + "/",
         "/" + QString(50000, u'd') + "/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempFolder folder;
        const QString ini = folder.file("p.INI");
        {
            QFile f(ini);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.bytes);
        }
        EXPECT_EQ(app::readDataRoot(ini, folder.path()), c.folder);
    }
}

// Once found by the fuzzer: a Latin-1 file beginning as a UTF-16 mark did not read back.
TEST(ConfigurationFile, LatinTextThatLooksLikeAByteOrderMarkReadsBack) {
    testsupport::TempFolder folder;
    const QString ini = folder.file("p.INI");
    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\xEF\xBB\xBF\xFE\xFF\xEF\xBB\xBF[\xE8");
    }
    const QString root = QString::fromUtf8("/dati/città/");
    ASSERT_TRUE(app::writeDataRoot(ini, root));
    EXPECT_EQ(app::readDataRoot(ini, folder.path()), root);
}

TEST(YearBox, ProposesTodaysYearAndReachesNextYear) {
    EXPECT_EQ(app::proposedYear(2026), 2026);
    EXPECT_EQ(app::lastSelectableYear(2026), 2027);
    EXPECT_EQ(app::proposedYear(2008), 2008);
    EXPECT_EQ(app::proposedYear(2003), 2005);
    EXPECT_EQ(app::firstSelectableYear(), 2004);
}

TEST_F(YearChoice, ExistingYearOpensWithoutQuestion) {
    copyTemplateTo(state.dataRoot + "2008");
    EXPECT_EQ(app::acceptYear(data, state, "2008", prompts), app::YearOutcome::Accepted);
    EXPECT_EQ(questions, 0);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(state.workingYear, "2008");
    EXPECT_TRUE(data.Tabdiciture.active());
    EXPECT_FALSE(data.Tab_mis.active());
    EXPECT_EQ(data.Tabmov.databaseName(), state.dataRoot + "2008");
}

TEST_F(YearChoice, ReadOnlyYearFolderIsSaidOnceWhenItOpens) {
    const QString folder = state.dataRoot + "2008";
    copyTemplateTo(folder);
    storetest::ReadOnly readOnly(folder);
    if (!readOnly.applied())
        GTEST_SKIP() << "this file system cannot make a folder read-only";
    EXPECT_EQ(app::acceptYear(data, state, "2008", prompts), app::YearOutcome::Accepted);
    EXPECT_EQ(shown, QStringList{"La cartella " + QDir::toNativeSeparators(folder) +
                                 " non è scrivibile (disco protetto o in sola lettura): i dati si "
                                 "possono consultare, ma ogni modifica sarà rifiutata."});
    EXPECT_TRUE(data.Tabdiciture.active());
}

TEST_F(YearChoice, DamagedTableThatStopsTheOpeningIsNamedOnce) {
    // A bad copy left garbage over the movements, from their first byte or after the header
    // page; the year opens up to them, as the opening rule says.
    const struct {
        const char* year;
        qint64 from;
        QString said;
    } damages[] = {
        {"2008", 0,
         "Il file della tabella MOV non è un archivio del programma o è "
         "danneggiato: ripristinare una copia di sicurezza."},
        {"2009", 4096, "La tabella MOV è danneggiata: ripristinare una copia di sicurezza."}};
    for (const auto& damage : damages) {
        SCOPED_TRACE(damage.from);
        shown.clear();
        const QString folder = state.dataRoot + damage.year;
        copyTemplateTo(folder);
        QFile movements(folder + "/MOV.DB");
        ASSERT_TRUE(movements.open(QIODevice::ReadWrite));
        movements.seek(damage.from);
        movements.write(QByteArray(movements.size() - damage.from, '\x5a'));
        movements.close();
        EXPECT_EQ(app::acceptYear(data, state, damage.year, prompts), app::YearOutcome::Accepted);
        EXPECT_EQ(shown, QStringList{damage.said});
        EXPECT_TRUE(data.Tabtipomov.active());
        EXPECT_FALSE(data.Tabmov.active());
        EXPECT_FALSE(data.Tabdiciture.active());
    }
}

TEST_F(YearChoice, MissingYearDeclinedLeavesTablesClosed) {
    copyTemplateTo(state.dataRoot + "2007");
    ASSERT_EQ(app::acceptYear(data, state, "2007", prompts), app::YearOutcome::Accepted);
    answers = {false};
    EXPECT_EQ(app::acceptYear(data, state, "2026", prompts), app::YearOutcome::Declined);
    EXPECT_EQ(shown, QStringList{creationQuestion});
    EXPECT_FALSE(QDir(state.dataRoot + "2026").exists());
    EXPECT_FALSE(data.Tabmov.active());
}

TEST_F(YearChoice, MissingYearAcceptedIsCreatedFromTheTemplate) {
    answers = {true};
    EXPECT_EQ(app::acceptYear(data, state, "2026", prompts), app::YearOutcome::Accepted);
    EXPECT_EQ(shown, (QStringList{creationQuestion, "Creazione anno eseguita correttamente"}));
    const QStringList created = QDir(state.dataRoot + "2026").entryList(QDir::Files);
    EXPECT_EQ(created, QDir(state.dataRoot + "vuoto").entryList(QDir::Files));
    EXPECT_EQ(state.workingYear, "2026");
    EXPECT_EQ(data.Tabtipomov.recordCount(), 3);
}

TEST_F(YearChoice, TemplateSubfoldersAreNotCopied) {
    QDir().mkpath(state.dataRoot + "vuoto/sottocartella");
    answers = {true};
    ASSERT_EQ(app::acceptYear(data, state, "2026", prompts), app::YearOutcome::Accepted);
    EXPECT_FALSE(QDir(state.dataRoot + "2026/sottocartella").exists());
}

TEST_F(YearChoice, MissingTemplateReportsSuccessThenUnusableYear) {
    QDir(state.dataRoot + "vuoto").removeRecursively();
    answers = {true};
    EXPECT_EQ(app::acceptYear(data, state, "2026", prompts), app::YearOutcome::Unusable);
    EXPECT_EQ(shown, (QStringList{creationQuestion, "Creazione anno eseguita correttamente",
                                  "Anno non trovato contattare l'assistenza"}));
    EXPECT_TRUE(state.workingYear.isEmpty());
    EXPECT_FALSE(data.Tabimpostazioni.active());
}
