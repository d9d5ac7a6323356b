#include "registry/invoice_boxes.h"

#include "store/catalogue.h"
#include "store/error.h"
#include "ui/formkit.h"

#include <QFormLayout>
#include <QLineEdit>

namespace registry {

InvoiceBoxes::InvoiceBoxes(einvoice::Owner owner, const std::vector<einvoice::Box>& boxes,
                           QFormLayout* form)
    : owner_(owner) {
    const store::TableDef& def = store::catalogue::year(QStringLiteral("fatt_elettronica"));
    for (const einvoice::Box& b : boxes) {
        auto* edit = new ui::UpperLineEdit;
        if (const store::FieldDef* field = def.field(b.field)) {
            edit->setMaxLength(field->size);
            edit->setFixedWidth(ui::boxWidthFor(*edit, field->size));
        }
        if (b.field == QLatin1String("Regime_fiscale"))
            edit->setPlaceholderText(einvoice::defaultTaxRegime());
        if (b.field == QLatin1String("Natura"))
            edit->setToolTip(einvoice::natureCodes().join(QStringLiteral(", ")));
        form->addRow(b.caption, edit);
        boxes_.emplace_back(b.field, edit);
    }
}

void InvoiceBoxes::load(const QString& yearFolder, int id, bool fresh) {
    einvoice::Values values;
    bool available = true;
    try {
        einvoice::AdditionalData data(yearFolder);
        if (!fresh)
            values = data.values(owner_, id);
    } catch (const store::Error&) {
        available = false; // a read-only year of an older copy: nothing to show or keep
    }
    for (const auto& [field, edit] : boxes_) {
        edit->setText(values[field]);
        edit->setEnabled(available);
    }
}

einvoice::Values InvoiceBoxes::typed() const {
    einvoice::Values values;
    for (const auto& [field, edit] : boxes_)
        values[field] = edit->text().trimmed();
    return values;
}

QString InvoiceBoxes::check(QLineEdit** box) const {
    for (const auto& [field, edit] : boxes_) {
        const QString refusal = einvoice::checkValues(owner_, {{field, edit->text().trimmed()}});
        if (!refusal.isEmpty()) {
            if (box)
                *box = edit;
            return refusal;
        }
    }
    return {};
}

void InvoiceBoxes::store(const QString& yearFolder, int id) const {
    if (boxes_.empty() || !boxes_.front().second->isEnabled())
        return;
    einvoice::AdditionalData(yearFolder).store(owner_, id, typed());
}

void InvoiceBoxes::forget(const QString& yearFolder, int id) const {
    einvoice::AdditionalData(yearFolder).remove(owner_, id);
}

QLineEdit* InvoiceBoxes::box(const QString& field) const {
    for (const auto& [name, edit] : boxes_)
        if (name == field)
            return edit;
    return nullptr;
}

} // namespace registry
