#pragma once

#include <QWidget>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class Tdm;

namespace store {
class Table;
}
namespace ui {
class DbDateEdit;
class DbEdit;
class DbLookupCombo;
class DbTimeEdit;
} // namespace ui

namespace movements {

/// The entry page of one movement: every box bound to the current record of `dm.Tabmov`, which
/// the list command that opened the page has appended or put in edit. "OK" stores it (it needs a
/// customer), "Annulla" discards it, giving back a warehouse machine this entry took; both then
/// call `done`.
class MovementEntryPage : public QWidget {
    Q_OBJECT
public:
    /// `customers` and `types` are the screen's own lists for the two choices.
    MovementEntryPage(Tdm& data, store::Table& customers, store::Table& types,
                      std::function<void()> done, QWidget* parent = nullptr);

    /// Shows the page for the current movement: the VAT number and address as texts, the
    /// appointment boxes exactly when it has an appointment, the type choice locked or not and
    /// the customer choice locked when the movement has verification records.
    void prepare(bool typeLocked);

    /// "Seleziona articolo": the machine picker for the movement's type and customer.
    void pickMachine();
    void confirm();         ///< "OK"
    void cancel();          ///< "Annulla"
    void toggleAddress();   ///< "varia"
    void findCustomer();    ///< "cerca/nuovo"
    void findTechnician();  ///< "cerca"
    void checkTechnician(); ///< leaving the appointment date

    ui::DbDateEdit* dateBox() const { return date_; }
    ui::DbLookupCombo* typeChoice() const { return type_; }
    ui::DbLookupCombo* customerChoice() const { return customer_; }
    ui::DbLookupCombo* technicianChoice() const { return technician_; }
    QCheckBox* appointment() const { return appointment_; }
    ui::DbDateEdit* appointmentDate() const { return appointmentDate_; }
    ui::DbTimeEdit* appointmentTime() const { return appointmentTime_; }
    /// The VAT number and address boxes that "varia" shows (texts otherwise).
    bool addressEditable() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildCustomerRows();
    QWidget* buildTechnicianGroup();
    void showAppointment(bool shown);
    void finish();

    Tdm& data_;
    store::Table& customers_;
    std::function<void()> done_;
    ui::DbDateEdit* date_ = nullptr;
    ui::DbLookupCombo* type_ = nullptr;
    ui::DbLookupCombo* customer_ = nullptr;
    ui::DbLookupCombo* technician_ = nullptr;
    QCheckBox* appointment_ = nullptr;
    ui::DbDateEdit* appointmentDate_ = nullptr;
    ui::DbTimeEdit* appointmentTime_ = nullptr;
    QLabel* appointmentDateLabel_ = nullptr;
    QLabel* appointmentTimeLabel_ = nullptr;
    std::vector<QWidget*> addressTexts_;
    std::vector<QWidget*> addressBoxes_;
};

} // namespace movements
