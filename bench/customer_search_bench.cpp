// customer_search_bench: someone typing customers' names into the real customer screen's
// search box over a register of 20,000 shops. Reports milliseconds per keystroke (the list
// moving and repainting included) beside raw SQLite finding the same first match.
#include "generate_year.h"
#include "screen_bench.h"
#include "sqlite_util.h"

#include "registry/eserciziow.h"
#include "store/dm.h"
#include "ui/dialogs.h"
#include "wiring/record_rules.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QStyleFactory>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

/// Names of customers picked with a fixed seed, typed up to 16 characters each.
std::vector<QString> sampleNames(const QString& folder, int count) {
    const auto db = bench::sql::open(
        QFile::encodeName(QDir(folder).filePath(QStringLiteral("esercizio.DB"))).toStdString(),
        SQLITE_OPEN_READONLY);
    const auto s = bench::sql::prepare(
        db.get(), "SELECT Ragione_sociale FROM esercizio WHERE Id_esercizio = ?");
    bench::Random random(23);
    std::vector<QString> names;
    for (int i = 0; i < count; ++i) {
        sqlite3_reset(s.get());
        sqlite3_bind_int(s.get(), 1, random.between(1, 20'000));
        if (sqlite3_step(s.get()) == SQLITE_ROW)
            names.push_back(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 0)))
                    .left(16));
    }
    return names;
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    try {
        // Only the customers matter here: the other tables stay small.
        bench::YearShape shape;
        shape.movements = 2'000;
        shape.verifications = 500;
        shape.documents = 200;
        shape.contracts = 200;
        const QString folder = bench::defaultYearFolder() + QStringLiteral("-customers");
        bench::ensureYear(bench::builtTemplateFolder(), folder, shape);

        bench::SilentDialogs silent;
        ui::DialogsScope scope(silent);
        Tdm data;
        if (!data.dmCreate(folder))
            throw std::runtime_error("the synthetic year does not open");
        const RecordRules rules(data, ui::warningSink());
        TesercizioForm screen(data);
        screen.show();
        screen.activateWindow();
        QApplication::processEvents();
        QLineEdit* box = screen.searchBox();
        box->setFocus();
        QApplication::processEvents();

        const std::vector<QString> names = sampleNames(folder, 30);
        std::vector<double> ms;
        int missed = 0;
        for (const QString& name : names) {
            box->clear();
            QApplication::processEvents();
            for (QChar c : name) {
                QElapsedTimer timer;
                timer.start();
                if (c.unicode() < 0x80) {
                    QTest::keyClick(box, c.toLatin1());
                } else {
                    QTest::sendKeyEvent(QTest::Press, box, Qt::Key_unknown, QString(c), {});
                    QTest::sendKeyEvent(QTest::Release, box, Qt::Key_unknown, QString(c), {});
                }
                QApplication::processEvents();
                ms.push_back(double(timer.nsecsElapsed()) / 1e6);
            }
            const QString shown =
                data.Tabesercizio.field(QStringLiteral("Ragione_sociale")).asString();
            if (!shown.startsWith(name))
                ++missed;
        }
        const bench::KeystrokeTimes times(ms);
        const double raw = bench::rawMsPerKeystroke(
            folder, QStringLiteral("esercizio.DB"),
            "SELECT * FROM esercizio WHERE Ragione_sociale >= ?1 AND "
            "Ragione_sociale < ?1 || char(1114111) ORDER BY Ragione_sociale, rowid LIMIT 1",
            names);
        std::printf("customer search over %d customers, %zu keystrokes\n",
                    data.Tabesercizio.recordCount(), ms.size());
        std::printf("  screen: mean %.2f ms, median %.2f ms, 95th %.2f ms, max %.2f ms per "
                    "keystroke (goal < 50 ms)\n",
                    times.mean, times.median(), times.percentile95(), times.max());
        std::printf("  raw SQLite first match: %.3f ms per keystroke (screen/raw %.0fx)\n", raw,
                    raw > 0 ? times.mean / raw : 0.0);
        std::printf("  names not reached: %d of %zu\n", missed, names.size());
        data.dmDestroy();
        return missed == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "customer_search_bench: %s\n", e.what());
        return 1;
    }
}
