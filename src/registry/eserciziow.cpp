#include "registry/eserciziow.h"

#include "registry/comuniw.h"
#include "registry/customer_rules.h"
#include "registry/invoice_boxes.h"
#include "store/dm.h"
#include "store/query.h"
#include "ui/dbedit.h"
#include "ui/dialogs.h"
#include "ui/formkit.h"
#include "ui/grid.h"
#include "ui/modal.h"
#include "ui/pagestack.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

TesercizioForm::TesercizioForm(Tdm& data, registry::CustomersMode mode, QWidget* parent)
    : ui::RegisterScreen(data.Tabesercizio, QStringLiteral("esercizi/clienti"), {1080, 640}, parent)
    , data_(data)
    , mode_(mode)
    , card_(std::make_unique<registry::CustomerCard>(data)) {

    menu_ = new QMenuBar(this);
    QMenu* settings = menu_->addMenu(QStringLiteral("Impostazioni"));
    settings->addAction(QStringLiteral("Elenco Comuni"), this,
                        [this] { registry::openMunicipalities(data_); });
    layout()->setMenuBar(menu_);

    buildListPage();
    buildEditPage();
    pages().addPage(cardPageName, buildCardPage());
    setPageHooks(
        [this] {
            invoiceBoxes_->load(table().databaseName(),
                                table().field(QStringLiteral("Id_esercizio")).asInteger(),
                                inserting_);
        },
        [this] {
            rememberedVat_.clear();
            inserting_ = false;
        });
    setSaveCheck([this] { return saveCheck(); });
    addShortcut(QKeySequence(Qt::Key_F8), [this] { newCustomer(); });
    addShortcut(QKeySequence(Qt::Key_F9), [this] { modifyCustomer(); });
}

TesercizioForm::~TesercizioForm() = default;

void TesercizioForm::buildListPage() {
    store::Table& t = table();
    auto* row = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    // The register's list, moved beside the side panel.
    ui::DataGrid* list =
        addGrid({{QStringLiteral("Ragione_sociale"), QStringLiteral("Ragione Sociale"), 230},
                 {QStringLiteral("Piva"), QStringLiteral("P.iva"), 95},
                 {QStringLiteral("Indirizzo"), QStringLiteral("Indirizzo"), 180},
                 {QStringLiteral("Comune"), QStringLiteral("Comune"), 130},
                 {QStringLiteral("Provincia"), QStringLiteral("Provincia"), 60},
                 {QStringLiteral("Cap"), QStringLiteral("Cap"), 55}});
    listContent()->removeWidget(list);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->horizontalHeader()->setSectionsClickable(true);
    connect(list->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { sortByColumn(column); });
    left->addWidget(list, 1);
    left->addWidget(
        new QLabel(QStringLiteral("cliccate sul titolo delle colonne per cambiare ordinamento")));
    row->addLayout(left, 1);

    auto* side = new QFormLayout;
    for (const char* field : {"Tel1", "Tel2", "Cell1", "Cell2", "Email1", "Email2", "Fax1", "Fax2"})
        side->addRow(QString::fromLatin1(field) + QLatin1Char(':'),
                     new ui::DbLabel(t, QString::fromLatin1(field)));
    side->addRow(QStringLiteral("Giorno chiusura:"),
                 new ui::DbLabel(t, QStringLiteral("Giorno_chiusura")));
    auto* contact = new ui::DbLabel(t, QStringLiteral("Cognome_nome"));
    contact->setWordWrap(true);
    contact->setMinimumWidth(160);
    side->addRow(QStringLiteral("Cognome_nome:"), contact);
    auto* sidePanel = new QWidget;
    sidePanel->setLayout(side);
    sidePanel->setFixedWidth(290);
    row->addWidget(sidePanel);
    listContent()->addLayout(row, 1);

    auto* findGroup = new QGroupBox(QStringLiteral("Trova"));
    auto* findRow = new QHBoxLayout(findGroup);
    searchField_ = new QComboBox;
    searchField_->addItems({QStringLiteral("Ragione_Sociale"), QStringLiteral("PIVA")});
    search_ = new ui::UpperLineEdit;
    search_->setMinimumWidth(260);
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) { search(text); });
    auto* trova = new QPushButton(QStringLiteral("Trova"));
    trova->setAutoDefault(false);
    connect(trova, &QPushButton::clicked, this, [this] { find(); });
    findRow->addWidget(searchField_);
    findRow->addWidget(search_, 1);
    findRow->addWidget(trova);
    listContent()->addWidget(findGroup);

    addListButton(QStringLiteral("Nuovo/F8"), [this] { newCustomer(); });
    addListButton(QStringLiteral("Modifica/F9"), [this] { modifyCustomer(); });
    addListButton(QStringLiteral("elimina"), [this] { deleteCustomer(); });
    QPushButton* scheda = addListButton(QStringLiteral("Scheda"), [this] { showCard(); });
    QFont bold = scheda->font();
    bold.setBold(true);
    scheda->setFont(bold);
    addCloseButton(QStringLiteral("chiudi"));
}

