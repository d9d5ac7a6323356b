#include "wiring/record_rules.h"

#include "movements/movement_rules.h"
#include "movements/verification_rules.h"
#include "documents/document_rules.h"
#include "articles/article_rules.h"
#include "contracts/contract_rules.h"
#include "registry/registry_rules.h"

RecordRules::RecordRules(Tdm& dm, store::rules::WarningSink warn) {
    registry::attachRegistryRules(dm, codfis1, warn);
    movements::attachMovementRules(dm);
    movements::attachVerificationRules(dm, warn);
    documents::attachDocumentRules(dm);
    articles::attachArticleRules(dm);
    contracts::attachContractRules(dm, warn);
}
