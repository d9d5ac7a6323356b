#include "registry/soggettow.h"

#include "registry/invoice_boxes.h"
#include "registry/obliged_subject_rules.h"
#include "store/dm.h"
#include "store/texts.h"
#include "ui/dbchoice.h"
#include "ui/dbedit.h"
#include "ui/dialogs.h"
#include "ui/fieldlink.h"
#include "ui/formkit.h"
#include "ui/grid.h"
#include "ui/modal.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString kGeneral = QStringLiteral("Generale - soggetto obbligato");
const QString kLegalGroup = QStringLiteral(" da impostare solo nel caso di persona giuridica");
const QString kNaturalGroup = QStringLiteral(" da impostare solo nel caso di persona fisica");
const QStringList kKinds{QStringLiteral("1=Fabbricante abilitato"),
                         QStringLiteral("2=Laboratorio di Fabbricante abilitato"),
                         QStringLiteral("3=Laboratorio Autonomo")};

QLabel* legendLabel() {
    return new QLabel(QStringLiteral("Legenda tipo abilitazione:\n") + kKinds.join(u'\n'));
}

/// A form group of boxes on `fields`, labelled by `captions`; collected into `boxes` when given.
QGroupBox* group(const QString& title, store::Table& t, const QStringList& captions,
                 const QStringList& fields, QMap<QString, QWidget*>* boxes, bool viewOnly) {
    auto* box = new QGroupBox(title);
    auto* form = new QFormLayout(box);
    for (qsizetype i = 0; i < captions.size(); ++i) {
        QWidget* control = nullptr;
        if (fields[i] == QLatin1String("Pf_data_nascita"))
            control = new ui::DbDateEdit(t, fields[i]);
        else if (fields[i] == QLatin1String("PF_sesso") && !viewOnly) {
            auto* combo = new ui::DbComboBox(t, fields[i]);
            combo->setValueList(store::texts::sexes());
            control = combo;
        } else
            control = new ui::DbUpperEdit(t, fields[i]);
        if (viewOnly || fields[i].contains(QLatin1String("prov"), Qt::CaseInsensitive))
            ui::setLocked(control, true);
        form->addRow(captions[i], control);
        if (boxes)
            boxes->insert(captions[i], control);
    }
    return box;
}

const QStringList kLegalCaptions{QStringLiteral("Denominazione"), QStringLiteral("Comune fiscale"),
                                 QStringLiteral("Prov. fiscale")};
const QStringList kLegalFields{QStringLiteral("PG_denominazione"),
                               QStringLiteral("PG_comune_fiscale"),
                               QStringLiteral("PG_prov_fiscale")};
const QStringList kNaturalCaptions{
    QStringLiteral("Cognome"),        QStringLiteral("Nome"),
    QStringLiteral("sesso"),          QStringLiteral("Data nascita"),
    QStringLiteral("Comune nascita"), QStringLiteral("Prov. nascita")};
const QStringList kNaturalFields{
    QStringLiteral("PF_cognome"),        QStringLiteral("PF_nome"),
    QStringLiteral("PF_sesso"),          QStringLiteral("Pf_data_nascita"),
    QStringLiteral("Pf_comune_nascita"), QStringLiteral("Pf_prov_nascita")};

} // namespace