void TesercizioForm::buildEditPage() {
    const std::pair<const char*, const char*> rows[] = {{"Ragione Sociale", "Ragione_sociale"},
                                                        {"P.iva", "Piva"},
                                                        {"Comune", "Comune"},
                                                        {"Provincia", "Provincia"},
                                                        {"Indirizzo", "Indirizzo"},
                                                        {"Cap", "Cap"},
                                                        {"Tel1", "Tel1"},
                                                        {"Tel2", "Tel2"},
                                                        {"Cell1", "Cell1"},
                                                        {"Cell2", "Cell2"},
                                                        {"Email1", "Email1"},
                                                        {"Email2", "Email2"},
                                                        {"Fax1", "Fax1"},
                                                        {"Fax2", "Fax2"},
                                                        {"Cognome_nome", "Cognome_nome"},
                                                        {"Commenti:", "Commenti"},
                                                        {"Giorno chiusura:", "Giorno_chiusura"}};
    for (const auto& [caption, field] : rows)
        addFieldRow(QString::fromUtf8(caption), QString::fromLatin1(field));
    invoiceBoxes_ = std::make_unique<registry::InvoiceBoxes>(einvoice::Owner::Customer,
                                                             einvoice::customerBoxes(), editForm());
    // Province and postcode come from the municipality look-up.
    box(QStringLiteral("Provincia"))->setReadOnly(true);
    box(QStringLiteral("Cap"))->setReadOnly(true);
    box(QStringLiteral("Cap"))->setUpperCase(false);

    QPushButton* ok = addConfirmButton(QStringLiteral("OK"));
    ok->setAutoDefault(true); // Enter on the focused button confirms
    addCancelButton(QStringLiteral("Annulla"));
    setFirstEditor(box(QStringLiteral("Ragione_sociale")));

    std::vector<QWidget*> chain;
    for (const char* field : {"Ragione_sociale", "Piva", "Comune", "Provincia", "Indirizzo", "Cap"})
        chain.push_back(box(QString::fromLatin1(field)));
    chain.push_back(ok);
    setEnterChain(std::move(chain));
}

QWidget* TesercizioForm::buildCardPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    cardTitle_ = ui::boldLabel(QString());
    cardTitle_->setAlignment(Qt::AlignCenter);
    layout->addWidget(cardTitle_);
    layout->addWidget(new QLabel(QStringLiteral("Elenco movimenti del cliente/esercizio")));
    std::vector<ui::GridColumn> movementColumns;
    for (const char* f : {"tipomov", "tipomisuratore", "tecnico", "MATRICOLA_MS", "TIPO_INTERVENTO",
                          "Piva", "COMUNE", "PROVINCIA", "INDIRIZZO", "CAP", "Data", "Appuntamento",
                          "Data_app", "Evasa_sn"})
        movementColumns.push_back({QString::fromLatin1(f), QString::fromLatin1(f), 0});
    movementsGrid_ = new ui::DataGrid(*card_->movements, std::move(movementColumns));
    movementsGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(movementsGrid_, 3);
    layout->addWidget(new QLabel(QStringLiteral("Elenco contratti del cliente/esercizio")));
    std::vector<ui::GridColumn> contractColumns;
    for (const char* f : {"tipocontratto", "VAL_DAL", "VAL_AL", "DURATA", "IMPORTO", "IVA",
                          "STATO_PAG", "NOTE", "Rinnovo_tacito", "Stato_fatt"})
        contractColumns.push_back({QString::fromLatin1(f), QString::fromLatin1(f), 0});
    contractsGrid_ = new ui::DataGrid(*card_->contracts, std::move(contractColumns));
    contractsGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(contractsGrid_, 2);

    auto* strip = new QHBoxLayout;
    strip->addWidget(new QLabel(QStringLiteral("Descrizione:")));
    cardDescription_ = ui::boldLabel(QString());
    strip->addWidget(cardDescription_, 1);
    strip->addWidget(new QLabel(QStringLiteral("MATRICOLA:")));
    cardSerial_ = ui::boldLabel(QString());
    strip->addWidget(cardSerial_);
    layout->addLayout(strip);

    auto* back = new QHBoxLayout;
    back->addStretch(1);
    auto* indietro = new QPushButton(QStringLiteral("Indietro"));
    indietro->setAutoDefault(false);
    connect(indietro, &QPushButton::clicked, this, [this] { backToList(); });
    back->addWidget(indietro);
    layout->addLayout(back);
    return page;
}

QString TesercizioForm::cardTitle() const {
    return cardTitle_->text();
}
QString TesercizioForm::cardDescription() const {
    return cardDescription_->text();
}
QString TesercizioForm::cardSerial() const {
    return cardSerial_->text();
}

