#include "movements/movement_list.h"

#include "movements/movement_rules.h"
#include "store/dm.h"
#include "ui/formkit.h"
#include "ui/grid.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace movements {

namespace {

QString f(const char* name) {
    return QString::fromLatin1(name);
}

std::vector<ui::GridColumn>
titledByField(std::initializer_list<std::pair<const char*, int>> fields) {
    std::vector<ui::GridColumn> columns;
    for (const auto& [name, width] : fields)
        columns.push_back({f(name), f(name), width});
    return columns;
}

QColor colourOf(RowColour colour) {
    switch (colour) {
    case RowColour::Red:
        return QColor(255, 0, 0);
    case RowColour::Green:
        return QColor(0, 128, 0);
    case RowColour::Blue:
        return QColor(0, 0, 255);
    }
    return {};
}

QStringList valuesOf(store::Table& source, const char* field) {
    return source.active() ? source.textsOf(f(field)) : QStringList();
}

QComboBox* nameChoice() {
    auto* box = new QComboBox;
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(24);
    return box;
}

QPushButton* commandButton(const QString& caption) {
    auto* b = new QPushButton(caption);
    b->setAutoDefault(false);
    return b;
}

} // namespace

MovementList::MovementList(Tdm& data, store::Table& lines, store::Table& verifications,
                           const QString& kind, const QString& caption, QWidget* parent)
    : QWidget(parent)
    , data_(data)
    , kind_(kind) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(buildFilterPanel(caption));

    auto* middle = new QHBoxLayout;
    grid_ = new ui::DataGrid(data.Tabmov, titledByField({{"tipo_mov", 100},
                                                         {"Data", 80},
                                                         {"Ora", 50},
                                                         {"ragionesociale", 200},
                                                         {"Data_app", 80},
                                                         {"Ora_app", 60},
                                                         {"cogn_no_idnumsig", 150},
                                                         {"Accordi", 150},
                                                         {"Appuntamento", 100},
                                                         {"Evasa_sn", 70}}));
    grid_->setRowSelect(true);
    grid_->setRecordIndicator(true);
    grid_->setRowStyler([](const ui::GridRow& row, ui::CellStyle& style) {
        style.text = colourOf(rowColour(row.value(f("Evasa_sn")).toBool(),
                                        row.value(f("Da_fatt_sn")).toBool(),
                                        row.value(f("Fatt_sn")).toBool()));
    });
    middle->addWidget(grid_, 1);
    middle->addWidget(buildSideTexts());
    middle->addWidget(buildCommands());
    layout->addLayout(middle, 3);
    layout->addWidget(buildLowerTabs(lines, verifications), 2);
}

QWidget* MovementList::buildFilterPanel(const QString& caption) {
    auto* panel = new QWidget;
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(ui::boldLabel(QStringLiteral("Filtra:")));
    const auto datePair = [this, row](const QString& title, int first) {
        auto* group = new QGroupBox(title);
        auto* form = new QFormLayout(group);
        for (int i = 0; i < 2; ++i) {
            auto* box = new QLineEdit;
            box->setInputMask(QStringLiteral("99/99/9999"));
            box->setFixedWidth(ui::boxWidthForText(*box, QStringLiteral("00/00/00000")));
            form->addRow(i == 0 ? QStringLiteral("dal:") : QStringLiteral("al:"), box);
            dates_[first + i] = box;
        }
        row->addWidget(group);
    };
    datePair(QStringLiteral("data inserimento movimento "), 0);
    datePair(QStringLiteral("data appuntamento"), 2);

    auto* fulfilment = new QGroupBox(QStringLiteral("Evasioni"));
    auto* choices = new QVBoxLayout(fulfilment);
    for (const auto& [which, text] :
         {std::pair{Fulfilment::All, "Tutti"}, std::pair{Fulfilment::Done, "Evasi"},
          std::pair{Fulfilment::Open, "Non Evasi"}}) {
        auto* radio = new QRadioButton(f(text));
        choices->addWidget(radio);
        fulfilment_[which] = radio;
    }
    fulfilment_[Fulfilment::All]->setChecked(true);
    row->addWidget(fulfilment);

    auto* names = new QFormLayout;
    customer_ = nameChoice();
    technician_ = nameChoice();
    type_ = nameChoice();
    names->addRow(QStringLiteral("Esercizio:"), customer_);
    names->addRow(QStringLiteral("Tecnico:"), technician_);
    if (general()) {
        names->addRow(QStringLiteral("Tipo movimento:"), type_);
    } else {
        type_->setParent(panel);
        type_->hide();
        type_->setEditText(kind_);
        auto* name = ui::boldLabel(caption);
        name->setStyleSheet(QStringLiteral("color: blue; font-size: 14pt"));
        names->addRow(name);
    }
    row->addLayout(names);

    auto* buttons = new QVBoxLayout;
    for (const char* caption : {"Tutti", "Filtra", "Pulisci"}) {
        auto* b = new QPushButton(f(caption));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        commands_[f(caption)] = b;
    }
    row->addLayout(buttons);
    row->addStretch(1);
    return panel;
}

