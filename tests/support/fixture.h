#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include "support/printers.h"

namespace testsupport {

/// The empty template the build generated.
inline QString templateFolder() { return QStringLiteral(MISURATORI_TEMPLATE_DIR); }

/// A throw-away working-year folder copied from the real template.
class YearFolder {
public:
    YearFolder() {
        const QDir source(templateFolder());
        for (const QString& name : source.entryList(QDir::Files))
            QFile::copy(source.filePath(name), dir_.filePath(name));
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
