#include "app/inifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>
#include <QTextStream>

namespace app {

namespace {

// Older files, and those whose text fits in it, are Latin-1 as the profile functions of the
// original platform write them; a path beyond Latin-1 is kept in UTF-8. A file is read as UTF-8
// exactly when its bytes are valid UTF-8, which a Latin-1 text with accents practically never is.
QString decoded(QByteArray bytes) {
    // Saved as Unicode by a text editor.
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringConverter::Utf16)(bytes);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// Latin-1 bytes that would read back as a byte order mark are written in UTF-8 instead.
bool fitsLatin1(const QStringList& lines) {
    if (!lines.isEmpty())
        for (const char* mark : {"\u00FF\u00FE", "\u00FE\u00FF", "\u00EF\u00BB\u00BF"})
            if (lines.front().startsWith(QString::fromUtf8(mark)))
                return false;
    for (const QString& line : lines)
        for (const QChar c : line)
            if (c.unicode() > 0xFF)
                return false;
    return true;
}

QStringList readLines(const QString& path) {
    QFile file(path);
    QStringList lines;
    // Binary: a text-mode read would drop the CR bytes of UTF-16 text; line ends go below.
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    QString text = decoded(file.readAll());
    QTextStream in(&text, QIODevice::ReadOnly);
    while (!in.atEnd())
        lines << in.readLine();
    return lines;
}

bool isSection(const QString& line, QString* name = nullptr) {
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']')))
        return false;
    if (name)
        *name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

bool isKey(const QString& line, const QString& key, QString* value = nullptr) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0 || line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) != 0)
        return false;
    if (value)
        *value = line.mid(eq + 1).trimmed();
    return true;
}

} // namespace

QString iniPathFor(const QString& programFile) {
    const QFileInfo info(programFile);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".INI"));
}

QString readIniString(const QString& iniPath, const QString& section, const QString& key,
                      const QString& fallback) {
    bool inSection = false;
    for (const QString& line : readLines(iniPath)) {
        QString name;
        if (isSection(line, &name)) {
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        QString value;
        if (inSection && isKey(line, key, &value))
            return value;
    }
    return fallback;
}

bool writeIniString(const QString& iniPath, const QString& section, const QString& key,
                    const QString& value) {
    QStringList lines = readLines(iniPath);
    const QString entry = key + QLatin1Char('=') + value;
    qsizetype sectionAt = -1;
    qsizetype insertAt = -1;
    bool written = false;
    for (qsizetype i = 0; i < lines.size() && !written; ++i) {
        QString name;
        if (isSection(lines[i], &name)) {
            if (sectionAt >= 0)
                break; // the next section begins: the key goes at the end of ours
            if (name.compare(section, Qt::CaseInsensitive) == 0)
                sectionAt = insertAt = i + 1;
            continue;
        }
        if (sectionAt < 0)
            continue;
        if (isKey(lines[i], key)) {
            lines[i] = entry;
            written = true;
        } else if (!lines[i].trimmed().isEmpty()) {
            insertAt = i + 1;
        }
    }
    if (!written) {
        if (sectionAt < 0) {
            if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
                lines << QString();
            lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
        } else {
            lines.insert(insertAt, entry);
        }
    }
    QSaveFile file(iniPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&file);
    out.setEncoding(fitsLatin1(lines) ? QStringConverter::Latin1 : QStringConverter::Utf8);
    for (const QString& line : lines)
        out << line << '\n';
    out.flush();
    return file.commit();
}

QString withTrailingSeparator(const QString& folder) {
    QString native = QDir::toNativeSeparators(folder);
    if (!native.isEmpty() && !native.endsWith(QDir::separator()))
        native += QDir::separator();
    return native;
}

QString readDataRoot(const QString& iniPath, const QString& programFolder) {
    const QString configured =
        readIniString(iniPath, QStringLiteral("Directory"), QStringLiteral("DirBase"), QString());
    return withTrailingSeparator(configured.isEmpty() ? programFolder : configured);
}

bool writeDataRoot(const QString& iniPath, const QString& dataRoot) {
    return writeIniString(iniPath, QStringLiteral("Directory"), QStringLiteral("DirBase"),
                          dataRoot);
}

} // namespace app
