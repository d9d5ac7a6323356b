#pragma once

#include "ui/register_screen.h"

#include "report/page.h"

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class Tdm;

namespace ui {
class DbComboBox;
class DbDateEdit;
class DbLookupCombo;
} // namespace ui

/// The maintenance contracts on `dm.Tabcontratti`: the list with its filter panel, counter,
/// prints and the customer's telephones; the edit page with the customer, type, validity and
/// the one machine under contract, chosen among the customer's machines (`dm.Tabarticoli`).
class TELENCO_CONTRATTIFORM : public ui::RegisterScreen {
    Q_OBJECT
public:
    explicit TELENCO_CONTRATTIFORM(Tdm& data, QWidget* parent = nullptr);
    ~TELENCO_CONTRATTIFORM() override;

    // The filter panel, the counter and the status line.
    QComboBox* typeFilter() const { return typeFilter_; }
    QLineEdit* fromFilter() const { return fromFilter_; }
    QLineEdit* toFilter() const { return toFilter_; }
    QComboBox* customerFilter() const { return customerFilter_; }
    QString counterText() const;
    QString statusText() const;
    QMenuBar* menu() const { return menu_; }
    QMenu* gridMenu() const { return gridMenu_; }
    // The edit page.
    ui::DbLookupCombo* customerBox() const { return customer_; }
    ui::DbLookupCombo* typeBox() const { return type_; }
    ui::DbDateEdit* startBox() const { return start_; }
    ui::DbDateEdit* endBox() const { return end_; }
    ui::DbComboBox* durationBox() const { return duration_; }
    ui::DataGrid* lineGrid() const { return lineGrid_; }
    ui::DataGrid* articleGrid() const { return articleGrid_; }

    // Commands, as their buttons and menu entries run them.
    void newContract();    ///< "Nuovo"
    void modifyContract(); ///< "Modifica"
    void cancelEdit() override;
    void deleteContract(); ///< "Elimina"
    void filter();         ///< "Filtra"
    void showAll();        ///< "Tutti"
    void printContract();  ///< "Stampa contratto"
    void printList();      ///< "Stampa elenco"
    void scheduleVisit();  ///< "Fissa intervento"
    void addLine();        ///< "aggiungi riga"
    void deleteLine();     ///< "elimina riga"
    void showPhones();     ///< "Mostra telefono esercizio selezionato"
    void editCustomer();   ///< "modifica esercizio"

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct OwnTables;
    void buildListPage();
    void buildEditPage();
    void buildMenus();
    void fillFilterBoxes();
    void updateCounter();
    bool saveCheck();
    /// The customer's machines, or none before a customer is chosen.
    void showCustomerArticles();
    /// False (after saying so) when there is no contract to work on.
    bool haveContract();

    Tdm& data_;
    std::unique_ptr<OwnTables> own_;
    QComboBox* typeFilter_ = nullptr;
    QLineEdit* fromFilter_ = nullptr;
    QLineEdit* toFilter_ = nullptr;
    QComboBox* customerFilter_ = nullptr;
    QLabel* counter_ = nullptr;
    QLabel* status_ = nullptr;
    QMenuBar* menu_ = nullptr;
    QMenu* gridMenu_ = nullptr;
    ui::DbLookupCombo* customer_ = nullptr;
    ui::DbLookupCombo* type_ = nullptr;
    ui::DbDateEdit* start_ = nullptr;
    ui::DbDateEdit* end_ = nullptr;
    ui::DbComboBox* duration_ = nullptr;
    ui::DataGrid* lineGrid_ = nullptr;
    ui::DataGrid* articleGrid_ = nullptr;
};

namespace contracts {

/// Opens the contracts screen through the modal-screen routine.
int openContracts(Tdm& data);

/// Opens the movement screen on a new intervention for the current contract of
/// `dm.Tabcontratti` and its line, and returns once that screen has ended. "Fissa intervento"
/// is disabled until the program sets it.
void setVisitScheduler(std::function<void(Tdm&)> schedule);
/// Opens the articles screen; its menu entry is disabled until the program sets it.
void setArticlesScreen(std::function<void(Tdm&)> open);

/// Shows a document's print preview through the modal-screen routine.
void previewDocument(const report::Document& document, QWidget* parent);
/// Makes "stampa contratto di esempio" of the contract types screen preview the contract print.
void installSampleContractPrint(Tdm& data);

} // namespace contracts
