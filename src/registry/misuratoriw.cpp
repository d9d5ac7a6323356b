#include "registry/misuratoriw.h"

#include "registry/registers_rules.h"
#include "store/dm.h"
#include "ui/dbedit.h"
#include "ui/dialogs.h"
#include "ui/grid.h"
#include "ui/modal.h"

TmisuratoriForm::TmisuratoriForm(Tdm& data, QWidget* parent)
    : ui::RegisterScreen(data.Tabms, QStringLiteral("Elenco misuratori"), {640, 420}, parent) {

    addGrid({{QStringLiteral("Marchio_ms"), QStringLiteral("Marchio misuratore"), 200},
             {QStringLiteral("Denominazione_ms"), QStringLiteral("Denominazione misuratore"), 240},
             {QStringLiteral("Logotipo_ms"), QStringLiteral("Logotipo misuratore"), 130}});
    grid()->setRecordIndicator(true);
    addNewButton();
    addModifyButton();
    addCloseButton(QStringLiteral("chiudi"));

    brand_ = addFieldRow(QStringLiteral("Marchio misuratore"), QStringLiteral("Marchio_ms"));
    name_ =
        addFieldRow(QStringLiteral("Denominazione misuratore"), QStringLiteral("Denominazione_ms"));
    logotype_ = addFieldRow(QStringLiteral("Logotipo misuratore"), QStringLiteral("Logotipo_ms"));
    addConfirmButton(QStringLiteral("OK"));
    addCancelButton(QStringLiteral("Annulla"));
    setFirstEditor(brand_);

    setSaveCheck([this] {
        const QString refusal =
            registry::meterModelRefusal(brand_->text(), name_->text(), logotype_->text());
        if (refusal.isEmpty())
            return true;
        ui::dialogs().warning(refusal);
        return false;
    });
}

namespace registry {

int openMeterModels(Tdm& data) {
    return ui::showScreen<TmisuratoriForm>(data);
}

} // namespace registry
