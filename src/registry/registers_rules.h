#pragma once

#include "store/rules.h"

#include <QString>
#include <functional>

class Tdm;

namespace store {
class Table;
}

/// Record rules and checks of the simple registers: meter models, municipalities, suppliers,
/// movement types and contract types.
namespace registry {

/// `ms.Id_ms` is allocated as soon as a model is started.
void attachMeterModelRules(Tdm& dm);
/// Every post on `COMUNI` is written through to disk at once.
void attachMunicipalityRules(Tdm& dm);
/// `fornitori.Id_fornitore` on insert; the VAT number warns "Errore P. Iva" without ever
/// blocking; a municipality fills province and postcode from `COMUNI` or clears them with
/// "Errore Sul Comune inserito".
void attachSupplierRules(Tdm& dm, store::rules::WarningSink warn);
/// `tipo_mov.Id` is allocated just before a movement type is posted.
void attachMovementTypeRules(Tdm& dm);
/// `tipi_contratti.Id` is allocated as soon as a contract type is started, when still empty.
void attachContractTypeRules(Tdm& dm);

/// The refusal of a meter model whose brand, name or logotype is empty; empty when complete.
QString meterModelRefusal(const QString& brand, const QString& name, const QString& logotype);
/// The refusal of a contract type without a name; empty when it has one.
QString contractTypeRefusal(const QString& name);
/// True when some stored contract (`ele_contratti`) has that contract type. Switches the
/// shared contracts object's filter off and leaves it on the contract found.
bool contractTypeInUse(store::Table& contracts, int contractTypeId);

} // namespace registry
