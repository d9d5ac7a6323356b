// The agenda half of the main window: calendar, date caption and the five pages.
#include "app/agenda.h"
#include "app/mainw.h"
#include "store/dm.h"
#include "store/program.h"
#include "ui/dialogs.h"
#include "ui/grid.h"
#include "ui/pagestack.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    label->setFont(bold);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("color: blue;"));
    return label;
}

std::vector<ui::GridColumn> columns(std::initializer_list<std::pair<const char*, int>> fields) {
    std::vector<ui::GridColumn> result;
    for (const auto& [name, width] : fields)
        result.push_back({QString::fromLatin1(name), QString::fromLatin1(name), width});
    return result;
}

} // namespace

QWidget* TMainForm::buildAgenda() {
    auto* panel = new QWidget(this);
    auto* layout = new QHBoxLayout(panel);

    auto* left = new QVBoxLayout;
    caption_ = new QLabel(panel);
    caption_->setObjectName(QStringLiteral("LabelData"));
    QFont bold = caption_->font();
    bold.setBold(true);
    caption_->setFont(bold);
    caption_->setAlignment(Qt::AlignCenter);
    left->addWidget(caption_);
    calendar_ = new QCalendarWidget(panel);
    calendar_->setGridVisible(true);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar_->setNavigationBarVisible(true);
    left->addWidget(calendar_);
    connect(calendar_, &QCalendarWidget::selectionChanged, this, &TMainForm::dateChanged);
    auto* moves = new QHBoxLayout;
    const std::pair<const char*, QDate (*)(const QDate&)> steps[] = {
        {"<<", app::agenda::previousYear},
        {"<", app::agenda::previousMonth},
        {">", app::agenda::nextMonth},
        {">>", app::agenda::nextYear}};
    for (const auto& [text, step] : steps) {
        auto* b = new QPushButton(QString::fromLatin1(text), panel);
        b->setFocusPolicy(Qt::NoFocus);
        moves->addWidget(b);
        connect(b, &QPushButton::clicked, this,
                [this, s = step] { selectDate(s(selectedDate())); });
    }
    auto* today = new QPushButton(QStringLiteral("OGGI"), panel);
    today->setFocusPolicy(Qt::NoFocus);
    moves->addWidget(today);
    connect(today, &QPushButton::clicked, this, [this] { selectDate(QDate::currentDate()); });
    left->addLayout(moves);
    left->addStretch();
    layout->addLayout(left);

    pages_ = new ui::PageStack(panel);
    auto* start = new QWidget(pages_);
    auto* startLayout = new QVBoxLayout(start);
    const std::pair<const char*, void (TMainForm::*)()> shows[] = {
        {"Mostra interventi", &TMainForm::showInterventions},
        {"Mostra riparazioni", &TMainForm::showRepairs},
        {"Mostra appuntamenti", &TMainForm::showAppointments},
        {"Mostra contratti", &TMainForm::showContracts}};
    startLayout->addStretch();
    for (const auto& [text, show] : shows) {
        auto* b = new QPushButton(QString::fromLatin1(text), start);
        b->setMinimumHeight(40);
        startLayout->addWidget(b);
        connect(b, &QPushButton::clicked, this, show);
    }
    startLayout->addStretch();
    pages_->addPage(QStringLiteral("inizio"), start);
    pages_->addPage(QStringLiteral("interventi"),
                    movementsPage(QStringLiteral("INTERVENTI"), gridInterventions_));
    pages_->addPage(QStringLiteral("riparazioni"),
                    movementsPage(QStringLiteral("Riparazioni"), gridRepairs_));
    pages_->addPage(QStringLiteral("appuntamenti"),
                    movementsPage(QStringLiteral("Appuntamenti"), gridAppointments_));

    auto* contracts = new QWidget(pages_);
    auto* contractsLayout = new QVBoxLayout(contracts);
    contractsLayout->addWidget(heading(QStringLiteral("Contratti"), contracts));
    gridContracts_ = new ui::DataGrid(data_.Tabcontratti,
                                      columns({{"tipo_contratto", 160},
                                               {"rag_sociale", 220},
                                               {"VAL_DAL", 80},
                                               {"VAL_AL", 80},
                                               {"DURATA", 80}}),
                                      contracts);
    contractsLayout->addWidget(gridContracts_, 1);
    auto* back = new QPushButton(QStringLiteral("indietro"), contracts);
    contractsLayout->addWidget(back, 0, Qt::AlignLeft);
    connect(back, &QPushButton::clicked, this,
            [this] { pages_->showPage(QStringLiteral("inizio")); });
    pages_->addPage(QStringLiteral("contratti"), contracts);
    layout->addWidget(pages_, 1);
    return panel;
}

