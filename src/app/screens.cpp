#include "app/screens.h"

#include "app/backup.h"
#include "app/inifile.h"
#include "app/mainw.h"
#include "app/splashw.h"
#include "articles/articoliw.h"
#include "contracts/elenco_contrattiw.h"
#include "contracts/segnaevasaw.h"
#include "documents/elenco_docw.h"
#include "documents/tipodocw.h"
#include "documents/wordingw.h"
#include "einvoice/einvoice_command.h"
#include "interchange/exportw.h"
#include "interchange/importverifw.h"
#include "interchange/importw.h"
#include "movements/movw.h"
#include "registry/comuniw.h"
#include "registry/eserciziow.h"
#include "registry/fornitoriw.h"
#include "registry/misuratoriw.h"
#include "registry/soggettow.h"
#include "registry/tecnicow.h"
#include "registry/tipicontrattiw.h"
#include "registry/tipomovw.h"
#include "store/program.h"
#include "ui/dialogs.h"
#include "ui/modal.h"
#include "utilities/impostazioniw.h"
#include "utilities/primi_passiw.h"
#include "utilities/svuota_archiviw.h"

#include <QDateTime>

namespace app {

void wireScreens(TMainForm& mainForm, Tdm& data) {
    // The register, movement, contract and document screens attach here as they are built.
    const std::pair<MainCommand, int (*)(Tdm&)> registers[] = {
        {MainCommand::MeterModels, registry::openMeterModels},
        {MainCommand::Municipalities, registry::openMunicipalities},
        {MainCommand::Suppliers, registry::openSuppliers},
        {MainCommand::MovementTypes, registry::openMovementTypes},
        {MainCommand::ContractTypes, registry::openContractTypes},
        {MainCommand::ObligedSubject, registry::openObligedSubject},
        {MainCommand::Technicians, registry::openTechnicians},
        {MainCommand::Documents, documents::openDocuments},
        {MainCommand::DocumentSettings, documents::openDefaultType},
        {MainCommand::DocumentTypes, documents::openDocumentTypes},
        {MainCommand::ExportToVerification, interchange::openExportToVerification},
        {MainCommand::ImportFromVerification, interchange::openImportFromVerification},
        {MainCommand::Articles, articles::openArticles},
    };
    for (const auto& [command, open] : registers)
        mainForm.setOpener(command, [&data, open = open] { open(data); });
    mainForm.setOpener(MainCommand::Customers, [&data] { registry::openCustomers(data); });
    mainForm.setOpener(MainCommand::AgencyFile, [&data] { interchange::openAgencyFile(data); });
    using movements::MovementsMode;
    for (const auto& [command, mode] :
         {std::pair{MainCommand::Movements, MovementsMode::General},
          std::pair{MainCommand::Sales, MovementsMode::Sales},
          std::pair{MainCommand::Repairs, MovementsMode::Repairs},
          std::pair{MainCommand::Interventions, MovementsMode::Interventions}})
        mainForm.setOpener(command, [&data, mode = mode] { movements::openMovements(data, mode); });
    mainForm.setOpener(MainCommand::Contracts, [&data] { contracts::openContracts(data); });
    // The contract screens reach the movement, wording and article screens through these hooks,
    // so that their library links none of them.
    contracts::setVisitScheduler(
        [](Tdm& d) { movements::openMovements(d, movements::MovementsMode::ContractVisit); });
    contracts::setWordingPicker([](Tdm& d, int line) { documents::pickWording(d, line); });
    contracts::setArticlesScreen([](Tdm& d) { articles::openArticles(d); });
    contracts::installSampleContractPrint(data);

    mainForm.setOpener(MainCommand::Backup, [&data] {
        app::runBackup(data, store::program(), QDateTime::currentDateTime(),
                       [](const QString& text) { ui::dialogs().message(text); });
    });
    mainForm.setOpener(MainCommand::EmptyArchives, [&data] {
        utilities::openEmptyArchives(data, [] { ui::showScreen<TAboutBox>(); });
    });
    mainForm.setOpener(MainCommand::DefaultSettings,
                       [&data] { utilities::openDefaultSettings(data); });
    mainForm.setOpener(MainCommand::FirstSteps, [] { utilities::openFirstSteps(); });

    // The folder of the electronic invoices, remembered in the INI.
    const QString ini = mainForm.iniPath();
    const QString section = QStringLiteral("FatturaElettronica");
    const QString key = QStringLiteral("Cartella");
    auto recall = [=] {
        return readIniString(ini, section, key, QString());
    };
    auto remember = [=](const QString& folder) {
        writeIniString(ini, section, key, folder);
    };
    einvoice::setFolderMemory({recall, remember});
}

} // namespace app
