#pragma once

#include "store/table.h"

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace einvoice {

/// Whose additional record it is: a customer (`esercizio`), the obliged subject (the
/// workshop) or a document line (`linee_doc`).
enum class Owner { Customer, Workshop, Line };

/// Field name → value of one additional record of `fatt_elettronica`.
using Values = std::map<QString, QString>;

/// A box of the additional data on a register screen: its caption and its field.
struct Box {
    QString caption;
    QString field;
};

/// The boxes the customer screen shows.
const std::vector<Box>& customerBoxes();
/// The boxes the obliged-subject screen shows.
const std::vector<Box>& workshopBoxes();

/// The tax regime a workshop has until it says otherwise ("RF01", ordinary).
QString defaultTaxRegime();
/// The nature codes of a line without VAT that the format accepts.
const QStringList& natureCodes();

/// Why these values cannot be stored (the first wrong one, named by its box), empty when they
/// can. Empty boxes are always accepted: the invoice says what it misses when it is made.
QString checkValues(Owner owner, const Values& values);

/// The additional records of a year folder, read and written through a table object of its
/// own, so no shared cursor moves. Store failures are thrown as store::Error.
class AdditionalData {
public:
    explicit AdditionalData(const QString& yearFolder);
    AdditionalData(const AdditionalData&) = delete;
    AdditionalData& operator=(const AdditionalData&) = delete;

    /// The stored values of that owner's record; every field empty when there is none.
    Values values(Owner owner, int id);
    /// Writes the given fields into that owner's record, creating it when missing.
    void store(Owner owner, int id, const Values& values);
    /// Removes that owner's record, when there is one (its owner is gone: a later owner
    /// with the same identifier must not inherit it).
    void remove(Owner owner, int id);
    /// The next progressive of the workshop's electronic invoices (1 for the first one).
    int nextProgressive(int workshopId);
    /// Records `progressive` as the last one used.
    void useProgressive(int workshopId, int progressive);

private:
    /// Stands on that owner's record; false (cursor anywhere) when there is none.
    bool locate(Owner owner, int id);

    store::Table table_;
};

} // namespace einvoice
