#pragma once

#include "store/program.h"

#include <QString>
#include <functional>

class Tdm;

namespace app {

/// How the year choice talks to the user; the year screen plugs in its dialogs.
struct YearPrompts {
    std::function<bool(const QString&)> question; ///< Yes/No
    std::function<void(const QString&)> message;
};

enum class YearOutcome {
    Accepted, ///< the year folder opened: working year set, shared tables open
    Declined, ///< the folder is missing and the user did not want it created
    Unusable, ///< the folder is missing or lacks its tables even after creation
};

/// Accepts a year typed in the year screen: closes the shared tables, offers to create a
/// missing year folder from the template, probes the folder and opens every shared table on it.
YearOutcome acceptYear(Tdm& data, store::ProgramState& state, const QString& yearText,
                       const YearPrompts& prompts);

/// Copies the template `vuoto` into data root + year, reporting each copy error.
void createYear(const QString& dataRoot, const QString& yearText, const YearPrompts& prompts);

/// The years the year screen offers, and the one it proposes for a given today.
int firstSelectableYear();
int lastSelectableYear(int currentYear);
int proposedYear(int currentYear);

} // namespace app
