#include "store/upgrade.h"

#include "store/catalogue.h"
#include "store/engine.h"
#include "store/error.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

namespace store {

namespace {

// Made aside and moved in whole, so a crash or a full disk never leaves a file without its
// table, which every later opening would refuse.
bool createAside(const QString& yearFolder, const TableDef& def) {
    QTemporaryDir aside(QDir(yearFolder).filePath(QStringLiteral(".nuova-XXXXXX")));
    if (!aside.isValid())
        return false;
    try {
        createTableFile(aside.path(), def);
    } catch (const Error&) {
        return false;
    }
    const QString name = def.name + QStringLiteral(".DB");
    return QFile::rename(QDir(aside.path()).filePath(name), QDir(yearFolder).filePath(name));
}

} // namespace

const QStringList& addedLater() {
    static const QStringList names{QStringLiteral("fatt_elettronica")};
    return names;
}

QString addMissingTables(const QString& yearFolder) {
    QStringList failed;
    for (const QString& name : addedLater()) {
        if (findTableFile(yearFolder, name).isEmpty() &&
            !createAside(yearFolder, catalogue::year(name)))
            failed << name;
    }
    return failed.join(QStringLiteral(", "));
}

void addMissingIndexes(const QString& yearFolder) {
    for (const TableDef& def : catalogue::tables(TableSet::Year))
        addMissingIndexes(yearFolder, def);
}

} // namespace store
