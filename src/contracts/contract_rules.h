#pragma once

#include "store/rules.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

class Tdm;

/// Maintenance contracts: the record rules of the shared contract objects and the decisions of
/// the contracts screen and of the closing screen, without widgets.
namespace contracts {

/// The durations a contract may have, in the order the drop-down offers them.
const QStringList& durations();
/// The payment states offered (any other text may be typed).
const QStringList& paymentStates();

/// The end of a contract that starts on `start` and lasts `duration`: the same day so many
/// months later, or the last day of the end month when that month is shorter. Invalid for a
/// blank start or a duration that is not one of durations().
QDate contractEnd(const QDate& start, const QString& duration);

/// The rules of `dm.Tabcontratti` and `dm.Tablcontratti` for every writer: a new contract and a
/// new line get the next identifier, a new contract the default VAT rate of the settings;
/// choosing a duration (or changing the start with a duration chosen) sets the end date, and
/// a duration chosen before the start is refused with a warning about the start date.
void attachContractRules(Tdm& dm, const store::rules::WarningSink& warn);

/// The first check a contract fails before it is saved: the messages to show, one after the
/// other, and the field to go back to. Nothing when the contract may be saved.
struct Refusal {
    QStringList messages;
    QString field;
};
std::optional<Refusal> saveRefusal(store::Table& contract, store::Table& lines);

/// "aggiungi riga": the current article of `articles` becomes the contract's line, posted at
/// once. Answers the refusal to show; empty when the line was added or there was no article.
QString addLine(store::Table& contract, store::Table& lines, store::Table& articles);

/// Removes every line shown by `lines` (the detail of one contract).
void deleteLines(store::Table& lines);
/// Deletes the current contract of `dm.Tabcontratti` with its lines, all or nothing.
void deleteContract(Tdm& dm);
/// Drops the pending contract; a new one takes its lines with it, so that they never attach to
/// the next contract, which receives the same identifier.
void abandonContract(Tdm& dm);

/// The article filter for a customer: only the machines it owns ("-100" for none chosen yet).
QString customerArticlesFilter(const QString& customerId);
inline const QString noCustomerYet = QStringLiteral("-100");

/// What the filter panel holds: the texts of its four boxes as shown (blank dates "//").
struct FilterPanel {
    QString type;
    QString from;
    QString to;
    QString customer;
};
/// The filter text of the panel, looking the type name up in `types` and the customer's name
/// in `customers` (exact). Empty when no part applies.
QString filterText(const FilterPanel& panel, store::Table& types, store::Table& customers);
/// "Filtra": an empty panel switches the filter of `contracts` off and answers false (the
/// counter stays as it was); else a non-empty text becomes its filter, an empty one leaves the
/// filter as it was, and the answer is true. A date that is neither blank nor a real date
/// throws store::Error naming it.
bool applyFilter(store::Table& contracts, const FilterPanel& panel, store::Table& types,
                 store::Table& customers);

/// The status line while the customer's telephones are sought.
QString statusDots();
/// "Mostra telefono": the telephones of the current contract's customer, or the dots when the
/// customer is not found.
QString customerPhones(Tdm& dm);

/// What the renewal tab of the closing screen says about the machine `serial`: the contract
/// line found in `lines` and the end of its contract in `contracts` (both read without filters
/// of their own in force). Empty serials are under no contract.
struct MachineContract {
    QString found;
    QString until;
};
MachineContract machineContract(store::Table& lines, store::Table& contracts,
                                const QString& serial);

/// What a movement list does with a change the closing screen left pending.
enum class PendingClosing { Keep, Discard };
/// Applied by the movement screen when the closing screen returns.
void settleClosing(store::Table& movements, PendingClosing what);

} // namespace contracts
