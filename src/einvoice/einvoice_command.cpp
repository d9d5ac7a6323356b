#include "einvoice/einvoice_command.h"

#include "einvoice/fatturapa.h"
#include "store/dm.h"
#include "store/program.h"
#include "ui/dialogs.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <utility>

namespace einvoice {

namespace {

QString& sessionFolder() {
    static QString folder;
    return folder;
}

FolderMemory& memory() {
    static FolderMemory installed{[] { return sessionFolder(); },
                                  [](const QString& folder) {
                                      sessionFolder() = folder;
                                  }};
    return installed;
}

FolderPicker& picker() {
    static FolderPicker installed = [](QWidget* parent, const QString& proposed) {
        return QFileDialog::getExistingDirectory(
            parent, QStringLiteral("Cartella delle fatture elettroniche"), proposed);
    };
    return installed;
}

/// The working year, which keeps the progressives of its folder apart from other years'.
int invoiceYear() {
    const int year = store::program().workingYear.toInt();
    return year > 0 ? year : QDate::currentDate().year();
}

} // namespace

void setFolderMemory(FolderMemory installed) {
    memory() = std::move(installed);
}

FolderPickerScope::FolderPickerScope(FolderPicker installed)
    : previous_(std::exchange(picker(), std::move(installed))) {
}

FolderPickerScope::~FolderPickerScope() {
    picker() = std::move(previous_);
}

bool writeElectronicInvoice(Tdm& data, int documentId, QWidget* parent) {
    try {
        // Checked before the folder is asked for: a refused invoice needs no folder.
        if (const Invoice check = makeInvoice(data, documentId, progressiveText(invoiceYear(), 0));
            !check.refusal.isEmpty()) {
            ui::dialogs().warning(check.refusal);
            return false;
        }
        QString proposed = memory().recall ? memory().recall() : QString();
        if (proposed.isEmpty() || !QDir(proposed).exists())
            proposed = QDir::homePath();
        const QString folder = picker()(parent, proposed);
        if (folder.isEmpty())
            return false;
        const Written written = writeInvoice(data, documentId, folder, invoiceYear());
        if (!written.refusal.isEmpty()) {
            ui::dialogs().warning(written.refusal);
            return false;
        }
        if (memory().remember)
            memory().remember(folder);
        ui::dialogs().information(QStringLiteral("Fattura elettronica scritta nel file:\n%1")
                                      .arg(QDir::toNativeSeparators(written.path)));
        return true;
    } catch (const std::exception& failure) {
        ui::showFailure(failure);
        return false;
    }
}

} // namespace einvoice
