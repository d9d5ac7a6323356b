#include "contracts/elenco_contrattiw.h"

#include "contracts/contract_rules.h"
#include "contracts/elenco_contrattiw_tables.h"
#include "contracts/prn_contratto.h"
#include "registry/eserciziow.h"
#include "registry/tipicontrattiw.h"
#include "report/render.h"
#include "store/dm.h"
#include "ui/dbchoice.h"
#include "ui/dbedit.h"
#include "ui/dialogs.h"
#include "ui/fieldlink.h"
#include "ui/grid.h"
#include "ui/modal.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace contracts::detail {

std::function<void(Tdm&)>& visitScheduler() {
    static std::function<void(Tdm&)> schedule;
    return schedule;
}

std::function<void(Tdm&)>& articlesScreen() {
    static std::function<void(Tdm&)> open;
    return open;
}

} // namespace contracts::detail

namespace {

void paint(QWidget& box, const QColor& colour) {
    QPalette p = box.palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Button})
            p.setColor(group, role, colour);
    box.setPalette(p);
}

} // namespace

TELENCO_CONTRATTIFORM::TELENCO_CONTRATTIFORM(Tdm& data, QWidget* parent)
    : ui::RegisterScreen(data.Tabcontratti, QStringLiteral("ELENCO_CONTRATTIFORM"), {980, 640},
                         parent)
    , data_(data)
    , own_(std::make_unique<OwnTables>(data.Tabcontratti.databaseName())) {
    buildMenus();
    buildListPage();
    buildEditPage();
    setPageHooks({}, [this] { updateCounter(); });
    fillFilterBoxes();
    try {
        table().setFiltered(false);
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
    updateCounter();
}

TELENCO_CONTRATTIFORM::~TELENCO_CONTRATTIFORM() = default;

QString TELENCO_CONTRATTIFORM::counterText() const {
    return counter_->text();
}

QString TELENCO_CONTRATTIFORM::statusText() const {
    return status_->text();
}

void TELENCO_CONTRATTIFORM::fillFilterBoxes() {
    auto fill = [](QComboBox* box, store::Table& source, const QString& field) {
        box->clear();
        box->addItem(QString());
        box->addItems(source.textsOf(field));
    };
    fill(typeFilter_, own_->types, QStringLiteral("Nome_contratto"));
    fill(customerFilter_, own_->customers, QStringLiteral("Ragione_sociale"));
}

void TELENCO_CONTRATTIFORM::updateCounter() {
    counter_->setText(QStringLiteral("Nr.° di record: %1").arg(table().recordCount()));
}

bool TELENCO_CONTRATTIFORM::haveContract() {
    if (table().active() && !table().isEmpty())
        return true;
    ui::dialogs().message(QStringLiteral("Nessun contratto selezionato."));
    return false;
}

void TELENCO_CONTRATTIFORM::showCustomerArticles() {
    const QString customer = table().field(QStringLiteral("ID_CLIENTE")).asString();
    try {
        data_.Tabarticoli.setFilter(contracts::customerArticlesFilter(
            customer.isEmpty() ? contracts::noCustomerYet : customer));
        data_.Tabarticoli.setFiltered(true);
    } catch (const std::exception&) {
        ui::dialogs().warning(QStringLiteral("Errore sulla ditta"));
    }
}

void TELENCO_CONTRATTIFORM::newContract() {
    try {
        table().setFiltered(false);
        if (!startNew())
            return;
        store::rules::fillIdentifier(table(), QStringLiteral("ID"));
        // Lines left behind under this identifier belong to no stored contract.
        contracts::deleteLines(data_.Tablcontratti);
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
    showCustomerArticles();
}

void TELENCO_CONTRATTIFORM::modifyContract() {
    // Only "Nuovo" gives a contract its identifier: with none listed there is nothing to edit.
    if (!table().active() || table().isEmpty()) {
        ui::dialogs().message(QStringLiteral("Nessun contratto da modificare."));
        return;
    }
    if (startEdit())
        showCustomerArticles();
}

bool TELENCO_CONTRATTIFORM::saveCheck() {
    const auto refusal = contracts::saveRefusal(table(), data_.Tablcontratti);
    if (!refusal)
        return true;
    for (const QString& message : refusal->messages)
        ui::dialogs().warning(message);
    if (QWidget* box = ui::boundControl(table(), refusal->field, this))
        box->setFocus(Qt::OtherFocusReason);
    return false;
}

void TELENCO_CONTRATTIFORM::cancelEdit() {
    try {
        contracts::abandonContract(data_);
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
    showListPage();
}

void TELENCO_CONTRATTIFORM::deleteContract() {
    if (!table().active() || table().isEmpty()) {
        ui::dialogs().message(QStringLiteral("Nulla da eliminare"));
        return;
    }
    if (!ui::dialogs().question(QStringLiteral("Eliminare?")))
        return;
    try {
        contracts::deleteContract(data_);
    } catch (const std::exception& e) {
        ui::showFailure(e);
        return;
    }
    ui::dialogs().information(QStringLiteral("Eliminato."));
    updateCounter();
}

void TELENCO_CONTRATTIFORM::filter() {
    const contracts::FilterPanel panel{typeFilter_->currentText(), fromFilter_->text(),
                                       toFilter_->text(), customerFilter_->currentText()};
    try {
        if (contracts::applyFilter(table(), panel, own_->types, own_->customers))
            updateCounter();
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
}

void TELENCO_CONTRATTIFORM::showAll() {
    table().setFiltered(false);
    updateCounter();
}

void TELENCO_CONTRATTIFORM::printContract() {
    if (!haveContract())
        return;
    try {
        // A type or customer that is gone would print the one the object happens to stand on.
        if (!data_.tab_tipicontratti.locate(
                QStringLiteral("Id"), table().field(QStringLiteral("ID_CONTRATTO")).value())) {
            ui::dialogs().warning(QStringLiteral("Tipo di contratto non trovato."));
            return;
        }
        if (!data_.Tabesercizio.locate(QStringLiteral("Id_esercizio"),
                                       table().field(QStringLiteral("ID_CLIENTE")).value())) {
            ui::dialogs().warning(QStringLiteral("Esercizio del contratto non trovato."));
            return;
        }
        contracts::previewDocument(contracts::Tprn_contratto(data_).document(), this);
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
}

void TELENCO_CONTRATTIFORM::printList() {
    try {
        contracts::Tprn_elencocontratti list(data_);
        contracts::previewDocument(list.document(), this);
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
}

void TELENCO_CONTRATTIFORM::scheduleVisit() {
    if (contracts::detail::visitScheduler() && haveContract())
        contracts::detail::visitScheduler()(data_);
}

void TELENCO_CONTRATTIFORM::addLine() {
    try {
        const QString refusal = contracts::addLine(table(), data_.Tablcontratti, data_.Tabarticoli);
        if (!refusal.isEmpty())
            ui::dialogs().warning(refusal);
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
}

void TELENCO_CONTRATTIFORM::deleteLine() {
    ui::deleteRecord(data_.Tablcontratti,
                     {.question = QStringLiteral("Eliminare la riga selezionata?"),
                      .checks = {},
                      .done = QStringLiteral("Eliminata.")});
}

void TELENCO_CONTRATTIFORM::showPhones() {
    status_->setText(contracts::statusDots());
    try {
        status_->setText(contracts::customerPhones(data_));
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
}

void TELENCO_CONTRATTIFORM::editCustomer() {
    if (!haveContract())
        return;
    registry::openCustomers(data_, registry::CustomersMode::EditFromContract);
    table().refresh();
}

void TELENCO_CONTRATTIFORM::closeEvent(QCloseEvent* event) {
    if (editing()) {
        event->ignore();
        ui::dialogs().message(QStringLiteral("Terminare prima la fase di inserimento dati"));
        return;
    }
    setCloseAllowed(true);
    ui::RegisterScreen::closeEvent(event);
}

bool TELENCO_CONTRATTIFORM::eventFilter(QObject* watched, QEvent* event) {
    if (watched == customer_) {
        if (event->type() == QEvent::FocusIn)
            paint(*customer_, Qt::yellow);
        else if (event->type() == QEvent::FocusOut) {
            paint(*customer_, Qt::white);
            if (!table().field(QStringLiteral("ID_CLIENTE")).isNull())
                showCustomerArticles();
        }
    }
    return ui::RegisterScreen::eventFilter(watched, event);
}

namespace contracts {

int openContracts(Tdm& data) {
    return ui::showScreen<TELENCO_CONTRATTIFORM>(data);
}

void setVisitScheduler(std::function<void(Tdm&)> schedule) {
    detail::visitScheduler() = std::move(schedule);
}

void setArticlesScreen(std::function<void(Tdm&)> open) {
    detail::articlesScreen() = std::move(open);
}

void previewDocument(const report::Document& document, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, parent);
    report::preparePreview(dialog, document);
    ui::detail::execModal(dialog);
}

void installSampleContractPrint(Tdm& data) {
    registry::setContractSamplePrint([&data] {
        try {
            previewDocument(Tprn_contratto(data).document(), nullptr);
        } catch (const std::exception& e) {
            ui::showFailure(e);
        }
    });
}

} // namespace contracts
