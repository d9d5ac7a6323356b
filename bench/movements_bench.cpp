// movements_bench: the movement screen on a synthetic year of 1,000,000 movements. Opens the
// real screen (its starting filter on today's movements and appointments), then types one
// technician and one month into the filter panel and clicks "Filtra", then pages through the
// filtered grid. Reports milliseconds beside raw SQLite selecting the same rows in the same
// order.
#include "generate_year.h"
#include "screen_bench.h"
#include "sqlite_util.h"

#include "movements/movement_filter.h"
#include "movements/movement_list.h"
#include "movements/movw.h"
#include "store/dm.h"
#include "ui/dialogs.h"
#include "ui/grid.h"
#include "wiring/record_rules.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleFactory>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

double msSince(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

/// Raw SQLite: the ordered row list the store builds for the same filter, `runs` times; the
/// median milliseconds and the rows found.
std::pair<double, int> raw(const QString& folder, const char* sql,
                           const std::vector<std::string>& values, int runs) {
    const auto db = bench::sql::open(
        QFile::encodeName(QDir(folder).filePath(QStringLiteral("MOV.DB"))).toStdString(),
        SQLITE_OPEN_READONLY);
    const auto s = bench::sql::prepare(db.get(), sql);
    std::vector<double> ms;
    int rows = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        sqlite3_reset(s.get());
        for (size_t i = 0; i < values.size(); ++i)
            bench::sql::bindText(s.get(), int(i) + 1, values[i]);
        rows = 0;
        while (sqlite3_step(s.get()) == SQLITE_ROW)
            ++rows;
        ms.push_back(msSince(timer));
    }
    return {median(ms), rows};
}

void type(QWidget* box, const QString& text) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClicks(box, text);
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    try {
        const QString folder = bench::defaultYearFolder();
        bench::ensureYear(bench::builtTemplateFolder(), folder);
        bench::SilentDialogs silent;
        ui::DialogsScope scope(silent);
        Tdm data;
        if (!data.dmCreate(folder))
            throw std::runtime_error("the synthetic year does not open");
        const RecordRules rules(data, ui::warningSink());
        data.Tabtecnico.first();
        const QString technician =
            data.Tabtecnico.field(QStringLiteral("Cogn_no_sigillo")).asString();
        const std::string technicianId =
            data.Tabtecnico.field(QStringLiteral("Id_tecnico")).asString().toStdString();
        constexpr int runs = 5;

        std::vector<double> opening, filtering, paging, storeOnly;
        int filtered = 0;
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            TMOVForm screen(data);
            screen.show();
            QApplication::processEvents();
            opening.push_back(msSince(timer));

            movements::MovementList& list = screen.list();
            type(list.dateBox(0), QStringLiteral("01032025"));
            type(list.dateBox(1), QStringLiteral("31032025"));
            list.technicianChoice()->setEditText(technician);
            timer.restart();
            list.command(QStringLiteral("Filtra"))->click();
            QApplication::processEvents();
            filtering.push_back(msSince(timer));
            filtered = list.grid()->tableModel().rowCount();

            list.grid()->setFocus();
            QTest::keyClick(list.grid(), Qt::Key_Home, Qt::ControlModifier);
            for (int page = 0; page < 20; ++page) {
                timer.restart();
                QTest::keyClick(list.grid(), Qt::Key_PageDown);
                QApplication::processEvents();
                paging.push_back(msSince(timer));
            }
            // The same filter on the shared object alone: what the store takes, without the screen.
            const QString text = data.Tabmov.filter();
            data.Tabmov.setFiltered(false);
            timer.restart();
            movements::applyMovementFilter(data, text, true);
            storeOnly.push_back(msSince(timer));
            data.Tabmov.setFiltered(false);
        }

        const std::string today =
            QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")).toStdString();
        const auto [rawOpen, openRows] =
            raw(folder,
                "SELECT rowid FROM MOV WHERE Data = ?1 OR Data_app = ?1 ORDER BY Data, Ora, rowid",
                {today}, runs);
        const auto [rawFilter, filterRows] =
            raw(folder,
                "SELECT rowid FROM MOV WHERE Data >= ?1 AND Data <= ?2 AND ID_TECNICO = ?3 "
                "ORDER BY Data, Ora, rowid",
                {"2025-03-01", "2025-03-31", technicianId}, runs);

        // The same with the type checks the store puts around every comparison.
        const auto [rawGuarded, guardedRows] = raw(
            folder,
            "SELECT rowid FROM MOV WHERE (Data >= ?1 AND typeof(Data) = 'text' AND Data IS "
            "date(Data, '+0 days') AND Data >= '0001') AND (Data <= ?2 AND typeof(Data) = 'text' "
            "AND Data IS date(Data, '+0 days') AND Data >= '0001') AND ID_TECNICO = ?3 "
            "ORDER BY Data, Ora, rowid",
            {"2025-03-01", "2025-03-31", technicianId}, runs);
        std::printf("movement screen over %d movements, %d runs (medians)\n",
                    data.Tabmov.recordCount(), runs);
        std::printf("  open (today's filter, %d rows): screen %.1f ms, raw SQLite %.1f ms, "
                    "ratio %.1fx\n",
                    openRows, median(opening), rawOpen,
                    rawOpen > 0 ? median(opening) / rawOpen : 0.0);
        std::printf("  Filtra one technician, one month (%d rows, raw %d): screen %.1f ms, raw "
                    "SQLite %.1f ms, ratio %.1fx (goal < 100 ms)\n",
                    filtered, filterRows, median(filtering), rawFilter,
                    rawFilter > 0 ? median(filtering) / rawFilter : 0.0);
        std::printf("  the same filter on dm.Tabmov without the screen: %.1f ms (ratio %.1fx)\n",
                    median(storeOnly), rawFilter > 0 ? median(storeOnly) / rawFilter : 0.0);
        std::printf("  raw SQLite with the store's type checks on the dates: %.1f ms (%d rows)\n",
                    rawGuarded, guardedRows);
        std::printf("  grid page down: median %.1f ms, max %.1f ms\n", median(paging),
                    *std::max_element(paging.begin(), paging.end()));
        data.dmDestroy();
        return filtered == filterRows ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "movements_bench: %s\n", e.what());
        return 1;
    }
}
