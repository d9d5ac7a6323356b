#pragma once

#include <QString>

namespace interchange {

struct VerificationTables;

/// The questions "invia" asks, in order; the export runs only when both are answered Yes.
QString exportFirstQuestion();
QString exportSecondQuestion();

/// Replaces the content of the verification program's tables (open in `target`) with this
/// system's data of the year folder: its verifications of `quarter` (1-4), renumbered from 1
/// in end-date order with the download flag left blank, in place of every verification of that
/// year; all customers, technicians (the name rebuilt from surname and name), models and
/// municipalities; the first obliged subject with its own authorisations.
///
/// All or nothing: a failure throws store::Error and leaves every target table as it was.
/// Nothing in this system's tables changes.
void exportToVerification(const QString& yearFolder, VerificationTables& target, int quarter);

} // namespace interchange
