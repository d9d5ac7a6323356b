#include "app/filecopynew.h"

#include <QDir>
#include <QFile>
#include <QStringView>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace app {
namespace {

namespace fs = std::filesystem;

fs::path toPath(const QString& text) {
#ifdef _WIN32
    return fs::path(text.toStdWString());
#else
    return fs::path(QFile::encodeName(text).toStdString());
#endif
}

QString fromPath(const fs::path& path) {
#ifdef _WIN32
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

/// True for the native separator and for '/', which Qt accepts on every platform.
bool isSeparator(QChar c) {
    return c == u'/' || c == QDir::separator();
}

/// Position of the last separator in path; -1 when it has none.
qsizetype lastSeparator(const QString& path) {
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (isSeparator(path[i])) {
            return i;
        }
    }
    return -1;
}

/// '*' matches any run of characters, '?' any one; letters match regardless of case, as masks
/// did on the original platform.
bool wildcardMatch(QStringView mask, QStringView name) {
    qsizetype m = 0;
    qsizetype n = 0;
    qsizetype star = -1;
    qsizetype resume = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == u'*') {
            star = m++;
            resume = n;
        } else if (m < mask.size() &&
                   (mask[m] == u'?' || mask[m].toCaseFolded() == name[n].toCaseFolded())) {
            ++m;
            ++n;
        } else if (star >= 0) {
            m = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == u'*') {
        ++m;
    }
    return m == mask.size();
}

/// A trailing ".*" also accepts names without an extension, so "*.*" takes every file.
bool maskMatches(const QString& mask, const QString& name) {
    return wildcardMatch(mask, name) ||
           (mask.endsWith(u".*") && wildcardMatch(QStringView(mask).chopped(2), name));
}

struct FolderEntry {
    QString name;
    bool folder = false;
};

/// The entries of folder whose names match mask, "." and ".." included as the original listing
/// had them (so an empty source folder still gets its target folder). Empty when the folder is
/// missing or unreadable. Taken whole before copying, so folders the copy creates never show up.
std::vector<FolderEntry> matchingEntries(const QString& folder, const QString& mask) {
    std::vector<FolderEntry> entries;
    const fs::path dir = toPath(folder.isEmpty() ? QStringLiteral(".") : folder);
    std::error_code error;
    if (!fs::is_directory(dir, error)) {
        return entries;
    }
    for (const QString& dots : {QStringLiteral("."), QStringLiteral("..")}) {
        if (maskMatches(mask, dots)) {
            entries.push_back({dots, true});
        }
    }
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        const QString name = fromPath(it->path().filename());
        if (maskMatches(mask, name)) {
            std::error_code kindError;
            entries.push_back({name, it->is_directory(kindError)});
        }
    }
    return entries;
}

/// Integer part of an accumulated percentage; the final empty read pushes the sum past 100.
std::uint16_t percentage(double accumulator) {
    return static_cast<std::uint16_t>(std::clamp(accumulator, 0.0, 100.0));
}

} // namespace

void TFileCopyNew::CopyFiles() {
    // Handlers may change the properties while the copy runs; the copy keeps what it started with.
    const QString source = SourceFile;
    const QString target = TargetFile;
    if (source.isEmpty()) {
        ReportError(QStringLiteral("I can't copy\rSource File name missing"));
        return;
    }
    if (target.isEmpty()) {
        ReportError(QStringLiteral("I can't copy\rTarget File name missing"));
        return;
    }
    if (!CopyFolder(source, target)) {
        ReportError(QStringLiteral("Execution failed :\r\r") + source + QStringLiteral(" -> ") +
                    target);
    }
}

