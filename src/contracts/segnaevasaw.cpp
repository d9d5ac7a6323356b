#include "contracts/segnaevasaw.h"

#include "contracts/contract_rules.h"
#include "contracts/elenco_contrattiw.h"
#include "store/dm.h"
#include "ui/dbchoice.h"
#include "ui/dbedit.h"
#include "ui/dialogs.h"
#include "ui/formkit.h"
#include "ui/modal.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

std::function<void(Tdm&, int)>& wordingPicker() {
    static std::function<void(Tdm&, int)> pick;
    return pick;
}

const QString renewalTab = QStringLiteral("Rinnovo del contratto");

ui::DbEdit* shownOnly(store::Table& movement, const QString& field, const QString& hint) {
    auto* box = new ui::DbEdit(movement, field);
    box->setReadOnly(true);
    box->setToolTip(hint);
    box->setPlaceholderText(hint);
    // Shown only: the Tab key goes from the check boxes to the report lines.
    box->setFocusPolicy(Qt::ClickFocus);
    return box;
}

} // namespace

struct TsegnaevasaForm::OwnTables {
    explicit OwnTables(const QString& folder)
        : contracts(folder, QStringLiteral("ele_contratti"))
        , lines(folder, QStringLiteral("LINEE_CONTRATTI")) {
        contracts.open();
        lines.open();
    }
    store::Table contracts;
    store::Table lines;
};

TsegnaevasaForm::TsegnaevasaForm(Tdm& data, QWidget* parent)
    : ui::Screen(parent)
    , data_(data)
    , own_(std::make_unique<OwnTables>(data.Tabmov.databaseName())) {
    setWindowTitle(QStringLiteral("Segna il movimento evaso e/o da fatturare ... se si deve "
                                  "aggiornare la data del contratto"));
    resize(820, 560);
    // Closing by the frame neither stores nor drops: the movement screen decides.
    setCloseAllowed(true);
    store::Table& mov = data.Tabmov;
    auto* layout = new QVBoxLayout(this);

    auto* header = new QGridLayout;
    header->addWidget(
        shownOnly(mov, QStringLiteral("tipo_mov"), QStringLiteral("tipo di movimento")), 0, 0);
    header->addWidget(
        shownOnly(mov, QStringLiteral("ragionesociale"), QStringLiteral("ragione sociale")), 0, 1);
    for (int i = 1; i <= 4; ++i)
        header->addWidget(
            shownOnly(mov, QStringLiteral("Nota%1").arg(i), QStringLiteral("nota%1").arg(i)),
            1 + (i - 1) / 2, (i - 1) % 2);
    header->addWidget(shownOnly(mov, QStringLiteral("Accordi"), QStringLiteral("accordi")), 3, 0);
    header->addWidget(
        shownOnly(mov, QStringLiteral("Rec_urgente"), QStringLiteral("Recapito urgente")), 3, 1);
    layout->addLayout(header);

    auto* flags = new QHBoxLayout;
    flags->addWidget(
        new ui::DbCheckBox(QStringLiteral("Segna Evasa"), mov, QStringLiteral("Evasa_sn")));
    toInvoice_ =
        new ui::DbCheckBox(QStringLiteral("Da Fatturare"), mov, QStringLiteral("Da_fatt_sn"));
    flags->addWidget(toInvoice_);
    auto* invoiced =
        new ui::DbCheckBox(QStringLiteral("Gia fatturata"), mov, QStringLiteral("Gia_fatt_sn"));
    invoiced->setReadOnly(true);
    flags->addWidget(invoiced);
    flags->addWidget(new QLabel(QStringLiteral("(il flag viene settato quando il movimento verra "
                                               "selezionato nella creazione di un documento)")));
    flags->addStretch(1);
    layout->addLayout(flags);

    tabs_ = new QTabWidget;
    auto* report = new QWidget;
    auto* reportLines = new QVBoxLayout(report);
    for (int i = 1; i <= 4; ++i) {
        auto* line = new ui::DbEdit(mov, QStringLiteral("Rapp%1").arg(i));
        reportLines->addWidget(line);
        if (i == 1)
            line->setFocus(Qt::OtherFocusReason);
    }
    reportLines->addStretch(1);
    tabs_->addTab(report, QStringLiteral("Rapporto tecnico"));

    auto* invoice = new QWidget;
    auto* invoiceGrid = new QGridLayout(invoice);
    for (int i = 1; i <= 4; ++i) {
        invoiceGrid->addWidget(new ui::DbEdit(mov, QStringLiteral("Da_fatt%1").arg(i)), i - 1, 0, 1,
                               3);
        auto* pick = new QPushButton(QStringLiteral("diciture"));
        pick->setAutoDefault(false);
        pick->setEnabled(bool(wordingPicker()));
        connect(pick, &QPushButton::clicked, this, [this, i] { pickWording(i); });
        wordingButtons_[size_t(i - 1)] = pick;
        invoiceGrid->addWidget(pick, i - 1, 3);
    }
    invoiceGrid->addWidget(new QLabel(QStringLiteral("Importo da fatturare:")), 4, 0);
    invoiceGrid->addWidget(new ui::DbEdit(mov, QStringLiteral("Imp_fatt")), 4, 1);
    invoiceGrid->addWidget(new QLabel(QStringLiteral("Iva%")), 5, 0);
    invoiceGrid->addWidget(new ui::DbEdit(mov, QStringLiteral("Iva_fatt")), 5, 1);
    invoiceGrid->addWidget(
        new ui::DbCheckBox(QStringLiteral("riporta nel documento i dati del misuratore"), mov,
                           QStringLiteral("Rip_art_fatt")),
        6, 0, 1, 3);
    invoiceGrid->setRowStretch(7, 1);
    invoiceGrid->setColumnStretch(2, 1);
    tabs_->addTab(invoice, QStringLiteral("Cosa inserire in fattura"));

    auto* renewal = new QWidget;
    auto* renewalLines = new QVBoxLayout(renewal);
    found_ = new QLabel;
    until_ = new QLabel;
    renewalLines->addWidget(found_);
    renewalLines->addWidget(until_);
    auto* list = new QPushButton(QStringLiteral("Elenco Contratti"));
    list->setAutoDefault(false);
    connect(list, &QPushButton::clicked, this, [this] {
        contracts::openContracts(data_);
        showMachineContract();
    });
    renewalLines->addWidget(list, 0, Qt::AlignLeft);
    renewalLines->addStretch(1);
    tabs_->addTab(renewal, renewalTab);
    layout->addWidget(tabs_, 1);
    tabs_->setCurrentIndex(0);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (tabs_->tabText(index) == renewalTab)
            showMachineContract();
    });
    connect(toInvoice_, &QCheckBox::clicked, this, [this] {
        if (data_.Tabmov.field(QStringLiteral("Da_fatt_sn")).asBoolean())
            tabs_->setCurrentIndex(1);
    });

    layout->addLayout(ui::buttonRow(this, {{QStringLiteral("OK"),
                                            [this] {
                                                confirm();
                                            }},
                                           {QStringLiteral("Annulla"), [this] {
                                                cancel();
                                            }}}));
}

