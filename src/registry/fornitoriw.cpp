#include "registry/fornitoriw.h"
#include "ui/screen.h"

#include "store/dm.h"
#include "ui/dbedit.h"
#include "ui/grid.h"
#include "ui/modal.h"

#include <QFormLayout>

TfornitoriForm::TfornitoriForm(Tdm& data, QWidget* parent)
    : ui::RegisterScreen(data.TabFornitori, QStringLiteral("Elenco fornitori:"), {820, 560},
                         parent) {
    const QString refusal = QStringLiteral("Per chiudere usare il tasto chiudi.");
    setRefusalMessage(refusal);
    setEditingRefusal(refusal, [] { return true; });

    addGrid({{QStringLiteral("Ragione_sociale"), QStringLiteral("Ragione_sociale"), 220},
             {QStringLiteral("Piva"), QStringLiteral("Piva"), 100},
             {QStringLiteral("Comune"), QStringLiteral("Comune"), 140},
             {QStringLiteral("Provincia"), QStringLiteral("Provincia"), 70},
             {QStringLiteral("Indirizzo"), QStringLiteral("Indirizzo"), 160},
             {QStringLiteral("Cap"), QStringLiteral("Cap"), 60}});
    addNewButton();
    addModifyButton();
    addCloseButton(QStringLiteral("Chiudi"));

    auto* name = addFieldRow(QStringLiteral("Ragione sociale del fornitore"),
                             QStringLiteral("Ragione_sociale"));
    addFieldRow(QStringLiteral("Piva"), QStringLiteral("Piva"));
    addFieldRow(QStringLiteral("Comune"), QStringLiteral("Comune"));
    addFieldRow(QStringLiteral("Provincia"), QStringLiteral("Provincia"))->setReadOnly(true);
    addFieldRow(QStringLiteral("Indirizzo"), QStringLiteral("Indirizzo"));
    addFieldRow(QStringLiteral("Cap"), QStringLiteral("Cap"))->setReadOnly(true);
    for (const char* field : {"Tel1", "Tel2", "Cell1", "Cell2"})
        addFieldRow(QString::fromLatin1(field), QString::fromLatin1(field));
    addFieldRow(QStringLiteral("Cognome nome"), QStringLiteral("Cognome_nome"));
    // E-mail addresses keep the letters as typed.
    addFieldRow(QStringLiteral("Email1"), QStringLiteral("Email1"), false);
    addFieldRow(QStringLiteral("Email2"), QStringLiteral("Email2"), false);
    for (const char* field : {"Fax1", "Fax2", "Commenti"})
        addFieldRow(QString::fromLatin1(field), QString::fromLatin1(field));
    addConfirmButton(QStringLiteral("Ok"));
    addCancelButton(QStringLiteral("Annulla"));
    setFirstEditor(name);
}

namespace registry {

int openSuppliers(Tdm& data) {
    return ui::showScreen<TfornitoriForm>(data);
}

} // namespace registry
