#pragma once

#include "ui/register_screen.h"

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
};

namespace registry {
/// Opens the suppliers screen through the modal-screen routine.
int openSuppliers(Tdm& data);
} // namespace registry
