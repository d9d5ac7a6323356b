#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>

class Tdm;

/// The record rules of the shared movement object and the small decisions the movement screens
/// take on it. No widgets.
namespace movements {

/// The kinds of movement the program itself works with, found by exact description.
inline const QString kindIntervention = QStringLiteral("INTERVENTO");
inline const QString kindRepair = QStringLiteral("RIPARAZIONE");
inline const QString kindSale = QStringLiteral("VENDITA");

/// The rules of `dm.Tabmov`, for every writer: identifier and defaults after insert, the three
/// flags before post, the model and technician display fields on every read, and, on a change of
/// technician, the seal of the authorisation the technician works under (its first eight
/// characters) until the next read shows the technician's own seal again.
void attachMovementRules(Tdm& dm);

/// The state a list shows by colour: red while not done, green once done, blue when done, to be
/// invoiced and invoiced.
enum class RowColour { Red, Green, Blue };
RowColour rowColour(bool done, bool toInvoice, bool invoiced);

/// The `Id` of the movement type with exactly that description; nothing when there is none.
std::optional<int> kindId(Tdm& dm, const QString& description);

/// True when some stored verification record belongs to movement `movementId`.
bool hasVerifications(const Tdm& dm, const QVariant& movementId);

/// True when the current movement's technician has a relation end before `appointment`. A
/// movement without a technician, or with one no longer in the register, is never expired.
bool technicianExpired(Tdm& dm, const QDate& appointment);

} // namespace movements
