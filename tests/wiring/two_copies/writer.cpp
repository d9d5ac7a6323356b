// One copy of the program writing into a year folder another copy writes into as well: a
// movement with its verification, or a document with its lines, again and again, through the
// data module and every record rule. Prints each failure and warning; exits 1 after any.
//
//   two_copies_writer <year folder> movements|documents <count>
#include "movements/verification_rules.h"
#include "store/dm.h"
#include "store/error.h"
#include "wiring/record_rules.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace {

// The movement's customer, model and technician are the year's first ones (the test stores them).
void movementWithVerification(Tdm& dm) {
    dm.Tabmov.append();
    for (const char* field : {"ID_ESERCIZIO", "ID_MS", "ID_TECNICO"})
        dm.Tabmov.field(QString::fromLatin1(field)).setAsInteger(1);
    dm.Tabmov.field(QStringLiteral("MATRICOLA_MS")).setAsString(QStringLiteral("AB12345678"));
    movements::appendVerification(dm);
    dm.Tabmisurazioni.field(QStringLiteral("ID_TECNICO")).setAsInteger(1);
    dm.Tabmisurazioni.post();
    dm.Tabmov.post();
}

void documentWithLines(Tdm& dm) {
    dm.Tabdoc.append(); // stored at once, with its identifier
    for (int line = 1; line <= 3; ++line) {
        dm.Tablinee_doc.append();
        dm.Tablinee_doc.field(QStringLiteral("Linea")).setAsString(QString::number(line));
        dm.Tablinee_doc.post();
    }
    dm.Tabdoc.post();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    int failures = 0;
    Tdm dm;
    RecordRules rules(dm, [&failures](const store::rules::Warning& w) {
        std::fprintf(stderr, "%s\n", qPrintable(w.text));
        ++failures;
    });
    if (!dm.dmCreate(args[1]))
        return 3;
    // As the movement screen's verification page links them.
    dm.Tabmisurazioni.setMasterSource(&dm.Tabmov, QStringLiteral("Id"), QStringLiteral("Id_mov"));
    const bool documents = args[2] == QLatin1String("documents");
    const int count = args[3].toInt();
    for (int i = 0; i < count; ++i) {
        try {
            documents ? documentWithLines(dm) : movementWithVerification(dm);
        } catch (const store::Error& e) {
            std::fprintf(stderr, "%s\n", qPrintable(e.message()));
            ++failures;
            for (store::Table* t : {&dm.Tablinee_doc, &dm.Tabdoc, &dm.Tabmisurazioni, &dm.Tabmov})
                t->cancel();
        }
    }
    return failures ? 1 : 0;
}
