#include "app/backup.h"

#include "app/filecopynew.h"
#include "store/dm.h"

#include <QDir>

namespace app {

namespace {

const QChar separator = QDir::separator();

/// Opens the shared tables again when the backup ends, whatever the way out.
struct Reopen {
    Tdm& data;
    QString yearFolder;
    ~Reopen() { data.dmCreate(yearFolder); }
};

} // namespace

QString backupName(const QDateTime& moment) {
    const QDate day = moment.date();
    const QTime time = moment.time();
    return QStringLiteral("%1_%2_%3%4")
        .arg(day.month())
        .arg(day.day())
        .arg(time.hour())
        .arg(time.minute());
}

QString backupFolder(const QString& dataRoot, const QDateTime& moment) {
    const QString base = dataRoot + QStringLiteral("backup") + separator + backupName(moment);
    QString folder = base;
    for (int n = 2; QFileInfo::exists(folder); ++n)
        folder = base + QStringLiteral("_%1").arg(n);
    return folder;
}

void runBackup(Tdm& data, const store::ProgramState& state, const QDateTime& moment,
               const std::function<void(const QString&)>& message) {
    const QString folder = backupFolder(state.dataRoot, moment);
    data.dmDestroy();
    const Reopen reopen{data, state.yearFolder()};

    bool failed = false;
    TFileCopyNew FileCopyNew1;
    FileCopyNew1.IncludeSubFolders = false;
    FileCopyNew1.ShowProgressOnMemo = false;
    FileCopyNew1.OnOverriding = [](TFileCopyNew&, bool& canOverride) {
        canOverride = true;
    };
    FileCopyNew1.OnError = [&](TFileCopyNew&, const QString& error) {
        failed = true;
        message(QStringLiteral("Errore contattare la Kesa.") + error);
    };
    const QString mask = QStringLiteral("*.*");
    try {
        // A missing dati folder matches nothing: the year folder is still saved.
        FileCopyNew1.SourceFile = state.dataRoot + QStringLiteral("dati") + separator + mask;
        FileCopyNew1.TargetFile = folder + separator + QStringLiteral("dati") + separator;
        FileCopyNew1.CopyFiles();
        FileCopyNew1.SourceFile = state.yearFolder() + separator + mask;
        FileCopyNew1.TargetFile = folder + separator + state.workingYear + separator;
        FileCopyNew1.CopyFiles();
        // A copy that reported an error is not a saved archive: say so rather than success.
        message(failed ? QStringLiteral("salvataggio NON eseguito.ATTENZIONE!! ")
                       : QStringLiteral("salvataggio eseguito correttamente nella cartella :") +
                             folder);
    } catch (const std::exception&) {
        message(QStringLiteral("salvataggio NON eseguito.ATTENZIONE!! "));
    }
}

} // namespace app
