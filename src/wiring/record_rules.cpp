#include "wiring/record_rules.h"

#include "articles/article_rules.h"
#include "registry/registry_rules.h"

RecordRules::RecordRules(Tdm& dm, store::rules::WarningSink warn) {
    registry::attachRegistryRules(dm, codfis1, warn);
    articles::attachArticleRules(dm);
}
