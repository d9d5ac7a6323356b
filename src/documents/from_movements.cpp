#include "documents/from_movements.h"

#include "store/dm.h"
#include "store/references.h"
#include "store/table.h"

#include <cmath>

namespace documents {

using store::DataSetState;
using store::Table;

namespace {

bool pending(const Table& table) {
    return table.state() == DataSetState::Edit || table.state() == DataSetState::Insert;
}

/// On a failure inside an all-or-nothing step, the files go back as they were: so must the
/// objects that were editing, or they would write the half-made state later.
template <class Work> void allOrNothing(Tdm& dm, std::vector<Table*> tables, Work&& work) {
    try {
        store::AtomicWrite unit(tables);
        work();
        unit.commit();
    } catch (...) {
        for (Table* t : tables)
            if (t->active()) {
                if (pending(*t))
                    t->cancel();
                t->refresh();
            }
        if (dm.Tablinee_doc.active())
            dm.Tablinee_doc.refresh();
        throw;
    }
}

void addLine(Table& lines, const QString& text, bool counted, double price = 0, int rate = 0) {
    lines.append();
    lines.field(QStringLiteral("Id_doc"))
        .setValue(lines.masterSource()->field(QStringLiteral("Id")).value());
    lines.field(QStringLiteral("Linea")).setAsString(lineText(text));
    lines.field(QStringLiteral("Xtotale")).setAsBoolean(counted);
    if (counted) {
        lines.field(QStringLiteral("Quantita")).setAsFloat(1);
        lines.field(QStringLiteral("PrezzoE")).setAsFloat(price);
        lines.field(QStringLiteral("Iva_riga")).setAsInteger(rate);
        lines.field(QStringLiteral("ScontoP")).setAsFloat(0);
    }
    lines.post();
}

QString looked(Table& source, const QString& key, const QVariant& value, const QString& result) {
    const auto found = store::rules::lookupRecord(source, key, value, {result});
    return found ? found->front().toString() : QString();
}

void machineLines(Tdm& dm, Table& movement) {
    auto text = [&](const char* name) {
        return movement.field(QString::fromLatin1(name));
    };
    addLine(dm.Tablinee_doc,
            QStringLiteral("Tipo movimento:") + looked(dm.Tabtipomov, QStringLiteral("Id"),
                                                       text("Id_tipomov").value(),
                                                       QStringLiteral("Descrizione")),
            false);
    addLine(dm.Tablinee_doc,
            QStringLiteral("Misuratore: ") + looked(dm.Tabms, QStringLiteral("Id_ms"),
                                                    text("ID_MS").value(),
                                                    QStringLiteral("Denominazione_ms")),
            false);
    addLine(dm.Tablinee_doc, QStringLiteral("Matricola: ") + text("MATRICOLA_MS").asString(),
            false);
}

/// Deletes the lines of the current document and the document itself.
void removeCurrent(Tdm& dm) {
    Table& lines = dm.Tablinee_doc;
    // Each deletion of a line would store the totals of a document about to go: the lines are
    // deleted through an object of their own, without the line rules.
    Table own(lines.databaseName(), lines.tableName());
    own.open();
    own.setFilter(
        QStringLiteral("[Id_doc]='%1'").arg(dm.Tabdoc.field(QStringLiteral("Id")).asString()));
    own.setFiltered(true);
    while (!own.isEmpty()) {
        own.first();
        own.deleteRecord();
    }
    dm.Tabdoc.deleteRecord();
    lines.refresh();
}

} // namespace

QString toInvoiceFilter() {
    return QStringLiteral(
        "([da_fatt_sn]='true') and ([fatt_sn]='false')and ([Gia_fatt_sn]<>'true')");
}

QString lineText(const QString& text) {
    return text.left(50);
}

int newDocument(Tdm& dm) {
    Table& doc = dm.Tabdoc;
    doc.setFiltered(false);
    doc.append();
    const auto chosen = store::rules::lookupRecord(dm.Tab_tipodoc, QStringLiteral("Default"), true,
                                                   {QStringLiteral("Id")});
    if (chosen)
        doc.field(QStringLiteral("Id_tipodoc")).setValue(chosen->front());
    return doc.field(QStringLiteral("Id")).asInteger();
}

int generateDocument(Tdm& dm, Table& movement, Table& articles, const QDate& today) {
    int id = 0;
    allOrNothing(dm, {&dm.Tabdoc, &dm.Tablinee_doc}, [&] {
        id = newDocument(dm);
        Table& doc = dm.Tabdoc;
        auto from = [&](const char* name) {
            return movement.field(QString::fromLatin1(name));
        };
        doc.field(QStringLiteral("Data_doc")).setAsDate(today);
        doc.field(QStringLiteral("Id_cliente")).setValue(from("ID_ESERCIZIO").value());
        doc.field(QStringLiteral("Id_mov")).setValue(from("Id").value());
        if (from("Rip_art_fatt").asBoolean())
            machineLines(dm, movement);
        for (const char* name : {"Da_fatt1", "Da_fatt2", "Da_fatt3"})
            if (!from(name).asString().isEmpty())
                addLine(dm.Tablinee_doc, from(name).asString(), false);
        if (!from("Da_fatt4").asString().isEmpty())
            addLine(dm.Tablinee_doc, from("Da_fatt4").asString(), true, from("Imp_fatt").asFloat(),
                    int(std::lround(from("Iva_fatt").asFloat())));
        for (articles.first(); !articles.eof(); articles.next())
            addLine(dm.Tablinee_doc, articles.field(QStringLiteral("Descrizione")).asString(), true,
                    articles.field(QStringLiteral("Prezzo_vend")).asFloat(),
                    int(std::lround(articles.field(QStringLiteral("Iva")).asFloat())));
        // What is stored is complete; the header stays open for the properties screen.
        doc.post();
        doc.edit();
    });
    return id;
}

void storeDocument(Tdm& dm) {
    if (pending(dm.Tabdoc))
        dm.Tabdoc.post();
}

void confirmGenerated(Tdm& dm, Table& movement) {
    allOrNothing(dm, {&dm.Tabdoc, &movement}, [&] {
        storeDocument(dm);
        movement.edit();
        movement.field(QStringLiteral("Gia_fatt_sn")).setAsBoolean(true);
        movement.post();
    });
}

void discardDocument(Tdm& dm) {
    if (pending(dm.Tabdoc))
        dm.Tabdoc.cancel();
    if (dm.Tabdoc.isEmpty())
        return;
    allOrNothing(dm, {&dm.Tabdoc, &dm.Tablinee_doc}, [&] { removeCurrent(dm); });
}

void deleteDocument(Tdm& dm) {
    Table& doc = dm.Tabdoc;
    if (pending(doc))
        doc.post();
    const QVariant movementId = doc.field(QStringLiteral("Id_mov")).value();
    allOrNothing(dm, {&doc, &dm.Tablinee_doc, &dm.Tabmov}, [&] {
        if (!movementId.isNull()) {
            Table& movements = dm.Tabmov;
            movements.setFiltered(false);
            if (movements.locate(QStringLiteral("Id"), movementId)) {
                movements.edit();
                movements.field(QStringLiteral("Gia_fatt_sn")).setAsBoolean(false);
                movements.post();
            }
        }
        removeCurrent(dm);
    });
}

} // namespace documents
