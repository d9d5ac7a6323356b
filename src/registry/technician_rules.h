#pragma once

#include "store/rules.h"

#include <QString>
#include <functional>
#include <optional>

class Tdm;

namespace registry {

class Tcodfis;

/// The technicians' record rules on `dm.Tabtecnico`, for every writer: `Id_tecnico` on insert;
/// a change of surname, name, sex, municipality or date of birth or numeric seal identifier
/// refreshes `Cogn_nome`, `Cogn_no_sigillo`, `Prov_nascita` (when the municipality is known) and
/// `Cf` (computed with `codfis`, errors swallowed); a change of `Cf` while `codfis` is not valid
/// sends the user back to `Cf`, with the warning "Errore codice Fiscale" unless it was emptied.
void attachTechnicianRules(Tdm& dm, Tcodfis& codfis, store::rules::WarningSink warn);

/// True when the pending technician has every value the save needs: the personal data always
/// (the fiscal code with its sixteen characters, never a result code),
/// and for a technician enabled for verifications also the seal (both identifiers), the
/// responsible flag, the qualification and the start date of the collaboration.
bool technicianComplete(Tdm& dm);

/// The refusal of deleting that technician: verifications are looked at before movements.
std::optional<QString> technicianDeleteRefusal(const Tdm& dm, int technicianId);

} // namespace registry
