#include "app/screens.h"

#include "app/mainw.h"
#include "registry/comuniw.h"
#include "registry/customer_rules.h"
#include "registry/eserciziow.h"
#include "registry/fornitoriw.h"
#include "registry/misuratoriw.h"
#include "registry/registers_rules.h"
#include "registry/tipicontrattiw.h"
#include "registry/tipomovw.h"
#include "store/dm.h"
#include "ui/dialogs.h"

namespace app {

namespace {

/// Meter models, municipalities, suppliers, movement and contract types.
void wireSimpleRegisters(TMainForm& mainForm, Tdm& data) {
    registry::attachMeterModelRules(data);
    registry::attachMunicipalityRules(data);
    registry::attachSupplierRules(data, ui::warningSink(), registry::focusSupplierVatBox);
    registry::attachMovementTypeRules(data);
    registry::attachContractTypeRules(data);
    mainForm.setOpener(MainCommand::MeterModels, [&data] { registry::openMeterModels(data); });
    mainForm.setOpener(MainCommand::Municipalities,
                       [&data] { registry::openMunicipalities(data); });
    mainForm.setOpener(MainCommand::Suppliers, [&data] { registry::openSuppliers(data); });
    mainForm.setOpener(MainCommand::MovementTypes, [&data] { registry::openMovementTypes(data); });
    mainForm.setOpener(MainCommand::ContractTypes, [&data] { registry::openContractTypes(data); });
}

/// Customers: their record rules on dm's objects and their screen.
void wireCustomers(TMainForm& mainForm, Tdm& data, ProgramState& state) {
    registry::attachCustomerRules(data, ui::warningSink(), registry::focusCustomerVatBox);
    mainForm.setOpener(MainCommand::Customers,
                       [&data, &state] { registry::openCustomers(data, state); });
}

} // namespace

void wireScreens(TMainForm& mainForm, Tdm& data, ProgramState& state) {
    // The register, movement, contract and document screens attach here as they are built.
    wireSimpleRegisters(mainForm, data);
    wireCustomers(mainForm, data, state);
}

} // namespace app
