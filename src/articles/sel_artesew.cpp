#include "articles/sel_artesew.h"

#include "store/dm.h"
#include "store/query.h"
#include "store/references.h"
#include "ui/dialogs.h"
#include "ui/formkit.h"
#include "ui/grid.h"
#include "ui/modal.h"
#include "ui/pagestack.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

QString S(const char* text) {
    return QString::fromLatin1(text);
}

const QString kCustomerPage = QStringLiteral("cliente");
const QString kWarehousePage = QStringLiteral("magazzino");

} // namespace

TSel_arteseForm::TSel_arteseForm(Tdm& data, articles::MachineLists& lists, articles::PickFor kind,
                                 QWidget* parent)
    : QDialog(parent)
    , data_(data)
    , pages_(new ui::PageStack) {
    setWindowTitle(S("Sel_arteseForm"));
    resize(620, 420);
    pages_->addPage(kCustomerPage, buildPage(S("Articoli in possesso del cliente"), *lists.Query1,
                                             {S("Matricola"), S("ms")}, false));
    pages_->addPage(kWarehousePage,
                    buildPage(S("Articoli in magazzino (solo nel caso di vendita)"), *lists.Qart,
                              {S("Matricola"), S("Qta"), S("marchio_ms"), S("denom_ms")}, true));
    pages_->showPage(kind == articles::PickFor::CustomerMachines ? kCustomerPage : kWarehousePage);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
}

QWidget* TSel_arteseForm::buildPage(const QString& caption, store::Table& list,
                                    std::vector<QString> fields, bool warehouse) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(ui::boldLabel(caption));
    std::vector<ui::GridColumn> columns;
    for (const QString& field : fields)
        columns.push_back({field, field, field == S("Qta") ? 50 : 150});
    layout->addWidget(new ui::DataGrid(list, std::move(columns)), 1);
    layout->addLayout(ui::buttonRow(this, {{S("OK"),
                                            [this, &list, warehouse] {
                                                confirm(list, warehouse);
                                            }},
                                           {S("Annulla"), [this] {
                                                reject();
                                            }}}));
    return page;
}

void TSel_arteseForm::confirm(store::Table& list, bool warehouse) {
    try {
        const articles::PickOutcome outcome = warehouse
                                                  ? articles::chooseWarehouseMachine(data_, list)
                                                  : articles::chooseCustomerMachine(data_, list);
        if (outcome == articles::PickOutcome::CustomerMissing) {
            ui::dialogs().message(articles::missingCustomerMessage());
            return;
        }
        if (outcome != articles::PickOutcome::Chosen)
            return;
        accept();
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
}

namespace articles {

int customerIdForName(Tdm& data, const QString& name) {
    const auto found = store::rules::lookupRecord(data.Tabesercizio, S("Ragione_sociale"), name,
                                                  {S("Id_esercizio")});
    return found ? found->front().toInt() : 0;
}

std::optional<QString> pickMachine(Tdm& data, PickFor kind, int customerId) {
    const store::DataSetState state = data.Tabmov.state();
    if (state != store::DataSetState::Insert && state != store::DataSetState::Edit)
        return std::nullopt;
    try {
        MachineLists lists(data, customerId);
        if (ui::showScreen<TSel_arteseForm>(data, lists, kind) != QDialog::Accepted)
            return std::nullopt;
        // Only a choice applied to the movement closes the picker with OK.
        return data.Tabmov.field(S("MATRICOLA_MS")).asString();
    } catch (const std::exception& e) {
        ui::showFailure(e);
        return std::nullopt;
    }
}

} // namespace articles
