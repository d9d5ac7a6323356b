#include "articles/movarticoliw.h"

#include "articles/articoliw.h"
#include "articles/movement_articles.h"
#include "store/dm.h"
#include "ui/dialogs.h"
#include "ui/formkit.h"
#include "ui/grid.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace articles {

namespace {

QString S(const char* text) {
    return QString::fromLatin1(text);
}

std::vector<ui::GridColumn> columns(std::initializer_list<const char*> fields) {
    std::vector<ui::GridColumn> result;
    for (const char* field : fields)
        result.push_back({S(field), S(field),
                          S(field) == S("Descrizione") ? 260
                          : S(field) == S("Barcode")   ? 130
                                                       : 90});
    return result;
}

QPushButton* button(const QString& caption, QWidget* context, std::function<void()> action) {
    auto* b = new QPushButton(caption);
    b->setAutoDefault(false);
    QObject::connect(b, &QPushButton::clicked, context, std::move(action));
    return b;
}

void tell(const LineOutcome& outcome) {
    if (!outcome.done())
        ui::dialogs().message(outcome.message);
}

} // namespace

bool mayShowArticlesPage(Tdm& data) {
    if (const std::optional<QString> refusal = articlesPageRefusal(data.Tabmov)) {
        ui::dialogs().message(*refusal);
        return false;
    }
    return true;
}

MovementArticlesPage::MovementArticlesPage(Tdm& data, QWidget* parent)
    : QWidget(parent)
    , data_(data)
    , TabARTMOV_(std::make_unique<store::Table>(data.Tabmov.databaseName(), S("Mov_articoli"))) {
    TabARTMOV_->setIndexName(S("mov_index"));
    TabARTMOV_->setMasterSource(&data.Tabmov, S("Id"), S("Id_mov"));
    TabARTMOV_->open();
    for (const char* money : {"Prezzo_acq", "Prezzo_vend"})
        TabARTMOV_->field(S(money)).setDisplayFormat(S("#,###,##0.00"));

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(ui::boldLabel(S("Articoli in magazzino senza matricola (ricambi, ecc...)")));
    top->addStretch(1);
    top->addWidget(button(S("aggiungi merce in magazzino"), this, [this] { addStock(); }));
    layout->addLayout(top);
    layout->addWidget(
        new ui::DataGrid(data.Tabarticoli, columns({"Descrizione", "Barcode", "Qta", "Prezzo_acq",
                                                    "Prezzo_vend", "Iva", "Giacenza_sn"})),
        1);

    auto* middle = new QHBoxLayout;
    middle->addWidget(
        ui::boldLabel(S("Articoli usati nell'intervento (riparazione,intervento,vendita)")));
    middle->addStretch(1);
    quantity_ = new QLineEdit(S("1"));
    quantity_->setMaximumWidth(60);
    middle->addWidget(quantity_);
    middle->addWidget(button(S("Aggiungi "), this, [this] { add(); }));
    middle->addWidget(button(S("Rimuovi"), this, [this] { remove(); }));
    layout->addLayout(middle);
    layout->addWidget(new ui::DataGrid(*TabARTMOV_, columns({"Descrizione", "Barcode", "Qta",
                                                             "Prezzo_vend", "Iva"})),
                      1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(button(S("Conferma"), this, [this] { emit confirmed(); }));
    layout->addLayout(bottom);
}

MovementArticlesPage::~MovementArticlesPage() = default;

void MovementArticlesPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    showWarehouse();
}

void MovementArticlesPage::showWarehouse() {
    try {
        articles::showWarehouse(data_.Tabarticoli);
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
}

void MovementArticlesPage::add() {
    try {
        tell(addToMovement(data_.Tabarticoli, *TabARTMOV_, quantityOf(quantity_->text())));
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
}

void MovementArticlesPage::remove() {
    try {
        tell(removeFromMovement(data_.Tabarticoli, *TabARTMOV_, quantityOf(quantity_->text())));
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
}

void MovementArticlesPage::addStock() {
    data_.Tabarticoli.setFiltered(false);
    openArticles(data_);
    showWarehouse();
}

} // namespace articles
