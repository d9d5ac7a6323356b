// articles_bench: someone typing descriptions into the articles screen's search box over
// 20,000 articles. Reports milliseconds per keystroke (the list moving and repainting included)
// beside raw SQLite finding the same first match.
#include "generate_year.h"
#include "screen_bench.h"
#include "sqlite_util.h"

#include "articles/articoliw.h"
#include "store/dm.h"
#include "ui/dialogs.h"
#include "ui/formkit.h"
#include "wiring/record_rules.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStyleFactory>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

constexpr int kArticles = 20'000;

const char* const kNouns[] = {"ROTOLO", "BATTERIA",     "TASTIERA", "DISPLAY", "STAMPANTE",
                              "CAVO",   "ALIMENTATORE", "CASSETTO", "SCHEDA",  "TESTINA"};
const char* const kKinds[] = {"TERMICO", "TAMPONE", "USB",     "SERIALE",  "LCD",
                              "ESTERNO", "INTERNO", "FISCALE", "RICAMBIO", "UNIVERSALE"};

/// Fills the articles of the year once: spare parts with a description, machines with a model.
void ensureArticles(const QString& folder) {
    store::Table articles(folder, QStringLiteral("articoli"));
    articles.open();
    if (articles.recordCount() >= kArticles)
        return;
    bench::Random random(31);
    store::AtomicWrite scope({&articles});
    for (int i = 1; i <= kArticles; ++i) {
        articles.append();
        articles.field(QStringLiteral("Id")).setAsInteger(i);
        articles.field(QStringLiteral("Descrizione"))
            .setAsString(QStringLiteral("%1 %2 %3")
                             .arg(QString::fromLatin1(kNouns[random.below(10)]),
                                  QString::fromLatin1(kKinds[random.below(10)]))
                             .arg(random.between(1, 99'999), 5, 10, QLatin1Char('0')));
        articles.field(QStringLiteral("Qta")).setAsInteger(random.between(0, 50));
        articles.field(QStringLiteral("Giacenza_sn")).setAsBoolean(true);
        if (i % 4 == 0) {
            articles.field(QStringLiteral("Id_ms")).setAsInteger(random.between(1, 150));
            articles.field(QStringLiteral("Matricola"))
                .setAsString(QStringLiteral("MA%1").arg(i, 7, 10, QLatin1Char('0')));
        }
        articles.post();
    }
    scope.commit();
}

std::vector<QString> sampleDescriptions(const QString& folder, int count) {
    const auto db = bench::sql::open(
        QFile::encodeName(QDir(folder).filePath(QStringLiteral("articoli.DB"))).toStdString(),
        SQLITE_OPEN_READONLY);
    const auto s = bench::sql::prepare(db.get(), "SELECT Descrizione FROM articoli WHERE Id = ?");
    bench::Random random(29);
    std::vector<QString> names;
    for (int i = 0; i < count; ++i) {
        sqlite3_reset(s.get());
        sqlite3_bind_int(s.get(), 1, random.between(1, kArticles));
        if (sqlite3_step(s.get()) == SQLITE_ROW)
            names.push_back(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 0))));
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
        bench::YearShape shape;
        shape.customers = 2'000;
        shape.movements = 2'000;
        shape.verifications = 500;
        shape.documents = 200;
        shape.contracts = 200;
        const QString folder = bench::defaultYearFolder() + QStringLiteral("-articles");
        bench::ensureYear(bench::builtTemplateFolder(), folder, shape);
        ensureArticles(folder);

        bench::SilentDialogs silent;
        ui::DialogsScope scope(silent);
        Tdm data;
        if (!data.dmCreate(folder))
            throw std::runtime_error("the synthetic year does not open");
        const RecordRules rules(data, ui::warningSink());
        TarticoliForm screen(data);
        screen.show();
        screen.activateWindow();
        QApplication::processEvents();
        for (QComboBox* c : screen.findChildren<QComboBox*>())
            if (c->findText(QStringLiteral("descrizione")) >= 0)
                c->setCurrentText(QStringLiteral("descrizione"));
        QLineEdit* box = screen.findChild<ui::UpperLineEdit*>();
        box->setFocus();
        QApplication::processEvents();

        const std::vector<QString> names = sampleDescriptions(folder, 30);
        std::vector<double> ms;
        int missed = 0;
        for (const QString& name : names) {
            box->clear();
            QApplication::processEvents();
            for (QChar c : name) {
                QElapsedTimer timer;
                timer.start();
                QTest::keyClick(box, c.toLatin1());
                QApplication::processEvents();
                ms.push_back(double(timer.nsecsElapsed()) / 1e6);
            }
            if (data.Tabarticoli.field(QStringLiteral("Descrizione")).asString() != name)
                ++missed;
        }
        const bench::KeystrokeTimes times(ms);
        const double raw = bench::rawMsPerKeystroke(
            folder, QStringLiteral("articoli.DB"),
            "SELECT * FROM articoli WHERE Descrizione >= ?1 AND "
            "Descrizione < ?1 || char(1114111) ORDER BY Descrizione, rowid LIMIT 1",
            names);
        std::printf("article search over %d articles, %zu keystrokes\n",
                    data.Tabarticoli.recordCount(), ms.size());
        std::printf("  screen: mean %.2f ms, median %.2f ms, 95th %.2f ms, max %.2f ms per "
                    "keystroke\n",
                    times.mean, times.median(), times.percentile95(), times.max());
        std::printf("  raw SQLite first match: %.3f ms per keystroke (screen/raw %.0fx)\n", raw,
                    raw > 0 ? times.mean / raw : 0.0);
        std::printf("  descriptions not reached: %d of %zu\n", missed, names.size());
        data.dmDestroy();
        return missed == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "articles_bench: %s\n", e.what());
        return 1;
    }
}
