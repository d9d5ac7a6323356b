#include "documents/document_rules.h"

#include "store/dm.h"
#include "store/error.h"
#include "store/references.h"
#include "store/rules.h"

#include <cmath>

namespace documents {

using store::DataSetState;
using store::Event;
using store::Table;

double roundCent(double amount) {
    const double cents = amount * 100;
    double whole = std::round(cents); // halves away from zero ...
    if (std::fabs(cents - std::trunc(cents)) == 0.5)
        whole = 2 * std::round(cents / 2); // ... except exact halves, which go to the even one
    return whole / 100;
}

double lineAmount(double price, double quantity, double discountPercent) {
    const double gross = price * quantity;
    const double amount = discountPercent != 0 ? gross - discountPercent * gross / 100 : gross;
    return roundCent(amount);
}

Totals computeTotals(const std::vector<LineFigures>& lines) {
    Totals totals;
    for (const LineFigures& line : lines) {
        if (!line.rate)
            continue;
        bool known = false;
        for (const RateSlot& slot : totals.rateSlots)
            known = known || slot.rate == *line.rate;
        if (known)
            continue;
        for (RateSlot& slot : totals.rateSlots)
            if (slot.rate == -1) {
                slot.rate = *line.rate;
                break;
            }
    }
    for (const LineFigures& line : lines) {
        if (!line.counted)
            continue;
        const int rate = line.rate.value_or(0);
        const double amount = lineAmount(line.price, line.quantity, line.discount);
        const double vat = roundCent(rate * amount / 100);
        for (RateSlot& slot : totals.rateSlots)
            if (slot.rate == rate) {
                slot.taxable += amount;
                slot.vat += vat;
            }
        totals.taxable += amount;
        totals.vat += vat;
    }
    return totals;
}

QString zeroQuantityRefusal() {
    return QStringLiteral("Quantità zero: una riga che conta nel totale del documento deve "
                          "avere una quantità diversa da zero");
}

namespace {

const QString idField = QStringLiteral("Id");

/// Where the fields the totals read lie in a record of the lines.
struct LineColumns {
    explicit LineColumns(Table& lines)
        : counted(lines.field(QStringLiteral("Xtotale")).index())
        , rate(lines.field(QStringLiteral("Iva_riga")).index())
        , price(lines.field(QStringLiteral("PrezzoE")).index())
        , quantity(lines.field(QStringLiteral("Quantita")).index())
        , discount(lines.field(QStringLiteral("ScontoP")).index()) {}

    LineFigures figures(const std::vector<QVariant>& record) const {
        LineFigures line;
        line.counted = record[size_t(counted)].toBool();
        if (const QVariant& r = record[size_t(rate)]; !r.isNull())
            line.rate = r.toInt();
        line.price = record[size_t(price)].toDouble();
        line.quantity = record[size_t(quantity)].toDouble();
        line.discount = record[size_t(discount)].toDouble();
        return line;
    }

