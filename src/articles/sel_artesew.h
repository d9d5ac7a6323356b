#pragma once

#include "articles/movement_articles.h"

#include <QDialog>
#include <optional>

class Tdm;

namespace ui {
class PageStack;
}

/// The machine picker of a movement: the customer's own machines or the warehouse machines,
/// on two pages whose tabs are hidden. "OK" applies the choice to the pending movement of
/// `dm.Tabmov` and closes; "Annulla" closes without changes.
class TSel_arteseForm : public QDialog {
    Q_OBJECT
public:
    TSel_arteseForm(Tdm& data, articles::MachineLists& lists, articles::PickFor kind,
                    QWidget* parent = nullptr);

    ui::PageStack& pages() const { return *pages_; }

private:
    QWidget* buildPage(const QString& caption, store::Table& list, std::vector<QString> fields,
                       bool warehouse);
    void confirm(store::Table& list, bool warehouse);

    Tdm& data_;
    ui::PageStack* pages_;
};

namespace articles {

/// "Seleziona articolo" of a movement: the customer's identifier for the name the movement's
/// customer choice shows, 0 when no customer has that name.
int customerIdForName(Tdm& data, const QString& name);

/// Shows the picker over the machines of customer `customerId` or of the warehouse and applies
/// the choice to the pending (inserted or edited) movement of `dm.Tabmov`. Answers the serial
/// number chosen, nothing after "Annulla" or when the movement is not being edited.
std::optional<QString> pickMachine(Tdm& data, PickFor kind, int customerId);

} // namespace articles
