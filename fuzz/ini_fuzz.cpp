// libFuzzer target: configuration files written by hand or by other tools. Whatever the bytes
// (any encoding, lone carriage returns, no final newline, duplicated sections), reading never
// fails, and a key written into the file is the key read back from it.
#include "app/inifile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

const QString& iniPath() {
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("FUZZ.INI"));
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString& path = iniPath();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    (void)app::readIniString(path, QStringLiteral("Directory"), QStringLiteral("DirBase"),
                             QString());
    // A folder beyond Latin-1 switches the file to UTF-8: both ways must read back.
    const QString root = size > 0 && (data[0] & 1) ? QStringLiteral("D:\\Officina\\è\\")
                                                   : QStringLiteral("D:\\Città €\\");
    if (!app::writeDataRoot(path, root))
        std::abort();
    if (app::readIniString(path, QStringLiteral("directory"), QStringLiteral("DIRBASE"),
                           QString()) != root)
        std::abort();
    return 0;
}
