#pragma once

#include "store/rules.h"

class Tdm;

namespace registry {

class Tcodfis;

/// Every record rule of the registers on the data module's objects: customers, suppliers,
/// technicians (computing fiscal codes with `codfis`), the obliged subject, meter models,
/// municipalities, movement and contract types. Attach once per data module.
void attachRegistryRules(Tdm& dm, Tcodfis& codfis, const store::rules::WarningSink& warn);

} // namespace registry
