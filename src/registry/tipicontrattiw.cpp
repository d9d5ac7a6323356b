#include "registry/tipicontrattiw.h"

#include "registry/registers_rules.h"
#include "store/dm.h"
#include "store/rules.h"
#include "ui/dbedit.h"
#include "ui/dbrich.h"
#include "ui/dialogs.h"
#include "ui/formkit.h"
#include "ui/modal.h"
#include "ui/navigator.h"
#include "ui/richkeys.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

std::function<void()>& samplePrint() {
    static std::function<void()> preview;
    return preview;
}

/// Two columns of labelled rich-text boxes on the five sections.
void placeSections(QGridLayout* grid, int firstRow, std::array<ui::DbRichEdit*, 5>& boxes,
                   store::Table& table, bool readOnly) {
    const auto& sections = TtipicontrattiForm::sections();
    for (size_t i = 0; i < sections.size(); ++i) {
        auto* box = new ui::DbRichEdit(table, sections[i].first);
        box->setReadOnly(readOnly);
        if (!readOnly)
            ui::installFormattingKeys(box);
        box->setMinimumHeight(110);
        boxes[i] = box;
        const int row = firstRow + int(i / 2) * 2;
        const int column = int(i % 2);
        // The last section has the row to itself.
        const int span = i + 1 == sections.size() ? 2 : 1;
        grid->addWidget(new QLabel(sections[i].second), row, column, 1, span);
        grid->addWidget(box, row + 1, column, 1, span);
        grid->setRowStretch(row + 1, 1);
    }
}

/// "Nome contratto:" and the name, across both columns: a bold caption on the view page, an
/// edit box (returned) on the edit page.
ui::DbEdit* placeName(QGridLayout* grid, store::Table& table, bool readOnly) {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Nome contratto:")));
    ui::DbEdit* box = nullptr;
    if (readOnly) {
        auto* caption = new ui::DbLabel(table, QStringLiteral("Nome_contratto"));
        QFont bold = caption->font();
        bold.setBold(true);
        caption->setFont(bold);
        row->addWidget(caption);
    } else {
        box = new ui::DbUpperEdit(table, QStringLiteral("Nome_contratto"));
        row->addWidget(box);
    }
    row->addStretch(1);
    grid->addLayout(row, 0, 0, 1, 2);
    return box;
}

} // namespace

const std::array<std::pair<QString, QString>, 5>& TtipicontrattiForm::sections() {
    static const std::array<std::pair<QString, QString>, 5> list{{
        {QStringLiteral("Descr_contratto"), QStringLiteral("Descrizione del contratto:")},
        {QStringLiteral("Prest_incluse"), QStringLiteral("Prestazioni incluse:")},
        {QStringLiteral("Prest_escluse"), QStringLiteral("Prestazioni escluse:")},
        {QStringLiteral("Clausole"), QStringLiteral("Clausole:")},
        {QStringLiteral("Obblighi"), QStringLiteral("Obblighi:")},
    }};
    return list;
}

TtipicontrattiForm::TtipicontrattiForm(Tdm& data, QWidget* parent)
    : ui::RegisterScreen(data.tab_tipicontratti, QStringLiteral("Elenco dei TIPI di Contratto:"),
                         {860, 620}, parent)
    , data_(data) {

    // View page: the current type, read-only, and the navigator that moves through the types.
    auto* view = new QGridLayout;
    placeName(view, table(), true);
    placeSections(view, 1, viewBoxes_, table(), true);
    listContent()->addLayout(view, 1);
    navigator_ = new ui::Navigator(table());
    navigator_->setVisibleButtons({ui::Navigator::Button::First, ui::Navigator::Button::Prior,
                                   ui::Navigator::Button::Next, ui::Navigator::Button::Last,
                                   ui::Navigator::Button::Refresh});
    listContent()->addWidget(navigator_, 0, Qt::AlignLeft);
    addListButton(QStringLiteral("Nuovo"), [this] {
        // The screen allocates the identifier itself, whatever rules the caller attached.
        if (!startNew())
            return;
        try {
            store::rules::fillIdentifier(table(), QStringLiteral("Id"));
        } catch (const std::exception& e) {
            ui::showFailure(e);
        }
    });
    addModifyButton();
    addListButton(QStringLiteral("elimina"), [this] { deleteType(); });
    addListButton(QStringLiteral("stampa contratto di esempio"), [] {
        if (samplePrint())
            samplePrint()();
    })->setEnabled(bool(samplePrint()));
    addCloseButton(QStringLiteral("chiudi"));

    // Edit page: the same sections, editable.
    auto* edit = new QGridLayout;
    name_ = placeName(edit, table(), false);
    placeSections(edit, 1, editBoxes_, table(), false);
    editContent()->addLayout(edit, 1);
    addConfirmButton(QStringLiteral("OK"));
    addCancelButton(QStringLiteral("Annulla"));
    setFirstEditor(name_);

    setSaveCheck([this] {
        const QString refusal = registry::contractTypeRefusal(name_->text());
        if (refusal.isEmpty())
            return true;
        ui::dialogs().warning(refusal);
        name_->setFocus(Qt::OtherFocusReason);
        return false;
    });
}

bool TtipicontrattiForm::deleteType() {
    return deleteCurrent(
        {.question = QStringLiteral("Eliminare il tipo di contratto selezionato?"),
         .checks = {[this]() -> std::optional<QString> {
             const int id = table().field(QStringLiteral("Id")).asInteger();
             if (registry::contractTypeInUse(data_.Tabcontratti, id))
                 return QStringLiteral(
                     "Impossibile eliminare. Ci sono dei contratti presenti per questo tipo.");
             return std::nullopt;
         }},
         .checksFirst = true,
         .done = QStringLiteral("Eliminazione eseguita.")});
}

namespace registry {

int openContractTypes(Tdm& data) {
    return ui::showScreen<TtipicontrattiForm>(data);
}

void setContractSamplePrint(std::function<void()> preview) {
    samplePrint() = std::move(preview);
}

} // namespace registry
