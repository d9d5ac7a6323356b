#include "documents/prop_fatturaw.h"

#include "documents/document_rules.h"
#include "documents/elenco_docw.h"
#include "documents/wordingw.h"
#include "einvoice/additional_data.h"
#include "einvoice/einvoice_command.h"
#include "registry/eserciziow.h"
#include "store/dm.h"
#include "store/error.h"
#include "ui/dbchoice.h"
#include "ui/dbedit.h"
#include "ui/dialogs.h"
#include "ui/formkit.h"
#include "ui/grid.h"
#include "ui/modal.h"
#include "ui/pagestack.h"

#include <QComboBox>
#include <QDateTime>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QPushButton* button(const QString& caption, QObject* context, std::function<void()> action) {
    auto* b = new QPushButton(caption);
    b->setAutoDefault(false);
    QObject::connect(b, &QPushButton::clicked, context, std::move(action));
    return b;
}

bool editing(const store::Table& t) {
    return t.state() == store::DataSetState::Edit || t.state() == store::DataSetState::Insert;
}

/// The closing fields and the wording list each is picked from.
struct Closing {
    const char* field;
    WordingList list;
    store::Table Tdm::*table;
    const char* menu;
};
constexpr Closing closings[] = {
    {"Stringa_finale", WordingList::FinalText, &Tdm::Tabstringa_finale, "stringa finale"},
    {"Trasporto_amezzo", WordingList::TransportMeans, &Tdm::Tabtrasporto, "trasporto a mezzo"},
    {"Aspetto_esteriore_beni", WordingList::OuterAspect, &Tdm::Tabaspetto,
     "aspetto esteriore beni"},
    {"Causale_trasporto", WordingList::TransportReason, &Tdm::Tabcausale, "causale trasporto"},
    {"Varie_annotazioni", WordingList::Notes, &Tdm::Tabvarie_ann, "varie annotazioni"},
    {"Vettore", WordingList::Carrier, &Tdm::Tabvettore, "vettore"},
};

/// A read-only total shown in its money format, following the document.
class TotalLabel : public QLabel, private store::DataLink {
public:
    TotalLabel(store::Table& table, const QString& field)
        : table_(&table)
        , field_(field) {
        setMinimumWidth(100);
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setFrameShape(QFrame::StyledPanel);
        table.addLink(this);
        reload();
    }
    ~TotalLabel() override {
        if (table_)
            table_->removeLink(this);
    }

private:
    void dataEvent(store::Table&, store::DataEvent, int) override { reload(); }
    void tableDestroyed(store::Table&) override { table_ = nullptr; }
    void reload() {
        setText(table_ && table_->active() && !table_->isEmpty()
                    ? table_->field(field_).displayText()
                    : QString());
    }
    store::Table* table_;
    QString field_;
};

} // namespace

Tprop_fatturaForm::Tprop_fatturaForm(Tdm& data, QWidget* parent)
    : ui::Screen(parent)
    , data_(data)
    , customers_(data.Tabdoc.databaseName(), QStringLiteral("esercizio"))
    , types_(data.Tabdoc.databaseName(), QStringLiteral("tipo_doc")) {
    setWindowTitle(QStringLiteral("Proprieta documento:"));
    resize(900, 680);
    customers_.setIndexFieldNames(QStringLiteral("Ragione_sociale"));
    types_.setIndexFieldNames(QStringLiteral("Descrizione"));
    customers_.open();
    types_.open();

    tabs_ = new QTabWidget;
    tabs_->addTab(buildMain(), QStringLiteral("Principale"));
    tabs_->addTab(buildFinal(), QStringLiteral("Parte finale"));
    auto* layout = new QVBoxLayout(this);
    buildMenu();
    layout->addWidget(tabs_, 1);
    auto* bottom = new QHBoxLayout;
    // The header as it shows, pending or not, with the lines stored so far.
    bottom->addWidget(button(documents::electronicInvoiceCaption(), this, [this] {
        einvoice::writeElectronicInvoice(
            data_, data_.Tabdoc.field(QStringLiteral("Id")).asInteger(), this);
    }));
    bottom->addStretch(1);
    bottom->addWidget(button(QStringLiteral("&Ok"), this, [this] { closeWith(Accepted); }));
    bottom->addWidget(button(QStringLiteral("&Annulla"), this, [this] { closeWith(Rejected); }));
    layout->addLayout(bottom);
}

