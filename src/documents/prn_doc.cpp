#include "documents/prn_doc.h"

#include "store/dm.h"
#include "store/value.h"

#include <QLocale>
#include <array>
#include <cmath>

namespace documents {

using namespace report;

namespace {

constexpr double width = 195; // A4 less 10 mm left and 5 mm right
// Fixed rows of 17 pixels at 96 per inch: 46 fill the room a page leaves for lines, and the
// summary takes what 21 of them would, so 25 lines and the summary share the first page.
constexpr double rowHeight = 17 * 25.4 / 96;
constexpr double headerHeight = 62;
constexpr double footerHeight = 8;
constexpr double summaryHeight = 92;
constexpr double linePoints = 7.5;

struct Column {
    const char* heading;
    double width;
    bool amount; ///< right-aligned
};
// Codice, Descrizione, UM, Q/tà, Prezzo, Sconto, Imp. unità, Totale, Iva.
constexpr std::array<Column, 9> columns{{{"Codice", 17, false},
                                         {"Descrizione", 71, false},
                                         {"UM", 9, false},
                                         {"Q/tà", 13, true},
                                         {"Prezzo ", 20, true},
                                         {"Sconto", 12, true},
                                         {"Imp. unità", 20, true},
                                         {"Totale", 22, true},
                                         {"Iva", 11, true}}};

double columnX(size_t index) {
    double x = 0;
    for (size_t i = 0; i < index; ++i)
        x += columns[i].width;
    return x;
}

QRectF cell(size_t index, double y, double height) {
    return {columnX(index) + 0.8, y, columns[index].width - 1.6, height};
}

QString money(double value) {
    return store::value::formatNumber(value, QStringLiteral("#,###,##0.00"));
}

/// The text of one column of a line: descriptive lines print only code and text.
QString lineCell(size_t index, const Row& line) {
    const bool counted = line.value(QStringLiteral("Xtotale")).toBool();
    if (index > 1 && !counted)
        return {};
    auto number = [&](const char* name) {
        return line.value(QString::fromLatin1(name)).toDouble();
    };
    switch (index) {
    case 0:
        return line.text(QStringLiteral("Id_articolo"));
    case 1:
        return line.text(QStringLiteral("Linea"));
    case 2:
        return line.text(QStringLiteral("UM"));
    case 3:
        return plainNumber(number("Quantita"));
    case 4:
        return line.text(QStringLiteral("PrezzoE"));
    case 5:
        return plainNumber(number("ScontoP"));
    case 6:
        return line.text(QStringLiteral("ImportoE"));
    case 7:
        return money(number("ImportoE") * number("Quantita"));
    default:
        return line.text(QStringLiteral("Iva_riga"));
    }
}

Band pageHeader(store::Table& doc, store::Table& settings) {
    Band band;
    band.height = headerHeight;
    band.add(picture({0, 0, 103, 30}, settings, QStringLiteral("Logo_fatt")));
    const double boxX = 110, boxW = width - boxX;
    band.add(frame({boxX, 0, boxW, 30}));
    band.add(text({boxX + 2, 1, 40, 4}, QStringLiteral("Spettabile")).size(8));
    band.add(field({boxX + 2, 5.5, boxW - 4, 5}, doc, QStringLiteral("r_ditta")).bold().size(10));
    band.add(field({boxX + 2, 11, boxW - 4, 4.5}, doc, QStringLiteral("Indirizzo")).size(9));
    band.add(field({boxX + 2, 15.5, 14, 4.5}, doc, QStringLiteral("Cap")).size(9));
    band.add(field({boxX + 16, 15.5, boxW - 30, 4.5}, doc, QStringLiteral("Comune")).size(9));
    band.add(field({boxX + boxW - 12, 15.5, 10, 4.5}, doc, QStringLiteral("Provincia")).size(9));
    band.add(text({boxX + 2, 21, 40, 4}, QStringLiteral("altra destinazione:")).size(7));
    band.add(field({boxX + 2, 25, boxW - 4, 4.5}, doc, QStringLiteral("Altra_dest")).size(8));

    band.add(hrule(0, 32, width).withPen(0.3));
    band.add(field({0, 34, 100, 6}, doc, QStringLiteral("descr_tipodoc")).bold().size(12));
    band.add(text({0, 41, 12, 5}, QStringLiteral("N°. :")).size(9));
    band.add(field({12, 41, 25, 5}, doc, QStringLiteral("Numero_doc")).bold().size(10));
    band.add(text({40, 41, 10, 5}, QStringLiteral("Del:")).size(9));
    band.add(field({50, 41, 30, 5}, doc, QStringLiteral("Data_doc")).bold().size(10));
    band.add(text({110, 34, 25, 5}, QStringLiteral("P. Iva/C.F.:")).size(9));
    band.add(field({135, 34, width - 135, 5}, doc, QStringLiteral("Piva")).bold().size(10));
    band.add(text({110, 41, 25, 5}, QStringLiteral("Pagamento:")).size(9));
    band.add(field({135, 41, width - 135, 5}, doc, QStringLiteral("Tipopagamento")).bold().size(9));

    const double top = 55;
    band.add(shade({0, top, width, 6}, QColor(225, 225, 225)));
    band.add(frame({0, top, width, 6}));
    for (size_t i = 0; i < columns.size(); ++i) {
        Element heading = text(cell(i, top + 1, 4), QString::fromUtf8(columns[i].heading))
                              .bold()
                              .size(linePoints);
        band.add(columns[i].amount ? heading.right() : heading);
        if (i > 0)
            band.add(vrule(columnX(i), top, 6));
    }
    return band;
}

Band lineRow() {
    Band band;
    band.height = rowHeight;
    for (size_t i = 0; i < columns.size(); ++i) {
        Element value = label(cell(i, 0.55, rowHeight - 0.6), [i](const PrintContext& context) {
                            return lineCell(i, context.record);
                        }).size(linePoints);
        band.add(columns[i].amount ? value.right() : value);
        band.add(vrule(columnX(i), 0, rowHeight).withPen(0.1));
    }
    band.add(vrule(width, 0, rowHeight).withPen(0.1));
    band.add(hrule(0, rowHeight, width).withPen(0.1).withColor(QColor(170, 170, 170)));
    return band;
}

Band pageFooter() {
    Band band;
    band.height = footerHeight;
    band.add(frame({0, 1, width, 6}));
    band.add(text({2, 2, 16, 4}, QStringLiteral("Pagina:")).size(8));
    band.add(label({18, 2, 20, 4}, [](const PrintContext& c) { return QString::number(c.page); })
                 .bold()
                 .size(8));
    band.add(label({width - 42, 2, 40, 4},
                   [](const PrintContext& c) {
                       return c.page < c.pageCount ? QStringLiteral("SEGUE ==>>") : QString();
                   })
                 .bold()
                 .size(8)
                 .right());
    return band;
}

/// Row n of the VAT breakdown: blank for a free slot (rate -1).
QString rateRow(store::Table& doc, int n, int part) {
    const QString i = QString::number(n);
    const QVariant rate = doc.field(QStringLiteral("Iva") + i + QLatin1Char('_')).value();
    if (!rate.isNull() && rate.toDouble() == -1)
        return {};
    switch (part) {
    case 0:
        return QStringLiteral("IVA");
    case 1:
        return rate.isNull() ? QString() : plainNumber(rate.toDouble());
    case 2:
        return QStringLiteral("%");
    case 3:
        return QStringLiteral("Imponibile: ");
    case 4:
        return money(doc.field(QStringLiteral("Imp") + i).asFloat());
    case 5:
        return QStringLiteral("Imposta");
    default:
        return money(doc.field(QStringLiteral("Iva") + i).asFloat());
    }
}

void transportRow(Band& band, double y, const std::vector<std::pair<QString, QString>>& cells,
                  store::Table& doc, double cellWidth, const QString& signature = {}) {
    double x = 0;
    for (const auto& [caption, name] : cells) {
        band.add(text({x + 1, y + 0.5, cellWidth - 2, 3.5}, caption).size(6.5));
        band.add(field({x + 1, y + 4, cellWidth - 2, 4}, doc, name).size(8));
        x += cellWidth;
    }
    if (!signature.isEmpty())
        band.add(text({x + 1, y + 0.5, width - x - 2, 3.5}, signature).size(6.5));
    band.add(hrule(0, y + 9, width).withPen(0.15));
}

Band summary(store::Table& doc) {
    Band band;
    band.height = summaryHeight;
    band.add(text({0, 2, 40, 4}, QStringLiteral("Scorporo iva:")).bold().size(8));
    constexpr std::array<std::pair<double, double>, 7> parts{
        {{0, 7}, {7, 8}, {15, 4}, {20, 18}, {38, 22}, {62, 13}, {75, 22}}};
    for (int n = 1; n <= 4; ++n)
        for (int p = 0; p < 7; ++p) {
            const auto [x, w] = parts[size_t(p)];
            Element e = label({x, 2 + 5.0 * n, w, 4}, [&doc, n, p](const PrintContext&) {
                            return rateRow(doc, n, p);
                        }).size(7.5);
            band.add(p == 1 || p == 4 || p == 6 ? e.right() : e);
        }

    const double totalsX = 120;
    auto total = [&](double y, const QString& caption, const char* name, double points, bool bold) {
        band.add(text({totalsX, y, 38, 5}, caption).size(8.5).aligned(Qt::AlignRight));
        Element value = label({totalsX + 39, y, width - totalsX - 39, 5},
                              [&doc, name](const PrintContext&) {
                                  return QStringLiteral("€ ") +
                                         money(doc.field(QString::fromLatin1(name)).asFloat());
                              })
                            .size(points)
                            .right();
        band.add(bold ? value.bold() : value);
    };
    band.add(frame({totalsX - 2, 5, width - totalsX + 2, 23}));
    total(7, QStringLiteral("Tot. imponibile"), "Importo_docE", 9, true);
    total(13, QStringLiteral("Tot. imposta:"), "Iva_docE", 9, false);
    total(20, QStringLiteral("Tot. Documento:"), "Totale_docE", 11, true);

    band.add(field({0, 31, width, 5}, doc, QStringLiteral("Stringa_finale")).size(8.5));

    const double y = 38;
    band.add(frame({0, y, width, 4 * 10.0}));
    transportRow(
        band, y,
        {{QStringLiteral("Trasporto a mezzo:"), QStringLiteral("Trasporto_amezzo")},
         {QStringLiteral("Aspetto esteriore dei beni:"), QStringLiteral("Aspetto_esteriore_beni")},
         {QStringLiteral("Causale del Trasporto:"), QStringLiteral("Causale_trasporto")}},
        doc, width / 3);
    transportRow(band, y + 10,
                 {{QStringLiteral("Data Trasporto:"), QStringLiteral("Data_trasporto")},
                  {QStringLiteral("Ora inizio Trasporto:"), QStringLiteral("Ora_trasporto")},
                  {QStringLiteral("N°. Colli:"), QStringLiteral("N_colli")},
                  {QStringLiteral("Peso:"), QStringLiteral("Peso")}},
                 doc, 30, QStringLiteral("Firma del Conducente:"));
    transportRow(
        band, y + 20,
        {{QStringLiteral("Variazioni o Annotazioni:"), QStringLiteral("Varie_annotazioni")}}, doc,
        120, QStringLiteral("Firma del Destinatario:"));
    transportRow(band, y + 30,
                 {{QStringLiteral("Vettore:"), QStringLiteral("Vettore")},
                  {QStringLiteral("Data Partenza:"), QStringLiteral("Data_partenza")},
                  {QStringLiteral("Ora Partenza:"), QStringLiteral("Ora_partenza")}},
                 doc, 40, QStringLiteral("Firma del Vettore:"));
    return band;
}

} // namespace

int expectedPages(int lines) {
    if (lines <= 25)
        return 1;
    return 1 + (lines - 25 + 45) / 46;
}

QString plainNumber(double value) {
    QLocale italian(QLocale::Italian, QLocale::Italy);
    italian.setNumberOptions(QLocale::OmitGroupSeparator);
    return italian.toString(value, 'f', QLocale::FloatingPointShortest);
}

Tprn_doc::Tprn_doc(Tdm& dm)
    : dm_(dm) {
}

Layout Tprn_doc::layout() const {
    Layout layout;
    layout.title = QStringLiteral("Documento");
    layout.page.margins = QMarginsF(10, 10, 5, 10);
    layout.source = &dm_.Tablinee_doc;
    layout.pageHeader.push_back(pageHeader(dm_.Tabdoc, dm_.Tabimpostazioni));
    layout.detail.push_back(lineRow());
    layout.summary.push_back(summary(dm_.Tabdoc));
    layout.pageFooter.push_back(pageFooter());
    layout.expectedPageCount = expectedPages;
    return layout;
}

} // namespace documents
