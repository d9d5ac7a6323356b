#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class Tdm;

/// The archive utilities that need no window: which tables "svuota archivi" empties.
namespace utilities {

/// One check box of the emptying screen and the tables it empties, in order.
struct Archive {
    QString caption;
    QStringList tables;
};

/// The seven archives in the order they are emptied; no other table can be emptied this way.
const std::vector<Archive>& archives();

enum class EmptyOutcome {
    Declined, ///< the user answered No: nothing deleted
    Emptied,  ///< every chosen archive emptied, the shared tables reopened on them
};

/// "OK" of the emptying screen: opens the shared tables that are closed, asks
/// "SEI PROPRIO SICURO? NO PER ANNULLARE." through `confirm`, empties the tables of every chosen
/// archive (`chosen[i]` for archives()[i]) in order, then closes and reopens the shared tables.
/// A deletion the store refuses throws its store::Error: the tables emptied before it stay
/// empty and the shared tables are not reopened.
EmptyOutcome emptyArchives(Tdm& data, const QString& yearFolder, const std::vector<bool>& chosen,
                           const std::function<bool(const QString&)>& confirm);

/// Closes and reopens the shared tables, as "Annulla" of the emptying screen does.
void reopenSharedTables(Tdm& data, const QString& yearFolder);

} // namespace utilities
