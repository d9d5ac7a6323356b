// bench_generate: writes the synthetic working year the benchmarks run on.
#include "generate_year.h"

#include <QElapsedTimer>
#include <QString>
#include <cstdio>
#include <cstring>
#include <exception>

int main(int argc, char** argv) {
    bool force = false;
    QString folder;
    QString templateFolder = bench::builtTemplateFolder();
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--force") == 0)
            force = true;
        else if (positional++ == 0)
            folder = QString::fromLocal8Bit(argv[i]);
        else
            templateFolder = QString::fromLocal8Bit(argv[i]);
    }
    if (folder.isEmpty() || positional > 2) {
        std::fprintf(stderr,
                     "usage: bench_generate [--force] FOLDER [TEMPLATE]\n"
                     "  Copies TEMPLATE (default %s) into FOLDER and fills a synthetic year.\n"
                     "  Without --force an up-to-date FOLDER is kept as it is.\n",
                     qPrintable(templateFolder));
        return 2;
    }
    try {
        QElapsedTimer timer;
        timer.start();
        if (bench::ensureYear(templateFolder, folder, {}, force)) {
            std::printf("generated %s in %.1f s\n", qPrintable(folder), timer.elapsed() / 1000.0);
        } else {
            std::printf("%s is up to date\n", qPrintable(folder));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_generate: %s\n", e.what());
        return 1;
    }
    return 0;
}
