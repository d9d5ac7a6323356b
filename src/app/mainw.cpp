#include "app/mainw.h"

#include "app/agenda.h"
#include "app/inifile.h"
#include "app/sel_annow.h"
#include "app/splashw.h"
#include "store/dm.h"
#include "store/program.h"
#include "store/value.h"
#include "ui/dialogs.h"
#include "ui/modal.h"
#include "ui/pagestack.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QGraphicsDropShadowEffect>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>
#include <optional>

namespace {
QPointer<TAboutForm> AboutForm;
QPointer<TSel_annoForm> Sel_annoForm;
QPointer<TAboutBox> AboutBox;
} // namespace

TMainForm::TMainForm(Tdm& data, store::ProgramState& state, const QString& programFile,
                     const QDate& today, QWidget* parent)
    : QMainWindow(parent)
    , data_(data)
    , state_(state)
    , iniPath_(app::iniPathFor(programFile)) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Software: Assistenza tecnica sui Misurazioni Fiscali"));
    buildMenu();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* toolbar = new QWidget(central);
    buildToolbar(toolbar);
    layout->addWidget(toolbar);
    layout->addWidget(buildAgenda(), 1);
    layout->addWidget(buildBottomBand());
    setCentralWidget(central);

    const int widths[3] = {100, 250, 90};
    for (int i = 0; i < 3; ++i) {
        status_[i] = new QLabel(this);
        status_[i]->setMinimumWidth(widths[i]);
        status_[i]->setObjectName(QStringLiteral("Panel%1").arg(i));
        statusBar()->addWidget(status_[i]);
    }
    statusBar()->setSizeGripEnabled(false);

    calendar_->setSelectedDate(today);
    pages_->showPage(QStringLiteral("inizio"));
    dateChanged();

    state_.dataRoot = app::readDataRoot(iniPath_, QApplication::applicationDirPath());
    app::writeDataRoot(iniPath_, state_.dataRoot);

    setFixedSize(1020, 720);
    qApp->installEventFilter(this);
}

TMainForm::~TMainForm() {
    qApp->removeEventFilter(this);
}

QAction* TMainForm::addEntry(QMenu* menu, const QString& caption, MainCommand command) {
    QAction* action = menu->addAction(caption);
    action->setEnabled(openers_.count(command) > 0);
    triggers_[command].push_back(action);
    connect(action, &QAction::triggered, this, [this, command] { run(command); });
    return action;
}

void TMainForm::addEntries(QMenu* menu, std::initializer_list<MenuEntry> entries) {
    for (const auto& [caption, command] : entries) {
        if (command)
            addEntry(menu, QString::fromUtf8(caption), *command);
        else
            menu->addSeparator();
    }
}

void TMainForm::buildMenu() {
    const std::nullopt_t separator = std::nullopt;
    QMenu* tables = menuBar()->addMenu(QStringLiteral("Tabelle"));
    addEntries(tables, {{"Esercizi (clienti)", MainCommand::Customers},
                        {"Fornitori", MainCommand::Suppliers},
                        {"", separator},
                        {"Elenco comuni ", MainCommand::Municipalities},
                        {"", separator},
                        {"Impostazioni default", MainCommand::DefaultSettings},
                        {"Tipi movimenti", MainCommand::MovementTypes},
                        {"Tipi di contratto", MainCommand::ContractTypes},
                        {"", separator}});
    connect(tables->addAction(QStringLiteral("Uscita dal programma")), &QAction::triggered, this,
            &QWidget::close);

    addEntries(menuBar()->addMenu(QStringLiteral("Movimenti")),
               {{"Elenco Movimentazione", MainCommand::Movements},
                {"", separator},
                {"Elenco Vendite", MainCommand::Sales},
                {"Elenco Riparazioni", MainCommand::Repairs},
                {"Elenco Interventi", MainCommand::Interventions},
                {"", separator},
                {"Tipi di movimento", MainCommand::MovementTypes}});
    addEntries(menuBar()->addMenu(QStringLiteral("Documenti")),
               {{"impostazioni", MainCommand::DocumentSettings},
                {"", separator},
                {"tipo di documenti", MainCommand::DocumentTypes},
                {"Elenco documenti", MainCommand::Documents}});
    addEntries(menuBar()->addMenu(QStringLiteral("Agenzia Entrate")),
               {{"Soggetto obbligato (concessionario)", MainCommand::ObligedSubject},
                {"Tecnici", MainCommand::Technicians},
                {"Misuratori (tipologia)", MainCommand::MeterModels},
                {"", separator},
                {"Scarica dati sul software di verificazione periodica della kesasoft",
                 MainCommand::ExportToVerification}});

    QMenu* utilities = menuBar()->addMenu(QStringLiteral("Utilità"));
    addEntry(utilities, QStringLiteral("svuota archivi"), MainCommand::EmptyArchives);
    QMenu* import = utilities->addMenu(QStringLiteral("Importa"));
    addEntry(import, QStringLiteral("importa da programma verificazioni"),
             MainCommand::ImportFromVerification);
    // Present but never visible: reading the agency file is reached no other way either.
    addEntry(import, QStringLiteral("importa da file per agenzia"), MainCommand::AgencyFile)
        ->setVisible(false);
    addEntry(utilities, QStringLiteral("copia di salvataggio..."), MainCommand::Backup);

    QMenu* help = menuBar()->addMenu(QStringLiteral("?"));
    connect(help->addAction(QStringLiteral("Informazioni su...")), &QAction::triggered, this,
            [] { ui::showModal(AboutBox); });
    help->addSeparator();
    addEntry(help, QStringLiteral("Primi passi..."), MainCommand::FirstSteps);
}