bool TFileCopyNew::CopyFolder(const QString& S, const QString& T) {
    if (!S.contains(u'*')) {
        const bool copied = CopyOneFile(S, T);
        if (Memo) {
            Memo->addLine((copied ? QStringLiteral("Ok - ") : QStringLiteral("failed - ")) + S);
        }
        return copied;
    }

    const qsizetype cut = lastSeparator(S);
    const QString mask = S.mid(cut + 1);
    const QString sourceFolder = S.left(cut + 1);
    const QString targetFolder = T.left(lastSeparator(T) + 1);
    // An empty target stays empty (the current folder) rather than becoming the root.
    const QString targetBase = T.isEmpty() || isSeparator(T.back()) ? T : T + QDir::separator();

    for (const FolderEntry& entry : matchingEntries(sourceFolder, mask)) {
        const QString sourcePath = sourceFolder + entry.name;
        const QString targetPath = targetBase + entry.name;
        if (!targetFolder.isEmpty()) {
            std::error_code ignored; // a folder that cannot be made fails at its first file
            fs::create_directories(toPath(targetFolder), ignored);
        }
        if (entry.folder) {
            if (entry.name == u"." || entry.name == u".." || !IncludeSubFolders) {
                continue;
            }
            // Compares the texts as given, so only a target written under the source is caught;
            // an empty source folder text never counts as contained.
            if (!sourceFolder.isEmpty() && targetFolder.contains(sourceFolder)) {
                ReportError(QStringLiteral("ERROR : folder recursion\r\rCan't copy !"));
                return false;
            }
            std::error_code ignored;
            fs::create_directories(toPath(targetPath), ignored);
            // A failing subfolder has reported its own errors; it does not fail this folder.
            CopyFolder(sourcePath + QDir::separator() + mask, targetPath + QDir::separator());
            continue;
        }
        if (!CopyOneFile(sourcePath, targetPath)) {
            LogLine(QStringLiteral("failed - ") + sourcePath);
            return false;
        }
        LogLine(QStringLiteral("Ok - ") + sourcePath);
    }
    return true;
}

bool TFileCopyNew::CopyOneFile(const QString& S, const QString& T) {
    const fs::path source = toPath(S);
    const fs::path target = toPath(T);
    std::error_code error;
    // Two texts naming one file (another case on Windows, "./", a link) would truncate the
    // source before reading it, so they are refused like identical texts.
    if (S == T || fs::equivalent(source, target, error)) {
        ReportError(QStringLiteral("Error !!!\rI can't copy ") + S + QStringLiteral(" on itself"));
        return false;
    }

    std::vector<char> buffer(BufferSize);
    std::ifstream in;
    // Only regular files are opened: on Linux a folder opens and a pipe blocks.
    if (fs::is_regular_file(source, error)) {
        in.open(source, std::ios::binary);
    }
    std::streamoff size = -1;
    if (in.is_open() && in.seekg(0, std::ios::end)) {
        size = in.tellg();
    }
    if (size < 0 || !in.seekg(0, std::ios::beg)) {
        if (OnBeep) {
            OnBeep();
        }
        ReportError(S + QStringLiteral(" missing or corrupted or opened for exclusive use"));
        return false;
    }
    // An empty file counts as one chunk, so its single empty read reports 100.
    const double step =
        size == 0 ? 100.0 : 100.0 / (static_cast<double>(size) / static_cast<double>(BufferSize));
    double readAccumulator = 0.0;
    double writeAccumulator = 0.0;

    bool canOverride = true;
    if (fs::exists(target, error)) {
        canOverride = false;
        if (OnOverriding) {
            OnOverriding(*this, canOverride);
        }
    }
    if (!canOverride) {
        return false;
    }

    std::ofstream out;
    // Unbuffered, so a failing or short write shows on the chunk that caused it.
    out.rdbuf()->pubsetbuf(nullptr, 0);
    out.open(target, std::ios::binary | std::ios::trunc);
    if (!out.is_open()) {
        ReportError(QStringLiteral("Error on creating ") + T);
        return false;
    }

    const QString readError =
        QStringLiteral("Read error on \r") + S + QStringLiteral("\rCopy failed.");
    const QString writeError =
        QStringLiteral("Write error on \r") + T + QStringLiteral("\rCopy failed.");
    const auto progress = [this, &readAccumulator, &writeAccumulator] {
        if (OnCopyProgress) {
            OnCopyProgress(*this, percentage(readAccumulator), percentage(writeAccumulator));
        }
    };
    for (;;) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const std::streamsize count = in.gcount();
        if (in.bad()) {
            ReportError(readError);
            return false;
        }
        readAccumulator += step;
        progress();
        if (!out.write(buffer.data(), count)) {
            ReportError(writeError);
            return false;
        }
        writeAccumulator += step;
        progress();
        if (count == 0) {
            break;
        }
    }
    out.close();
    if (out.fail()) {
        ReportError(writeError);
        return false;
    }
    in.close();
    if (OnCopyProgress) {
        OnCopyProgress(*this, 100, 100);
    }
    return true;
}

void TFileCopyNew::ReportError(const QString& ErrorMsg) {
    if (OnError) {
        OnError(*this, ErrorMsg);
    }
}

void TFileCopyNew::LogLine(const QString& text) {
    if (!ShowProgressOnMemo) {
        return;
    }
    if (Memo) {
        Memo->addLine(text);
    } else {
        ReportError(QStringLiteral("Error : you must assign an exsisting TMemo to memo property,\r"
                                   "before setting ShowProgressOnMemo = True"));
    }
}

} // namespace app
