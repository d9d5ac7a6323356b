#pragma once

#include "ui/register_screen.h"

#include <functional>

class Tdm;

/// The wording lists the closing texts of a document are picked from, and the typical
/// wordings of lines and of a movement's texts to invoice.
enum class WordingList {
    FinalText,        ///< `stringa_finale`
    TransportMeans,   ///< `trasporto_mezzo`
    OuterAspect,      ///< `aspetto_esteriore`
    TransportReason,  ///< `causale_trasporto`
    Notes,            ///< `varie_annotazioni`
    Carrier,          ///< `vettore`
    LineWordings,     ///< `diciture_tipiche`, picked into a document line
    MovementWordings, ///< `diciture_tipiche`, picked into a movement's text to invoice
};

/// One list screen of the shape all eight share: a list page (grid, "nuovo", "modifica",
/// "elimina", "chiudi"; "seleziona" on the two typical-wording lists) and an edit page with
/// the description. Title, captions, messages and close refusal are the list's own.
class TwordingForm : public ui::RegisterScreen {
    Q_OBJECT
public:
    /// `select` runs on "seleziona" with the wordings table on the chosen record, then the
    /// screen closes (accepted).
    TwordingForm(Tdm& data, WordingList list, std::function<void(store::Table&)> select = {},
                 QWidget* parent = nullptr);
};

namespace documents {

/// Opens the list screen of one wording list to keep it.
int openWordingList(Tdm& data, WordingList list);

/// The typical-wording picker of the line page: "seleziona" writes the wording's `Id` and
/// `Descrizione` into `dm.Tablinee_doc`'s current line (`Id_articolo`, `Linea`), when that
/// line is being edited.
int pickLineWording(Tdm& data);

/// The typical-wording picker of the closing screen: "seleziona" writes the chosen wording's
/// `Descrizione` into the text to invoice `Da_fatt1`..`Da_fatt4` (`target` 1 to 4) of
/// `dm.Tabmov`'s current movement (a failure, such as a movement not in edit mode, is ignored)
/// and closes. Answers QDialog::Accepted when a wording was chosen.
int pickWording(Tdm& data, int target);

} // namespace documents
