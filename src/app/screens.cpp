#include "app/screens.h"

#include "app/mainw.h"
#include "articles/articoliw.h"
#include "registry/comuniw.h"
#include "registry/eserciziow.h"
#include "registry/fornitoriw.h"
#include "registry/misuratoriw.h"
#include "registry/soggettow.h"
#include "registry/tecnicow.h"
#include "registry/tipicontrattiw.h"
#include "registry/tipomovw.h"

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
        {MainCommand::Articles, articles::openArticles},
    };
    for (const auto& [command, open] : registers)
        mainForm.setOpener(command, [&data, open = open] { open(data); });
    mainForm.setOpener(MainCommand::Customers, [&data] { registry::openCustomers(data); });
}

} // namespace app
