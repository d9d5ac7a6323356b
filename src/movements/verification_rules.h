#pragma once

#include "registry/customer_rules.h"
#include "store/rules.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

class Tdm;

/// The verification records of a movement (what goes to the revenue agency), apart from the
/// page that edits them. Everything works on `dm.Tabmisurazioni`, whose current record is the
/// one being entered.
namespace movements {

/// Attaches the rules of `data.Tabmisurazioni`: after insert the next identifier and the link
/// of the movement being entered, the quarter on every change of `DATA_FINE`, the VAT-number
/// warning on `PIVA`, and the display fields `tipo_int` (text of the intervention code),
/// `marchio_ms`, `logotipo_ms` (of the model) and `sigillo_tecnico` (of the technician).
void attachVerificationRules(Tdm& data, store::rules::WarningSink warn);

/// "1".."4" for the quarter a date falls in; empty for a blank date.
QString quarterOf(const QDate& date);

/// The value lists of the intervention kind and of the outcome, as the choices show them.
const QStringList& interventionKinds();
const QStringList& outcomes();
/// The text of an intervention code ("1" → "Nuova Istallazione"); empty for an unknown code.
QString interventionKindText(const QString& code);

/// Why no verification can be added to the current movement of `data.Tabmov`: it has no
/// customer. Nothing when it may.
std::optional<QString> newVerificationRefusal(Tdm& data);

/// Why the current verification cannot be changed: there is none.
std::optional<QString> modifyVerificationRefusal(Tdm& data);

/// "Nuovo mov per AE": appends a record to `data.Tabmisurazioni` for the current movement and
/// fills it from the movement's customer record (address and VAT number, which runs the VAT
/// warning) and from the movement (machine, model, and the technician only when qualified
/// for verifications). The record stays in insert for the user to complete.
void appendVerification(Tdm& data);

/// The name of the customer the current verification is for; empty when unknown.
QString verificationCustomerName(Tdm& data);

/// The checks of "OK" on the current verification, in order; the first failure's message and
/// the field whose box should take the focus (empty: none).
registry::SaveVerdict checkVerificationSave(Tdm& data);

/// Leaving the municipality box: the verification's `COMUNE` is sought among the
/// municipalities (exact); found, province and postcode are copied, else both are emptied and
/// the answer is the message to show.
std::optional<QString> applyVerificationMunicipality(Tdm& data);

/// True when some stored verification belongs to the movement (its customer is then fixed).
bool movementHasVerifications(const Tdm& data, int movementId);

} // namespace movements
