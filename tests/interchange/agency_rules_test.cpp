// The agency file read into the staging tables: record types at their places, the quarter of
// the last header, refusals of malformed lines, and all-or-nothing writing.
#include "interchange/agency_file.h"
#include "interchange/agency_parser.h"
#include "interchange_support.h"
#include "store/engine.h"
#include "store/error.h"
#include "support/fixture.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using ictest::agencyHeader;
using ictest::agencyVerification;
using ictest::fixedLine;
using interchange::AgencyKind;
using interchange::AgencyParser;
using interchange::AgencyRow;

namespace {

/// Each row as "table field=value ..." for the fields asked, in the layout's order.
QStringList parse(const QByteArray& file, const QStringList& fields, qsizetype piece = 0) {
    QStringList rows;
    AgencyParser parser([&](const AgencyRow& row) {
        QString out = interchange::agencyStagingTable(row.kind);
        const auto& layout = interchange::agencyLayout(row.kind);
        for (size_t i = 0; i < layout.size(); ++i)
            if (fields.contains(QString::fromLatin1(layout[i].name)))
                out += u' ' + QString::fromLatin1(layout[i].name) + u'=' + row.values[qsizetype(i)];
        rows << out;
    });
    if (piece == 0)
        piece = file.size() + 1;
    for (qsizetype at = 0; at < file.size(); at += piece)
        parser.feed(file.constData() + at, std::min(piece, file.size() - at));
    parser.finish();
    return rows;
}

struct ParseCase {
    const char* name;
    QByteArray file;
    QStringList fields;
    QStringList rows;
};

class AgencyLines : public ::testing::TestWithParam<ParseCase> {};

const QByteArray twoQuarters = ictest::twoQuarterFile();

} // namespace

