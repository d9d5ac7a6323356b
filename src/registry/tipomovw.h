#pragma once

#include "ui/screen.h"

class Tdm;

namespace ui {
class DataGrid;
}

/// The movement types, for looking only: one column of descriptions, read-only types in blue.
class TtipomovForm : public ui::Screen {
    Q_OBJECT
public:
    explicit TtipomovForm(Tdm& data, QWidget* parent = nullptr);
    ui::DataGrid* grid() const { return grid_; }

private:
    ui::DataGrid* grid_;
};

namespace registry {
/// Opens the movement types screen through the modal-screen routine.
int openMovementTypes(Tdm& data);
} // namespace registry