QWidget* TMainForm::movementsPage(const QString& title, ui::DataGrid*& grid) {
    auto* page = new QWidget(pages_);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(title, page));
    grid = new ui::DataGrid(data_.Tabmov,
                            columns({{"Data", 80},
                                     {"Ora", 50},
                                     {"ragionesociale", 200},
                                     {"Data_app", 80},
                                     {"Ora_app", 55},
                                     {"cogn_no_idnumsig", 160},
                                     {"Evasa_sn", 60}}),
                            page);
    layout->addWidget(grid, 1);
    auto* back = new QPushButton(QStringLiteral("indietro"), page);
    layout->addWidget(back, 0, Qt::AlignLeft);
    connect(back, &QPushButton::clicked, this,
            [this] { pages_->showPage(QStringLiteral("inizio")); });
    return page;
}

QDate TMainForm::selectedDate() const {
    return calendar_->selectedDate();
}

void TMainForm::selectDate(const QDate& date) {
    if (date == calendar_->selectedDate()) {
        dateChanged(); // "OGGI" on today still refreshes the page
        return;
    }
    calendar_->setSelectedDate(date);
}

QString TMainForm::dateCaption() const {
    return caption_->text();
}

QString TMainForm::agendaPage() const {
    return pages_->currentPageName();
}

void TMainForm::dateChanged() {
    caption_->setText(app::agenda::dateCaption(selectedDate()));
    if (!pages_)
        return;
    const QString page = pages_->currentPageName();
    if (page == QLatin1String("interventi"))
        showInterventions();
    else if (page == QLatin1String("riparazioni"))
        showRepairs();
    else if (page == QLatin1String("appuntamenti"))
        showAppointments();
    else if (page == QLatin1String("contratti"))
        showContracts();
}

namespace {

app::agenda::MessageSink plainMessage() {
    return [](const QString& text) {
        ui::dialogs().message(text);
    };
}

void guarded(const std::function<void()>& show) {
    try {
        show();
    } catch (const std::exception& failure) {
        ui::showFailure(failure); // a closed table: the store's own message
    }
}

} // namespace

void TMainForm::showInterventions() {
    pages_->showPage(QStringLiteral("interventi"));
    guarded([this] {
        app::agenda::showMovementsOfKind(data_, selectedDate(), QStringLiteral("INTERVENTO"),
                                         state_.lastFilter, plainMessage());
    });
}

void TMainForm::showRepairs() {
    pages_->showPage(QStringLiteral("riparazioni"));
    guarded([this] {
        app::agenda::showMovementsOfKind(data_, selectedDate(), QStringLiteral("RIPARAZIONE"),
                                         state_.lastFilter, plainMessage());
    });
}

void TMainForm::showAppointments() {
    pages_->showPage(QStringLiteral("appuntamenti"));
    guarded([this] {
        app::agenda::showAppointments(data_, selectedDate(), state_.lastFilter, plainMessage());
    });
}

void TMainForm::showContracts() {
    pages_->showPage(QStringLiteral("contratti"));
    guarded([this] {
        app::agenda::showExpiringContracts(data_, selectedDate(), state_.lastFilter,
                                           plainMessage());
    });
}
