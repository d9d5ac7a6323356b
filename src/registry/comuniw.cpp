#include "registry/comuniw.h"

#include "store/dm.h"
#include "ui/dbedit.h"
#include "ui/dialogs.h"
#include "ui/grid.h"
#include "ui/modal.h"
#include "ui/pagestack.h"

TcomuniForm::TcomuniForm(Tdm& data, QWidget* parent)
    : ui::RegisterScreen(data.Tabcomuni, QStringLiteral("comuniForm"), {560, 460}, parent) {
    setCloseAllowed(true);

    addGrid({{QStringLiteral("COMUNE"), QStringLiteral("COMUNE"), 240},
             {QStringLiteral("PROVINCIAI"), QStringLiteral("PROVINCIAI"), 90},
             {QStringLiteral("CODICEFISC"), QStringLiteral("CODICEFISC"), 90},
             {QStringLiteral("CAP"), QStringLiteral("CAP"), 70}});
    addNewButton();
    addModifyButton();
    addCloseButton(QStringLiteral("Chiudi"));

    setFirstEditor(addFieldRow(QStringLiteral("COMUNE"), QStringLiteral("COMUNE")));
    addFieldRow(QStringLiteral("PROVINCIAI"), QStringLiteral("PROVINCIAI"));
    addFieldRow(QStringLiteral("CODICEFISC"), QStringLiteral("CODICEFISC"));
    addFieldRow(QStringLiteral("CAP"), QStringLiteral("CAP"));
    addConfirmButton(QStringLiteral("Ok"));
    addCancelButton(QStringLiteral("Annulla"));
}

void TcomuniForm::done(int result) {
    // A municipality left half-typed would otherwise be posted (or dropped) by whoever next
    // works on the shared object: closing drops it now.
    if (editing()) {
        try {
            table().cancel();
        } catch (const std::exception& e) {
            ui::showFailure(e);
        }
        pages().showPage(listPageName);
    }
    ui::RegisterScreen::done(result);
}

namespace registry {

int openMunicipalities(Tdm& data) {
    return ui::showScreen<TcomuniForm>(data);
}

} // namespace registry
