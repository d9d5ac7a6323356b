#include "registry/tecnicow.h"

#include "registry/technician_rules.h"
#include "store/dm.h"
#include "store/texts.h"
#include "ui/dbchoice.h"
#include "ui/dbedit.h"
#include "ui/dialogs.h"
#include "ui/formkit.h"
#include "ui/grid.h"
#include "ui/modal.h"

#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QStringList kResponsible{QStringLiteral("0=NO"), QStringLiteral("1=SI")};
const QStringList kQualifications{
    QStringLiteral("0=Nessun Titolo;"), QStringLiteral("1=Licenza Elementare;"),
    QStringLiteral("2=Licenza Media Inferiore;"), QStringLiteral("3=Licenza Media Superiore;"),
    QStringLiteral("4=Laurea;")};

ui::DbComboBox* valueList(store::Table& t, const char* field, const QStringList& entries) {
    auto* box = new ui::DbComboBox(t, QString::fromLatin1(field));
    box->setValueList(entries);
    return box;
}

} // namespace

Ttipo_tecnicoForm::Ttipo_tecnicoForm(store::Table& technicians, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("tipo_tecnicoForm"));
    if (technicians.field(QStringLiteral("Vf_sn")).isNull())
        technicians.field(QStringLiteral("Vf_sn")).setAsBoolean(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new ui::DbCheckBox(QStringLiteral("abilitato alle verifiche"), technicians,
                                         QStringLiteral("Vf_sn")));
    layout->addLayout(ui::buttonRow(this,
                                    {{QStringLiteral("OK"),
                                      [this] {
                                          accept();
                                      }},
                                     {QStringLiteral("Annulla"),
                                      [this] {
                                          reject();
                                      }}},
                                    false));
}

TtecnicoForm::TtecnicoForm(Tdm& data, QWidget* parent)
    : ui::RegisterScreen(
          data.Tabtecnico,
          QStringLiteral("Elenco dei tecnici abilitati alle verifiche e non abilitati:"),
          {900, 600}, parent)
    , data_(data) {
    store::Table& t = table();

    std::vector<ui::GridColumn> columns{
        {QStringLiteral("Cogn_nome"), QStringLiteral("Cognome e nome"), 200},
        {QStringLiteral("Cf"), QStringLiteral("Codice Fiscale"), 140},
        {QStringLiteral("al_sigillo"), QStringLiteral("Id alfanumerico del sigillo"), 150},
        {QStringLiteral("Id_nu_sigillo"), QStringLiteral("Id numerico del sigillo"), 130}};
    for (const char* field : {"Sesso", "Data_nascita", "Comune_nascita", "Prov_nascita",
                              "Responsabile", "Titolo_studio", "Data_inizio", "Data_fine"})
        columns.push_back({QString::fromLatin1(field), QString::fromLatin1(field), 90});
    addGrid(std::move(columns))->setRowStyler([](const ui::GridRow& row, ui::CellStyle& style) {
        if (row.value(QStringLiteral("Vf_sn")).toBool())
            style.text = QColor(0, 0, 255);
        const QDate end = row.value(QStringLiteral("Data_fine")).toDate();
        if (end.isValid() && end < QDate::currentDate())
            style.background = QColor(128, 128, 128);
    });
    addListButton(QStringLiteral("Nuovo"), [this] { newTechnician(); });
    addListButton(QStringLiteral("Modifica"), [this] { modifyTechnician(); });
    addListButton(QStringLiteral("Elimina"), [this] { deleteTechnician(); });
    addCloseButton(QStringLiteral("chiudi"));

    fiscalCode_ = addFieldRow(QStringLiteral("Codice Fiscale"), QStringLiteral("Cf"));
    surname_ = addFieldRow(QStringLiteral("Cognome"), QStringLiteral("Cognome"));
    addFieldRow(QStringLiteral("Nome"), QStringLiteral("Nome"));
    addValueListRow(QStringLiteral("Sesso"), QStringLiteral("Sesso"), store::texts::sexes());
    editForm()->addRow(QStringLiteral("Data nascita"),
                       new ui::DbDateEdit(t, QStringLiteral("Data_nascita")));
    addFieldRow(QStringLiteral("Comune nascita"), QStringLiteral("Comune_nascita"));
    addFieldRow(QStringLiteral("Prov. nascita"), QStringLiteral("Prov_nascita"))->setReadOnly(true);

    auto* lower = new QHBoxLayout;
    verification_ = new QGroupBox(QStringLiteral("Dati per le verifiche"));
    verification_->setLayout(new QFormLayout);
    addVerificationRow(QStringLiteral("Id numerico del sigillo"),
                       new ui::DbUpperEdit(t, QStringLiteral("Id_nu_sigillo")));
    addVerificationRow(QStringLiteral("Responsabile"), valueList(t, "Responsabile", kResponsible));
    addVerificationRow(QStringLiteral("Titolo di studio"),
                       valueList(t, "Titolo_studio", kQualifications));
    addVerificationRow(QStringLiteral("Data inizio collaborazione"),
                       new ui::DbDateEdit(t, QStringLiteral("Data_inizio")));
    addVerificationRow(QStringLiteral("Data fine collaborazione"),
                       new ui::DbDateEdit(t, QStringLiteral("Data_fine")));
    addVerificationRow(QStringLiteral("Id alfanumerico del sigillo"),
                       new ui::DbLookupCombo(t, QStringLiteral("Id_sogg"), data.TabLsogg,
                                             QStringLiteral("Id_Lsogg"),
                                             QStringLiteral("Id_al_sigillo")));
    lower->addWidget(verification_, 1);

    auto* legend = new QGroupBox(QStringLiteral("Leggenda"));
    auto* legendLayout = new QVBoxLayout(legend);
    const auto legendText = [](const QString& title, const QStringList& lines) {
        return new QLabel(title + u'\n' + lines.join(u'\n'));
    };
    legendLayout->addWidget(legendText(QStringLiteral("Titolo di Studio:"), kQualifications));
    legendLayout->addWidget(legendText(QStringLiteral("Sesso:"), store::texts::sexes()));
    legendLayout->addWidget(legendText(QStringLiteral("Responsabile:"), kResponsible));
    legendLayout->addStretch(1);
    lower->addWidget(legend);
    editContent()->insertLayout(editContent()->count() - 1, lower);

    addEditButton(QStringLiteral("Sblocca"), [this] { lockFiscalCode(false); });
    addEditButton(QStringLiteral("cambia tipo tecnico"), [this] { toggleKind(); });
    addConfirmButton(QStringLiteral("OK"));
    addCancelButton(QStringLiteral("Annulla"));
    setFirstEditor(surname_);
    setSaveCheck([this] {
        if (registry::technicianComplete(data_))
            return true;
        ui::dialogs().message(store::texts::missingValues());
        return false;
    });
    setPageHooks([this] { showVerificationPanel(); }, {});
    lockFiscalCode(true);
}

