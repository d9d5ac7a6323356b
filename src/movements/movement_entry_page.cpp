#include "movements/movement_entry_page.h"

#include "articles/movement_articles.h"
#include "articles/sel_artesew.h"
#include "movements/movement_commands.h"
#include "movements/movement_rules.h"
#include "registry/eserciziow.h"
#include "registry/tecnicow.h"
#include "store/dm.h"
#include "store/error.h"
#include "ui/dbchoice.h"
#include "ui/dbedit.h"
#include "ui/dialogs.h"
#include "ui/fieldlink.h"
#include "ui/formkit.h"
#include "ui/screen.h"

#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace movements {

namespace {

QString f(const char* name) {
    return QString::fromLatin1(name);
}

/// A button of the page. A store failure its action meets (a register another program holds
/// locked, say) is said to the user instead of escaping the event loop; the entry stays.
QPushButton* button(const QString& caption, QObject* context, std::function<void()> action) {
    auto* b = new QPushButton(caption);
    b->setAutoDefault(false);
    QObject::connect(b, &QPushButton::clicked, context, [action = std::move(action)] {
        try {
            action();
        } catch (const std::exception& e) {
            ui::showFailure(e);
        }
    });
    return b;
}

/// A box that only shows its field.
ui::DbEdit* shown(store::Table& t, const char* field) {
    auto* box = new ui::DbEdit(t, f(field));
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

ui::DbEdit* typed(store::Table& t, const char* field, bool upperCase = true) {
    auto* box = new ui::DbEdit(t, f(field));
    box->setUpperCase(upperCase);
    return box;
}

} // namespace

MovementEntryPage::MovementEntryPage(Tdm& data, store::Table& customers, store::Table& types,
                                     std::function<void()> done, QWidget* parent)
    : QWidget(parent)
    , data_(data)
    , customers_(customers)
    , done_(std::move(done)) {
    store::Table& mov = data.Tabmov;
    auto* layout = new QVBoxLayout(this);

    auto* top = new QFormLayout;
    auto* when = new QHBoxLayout;
    date_ = new ui::DbDateEdit(mov, f("Data"));
    when->addWidget(date_);
    when->addWidget(new QLabel(QStringLiteral("Ora")));
    when->addWidget(new ui::DbTimeEdit(mov, f("Ora")));
    when->addStretch(1);
    top->addRow(QStringLiteral("Data"), when);
    type_ = new ui::DbLookupCombo(mov, f("Id_tipomov"), types, f("Id"), f("Descrizione"));
    top->addRow(QStringLiteral("Tipo Movimento:"), type_);
    layout->addLayout(top);
    layout->addWidget(buildCustomerRows());

    auto* notes = new QFormLayout;
    notes->addRow(QStringLiteral("Ho parlato con:"), typed(mov, "Parlato_con"));
    notes->addRow(QStringLiteral("Segnalazione:"), typed(mov, "Segnalazione"));
    auto* noteBoxes = new QVBoxLayout;
    for (const char* field : {"Nota1", "Nota2", "Nota3", "Nota4"})
        noteBoxes->addWidget(typed(mov, field));
    notes->addRow(QStringLiteral("Nota:"), noteBoxes);
    notes->addRow(QStringLiteral("Rec. urgente:"), typed(mov, "Rec_urgente"));
    notes->addRow(QStringLiteral("Accordi:"), typed(mov, "Accordi"));
    auto* middle = new QHBoxLayout;
    middle->addLayout(notes, 3);
    middle->addWidget(buildTechnicianGroup(), 2);
    layout->addLayout(middle);
    layout->addStretch(1);

    auto* foot = new QHBoxLayout;
    foot->addStretch(1);
    foot->addWidget(button(QStringLiteral("OK"), this, [this] { confirm(); }));
    foot->addWidget(button(QStringLiteral("Annulla"), this, [this] { cancel(); }));
    layout->addLayout(foot);
}

QWidget* MovementEntryPage::buildCustomerRows() {
    store::Table& mov = data_.Tabmov;
    auto* panel = new QWidget;
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    customer_ = new ui::DbLookupCombo(mov, f("ID_ESERCIZIO"), customers_, f("Id_esercizio"),
                                      f("Ragione_sociale"));
    customer_->setMinimumContentsLength(40);
    grid->addWidget(new QLabel(QStringLiteral("Ragione Sociale:")), 0, 0);
    grid->addWidget(customer_, 0, 1, 1, 3);
    grid->addWidget(button(QStringLiteral("cerca/nuovo"), this, [this] { findCustomer(); }), 0, 4);

    auto* address = new QHBoxLayout;
    for (const char* field : {"Piva", "INDIRIZZO", "COMUNE"}) {
        ui::DbEdit* text = shown(mov, field);
        ui::DbEdit* box = typed(mov, field, std::string_view(field) != "Piva");
        box->hide();
        address->addWidget(text);
        address->addWidget(box);
        addressTexts_.push_back(text);
        addressBoxes_.push_back(box);
    }
    address->addWidget(button(QStringLiteral("varia"), this, [this] { toggleAddress(); }));
    address->addStretch(1);
    grid->addLayout(address, 1, 1, 1, 4);

    grid->addWidget(new QLabel(QStringLiteral("Matricola")), 2, 0);
    grid->addWidget(shown(mov, "MATRICOLA_MS"), 2, 1);
    grid->addWidget(button(QStringLiteral("Seleziona articolo"), this, [this] { pickMachine(); }),
                    2, 2);
    auto* model = new QHBoxLayout;
    for (const auto& [label, field] :
         {std::pair{"Denom.", "denom_ms"}, std::pair{"Marchio", "marchio_ms"},
          std::pair{"logotipo", "logotipo_ms"}}) {
        model->addWidget(new QLabel(f(label)));
        model->addWidget(shown(mov, field));
    }
    model->addStretch(1);
    grid->addLayout(model, 3, 1, 1, 4);
    grid->setColumnStretch(3, 1);
    return panel;
}

QWidget* MovementEntryPage::buildTechnicianGroup() {
    store::Table& mov = data_.Tabmov;
    auto* group = new QGroupBox(QStringLiteral("Tecnico generico associato"));
    auto* form = new QFormLayout(group);
    auto* who = new QHBoxLayout;
    technician_ = new ui::DbLookupCombo(mov, f("ID_TECNICO"), data_.Tabtecnico, f("Id_tecnico"),
                                        f("Cogn_no_sigillo"));
    technician_->setMinimumContentsLength(24);
    who->addWidget(technician_, 1);
    who->addWidget(button(QStringLiteral("cerca"), this, [this] { findTechnician(); }));
    form->addRow(QStringLiteral("Cognome e nome"), who);
    auto* seal = new QHBoxLayout;
    seal->addWidget(shown(mov, "cogn_no_idnumsig"), 1);
    seal->addWidget(shown(mov, "id_al_num"));
    form->addRow(QString(), seal);

    appointment_ = new ui::DbCheckBox(QStringLiteral("Appuntamento"), mov, f("Appuntamento"));
    connect(appointment_, &QCheckBox::clicked, this,
            [this] { showAppointment(data_.Tabmov.field(f("Appuntamento")).asBoolean()); });
    // As wide as its caption: a click beside it would toggle nothing.
    appointment_->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    form->addRow(appointment_);
    appointmentDate_ = new ui::DbDateEdit(mov, f("Data_app"));
    appointmentDate_->installEventFilter(this);
    appointmentTime_ = new ui::DbTimeEdit(mov, f("Ora_app"));
    appointmentDateLabel_ = new QLabel(QStringLiteral("Data appuntamento:"));
    appointmentTimeLabel_ = new QLabel(QStringLiteral("Ora appuntamento:"));
    form->addRow(appointmentDateLabel_, appointmentDate_);
    form->addRow(appointmentTimeLabel_, appointmentTime_);
    return group;
}

void MovementEntryPage::prepare(bool typeLocked) {
    for (QWidget* text : addressTexts_)
        text->show();
    for (QWidget* box : addressBoxes_)
        box->hide();
    store::Table& mov = data_.Tabmov;
    showAppointment(mov.field(f("Appuntamento")).asBoolean());
    ui::setLocked(type_, typeLocked);
    ui::setLocked(customer_, mov.state() == store::DataSetState::Edit &&
                                 hasVerifications(data_, mov.field(f("Id")).value()));
    ui::focusWhenIdle(date_);
}

void MovementEntryPage::showAppointment(bool shown) {
    for (QWidget* w : std::initializer_list<QWidget*>{appointmentDate_, appointmentTime_,
                                                      appointmentDateLabel_, appointmentTimeLabel_})
        w->setVisible(shown);
}

bool MovementEntryPage::addressEditable() const {
    return !addressBoxes_.empty() && addressBoxes_.front()->isVisibleTo(this);
}

void MovementEntryPage::toggleAddress() {
    const bool edit = !addressEditable();
    for (QWidget* box : addressBoxes_)
        box->setVisible(edit);
    for (QWidget* text : addressTexts_)
        text->setVisible(!edit);
}

bool MovementEntryPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == appointmentDate_ && event->type() == QEvent::FocusOut &&
        ui::leavesTheControl(static_cast<QFocusEvent*>(event)->reason()))
        // After the box has stored what was typed.
        QMetaObject::invokeMethod(
            this, [this] { checkTechnician(); }, Qt::QueuedConnection);
    return QWidget::eventFilter(watched, event);
}

