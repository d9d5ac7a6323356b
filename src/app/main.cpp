// Entry point. The screens are not built yet: the program reports where its data live and
// what the empty template holds.
#include "store/catalogue.h"
#include "store/engine.h"
#include "store/error.h"
#include "store/table.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString templateFolder = QDir(programFolder).filePath(QStringLiteral("vuoto"));
    std::printf("Misuratori Fiscali - Versione 1.020\n");
    std::printf("Le schermate del programma non sono ancora disponibili.\n");
    std::printf("Modello vuoto: %s\n", qPrintable(QDir::toNativeSeparators(templateFolder)));
    try {
        for (const store::TableDef& def : store::catalogue::tables(store::TableSet::Year)) {
            store::Table table(templateFolder, def.name);
            table.open();
            std::printf("  %-22s %6d record\n", qPrintable(def.name), table.recordCount());
        }
    } catch (const store::Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
