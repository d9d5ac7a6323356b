#pragma once

#include "sqlite_util.h"

#include "ui/dialogs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

/// What the benchmarks that drive real screens share.
namespace bench {

/// Boxes that would block the run are answered silently.
class SilentDialogs : public ui::Dialogs {
public:
    void message(const QString&, const QString&) override {}
    void information(const QString&, const QString&) override {}
    void warning(const QString&, const QString&) override {}
    void error(const QString&, const QString&) override {}
    bool question(const QString&, const QString&) override { return false; }
    ui::Answer questionWithCancel(const QString&, const QString&) override {
        return ui::Answer::Cancel;
    }
};

/// Raw SQLite beside a search as you type: `firstMatch` (one parameter, the prefix) run on the
/// year's file `fileName` for every prefix of every name; milliseconds per keystroke.
inline double rawMsPerKeystroke(const QString& folder, const QString& fileName,
                                const char* firstMatch, const std::vector<QString>& names) {
    const auto db = sql::open(QFile::encodeName(QDir(folder).filePath(fileName)).toStdString(),
                              SQLITE_OPEN_READONLY);
    const auto first = sql::prepare(db.get(), firstMatch);
    int keys = 0;
    QElapsedTimer timer;
    timer.start();
    for (const QString& name : names)
        for (qsizetype length = 1; length <= name.size(); ++length) {
            const std::string prefix = name.left(length).toStdString();
            sqlite3_reset(first.get());
            sql::bindText(first.get(), 1, prefix);
            sqlite3_step(first.get());
            ++keys;
        }
    return double(timer.nsecsElapsed()) / 1e6 / keys;
}

/// Milliseconds per keystroke of a screen, sorted for the percentiles.
struct KeystrokeTimes {
    explicit KeystrokeTimes(std::vector<double> ms)
        : sorted(std::move(ms)) {
        std::sort(sorted.begin(), sorted.end());
        double total = 0;
        for (double v : sorted)
            total += v;
        mean = total / double(sorted.size());
    }
    double median() const { return sorted[sorted.size() / 2]; }
    double percentile95() const { return sorted[sorted.size() * 95 / 100]; }
    double max() const { return sorted.back(); }

    std::vector<double> sorted;
    double mean = 0;
};

} // namespace bench