Tlsogg_form::Tlsogg_form(Tdm& data, QWidget* parent)
    : ui::Screen(parent)
    , data_(data) {
    setWindowTitle(QStringLiteral("Dati abilitazione:"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* form = new QFormLayout;
    auto* kind = new ui::DbComboBox(data.TabLsogg, QStringLiteral("Tipo_abilitazione"));
    kind->setValueList(kKinds);
    form->addRow(QStringLiteral("Tipo_abilitazione"), kind);
    seal_ = new ui::DbUpperEdit(data.TabLsogg, QStringLiteral("Id_al_sigillo"));
    form->addRow(QStringLiteral("Id alfanumerico del sigillo"), seal_);
    row->addLayout(form, 1);
    row->addWidget(legendLabel());
    layout->addLayout(row);
    layout->addLayout(ui::buttonRow(this, {{QStringLiteral("Ok"),
                                            [this] {
                                                confirm();
                                            }},
                                           {QStringLiteral("Annulla"), [this] {
                                                cancel();
                                            }}}));
}

bool Tlsogg_form::confirm() {
    try {
        seal_->commit();
        if (!registry::authorisationComplete(data_)) {
            ui::dialogs().message(store::texts::missingValues());
            return false;
        }
        data_.TabLsogg.post();
    } catch (const std::exception& e) {
        ui::showFailure(e);
        return false;
    }
    closeWith(Accepted);
    return true;
}

void Tlsogg_form::cancel() {
    try {
        data_.TabLsogg.cancel();
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
    closeWith(Rejected);
}

Tsoggettoform::Tsoggettoform(Tdm& data, QWidget* parent)
    : ui::RegisterScreen(data.Tabsoggetto,
                         QStringLiteral("Dati sul Soggetto Obbligato e relative abilitazioni"),
                         {900, 640}, parent)
    , data_(data) {
    store::Table& t = table();

    // View page.
    auto* general = new QGroupBox(kGeneral);
    auto* generalLayout = new QHBoxLayout(general);
    authorisations_ = new ui::DataGrid(
        data.TabLsogg,
        {{QStringLiteral("Tipo_abilitazione"), QStringLiteral("Tipo_abilitazione"), 130},
         {QStringLiteral("Id_al_sigillo"), QStringLiteral("Id alfanumerico del sigillo"), 200}});
    authorisations_->setRowSelect(true);
    generalLayout->addWidget(authorisations_, 1);
    auto* notes = new QVBoxLayout;
    auto* note = new QLabel(QStringLiteral(
        "Un laboratorio abilitato dovrà avere un numero di righe/record pari al numero delle "
        "abilitazione e quindi dei sigilli alfanumerici in suo possesso."));
    note->setWordWrap(true);
    notes->addWidget(note);
    notes->addWidget(legendLabel());
    notes->addStretch(1);
    generalLayout->addLayout(notes, 1);
    listContent()->addWidget(general, 1);
    listContent()->addWidget(
        group(kGeneral, t, {QStringLiteral("Piva")}, {QStringLiteral("Piva")}, nullptr, true));
    auto* people = new QHBoxLayout;
    legalView_ = group(kLegalGroup, t, kLegalCaptions, kLegalFields, nullptr, true);
    naturalView_ = group(kNaturalGroup, t, kNaturalCaptions, kNaturalFields, nullptr, true);
    people->addWidget(legalView_);
    people->addWidget(naturalView_);
    listContent()->addLayout(people);
    addListButton(QStringLiteral("Modifica"), [this] {
        modify();
    })->setToolTip(QStringLiteral("Vengono modificati i dati generali dell'azienda"));
    addListButton(QStringLiteral("Nuova abilitazione"), [this] { editAuthorisation(true); });
    addListButton(QStringLiteral("Modifica abilitazione"), [this] { editAuthorisation(false); });
    addListButton(QStringLiteral("Elimina"), [this] { deleteAuthorisation(); });
    addCloseButton(QStringLiteral("chiudi"));

    // Edit page.
    QMap<QString, QWidget*> vat;
    editContent()->addWidget(
        group(kGeneral, t, {QStringLiteral("Piva")}, {QStringLiteral("Piva")}, &vat, false));
    vat_ = qobject_cast<ui::DbEdit*>(vat.value(QStringLiteral("Piva")));
    auto* choice = new QGroupBox(QStringLiteral("Seleziona"));
    auto* choiceLayout = new QHBoxLayout(choice);
    legal_ = new QRadioButton(QStringLiteral("Persona Giuridica"));
    natural_ = new QRadioButton(QStringLiteral("Persona Fisica"));
    choiceLayout->addWidget(legal_);
    choiceLayout->addWidget(natural_);
    choiceLayout->addStretch(1);
    connect(legal_, &QRadioButton::clicked, this, [this] { choose(QStringLiteral("0")); });
    connect(natural_, &QRadioButton::clicked, this, [this] { choose(QStringLiteral("1")); });
    editContent()->addWidget(choice);
    auto* editPeople = new QHBoxLayout;
    editPeople->addWidget(group(kLegalGroup, t, kLegalCaptions, kLegalFields, &editBoxes_, false));
    editPeople->addWidget(
        group(kNaturalGroup, t, kNaturalCaptions, kNaturalFields, &editBoxes_, false));
    editContent()->addLayout(editPeople);
    auto* invoice = new QGroupBox(QStringLiteral("Fattura elettronica"));
    auto* invoiceForm = new QFormLayout(invoice);
    invoiceBoxes_ = std::make_unique<registry::InvoiceBoxes>(
        einvoice::Owner::Workshop, einvoice::workshopBoxes(), invoiceForm);
    editContent()->addWidget(invoice);
    editContent()->addStretch(1);
    addConfirmButton(QStringLiteral("OK"));
    // A missing box leaves the record on the edit page without a word; a wrong value of the
    // electronic invoice says what it should be.
    setSaveCheck([this] {
        if (!registry::obligedSubjectComplete(data_))
            return false;
        QLineEdit* wrong = nullptr;
        const QString refusal = invoiceBoxes_->check(&wrong);
        if (refusal.isEmpty())
            return true;
        ui::dialogs().warning(refusal);
        wrong->setFocus(Qt::OtherFocusReason);
        return false;
    });
    addCancelButton(QStringLiteral("Annulla"));
    setFirstEditor(vat_);
    setPageHooks(
        [this] {
            const QString kind = table().field(QStringLiteral("PG_PF")).asString();
            legal_->setChecked(kind == QLatin1String("0"));
            natural_->setChecked(kind == QLatin1String("1"));
            applyPersonKind();
            invoiceBoxes_->load(table().databaseName(),
                                table().field(QStringLiteral("Id_sogg_obbl")).asInteger());
        },
        [this] { applyGroupVisibility(); });
    applyGroupVisibility();
    personKind_ = std::make_unique<ui::FieldLink>(
        t, QStringLiteral("PG_PF"),
        [this](ui::Refresh how) {
            if (how == ui::Refresh::Reload && personKind_ && personKind_->active())
                applyPersonKind();
        },
        ui::FieldLink::CommitFn{});
}

Tsoggettoform::~Tsoggettoform() = default;

QWidget* Tsoggettoform::editBox(const QString& caption) const {
    if (caption == QLatin1String("Piva"))
        return vat_;
    return editBoxes_.value(caption);
}

QRadioButton* Tsoggettoform::kindButton(const QString& caption) const {
    return caption == legal_->text() ? legal_ : caption == natural_->text() ? natural_ : nullptr;
}

void Tsoggettoform::applyGroupVisibility() {
    const QString kind = table().field(QStringLiteral("PG_PF")).asString();
    if (kind == QLatin1String("0") || kind == QLatin1String("1")) {
        legalView_->setVisible(kind == QLatin1String("0"));
        naturalView_->setVisible(kind == QLatin1String("1"));
    }
}

void Tsoggettoform::applyPersonKind() {
    const QString kind = table().field(QStringLiteral("PG_PF")).asString();
    const bool legalOpen = kind == QLatin1String("0");
    const bool naturalOpen = kind == QLatin1String("1");
    for (const QString& caption : kLegalCaptions)
        ui::setLocked(editBoxes_.value(caption),
                      !legalOpen || caption == QLatin1String("Prov. fiscale"));
    for (const QString& caption : kNaturalCaptions)
        ui::setLocked(editBoxes_.value(caption),
                      !naturalOpen || caption == QLatin1String("Prov. nascita"));
}

void Tsoggettoform::choose(const QString& kind) {
    if (!editing())
        return;
    try {
        table().field(QStringLiteral("PG_PF")).setAsString(kind);
    } catch (const std::exception& e) {
        ui::showFailure(e);
        return;
    }
    applyPersonKind();
    // The next box to fill is the first of the group just opened.
    if (QWidget* next =
            editBoxes_.value(kind == QLatin1String("0") ? QStringLiteral("Denominazione")
                                                        : QStringLiteral("Cognome")))
        next->setFocus(Qt::TabFocusReason);
}

void Tsoggettoform::modify() {
    const bool empty = !table().active() || table().isEmpty();
    if (empty ? startNew() : startEdit())
        applyPersonKind();
}

bool Tsoggettoform::subjectMissing() {
    if (table().active() && !table().isEmpty())
        return false;
    ui::dialogs().information(QStringLiteral(
        "Inserire prima i dati generali sul soggetto obbligato tramite il bottone modifica in "
        "alto."));
    return true;
}

void Tsoggettoform::editAuthorisation(bool appending) {
    if (subjectMissing())
        return;
    try {
        if (appending)
            data_.TabLsogg.append();
        else if (data_.TabLsogg.isEmpty())
            return;
        else
            data_.TabLsogg.edit();
    } catch (const std::exception& e) {
        ui::showFailure(e);
        return;
    }
    ui::showScreen<Tlsogg_form>(data_, this);
}

bool Tsoggettoform::deleteAuthorisation() {
    return ui::deleteRecord(
        data_.TabLsogg,
        {.question = QStringLiteral("Sei sicuro di volere cancellare l'abilitazione selezionata?"),
         .checks = {[this] {
             return registry::authorisationDeleteRefusal(
                 data_, data_.TabLsogg.field(QStringLiteral("Id_Lsogg")).asInteger());
         }},
         .done = QStringLiteral("Abilitazione eliminata correttamente.")});
}

bool Tsoggettoform::confirm() {
    if (!ui::RegisterScreen::confirm())
        return false;
    try {
        invoiceBoxes_->store(table().databaseName(),
                             table().field(QStringLiteral("Id_sogg_obbl")).asInteger());
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
    return true;
}

QLineEdit* Tsoggettoform::invoiceBox(const QString& field) const {
    return invoiceBoxes_->box(field);
}

namespace registry {

int openObligedSubject(Tdm& data) {
    return ui::showScreen<Tsoggettoform>(data);
}

} // namespace registry
