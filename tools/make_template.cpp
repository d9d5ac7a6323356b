// Writes the empty template folder and the staging folder from the catalogue and data/.
#include "store/catalogue.h"
#include "store/engine.h"
#include "store/error.h"
#include "store/table.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <cstdio>

namespace {

/// Loads `<dataDir>/<table>.csv` (";"-separated, header of field names) into the table.
int loadSeed(const QString& dataDir, const QString& folder, const store::TableDef& def) {
    QFile csv(QDir(dataDir).filePath(def.name + QStringLiteral(".csv")));
    if (!csv.exists())
        csv.setFileName(QDir(dataDir).filePath(def.name.toLower() + QStringLiteral(".csv")));
    if (!csv.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    QTextStream in(&csv);
    in.setEncoding(QStringConverter::Utf8);
    const QStringList header = in.readLine().split(QLatin1Char(';'));
    store::Table table(folder, def.name);
    table.open();
    store::Transaction transaction(table.file());
    int rows = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.trimmed().isEmpty())
            continue;
        const QStringList values = line.split(QLatin1Char(';'));
        table.append();
        for (int i = 0; i < header.size() && i < values.size(); ++i)
            table.field(header[i].trimmed()).setAsString(values[i]);
        table.post();
        ++rows;
    }
    transaction.commit();
    return rows;
}

void makeFolder(const QString& folder, store::TableSet set, const QString& dataDir) {
    QDir dir(folder);
    if (dir.exists())
        dir.removeRecursively();
    QDir().mkpath(folder);
    for (const store::TableDef& def : store::catalogue::tables(set)) {
        store::createTableFile(folder, def);
        const int rows = loadSeed(dataDir, folder, def);
        if (rows > 0)
            std::printf("  %s: %d record\n", qPrintable(def.name), rows);
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "uso: make_template CARTELLA_DATI CARTELLA_VUOTO CARTELLA_IMPORTDB\n");
        return 2;
    }
    try {
        const QString dataDir = QString::fromLocal8Bit(argv[1]);
        std::printf("Modello vuoto in %s\n", argv[2]);
        makeFolder(QString::fromLocal8Bit(argv[2]), store::TableSet::Year, dataDir);
        std::printf("Tabelle di acquisizione in %s\n", argv[3]);
        makeFolder(QString::fromLocal8Bit(argv[3]), store::TableSet::Staging, dataDir);
    } catch (const store::Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
