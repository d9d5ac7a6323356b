#pragma once

#include <QString>
#include <QStringList>

namespace store {

/// The year tables added after the first year folders were made. Any other missing table
/// means a damaged folder and is never made anew.
const QStringList& addedLater();

/// Brings a year folder made by an older copy of the program up to the catalogue: creates
/// each table of addedLater() that the folder lacks, empty, and touches nothing else. Answers the
/// tables it could not create (a read-only folder), joined by ", "; empty when the folder is
/// complete.
QString addMissingTables(const QString& yearFolder);

/// Gives each table of a year folder the indexes declared after it was made (the municipalities'
/// name, searched at every customer saved), where its file can be written now; the others go on
/// without them.
void addMissingIndexes(const QString& yearFolder);

} // namespace store
