#pragma once

#include "ui/register_screen.h"

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class Tdm;

namespace registry {
struct CustomerCard;
class InvoiceBoxes;

/// How the customer screen opens: on its list, or editing the customer of the current contract
/// of `dm.Tabcontratti` and closing when that edit ends.
enum class CustomersMode { List, EditFromContract };
} // namespace registry

/// The customer register ("esercizi/clienti") on `dm.Tabesercizio`: the list with its search
/// and re-sort, the edit page with the save checks, the delete with its reference checks and
/// the card page with the customer's movements and contracts.
class TesercizioForm : public ui::RegisterScreen {
    Q_OBJECT
public:
    static inline const QString cardPageName = QStringLiteral("scheda");

    TesercizioForm(Tdm& data, registry::CustomersMode mode = registry::CustomersMode::List,
                   QWidget* parent = nullptr);
    ~TesercizioForm() override;

    QLineEdit* searchBox() const { return search_; }
    QComboBox* searchField() const { return searchField_; }
    QMenuBar* menu() const { return menu_; }
    ui::DataGrid* movementsGrid() const { return movementsGrid_; }
    ui::DataGrid* contractsGrid() const { return contractsGrid_; }
    /// The card page's texts: the customer's name and the contract line's strip.
    QString cardTitle() const;
    QString cardDescription() const;
    QString cardSerial() const;
    bool inserting() const { return inserting_; }
    /// The box of the electronic invoice's data on the edit page for that field.
    QLineEdit* invoiceBox(const QString& field) const;

    // Commands, as their buttons and keys run them.
    void newCustomer();               ///< "Nuovo/F8"
    void modifyCustomer();            ///< "Modifica/F9"
    bool confirm() override;          ///< "OK"
    void cancelEdit() override;       ///< "Annulla"
    void deleteCustomer();            ///< "elimina"
    void showCard();                  ///< "Scheda"
    void backToList();                ///< "Indietro"
    void search(const QString& text); ///< every change of the search text
    void find();                      ///< "Trova"
    void sortByColumn(int column);    ///< a click on a title of the list

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildListPage();
    void buildEditPage();
    QWidget* buildCardPage();
    bool saveCheck();
    void start();

    Tdm& data_;
    const registry::CustomersMode mode_;
    std::unique_ptr<registry::CustomerCard> card_;
    std::unique_ptr<registry::InvoiceBoxes> invoiceBoxes_;
    QLineEdit* search_ = nullptr;
    QComboBox* searchField_ = nullptr;
    QMenuBar* menu_ = nullptr;
    QLabel* cardTitle_ = nullptr;
    QLabel* cardDescription_ = nullptr;
    QLabel* cardSerial_ = nullptr;
    ui::DataGrid* movementsGrid_ = nullptr;
    ui::DataGrid* contractsGrid_ = nullptr;
    bool inserting_ = false;
    QString rememberedVat_;
    bool shown_ = false;
};

namespace registry {
/// Opens the customer screen in `mode` through the modal-screen routine.
int openCustomers(Tdm& data, CustomersMode mode = CustomersMode::List);
} // namespace registry