QWidget* Tprop_fatturaForm::buildMain() {
    store::Table& doc = data_.Tabdoc;
    auto* page = new QWidget;
    auto* header = new QGridLayout;
    auto put = [&](int row, int col, const QString& caption, QWidget* box) {
        header->addWidget(new QLabel(caption), row, col * 2);
        header->addWidget(box, row, col * 2 + 1, Qt::AlignLeft);
    };
    put(0, 0, QStringLiteral("N°"), new ui::DbEdit(doc, QStringLiteral("Numero_doc")));
    put(0, 1, QStringLiteral("Tipo Doc.:"),
        new ui::DbLookupCombo(doc, QStringLiteral("Id_tipodoc"), types_, QStringLiteral("Id"),
                              QStringLiteral("Descrizione")));
    put(1, 0, QStringLiteral("Data"), new ui::DbDateEdit(doc, QStringLiteral("Data_doc")));
    auto* customer =
        new ui::DbLookupCombo(doc, QStringLiteral("Id_cliente"), customers_,
                              QStringLiteral("Id_esercizio"), QStringLiteral("Ragione_sociale"));
    customer->setMinimumWidth(300);
    put(1, 1, QStringLiteral("Rag. Sociale:"), customer);
    put(2, 0, QStringLiteral("Piva:"), new ui::DbEdit(doc, QStringLiteral("Piva")));
    put(2, 1, QStringLiteral("altradest:"), new ui::DbUpperEdit(doc, QStringLiteral("Altra_dest")));
    put(3, 0, QStringLiteral("Indirizzo"), new ui::DbEdit(doc, QStringLiteral("Indirizzo")));
    put(3, 1, QStringLiteral("Comune"), new ui::DbEdit(doc, QStringLiteral("Comune")));
    put(4, 0, QStringLiteral("Provincia"), new ui::DbEdit(doc, QStringLiteral("Provincia")));
    put(4, 1, QStringLiteral("Cap"), new ui::DbEdit(doc, QStringLiteral("Cap")));
    header->setColumnStretch(4, 1);

    auto* totals = new QHBoxLayout;
    totals->addStretch(1);
    for (const auto& [caption, field] :
         {std::pair{"Importo", "Importo_docE"}, {"Iva", "Iva_docE"}, {"Totale", "Totale_docE"}}) {
        totals->addWidget(new QLabel(QString::fromLatin1(caption) + QStringLiteral("  €")));
        totals->addWidget(new TotalLabel(doc, QString::fromLatin1(field)));
    }
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(header);
    layout->addWidget(buildLines(), 1);
    layout->addLayout(totals);
    return page;
}

