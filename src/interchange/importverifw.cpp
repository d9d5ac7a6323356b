#include "interchange/importverifw.h"

#include "interchange/import.h"
#include "interchange/verification_form.h"
#include "store/dm.h"
#include "store/error.h"
#include "ui/dialogs.h"
#include "ui/grid.h"
#include "ui/modal.h"
#include "ui/pagestack.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

std::vector<ui::GridColumn> allColumns(const store::Table& table) {
    std::vector<ui::GridColumn> out;
    for (const store::FieldDef& f : table.definition().fields)
        out.push_back({f.name, f.name, 0});
    return out;
}

QPushButton* button(const QString& caption) {
    auto* b = new QPushButton(caption);
    b->setAutoDefault(false);
    return b;
}

QString notFound() {
    return QStringLiteral("archivi non trovati");
}

} // namespace

const QString Timporta_da_verifForm::startPageName = QStringLiteral("inizio");
const QString Timporta_da_verifForm::importPageName = QStringLiteral("importa");

Timporta_da_verifForm::Timporta_da_verifForm(Tdm& data, QWidget* parent)
    : ui::Screen(parent)
    , data_(data)
    , folder_(interchange::form::folderBox())
    , year_(interchange::form::yearBox(2005))
    , status_(new QLabel)
    , pages_(new ui::PageStack) {
    setWindowTitle(QStringLiteral("importa_da_verifForm"));
    resize(900, 620);
    // Nothing is written until "Inserisci", which runs to its end.
    setCloseAllowed(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("cartella dove è installato il programma (es.: c:\\programmi\\kesasoft);")));
    layout->addWidget(folder_, 0, Qt::AlignLeft);
    layout->addWidget(new QLabel(QStringLiteral("Anno da cui acquisire:")));
    layout->addWidget(year_, 0, Qt::AlignLeft);
    auto* check = button(QStringLiteral("verifica presenza di dati"));
    connect(check, &QPushButton::clicked, this, [this] { checkData(); });
    layout->addWidget(check, 0, Qt::AlignLeft);
    layout->addWidget(status_);

    auto* page = new QWidget;
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    auto* insert = button(QStringLiteral("Inserisci"));
    connect(insert, &QPushButton::clicked, this, [this] { importAll(); });
    top->addWidget(insert);
    top->addWidget(new QLabel(QStringLiteral("gli archivi vengono svuotati e caricati con i record "
                                             "presenti nel programma di verificazioni")),
                   1);
    pageLayout->addLayout(top);
    for (store::Table* shown : {&source_.misurazioni, &source_.esercizio, &source_.ms}) {
        auto* grid = new ui::DataGrid(*shown, allColumns(*shown));
        interchange::form::fitColumns(*grid);
        pageLayout->addWidget(grid, 1);
    }
    pages_->addPage(startPageName, new QWidget);
    pages_->addPage(importPageName, page);
    pages_->showPage(startPageName);
    layout->addWidget(pages_, 1);
}

Timporta_da_verifForm::~Timporta_da_verifForm() {
    source_.close();
}

QString Timporta_da_verifForm::statusText() const {
    return status_->text();
}

void Timporta_da_verifForm::checkData() {
    try {
        source_.open(folder_->text(), QString::number(year_->value()));
    } catch (const store::Error&) {
        pages_->showPage(startPageName);
        status_->setText(notFound());
        ui::dialogs().message(notFound());
        return;
    }
    status_->setText(QStringLiteral("Archivi trovati e aperti"));
    pages_->showPage(importPageName);
}

void Timporta_da_verifForm::importAll() {
    try {
        interchange::importFromVerification(
            data_, source_, [](const QString& text) { ui::dialogs().message(text); });
    } catch (const store::Error& failure) {
        ui::dialogs().warning(QStringLiteral("Importazione non eseguita: %1\nGli archivi di questo "
                                             "programma sono rimasti come erano.")
                                  .arg(failure.message()));
        return;
    }
    ui::dialogs().message(interchange::importDoneMessage());
    source_.close();
    closeWith(Accepted);
}

namespace interchange {

int openImportFromVerification(Tdm& data) {
    return ui::showScreen<Timporta_da_verifForm>(data);
}

} // namespace interchange
