#pragma once

#include "store/dm.h"
#include "store/rules.h"
#include "support/fixture.h"
#include "wiring/record_rules.h"

#include <QStringList>
#include <vector>

namespace testsupport {

/// A data module open on a throw-away working year, with every record rule attached as the
/// program attaches them (RecordRules). The rules' warnings are recorded, then passed on to
/// `passOn` when given (ui::warningSink() in screen tests).
struct WorkingYear {
    explicit WorkingYear(store::rules::WarningSink passOn = {})
        : passOn(std::move(passOn)) {
        opened = data.dmCreate(year.path());
    }
    WorkingYear(const WorkingYear&) = delete;
    WorkingYear& operator=(const WorkingYear&) = delete;

    /// The texts of the warnings so far, in order.
    QStringList warningTexts() const {
        QStringList texts;
        for (const store::rules::Warning& w : warnings)
            texts << w.text;
        return texts;
    }

    store::rules::WarningSink passOn;
    YearFolder year;
    std::vector<store::rules::Warning> warnings;
    Tdm data;
    RecordRules rules{data, [this](const store::rules::Warning& w) {
                          warnings.push_back(w);
                          if (passOn)
                              passOn(w);
                      }};
    bool opened = false; ///< every shared table opened on the year
};

} // namespace testsupport
