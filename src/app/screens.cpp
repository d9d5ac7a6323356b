#include "app/screens.h"

#include "app/mainw.h"
#include "registry/codfis.h"
#include "registry/comuniw.h"
#include "registry/customer_rules.h"
#include "registry/eserciziow.h"
#include "registry/fornitoriw.h"
#include "registry/misuratoriw.h"
#include "registry/obliged_subject_rules.h"
#include "registry/registers_rules.h"
#include "registry/soggettow.h"
#include "registry/technician_rules.h"
#include "registry/tecnicow.h"
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
void wireCustomers(TMainForm& mainForm, Tdm& data) {
    registry::attachCustomerRules(data, ui::warningSink(), registry::focusCustomerVatBox);
    mainForm.setOpener(MainCommand::Customers, [&data] { registry::openCustomers(data); });
}

/// The obliged subject and the technicians: record rules on dm's objects and their screens.
void wireSubjectAndTechnicians(TMainForm& mainForm, Tdm& data) {
    // The fiscal-code component shared by every writer of the technicians.
    static registry::Tcodfis codfis1;
    registry::attachObligedSubjectRules(data, ui::warningSink(),
                                        registry::focusObligedSubjectVatBox,
                                        registry::applyObligedSubjectPersonKind);
    registry::attachTechnicianRules(data, codfis1, ui::warningSink(),
                                    registry::focusTechnicianFiscalCodeBox);
    mainForm.setOpener(MainCommand::ObligedSubject,
                       [&data] { registry::openObligedSubject(data); });
    mainForm.setOpener(MainCommand::Technicians, [&data] { registry::openTechnicians(data); });
}

} // namespace

void wireScreens(TMainForm& mainForm, Tdm& data) {
    // The register, movement, contract and document screens attach here as they are built.
    wireSimpleRegisters(mainForm, data);
    wireCustomers(mainForm, data);
    wireSubjectAndTechnicians(mainForm, data);
}

} // namespace app