QWidget* Tprop_fatturaForm::buildLines() {
    store::Table& lines = data_.Tablinee_doc;
    linePages_ = new ui::PageStack;

    auto* gridPage = new QWidget;
    lineGrid_ =
        new ui::DataGrid(lines, {{QStringLiteral("Id_articolo"), QStringLiteral("Codice"), 60},
                                 {QStringLiteral("Linea"), QStringLiteral("Linea"), 300},
                                 {QStringLiteral("UM"), QStringLiteral("UM"), 40},
                                 {QStringLiteral("Quantita"), QStringLiteral("Quantita"), 70},
                                 {QStringLiteral("PrezzoE"), QStringLiteral("PrezzoE"), 80},
                                 {QStringLiteral("ScontoP"), QStringLiteral("ScontoP"), 60},
                                 {QStringLiteral("ImportoE"), QStringLiteral("ImportoE"), 80},
                                 {QStringLiteral("Iva_riga"), QStringLiteral("Iva_riga"), 60}});
    auto* gridButtons = new QHBoxLayout;
    gridButtons->addWidget(button(QStringLiteral("nuova riga"), this, [this] { newLine(); }));
    gridButtons->addWidget(button(QStringLiteral("modifica riga"), this, [this] { editLine(); }));
    gridButtons->addWidget(button(QStringLiteral("elimina riga"), this, [this] { deleteLine(); }));
    gridButtons->addStretch(1);
    auto* gridLayout = new QVBoxLayout(gridPage);
    gridLayout->addLayout(gridButtons);
    gridLayout->addWidget(lineGrid_, 1);

    auto* linePage = new QWidget;
    auto* pick = new QGroupBox(QStringLiteral("Seleziona da :"));
    (new QHBoxLayout(pick))->addWidget(button(QStringLiteral("Diciture tipiche"), this, [this] {
        documents::pickLineWording(data_);
    }));
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    auto* text = new ui::DbEdit(lines, QStringLiteral("Linea"));
    lineFirst_ = text;
    form->addRow(QStringLiteral("Linea"), text);
    for (const char* field : {"UM", "Quantita", "PrezzoE", "ScontoP", "Iva_riga"})
        form->addRow(QString::fromLatin1(field), new ui::DbEdit(lines, QString::fromLatin1(field)));
    auto* counted = new ui::DbCheckBox(QStringLiteral("da usare per il totale documento"), lines,
                                       QStringLiteral("Xtotale"));
    connect(counted, &QCheckBox::clicked, this, [this](bool checked) {
        if (checked)
            return;
        try {
            for (const char* field : {"UM", "Quantita", "PrezzoE", "ScontoP", "Iva_riga"})
                data_.Tablinee_doc.field(QString::fromLatin1(field)).clear();
        } catch (const std::exception&) {
            // A line not in edit mode keeps its values.
        }
    });
    nature_ = new QComboBox;
    nature_->addItems(QStringList{QString()} + einvoice::natureCodes());
    nature_->setToolTip(QStringLiteral("Natura IVA di una riga con IVA 0, per la fattura "
                                       "elettronica (vuota: quella del soggetto obbligato)"));
    form->addRow(QStringLiteral("Natura"), nature_);
    form->addRow(counted);
    form->addRow(new QLabel(QStringLiteral("se si deseleziona la riga sarà solo descrittiva")));
    auto* lineButtons = new QHBoxLayout;
    lineButtons->addStretch(1);
    lineButtons->addWidget(button(QStringLiteral("OK"), this, [this] { confirmLine(); }));
    lineButtons->addWidget(button(QStringLiteral("Annulla"), this, [this] { cancelLine(); }));
    auto* lineLayout = new QVBoxLayout(linePage);
    lineLayout->addWidget(pick);
    lineLayout->addLayout(form);
    lineLayout->addStretch(1);
    lineLayout->addLayout(lineButtons);

    linePages_->addPage(gridPageName, gridPage);
    linePages_->addPage(linePageName, linePage);
    return linePages_;
}

