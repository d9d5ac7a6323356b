// The contracts screen's pages and menus; what the commands do is in elenco_contrattiw.cpp.
#include "contracts/contract_rules.h"
#include "contracts/elenco_contrattiw.h"
#include "contracts/elenco_contrattiw_tables.h"

#include "registry/eserciziow.h"
#include "registry/tipicontrattiw.h"
#include "store/dm.h"
#include "ui/dbchoice.h"
#include "ui/dbedit.h"
#include "ui/dialogs.h"
#include "ui/formkit.h"
#include "ui/grid.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* dateFilterBox() {
    auto* box = new QLineEdit;
    box->setInputMask(QStringLiteral("99/99/9999"));
    box->setFixedWidth(ui::boxWidthForText(*box, QStringLiteral("00/00/0000")));
    return box;
}

/// A drop-down whose typed letters become capitals.
QComboBox* upperComboBox() {
    auto* box = new QComboBox;
    box->setEditable(true);
    box->setLineEdit(new ui::UpperLineEdit);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumWidth(260);
    return box;
}

QPushButton* commandButton(const QString& caption, QObject* context, std::function<void()> action) {
    auto* b = new QPushButton(caption);
    b->setAutoDefault(false);
    QObject::connect(b, &QPushButton::clicked, context, [action = std::move(action)] { action(); });
    return b;
}

} // namespace

void TELENCO_CONTRATTIFORM::buildListPage() {
    listContent()->addWidget(ui::boldLabel(QStringLiteral("ELENCO DEI CONTRATTI STIPULATI:")));
    auto* panel = new QGridLayout;
    typeFilter_ = upperComboBox();
    customerFilter_ = upperComboBox();
    fromFilter_ = dateFilterBox();
    toFilter_ = dateFilterBox();
    counter_ = new QLabel;
    panel->addWidget(new QLabel(QStringLiteral("Tipo contratto:")), 0, 0);
    panel->addWidget(typeFilter_, 0, 1);
    panel->addWidget(new QLabel(QStringLiteral("scade tra il :")), 0, 2);
    panel->addWidget(fromFilter_, 0, 3);
    panel->addWidget(new QLabel(QStringLiteral("ed il :")), 0, 4);
    panel->addWidget(toFilter_, 0, 5);
    panel->addWidget(new QLabel(QStringLiteral("Ragione sociale:")), 1, 0);
    panel->addWidget(customerFilter_, 1, 1);
    panel->addWidget(commandButton(QStringLiteral("Filtra"), this, [this] { filter(); }), 1, 3);
    panel->addWidget(commandButton(QStringLiteral("Tutti"), this, [this] { showAll(); }), 1, 5);
    panel->addWidget(counter_, 1, 6);
    panel->setColumnStretch(7, 1);
    listContent()->addLayout(panel);

    ui::DataGrid* list =
        addGrid({{QStringLiteral("rag_sociale"), QStringLiteral("rag_sociale"), 260},
                 {QStringLiteral("tipo_contratto"), QStringLiteral("tipo_contratto"), 180},
                 {QStringLiteral("VAL_DAL"), QStringLiteral("VAL_DAL"), 90},
                 {QStringLiteral("VAL_AL"), QStringLiteral("VAL_AL"), 90},
                 {QStringLiteral("DURATA"), QStringLiteral("DURATA"), 80},
                 {QStringLiteral("STATO_PAG"), QStringLiteral("pag."), 90}});
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    gridMenu_ = new QMenu(this);
    gridMenu_->addAction(QStringLiteral("Mostra telefono esercizio selezionato"), this,
                         [this] { showPhones(); });
    gridMenu_->addAction(QStringLiteral("modifica esercizio"), this, [this] { editCustomer(); });
    connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint& at) {
        gridMenu_->popup(list->viewport()->mapToGlobal(at));
    });
    listContent()->addWidget(
        new QLabel(QStringLiteral("tasto destro sulla griglia per telefono cliente")));

    addListButton(QStringLiteral("Nuovo"), [this] { newContract(); });
    addListButton(QStringLiteral("Modifica"), [this] { modifyContract(); });
    addListButton(QStringLiteral("Elimina"), [this] { deleteContract(); });
    addListButton(QStringLiteral("Stampa contratto"), [this] { printContract(); });
    addListButton(QStringLiteral("Stampa elenco"), [this] { printList(); });
    addListButton(QStringLiteral("Fissa intervento"), [this] {
        scheduleVisit();
    })->setEnabled(bool(contracts::detail::visitScheduler()));
    addCloseButton(QStringLiteral("Chiudi"));

    status_ = new QLabel(contracts::statusDots());
    layout()->addWidget(status_);
}

