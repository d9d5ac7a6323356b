#pragma once

#include "ui/register_screen.h"

class Tdm;

namespace ui {
class DbEdit;
}

/// The cash-register models register: a list of `ms` and an edit page on `dm.Tabms`.
class TmisuratoriForm : public ui::RegisterScreen {
    Q_OBJECT
public:
    explicit TmisuratoriForm(Tdm& data, QWidget* parent = nullptr);

private:
    ui::DbEdit* brand_;
    ui::DbEdit* name_;
    ui::DbEdit* logotype_;
};

namespace registry {
/// Opens the models screen through the modal-screen routine.
int openMeterModels(Tdm& data);
} // namespace registry
