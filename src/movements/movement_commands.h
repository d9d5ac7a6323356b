#pragma once

#include <QString>
#include <QVariant>
#include <optional>

class Tdm;

/// What the movement screen's commands write: new movements, the delete of a movement with
/// everything hanging on it, the machines that go back to the warehouse. No widgets, no
/// messages: the screen shows them.
namespace movements {

/// Appends a movement to `dm.Tabmov` dated now, its machine not from the warehouse, of kind
/// `kind` when given (the record rules give it its identifier and defaults).
void newMovement(Tdm& dm, std::optional<int> kind = std::nullopt);

/// Appends the intervention of a contract visit: for the customer of `dm`'s current contract
/// and the machine of its current contract line. Throws store::Error when the type
/// "INTERVENTO" is missing or the store refuses.
void newContractVisit(Tdm& dm);

/// Deletes the current movement of `dm.Tabmov` with everything hanging on it, in this order:
/// its verification records, its article lines (the warehouse quantities stay as they are),
/// its machine back to the warehouse when it came from there (no customer, in stock, address
/// kept; skipped when the serial number is not among the articles), the movement. All of it or
/// nothing: a store failure leaves every table as it was and is passed on.
void deleteMovement(Tdm& dm);

/// Whether cancelling the entry of the current movement must give its machine back to the
/// warehouse: a machine taken from there by this entry, that is on a new movement, or on a
/// change that picked a machine the stored movement did not already have from there.
bool machineTakenByThisEntry(Tdm& dm);

} // namespace movements