void TELENCO_CONTRATTIFORM::buildEditPage() {
    store::Table& t = table();
    auto* form = new QGridLayout;
    customer_ =
        new ui::DbLookupCombo(t, QStringLiteral("ID_CLIENTE"), own_->customers,
                              QStringLiteral("Id_esercizio"), QStringLiteral("Ragione_sociale"));
    customer_->installEventFilter(this);
    connect(customer_, &QComboBox::activated, this, [this] { showCustomerArticles(); });
    type_ = new ui::DbLookupCombo(t, QStringLiteral("ID_CONTRATTO"), own_->types,
                                  QStringLiteral("Id"), QStringLiteral("Nome_contratto"));
    start_ = new ui::DbDateEdit(t, QStringLiteral("VAL_DAL"));
    end_ = new ui::DbDateEdit(t, QStringLiteral("VAL_AL"));
    end_->setReadOnly(true);
    end_->setFocusPolicy(Qt::NoFocus);
    duration_ = new ui::DbComboBox(t, QStringLiteral("DURATA"));
    duration_->setItems(contracts::durations());
    auto* payment = new ui::DbComboBox(t, QStringLiteral("STATO_PAG"));
    payment->setItems(contracts::paymentStates());
    payment->setFreeText(true);
    payment->setMinimumWidth(180);
    const std::pair<const char*, QWidget*> rows[] = {
        {"ESERCIZIO:", customer_},
        {"TIPO CONTRATTO:", type_},
        {"Valido dal (gg/mm/aaaa):", start_},
        {"al:", end_},
        {"DURATA", duration_},
        {"IMPORTO", new ui::DbEdit(t, QStringLiteral("IMPORTO"))},
        {"IVA", new ui::DbEdit(t, QStringLiteral("IVA"))},
        {"STATO_PAG", payment},
        {"NOTE", new ui::DbUpperEdit(t, QStringLiteral("NOTE"))},
    };
    int row = 0;
    for (const auto& [caption, box] : rows) {
        form->addWidget(new QLabel(QString::fromUtf8(caption)), row, 0);
        form->addWidget(box, row++, 1, Qt::AlignLeft);
    }
    customer_->setMinimumWidth(360);
    type_->setMinimumWidth(260);
    form->setColumnStretch(2, 1);
    editContent()->addLayout(form);

    auto* note = new QLabel(QStringLiteral(
        "Articolo che rientra nel contratto. Il contratto puo essere fatto solo sugli articoli "
        "con matricola in possesso del cliente."));
    note->setWordWrap(true);
    editContent()->addWidget(note);

    auto* grids = new QGridLayout;
    grids->addWidget(new QLabel(QStringLiteral("Articolo nel contratto")), 0, 0);
    grids->addWidget(commandButton(QStringLiteral("elimina riga"), this, [this] { deleteLine(); }),
                     0, 1, Qt::AlignRight);
    grids->addWidget(new QLabel(QStringLiteral("Articoli del cliente")), 0, 2);
    grids->addWidget(commandButton(QStringLiteral("aggiungi riga"), this, [this] { addLine(); }), 0,
                     3, Qt::AlignRight);
    lineGrid_ = new ui::DataGrid(
        data_.Tablcontratti, {{QStringLiteral("DESCRIZIONE"), QStringLiteral("DESCRIZIONE"), 200},
                              {QStringLiteral("MATRICOLA"), QStringLiteral("MATRICOLA"), 110}});
    articleGrid_ = new ui::DataGrid(
        data_.Tabarticoli, {{QStringLiteral("ms"), QStringLiteral("ms"), 200},
                            {QStringLiteral("Matricola"), QStringLiteral("Matricola"), 110}});
    for (ui::DataGrid* g : {lineGrid_, articleGrid_}) {
        g->setRowSelect(true);
        g->horizontalHeader()->setStretchLastSection(true);
    }
    grids->addWidget(lineGrid_, 1, 0, 1, 2);
    grids->addWidget(articleGrid_, 1, 2, 1, 2);
    editContent()->addLayout(grids, 1);

    addConfirmButton(QStringLiteral("OK"));
    addCancelButton(QStringLiteral("Annulla"));
    setFirstEditor(customer_);
    setSaveCheck([this] { return saveCheck(); });
}

void TELENCO_CONTRATTIFORM::buildMenus() {
    menu_ = new QMenuBar(this);
    QMenu* settings = menu_->addMenu(QStringLiteral("Impostazioni"));
    settings->addAction(QStringLiteral("tipi di contratto"), this, [this] {
        registry::openContractTypes(data_);
        own_->types.refresh();
        fillFilterBoxes();
    });
    settings->addAction(QStringLiteral("Elenco Esercizii"), this,
                        [this] { registry::openCustomers(data_); });
    settings
        ->addAction(QStringLiteral("Articoli e parco macchine"), this,
                    [this] {
                        // The articles screen sets its own filter; the one in force here comes back
                        // afterwards.
                        store::Table& articles = data_.Tabarticoli;
                        const bool wasFiltered = articles.filtered();
                        const QString previous = articles.filter();
                        contracts::detail::articlesScreen()(data_);
                        try {
                            if (wasFiltered) {
                                articles.setFilter(previous);
                                articles.setFiltered(true);
                            }
                        } catch (const std::exception& e) {
                            ui::showFailure(e);
                        }
                    })
        ->setEnabled(bool(contracts::detail::articlesScreen()));
    layout()->setMenuBar(menu_);
}
