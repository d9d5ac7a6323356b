#include "sweep.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace soak {
namespace {

constexpr double kCent = 0.005 + 1e-9;

double number(store::Table& t, const char* field) {
    return t.field(QString::fromLatin1(field)).asFloat();
}

} // namespace

QString expectedQuarter(const QDate& end) {
    return end.isValid() ? QString::number((end.month() - 1) / 3 + 1) : QString();
}

void LineSums::add(store::Table& line) {
    if (!line.field(QStringLiteral("Xtotale")).asBoolean())
        return;
    const double quantity = number(line, "Quantita");
    const double amount = number(line, "Totale_rigaE");
    const double exact = number(line, "PrezzoE") * quantity * (1 - number(line, "ScontoP") / 100);
    if (std::abs(amount - exact) > kCent || quantity == 0)
        badLine = line.field(QStringLiteral("Id")).asString();
    taxable += amount;
    vat += amount * line.field(QStringLiteral("Iva_riga")).asInteger() / 100;
    ++counted;
}

QString LineSums::against(store::Table& doc) const {
    const double docTaxable = number(doc, "Importo_docE"), docVat = number(doc, "Iva_docE"),
                 docTotal = number(doc, "Totale_docE");
    if (!badLine.isEmpty())
        return QStringLiteral("importo della riga %1").arg(badLine);
    if (std::abs(docTaxable - taxable) > kCent)
        return QStringLiteral("imponibile %1 contro %2 delle righe").arg(docTaxable).arg(taxable);
    // Each line's VAT is rounded on its own.
    if (std::abs(docVat - vat) > kCent * std::max(1, counted))
        return QStringLiteral("IVA %1 contro %2 delle righe").arg(docVat).arg(vat);
    if (std::abs(docTotal - docTaxable - docVat) > kCent)
        return QStringLiteral("totale %1 contro %2").arg(docTotal).arg(docTaxable + docVat);
    return {};
}

std::set<QString> brokenRecords(const QString& yearFolder, Tally& checked) {
    std::set<QString> broken;
    const auto note = [&](bool holds, const char* invariant, const QString& id) {
        checked[invariant]++;
        if (!holds)
            broken.insert(QString::fromLatin1(invariant) + QLatin1Char(' ') + id);
    };
    std::unordered_set<int> movementIds, documentIds;
    forEach(yearFolder, "MOV", {}, [&](store::Table& m) {
        movementIds.insert(m.field(QStringLiteral("Id")).asInteger());
    });
    forEach(yearFolder, "misurazioni", {}, [&](store::Table& v) {
        const QString id = v.field(QStringLiteral("ID_MISURAZIONI")).asString();
        note(movementIds.count(v.field(QStringLiteral("Id_mov")).asInteger()),
             "verifica con il suo movimento", id);
        note(v.field(QStringLiteral("TRIMESTRE")).asString() ==
                 expectedQuarter(v.field(QStringLiteral("DATA_FINE")).asDate()),
             "trimestre della verifica secondo la data di fine", id);
    });
    forEach(yearFolder, "Mov_articoli", {}, [&](store::Table& line) {
        note(movementIds.count(line.field(QStringLiteral("Id_mov")).asInteger()),
             "ricambio con il suo movimento", line.field(QStringLiteral("Id")).asString());
    });
    std::map<int, LineSums> sums;
    forEach(yearFolder, "linee_doc", {}, [&](store::Table& line) {
        sums[line.field(QStringLiteral("Id_doc")).asInteger()].add(line);
    });
    forEach(yearFolder, "doc", {}, [&](store::Table& doc) {
        const int id = doc.field(QStringLiteral("Id")).asInteger();
        documentIds.insert(id);
        const auto it = sums.find(id);
        note((it == sums.end() ? LineSums() : it->second).against(doc).isEmpty(),
             "totali del documento uguali alla somma delle righe", QString::number(id));
    });
    for (const auto& [id, lineSums] : sums)
        note(documentIds.count(id), "riga con il suo documento", QString::number(id));
    return broken;
}

} // namespace soak
