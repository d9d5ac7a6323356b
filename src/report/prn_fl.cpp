#include "report/prn_fl.h"

#include "report/movement_bands.h"
#include "store/dm.h"
#include "store/value.h"

namespace report {

using movement::bandWidth;

namespace {

constexpr double points = 8;
constexpr double lineMm = 4;
constexpr double innerWidth = bandWidth - 4; ///< boxes across the page

Element caption(double x, double y, double width, const QString& words) {
    return text({x, y, width, lineMm}, words).bold().size(points);
}

/// A field of the current movement, `lines` high.
Element movementField(store::Table& Tabmov, double x, double y, double width, const char* name,
                      double lines = 1) {
    Element e =
        field({x, y, width, lines * lineMm}, Tabmov, QString::fromLatin1(name)).size(points);
    return lines > 1 ? e.wrapped() : e;
}

Band header(store::Table& Tabmov) {
    Band band;
    band.height = 113;
    band.add(text({2, 0, 120, 8}, QStringLiteral("Foglio di lavoro")).bold().size(16));

    band.add(caption(2, 10.6, 50, QStringLiteral("Tipo movimento:")));
    band.add(caption(53, 10.6, 79, QStringLiteral("Data e Ora apertura movimento:")));
    band.add(caption(133, 10.6, 55, QStringLiteral("Data e Ora appuntamento:")));
    band.add(frame({2, 14.6, innerWidth, 6.5}));
    band.add(movementField(Tabmov, 4, 15.8, 48, "tipo_mov"));
    band.add(movementField(Tabmov, 53, 15.8, 33, "Data"));
    band.add(movementField(Tabmov, 87, 15.8, 40, "Ora"));
    band.add(movementField(Tabmov, 133, 15.8, 33, "Data_app"));
    band.add(movementField(Tabmov, 167, 15.8, 20, "Ora_app"));

    band.add(caption(2, 23, 100, QStringLiteral("Dati esercizio:")));
    band.add(frame({2, 27, 106, 32.5}));
    band.add(movementField(Tabmov, 4, 28.5, 72, "ragionesociale", 2));
    band.add(movementField(Tabmov, 78, 28.5, 29, "Piva"));
    band.add(movementField(Tabmov, 4, 39, 102, "INDIRIZZO"));
    band.add(movementField(Tabmov, 4, 48, 18, "CAP"));
    band.add(movementField(Tabmov, 23, 48, 46, "COMUNE"));
    band.add(movementField(Tabmov, 70, 48, 10, "PROVINCIA"));

    band.add(caption(110, 23, 78, QStringLiteral("Tecnico e Misuratore:")));
    band.add(frame({110, 27, 76.5, 32.5}));
    band.add(movementField(Tabmov, 112, 28.5, 72.5, "cogn_no_idnumsig", 2));
    band.add(frame({112, 38, 72.5, 19.5}));
    band.add(movementField(Tabmov, 114, 40, 68, "MATRICOLA_MS"));
    band.add(movementField(Tabmov, 114, 48, 12, "logotipo_ms"));
    band.add(movementField(Tabmov, 127, 48, 55, "marchio_ms"));

    band.add(caption(2, 62, 180, QStringLiteral("Parlato con/Recapito urgente/accordi:")));
    band.add(frame({2, 66, innerWidth, 12}));
    band.add(movementField(Tabmov, 4, 67, 94, "Parlato_con"));
    band.add(movementField(Tabmov, 99.5, 67, 87, "Rec_urgente"));
    band.add(movementField(Tabmov, 4, 72, 182, "Accordi"));

    band.add(caption(2, 80, 50, QStringLiteral("Note:")));
    band.add(frame({2, 84, innerWidth, 21}));
    for (int n = 0; n < 4; ++n)
        band.add(field({4, 85 + n * 5.0, 182, lineMm}, Tabmov, QStringLiteral("Nota%1").arg(n + 1))
                     .size(points));

    const struct {
        double x;
        const char* words;
    } columns[] = {
        {2, "Descrizione"}, {91, "Barcode"}, {123, "Quantita"}, {148, "Prezzo"}, {180, "Iva"}};
    for (const auto& column : columns)
        band.add(caption(column.x, 107.5, 30, QString::fromLatin1(column.words)));
    return band;
}

Band articleLine() {
    Band band;
    band.height = 6.6;
    band.framed = true;
    // A long description wraps and the line grows, so it shows whole.
    band.add(field({2, 1.3, 87, lineMm}, QStringLiteral("Descrizione"))
                 .size(points)
                 .wrapped()
                 .growing());
    band.add(field({91, 1.3, 30, lineMm}, QStringLiteral("Barcode")).size(points));
    band.add(field({121, 1.3, 17, lineMm}, QStringLiteral("Qta")).size(points).right());
    band.add(label({142, 1.3, 25, lineMm},
                   [](const PrintContext& c) {
                       const QVariant price = c.record.value(QStringLiteral("Prezzo_vend"));
                       return price.isNull()
                                  ? QString()
                                  : store::value::formatNumber(price.toDouble(),
                                                               QStringLiteral("#,###,##0.00"));
                   })
                 .size(points)
                 .right());
    band.add(field({176, 1.3, 12, lineMm}, QStringLiteral("Iva")).size(points).right());
    return band;
}

Band footer(store::Table& Tabmov) {
    Band band;
    band.height = 57;
    band.add(caption(2, 1, 100, QStringLiteral("Rapporto tecnico:")));
    band.add(frame({2, 5, innerWidth, 18}));
    for (int n = 0; n < 4; ++n)
        band.add(field({4, 6 + n * 4.2, 182, lineMm}, Tabmov, QStringLiteral("Rapp%1").arg(n + 1))
                     .size(points));

    band.add(caption(2, 24, 100, QStringLiteral("Da inserire in fattura:")));
    band.add(frame({2, 28, innerWidth, 17}));
    // Invoice texts are long for their column: two lines each.
    band.add(movementField(Tabmov, 4, 29, 56, "Da_fatt1", 2));
    band.add(movementField(Tabmov, 4, 37, 56, "Da_fatt2", 2));
    band.add(movementField(Tabmov, 61, 29, 52, "Da_fatt3", 2));
    band.add(movementField(Tabmov, 61, 37, 52, "Da_fatt4", 2));
    band.add(movementField(Tabmov, 114, 29, 26, "Imp_fatt"));
    band.add(movementField(Tabmov, 142, 29, 20, "Iva_fatt"));
    band.add(text({114, 34, 74, lineMm},
                  QStringLiteral("+ gli importi degli articoli usati e sopra elencati"))
                 .size(7));

    const QString signature(32, QLatin1Char('_'));
    band.add(text({8, 48, 60, lineMm}, signature).size(points));
    band.add(text({8, 52, 60, lineMm}, QStringLiteral("firma tecnico")).size(points).centred());
    band.add(text({122, 48, 60, lineMm}, signature).size(points));
    band.add(text({122, 52, 60, lineMm}, QStringLiteral("firma cliente")).size(points).centred());
    return band;
}

} // namespace

Tprn_fl::Tprn_fl(Tdm& data)
    : data_(data) {
}

Layout Tprn_fl::layout() const {
    Layout layout;
    layout.title = QStringLiteral("Foglio di lavoro");
    layout.page.framed = true;
    layout.source = &data_.Tablmov;
    layout.pageHeader.push_back(header(data_.Tabmov));
    layout.detail.push_back(articleLine());
    layout.pageFooter.push_back(footer(data_.Tabmov));
    return layout;
}

} // namespace report
