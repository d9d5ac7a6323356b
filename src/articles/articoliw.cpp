#include "articles/articoliw.h"

#include "articles/article_rules.h"
#include "registry/eserciziow.h"
#include "registry/fornitoriw.h"
#include "registry/misuratoriw.h"
#include "report/prn_articoli.h"
#include "report/render.h"
#include "store/dm.h"
#include "ui/dbchoice.h"
#include "ui/dbedit.h"
#include "ui/dialogs.h"
#include "ui/formkit.h"
#include "ui/grid.h"
#include "ui/modal.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString S(const char* text) {
    return QString::fromLatin1(text);
}

const char* const kViews[] = {"Tutti",       "con contratto", "senza contratto",
                              "in giacenza", "con matricola", "senza matricola"};

/// The texts of one field of every record of `t`, in its order and filter, without moving it.
QStringList namesOf(store::Table& t, const char* field) {
    return t.active() ? t.textsOf(S(field)) : QStringList();
}

QComboBox* filterBox() {
    auto* box = new QComboBox;
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumWidth(220);
    return box;
}

} // namespace

TarticoliForm::TarticoliForm(Tdm& data, QWidget* parent)
    : ui::RegisterScreen(data.Tabarticoli, QStringLiteral("Elenco articoli e parco macchine:"),
                         {1120, 660}, parent)
    , data_(data)
    , customers_(std::make_unique<store::Table>(data.Tabarticoli.databaseName(), S("esercizio")))
    , models_(std::make_unique<store::Table>(data.Tabarticoli.databaseName(), S("ms")))
    , preview_([this](const report::Document& document) { report::preview(document, this); }) {
    customers_->setIndexName(S("rs_index"));
    models_->setIndexFieldNames(S("Marchio_ms;Denominazione_ms"));
    customers_->open();
    models_->open();

    auto* menu = new QMenuBar(this);
    QMenu* settings = menu->addMenu(S("Impostazioni"));
    settings->addAction(S("tipi di misuratori"), this, [this] {
        registry::openMeterModels(data_);
        models_->refresh();
        fillFilterBoxes();
    });
    settings->addAction(S("Elenco Esercizi"), this, [this] { registry::openCustomers(data_); });
    settings->addAction(S("Elenco Fornitori"), this, [this] {
        registry::openSuppliers(data_);
        fillFilterBoxes();
    });
    layout()->setMenuBar(menu);

    buildListPage();
    buildEditPage();
    setSaveCheck([this] { return saveCheck(); });
    setPageHooks({}, [this] { rememberedOwner_.clear(); });

    table().setFiltered(false);
    fillFilterBoxes();
}

TarticoliForm::~TarticoliForm() {
    try {
        data_.Tabarticoli.setFiltered(false);
    } catch (const std::exception&) {
        // The list goes anyway; the filter is set again by whoever shows it next.
    }
}

void TarticoliForm::buildListPage() {
    buildFilterPanel();
    addGrid({{S("Qta"), S("Qta"), 50},
             {S("ms"), S("ms"), 140},
             {S("Matricola"), S("Matricola"), 100},
             {S("Descrizione"), S("Descrizione"), 220},
             {S("ragione_sociale"), S("ragione_sociale"), 200},
             {S("Barcode"), S("Barcode"), 110},
             {S("rs_forn"), S("ragione sociale fornitore"), 170},
             {S("N_azzeramenti"), S("N_azzeramenti"), 100}});
    buildFindGroup();
    addListButton(S("Nuovo Articolo"), [this] { newArticle(); });
    addListButton(S("Modifica Articolo"), [this] { modifyArticle(); });
    addListButton(S("Elimina"), [this] { deleteArticle(); });
    addListButton(S("Stampa"), [this] { print(); });
    addCloseButton(S("Chiudi"));
}

