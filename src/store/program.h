#pragma once

#include <QString>

namespace store {

/// What the whole program shares while it runs, below every screen: where the data live, the
/// working year and the movement lists' last filter text. Screens take their open mode as an
/// argument of their open function; nothing else passes between them through here.
struct ProgramState {
    QString dataRoot;    ///< ends with the native separator
    QString workingYear; ///< four digits; empty until a year is accepted
    /// The filter last composed by a movement list, quoted by the messages of a refused filter.
    QString lastFilter;

    /// data root + working year: the folder every shared table works on.
    QString yearFolder() const { return dataRoot + workingYear; }
};

/// The running program's state.
ProgramState& program();

} // namespace store
