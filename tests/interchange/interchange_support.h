#pragma once

#include "interchange/verification_tables.h"
#include "store/catalogue.h"
#include "store/engine.h"
#include "store/table.h"
#include "support/fixture.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QVariant>
#include <initializer_list>
#include <utility>

namespace ictest {

/// A fixed-width line: each text written from its 1-based position, blanks in between.
inline QByteArray fixedLine(std::initializer_list<std::pair<int, const char*>> pieces) {
    QByteArray line;
    for (const auto& [start, text] : pieces) {
        const QByteArray bytes(text);
        if (line.size() < start - 1 + bytes.size())
            line.resize(start - 1 + bytes.size(), ' ');
        line.replace(start - 1, bytes.size(), bytes);
    }
    return line;
}

/// A header of the agency file for a year and quarter.
inline QByteArray agencyHeader(const char* vat, const char* year, const char* quarter) {
    return fixedLine(
        {{1, "0MFISC26"}, {9, vat}, {56, "CASSE ROSSI SRL"}, {260, year}, {264, quarter}});
}

/// A verification line of the agency file for a meter.
inline QByteArray agencyVerification(const char* serial) {
    return fixedLine({{1, "2"},
                      {2, "RSSMRA70A01H501S"},
                      {52, "15032006"},
                      {69, "12345678903"},
                      {80, "BAR SPORT"},
                      {305, serial}});
}

/// A verification before any header, then one after a header of quarter 1 and one after a
/// header of quarter 2, with LF and CRLF endings and no final line break.
inline QByteArray twoQuarterFile() {
    return agencyVerification("AAA000001") + "\n" + agencyHeader("01234567897", "2006", "1") +
           "\n" + agencyVerification("AAA000002") + "\r\n" +
           agencyHeader("01234567897", "2006", "2") + "\r\n" + agencyVerification("AAA000003");
}

/// Appends one record with these values and posts it.
inline void add(store::Table& table,
                std::initializer_list<std::pair<const char*, QVariant>> values) {
    table.append();
    for (const auto& [name, value] : values)
        table.field(QString::fromLatin1(name)).setValue(value);
    table.post();
}

/// The named fields of every stored record of the table's file, each record as its texts joined
/// by "|", in natural order; read through a cursor of its own.
inline QStringList rows(const store::Table& like, const QStringList& fields) {
    store::Table t(like.databaseName(), like.tableName(), like.tableSet());
    t.open();
    QStringList out;
    for (t.first(); !t.eof(); t.next()) {
        QStringList values;
        for (const QString& f : fields)
            values << t.field(f).asString();
        out << values.join(u'|');
    }
    return out;
}

/// Every field of every stored record of the table's file.
inline QStringList contents(const store::Table& like) {
    QStringList fields;
    for (const store::FieldDef& f : like.definition().fields)
        fields << f.name;
    return rows(like, fields);
}

/// Creates, empty, the verification program's tables of `year` and its registers under `folder`.
inline void createVerificationProgram(const QString& folder, const QString& year) {
    const QString yearFolder = interchange::verificationYearFolder(folder, year);
    const QString registers = interchange::verificationRegisterFolder(folder);
    QDir().mkpath(yearFolder);
    QDir().mkpath(registers);
    for (const store::TableDef& def : store::catalogue::tables(store::TableSet::VerificationYear))
        store::createTableFile(yearFolder, def);
    for (const store::TableDef& def :
         store::catalogue::tables(store::TableSet::VerificationRegister))
        store::createTableFile(registers, def);
}

/// A verification program installed in a folder of its own, its tables empty and open, with the
/// verification year folder of `year`.
class VerificationProgram {
public:
    explicit VerificationProgram(const QString& year = QStringLiteral("2006")) {
        createVerificationProgram(root.path(), year);
        tables.open(root.path(), year);
    }
    QString folder() const { return root.path(); }
    /// The path of a register table's file.
    QString registerFile(const QString& name) const {
        return interchange::verificationRegisterFolder(root.path()) + u'/' + name + ".DB";
    }

    testsupport::TempFolder root;
    interchange::VerificationTables tables;
};

} // namespace ictest
