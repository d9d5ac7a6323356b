#pragma once

#include <QString>
#include <memory>
#include <optional>

class Tdm;

namespace store {
class Query;
class Table;
} // namespace store

/// Spare parts booked on a movement and the machine a movement concerns: the rules that move
/// articles between the warehouse, the movement and the customers.
namespace articles {

/// Warehouse articles without serial number: what the articles page of a movement lists.
QString warehouseFilter();
/// Switches the filter of `articles` off, sets warehouseFilter() and switches it on.
void showWarehouse(store::Table& articles);

/// The quantity box read as a whole number; any other text counts as 1.
int quantityOf(const QString& text);

/// What "Aggiungi " and "Rimuovi" answer: the message to show, empty when done.
struct LineOutcome {
    QString message;
    bool done() const { return message.isEmpty(); }
};

/// "Aggiungi ": takes `n` of the current article of `warehouse` (its quantity may fall below
/// zero) and books it on the movement's `lines`, on the line of the same description (prices
/// refreshed) or on a new one. Both writes are stored together or not at all.
LineOutcome addToMovement(store::Table& warehouse, store::Table& lines, int n);
/// "Rimuovi": gives `n` of the current line back to the warehouse article of the same
/// description; a line whose quantity reaches exactly 0 is deleted.
LineOutcome removeFromMovement(store::Table& warehouse, store::Table& lines, int n);

/// The message of "Inserisci/Modifica" when the current movement names no customer; nothing
/// when the articles page may show.
std::optional<QString> articlesPageRefusal(store::Table& movements);

/// Which list the machine picker offers.
enum class PickFor { CustomerMachines, WarehouseMachines };
/// The list for a movement of this type text: the customer's own machines for "INTERVENTO"
/// and "RIPARAZIONE", the warehouse for "VENDITA" and any other type.
PickFor pickForType(const QString& movementType);

/// The picker's two lists over the year folder's articles: the machines of one customer
/// (read-only, with the model's name `ms`) and the warehouse machines with serial number (live,
/// with the model's `marchio_ms` and `denom_ms`).
struct MachineLists {
    MachineLists(Tdm& data, int customerId);
    ~MachineLists();
    MachineLists(const MachineLists&) = delete;
    MachineLists& operator=(const MachineLists&) = delete;

    std::unique_ptr<store::Query> Query1;
    std::unique_ptr<store::Query> Qart;
};

/// What "OK" on a page of the picker did.
enum class PickOutcome { Chosen, NothingChosen, CustomerMissing };

/// The customer's machine the cursor of `customerMachines` stands on becomes the machine of the
/// pending movement of `dm.Tabmov`; a machine the movement had taken from the warehouse goes
/// back there.
PickOutcome chooseCustomerMachine(Tdm& data, store::Table& customerMachines);
/// The warehouse machine `warehouseMachines` stands on becomes the movement's machine and
/// passes at once to the movement's customer; empty address fields of the movement are
/// filled from the customer; a machine taken from the warehouse before goes back. When the
/// movement's customer is not in the customer table nothing changes.
PickOutcome chooseWarehouseMachine(Tdm& data, store::Table& warehouseMachines);

/// What the return of a machine to the warehouse does with its address.
enum class Address { Keep, Clear };
/// Puts the machine with serial number `matricola` back into the warehouse (no owner, in
/// stock), found among all articles whatever the filter of `dm.Tabarticoli`. Answers whether
/// it was found.
bool returnToWarehouse(Tdm& data, const QString& matricola, Address address);
/// The same on a table object of the year's `articoli` the caller holds (one write together
/// with others); its cursor moves to the machine.
bool returnToWarehouse(store::Table& articles, const QString& matricola, Address address);

/// The message of the machine choice when the movement has a customer the store lacks.
QString missingCustomerMessage();

} // namespace articles