void TarticoliForm::buildFilterPanel() {
    auto* panel = new QHBoxLayout;
    auto* boxes = new QFormLayout;
    customerFilter_ = filterBox();
    // Customer names are written in capitals: what is typed becomes one.
    connect(customerFilter_->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& t) {
        if (t != t.toUpper())
            customerFilter_->setEditText(t.toUpper());
    });
    modelFilter_ = filterBox();
    supplierFilter_ = filterBox();
    boxes->addRow(S("Ragione sociale:"), customerFilter_);
    boxes->addRow(S("Tipo misuratore:"), modelFilter_);
    boxes->addRow(S("Fornitore:"), supplierFilter_);
    for (QComboBox* box : {customerFilter_, modelFilter_, supplierFilter_})
        connect(box, &QComboBox::currentTextChanged, this, [this] { rebuildFilter(); });
    panel->addLayout(boxes);

    auto* views = new QGroupBox(S("Visualizza gli articoli"));
    auto* grid = new QGridLayout(views);
    view_ = new QButtonGroup(this);
    int i = 0;
    for (const char* entry : kViews) {
        auto* radio = new QRadioButton(S(entry));
        view_->addButton(radio, i);
        grid->addWidget(radio, i % 3, i / 3);
        ++i;
    }
    connect(view_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on)
            rebuildFilter();
    });
    panel->addWidget(views);
    auto* cancel = new QPushButton(S("Annulla filtro"));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, [this] { cancelFilter(); });
    panel->addWidget(cancel, 0, Qt::AlignBottom);
    panel->addStretch(1);
    listContent()->insertLayout(0, panel);
}

void TarticoliForm::buildFindGroup() {
    auto* group = new QGroupBox(S("Trova"));
    auto* row = new QHBoxLayout(group);
    searchField_ = new QComboBox;
    searchField_->addItems({S("Matricola"), S("descrizione"), S("barcode")});
    searchField_->setCurrentIndex(-1);
    search_ = new ui::UpperLineEdit;
    search_->setMinimumWidth(260);
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        articles::searchArticle(table(), searchField_->currentText(), text, false);
    });
    auto* find = new QPushButton(S("Trova"));
    find->setAutoDefault(false);
    connect(find, &QPushButton::clicked, this, [this] {
        articles::searchArticle(table(), searchField_->currentText(), search_->text(), true);
    });
    row->addWidget(searchField_);
    row->addWidget(search_, 1);
    row->addWidget(find);
    listContent()->addWidget(group);
}

void TarticoliForm::buildEditPage() {
    store::Table& t = table();
    const auto addBox = [this](QFormLayout* form, const QString& label, const QString& field,
                               QWidget* box) {
        form->addRow(label, box);
        boxes_[field] = box;
        return box;
    };
    auto* prices = new QFormLayout;
    prices->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    for (const auto& [label, field] : {std::pair{"Prezzo acq.:", "Prezzo_acq"},
                                       {"Prezzo vendita:", "Prezzo_vend"},
                                       {"Iva", "Iva"}})
        addBox(prices, S(label), S(field), new ui::DbEdit(t, S(field)));
    editContent()->addLayout(prices);

    serialPart_ = new QWidget;
    auto* serial = new QFormLayout(serialPart_);
    serial->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    model_ = new ui::DbLookupCombo(t, S("Id_ms"), *models_, S("Id_ms"), S("Denominazione_ms"));
    addBox(serial, S("Tipo misuratore:"), S("Id_ms"), model_);
    auto* matricola = new ui::DbUpperEdit(t, S("Matricola"));
    matricola->setMaxLength(9);
    addBox(serial, S("Matricola"), S("Matricola"), matricola);
    serial->addRow(S("Qta"), new QLabel(S("1")));

    simplePart_ = new QWidget;
    auto* simple = new QFormLayout(simplePart_);
    simple->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    addBox(simple, S("Descrizione"), S("Descrizione"), new ui::DbUpperEdit(t, S("Descrizione")));
    addBox(simple, S("Barcode"), S("Barcode"), new ui::DbUpperEdit(t, S("Barcode")));
    addBox(simple, S("Qta"), S("Qta"), new ui::DbEdit(t, S("Qta")));

    auto* parts = new QHBoxLayout;
    parts->addWidget(serialPart_);
    parts->addWidget(simplePart_);
    parts->addWidget(buildOwnerGroup(), 1);
    editContent()->addLayout(parts);

    auto* strip = new QHBoxLayout;
    strip->addWidget(new QLabel(S("Fornitore:")));
    supplier_ = new ui::DbLookupCombo(t, S("Id_fornitore"), data_.TabFornitori, S("Id_fornitore"),
                                      S("Ragione_sociale"));
    supplier_->setMinimumWidth(300);
    strip->addWidget(supplier_);
    auto* clearSupplier = new QPushButton(S("Pulisci"));
    clearSupplier->setAutoDefault(false);
    connect(clearSupplier, &QPushButton::clicked, this, [this] {
        if (!supplier_->isReadOnly())
            table().field(S("Id_fornitore")).clear();
    });
    strip->addWidget(clearSupplier);
    strip->addStretch(1);
    editContent()->addLayout(strip);
    editContent()->addStretch(1);

    addConfirmButton(S("OK"));
    addCancelButton(S("Annulla"));
}