void TMainForm::addButton(QGridLayout* grid, int column, int row, const QString& caption,
                          const QString& hint, MainCommand command) {
    auto* button = new QPushButton(caption, grid->parentWidget());
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::NoFocus);
    button->setMinimumHeight(34);
    button->setEnabled(openers_.count(command) > 0);
    grid->addWidget(button, row, column);
    triggers_[command].push_back(button);
    connect(button, &QPushButton::clicked, this, [this, command] { run(command); });
}

void TMainForm::buildToolbar(QWidget* panel) {
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(4, 4, 4, 4);
    addButton(grid, 0, 0, QStringLiteral("Elenco tecnici /F3"), QStringLiteral("Elenco Tecnici"),
              MainCommand::Technicians);
    addButton(grid, 0, 1, QStringLiteral("Elenco Esercizii /F4"),
              QStringLiteral("Elenco Esercizi commerciali"), MainCommand::Customers);
    addButton(grid, 1, 0, QStringLiteral("Articoli e parco macchine"), {}, MainCommand::Articles);
    addButton(grid, 1, 1, QStringLiteral("Elenco Contratti"), {}, MainCommand::Contracts);
    addButton(grid, 2, 0, QStringLiteral("Elenco interventi"), {}, MainCommand::Interventions);
    addButton(grid, 2, 1, QStringLiteral("Elenco riparazioni"), {}, MainCommand::Repairs);
    addButton(grid, 2, 2, QStringLiteral("Elenco vendite"), {}, MainCommand::Sales);
    addButton(grid, 3, 0, QStringLiteral("Elenco Documenti"), {}, MainCommand::Documents);
    addButton(grid, 3, 1, QStringLiteral("Gest. movimenti  /F6"), {}, MainCommand::Movements);
}

QWidget* TMainForm::buildBottomBand() {
    auto* band = new QWidget(this);
    auto* layout = new QHBoxLayout(band);
    auto* title = new QLabel(QStringLiteral("Gestione assistenza tecnica "), band);
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPointSize(24);
    font.setBold(true);
    font.setItalic(true);
    title->setFont(font);
    title->setStyleSheet(QStringLiteral("color: #203060;"));
    auto* shadow = new QGraphicsDropShadowEffect(title);
    shadow->setColor(QColor(40, 90, 255));
    shadow->setOffset(3, 3);
    shadow->setBlurRadius(2);
    title->setGraphicsEffect(shadow);
    layout->addWidget(title);
    auto* note = new QLabel(
        QStringLiteral("(Consente lo scarico elettronico trimestrale richiesto dall'Agenzia delle "
                       "Entrate a tutti i Concessionari) (GU N. 124 del 30 maggio 2005)"),
        band);
    note->setWordWrap(true);
    QFont small = note->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    note->setFont(small);
    layout->addWidget(note, 1);
    return band;
}

void TMainForm::setOpener(MainCommand command, std::function<void()> opener) {
    openers_[command] = std::move(opener);
    for (const QPointer<QObject>& trigger : triggers_[command]) {
        if (auto* action = qobject_cast<QAction*>(trigger.data()))
            action->setEnabled(true);
        else if (auto* widget = qobject_cast<QWidget*>(trigger.data()))
            widget->setEnabled(true);
    }
}

void TMainForm::run(MainCommand command) {
    const auto it = openers_.find(command);
    if (it == openers_.end())
        return;
    // The lists of movements and contracts filter the objects the agenda shows.
    switch (command) {
    case MainCommand::Movements:
    case MainCommand::Sales:
    case MainCommand::Repairs:
    case MainCommand::Interventions:
    case MainCommand::Contracts:
        pages_->showPage(QStringLiteral("inizio"));
        break;
    default:
        break;
    }
    try {
        it->second();
    } catch (const std::exception& failure) {
        ui::showFailure(failure);
    }
}

bool TMainForm::startUp() {
    ui::showModal(AboutForm);
    const int result = ui::showModal(Sel_annoForm, [this] {
        return std::make_unique<TSel_annoForm>(
            data_, state_, [this](const QString& text) { status_[2]->setText(text); },
            QDate::currentDate(), this);
    });
    if (result != QDialog::Accepted)
        return false;
    status_[0]->setText(store::value::italianDate(QDate::currentDate()));
    status_[1]->setText(TAboutBox::versionText());
    return true;
}

QString TMainForm::statusPanel(int index) const {
    return status_[index]->text();
}

QPushButton* TMainForm::button(const QString& caption) const {
    // Each agenda page has its own "indietro": the one the user can see is meant.
    QPushButton* hidden = nullptr;
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->text() == caption) {
            if (b->isVisible())
                return b;
            if (!hidden)
                hidden = b;
        }
    return hidden;
}

void TMainForm::closeEvent(QCloseEvent* event) {
    app::writeDataRoot(iniPath_, state_.dataRoot);
    data_.dmDestroy();
    event->accept();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    // The window sees its keys before its controls; only F3 and F6 mean something to it.
    if (event->type() == QEvent::KeyPress && QApplication::activeWindow() == this &&
        watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F3) {
            run(MainCommand::Technicians);
            return true;
        }
        if (key == Qt::Key_F6) {
            run(MainCommand::Movements);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
