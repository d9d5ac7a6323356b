#pragma once

#include "einvoice/additional_data.h"

#include <QString>
#include <utility>
#include <vector>

class QFormLayout;
class QLineEdit;

namespace registry {

/// The boxes of the electronic invoice's additional data on a register's edit page, for one
/// kind of owner: filled when the edit page opens, checked before the register's post and
/// stored right after it, in the year folder's additional table.
class InvoiceBoxes {
public:
    /// Adds one labelled box per entry of `boxes` to `form`.
    InvoiceBoxes(einvoice::Owner owner, const std::vector<einvoice::Box>& boxes, QFormLayout* form);

    /// Shows the stored values of owner `id` (none for a new owner, `fresh`); on a year
    /// without the table the boxes stay empty and disabled.
    void load(const QString& yearFolder, int id, bool fresh = false);
    /// The refusal of what is typed, empty when it may be stored; `box` is the first wrong one.
    QString check(QLineEdit** box = nullptr) const;
    /// Stores what is typed for owner `id`. Throws store::Error.
    void store(const QString& yearFolder, int id) const;
    /// Removes what was stored for owner `id`, once the owner is deleted.
    void forget(const QString& yearFolder, int id) const;
    /// The box of that field.
    QLineEdit* box(const QString& field) const;

private:
    einvoice::Values typed() const;

    einvoice::Owner owner_;
    std::vector<std::pair<QString, QLineEdit*>> boxes_;
};

} // namespace registry