QWidget* TarticoliForm::buildOwnerGroup() {
    store::Table& t = table();
    ownerGroup_ = new QGroupBox(S("In possesso del seguente esercizio:"));
    auto* form = new QFormLayout(ownerGroup_);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    owner_ = new ui::DbLookupCombo(t, S("Id_esercizio"), *customers_, S("Id_esercizio"),
                                   S("Ragione_sociale"));
    owner_->setMinimumWidth(280);
    owner_->installEventFilter(this);
    boxes_[S("Id_esercizio")] = owner_;
    form->addRow(S("RAGIONE SOCIALE:"), owner_);
    auto* unlock = new QPushButton(S("modifica"));
    unlock->setAutoDefault(false);
    connect(unlock, &QPushButton::clicked, this, [this] { unlockOwner(); });
    auto* clear = new QPushButton(S("Pulisci"));
    clear->setAutoDefault(false);
    connect(clear, &QPushButton::clicked, this, [this] {
        if (!owner_->isReadOnly())
            articles::clearOwner(table());
    });
    auto* ownerButtons = new QHBoxLayout;
    ownerButtons->addWidget(unlock);
    ownerButtons->addWidget(clear);
    ownerButtons->addStretch(1);
    form->addRow(QString(), ownerButtons);
    for (const char* field : {"Piva", "Indirizzo", "Cap", "Comune", "Provincia"})
        form->addRow(S(field), boxes_[S(field)] = new ui::DbUpperEdit(t, S(field)));
    auto* assistance = new ui::DbCheckBox(S("Assistenza"), t, S("Assistenza_sn"));
    auto* end = new ui::DbDateEdit(t, S("Scad_ass"));
    auto* price = new ui::DbEdit(t, S("Prezzo_ass"));
    form->addRow(QString(), assistance);
    form->addRow(S("Scadenza assistenza"), end);
    form->addRow(S("Prezzo assistenza"), price);
    form->addRow(S("N. azzeramenti"), new ui::DbLabel(t, S("N_azzeramenti")));
    ownerLocked_ = {owner_, assistance, end, price};
    return ownerGroup_;
}

QWidget* TarticoliForm::boxOf(const QString& field) const {
    const auto it = boxes_.find(field);
    return it == boxes_.end() ? nullptr : it->second;
}

void TarticoliForm::fillFilterBoxes() {
    filling_ = true;
    const std::pair<QComboBox*, QStringList> fills[] = {
        {customerFilter_, namesOf(data_.Tabesercizio, "Ragione_sociale")},
        {modelFilter_, namesOf(*models_, "Denominazione_ms")},
        {supplierFilter_, namesOf(data_.TabFornitori, "Ragione_sociale")},
    };
    for (const auto& [box, names] : fills) {
        const QString kept = box->currentText();
        box->clear();
        box->addItems(names);
        box->setCurrentIndex(-1);
        box->setEditText(kept);
    }
    if (!view_->checkedButton())
        view_->button(0)->setChecked(true);
    filling_ = false;
}

