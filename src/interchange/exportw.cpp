#include "interchange/exportw.h"

#include "interchange/export.h"
#include "interchange/verification_form.h"
#include "store/dm.h"
#include "store/error.h"
#include "store/program.h"
#include "ui/dialogs.h"
#include "ui/grid.h"
#include "ui/modal.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

std::vector<ui::GridColumn> columns(std::initializer_list<const char*> fields) {
    std::vector<ui::GridColumn> out;
    for (const char* f : fields)
        out.push_back({QString::fromLatin1(f), QString::fromLatin1(f), 0});
    return out;
}

QPushButton* button(const QString& caption) {
    auto* b = new QPushButton(caption);
    b->setAutoDefault(false);
    return b;
}

} // namespace

Texport_inverifForm::Texport_inverifForm(Tdm& data, const QString& workingYear, QWidget* parent)
    : ui::Screen(parent)
    , data_(data)
    , savedFilter_(data.Tabmisurazioni.filter())
    , savedFiltered_(data.Tabmisurazioni.filtered())
    , folder_(interchange::form::folderBox())
    , year_(interchange::form::yearBox(workingYear.toInt()))
    , quarters_(new QButtonGroup(this))
    , panel_(new QWidget) {
    setWindowTitle(QStringLiteral("export_inverifForm"));
    resize(980, 600);
    // Nothing is written until "invia", which runs to its end.
    setCloseAllowed(true);
    year_->setReadOnly(true);

    auto* layout = new QVBoxLayout(this);
    auto* boxes = new QHBoxLayout;
    auto* where = new QVBoxLayout;
    where->addWidget(new QLabel(
        QStringLiteral("Cartella dove è installato il programma (es.: c:\\programmi\\kesasoft);")));
    where->addWidget(folder_);
    where->addWidget(new QLabel(QStringLiteral("anno dove esportare:")));
    where->addWidget(year_, 0, Qt::AlignLeft);
    boxes->addLayout(where);
    auto* group = new QGroupBox(QStringLiteral("Seleziona il trimestre da esportare"));
    auto* groupLayout = new QVBoxLayout(group);
    const char* names[] = {"Gennaio-Febbraio-Marzo", "Aprile-Maggio-Giugno",
                           "Luglio-Agosto-Settembre", "Ottobre-Novembre-Dicembre"};
    for (int q = 1; q <= 4; ++q) {
        auto* radio = new QRadioButton(QString::fromLatin1(names[q - 1]));
        quarters_->addButton(radio, q);
        groupLayout->addWidget(radio);
    }
    boxes->addWidget(group);
    auto* check = button(QStringLiteral("verifica presenza di dati"));
    connect(check, &QPushButton::clicked, this, [this] { checkData(); });
    boxes->addWidget(check, 0, Qt::AlignBottom);
    boxes->addStretch(1);
    layout->addLayout(boxes);

    auto* tabs = new QTabWidget;
    auto* theirs = new QWidget;
    auto* theirsLayout = new QVBoxLayout(theirs);
    auto* theirGrid = new ui::DataGrid(
        target_.misurazioni,
        columns({"ID_MISURAZIONI", "ID_ESERCIZIO", "ID_MS", "ID_TECNICO", "MATRICOLA_MS",
                 "TIPO_INTERVENTO", "DATA_INI", "DATA_FINE", "ESITO", "SCARICO_SN", "TRIMESTRE",
                 "COMUNE", "PROVINCIA", "INDIRIZZO", "CAP"}));
    interchange::form::fitColumns(*theirGrid);
    theirsLayout->addWidget(theirGrid);
    auto* removeExisting = new QCheckBox(QStringLiteral("elimina movimenti presenti"));
    removeExisting->setChecked(true);
    // The verifications there are always replaced: the box only says so.
    connect(removeExisting, &QCheckBox::toggled, removeExisting,
            [removeExisting] { removeExisting->setChecked(true); });
    theirsLayout->addWidget(removeExisting);
    tabs->addTab(theirs, QStringLiteral("software verifiche periodiche"));
    auto* ours = new QWidget;
    auto* oursLayout = new QVBoxLayout(ours);
    oursLayout->addWidget(
        new ui::DataGrid(data.Tabmisurazioni,
                         columns({"ID_ESERCIZIO", "ID_MS", "ID_TECNICO", "MATRICOLA_MS",
                                  "TIPO_INTERVENTO", "DATA_INI", "DATA_FINE", "ESITO", "TRIMESTRE",
                                  "COMUNE", "PROVINCIA", "INDIRIZZO", "CAP", "PIVA"})));
    auto* send = button(QStringLiteral("invia"));
    connect(send, &QPushButton::clicked, this, [this] { this->send(); });
    oursLayout->addWidget(send, 0, Qt::AlignRight);
    tabs->addTab(ours, QStringLiteral("software assistenza"));
    auto* panelLayout = new QVBoxLayout(panel_);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(tabs);
    panel_->hide();
    layout->addWidget(panel_, 1);
}

Texport_inverifForm::~Texport_inverifForm() {
    target_.close();
    // The shared verifications go back to the filter other screens left on them.
    try {
        data_.Tabmisurazioni.setFiltered(false);
        data_.Tabmisurazioni.setFilter(savedFilter_);
        data_.Tabmisurazioni.setFiltered(savedFiltered_);
    } catch (const store::Error&) {
        // That filter was accepted before; a closed table keeps it for its next opening.
    }
}

QWidget* Texport_inverifForm::quarterButton(int quarter) const {
    return quarters_->button(quarter);
}

void Texport_inverifForm::checkData() {
    const int quarter = quarters_->checkedId();
    if (quarter < 1) {
        ui::dialogs().warning(QStringLiteral("Selezionare il trimestre da inviare."));
        return;
    }
    try {
        store::Table& own = data_.Tabmisurazioni;
        own.setFiltered(false);
        own.setFilter(interchange::quarterFilter(quarter));
        own.setFiltered(true);
        target_.open(folder_->text(), QString::number(year_->value()));
    } catch (const store::Error& failure) {
        panel_->hide();
        ui::showFailure(failure);
        return;
    }
    panel_->show();
}

void Texport_inverifForm::send() {
    if (!ui::dialogs().question(interchange::exportFirstQuestion()))
        return;
    if (!ui::dialogs().question(interchange::exportSecondQuestion()))
        return;
    try {
        interchange::exportToVerification(data_.Tabmisurazioni.databaseName(), target_,
                                          quarters_->checkedId());
    } catch (const store::Error& failure) {
        ui::dialogs().warning(QStringLiteral("Invio non eseguito: %1\nNessuna tabella del "
                                             "programma di verifiche periodiche è stata "
                                             "modificata.")
                                  .arg(failure.message()));
        return;
    }
    ui::dialogs().information(QStringLiteral("Invio svolto con successo."));
    target_.close();
    closeWith(Accepted);
}

namespace interchange {

int openExportToVerification(Tdm& data) {
    return ui::showScreen<Texport_inverifForm>(data, store::program().workingYear);
}

} // namespace interchange
