#pragma once

#include <QString>
#include <functional>

class Tdm;

namespace app {

/// What the whole program shares while it runs: where the data live, the working year, the
/// main window's open-mode flags and the movement screen's last filter text.
struct ProgramState {
    QString dataRoot;    ///< ends with the native separator
    QString workingYear; ///< four digits; empty until a year is accepted
    // Open-mode flags: the opener sets one, opens the screen and clears it afterwards.
    bool interventionsMode = false;
    bool repairsMode = false;
    bool salesMode = false;
    bool contractVisitMode = false;
    bool editFromContractMode = false;
    QString lastFilter;

    /// data root + working year: the folder every shared table works on.
    QString yearFolder() const { return dataRoot + workingYear; }
    void clearModes();
};

/// The running program's state.
ProgramState& program();

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
YearOutcome acceptYear(Tdm& data, ProgramState& state, const QString& yearText,
                       const YearPrompts& prompts);

/// Copies the template `vuoto` into data root + year, reporting each copy error.
void createYear(const QString& dataRoot, const QString& yearText, const YearPrompts& prompts);

/// The years the year screen offers, and the one it proposes for a given today.
int firstSelectableYear();
int lastSelectableYear(int currentYear);
int proposedYear(int currentYear);

} // namespace app
