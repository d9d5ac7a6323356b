#pragma once

#include "store/table.h"

#include <QString>
#include <functional>

/// Record rules shared by nearly every table: identifiers, VAT numbers, municipalities.
namespace store::rules {

/// Shows a message to the user (a warning box in the program, a recorder in tests).
using MessageSink = std::function<void(const QString&)>;

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

/// VAT number on change: warns "Errore P. Iva" when a value stored in the field fails the
/// check, then calls `focusVatBox` (when given). The value stays: the warning never blocks.
void attachVatCheck(Table& table, const QString& vatField, MessageSink warn,
                    std::function<void()> focusVatBox = {});

/// Municipality look-up on change: a value stored in `municipalityField` is sought in
/// `comuni` (exact, case-sensitive); found, province and postcode are copied from it; not
/// found, both are cleared and "Errore Sul Comune inserito" is shown.
void attachMunicipalityLookup(Table& table, const QString& municipalityField, Table& comuni,
                              const QString& provinceField, const QString& postcodeField,
                              MessageSink warn);

/// Municipalities are written through to disk after every post.
void attachFlushAfterPost(Table& table);

} // namespace store::rules
