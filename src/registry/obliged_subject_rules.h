#pragma once

#include "store/rules.h"

#include <QString>
#include <functional>
#include <optional>

class Tdm;

namespace registry {

/// The obliged subject's record rules on `dm.Tabsoggetto` and `dm.TabLsogg`, for every writer:
/// identifiers on insert (an authorisation always belongs to the current subject); the tax
/// municipality and the municipality of birth fill their provinces when found in `COMUNI`,
/// silently otherwise; the VAT number warns "Errore P. Iva".
void attachObligedSubjectRules(Tdm& dm, store::rules::WarningSink warn);

/// True when the pending subject can be posted: VAT number and the boxes of the chosen kind of
/// person ("0" legal person; natural person otherwise), the birth date included.
bool obligedSubjectComplete(Tdm& dm);
/// True when the pending authorisation has its type and its alphanumeric seal identifier.
bool authorisationComplete(Tdm& dm);
/// The refusal of deleting that authorisation while a technician is tied to it.
std::optional<QString> authorisationDeleteRefusal(const Tdm& dm, int authorisationId);

} // namespace registry