TEST_P(AgencyLines, GiveTheRowsOfTheirRecordTypes) {
    const ParseCase& c = GetParam();
    EXPECT_EQ(parse(c.file, c.fields), c.rows);
    // However the file arrives in pieces, the rows are the same.
    EXPECT_EQ(parse(c.file, c.fields, 7), c.rows);
    EXPECT_EQ(parse(c.file, c.fields, 1), c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Files, AgencyLines,
    ::testing::Values(
        ParseCase{"HeaderAtItsPositions",
                  agencyHeader("01234567897", "2006", "3") + "\n",
                  {"Piva", "Denominazione", "Anno_rif", "Tri_rif"},
                  {"riga1 Piva=01234567897 Denominazione=CASSE ROSSI SRL" + QString(45, u' ') +
                   " Anno_rif=2006 Tri_rif=3"}},
        ParseCase{"QuarterOfTheLastHeaderAndNoneBeforeTheFirst",
                  twoQuarters,
                  {"Matricola", "Trimestre"},
                  {"riga3 Matricola=AAA000001 Trimestre=", "riga1",
                   "riga3 Matricola=AAA000002 Trimestre=1", "riga1",
                   "riga3 Matricola=AAA000003 Trimestre=2"}},
        ParseCase{"ShortLineGivesPartAndEmptyFields",
                  fixedLine({{1, "1"}, {2, "RSSMRA70A01H501S"}, {18, "ROSSI"}, {44, "MA"}}),
                  {"Cf", "Cognome", "Nome", "Sesso", "Data_fine"},
                  {"riga2 Cf=RSSMRA70A01H501S Cognome=ROSSI" + QString(21, u' ') +
                   " Nome=MA Sesso= Data_fine="}},
        ParseCase{"BlankAndForeignLinesAddNothing", "\n\r\n   \n3XYZ\nx0MFISC2\n", {}, {}},
        ParseCase{"MarkAnywhereMakesAHeaderBesideTheLinesOwnType",
                  fixedLine({{1, "1"}, {18, "0MFISC26"}}),
                  {"Cognome"},
                  {"riga1 Cognome=", "riga2 Cognome=0MFISC26"}},
        ParseCase{"Utf8MarkMakesTheFileUtf8AndIsNotPartOfTheLine",
                  "\xEF\xBB\xBF" + fixedLine({{1, "1"}, {18, "NICOL\xC3\x80"}}),
                  {"Cognome"},
                  {"riga2 Cognome=NICOLÀ"}},
        ParseCase{"WindowsLatin1Text",
                  fixedLine({{1, "1"}, {18, "NICOL\xC0 \x80"}}),
                  {"Cognome"},
                  {"riga2 Cognome=NICOLÀ €"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AgencyLines, MalformedLinesAreRefusedNamingTheLine) {
    const struct {
        QByteArray file;
        QString message;
    } cases[] = {
        {"\n\n" + QByteArray(4097, 'x') + "\n",
         "La riga 3 del file è più lunga di 4096 caratteri: il file non è stato acquisito."},
        {agencyHeader("01234567897", "2006", "1") + "\n2ROSSI\tMARIO\n",
         "La riga 2 del file contiene un carattere di controllo (codice 9) in colonna 7: il file "
         "non è stato acquisito."},
        {QByteArray("\xFF\xFE"
                    "1\0R\0\n\0",
                    8),
         "Il file è in formato UTF-16: il file non è stato acquisito. Salvarlo come testo ANSI e "
         "riprovare."},
        {QByteArray("1\0R\0\n\0", 6),
         "La riga 1 del file contiene un carattere di controllo (codice 0) in colonna 2: il "
         "file non è stato acquisito."},
        {QByteArray("1ROSSI\x81") + "\n",
         "La riga 1 del file contiene un carattere di controllo (codice 129) in colonna 7: il "
         "file non è stato acquisito."},
    };
    for (const auto& c : cases) {
        try {
            parse(c.file, {}, 100);
            ADD_FAILURE() << "accepted: " << c.message.toStdString();
        } catch (const store::Error& e) {
            EXPECT_EQ(e.message(), c.message);
        }
    }
    // A foreign line may hold anything but its length.
    EXPECT_TRUE(parse(QByteArray("3\t\x01\x81\n", 5), {}).isEmpty());
}

namespace {

/// A data root with the staging tables in its "importdb".
class Staging : public ::testing::Test {
protected:
    testsupport::TempFolder root;
    QString folder = root.path() + "/importdb";
    interchange::AgencyStaging staging{folder};

    void SetUp() override {
        QDir().mkpath(folder);
        for (const char* name : {"riga1", "riga2", "riga3"})
            store::createTableFile(
                folder, store::catalogue::get(store::TableSet::Staging, QString::fromLatin1(name)));
    }
    QString write(const QByteArray& content) {
        const QString path = root.file("agenzia.txt");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        return path;
    }
    /// Id and Matricola of every staged verification, with the count of headers.
    QStringList staged() {
        store::Table headers(folder, "riga1", store::TableSet::Staging);
        store::Table rows(folder, "riga3", store::TableSet::Staging);
        headers.open();
        rows.open();
        QStringList out{QString::number(headers.recordCount())};
        for (rows.first(); !rows.eof(); rows.next())
            out << rows.field("Id").asString() + " " + rows.field("Matricola").asString();
        return out;
    }
};

} // namespace

TEST_F(Staging, ReadingAFileTwiceGivesTheRowsOfReadingItOnce) {
    const QString path = write(twoQuarters);
    const auto counts = interchange::readAgencyFile(path, staging);
    EXPECT_EQ(counts.headers, 2);
    EXPECT_EQ(counts.verifications, 3);
    const QStringList once = staged();
    interchange::readAgencyFile(path, staging);
    EXPECT_EQ(staged(), once);
    EXPECT_EQ(once, (QStringList{"2", "1 AAA000001", "2 AAA000002", "3 AAA000003"}));
}

TEST_F(Staging, AFailedReadLeavesTheTablesAsTheyWere) {
    interchange::readAgencyFile(write(twoQuarters), staging);
    const QStringList before = staged();
    const struct {
        QString path;
        QString message;
    } cases[] = {
        {write(agencyHeader("01234567897", "2007", "4") + "\n" + agencyVerification("B") +
               "\n1\x7f\n"),
         "La riga 3 del file contiene un carattere di controllo (codice 127) in colonna 2: il "
         "file non è stato acquisito."},
        {root.file("manca.txt"), "Impossibile leggere il file"},
        {root.path(), "Impossibile leggere il file"},
    };
    for (const auto& c : cases) {
        try {
            interchange::readAgencyFile(c.path, staging);
            ADD_FAILURE() << "read " << c.path.toStdString();
        } catch (const store::Error& e) {
            EXPECT_EQ(e.message(), c.message);
        }
        EXPECT_EQ(staged(), before);
    }
}

TEST(AgencyStaging, MissingTablesAreSaidWithTheirMessage) {
    testsupport::TempFolder root;
    interchange::AgencyStaging staging(root.path() + "/importdb");
    QFile file(root.file("a.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    try {
        interchange::readAgencyFile(root.file("a.txt"), staging);
        FAIL() << "read without staging tables";
    } catch (const store::Error& e) {
        EXPECT_EQ(e.message(), "Impossibile aprire le tabelle di acquisizione");
    }
}
