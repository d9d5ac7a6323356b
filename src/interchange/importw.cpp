#include "interchange/importw.h"

#include "interchange/agency_parser.h"
#include "interchange/verification_form.h"
#include "store/dm.h"
#include "store/error.h"
#include "store/program.h"
#include "ui/dialogs.h"
#include "ui/formkit.h"
#include "ui/grid.h"
#include "ui/modal.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

std::vector<ui::GridColumn> columnsOf(interchange::AgencyKind kind) {
    std::vector<ui::GridColumn> columns{{QStringLiteral("Id"), QStringLiteral("Id"), 0}};
    for (const interchange::AgencyField& field : interchange::agencyLayout(kind)) {
        const QString name = QString::fromLatin1(field.name);
        columns.push_back({name, name, 0});
    }
    return columns;
}

QString openDialog(QWidget* parent) {
    return QFileDialog::getOpenFileName(
        parent, QStringLiteral("Seleziona il file"), QString(),
        QStringLiteral("File per l'Agenzia delle Entrate (*.txt *.dat);;Tutti i file (*)"));
}

} // namespace

TimportForm::TimportForm(const QString& stagingFolder, AgencyFileChooser chooser, QWidget* parent)
    : ui::Screen(parent)
    , staging_(stagingFolder)
    , chooser_(chooser ? std::move(chooser) : AgencyFileChooser(openDialog))
    , path_(new QLabel)
    , panel_(new QWidget)
    , progress_(new QProgressBar) {
    setWindowTitle(QStringLiteral("importform"));
    resize(900, 640);
    // Only the staging tables are written, and only inside one reading.
    setCloseAllowed(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(ui::buttonRow(this,
                                    {{QStringLiteral("Seleziona il file"),
                                      [this] {
                                          chooseFile();
                                      }},
                                     {QStringLiteral("Visualizza"),
                                      [this] {
                                          readChosenFile();
                                      }},
                                     {QStringLiteral("Chiudi"),
                                      [this] {
                                          closeWith(Rejected);
                                      }}},
                                    false));
    path_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(path_);
    store::Table* tables[] = {&staging_.riga1, &staging_.riga2, &staging_.riga3};
    for (int i = 0; i < 3; ++i) {
        grids_[i] = new ui::DataGrid(*tables[i], columnsOf(interchange::AgencyKind(i)));
        interchange::form::fitColumns(*grids_[i]);
        layout->addWidget(grids_[i], 1);
    }

    auto* panelLayout = new QHBoxLayout(panel_);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(new QLabel(QStringLiteral("I dati verranno inseriti negli archivi")));
    panelLayout->addWidget(progress_, 1);
    auto* importButton = new QPushButton(QStringLiteral("Importa"));
    importButton->setAutoDefault(false);
    connect(importButton, &QPushButton::clicked, this,
            [] { ui::dialogs().message(QStringLiteral("disabilitato")); });
    panelLayout->addWidget(importButton);
    panel_->hide();
    layout->addWidget(panel_);
}

TimportForm::~TimportForm() {
    staging_.close();
}

QString TimportForm::chosenFile() const {
    return path_->text();
}

ui::DataGrid* TimportForm::grid(interchange::AgencyKind kind) const {
    return grids_[int(kind)];
}

void TimportForm::chooseFile() {
    const QString chosen = chooser_(this);
    if (!chosen.isEmpty())
        path_->setText(chosen);
}

void TimportForm::readChosenFile() {
    try {
        interchange::readAgencyFile(chosenFile(), staging_,
                                    [this](int percent) { progress_->setValue(percent); });
    } catch (const store::Error& failure) {
        ui::dialogs().message(failure.message());
        return;
    }
    panel_->show();
}

namespace interchange {

int openAgencyFile(Tdm& data, AgencyFileChooser chooser) {
    const QString yearFolder = data.Tabesercizio.databaseName();
    const int result =
        ui::showScreen<TimportForm>(stagingFolder(store::program().dataRoot), std::move(chooser));
    data.dmDestroy();
    data.dmCreate(yearFolder);
    return result;
}

} // namespace interchange
