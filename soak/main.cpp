// soak: random work on a big working year for a fixed time, checking after each step what the
// record rules promise. Exits 1 with the broken promise, the seed and the step.
//
//   soak [--seconds S | --minutes M] [--seed N] [--movements N] [--cache FOLDER]
#include "soak.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <cstring>
#include <exception>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // progress shows while it runs
    soak::Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const char* name = argv[i];
        const QString value = QString::fromLocal8Bit(argv[i + 1]);
        if (std::strcmp(name, "--seconds") == 0)
            options.seconds = value.toDouble();
        else if (std::strcmp(name, "--minutes") == 0)
            options.seconds = value.toDouble() * 60;
        else if (std::strcmp(name, "--seed") == 0)
            options.seed = value.toULongLong();
        else if (std::strcmp(name, "--movements") == 0)
            options.movements = value.toInt();
        else if (std::strcmp(name, "--cache") == 0)
            options.cache = value;
        else {
            std::fprintf(stderr, "uso: soak [--seconds S | --minutes M] [--seed N] "
                                 "[--movements N] [--cache CARTELLA]\n");
            return 2;
        }
    }
    if (options.cache.isEmpty())
        options.cache = QDir(QStringLiteral(MISURATORI_SOAK_DATA_DIR))
                            .filePath(QStringLiteral("anno-%1").arg(options.movements));
    std::printf("soak: seme %llu, %.0f s\n", static_cast<unsigned long long>(options.seed),
                options.seconds);
    std::unique_ptr<soak::Soak> run;
    try {
        run = std::make_unique<soak::Soak>(options);
        run->run();
    } catch (const std::exception& e) {
        if (run)
            run->printFigures();
        std::fprintf(stderr, "VIOLAZIONE o errore al passo %llu (%s), seme %llu: %s\n",
                     static_cast<unsigned long long>(run ? run->stepNumber() : 0),
                     run ? run->currentKind() : "preparazione",
                     static_cast<unsigned long long>(options.seed), e.what());
        return 1;
    }
    run->printFigures();
    std::printf("nessuna violazione\n");
    return 0;
}
