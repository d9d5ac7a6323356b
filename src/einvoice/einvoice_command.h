#pragma once

#include <QString>
#include <functional>

class QWidget;
class Tdm;

namespace einvoice {

/// Where the folder of the electronic invoices is remembered between runs: the program keeps
/// it in its INI and installs this once at start-up; until then it lasts for the run only.
struct FolderMemory {
    std::function<QString()> recall;
    std::function<void(const QString&)> remember;
};
void setFolderMemory(FolderMemory memory);

/// How the folder is asked for: a folder box in the program. Answers the chosen folder, empty
/// when the user gave up.
using FolderPicker = std::function<QString(QWidget* parent, const QString& proposed)>;

/// Installs another way of asking for the folder for its lifetime (tests script it).
class FolderPickerScope {
public:
    explicit FolderPickerScope(FolderPicker picker);
    ~FolderPickerScope();
    FolderPickerScope(const FolderPickerScope&) = delete;
    FolderPickerScope& operator=(const FolderPickerScope&) = delete;

private:
    FolderPicker previous_;
};

/// The command "Fattura elettronica (XML)...": checks document `documentId` (a refusal is
/// shown as a warning and nothing more happens), asks for the folder proposing the remembered
/// one, writes the invoice there, remembers the folder and says where the file was written.
/// True when a file was written.
bool writeElectronicInvoice(Tdm& data, int documentId, QWidget* parent = nullptr);

} // namespace einvoice
