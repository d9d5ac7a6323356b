#include "registry/registers_rules.h"

#include "store/dm.h"
#include "store/references.h"
#include "store/texts.h"

namespace registry {

using namespace store::rules;

void attachMeterModelRules(Tdm& dm) {
    attachIdentifierAfterInsert(dm.Tabms, QStringLiteral("Id_ms"));
}

void attachMunicipalityRules(Tdm& dm) {
    attachFlushAfterPost(dm.Tabcomuni);
}

void attachSupplierRules(Tdm& dm, WarningSink warn) {
    attachIdentifierAfterInsert(dm.TabFornitori, QStringLiteral("Id_fornitore"));
    attachVatCheck(dm.TabFornitori, QStringLiteral("Piva"), warn);
    attachMunicipalityLookup(dm.TabFornitori, QStringLiteral("Comune"), dm.Tabcomuni,
                             QStringLiteral("Provincia"), QStringLiteral("Cap"), warn);
}

void attachMovementTypeRules(Tdm& dm) {
    attachIdentifierBeforePost(dm.Tabtipomov, QStringLiteral("Id"));
}

void attachContractTypeRules(Tdm& dm) {
    attachIdentifierAfterInsert(dm.tab_tipicontratti, QStringLiteral("Id"));
}

QString meterModelRefusal(const QString& brand, const QString& name, const QString& logotype) {
    if (brand.isEmpty() || name.isEmpty() || logotype.isEmpty())
        return store::texts::missingValues();
    return {};
}

QString contractTypeRefusal(const QString& name) {
    if (name.isEmpty())
        return QStringLiteral("Inserire correttamente il nome del contratto. (Es. Assistenza)");
    return {};
}

bool contractTypeInUse(store::Table& contracts, int contractTypeId) {
    // The shared object is searched unfiltered and stays on the contract found, so that the
    // sample print and the next look at the contracts start from it.
    contracts.setFiltered(false);
    return contracts.locate(QStringLiteral("ID_CONTRATTO"), contractTypeId);
}

} // namespace registry