QWidget* TtecnicoForm::addVerificationRow(const QString& label, QWidget* box) {
    static_cast<QFormLayout*>(verification_->layout())->addRow(label, box);
    return box;
}

void TtecnicoForm::lockFiscalCode(bool locked) {
    fiscalCode_->setReadOnly(locked);
}

void TtecnicoForm::showVerificationPanel() {
    verification_->setVisible(table().field(QStringLiteral("Vf_sn")).asBoolean());
}

void TtecnicoForm::newTechnician() {
    try {
        table().append();
    } catch (const std::exception& e) {
        ui::showFailure(e);
        return;
    }
    Ttipo_tecnicoForm chooser(table(), this);
    if (ui::detail::execModal(chooser) != QDialog::Accepted) {
        table().cancel();
        return;
    }
    // The chooser took the activation with it: the screen must be active again to be typed in.
    activateWindow();
    lockFiscalCode(true);
    showEditPage();
    surname_->setFocus();
}

void TtecnicoForm::modifyTechnician() {
    if (!table().active() || table().isEmpty())
        return;
    lockFiscalCode(true);
    if (startEdit())
        surname_->setFocus();
}

void TtecnicoForm::toggleKind() {
    const store::Field enabled = table().field(QStringLiteral("Vf_sn"));
    enabled.setAsBoolean(!enabled.asBoolean());
    showVerificationPanel();
}

bool TtecnicoForm::deleteTechnician() {
    return deleteCurrent(
        {.question = QStringLiteral("Sei sicuro di volere cancellare il tecnico selezionato?"),
         .checks = {[this] {
             return registry::technicianDeleteRefusal(
                 data_, table().field(QStringLiteral("Id_tecnico")).asInteger());
         }},
         .done = QStringLiteral("Tecnico eliminato correttamente.")});
}

namespace registry {

int openTechnicians(Tdm& data) {
    return ui::showScreen<TtecnicoForm>(data);
}

} // namespace registry
