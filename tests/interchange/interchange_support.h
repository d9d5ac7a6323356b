#pragma once

#include <QByteArray>
#include <QString>
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

} // namespace ictest