TsegnaevasaForm::~TsegnaevasaForm() = default;

QString TsegnaevasaForm::contractFound() const {
    return found_->text();
}

QString TsegnaevasaForm::contractUntil() const {
    return until_->text();
}

void TsegnaevasaForm::showMachineContract() {
    try {
        own_->lines.refresh();
        own_->contracts.refresh();
        const auto found = contracts::machineContract(
            own_->lines, own_->contracts,
            data_.Tabmov.field(QStringLiteral("MATRICOLA_MS")).asString());
        found_->setText(found.found);
        until_->setText(found.until);
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
}

void TsegnaevasaForm::pickWording(int line) {
    if (!wordingPicker())
        return;
    wordingTarget_ = line;
    try {
        wordingPicker()(data_, line);
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
    wordingTarget_ = -1;
}

void TsegnaevasaForm::confirm() {
    try {
        data_.Tabcontratti.setFiltered(false);
        data_.Tabmov.post();
    } catch (const std::exception& e) {
        // The movement's own rules refused it: it stays in edit on this screen.
        ui::showFailure(e);
        return;
    }
    closeWith(Accepted);
}

void TsegnaevasaForm::cancel() {
    try {
        data_.Tabmov.cancel();
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
    closeWith(Rejected);
}

namespace contracts {

int openClosing(Tdm& data) {
    try {
        if (data.Tabmov.state() == store::DataSetState::Browse)
            data.Tabmov.edit();
    } catch (const std::exception& e) {
        ui::showFailure(e);
        return QDialog::Rejected;
    }
    return ui::showScreen<TsegnaevasaForm>(data);
}

void setWordingPicker(std::function<void(Tdm&, int)> pick) {
    wordingPicker() = std::move(pick);
}

} // namespace contracts
