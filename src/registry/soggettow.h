#pragma once

#include "ui/register_screen.h"

#include <memory>

class QGroupBox;
class QLineEdit;
class QRadioButton;
class Tdm;

namespace registry {
class InvoiceBoxes;
}

namespace ui {
class DataGrid;
class DbEdit;
class FieldLink;
} // namespace ui

/// The dialog of one authorisation of the obliged subject, on `dm.TabLsogg`'s pending record.
class Tlsogg_form : public ui::Screen {
    Q_OBJECT
public:
    explicit Tlsogg_form(Tdm& data, QWidget* parent = nullptr);
    /// "Ok": posts a complete authorisation and closes; refuses an incomplete one.
    bool confirm();
    /// "Annulla": drops the authorisation and closes.
    void cancel();

private:
    Tdm& data_;
    ui::DbEdit* seal_ = nullptr;
};

/// The obliged subject (the workshop itself, legal or natural person) on `dm.Tabsoggetto`'s
/// current record, with its authorisations on `dm.TabLsogg`.
class Tsoggettoform : public ui::RegisterScreen {
    Q_OBJECT
public:
    explicit Tsoggettoform(Tdm& data, QWidget* parent = nullptr);

    /// The edit page's boxes, by their captions: "Denominazione", "Cognome", ...
    QWidget* editBox(const QString& caption) const;
    QRadioButton* kindButton(const QString& caption) const;
    ui::DataGrid* authorisations() const { return authorisations_; }

    ~Tsoggettoform() override;

    /// The person-kind rule: locks and colours the boxes for the current `PG_PF`; it runs
    /// whenever `PG_PF` changes, whoever writes it.
    void applyPersonKind();
    /// "Modifica": edits the subject, creating it on an empty register.
    void modify();
    /// "Nuova abilitazione" and "Modifica abilitazione".
    void editAuthorisation(bool appending);
    /// "Elimina": deletes the current authorisation.
    bool deleteAuthorisation();
    /// "OK": posts the subject, then its data for the electronic invoice.
    bool confirm() override;
    /// The box of the electronic invoice's data on the edit page for that field.
    QLineEdit* invoiceBox(const QString& field) const;

private:
    void applyGroupVisibility();
    void choose(const QString& kind);
    bool subjectMissing();

    Tdm& data_;
    ui::DbEdit* vat_ = nullptr;
    ui::DataGrid* authorisations_ = nullptr;
    QGroupBox* legalView_ = nullptr;
    QGroupBox* naturalView_ = nullptr;
    QRadioButton* legal_ = nullptr;
    QRadioButton* natural_ = nullptr;
    QMap<QString, QWidget*> editBoxes_;
    std::unique_ptr<ui::FieldLink> personKind_;
    std::unique_ptr<registry::InvoiceBoxes> invoiceBoxes_;
};

namespace registry {
/// Opens the obliged-subject screen through the modal-screen routine.
int openObligedSubject(Tdm& data);
} // namespace registry
