#include "documents/wordingw.h"

#include "store/dm.h"
#include "ui/dbedit.h"
#include "ui/dialogs.h"
#include "ui/grid.h"
#include "ui/modal.h"

#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>

namespace {

struct Shape {
    store::Table Tdm::*table;
    const char* className;
    const char* title;
    const char* emptyBox;
    const char* closeRefusal; ///< nullptr: closes any way
    bool upperCase = true;
    bool cursorInBox = true;
    bool capitalCaptions = false; ///< "Nuovo", "Modifica" rather than "nuovo", "modifica"
    bool capitalConfirm = false;  ///< "OK", "Annulla" rather than "ok", "annulla"
    const char* label = "Descrizione";
    bool showId = false;
};

const Shape& shapeOf(WordingList list) {
    static const Shape shapes[] = {
        {&Tdm::Tabstringa_finale, "Tstringa_finaleform", "stringa_finaleform",
         "inserire la descrizione", "per uscire usare il tasto chiudi"},
        {&Tdm::Tabtrasporto, "Ttrasporto_amezzoForm", "trasporto_amezzoForm",
         "inserire la descrizione", "per uscire usare il tasto chiudi"},
        {&Tdm::Tabaspetto, "Taspetto_esterioreform", "Aspetto esteriore dei beni:",
         "inserire la descrizione", "usare il tasto chiudi per uscire dalla finestra"},
        {&Tdm::Tabcausale, "Tcausale_trasportoForm",
         "Causale trasporto:", "inserire una descrizione", nullptr, false, false},
        {&Tdm::Tabvarie_ann, "Tvarieannotazioniform", "Varie e annotazioni:",
         "inserire una descrizione", " usare il tasto chiudi per uscire", true, true, false, true},
        {&Tdm::Tabvettore, "Tvettoreform", "vettoreform", "inserire la descrizione",
         "per uscire usare il tasto chiudi", true, true, true, true},
        {&Tdm::Tabdiciture, "Tdiciture_tipicheform", "diciture tipiche nei documenti:",
         "inserire la descrizione", "per uscire usare i tasti seleziona o chiudi", true, true,
         false, true, "Descrizione", true},
        {&Tdm::Tabdiciture, "Tdiciture_tip2form", "diciture_tip2form", "inserire una descrizione",
         "per uscire usare i tasti chiudi o seleziona", false, true, false, false, "descrizione"},
    };
    return shapes[int(list)];
}

} // namespace

TwordingForm::TwordingForm(Tdm& data, WordingList list, std::function<void(store::Table&)> select,
                           QWidget* parent)
    : ui::RegisterScreen(data.*shapeOf(list).table, QString::fromUtf8(shapeOf(list).title),
                         {460, 380}, parent) {
    const Shape& shape = shapeOf(list);
    setObjectName(QString::fromLatin1(shape.className));
    if (shape.closeRefusal) {
        const QString refusal = QString::fromUtf8(shape.closeRefusal);
        setRefusalMessage(refusal);
        setEditingRefusal(refusal, [] { return true; });
    } else {
        setCloseAllowed(true);
    }

    std::vector<ui::GridColumn> columns;
    if (shape.showId)
        columns.push_back({QStringLiteral("Id"), QStringLiteral("Id"), 50});
    columns.push_back({QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 360});
    addGrid(columns)->horizontalHeader()->setStretchLastSection(true);

    auto* box =
        addFieldRow(QString::fromUtf8(shape.label), QStringLiteral("Descrizione"), shape.upperCase);
    addNewButton(shape.capitalCaptions ? QStringLiteral("Nuovo") : QStringLiteral("nuovo"));
    addModifyButton(shape.capitalCaptions ? QStringLiteral("Modifica")
                                          : QStringLiteral("modifica"));
    addListButton(QStringLiteral("elimina"), [this] {
        ui::DeletePlan plan;
        plan.nothing = QStringLiteral("archivio vuoto");
        deleteCurrent(plan);
    });
    if (select)
        addListButton(QStringLiteral("seleziona"), [this, select] {
            try {
                if (!table().isEmpty())
                    select(table());
            } catch (const std::exception&) {
                // The target may not be in edit mode: nothing is written then.
            }
            closeWith(Accepted);
        });
    addCloseButton(QStringLiteral("chiudi"));
    addConfirmButton(shape.capitalConfirm ? QStringLiteral("OK") : QStringLiteral("ok"));
    addCancelButton(shape.capitalConfirm ? QStringLiteral("Annulla") : QStringLiteral("annulla"));
    if (shape.cursorInBox)
        setFirstEditor(box);
    const QString empty = QString::fromUtf8(shape.emptyBox);
    setSaveCheck([this, empty] {
        if (!table().field(QStringLiteral("Descrizione")).asString().trimmed().isEmpty())
            return true;
        ui::dialogs().message(empty);
        return false;
    });
}

namespace documents {

int openWordingList(Tdm& data, WordingList list) {
    return ui::showScreen<TwordingForm>(data, list, std::function<void(store::Table&)>());
}

int pickLineWording(Tdm& data) {
    return ui::showScreen<TwordingForm>(
        data, WordingList::LineWordings,
        std::function<void(store::Table&)>([&data](store::Table& w) {
            store::Table& line = data.Tablinee_doc;
            line.field(QStringLiteral("Id_articolo"))
                .setValue(w.field(QStringLiteral("Id")).value());
            line.field(QStringLiteral("Linea"))
                .setValue(w.field(QStringLiteral("Descrizione")).value());
        }));
}

int pickWording(Tdm& data, int target) {
    return ui::showScreen<TwordingForm>(
        data, WordingList::MovementWordings,
        std::function<void(store::Table&)>([&data, target](store::Table& w) {
            if (target < 1 || target > 4)
                return;
            data.Tabmov.field(QStringLiteral("Da_fatt") + QString::number(target))
                .setValue(w.field(QStringLiteral("Descrizione")).value());
        }));
}

} // namespace documents
