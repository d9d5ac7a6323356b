#include "registry/eserciziow.h"

#include "registry/comuniw.h"
#include "registry/customer_rules.h"
#include "store/dm.h"
#include "store/query.h"
#include "ui/dbedit.h"
#include "ui/dialogs.h"
#include "ui/fieldlink.h"
#include "ui/grid.h"
#include "ui/modal.h"
#include "ui/pagestack.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>

namespace {
/// The open screen, while the modal-screen routine shows it.
QPointer<TesercizioForm> esercizioForm;
} // namespace

namespace {

/// A label that shows one field of the current record and follows the table.
class FieldLabel : public QLabel {
public:
    FieldLabel(store::Table& table, const QString& field, QWidget* parent = nullptr)
        : QLabel(parent)
        , link_(
              table, field, [this](ui::Refresh) { reload(); }, [] {}) {
        setTextInteractionFlags(Qt::TextSelectableByMouse);
        reload();
    }

private:
    void reload() {
        setText(link_.active() && !link_.table()->isEmpty() ? link_.field().asString() : QString());
    }
    ui::FieldLink link_;
};

/// An edit box that turns typed letters into capitals, for the search text.
class UpperLineEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const QString upper = event->text().toUpper();
        if (upper != event->text()) {
            QKeyEvent capital(event->type(), event->key(), event->modifiers(), upper,
                              event->isAutoRepeat(), ushort(event->count()));
            QLineEdit::keyPressEvent(&capital);
            return;
        }
        QLineEdit::keyPressEvent(event);
    }
};

/// Moves the focus along a chain of widgets when Return or Enter is pressed in one of them.
class EnterChain : public QObject {
public:
    EnterChain(std::vector<QWidget*> chain, QObject* parent)
        : QObject(parent)
        , chain_(std::move(chain)) {
        for (size_t i = 0; i + 1 < chain_.size(); ++i)
            chain_[i]->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        for (size_t i = 0; i + 1 < chain_.size(); ++i)
            if (chain_[i] == watched) {
                chain_[i + 1]->setFocus(Qt::TabFocusReason);
                return true;
            }
        return false;
    }

private:
    std::vector<QWidget*> chain_;
};

QLabel* boldLabel(const QString& text) {
    auto* label = new QLabel(text);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

} // namespace

