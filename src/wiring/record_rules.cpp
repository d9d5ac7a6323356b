#include "wiring/record_rules.h"

#include "contracts/contract_rules.h"
#include "registry/registry_rules.h"

RecordRules::RecordRules(Tdm& dm, store::rules::WarningSink warn) {
    registry::attachRegistryRules(dm, codfis1, warn);
    contracts::attachContractRules(dm, warn);
}
