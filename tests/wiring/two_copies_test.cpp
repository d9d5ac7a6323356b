// Two copies of the program on one year folder allocate the same next identifiers: each post
// that finds its identifier taken takes a fresh one, and what the rules chain to it follows.
#include "store/table.h"
#include "support/fixture.h"

#include <QProcess>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>
#include <set>

namespace {

// Rows of a query on a year table, read with raw SQLite so the store's own reading is not what
// is being trusted.
std::vector<std::pair<qint64, qint64>> pairs(const QString& file, const char* sql) {
    sqlite3* db = nullptr;
    std::vector<std::pair<qint64, qint64>> rows;
    if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
        while (s && sqlite3_step(s) == SQLITE_ROW)
            rows.emplace_back(sqlite3_column_int64(s, 0), sqlite3_column_int64(s, 1));
        sqlite3_finalize(s);
    }
    sqlite3_close(db);
    return rows;
}

void runTwoCopies(const QString& year, const char* what, int count) {
    QProcess copies[2];
    for (QProcess& p : copies)
        p.start(QStringLiteral(TWO_COPIES_WRITER),
                {year, QString::fromLatin1(what), QString::number(count)});
    for (QProcess& p : copies) {
        ASSERT_TRUE(p.waitForFinished(120000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().left(2000).constData();
    }
}

// The customer (with a sound VAT number), model and technician every movement names.
void storeRegisters(const QString& year) {
    const std::vector<std::pair<const char*, std::vector<std::pair<const char*, QVariant>>>>
        records{{"esercizio",
                 {{"Id_esercizio", 1},
                  {"Ragione_sociale", QStringLiteral("Bar Centrale")},
                  {"Piva", QStringLiteral("12345678903")},
                  {"Indirizzo", QStringLiteral("Via Roma 1")},
                  {"Comune", QStringLiteral("ROMA")},
                  {"Provincia", QStringLiteral("RM")}}},
                {"ms", {{"Id_ms", 1}, {"Denominazione_ms", QStringLiteral("Cassa 1")}}},
                {"tecnici", {{"Id_tecnico", 1}, {"Cogn_nome", QStringLiteral("Rossi Mario")}}}};
    for (const auto& [name, fields] : records) {
        store::Table t(year, QString::fromLatin1(name));
        t.open();
        t.append();
        for (const auto& [field, value] : fields)
            t.field(QString::fromLatin1(field)).setValue(value);
        t.post();
    }
}

TEST(TwoCopies, MovementsAndTheirVerificationsGetDistinctIdentifiersAndStayLinked) {
    testsupport::YearFolder year;
    storeRegisters(year.path());
    runTwoCopies(year.path(), "movements", 1000);
    const auto movements = pairs(year.file("MOV.DB"), "SELECT Id, ID_MISURAZIONI FROM MOV");
    const auto verifications =
        pairs(year.file("misurazioni.DB"), "SELECT ID_MISURAZIONI, Id_mov FROM misurazioni");
    ASSERT_EQ(movements.size(), 2000u);
    ASSERT_EQ(verifications.size(), 2000u);
    const std::map<qint64, qint64> verificationOf(movements.begin(), movements.end());
    const std::map<qint64, qint64> movementOf(verifications.begin(), verifications.end());
    ASSERT_EQ(verificationOf.size(), 2000u);
    ASSERT_EQ(movementOf.size(), 2000u);
    for (const auto& [movement, verification] : verificationOf)
        ASSERT_EQ(movementOf.at(verification), movement) << "movimento " << movement;
}

TEST(TwoCopies, DocumentsGetDistinctIdentifiersAndKeepTheirOwnLines) {
    testsupport::YearFolder year;
    runTwoCopies(year.path(), "documents", 500);
    const auto lines = pairs(year.file("linee_doc.DB"), "SELECT Id, Id_doc FROM linee_doc");
    const auto documents = pairs(year.file("doc.DB"), "SELECT Id, 0 FROM doc");
    ASSERT_EQ(documents.size(), 1000u);
    ASSERT_EQ(lines.size(), 3000u);
    std::map<qint64, int> linesOf;
    for (const auto& [document, unused] : documents)
        linesOf[document] = 0;
    ASSERT_EQ(linesOf.size(), 1000u);
    std::set<qint64> lineIds;
    for (const auto& [line, document] : lines) {
        lineIds.insert(line);
        ASSERT_TRUE(linesOf.count(document)) << "riga " << line;
        ++linesOf[document];
    }
    EXPECT_EQ(lineIds.size(), 3000u);
    for (const auto& [document, count] : linesOf)
        ASSERT_EQ(count, 3) << "documento " << document;
}

} // namespace
