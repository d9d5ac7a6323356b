// Layers point one way: the store at the bottom, the toolkits above it, the subsystems above
// those and the program on top. A header included against that direction fails here.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

QString sourceFolder() {
    return QStringLiteral(MISURATORI_SOURCE_DIR) + QStringLiteral("/src");
}

/// The "folder/..." includes of every source file under `folder`, as "file: folder/header".
QStringList includesOf(const QString& folder) {
    static const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s*"([^"/]+)/)"));
    QStringList found;
    QDirIterator files(sourceFolder() + u'/' + folder,
                       {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        while (!file.atEnd()) {
            const QString line = QString::fromUtf8(file.readLine());
            const QRegularExpressionMatch m = include.match(line);
            if (m.hasMatch())
                found << QDir(sourceFolder()).relativeFilePath(file.fileName()) +
                             QStringLiteral(": ") + m.captured(1);
        }
    }
    return found;
}

/// The includes of `folder` that name one of the `forbidden` folders.
QStringList violations(const QString& folder, const QStringList& forbidden) {
    QStringList wrong;
    for (const QString& include : includesOf(folder))
        if (forbidden.contains(include.section(u' ', -1)))
            wrong << include;
    return wrong;
}

/// Every folder of src, which the program's own folder sits on top of.
QStringList sourceFolders() {
    return QDir(sourceFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
}

TEST(Layering, NoFolderBelowTheProgramIncludesAHeaderOfTheProgram) {
    const QStringList folders = sourceFolders();
    ASSERT_TRUE(folders.contains(QStringLiteral("app")));
    for (const QString& folder : folders) {
        if (folder == QLatin1String("app"))
            continue;
        EXPECT_EQ(violations(folder, {QStringLiteral("app")}), QStringList())
            << folder.toStdString();
    }
}

TEST(Layering, TheStoreAndTheToolkitsIncludeOnlyWhatLiesBelowThem) {
    QStringList subsystems = sourceFolders();
    for (const char* lower : {"store", "ui", "report", "app"})
        subsystems.removeAll(QString::fromLatin1(lower));
    const struct {
        const char* folder;
        QStringList forbidden;
    } layers[] = {{"store", subsystems + QStringList{"ui", "report"}},
                  {"ui", subsystems + QStringList{"report"}},
                  {"report", subsystems + QStringList{"ui"}},
                  {"wiring", {"app", "ui"}}};
    for (const auto& layer : layers)
        EXPECT_EQ(violations(QString::fromLatin1(layer.folder), layer.forbidden), QStringList())
            << layer.folder;
}

} // namespace
