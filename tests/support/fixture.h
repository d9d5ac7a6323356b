#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <filesystem>

#include "support/printers.h"

namespace testsupport {

/// The empty template the build generated.
inline QString templateFolder() {
    return QStringLiteral(MISURATORI_TEMPLATE_DIR);
}

/// A throw-away working-year folder copied from the real template.
class YearFolder {
public:
    YearFolder() {
        // std::filesystem copies without forcing each file to disk, which QFile::copy does.
        for (const auto& entry : std::filesystem::directory_iterator(
                 std::filesystem::path(templateFolder().toStdString())))
            if (entry.is_regular_file())
                std::filesystem::copy_file(entry.path(),
                                           std::filesystem::path(dir_.path().toStdString()) /
                                               entry.path().filename());
    }
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

/// An empty throw-away folder.
class TempFolder {
public:
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

} // namespace testsupport
