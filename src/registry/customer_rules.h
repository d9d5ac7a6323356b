#pragma once

#include "store/rules.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class Tdm;

namespace store {
class Query;
class Table;
} // namespace store

/// The customer register's rules and decisions, apart from its screen.
namespace registry {

/// Attaches the rules of the customer table to the data module's objects: the identifier on
/// insert (Tabesercizio, Tab_ese2, tabese3), and on Tabesercizio the VAT-number warning and
/// the municipality look-up.
void attachCustomerRules(Tdm& data, store::rules::WarningSink warn);

/// The boxes of the edit page that "OK" requires, in the order they are tested.
const QStringList& requiredCustomerFields();

/// What "OK" decided before posting: empty `message` when the record may be posted, else the
/// first failing check's message and the field whose box takes the focus (may be empty).
struct SaveVerdict {
    QString message;
    QString focusField;
    bool accepted() const { return message.isEmpty(); }
};

/// The save checks of the pending customer record of `data.Tabesercizio`, in order: VAT
/// check, duplicate VAT among stored records (through `data.c_esercizio`, whose filter stays
/// set), required values. `inserting` and `rememberedVat` are the screen's state: an edit that
/// keeps the VAT number it had at "Modifica/F9" passes the duplicate test.
SaveVerdict checkCustomerSave(Tdm& data, bool inserting, const QString& rememberedVat);

/// The number of stored customers whose VAT number is `vat`, through `c_esercizio` filtered
/// on "[Piva]='vat'" (the filter stays set afterwards; a quote in `vat` is doubled).
int storedCustomersWithVat(store::Table& cEsercizio, const QString& vat);

/// The warning refusing the deletion of a customer, or nothing when no stored movement or
/// contract refers to it. Movements are tested first; the whole files are searched, whatever
/// filter the data module's objects have, with cursors of their own.
std::optional<QString> customerDeleteRefusal(const Tdm& data, int customerId);

/// Fields the search box can search, by the entries of the "Trova" list.
QString searchFieldOf(const QString& entry);

/// Search as you type: moves `table` to the first customer whose field begins with `text`
/// (case-sensitive, current order); the empty text goes to the first. Answers whether it
/// moved; failures are swallowed and leave the row.
bool searchCustomer(store::Table& table, const QString& entry, const QString& text);
/// "Trova": the first customer whose field equals `text` exactly.
bool findCustomer(store::Table& table, const QString& entry, const QString& text);

/// The order chosen by clicking a title of the list: the index and, for two of them, the
/// search entry that goes with it. Nothing for a column that does not sort.
struct CustomerOrder {
    QString indexName;
    QString searchEntry; ///< empty: the search entry stays
};
std::optional<CustomerOrder> orderForColumn(const QString& fieldName);

/// Sets the order of a column's title click on `table`; a failure is swallowed. Answers the
/// order applied.
std::optional<CustomerOrder> sortCustomersByColumn(store::Table& table, const QString& fieldName);

/// The statements of the card page.
QString cardMovementsSql(int customerId);
QString cardContractsSql(int customerId);
QString cardContractLinesSql(const QString& contractId);

/// The three queries of the card page with their calculated columns, looked up in the data
/// module's shared tables.
struct CustomerCard {
    explicit CustomerCard(Tdm& data);
    ~CustomerCard();
    CustomerCard(const CustomerCard&) = delete;
    CustomerCard& operator=(const CustomerCard&) = delete;

    /// Opens the three queries for a customer on the year folder. Without contracts the lines
    /// query stays closed, so the strip stays empty.
    void open(const QString& yearFolder, int customerId);
    void close();

    std::unique_ptr<store::Query> movements, contracts, contractLines;

private:
    Tdm& data_;
};

/// Edit-from-contract mode: moves `data.Tabesercizio` to the customer of the current record
/// of `data.Tabcontratti`. Answers whether it was found.
bool locateContractCustomer(Tdm& data);

} // namespace registry