    int counted, rate, price, quantity, discount;
};

void editing(Table& table) {
    if (table.state() != DataSetState::Edit && table.state() != DataSetState::Insert)
        table.edit();
}

/// Rule 1: a new document exists in the table from its first moment.
void storeNewDocument(Table& doc) {
    store::rules::fillIdentifier(doc, idField);
    if (doc.field(QStringLiteral("PagataSNP")).asString().isEmpty())
        doc.field(QStringLiteral("PagataSNP")).setAsString(QStringLiteral("N"));
    doc.post();
    doc.edit();
}

void copyCustomer(Tdm& dm, const store::Field& customer) {
    static const QStringList copied{QStringLiteral("Piva"), QStringLiteral("Indirizzo"),
                                    QStringLiteral("Cap"), QStringLiteral("Comune"),
                                    QStringLiteral("Provincia")};
    const auto found = store::rules::lookupRecord(dm.tabese3, QStringLiteral("Id_esercizio"),
                                                  customer.value(), copied);
    if (!found)
        return;
    for (int i = 0; i < copied.size(); ++i)
        customer.table().field(copied[i]).setValue((*found)[size_t(i)]);
}

void prepareLine(Table& line) {
    store::rules::fillIdentifier(line, idField);
    if (!line.field(QStringLiteral("Xtotale")).asBoolean())
        return;
    const double quantity = line.field(QStringLiteral("Quantita")).asFloat();
    if (quantity == 0)
        throw store::Error(zeroQuantityRefusal());
    const double amount = lineAmount(line.field(QStringLiteral("PrezzoE")).asFloat(), quantity,
                                     line.field(QStringLiteral("ScontoP")).asFloat());
    line.field(QStringLiteral("Totale_rigaE")).setAsFloat(amount);
    line.field(QStringLiteral("ImportoE")).setAsFloat(amount / quantity);
}

} // namespace

void numberDocument(Tdm& dm) {
    Table& doc = dm.Tabdoc;
    Table& others = dm.Tabdoc2;
    others.setFiltered(false);
    others.setFilter(QStringLiteral("[Id_tipodoc]='%1'")
                         .arg(doc.field(QStringLiteral("Id_tipodoc")).asString()));
    others.setFiltered(true);
    others.last();
    const int highest =
        others.isEmpty() ? 0 : others.field(QStringLiteral("Numero_doc")).asInteger();
    doc.field(QStringLiteral("Numero_doc")).setAsInteger(highest + 1);
}

void recomputeTotals(Tdm& dm) {
    Table& lines = dm.Tablinee_doc;
    Table& doc = dm.Tabdoc;
    if (!doc.active() || doc.isEmpty())
        return;
    const LineColumns columns(lines);
    std::vector<LineFigures> figures;
    const int count = lines.recordCount();
    figures.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        figures.push_back(columns.figures(lines.recordAt(i)));
    const Totals totals = computeTotals(figures);

    editing(doc);
    doc.field(QStringLiteral("Totale_docE")).setAsFloat(totals.taxable + totals.vat);
    doc.field(QStringLiteral("Importo_docE")).setAsFloat(totals.taxable);
    doc.field(QStringLiteral("Iva_docE")).setAsFloat(totals.vat);
    for (int n = 1; n <= 4; ++n) {
        const RateSlot& slot = totals.rateSlots[size_t(n - 1)];
        const QString i = QString::number(n);
        doc.field(QStringLiteral("Iva") + i).setAsFloat(slot.vat);
        doc.field(QStringLiteral("Iva") + i + QLatin1Char('_')).setAsFloat(slot.rate);
        doc.field(QStringLiteral("Imp") + i).setAsFloat(slot.taxable);
    }
    const store::Bookmark current = lines.bookmark();
    doc.post();
    doc.edit();
    if (current && lines.bookmarkValid(current))
        lines.gotoBookmark(current);
}

void setDefaultType(Table& types) {
    const store::Bookmark chosen = types.bookmark();
    const QString flag = QStringLiteral("Default");
    for (types.first(); !types.eof(); types.next()) {
        types.edit();
        types.field(flag).setAsBoolean(false);
        types.post();
    }
    types.gotoBookmark(chosen);
    types.edit();
    types.field(flag).setAsBoolean(true);
    types.post();
}

void attachDocumentRules(Tdm& dm) {
    using namespace store::rules;
    dm.Tabdoc.on(Event::AfterInsert, storeNewDocument);
    dm.Tabdoc.onFieldChange(QStringLiteral("Id_tipodoc"),
                            [&dm](store::Field) { numberDocument(dm); });
    dm.Tabdoc.onFieldChange(QStringLiteral("Id_cliente"),
                            [&dm](store::Field f) { copyCustomer(dm, f); });
    dm.Tablinee_doc.on(Event::BeforePost, prepareLine);
    dm.Tablinee_doc.on(Event::AfterPost, [&dm](Table&) { recomputeTotals(dm); });
    dm.Tablinee_doc.on(Event::AfterDelete, [&dm](Table&) { recomputeTotals(dm); });
    attachIdentifierBeforePost(dm.Tab_tipodoc, idField);
    attachIdentifierAfterInsert(dm.Tabtipodoc2, idField);
    for (Table* list : {&dm.Tabstringa_finale, &dm.Tabtrasporto, &dm.Tabaspetto, &dm.Tabcausale,
                        &dm.Tabvarie_ann, &dm.Tabvettore, &dm.Tabdiciture, &dm.tabtipo_pag})
        attachIdentifierAfterInsert(*list, idField);
}

} // namespace documents
