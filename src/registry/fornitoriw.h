#pragma once

#include "ui/register_screen.h"

#include <QPointer>

class Tdm;

namespace ui {
class DbEdit;
}

/// The suppliers register on `dm.TabFornitori`, listed by business name. Province and postcode
/// come from the municipality look-up and cannot be typed.
class TfornitoriForm : public ui::RegisterScreen {
    Q_OBJECT
public:
    explicit TfornitoriForm(Tdm& data, QWidget* parent = nullptr);
    /// The "Piva" box, where a failed VAT check sends the focus back.
    ui::DbEdit* vatBox() const { return vat_; }

private:
    ui::DbEdit* vat_ = nullptr;
};

/// The program-wide reference of the open suppliers screen.
extern QPointer<TfornitoriForm> fornitoriForm;

namespace registry {
/// Opens the suppliers screen through the modal-screen routine.
int openSuppliers(Tdm& data);
/// Puts the focus back on the open suppliers screen's "Piva" box, once the focus change in
/// progress is over; nothing when the screen is not open.
void focusSupplierVatBox();
} // namespace registry