void MovementEntryPage::checkTechnician() {
    const QDate appointment = data_.Tabmov.field(f("Data_app")).asDate();
    if (!technicianExpired(data_, appointment))
        return;
    ui::dialogs().message(
        QStringLiteral("Il rapporto con il tecnico selezionato risulta scaduto."));
    ui::focusWhenIdle(technician_);
}

void MovementEntryPage::findCustomer() {
    const QVariant id = data_.Tabmov.field(f("ID_ESERCIZIO")).value();
    if (!customer_->currentText().isEmpty() && !id.isNull())
        data_.Tabesercizio.locate(f("Id_esercizio"), id);
    registry::openCustomers(data_);
    customers_.refresh();
}

void MovementEntryPage::findTechnician() {
    const QVariant id = data_.Tabmov.field(f("ID_TECNICO")).value();
    if (!technician_->currentText().isEmpty() && !id.isNull())
        data_.Tabtecnico.locate(f("Id_tecnico"), id);
    registry::openTechnicians(data_);
}

void MovementEntryPage::pickMachine() {
    const QString name = customer_->currentText();
    if (name.isEmpty()) {
        ui::dialogs().message(QStringLiteral("inserire prima la ragione sociale"));
        ui::focusWhenIdle(customer_);
        return;
    }
    articles::pickMachine(data_, articles::pickForType(type_->currentText()),
                          articles::customerIdForName(data_, name));
}

void MovementEntryPage::confirm() {
    if (customer_->currentText().isEmpty()) {
        ui::dialogs().message(QStringLiteral("Inserire prima la Ditta"));
        ui::focusWhenIdle(customer_);
        return;
    }
    try {
        data_.Tabmov.post();
    } catch (const store::Error& e) {
        ui::showFailure(e);
        return;
    }
    finish();
}

void MovementEntryPage::cancel() {
    store::Table& mov = data_.Tabmov;
    try {
        if (machineTakenByThisEntry(data_) &&
            !articles::returnToWarehouse(data_, mov.field(f("MATRICOLA_MS")).asString(),
                                         articles::Address::Clear))
            ui::dialogs().message(QStringLiteral("errore 10009"));
    } catch (const store::Error& e) {
        ui::showFailure(e);
    }
    mov.cancel();
    finish();
}

void MovementEntryPage::finish() {
    ui::setLocked(customer_, false);
    if (done_)
        done_();
}

} // namespace movements