void TarticoliForm::rebuildFilter() {
    if (filling_)
        return;
    try {
        articles::applyArticlesFilter(
            data_, {view_->checkedButton() ? view_->checkedButton()->text() : QString(),
                    modelFilter_->currentText(), supplierFilter_->currentText(),
                    customerFilter_->currentText()});
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
}

void TarticoliForm::cancelFilter() {
    filling_ = true;
    for (QComboBox* box : {customerFilter_, modelFilter_, supplierFilter_}) {
        box->setCurrentIndex(-1);
        box->setEditText(QString());
    }
    view_->button(0)->setChecked(true);
    filling_ = false;
    table().setFiltered(false);
}

void TarticoliForm::showParts(bool simple, bool serialNumber) {
    simpleShown_ = simple;
    serialShown_ = serialNumber;
    simplePart_->setVisible(simple);
    serialPart_->setVisible(serialNumber);
    ownerGroup_->setVisible(serialNumber);
    if (serialNumber)
        lockOwner(true);
    ui::focusWhenIdle(serialNumber ? static_cast<QWidget*>(model_) : boxOf(S("Descrizione")));
}

void TarticoliForm::lockOwner(bool locked) {
    for (QWidget* control : ownerLocked_)
        ui::setLocked(control, locked);
}

void TarticoliForm::newArticle() {
    TSELtipoartForm chooser(this);
    if (ui::detail::execModal(chooser) != QDialog::Accepted)
        return;
    activateWindow();
    try {
        articles::appendArticle(data_);
    } catch (const std::exception& e) {
        ui::showFailure(e);
        return;
    }
    const bool serialNumber = chooser.kind() == articles::ArticleKind::SerialNumber;
    showEditPage();
    showParts(!serialNumber, serialNumber);
}

void TarticoliForm::modifyArticle() {
    if (!table().active() || table().isEmpty())
        return;
    lockOwner(true);
    if (!startEdit())
        return;
    const bool simple = !table().field(S("Descrizione")).asString().isEmpty();
    const bool serialNumber = !table().field(S("ms")).asString().isEmpty();
    // An article with neither shows the simple part, so that something can be typed.
    showParts(simple || !serialNumber, serialNumber);
}

void TarticoliForm::unlockOwner() {
    if (table().field(S("Id_ms")).isNull()) {
        ui::dialogs().message(
            S("Articolo non associabile a una ditta. Solo gli articoli con matricola"));
        return;
    }
    lockOwner(false);
    table().field(S("Prezzo_ass")).setAsFloat(articles::defaultAssistancePrice(data_));
}

bool TarticoliForm::saveCheck() {
    const articles::ArticleVerdict verdict =
        articles::prepareArticleSave(data_, {serialShown_, simpleShown_});
    if (verdict.accepted())
        return true;
    ui::dialogs().warning(verdict.message);
    ui::focusWhenIdle(boxOf(verdict.focusField));
    return false;
}

bool TarticoliForm::deleteArticle() {
    if (!table().active() || table().isEmpty())
        return false;
    const QString matricola = table().field(S("Matricola")).asString();
    return deleteCurrent({.question = S("Sicuro di volere eliminare l\"articolo selezionato?"),
                          .checks = {[this, matricola] {
                              return articles::articleDeleteRefusal(table().databaseName(),
                                                                    matricola);
                          }},
                          .done = S("Eliminato con successo.")});
}

void TarticoliForm::print() {
    try {
        const report::Document document = report::Tprn_articoli(data_.Tabarticoli).document();
        preview_(document);
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
}

bool TarticoliForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == owner_) {
        if (event->type() == QEvent::FocusIn) {
            rememberedOwner_ = owner_->currentText();
        } else if (event->type() == QEvent::FocusOut) {
            if (owner_->currentText() != rememberedOwner_ && editing())
                articles::copyOwnerAddress(table(), *customers_);
            rememberedOwner_.clear();
        }
    }
    return ui::RegisterScreen::eventFilter(watched, event);
}

namespace articles {

int openArticles(Tdm& data) {
    return ui::showScreen<TarticoliForm>(data);
}

} // namespace articles
