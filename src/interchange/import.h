#pragma once

#include <QDate>
#include <QString>
#include <functional>

class Tdm;

namespace interchange {

struct VerificationTables;

/// What the import says when it is done.
QString importDoneMessage();

/// The end of a yearly contract that starts on `start`: the same day a year later, 28 February
/// for one starting on 29 February; invalid for an invalid start.
QDate contractEnd(const QDate& start);

/// Replaces this system's registers with the verification program's (open in `source`):
/// technicians, models, obliged subjects with their authorisations, customers and
/// municipalities, in this order, keeping their identifiers. The data module's objects are
/// written, so their record rules run as for typed values (the customers' VAT check and
/// municipality look-up warn through the rules' sink; a technician's fiscal code follows the
/// personal data, and keeps the source's when the computation gives no code of sixteen
/// characters). Then every contract, contract line and article goes, and each source
/// verification becomes a contract "12 MESI" from its end date, a contract line and a
/// machine-park article at the verification's address. `tell` hears "TIPO CONTRATTO NON
/// TROVATO" once per verification when no contract type "VERIFICA PERIODICA" exists.
///
/// All or nothing: a failure throws store::Error and leaves every table as it was.
void importFromVerification(Tdm& data, VerificationTables& source,
                            const std::function<void(const QString&)>& tell);

} // namespace interchange
