#include "movements/movw.h"

#include "articles/articoliw.h"
#include "articles/movarticoliw.h"
#include "contracts/contract_rules.h"
#include "contracts/segnaevasaw.h"
#include "movements/movement_commands.h"
#include "movements/movement_entry_page.h"
#include "movements/movement_filter.h"
#include "movements/movement_list.h"
#include "movements/movement_rules.h"
#include "movements/verification_page.h"
#include "movements/verification_rules.h"
#include "registry/tecnicow.h"
#include "report/movement_prints.h"
#include "store/dm.h"
#include "store/error.h"
#include "store/program.h"
#include "ui/dialogs.h"
#include "ui/modal.h"
#include "ui/pagestack.h"

#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

using movements::MovementList;
using movements::MovementsMode;

namespace {

QString f(const char* name) {
    return QString::fromLatin1(name);
}

/// Runs a command of the screen; a store failure it meets (a table locked by another program or
/// left closed by a damaged file) is said to the user instead of escaping the event loop.
template <class Command> void guarded(Command&& command) {
    try {
        command();
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
}

const struct {
    const char* page;
    const char* kind;    ///< empty for the general list
    const char* caption; ///< the list's name
    const char* title;   ///< the window title in that mode
} kLists[] = {
    {"generale", "", "", "Elenco dei movimenti: vendite interventi e riparazioni"},
    {"interventi", "INTERVENTO", "INTERVENTI", "Elenco INTERVENTI"},
    {"riparazioni", "RIPARAZIONE", "RIPARAZIONI", "Elenco Riparazioni"},
    {"vendite", "VENDITA", "VENDITE", "Elenco VENDITE"},
};

/// The list a mode shows: a contract visit files its intervention among the interventions.
size_t listOf(MovementsMode mode) {
    return mode == MovementsMode::ContractVisit ? size_t(MovementsMode::Interventions)
                                                : size_t(mode);
}

} // namespace

namespace movements {

int openMovements(Tdm& data, MovementsMode mode) {
    return ui::showScreen<TMOVForm>(data, mode);
}

} // namespace movements

TMOVForm::TMOVForm(Tdm& data, MovementsMode mode, QWidget* parent)
    : ui::Screen(parent)
    , data_(data)
    , mode_(mode) {
    setWindowTitle(f(kLists[0].title));
    resize(1280, 800);
    Tabesercizio.setTableName(f("esercizio"));
    Tabesercizio.setIndexName(f("rs_index"));
    TabMS.setTableName(f("ms"));
    Tabtipomov.setTableName(f("tipo_mov"));
    TabARTMOV.setTableName(f("Mov_articoli"));
    TabARTMOV.setIndexName(f("mov_index"));
    TabARTMOV.setMasterSource(&data.Tabmov, f("Id"), f("Id_mov"));
    Tabmisurazioni.setTableName(f("misurazioni"));
    Tabmisurazioni.setIndexName(f("idmov_index"));
    Tabmisurazioni.setMasterSource(&data.Tabmov, f("Id"), f("Id_mov"));
    Tabmisurazioni.addCalculatedField(f("tipo_int"), store::FieldType::Text, 120);
    Tabmisurazioni.on(store::Event::CalcFields, [](store::Table& t) {
        t.field(f("tipo_int"))
            .setAsString(movements::interventionKindText(t.field(f("TIPO_INTERVENTO")).asString()));
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    menu_ = new QMenuBar(this);
    QMenu* settings = menu_->addMenu(QStringLiteral("Impostazioni"));
    connect(settings->addAction(QStringLiteral("Articoli e parco macchine")), &QAction::triggered,
            this, [this] { openArticles(); });
    connect(settings->addAction(QStringLiteral("Tecnici")), &QAction::triggered, this,
            [this] { registry::openTechnicians(data_); });
    layout->setMenuBar(menu_);

    filterLine_ = new QLabel;
    filterLine_->setAlignment(Qt::AlignCenter);
    filterLine_->setStyleSheet(QStringLiteral("color: blue; font-weight: bold"));
    filterLine_->setWordWrap(true);
    layout->addWidget(filterLine_);

    tabs_ = new ui::PageStack;
    for (size_t i = 0; i < lists_.size(); ++i) {
        lists_[i] = new MovementList(data, TabARTMOV, Tabmisurazioni, f(kLists[i].kind),
                                     f(kLists[i].caption));
        tabs_->addPage(f(kLists[i].page), lists_[i]);
        wire(*lists_[i]);
    }
    entryPages_ = new ui::PageStack;
    entry_ =
        new movements::MovementEntryPage(data, Tabesercizio, Tabtipomov, [this] { backToList(); });
    entryPages_->addPage(entryPageName, entry_);
    verification_ = new movements::VerificationPage(data, entryPages_);
    entryPages_->addPage(verificationPageName, verification_);
    connect(verification_, &movements::VerificationPage::editingChanged, this, [this](bool on) {
        if (!on)
            backToList();
    });
    // The lists show the screen's own copy of the records: it follows what the page stores.
    connect(verification_, &movements::VerificationPage::recordsChanged, this,
            [this] { Tabmisurazioni.refresh(); });
    articles_ = new articles::MovementArticlesPage(data, entryPages_);
    entryPages_->addPage(articlesPageName, articles_);
    connect(articles_, &articles::MovementArticlesPage::confirmed, this, [this] {
        // The lists show the screen's own copy of the lines: it follows what the page stored.
        TabARTMOV.refresh();
        backToList();
    });
    tabs_->addPage(entryTabName, entryPages_);
    layout->addWidget(tabs_, 1);
    setEditingRefusal(defaultEditingRefusal(), *tabs_, entryTabName);
    start();
}

TMOVForm::~TMOVForm() {
    // A movement left in entry (the screen dismissed from outside) must not stay pending on the
    // shared object.
    if (data_.Tabmov.state() == store::DataSetState::Insert ||
        data_.Tabmov.state() == store::DataSetState::Edit)
        data_.Tabmov.cancel();
}

void TMOVForm::wire(MovementList& list) {
    const std::pair<QStringList, void (TMOVForm::*)()> commands[] = {
        {{"Nuovo Mov /F8", "Nuovo /F8"}, &TMOVForm::newMovement},
        {{"Modifica Mov /F9", "Modifica /F9"}, &TMOVForm::modifyMovement},
        {{"elimina Mov", "elimina"}, &TMOVForm::deleteMovement},
        {{"Filtra"}, &TMOVForm::filter},
        {{"Tutti"}, &TMOVForm::showAll},
        {{"Pulisci"}, &TMOVForm::clearPanel},
    };
    for (const auto& [captions, command] : commands)
        for (const QString& caption : captions)
            if (QPushButton* b = list.command(caption))
                connect(b, &QPushButton::clicked, this,
                        [this, command = command] { guarded([&] { (this->*command)(); }); });
    const std::pair<const char*, void (movements::VerificationPage::*)()> verifications[] = {
        {"Nuovo mov per AE", &movements::VerificationPage::newVerification},
        {"Modifica mov per AE", &movements::VerificationPage::modifyVerification},
        {"Elimina mov per AE", &movements::VerificationPage::deleteVerification},
    };
    for (const auto& [caption, command] : verifications)
        connect(list.command(f(caption)), &QPushButton::clicked, this,
                [this, command] { guarded([&] { onVerificationPage(command); }); });
    const std::pair<const char*, void (*)(Tdm&, QWidget*)> prints[] = {
        {"stampa elenco", &report::printMovementList},
        {"stampa appuntamenti", &report::printAppointments},
        {"stampa foglio di lavoro", &report::printWorkSheet},
    };
    for (const auto& [caption, print] : prints)
        connect(list.command(f(caption)), &QPushButton::clicked, this,
                [this, print] { guarded([&] { print(data_, this); }); });
    connect(list.command(f("Segna Evasa")), &QPushButton::clicked, this,
            [this] { guarded([this] { markDone(); }); });
    connect(list.command(f("Inserisci/Modifica")), &QPushButton::clicked, this,
            [this] { guarded([this] { showArticles(); }); });
    connect(list.command(f("chiudi")), &QPushButton::clicked, this,
            [this] { closeWith(Rejected); });
}

void TMOVForm::start() {
    tabs_->showPage(f(kLists[0].page));
    try {
        for (store::Table* t : {&Tabesercizio, &TabMS, &Tabtipomov, &TabARTMOV, &Tabmisurazioni}) {
            t->setDatabaseName(data_.Tabmov.databaseName());
            t->open();
        }
        for (const char* money : {"Prezzo_acq", "Prezzo_vend"})
            TabARTMOV.field(f(money)).setDisplayFormat(f("#,###,##0.00"));
        entryPages_->showPage(entryPageName);
        data_.Tabmov.last();
    } catch (const store::Error& e) {
        // Without its tables the screen could do nothing but fail again: it says why and goes.
        ui::showFailure(e);
        QMetaObject::invokeMethod(
            this, [this] { closeWith(Rejected); }, Qt::QueuedConnection);
        return;
    }
    for (MovementList* list : lists_)
        list->fillChoices();

    const QDate today = QDate::currentDate();
    const auto applied =
        movements::applyMovementFilter(data_, movements::startingFilter(today), false);
    setFilterLine(applied.line);
    if (applied.refusal) {
        ui::dialogs().message(*applied.refusal);
        return;
    }
    if (mode_ == MovementsMode::General)
        return;
    const auto& shown = kLists[listOf(mode_)];
    const std::optional<int> kind = kindOf(f(shown.kind));
    if (!kind)
        return;
    setWindowTitle(f(shown.title));
    tabs_->showPage(f(shown.page));
    const auto kindApplied =
        movements::applyMovementFilter(data_, movements::startingFilter(today, kind), false);
    setFilterLine(kindApplied.line);
    if (kindApplied.refusal) {
        ui::dialogs().message(*kindApplied.refusal);
        return;
    }
    if (mode_ != MovementsMode::ContractVisit)
        return;
    try {
        movements::newContractVisit(data_);
    } catch (const store::Error& e) {
        ui::showFailure(e);
        return;
    }
    showEntry(true);
}

MovementList& TMOVForm::list() const {
    return *lists_[listOf(mode_)];
}

MovementList& TMOVForm::list(MovementsMode which) const {
    return *lists_[listOf(which)];
}

MovementList& TMOVForm::shownList() const {
    for (MovementList* l : lists_)
        if (tabs_->currentWidget() == l)
            return *l;
    return list();
}

std::optional<int> TMOVForm::kindOf(const QString& description) {
    const std::optional<int> kind = movements::kindId(data_, description);
    if (!kind)
        ui::dialogs().message(QStringLiteral("Tipo movimento non trovato: ") + description);
    return kind;
}

bool TMOVForm::onKindList() const {
    return !shownList().general();
}

QString TMOVForm::filterLine() const {
    return filterLine_->text();
}

void TMOVForm::setFilterLine(const QString& text) {
    filterLine_->setText(text);
}

void TMOVForm::showEntry(bool typeLocked) {
    tabs_->showPage(entryTabName);
    entryPages_->showPage(entryPageName);
    entry_->prepare(typeLocked);
}

void TMOVForm::onVerificationPage(void (movements::VerificationPage::*command)()) {
    tabs_->showPage(entryTabName);
    entryPages_->showPage(verificationPageName);
    (verification_->*command)();
    // A refused command leaves the page on its list: the list of movements comes back.
    if (!verification_->editing())
        backToList();
}

void TMOVForm::backToList() {
    if (mode_ == MovementsMode::ContractVisit) {
        closeWith(Accepted);
        return;
    }
    tabs_->showPage(f(kLists[listOf(mode_)].page));
}

void TMOVForm::newMovement() {
    const MovementList& l = shownList();
    try {
        std::optional<int> kind;
        if (!l.general() && !(kind = kindOf(l.kind())))
            return;
        movements::newMovement(data_, kind);
    } catch (const store::Error& e) {
        ui::showFailure(e);
        return;
    }
    showEntry(!l.general());
}

void TMOVForm::modifyMovement() {
    try {
        if (data_.Tabmov.isEmpty()) {
            ui::dialogs().message(QStringLiteral("nulla da modificare"));
            return;
        }
        data_.Tabmov.edit();
    } catch (const store::Error& e) {
        ui::showFailure(e);
        return;
    }
    showEntry(onKindList());
}

void TMOVForm::deleteMovement() {
    try {
        if (data_.Tabmov.isEmpty()) {
            ui::dialogs().message(QStringLiteral("Nulla da eliminare"));
            return;
        }
        if (!ui::dialogs().question(
                QStringLiteral("Sei sicuro di volere cancellare il movimento selezionato?")))
            return;
        movements::deleteMovement(data_);
    } catch (const store::Error& e) {
        ui::showFailure(e);
        return;
    }
    ui::dialogs().information(QStringLiteral("Movimento eliminato correttamente."));
}

void TMOVForm::markDone() {
    if (data_.Tabmov.isEmpty()) {
        ui::dialogs().message(QStringLiteral("Nessun movimento da completare"));
        return;
    }
    const QString kind = shownList().kind();
    try {
        contracts::openClosing(data_);
        // A repair or a sale closed without "OK" keeps none of its changes.
        if (kind == f("RIPARAZIONE") || kind == f("VENDITA"))
            contracts::settleClosing(data_.Tabmov, contracts::PendingClosing::Discard);
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
}

void TMOVForm::showArticles() {
    if (!articles::mayShowArticlesPage(data_))
        return;
    tabs_->showPage(entryTabName);
    entryPages_->showPage(articlesPageName);
}

void TMOVForm::openArticles() {
    // The articles screen lists every article: the filter the table had comes back afterwards.
    store::Table& t = data_.Tabarticoli;
    const QString filter = t.filter();
    const bool filtered = t.filtered();
    articles::openArticles(data_);
    try {
        t.setFiltered(false);
        t.setFilter(filter);
        t.setFiltered(filtered);
    } catch (const store::Error& e) {
        ui::showFailure(e);
    }
}

void TMOVForm::filter() {
    const MovementList& l = shownList();
    const auto criteria = movements::resolveNames(
        data_, l.criteria(), l.names(), [](const QString& text) { ui::dialogs().warning(text); });
    if (!criteria)
        return;
    const QString text = movements::composeFilter(*criteria);
    store::program().lastFilter = text;
    const auto applied = movements::applyMovementFilter(data_, text, true);
    setFilterLine(applied.line);
    if (applied.refusal)
        ui::dialogs().message(*applied.refusal);
}

void TMOVForm::showAll() {
    const MovementList& l = shownList();
    QString text;
    if (!l.general()) {
        const std::optional<int> kind = kindOf(l.kind());
        if (!kind)
            return;
        text = movements::kindFilter(*kind);
    }
    const auto applied = movements::applyMovementFilter(data_, text, true);
    setFilterLine(applied.line);
    if (applied.refusal)
        ui::dialogs().message(*applied.refusal);
}

void TMOVForm::clearPanel() {
    shownList().clearPanel();
}
