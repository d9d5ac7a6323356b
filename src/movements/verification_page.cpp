#include "movements/verification_page.h"

#include "movements/verification_rules.h"
#include "store/dm.h"
#include "ui/dbchoice.h"
#include "ui/dbedit.h"
#include "ui/dialogs.h"
#include "ui/formkit.h"
#include "ui/grid.h"
#include "ui/pagestack.h"
#include "ui/register_screen.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

namespace movements {

namespace {

const QString kList = QStringLiteral("elenco");
const QString kEntry = QStringLiteral("scheda");

/// A capitals box that reports when the user leaves it, once its text is stored.
class LeavingEdit : public ui::DbUpperEdit {
public:
    LeavingEdit(store::Table& table, const QString& field, std::function<void()> left)
        : ui::DbUpperEdit(table, field)
        , left_(std::move(left)) {}

protected:
    void focusOutEvent(QFocusEvent* event) override {
        ui::DbUpperEdit::focusOutEvent(event);
        if (ui::leavesTheControl(event->reason()))
            left_();
    }

private:
    std::function<void()> left_;
};

QGroupBox* group(const QString& title, QFormLayout*& form) {
    auto* box = new QGroupBox(title);
    form = new QFormLayout(box);
    return box;
}

ui::DbEdit* readOnly(ui::DbEdit* box) {
    box->setReadOnly(true);
    return box;
}

/// A read-only box of a looked-up value, as wide as the value can be where it comes from.
ui::DbEdit* lookedUp(store::Table& t, const QString& field, store::Table& source,
                     const QString& sourceField) {
    auto* box = new ui::DbEdit(t, field);
    box->setMaximumWidth(ui::boxWidthFor(*box, source.field(sourceField).size()));
    return box;
}

ui::DbComboBox* valueList(store::Table& t, const QString& field, const QStringList& entries) {
    auto* box = new ui::DbComboBox(t, field);
    box->setValueList(entries);
    return box;
}

/// Stores what the focused box still holds, as leaving it would.
void commitFocused() {
    QWidget* focused = QApplication::focusWidget();
    if (auto* edit = qobject_cast<ui::DbEdit*>(focused))
        edit->commit();
    else if (auto* choice = qobject_cast<ui::DbComboBox*>(focused))
        choice->commit();
}

} // namespace

VerificationPage::VerificationPage(Tdm& data, QWidget* parent)
    : QWidget(parent)
    , data_(data)
    , pages_(new ui::PageStack) {
    data_.Tabmisurazioni.setMasterSource(&data_.Tabmov, QStringLiteral("Id"),
                                         QStringLiteral("Id_mov"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pages_);
    pages_->addPage(kList, makeList());
    pages_->addPage(kEntry, makeEntry());
    pages_->showPage(kList);
}

VerificationPage::~VerificationPage() {
    store::Table& t = data_.Tabmisurazioni;
    try {
        // A record left in entry by a host that closed anyway is not stored half-checked.
        if (editing())
            t.cancel();
    } catch (const std::exception&) {
        // The table is going back to the data module as it is.
    }
    t.setMasterSource(nullptr, QString(), QString());
}

QWidget* VerificationPage::makeList() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* grid =
        new ui::DataGrid(data_.Tabmisurazioni,
                         {{QStringLiteral("tipo_int"), QStringLiteral("Tipo intervento"), 140},
                          {QStringLiteral("MATRICOLA_MS"), QStringLiteral("MATRICOLA_MS"), 100},
                          {QStringLiteral("PIVA"), QStringLiteral("PIVA"), 100},
                          {QStringLiteral("COMUNE"), QStringLiteral("COMUNE"), 130},
                          {QStringLiteral("INDIRIZZO"), QStringLiteral("INDIRIZZO"), 170},
                          {QStringLiteral("DATA_INI"), QStringLiteral("DATA_INI"), 80},
                          {QStringLiteral("DATA_FINE"), QStringLiteral("DATA_FINE"), 80},
                          {QStringLiteral("ESITO"), QStringLiteral("ESITO"), 50}});
    layout->addWidget(grid, 1);
    layout->addLayout(ui::buttonRow(this,
                                    {{QStringLiteral("Nuovo mov per AE"),
                                      [this] {
                                          newVerification();
                                      }},
                                     {QStringLiteral("Modifica mov per AE"),
                                      [this] {
                                          modifyVerification();
                                      }},
                                     {QStringLiteral("Elimina mov per AE"),
                                      [this] {
                                          deleteVerification();
                                      }}},
                                    false));
    return page;
}

QWidget* VerificationPage::makeEntry() {
    store::Table& t = data_.Tabmisurazioni;
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    QFormLayout* form = nullptr;

    layout->addWidget(group(QStringLiteral("Generale"), form), 0, 0);
    form->addRow(QStringLiteral("Data inizio"), new ui::DbDateEdit(t, QStringLiteral("DATA_INI")));
    form->addRow(QStringLiteral("Data fine"), new ui::DbDateEdit(t, QStringLiteral("DATA_FINE")));
    form->addRow(QStringLiteral("Esito"), valueList(t, QStringLiteral("ESITO"), outcomes()));
    form->addRow(QStringLiteral("Tipo intervento"),
                 valueList(t, QStringLiteral("TIPO_INTERVENTO"), interventionKinds()));
    form->addRow(QStringLiteral("Matricola_ms"), new ui::DbEdit(t, QStringLiteral("MATRICOLA_MS")));

    layout->addWidget(group(QStringLiteral("Tecnico"), form), 0, 1);
    form->addRow(QStringLiteral("Cognome e nome"),
                 new ui::DbLookupCombo(t, QStringLiteral("ID_TECNICO"), data_.Tabtecnico,
                                       QStringLiteral("Id_tecnico"), QStringLiteral("Cogn_nome")));
    form->addRow(new QLabel(QStringLiteral("Sigillo associato al tecnico selezionato:")));
    form->addRow(new ui::DbEdit(t, QStringLiteral("sigillo_tecnico")));

    layout->addWidget(group(QStringLiteral("Misuratore Fiscale"), form), 1, 0);
    form->addRow(
        QStringLiteral("marchio misuratore"),
        lookedUp(t, QStringLiteral("marchio_ms"), data_.Tabms, QStringLiteral("Marchio_ms")));
    form->addRow(QStringLiteral("denominazione misuratore"),
                 new ui::DbLookupCombo(t, QStringLiteral("ID_MS"), data_.Tabms,
                                       QStringLiteral("Id_ms"),
                                       QStringLiteral("Denominazione_ms")));
    form->addRow(
        QStringLiteral("logotipo misuratore"),
        lookedUp(t, QStringLiteral("logotipo_ms"), data_.Tabms, QStringLiteral("Logotipo_ms")));

    layout->addWidget(group(QStringLiteral("Esercizio"), form), 1, 1);
    customer_ = ui::boldLabel(QString());
    form->addRow(customer_);
    form->addRow(QStringLiteral("Comune:"),
                 new LeavingEdit(t, QStringLiteral("COMUNE"), [this] { municipalityLeft(); }));
    form->addRow(QStringLiteral("Prov.:"),
                 readOnly(new ui::DbUpperEdit(t, QStringLiteral("PROVINCIA"))));
    form->addRow(QStringLiteral("Indirizzo:"), new ui::DbUpperEdit(t, QStringLiteral("INDIRIZZO")));
    form->addRow(QStringLiteral("Cap:"), readOnly(new ui::DbUpperEdit(t, QStringLiteral("CAP"))));
    vat_ = new ui::DbEdit(t, QStringLiteral("PIVA"));
    form->addRow(QStringLiteral("Piva"), vat_);

    layout->addLayout(ui::buttonRow(this, {{QStringLiteral("OK"),
                                            [this] {
                                                confirm();
                                            }},
                                           {QStringLiteral("Annulla"),
                                            [this] {
                                                cancel();
                                            }}}),
                      2, 0, 1, 2);
    layout->setRowStretch(3, 1);
    return page;
}

bool VerificationPage::editing() const {
    return pages_->isShowing(kEntry);
}

void VerificationPage::showEntry(bool on) {
    if (on == editing())
        return;
    pages_->showPage(on ? kEntry : kList);
    emit editingChanged(on);
}

void VerificationPage::newVerification() {
    if (const auto refusal = newVerificationRefusal(data_)) {
        ui::dialogs().message(*refusal);
        return;
    }
    // The entry shows first, so that the VAT warning of the new record finds its box.
    showEntry(true);
    try {
        appendVerification(data_);
    } catch (const std::exception& e) {
        ui::showFailure(e);
        cancel();
        return;
    }
    customer_->setText(verificationCustomerName(data_));
    vat_->setFocus();
}

void VerificationPage::modifyVerification() {
    if (const auto refusal = modifyVerificationRefusal(data_)) {
        ui::dialogs().message(*refusal);
        return;
    }
    try {
        data_.Tabmisurazioni.edit();
    } catch (const std::exception& e) {
        ui::showFailure(e);
        return;
    }
    showEntry(true);
    customer_->setText(verificationCustomerName(data_));
    vat_->setFocus();
}

void VerificationPage::deleteVerification() {
    if (ui::deleteRecord(data_.Tabmisurazioni, {}))
        emit recordsChanged();
}

bool VerificationPage::confirm() {
    store::Table& t = data_.Tabmisurazioni;
    try {
        commitFocused();
        const registry::SaveVerdict verdict = checkVerificationSave(data_);
        if (!verdict.accepted()) {
            ui::dialogs().warning(verdict.message);
            if (QWidget* box = ui::boundControl(t, verdict.focusField, window()))
                box->setFocus(Qt::OtherFocusReason);
            return false;
        }
        t.post();
    } catch (const std::exception& e) {
        // The store's own message; the record stays in entry.
        ui::showFailure(e);
        return false;
    }
    showEntry(false);
    emit recordsChanged();
    return true;
}

void VerificationPage::cancel() {
    try {
        data_.Tabmisurazioni.cancel();
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
    showEntry(false);
}

void VerificationPage::municipalityLeft() {
    // Leaving for "Annulla" drops the record: a warning then would only swallow the click.
    auto* target = qobject_cast<QPushButton*>(QApplication::focusWidget());
    if (target && target->text() == QLatin1String("Annulla"))
        return;
    try {
        if (const auto unknown = applyVerificationMunicipality(data_))
            ui::dialogs().warning(*unknown);
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
}

} // namespace movements
