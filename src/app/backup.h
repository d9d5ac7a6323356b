#pragma once

#include "store/program.h"

#include <QDateTime>
#include <QString>
#include <functional>

class Tdm;

namespace app {

/// The backup's name for the moment it starts: month, day, hour and minute in decimal without
/// leading zeros, hour and minute run together ("2_3_145" for 3 February at 14:05).
QString backupName(const QDateTime& moment);

/// The folder a backup started at `moment` writes into: data root + "backup" + the name. When
/// that folder exists already (two backups with the same name: 1:45 and 14:05 of one day, or
/// two in one minute) it gets "_2", "_3", ...: a backup never overwrites an earlier one.
QString backupFolder(const QString& dataRoot, const QDateTime& moment);

/// "copia di salvataggio...": closes the shared tables, copies the files of data root + "dati"
/// and of the year folder into the backup folder's `dati` and year subfolders, says how it
/// went and opens the shared tables again, in every case. Each copy error is shown as it
/// occurs; then the success message only when nothing failed.
void runBackup(Tdm& data, const store::ProgramState& state, const QDateTime& moment,
               const std::function<void(const QString&)>& message);

} // namespace app
