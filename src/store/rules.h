#pragma once

#include "store/table.h"

#include <QString>
#include <functional>
#include <utility>

/// Record rules shared by nearly every table: identifiers, VAT numbers, municipalities.
namespace store::rules {

/// A warning of a record rule. One that names a table object and one of its fields is about
/// what the user typed there: the screen that shows it then gives the focus back to the box
/// bound to that field (ui::warnAbout); one with an empty text only does that. This is how
/// every rule sends the user back to a box: no rule knows a screen.
struct Warning {
    Warning(QString text, const Table* table = nullptr, QString field = {})
        : text(std::move(text))
        , table(table)
        , field(std::move(field)) {}
    QString text;
    const Table* table; ///< the object whose field the warning is about; nullptr: none
    QString field;
};

/// Shows a rule's warning to the user (ui::warningSink in the program, a recorder in tests).
using WarningSink = std::function<void(const Warning&)>;

/// The identifier for a new record: the highest posted identifier + 1, or 1 when the table is
/// empty or its last record's identifier is blank or below zero. Works on a fresh cursor of
/// the same file: the caller's cursor, order and filter are neither used nor disturbed.
int nextIdentifier(const Table& table, const QString& identifierField,
                   const QString& filter = QString());

/// True when the text is an Italian VAT number ("Partita IVA") with a correct check digit.
bool checkVat(const QString& text);

/// Removes every record of the table's file. The caller's own objects see it at their next move.
void emptyTable(const Table& table);

/// Fills the identifier field with the next identifier when it is empty.
void fillIdentifier(Table& table, const QString& identifierField);
/// Identifier on insert: fillIdentifier after every Append.
void attachIdentifierAfterInsert(Table& table, const QString& identifierField);
/// The same, just before the record is posted.
void attachIdentifierBeforePost(Table& table, const QString& identifierField);

/// VAT number on change: warns "Errore P. Iva" about the field when a value stored in it fails
/// the check. The value stays: the warning never blocks.
void attachVatCheck(Table& table, const QString& vatField, WarningSink warn);

/// Municipality look-up on change: a value stored in `municipalityField` is sought in
/// `comuni` (exact, case-sensitive); found, province and postcode are copied from it; not
/// found, both are cleared and "Errore Sul Comune inserito" is shown.
void attachMunicipalityLookup(Table& table, const QString& municipalityField, Table& comuni,
                              const QString& provinceField, const QString& postcodeField,
                              WarningSink warn);

/// Municipalities are written through to disk after every post.
void attachFlushAfterPost(Table& table);

} // namespace store::rules
