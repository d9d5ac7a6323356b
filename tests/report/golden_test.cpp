// Golden texts: the text of every page of a layout, in reading order with positions in mm,
// compared with the file of the same name under tests/report/golden.
//
// After a deliberate change to a layout or to the engine, regenerate the files with
//     MISURATORI_UPDATE_GOLDEN=1 build/tests/report_tests --gtest_filter='ReportGolden*'
// then review the difference (git diff tests/report/golden) before committing it.
// The clock is fixed, so the files do not depend on when the tests run.
#include "report/prn_articoli.h"
#include "report_support.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace report;

namespace {

QString goldenPath(const QString& name) {
    return QDir(QStringLiteral(REPORT_GOLDEN_DIR)).filePath(name + QStringLiteral(".txt"));
}

/// Compares the document's reading text with the golden file, or rewrites the file when asked.
void expectGolden(const Document& document, const QString& name) {
    const QString actual = document.readingText();
    QFile file(goldenPath(name));
    if (qEnvironmentVariableIntValue("MISURATORI_UPDATE_GOLDEN") == 1) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(actual.toUtf8());
        return;
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly))
        << "manca " << file.fileName().toStdString() << ": MISURATORI_UPDATE_GOLDEN=1 lo crea";
    const QString expected = QString::fromUtf8(file.readAll());
    if (expected == actual)
        return;
    const QStringList want = expected.split(QLatin1Char('\n'));
    const QStringList got = actual.split(QLatin1Char('\n'));
    qsizetype line = 0;
    while (line < want.size() && line < got.size() && want[line] == got[line])
        ++line;
    ADD_FAILURE() << name.toStdString() << ": prima differenza alla riga " << line + 1
                  << "\natteso:  " << want.value(line).toStdString()
                  << "\nottenuto: " << got.value(line).toStdString();
}

QDateTime fixedClock() {
    return QDateTime(QDate(2025, 3, 5), QTime(9, 7, 41));
}

} // namespace

TEST(ReportGolden, ArticlesListEmpty) {
    reporttest::ArticlesData data;
    expectGolden(Tprn_articoli(data.articles(), fixedClock).document(),
                 QStringLiteral("articoli_vuoto"));
}

TEST(ReportGolden, ArticlesListOfFortyOnTwoPages) {
    reporttest::ArticlesData data;
    data.addSamples(40);
    expectGolden(Tprn_articoli(data.articles(), fixedClock).document(),
                 QStringLiteral("articoli_40"));
}

TEST(ReportGolden, ArticlesListFilteredByModelUnderContract) {
    reporttest::ArticlesData data;
    data.addSamples(40);
    data.articles().setFilter(QStringLiteral("[Assistenza_sn]='true' and [Id_ms]='1'"));
    data.articles().setFiltered(true);
    expectGolden(Tprn_articoli(data.articles(), fixedClock).document(),
                 QStringLiteral("articoli_filtrati"));
}
