#include "registry/registry_rules.h"

#include "registry/customer_rules.h"
#include "registry/obliged_subject_rules.h"
#include "registry/registers_rules.h"
#include "registry/technician_rules.h"

namespace registry {

void attachRegistryRules(Tdm& dm, Tcodfis& codfis, const store::rules::WarningSink& warn) {
    attachMeterModelRules(dm);
    attachMunicipalityRules(dm);
    attachSupplierRules(dm, warn);
    attachMovementTypeRules(dm);
    attachContractTypeRules(dm);
    attachCustomerRules(dm, warn);
    attachObligedSubjectRules(dm, warn);
    attachTechnicianRules(dm, codfis, warn);
}

} // namespace registry