QWidget* Tprop_fatturaForm::buildFinal() {
    store::Table& doc = data_.Tabdoc;
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    auto combo = [&](const char* field) {
        auto* box = new ui::DbComboBox(doc, QString::fromLatin1(field));
        box->setFreeText(true);
        box->setMinimumWidth(420);
        closing_[QString::fromLatin1(field)] = box;
        return box;
    };
    auto stamped = [&](const char* field, bool time) {
        auto* row = new QHBoxLayout;
        const QString name = QString::fromLatin1(field);
        row->addWidget(time ? static_cast<QWidget*>(new ui::DbTimeEdit(doc, name))
                            : new ui::DbDateEdit(doc, name));
        row->addWidget(
            button(QStringLiteral("***"), this, [this, name, time] { stamp(name, time); }));
        row->addStretch(1);
        return row;
    };
    int r = 0;
    layout->addWidget(new QLabel(QStringLiteral(
                          "Stringa_finale (è una riga di testo che viene stampata alla fine del "
                          "dettaglio)")),
                      r++, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Esempio: Pagamento Conai Assolto....")), r++, 0, 1,
                      2);
    layout->addWidget(combo("Stringa_finale"), r++, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Data_Trasporto")), r, 0);
    layout->addLayout(stamped("Data_trasporto", false), r++, 1);
    layout->addWidget(new QLabel(QStringLiteral("Ora_inizio")), r, 0);
    layout->addLayout(stamped("Ora_trasporto", true), r++, 1);
    layout->addWidget(new QLabel(QStringLiteral("N_Colli")), r, 0);
    layout->addWidget(new ui::DbEdit(doc, QStringLiteral("N_colli")), r++, 1, Qt::AlignLeft);
    layout->addWidget(new QLabel(QStringLiteral("Peso")), r, 0);
    layout->addWidget(new ui::DbEdit(doc, QStringLiteral("Peso")), r++, 1, Qt::AlignLeft);
    for (const auto& [caption, field] : {std::pair{"Trasporto a mezzo:", "Trasporto_amezzo"},
                                         {"Aspetto_esteriore dei Beni", "Aspetto_esteriore_beni"},
                                         {"Causale_Trasporto", "Causale_trasporto"},
                                         {"Vettore", "Vettore"}}) {
        layout->addWidget(new QLabel(QString::fromLatin1(caption)), r, 0);
        layout->addWidget(combo(field), r++, 1);
    }
    layout->addWidget(new QLabel(QStringLiteral("Data_partenza")), r, 0);
    layout->addLayout(stamped("Data_partenza", false), r++, 1);
    layout->addWidget(new QLabel(QStringLiteral("Ora_partenza")), r, 0);
    layout->addLayout(stamped("Ora_partenza", true), r++, 1);
    layout->addWidget(new QLabel(QStringLiteral("Variazioni o Annotazioni")), r, 0);
    layout->addWidget(combo("Varie_annotazioni"), r++, 1);
    layout->setRowStretch(r, 1);
    return page;
}

void Tprop_fatturaForm::buildMenu() {
    auto* bar = new QMenuBar(this);
    QMenu* settings = bar->addMenu(QStringLiteral("Impostazioni"));
    settings->addAction(QStringLiteral("impostazioni documenti"), this,
                        [] { ui::dialogs().message(QStringLiteral("tipo doc default")); });
    settings->addAction(QStringLiteral("tipi documento"));
    QMenu* lists = settings->addMenu(QStringLiteral("tabelle"));
    for (const Closing& c : closings)
        lists->addAction(QString::fromLatin1(c.menu), this, [this, list = c.list] {
            documents::openWordingList(data_, list);
            refillClosing();
        });
    settings->addAction(QStringLiteral("Elenco Esercizi"), this,
                        [this] { registry::openCustomers(data_); });
    layout()->setMenuBar(bar);
}

void Tprop_fatturaForm::showEvent(QShowEvent* event) {
    ui::Screen::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    refillClosing();
    try {
        if (data_.Tabdoc.field(QStringLiteral("Numero_doc")).isNull()) {
            if (!editing(data_.Tabdoc))
                data_.Tabdoc.edit();
            documents::numberDocument(data_);
        }
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
    tabs_->setCurrentIndex(0);
    linePages_->showPage(gridPageName);
}

void Tprop_fatturaForm::refillClosing() {
    for (const Closing& c : closings) {
        closing_.at(QString::fromLatin1(c.field))
            ->setItems((data_.*c.table).textsOf(QStringLiteral("Descrizione")));
    }
}

void Tprop_fatturaForm::stamp(const QString& field, bool time) {
    try {
        if (!editing(data_.Tabdoc))
            data_.Tabdoc.edit();
        const QDateTime now = QDateTime::currentDateTime();
        if (time)
            data_.Tabdoc.field(field).setAsTime(QTime(now.time().hour(), now.time().minute()));
        else
            data_.Tabdoc.field(field).setAsDate(now.date());
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
}

int Tprop_fatturaForm::proposedRate() {
    // The settings' default rate, when one is kept, rather than a rate long out of use.
    const QVariant kept =
        data_.Tabimpostazioni.active() && !data_.Tabimpostazioni.isEmpty()
            ? data_.Tabimpostazioni.recordAt(
                  0)[size_t(data_.Tabimpostazioni.field(QStringLiteral("Iva_default")).index())]
            : QVariant();
    return kept.isNull() ? 20 : int(std::lround(kept.toDouble()));
}

void Tprop_fatturaForm::newLine() {
    try {
        store::Table& lines = data_.Tablinee_doc;
        lines.append();
        lines.field(QStringLiteral("Xtotale")).setAsBoolean(true);
        lines.field(QStringLiteral("UM")).setAsString(QStringLiteral("PZ"));
        lines.field(QStringLiteral("Iva_riga")).setAsInteger(proposedRate());
        lines.field(QStringLiteral("ScontoP")).setAsFloat(0);
    } catch (const std::exception& e) {
        ui::showFailure(e);
        return;
    }
    loadNature(true);
    linePages_->showPage(linePageName);
    ui::focusWhenIdle(lineFirst_);
}

void Tprop_fatturaForm::loadNature(bool fresh) {
    QString code;
    bool available = true;
    try {
        einvoice::AdditionalData extra(data_.Tablinee_doc.databaseName());
        if (!fresh)
            code = extra
                       .values(einvoice::Owner::Line,
                               data_.Tablinee_doc.field(QStringLiteral("Id")).asInteger())
                       .at(QStringLiteral("Natura"));
    } catch (const store::Error&) {
        available = false; // a year folder of an older copy: nothing to show or keep
    }
    nature_->setCurrentText(code);
    nature_->setEnabled(available);
}

void Tprop_fatturaForm::editLine() {
    try {
        if (data_.Tablinee_doc.isEmpty())
            return;
        data_.Tablinee_doc.edit();
    } catch (const std::exception& e) {
        ui::showFailure(e);
        return;
    }
    loadNature(false);
    linePages_->showPage(linePageName);
    ui::focusWhenIdle(lineFirst_);
}

void Tprop_fatturaForm::deleteLine() {
    try {
        store::Table& lines = data_.Tablinee_doc;
        if (lines.isEmpty())
            return;
        const int id = lines.field(QStringLiteral("Id")).asInteger();
        lines.deleteRecord(); // the rules store the totals again
        // A later line with the same identifier must not inherit the nature code.
        einvoice::AdditionalData(lines.databaseName()).remove(einvoice::Owner::Line, id);
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
}

bool Tprop_fatturaForm::confirmLine() {
    store::Table& lines = data_.Tablinee_doc;
    try {
        if (auto* focused = qobject_cast<ui::DbEdit*>(focusWidget()))
            focused->commit();
        if (lines.field(QStringLiteral("Xtotale")).asBoolean()) {
            for (const auto& [field, message] : {std::pair{"Quantita", "campo quantita vuoto"},
                                                 {"PrezzoE", "campo prezzo vuoto"},
                                                 {"ScontoP", "campo sconto vuoto"},
                                                 {"Iva_riga", "campo iva vuoto"}})
                if (lines.field(QString::fromLatin1(field)).isNull()) {
                    ui::warnAbout(
                        {QString::fromLatin1(message), &lines, QString::fromLatin1(field)});
                    return false;
                }
        }
        lines.post();
        if (nature_->isEnabled())
            einvoice::AdditionalData(lines.databaseName())
                .store(einvoice::Owner::Line, lines.field(QStringLiteral("Id")).asInteger(),
                       {{QStringLiteral("Natura"), nature_->currentText()}});
    } catch (const std::exception& e) {
        ui::showFailure(e);
        return false;
    }
    linePages_->showPage(gridPageName);
    return true;
}

void Tprop_fatturaForm::cancelLine() {
    try {
        data_.Tablinee_doc.cancel();
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
    linePages_->showPage(gridPageName);
}

namespace documents {

int openProperties(Tdm& data) {
    return ui::showScreen<Tprop_fatturaForm>(data);
}

} // namespace documents