TesercizioForm::TesercizioForm(Tdm& data, registry::CustomersMode mode, QWidget* parent)
    : ui::RegisterScreen(data.Tabesercizio, parent)
    , data_(data)
    , mode_(mode)
    , card_(std::make_unique<registry::CustomerCard>(data))
    , openMunicipalities_([&data] { registry::openMunicipalities(data); }) {
    setWindowTitle(QStringLiteral("esercizi/clienti"));
    resize(1080, 640);

    menu_ = new QMenuBar(this);
    QMenu* settings = menu_->addMenu(QStringLiteral("Impostazioni"));
    settings->addAction(QStringLiteral("Elenco Comuni"), this, [this] {
        if (openMunicipalities_)
            openMunicipalities_();
    });
    layout()->setMenuBar(menu_);

    buildListPage();
    buildEditPage();
    pages().addPage(cardPageName, buildCardPage());
    setPageHooks({}, [this] { resetEditState(); });
    installSaveCheck();

    // The screen sees these keys first, on whichever page it is.
    auto* f8 = new QShortcut(QKeySequence(Qt::Key_F8), this);
    f8->setContext(Qt::WindowShortcut);
    connect(f8, &QShortcut::activated, this, [this] { SpeedButtonNuovoClick(); });
    auto* f9 = new QShortcut(QKeySequence(Qt::Key_F9), this);
    f9->setContext(Qt::WindowShortcut);
    connect(f9, &QShortcut::activated, this, [this] { SpeedButtonModificaClick(); });
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
            [this](int column) { DBGrid1TitleClick(column); });
    left->addWidget(list, 1);
    left->addWidget(
        new QLabel(QStringLiteral("cliccate sul titolo delle colonne per cambiare ordinamento")));
    row->addLayout(left, 1);

    auto* side = new QFormLayout;
    for (const char* field : {"Tel1", "Tel2", "Cell1", "Cell2", "Email1", "Email2", "Fax1", "Fax2"})
        side->addRow(QString::fromLatin1(field) + QLatin1Char(':'),
                     new FieldLabel(t, QString::fromLatin1(field)));
    side->addRow(QStringLiteral("Giorno chiusura:"),
                 new FieldLabel(t, QStringLiteral("Giorno_chiusura")));
    auto* contact = new FieldLabel(t, QStringLiteral("Cognome_nome"));
    contact->setWordWrap(true);
    contact->setMinimumWidth(160);
    side->addRow(QStringLiteral("Cognome_nome:"), contact);
    auto* sidePanel = new QWidget;
    sidePanel->setLayout(side);
    sidePanel->setFixedWidth(290);
    row->addWidget(sidePanel);
    listContent()->addLayout(row, 1);

    auto* find = new QGroupBox(QStringLiteral("Trova"));
    auto* findRow = new QHBoxLayout(find);
    searchField_ = new QComboBox;
    searchField_->addItems({QStringLiteral("Ragione_Sociale"), QStringLiteral("PIVA")});
    search_ = new UpperLineEdit;
    search_->setMinimumWidth(260);
    connect(search_, &QLineEdit::textChanged, this,
            [this](const QString& text) { EditTrovaChange(text); });
    auto* trova = new QPushButton(QStringLiteral("Trova"));
    trova->setAutoDefault(false);
    connect(trova, &QPushButton::clicked, this, [this] { SpeedButtonTrovaClick(); });
    findRow->addWidget(searchField_);
    findRow->addWidget(search_, 1);
    findRow->addWidget(trova);
    listContent()->addWidget(find);

    addListButton(QStringLiteral("Nuovo/F8"), [this] { SpeedButtonNuovoClick(); });
    addListButton(QStringLiteral("Modifica/F9"), [this] { SpeedButtonModificaClick(); });
    addListButton(QStringLiteral("elimina"), [this] { SpeedButtonEliminaClick(); });
    QPushButton* scheda =
        addListButton(QStringLiteral("Scheda"), [this] { SpeedButtonSchedaClick(); });
    QFont bold = scheda->font();
    bold.setBold(true);
    scheda->setFont(bold);
    addListButton(QStringLiteral("chiudi"), [this] { SpeedButtonChiudiClick(); });
}

void TesercizioForm::buildEditPage() {
    QFormLayout* form = editForm();
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
    for (const auto& [caption, field] : rows) {
        auto* box = new ui::DbUpperEdit(table(), QString::fromLatin1(field));
        // As wide as the field's text, within reason.
        const int size = table().field(QString::fromLatin1(field)).size();
        const int width = box->fontMetrics().horizontalAdvance(QString(size, QLatin1Char('0')));
        box->setFixedWidth(std::clamp(width + 16, 60, 560));
        form->addRow(QString::fromUtf8(caption), box);
        boxes_[QString::fromLatin1(field)] = box;
    }
    // Province and postcode come from the municipality look-up.
    boxes_.at(QStringLiteral("Provincia"))->setReadOnly(true);
    boxes_.at(QStringLiteral("Cap"))->setReadOnly(true);
    boxes_.at(QStringLiteral("Cap"))->setUpperCase(false);

    QPushButton* ok = addEditButton(QStringLiteral("OK"), [this] { BitBtnOKClick(); });
    ok->setAutoDefault(true); // Enter on the focused button confirms
    addEditButton(QStringLiteral("Annulla"), [this] { BitBtnAnnullaClick(); });
    setFirstEditor(box(QStringLiteral("Ragione_sociale")));

    std::vector<QWidget*> chain;
    for (const char* field : {"Ragione_sociale", "Piva", "Comune", "Provincia", "Indirizzo", "Cap"})
        chain.push_back(box(QString::fromLatin1(field)));
    chain.push_back(ok);
    new EnterChain(std::move(chain), this);
}

