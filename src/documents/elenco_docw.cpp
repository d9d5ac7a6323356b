#include "documents/elenco_docw.h"

#include "documents/from_movements.h"
#include "documents/prn_doc.h"
#include "documents/prn_elenco_mov_dafatt.h"
#include "documents/prop_fatturaw.h"
#include "documents/tipodocw.h"
#include "einvoice/einvoice_command.h"
#include "report/render.h"
#include "store/dm.h"
#include "ui/dialogs.h"
#include "ui/formkit.h"
#include "ui/grid.h"
#include "ui/modal.h"
#include "ui/navigator.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <map>

namespace {

QPushButton* button(const QString& caption, QObject* context, std::function<void()> action) {
    auto* b = new QPushButton(caption);
    b->setAutoDefault(false);
    QObject::connect(b, &QPushButton::clicked, context, std::move(action));
    return b;
}

std::vector<ui::GridColumn> columns(std::initializer_list<const char*> fields) {
    std::vector<ui::GridColumn> out;
    // Wide enough for a whole VAT number, type description or customer name.
    const std::map<QString, int> wide{{QStringLiteral("Piva"), 110},
                                      {QStringLiteral("descr_tipodoc"), 170},
                                      {QStringLiteral("r_ditta"), 180}};
    for (const char* f : fields) {
        const QString name = QString::fromLatin1(f);
        out.push_back({name, name, wide.contains(name) ? wide.at(name) : 90});
    }
    return out;
}

/// A command started by the user: a failure is shown and stops it.
template <class Work> void guarded(Work&& work) {
    try {
        work();
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
}

} // namespace

Telenco_docForm::Telenco_docForm(Tdm& data, QWidget* parent)
    : ui::Screen(parent)
    , data_(data) {
    setWindowTitle(QStringLiteral("elenco_docForm"));
    setRefusalMessage(QStringLiteral("per uscire usare il bottone chiudi"));
    resize(1000, 680);
    const QString folder = data.Tabdoc.databaseName();
    lup_ese.setDatabaseName(folder);
    lup_ese.setTableName(QStringLiteral("esercizio"));
    lup_misuratore.setDatabaseName(folder);
    lup_misuratore.setTableName(QStringLiteral("ms"));
    lup_tecnico.setDatabaseName(folder);
    lup_tecnico.setTableName(QStringLiteral("tecnici"));
    lup_tipomov.setDatabaseName(folder);
    lup_tipomov.setTableName(QStringLiteral("tipo_mov"));
    Tabdafatt.setDatabaseName(folder);
    Tabdafatt.setTableName(QStringLiteral("MOV"));
    Tabmovart.setDatabaseName(folder);
    Tabmovart.setTableName(QStringLiteral("Mov_articoli"));
    Tabmovart.setIndexName(QStringLiteral("mov_index"));
    Tabmovart.setMasterSource(&Tabdafatt, QStringLiteral("Id"), QStringLiteral("Id_mov"));
    Tabdafatt.addLookupField(QStringLiteral("ragione_sociale"), 120, QStringLiteral("ID_ESERCIZIO"),
                             &lup_ese, QStringLiteral("Id_esercizio"),
                             QStringLiteral("Ragione_sociale"));
    Tabdafatt.addLookupField(QStringLiteral("misuratore"), 80, QStringLiteral("ID_MS"),
                             &lup_misuratore, QStringLiteral("Id_ms"),
                             QStringLiteral("Denominazione_ms"));
    Tabdafatt.addLookupField(QStringLiteral("tecnico"), 120, QStringLiteral("ID_TECNICO"),
                             &lup_tecnico, QStringLiteral("Id_tecnico"),
                             QStringLiteral("Cogn_no_sigillo"));
    Tabdafatt.addLookupField(QStringLiteral("tipomov"), 120, QStringLiteral("Id_tipomov"),
                             &lup_tipomov, QStringLiteral("Id"), QStringLiteral("Descrizione"));
    for (store::Table* t : {&lup_ese, &lup_misuratore, &lup_tecnico, &lup_tipomov, &Tabdafatt})
        t->open();
    Tabdafatt.setFilter(documents::toInvoiceFilter());
    Tabdafatt.setFiltered(true);
    Tabmovart.open();

    auto* filterBox = new QGroupBox(QStringLiteral("Filtra"));
    typeFilter_ = new QComboBox;
    typeFilter_->setMinimumWidth(260);
    auto* filterRow = new QHBoxLayout(filterBox);
    filterRow->addWidget(new QLabel(QStringLiteral("Tipo Documento:")));
    filterRow->addWidget(typeFilter_);
    filterRow->addStretch(1);

    tabs_ = new QTabWidget;
    tabs_->addTab(buildDocuments(), QStringLiteral("Elenco Documenti"));
    addDocumentCommand(documents::electronicInvoiceCaption(), [this] {
        if (data_.Tabdoc.isEmpty()) {
            ui::dialogs().message(QStringLiteral("Nessun documento selezionato."));
            return;
        }
        einvoice::writeElectronicInvoice(
            data_, data_.Tabdoc.field(QStringLiteral("Id")).asInteger(), this);
    });
    tabs_->addTab(buildDetail(), QStringLiteral("Dettaglio Documento"));
    tabs_->addTab(buildToInvoice(), QStringLiteral("Movimenti da fatturare"));

    auto* bar = new QMenuBar(this);
    QMenu* settings = bar->addMenu(QStringLiteral("Impostazioni"));
    settings->addAction(QStringLiteral("tipi di pagamento"), this,
                        [this] { documents::openPaymentTerms(data_); });
    settings->addAction(QStringLiteral("tipi documento"), this, [this] {
        documents::openDocumentTypes(data_);
        fillTypes();
    });

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addWidget(filterBox);
    layout->addWidget(tabs_, 1);
    layout->addWidget(button(QStringLiteral("chiudi"), this, [this] { closeWith(Rejected); }), 0,
                      Qt::AlignRight);

    fillTypes();
    connect(typeFilter_, &QComboBox::activated, this, [this](int index) { chooseType(index); });
    tabs_->setCurrentIndex(0);
}

Telenco_docForm::~Telenco_docForm() {
    for (store::Table* t :
         {&Tabmovart, &Tabdafatt, &lup_tipomov, &lup_tecnico, &lup_misuratore, &lup_ese})
        try {
            t->close();
        } catch (const std::exception&) {
        }
}

QWidget* Telenco_docForm::buildDocuments() {
    auto* page = new QWidget;
    documents_ = new ui::DataGrid(data_.Tabdoc,
                                  columns({"Numero_doc", "Data_doc", "descr_tipodoc", "r_ditta",
                                           "Piva", "Importo_docE", "Iva_docE", "Totale_docE"}));
    // The one row of document commands; other commands join it through addDocumentCommand.
    documentCommands_ = new QHBoxLayout;
    documentCommands_->addWidget(
        button(QStringLiteral("Elimina Documento"), this, [this] { deleteDocument(); }));
    documentCommands_->addWidget(
        button(QStringLiteral("&Nuovo Doc..."), this, [this] { newDocument(); }));
    documentCommands_->addWidget(
        button(QStringLiteral("&Proprietà Doc..."), this, [this] { openProperties(); }));
    documentCommands_->addWidget(
        button(QStringLiteral("&Stampa"), this, [this] { printDocument(); }));
    documentCommands_->addStretch(1);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(documents_, 1);
    layout->addLayout(documentCommands_);
    return page;
}

QPushButton* Telenco_docForm::addDocumentCommand(const QString& caption,
                                                 std::function<void()> action) {
    QPushButton* b = button(caption, this, std::move(action));
    documentCommands_->insertWidget(documentCommands_->count() - 1, b);
    return b;
}

QWidget* Telenco_docForm::buildDetail() {
    store::Table& doc = data_.Tabdoc;
    auto* page = new QWidget;
    auto* header = new QGridLayout;
    int col = 0;
    for (const auto& [caption, field] : {std::pair{"N°", "Numero_doc"},
                                         {"Tipo Doc.:", "descr_tipodoc"},
                                         {"Data", "Data_doc"},
                                         {"Ragione Sociale:", "r_ditta"},
                                         {"P. IVA:", "Piva"}}) {
        header->addWidget(new QLabel(QString::fromUtf8(caption)), 0, col++);
        header->addWidget(new ui::DbLabel(doc, QString::fromLatin1(field)), 0, col++);
    }
    auto* lines = new ui::DataGrid(
        data_.Tablinee_doc,
        columns({"Linea", "UM", "Quantita", "PrezzoE", "ScontoP", "ImportoE", "Iva_riga"}));
    auto* navigator = new ui::Navigator(doc);
    using B = ui::Navigator::Button;
    navigator->setVisibleButtons({B::First, B::Prior, B::Next, B::Last, B::Refresh});
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(header);
    layout->addWidget(lines, 1);
    layout->addWidget(navigator, 0, Qt::AlignLeft);
    return page;
}

QWidget* Telenco_docForm::buildToInvoice() {
    auto* page = new QWidget;
    auto* texts = new QGridLayout;
    for (int i = 1; i <= 4; ++i) {
        const QString n = QString::number(i);
        int col = 0;
        for (const char* prefix : {"Rapp", "Nota", "Da_fatt"}) {
            texts->addWidget(new QLabel(QString::fromLatin1(prefix) + n), i, col++);
            auto* value = new ui::DbLabel(Tabdafatt, QString::fromLatin1(prefix) + n);
            value->setMinimumWidth(200);
            texts->addWidget(value, i, col++);
        }
    }
    texts->addWidget(new QLabel(QStringLiteral("Imp_fatt")), 5, 4);
    texts->addWidget(new ui::DbLabel(Tabdafatt, QStringLiteral("Imp_fatt")), 5, 5);
    texts->addWidget(new QLabel(QStringLiteral("Iva_fatt")), 6, 4);
    texts->addWidget(new ui::DbLabel(Tabdafatt, QStringLiteral("Iva_fatt")), 6, 5);
    toInvoice_ = new ui::DataGrid(
        Tabdafatt, columns({"ragione_sociale", "misuratore", "MATRICOLA_MS", "tecnico", "Piva",
                            "COMUNE", "PROVINCIA", "INDIRIZZO", "CAP", "Data", "Ora",
                            "Appuntamento", "Data_app", "Ora_app"}));
    auto* navigator = new ui::Navigator(Tabdafatt);
    using B = ui::Navigator::Button;
    navigator->setVisibleButtons({B::First, B::Prior, B::Next, B::Last});
    auto* commands = new QHBoxLayout;
    commands->addWidget(
        button(QStringLiteral("Genera documento"), this, [this] { generateDocument(); }));
    commands->addWidget(navigator);
    commands->addStretch(1);
    commands->addWidget(
        button(QStringLiteral("stampa elenco"), this, [this] { printToInvoice(); }));
    auto* articles = new ui::DataGrid(
        Tabmovart, columns({"Matricola", "Descrizione", "Qta", "Prezzo_vend", "Iva"}));
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(texts);
    layout->addWidget(toInvoice_, 2);
    layout->addLayout(commands);
    layout->addWidget(articles, 1);
    return page;
}

void Telenco_docForm::fillTypes() {
    typeFilter_->clear();
    typeFilter_->addItem(QStringLiteral("TUTTI"));
    typeFilter_->addItems(data_.Tab_tipodoc.textsOf(QStringLiteral("Descrizione")));
    typeFilter_->setCurrentIndex(0);
}

void Telenco_docForm::chooseType(int index) {
    guarded([&] {
        store::Table& doc = data_.Tabdoc;
        if (index <= 0) {
            doc.setFiltered(false);
            return;
        }
        store::Table& types = data_.Tab_tipodoc;
        if (!types.locate(QStringLiteral("descrizione"), typeFilter_->itemText(index)))
            return;
        doc.setFiltered(false);
        doc.setFilter(
            QStringLiteral("[id_tipodoc]='%1'").arg(types.field(QStringLiteral("Id")).asString()));
        doc.setFiltered(true);
    });
}

bool Telenco_docForm::editInProperties(bool made, store::Table* movement) {
    const int answer = documents::openProperties(data_);
    bool kept = false;
    guarded([&] {
        if (answer == Accepted) {
            if (movement)
                documents::confirmGenerated(data_, *movement);
            else
                documents::storeDocument(data_);
            kept = true;
        } else if (!made && data_.Tabdoc.state() != store::DataSetState::Browse) {
            data_.Tabdoc.cancel();
        }
    });
    // A document made here and not kept goes with its lines: the movement stays to invoice.
    if (made && !kept)
        guarded([&] { documents::discardDocument(data_); });
    Tabdafatt.refresh();
    return kept;
}

void Telenco_docForm::returnTo(store::Bookmark back) {
    guarded([&] {
        if (back && data_.Tabdoc.bookmarkValid(back))
            data_.Tabdoc.gotoBookmark(back);
    });
}

void Telenco_docForm::generateDocument() {
    if (Tabdafatt.isEmpty()) {
        ui::dialogs().message(QStringLiteral("Nessun movimento da fatturare"));
        return;
    }
    const store::Bookmark back = data_.Tabdoc.bookmark();
    bool made = false;
    guarded([&] {
        data_.Tabdoc.setFiltered(false);
        documents::generateDocument(data_, Tabdafatt, Tabmovart);
        made = true;
    });
    if (made && !editInProperties(true, &Tabdafatt))
        returnTo(back);
}

void Telenco_docForm::newDocument() {
    const store::Bookmark back = data_.Tabdoc.bookmark();
    bool made = false;
    guarded([&] {
        documents::newDocument(data_);
        made = true;
    });
    if (made && !editInProperties(true, nullptr))
        returnTo(back);
}

void Telenco_docForm::openProperties() {
    store::Table& doc = data_.Tabdoc;
    if (doc.isEmpty()) {
        ui::dialogs().message(QStringLiteral("Nessun Documento Inserito"));
        return;
    }
    const store::Bookmark back = doc.bookmark();
    bool ready = false;
    guarded([&] {
        doc.setFiltered(false);
        if (doc.bookmarkValid(back))
            doc.gotoBookmark(back);
        doc.edit();
        ready = true;
    });
    if (!ready)
        return;
    editInProperties(false, nullptr);
    returnTo(back);
}

void Telenco_docForm::deleteDocument() {
    store::Table& doc = data_.Tabdoc;
    if (doc.isEmpty()) {
        ui::dialogs().message(QStringLiteral("nulla da eliminare"));
        return;
    }
    if (!doc.field(QStringLiteral("Id_mov")).isNull()) {
        ui::dialogs().message(
            QStringLiteral("la fattura è collegata a un movimento segnato come fatturato."));
        if (!ui::dialogs().question(QStringLiteral("Eliminare adesso il documento selezionato e "
                                                   "ripristinare il documento come da fatturare?")))
            return;
    } else if (!ui::dialogs().question(
                   QStringLiteral("Eliminare adesso il documento selezionato?"))) {
        return;
    }
    guarded([&] { documents::deleteDocument(data_); });
    Tabdafatt.refresh();
}

void Telenco_docForm::printDocument() {
    if (data_.Tabdoc.isEmpty()) {
        ui::dialogs().message(QStringLiteral("Nessun Documento Inserito"));
        return;
    }
    guarded([&] { documents::previewDocument(data_, this); });
}

void Telenco_docForm::printToInvoice() {
    guarded([&] {
        // The print's own table objects close with it.
        documents::Tprn_elenco_mov_dafatt list(data_);
        documents::showPreview(list.document(), this);
    });
}

namespace documents {

int openDocuments(Tdm& data) {
    return ui::showScreen<Telenco_docForm>(data);
}

void previewDocument(Tdm& data, QWidget* parent) {
    showPreview(Tprn_doc(data).document(), parent);
}

void showPreview(const report::Document& printed, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, parent);
    report::preparePreview(dialog, printed);
    ui::detail::execModal(dialog);
}

} // namespace documents
