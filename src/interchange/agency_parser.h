#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

/// The revenue agency's quarterly file: fixed-width lines of three record types.
namespace interchange {

enum class AgencyKind { Header, Technician, Verification };

/// A field of a record: its staging name and its place in the line (1-based, in characters).
struct AgencyField {
    const char* name;
    int start;
    int width;
};

/// The fields of a record type in the order of its staging table, `Id` apart. A verification's
/// last field, `Trimestre`, is not in the line (start 0): it is the quarter of the last header.
const std::vector<AgencyField>& agencyLayout(AgencyKind kind);

/// The staging table of a record type: riga1, riga2, riga3.
QString agencyStagingTable(AgencyKind kind);

/// A row for a staging table: one text per field of agencyLayout(kind).
struct AgencyRow {
    AgencyKind kind;
    QStringList values;
};

/// Windows Latin-1 (cp1252) text; its five unassigned bytes become the control characters of
/// the same code.
QString fromCp1252(const QByteArray& bytes);

/// The longest line accepted, line break apart.
inline constexpr int maxAgencyLineLength = 4096;

/// Splits an agency file, fed in pieces of any size, into rows. A line is a header when it holds
/// "0MFISC26" anywhere, a technician when it begins with "1", a verification when it begins
/// with "2" (one line may be more than one of these); any other line is skipped. Lines end with
/// LF or CRLF. A field beyond the end of a short line is empty, one cut by it keeps the part
/// present. The quarter of the last header starts empty for every parser, so a file gives the
/// same rows however often it is read.
///
/// The text is Windows Latin-1; a file beginning with the UTF-8 byte order mark is UTF-8 (the
/// mark is not part of the first line), one beginning with a UTF-16 mark is refused.
///
/// Untrusted input: a line longer than maxAgencyLineLength, or a record line holding a control
/// character, throws store::Error naming the line; memory stays bounded by one line.
class AgencyParser {
public:
    using Sink = std::function<void(const AgencyRow&)>;
    explicit AgencyParser(Sink sink);

    void feed(const char* data, qsizetype size);
    /// The last line when the file does not end with a line break.
    void finish();
    /// Lines seen so far.
    int lines() const { return line_; }

private:
    void takeLine();
    void addRow(AgencyKind kind, const QString& text);
    [[noreturn]] void refuse(const QString& why) const;

    Sink sink_;
    QByteArray pending_;
    QString quarter_;
    int line_ = 0;
    bool utf8_ = false;
};

} // namespace interchange