void TesercizioForm::showEvent(QShowEvent* event) {
    ui::RegisterScreen::showEvent(event);
    if (!shown_) {
        shown_ = true;
        start();
    }
}

void TesercizioForm::start() {
    inserting_ = false;
    rememberedVat_.clear();
    setCloseAllowed(false);
    pages().showPage(listPageName);
    try {
        table().setIndexName(QStringLiteral("rs_index"));
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
    searchField_->setCurrentIndex(0);
    if (mode_ == registry::CustomersMode::EditFromContract &&
        registry::locateContractCustomer(data_))
        modifyCustomer();
}

void TesercizioForm::newCustomer() {
    // On the edit page a new record would post the pending one without its checks.
    if (editing())
        return;
    card_->close();
    inserting_ = true;
    if (!startNew())
        inserting_ = false;
}

void TesercizioForm::modifyCustomer() {
    // Nothing to edit on an empty list; on the edit page the remembered number must stay.
    if (editing() || !table().active() || table().isEmpty())
        return;
    card_->close();
    rememberedVat_ = table().field(QStringLiteral("Piva")).asString();
    if (!startEdit())
        rememberedVat_.clear();
}

bool TesercizioForm::saveCheck() {
    const registry::SaveVerdict verdict =
        registry::checkCustomerSave(data_, inserting_, rememberedVat_);
    if (!verdict.accepted()) {
        ui::dialogs().warning(verdict.message);
        if (ui::DbEdit* b = box(verdict.focusField))
            b->setFocus(Qt::OtherFocusReason);
        return false;
    }
    QLineEdit* wrong = nullptr;
    if (const QString refusal = invoiceBoxes_->check(&wrong); !refusal.isEmpty()) {
        ui::dialogs().warning(refusal);
        wrong->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

QLineEdit* TesercizioForm::invoiceBox(const QString& field) const {
    return invoiceBoxes_->box(field);
}

bool TesercizioForm::confirm() {
    if (!ui::RegisterScreen::confirm())
        return false;
    try {
        invoiceBoxes_->store(table().databaseName(),
                             table().field(QStringLiteral("Id_esercizio")).asInteger());
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
    if (mode_ == registry::CustomersMode::EditFromContract)
        closeWith(QDialog::Accepted);
    return true;
}

void TesercizioForm::cancelEdit() {
    ui::RegisterScreen::cancelEdit();
    if (mode_ == registry::CustomersMode::EditFromContract)
        closeScreen();
}

void TesercizioForm::deleteCustomer() {
    const int id = table().active() && !table().isEmpty()
                       ? table().field(QStringLiteral("Id_esercizio")).asInteger()
                       : 0;
    const bool deleted = deleteCurrent(
        {.question = QStringLiteral("Sei sicuro di volere cancellare l'esercizio selezionato?"),
         .checks = {[this] {
             return registry::customerDeleteRefusal(
                 data_, table().field(QStringLiteral("Id_esercizio")).asInteger());
         }},
         .done = QStringLiteral("Esercizio eliminato correttamente.")});
    // A new customer may get the same identifier: it must not inherit the invoice data.
    if (deleted) {
        try {
            invoiceBoxes_->forget(table().databaseName(), id);
        } catch (const std::exception& e) {
            ui::showFailure(e);
        }
    }
}

void TesercizioForm::showCard() {
    if (!table().active() || table().isEmpty())
        return;
    pages().showPage(cardPageName);
    cardTitle_->setText(table().field(QStringLiteral("Ragione_sociale")).asString());
    cardDescription_->clear();
    cardSerial_->clear();
    try {
        card_->open(table().databaseName(),
                    table().field(QStringLiteral("Id_esercizio")).asInteger());
        if (card_->contractLines->active() && !card_->contractLines->isEmpty()) {
            cardDescription_->setText(
                card_->contractLines->field(QStringLiteral("DESCRIZIONE")).asString());
            cardSerial_->setText(
                card_->contractLines->field(QStringLiteral("MATRICOLA")).asString());
        }
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
}

void TesercizioForm::backToList() {
    card_->close();
    pages().showPage(listPageName);
}

void TesercizioForm::search(const QString& text) {
    registry::searchCustomer(table(), searchField_->currentText(), text);
}

void TesercizioForm::find() {
    registry::findCustomer(table(), searchField_->currentText(), search_->text());
}

void TesercizioForm::sortByColumn(int column) {
    const auto& columns = grid()->tableModel().columns();
    if (column < 0 || column >= int(columns.size()))
        return;
    const auto order = registry::sortCustomersByColumn(table(), columns[size_t(column)].field);
    if (order && !order->searchEntry.isEmpty())
        searchField_->setCurrentText(order->searchEntry);
}

namespace registry {

int openCustomers(Tdm& data, CustomersMode mode) {
    return ui::showScreen<TesercizioForm>(data, mode);
}

} // namespace registry