QWidget* TesercizioForm::buildCardPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    cardTitle_ = boldLabel(QString());
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
    cardDescription_ = boldLabel(QString());
    strip->addWidget(cardDescription_, 1);
    strip->addWidget(new QLabel(QStringLiteral("MATRICOLA:")));
    cardSerial_ = boldLabel(QString());
    strip->addWidget(cardSerial_);
    layout->addLayout(strip);

    auto* back = new QHBoxLayout;
    back->addStretch(1);
    auto* indietro = new QPushButton(QStringLiteral("Indietro"));
    indietro->setAutoDefault(false);
    connect(indietro, &QPushButton::clicked, this, [this] { BitBtnIndietroClick(); });
    back->addWidget(indietro);
    layout->addLayout(back);
    return page;
}

ui::DbEdit* TesercizioForm::box(const QString& field) const {
    const auto it = boxes_.find(field);
    return it == boxes_.end() ? nullptr : it->second;
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
        FormShow();
    }
}

void TesercizioForm::FormShow() {
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
        SpeedButtonModificaClick();
}

void TesercizioForm::resetEditState() {
    rememberedVat_.clear();
    inserting_ = false;
}

void TesercizioForm::focusBox(const QString& field) {
    if (ui::DbEdit* b = box(field))
        b->setFocus(Qt::OtherFocusReason);
}

void TesercizioForm::SpeedButtonNuovoClick() {
    // On the edit page a new record would post the pending one without its checks.
    if (editing())
        return;
    closeCard();
    inserting_ = true;
    if (!startNew())
        inserting_ = false;
}

void TesercizioForm::SpeedButtonModificaClick() {
    // Nothing to edit on an empty list; on the edit page the remembered number must stay.
    if (editing() || !table().active() || table().isEmpty())
        return;
    closeCard();
    rememberedVat_ = table().field(QStringLiteral("Piva")).asString();
    if (!startEdit())
        rememberedVat_.clear();
}

void TesercizioForm::BitBtnOKClick() {
    if (confirm() && mode_ == registry::CustomersMode::EditFromContract)
        closeWith(QDialog::Accepted);
}

void TesercizioForm::installSaveCheck() {
    setSaveCheck([this] {
        const registry::SaveVerdict verdict =
            registry::checkCustomerSave(data_, inserting_, rememberedVat_);
        if (verdict.accepted())
            return true;
        ui::dialogs().warning(verdict.message);
        if (!verdict.focusField.isEmpty())
            focusBox(verdict.focusField);
        return false;
    });
}

void TesercizioForm::BitBtnAnnullaClick() {
    cancelEdit();
    if (mode_ == registry::CustomersMode::EditFromContract)
        closeScreen();
}

void TesercizioForm::SpeedButtonEliminaClick() {
    ui::DeletePlan plan;
    plan.question = QStringLiteral("Sei sicuro di volere cancellare l'esercizio selezionato?");
    plan.checks.push_back([this] {
        return registry::customerDeleteRefusal(
                   data_, table().field(QStringLiteral("Id_esercizio")).asInteger())
            .value_or(QString());
    });
    plan.done = QStringLiteral("Esercizio eliminato correttamente.");
    deleteCurrent(plan);
}

void TesercizioForm::SpeedButtonSchedaClick() {
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

void TesercizioForm::closeCard() {
    card_->close();
}

void TesercizioForm::BitBtnIndietroClick() {
    closeCard();
    pages().showPage(listPageName);
}

void TesercizioForm::SpeedButtonChiudiClick() {
    closeScreen();
}

void TesercizioForm::EditTrovaChange(const QString& text) {
    registry::searchCustomer(table(), searchField_->currentText(), text);
}

void TesercizioForm::SpeedButtonTrovaClick() {
    registry::findCustomer(table(), searchField_->currentText(), search_->text());
}

void TesercizioForm::DBGrid1TitleClick(int column) {
    const auto& columns = grid()->tableModel().columns();
    if (column < 0 || column >= int(columns.size()))
        return;
    const auto order = registry::sortCustomersByColumn(table(), columns[size_t(column)].field);
    if (order && !order->searchEntry.isEmpty())
        searchField_->setCurrentText(order->searchEntry);
}

namespace registry {

int openCustomers(Tdm& data, CustomersMode mode) {
    return ui::showModal(esercizioForm,
                         [&] { return std::make_unique<TesercizioForm>(data, mode); });
}

} // namespace registry
