#pragma once

#include "ui/register_screen.h"

#include <QDialog>

class QGroupBox;
class Tdm;

namespace ui {
class DbEdit;
}

/// The small dialog that says whether the pending technician is enabled for verifications.
class Ttipo_tecnicoForm : public QDialog {
    Q_OBJECT
public:
    explicit Ttipo_tecnicoForm(store::Table& technicians, QWidget* parent = nullptr);
};

/// The technicians register on `dm.Tabtecnico`: those enabled for verifications carry the seal
/// they use and one authorisation of the obliged subject. The fiscal code follows the personal
/// data through the table's rules and can be typed over only after "Sblocca".
class TtecnicoForm : public ui::RegisterScreen {
    Q_OBJECT
public:
    explicit TtecnicoForm(Tdm& data, QWidget* parent = nullptr);

    /// The group of the verification data, shown only for an enabled technician.
    QGroupBox* verificationPanel() const { return verification_; }

    /// "Nuovo": appends, asks the kind of technician, opens the edit page on OK.
    void newTechnician();
    /// "Modifica": the current technician, with the fiscal code locked.
    void modifyTechnician();
    /// "cambia tipo tecnico".
    void toggleKind();
    /// "Elimina".
    bool deleteTechnician();

private:
    void lockFiscalCode(bool locked);
    void showVerificationPanel();
    QWidget* addVerificationRow(const QString& label, QWidget* box);

    Tdm& data_;
    ui::DbEdit* fiscalCode_ = nullptr;
    ui::DbEdit* surname_ = nullptr;
    QGroupBox* verification_ = nullptr;
};

namespace registry {
/// Opens the technicians screen through the modal-screen routine.
int openTechnicians(Tdm& data);
} // namespace registry