QWidget* MovementList::buildSideTexts() {
    auto* side = new QWidget;
    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    const std::pair<const char*, const char*> texts[] = {{"Nota1", "nota1"},
                                                         {"Nota2", "nota2"},
                                                         {"Nota3", "nota3"},
                                                         {"Nota4", "nota4"},
                                                         {"Accordi", "accordi"},
                                                         {"Data_app", "data appuntamento"},
                                                         {"Rapp1", "rapp1"},
                                                         {"Rapp2", "rapp2"},
                                                         {"Rapp3", "rapp3"},
                                                         {"Rapp4", "rapp4"},
                                                         {"Rec_urgente", "Recapito urgente"}};
    for (const auto& [field, hint] : texts) {
        auto* text = new ui::DbLabel(data_.Tabmov, f(field));
        text->setToolTip(f(hint));
        text->setFrameShape(QFrame::Panel);
        text->setFrameShadow(QFrame::Sunken);
        text->setFixedWidth(170);
        column->addWidget(text);
    }
    column->addStretch(1);
    return side;
}

QWidget* MovementList::buildCommands() {
    auto* commands = new QWidget;
    auto* column = new QVBoxLayout(commands);
    column->setContentsMargins(0, 0, 0, 0);
    const QStringList own = general()
                                ? QStringList{"Nuovo Mov /F8", "Modifica Mov /F9", "elimina Mov"}
                                : QStringList{"Nuovo /F8", "Modifica /F9", "elimina"};
    for (const QString& caption : own) {
        auto* b = new QPushButton(caption);
        b->setAutoDefault(false);
        column->addWidget(b);
        commands_[caption] = b;
    }
    for (const char* caption :
         {"Segna Evasa", "stampa elenco", "stampa foglio di lavoro", "stampa appuntamenti"}) {
        auto* b = commandButton(f(caption));
        column->addWidget(b);
        commands_[f(caption)] = b;
    }
    column->addStretch(1);
    auto* close = new QPushButton(QStringLiteral("chiudi"));
    close->setAutoDefault(false);
    column->addWidget(close);
    commands_[close->text()] = close;
    return commands;
}

QWidget* MovementList::buildLowerTabs(store::Table& lines, store::Table& verifications) {
    lower_ = new QTabWidget;
    const auto tab = [this](ui::DataGrid* grid, const QStringList& captions) {
        auto* page = new QWidget;
        auto* row = new QHBoxLayout(page);
        grid->setRowSelect(true);
        grid->horizontalHeader()->setStretchLastSection(true);
        row->addWidget(grid, 1);
        auto* buttons = new QVBoxLayout;
        for (const QString& caption : captions) {
            QPushButton* b = commandButton(caption);
            buttons->addWidget(b);
            commands_[caption] = b;
        }
        buttons->addStretch(1);
        row->addLayout(buttons);
        return page;
    };
    linesGrid_ = new ui::DataGrid(lines, titledByField({{"Descrizione", 250},
                                                        {"Barcode", 120},
                                                        {"Qta", 50},
                                                        {"Prezzo_acq", 90},
                                                        {"Prezzo_vend", 90},
                                                        {"Iva", 50}}));
    lower_->addTab(tab(linesGrid_, {QStringLiteral("Inserisci/Modifica")}), articlesTabName);
    std::vector<ui::GridColumn> columns{{f("tipo_int"), QStringLiteral("Tipo intervento"), 140}};
    for (const ui::GridColumn& c : titledByField({{"MATRICOLA_MS", 110},
                                                  {"PIVA", 100},
                                                  {"COMUNE", 140},
                                                  {"INDIRIZZO", 180},
                                                  {"DATA_INI", 80},
                                                  {"DATA_FINE", 80},
                                                  {"ESITO", 50}}))
        columns.push_back(c);
    verificationsGrid_ = new ui::DataGrid(verifications, std::move(columns));
    lower_->addTab(tab(verificationsGrid_,
                       {QStringLiteral("Nuovo mov per AE"), QStringLiteral("Modifica mov per AE"),
                        QStringLiteral("Elimina mov per AE")}),
                   verificationsTabName);
    lower_->setCurrentIndex(1);
    return lower_;
}

void MovementList::fillChoices() {
    const auto fill = [](QComboBox* box, const QStringList& items) {
        box->clear();
        box->addItems(items);
        box->setCurrentIndex(-1);
        box->clearEditText();
    };
    fill(customer_, valuesOf(data_.Tabesercizio, "Ragione_sociale"));
    fill(technician_, valuesOf(data_.Tabtecnico, "Cogn_no_sigillo"));
    fill(type_, valuesOf(data_.Tabtipomov, "Descrizione"));
    if (!general())
        type_->setEditText(kind_);
}

FilterCriteria MovementList::criteria() const {
    FilterCriteria c;
    c.insertedFrom = dates_[0]->text();
    c.insertedTo = dates_[1]->text();
    c.appointmentFrom = dates_[2]->text();
    c.appointmentTo = dates_[3]->text();
    for (const auto& [which, radio] : fulfilment_)
        if (radio->isChecked())
            c.fulfilment = which;
    return c;
}

FilterNames MovementList::names() const {
    return {customer_->currentText(), technician_->currentText(), type_->currentText()};
}

void MovementList::clearPanel() {
    for (QLineEdit* box : dates_)
        box->clear();
    fulfilment_[Fulfilment::All]->setChecked(true);
    customer_->setCurrentIndex(-1);
    customer_->clearEditText();
    technician_->setCurrentIndex(-1);
    technician_->clearEditText();
    type_->setCurrentIndex(-1);
    type_->setEditText(kind_);
}

QPushButton* MovementList::command(const QString& caption) const {
    const auto it = commands_.find(caption);
    return it == commands_.end() ? nullptr : it->second;
}

} // namespace movements
