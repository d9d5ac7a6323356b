#pragma once

#include "ui/register_screen.h"

class Tdm;

/// The municipalities register on `dm.Tabcomuni`, in the table's natural order. Its close box
/// closes it at any time.
class TcomuniForm : public ui::RegisterScreen {
    Q_OBJECT
public:
    explicit TcomuniForm(Tdm& data, QWidget* parent = nullptr);

    /// Ends the screen (close box, Escape, "Chiudi"), dropping a record still being entered.
    void done(int result) override;
};

namespace registry {
/// Opens the municipalities screen through the modal-screen routine.
int openMunicipalities(Tdm& data);
} // namespace registry
