#include "app/session.h"

#include "app/filecopynew.h"
#include "store/dm.h"
#include "store/engine.h"
#include "store/error.h"

#include <QDir>

namespace app {

void createYear(const QString& dataRoot, const QString& yearText, const YearPrompts& prompts) {
    TFileCopyNew FileCopyNew1;
    FileCopyNew1.SourceFile =
        dataRoot + QStringLiteral("vuoto") + QDir::separator() + QStringLiteral("*.*");
    FileCopyNew1.TargetFile = dataRoot + yearText + QDir::separator();
    FileCopyNew1.IncludeSubFolders = false;
    FileCopyNew1.ShowProgressOnMemo = false;
    FileCopyNew1.OnOverriding = [](TFileCopyNew&, bool& canOverride) {
        canOverride = true;
    };
    FileCopyNew1.OnError = [&prompts](TFileCopyNew&, const QString& error) {
        prompts.message(QStringLiteral("Errore contattare la Kesa.") + error);
    };
    try {
        FileCopyNew1.CopyFiles();
        prompts.message(QStringLiteral("Creazione anno eseguita correttamente"));
    } catch (const std::exception&) {
        prompts.message(QStringLiteral("Creazione NON eseguita.ATTENZIONE!! "));
    }
}

YearOutcome acceptYear(Tdm& data, store::ProgramState& state, const QString& yearText,
                       const YearPrompts& prompts) {
    data.dmDestroy();
    const QString candidate = state.dataRoot + yearText;
    if (!QDir(candidate).exists()) {
        if (!prompts.question(
                QStringLiteral("Anno non trovato. E\"  consigliabile creare un anno appena si è "
                               "terminato tutto il caricamento dell\"anno precedente. Crearlo "
                               "adesso?")))
            return YearOutcome::Declined;
        createYear(state.dataRoot, yearText, prompts);
    }
    try {
        data.Tab_mis.setDatabaseName(candidate);
        data.Tab_mis.open();
    } catch (const store::Error&) {
        prompts.message(QStringLiteral("Anno non trovato contattare l'assistenza"));
        return YearOutcome::Unusable;
    }
    data.Tab_mis.close();
    // Read-only media: said once now rather than at the first post.
    if (const QString problem = store::folderWriteProblem(candidate); !problem.isEmpty())
        prompts.message(problem);
    state.workingYear = yearText;
    // A damaged table is named now: the screens that need it would only say it is not open.
    if (!data.dmCreate(candidate))
        prompts.message(data.openFailure());
    return YearOutcome::Accepted;
}

int firstSelectableYear() {
    return 2004;
}

// The year box reaches next year, so that a workshop can open the coming year in December.
int lastSelectableYear(int currentYear) {
    return std::max(currentYear + 1, 2005);
}

int proposedYear(int currentYear) {
    if (currentYear < firstSelectableYear() || currentYear > lastSelectableYear(currentYear))
        return 2005;
    return currentYear;
}

} // namespace app
