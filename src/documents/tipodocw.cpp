#include "documents/tipodocw.h"

#include "documents/document_rules.h"
#include "store/dm.h"
#include "store/references.h"
#include "ui/dbedit.h"
#include "ui/dialogs.h"
#include "ui/grid.h"
#include "ui/modal.h"
#include "ui/navigator.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

Ttipodocform::Ttipodocform(Tdm& data, QWidget* parent)
    : ui::RegisterScreen(data.Tab_tipodoc, QStringLiteral("tipodocform"), {420, 360}, parent) {
    const QString refusal = QStringLiteral("per chiudere usare i tasti opportuni");
    setRefusalMessage(refusal);
    setEditingRefusal(refusal, [] { return true; });
    auto* grid = addGrid({{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 300}});
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setRowStyler([](const ui::GridRow& row, ui::CellStyle& style) {
        if (row.value(QStringLiteral("Default")).toBool())
            style.text = QColor(Qt::red);
    });
    addNewButton();
    addModifyButton();
    addListButton(QStringLiteral("imposta di default"), [this] {
        try {
            if (!table().isEmpty())
                documents::setDefaultType(table());
        } catch (const std::exception& e) {
            ui::showFailure(e);
        }
    });
    addListButton(QStringLiteral("elimina"), [this] { deleteType(); });
    addCloseButton(QStringLiteral("chiudi"));
    setFirstEditor(addFieldRow(QStringLiteral("Descrizione"), QStringLiteral("Descrizione")));
    addConfirmButton();
    addCancelButton();
}

void Ttipodocform::deleteType() {
    try {
        if (table().isEmpty())
            return;
        // Read on an object of its own: the shared documents keep their filter and place.
        if (store::rules::anyRecordWith(table().databaseName(), QStringLiteral("doc"),
                                        QStringLiteral("Id_tipodoc"),
                                        table().field(QStringLiteral("Id")).value())) {
            ui::dialogs().information(QStringLiteral("IMPOSSIBILE Eliminare. Documento in uso."));
            return;
        }
        if (!ui::dialogs().question(QStringLiteral("?")))
            return;
        table().deleteRecord();
        ui::dialogs().information(QStringLiteral("Eliminato."));
    } catch (const std::exception& e) {
        ui::showFailure(e);
    }
}

Ttipo_pagForm::Ttipo_pagForm(Tdm& data, QWidget* parent)
    : ui::RegisterScreen(data.tabtipo_pag, QStringLiteral("Tipi di Pagamento"), {620, 520},
                         parent) {
    setRefusalMessage(QStringLiteral("usare il tasto chiudi per uscire dalla finestra"));
    setEditingRefusal(QStringLiteral("Terminare la fase di inserimento, prima di chiudere"),
                      pages(), editPageName);
    addGrid({{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 380},
             {QStringLiteral("N_rate"), QStringLiteral("N_rate"), 70}});
    addNewButton();
    addModifyButton();
    addCloseButton(QStringLiteral("Chiudi"));
    setFirstEditor(addFieldRow(QStringLiteral("Descrizione"), QStringLiteral("Descrizione")));
    addFieldRow(QStringLiteral("N_rate"), QStringLiteral("N_rate"));
    // Twelve instalments side by side: share and days of each.
    auto* instalments = new QGridLayout;
    for (int i = 1; i <= 12; ++i) {
        const QString n = QString::number(i);
        const int row = (i - 1) % 6, col = (i - 1) / 6 * 4;
        instalments->addWidget(new QLabel(QStringLiteral("Rata") + n), row, col);
        instalments->addWidget(new ui::DbEdit(table(), QStringLiteral("Rata") + n), row, col + 1);
        instalments->addWidget(new QLabel(QStringLiteral("Ng") + n), row, col + 2);
        instalments->addWidget(new ui::DbEdit(table(), QStringLiteral("Ng") + n), row, col + 3);
    }
    editForm()->addRow(instalments);
    addConfirmButton();
    addCancelButton();
    setSaveCheck([this] {
        if (!table().field(QStringLiteral("Descrizione")).asString().trimmed().isEmpty())
            return true;
        ui::dialogs().message(QStringLiteral("Inserire la descrizione"));
        return false;
    });
}

TimpdocForm::TimpdocForm(Tdm& data, QWidget* parent)
    : ui::Screen(parent)
    , data_(data) {
    setWindowTitle(QStringLiteral("impdocForm"));
    resize(440, 220);
    setCloseAllowed(true); // nothing is edited here but through "imposta"
    auto* tabs = new QTabWidget;
    auto* page = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("Documento di default"));
    auto* box = new ui::DbEdit(data.Tab_tipodoc, QStringLiteral("Descrizione"));
    box->setReadOnly(true);
    auto* navigator = new ui::Navigator(data.Tab_tipodoc);
    using B = ui::Navigator::Button;
    navigator->setVisibleButtons({B::First, B::Prior, B::Next, B::Last});
    auto* set = new QPushButton(QStringLiteral("imposta"));
    connect(set, &QPushButton::clicked, this, [this] {
        try {
            if (!data_.Tab_tipodoc.isEmpty())
                documents::setDefaultType(data_.Tab_tipodoc);
        } catch (const std::exception& e) {
            ui::showFailure(e);
        }
    });
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(box);
    groupLayout->addWidget(navigator);
    groupLayout->addWidget(set, 0, Qt::AlignLeft);
    (new QVBoxLayout(page))->addWidget(group);
    tabs->addTab(page, QStringLiteral("Impostazioni Documento"));
    auto* close = new QPushButton(QStringLiteral("Chiudi"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, [this] { closeWith(Rejected); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(close, 0, Qt::AlignRight);
}

void TimpdocForm::showEvent(QShowEvent* event) {
    ui::Screen::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    if (!data_.Tab_tipodoc.locate(QStringLiteral("Default"), true))
        ui::dialogs().message(QStringLiteral("Nessun documento impostato come default"));
}

namespace documents {

int openDocumentTypes(Tdm& data) {
    return ui::showScreen<Ttipodocform>(data);
}

int openPaymentTerms(Tdm& data) {
    return ui::showScreen<Ttipo_pagForm>(data);
}

int openDefaultType(Tdm& data) {
    return ui::showScreen<TimpdocForm>(data);
}

} // namespace documents
