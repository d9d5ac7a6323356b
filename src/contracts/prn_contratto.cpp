#include "contracts/prn_contratto.h"

#include "store/dm.h"

namespace contracts {

using namespace report;

namespace {

constexpr double bandWidth = 190;
constexpr double stripeWidth = 182;
constexpr double rowHeight = 4.6;
constexpr double points = 9;
const QColor stripe(240, 240, 255);

/// A caption and, right after it, a field of another object's current record.
void captioned(Band& band, double x, double y, double captionWidth, double width,
               const QString& caption, store::Table& table, const QString& name) {
    band.add(text({x, y, captionWidth, rowHeight}, caption).bold().size(points));
    band.add(
        field({x + captionWidth, y, width - captionWidth, rowHeight}, table, name).size(points));
}

Band header(Tdm& data) {
    store::Table& customer = data.Tabesercizio;
    store::Table& contract = data.Tabcontratti;
    store::Table& line = data.Tablcontratti;
    Band band;
    band.height = 92;
    band.add(picture({0, 0, bandWidth, 42}, data.Tabimpostazioni, QStringLiteral("Logo_ca")));
    // The stripes come first, so that the rows are painted over them.
    const std::pair<double, double> stripes[] = {{44, 6.5}, {53.2, 16.2}, {73.1, 6.5}, {83.6, 6.5}};
    for (const auto& [top, height] : stripes)
        band.add(shade({0, top, stripeWidth, height}, stripe));

    band.add(text({2, 44.5, 40, 6}, QStringLiteral("CONTRATTO DI ")).bold().size(12));
    band.add(field({42, 44.5, 138, 6}, data.tab_tipicontratti, QStringLiteral("Nome_contratto"))
                 .bold()
                 .size(12));

    captioned(band, 2, 53.7, 20, 120, QStringLiteral("CLIENTE:"), customer,
              QStringLiteral("Ragione_sociale"));
    captioned(band, 124, 53.7, 13, 56, QStringLiteral("P.IVA:"), customer, QStringLiteral("Piva"));
    captioned(band, 2, 58.9, 24, 178, QStringLiteral("INDIRIZZO:"), customer,
              QStringLiteral("Indirizzo"));
    captioned(band, 2, 64.1, 11, 30, QStringLiteral("CAP:"), customer, QStringLiteral("Cap"));
    captioned(band, 34, 64.1, 20, 100, QStringLiteral("COMUNE:"), customer,
              QStringLiteral("Comune"));
    captioned(band, 140, 64.1, 14, 40, QStringLiteral("PROV.:"), customer,
              QStringLiteral("Provincia"));

    band.add(
        text({2, 73.6, 44, rowHeight}, QStringLiteral("VALIDITA CONTRATTO:")).bold().size(points));
    captioned(band, 48, 73.6, 9, 36, QStringLiteral("dal:"), contract, QStringLiteral("VAL_DAL"));
    captioned(band, 86, 73.6, 7, 34, QStringLiteral("al:"), contract, QStringLiteral("VAL_AL"));
    captioned(band, 124, 73.6, 18, 56, QStringLiteral("DURATA:"), contract,
              QStringLiteral("DURATA"));

    band.add(text({2, 84.1, 38, rowHeight}, QStringLiteral("Articolo in contratto:"))
                 .bold()
                 .size(points));
    captioned(band, 40, 84.1, 20, 41, QStringLiteral("Matricola:"), line,
              QStringLiteral("MATRICOLA"));
    // A long model name goes on over more lines rather than being cut.
    band.add(text({82, 84.1, 23, rowHeight}, QStringLiteral("Descrizione:")).bold().size(points));
    band.add(field({105, 84.1, 45, rowHeight}, line, QStringLiteral("DESCRIZIONE"))
                 .size(points)
                 .wrapped()
                 .growing());
    captioned(band, 151, 84.1, 17, 39, QStringLiteral("Importo:"), contract,
              QStringLiteral("IMPORTO"));
    return band;
}

/// A formatted text of the contract type across the page, growing with its content.
Band section(store::Table& types, const QString& name) {
    Band band;
    band.height = 8;
    band.add(richText({0, 2, bandWidth, 5}, types, name).size(points));
    return band;
}

/// What the contract includes on the left and excludes on the right, each in its frame.
Band services(store::Table& types) {
    constexpr double half = bandWidth / 2;
    Band band;
    band.height = 12;
    band.add(frame({0, 2, half - 1, 9}).stretching());
    band.add(frame({half + 1, 2, half - 1, 9}).stretching());
    band.add(richText({1.5, 3, half - 4, 7}, types, QStringLiteral("Prest_incluse")).size(points));
    band.add(richText({half + 2.5, 3, half - 4, 7}, types, QStringLiteral("Prest_escluse"))
                 .size(points));
    return band;
}

Band signatures() {
    Band band;
    band.height = 30;
    band.add(
        text({2, 14, 90, 6}, QStringLiteral("data: __________________________________-")).size(10));
    band.add(text({120, 14, 70, 6}, QStringLiteral("Timbro e Firma cliente")).size(10).centred());
    band.add(hrule(120, 27, 70).withPen(0.2));
    return band;
}

} // namespace

Layout Tprn_contratto::layout() const {
    Layout layout;
    layout.title = QStringLiteral("Contratto");
    store::Table& types = data_.tab_tipicontratti;
    layout.titleBands.push_back(header(data_));
    layout.titleBands.push_back(section(types, QStringLiteral("Descr_contratto")));
    layout.titleBands.push_back(services(types));
    layout.titleBands.push_back(section(types, QStringLiteral("Obblighi")));
    layout.titleBands.push_back(section(types, QStringLiteral("Clausole")));
    layout.titleBands.push_back(signatures());
    return layout;
}

// ---------------------------------------------------------------------------------------------

namespace {

// The list's columns from the band's left edge.
constexpr double nameX = 2.1;
constexpr double placeX = 59.3;
constexpr double termX = 105.8;
constexpr double kindX = 148.2;
constexpr double nameWidth = placeX - nameX - 1;
constexpr double placeWidth = termX - placeX - 1;
constexpr double termWidth = kindX - termX - 1;
constexpr double kindWidth = bandWidth - kindX;
constexpr double listRow = 4;
constexpr double listPoints = 8;

Element heading(double x, double y, double width, const QString& caption) {
    return text({x, y, width, listRow}, caption).bold().size(listPoints);
}

Element cell(double x, double y, double width, const QString& name) {
    return field({x, y, width, listRow}, name).size(listPoints);
}

} // namespace

Tprn_elencocontratti::Tprn_elencocontratti(Tdm& data)
    : data_(data)
    , lines_(data.Tabcontratti.databaseName(), QStringLiteral("LINEE_CONTRATTI")) {
}

Layout Tprn_elencocontratti::layout() {
    if (!lines_.active())
        lines_.open();
    Layout layout;
    layout.title = QStringLiteral("stampa Elenco contratti");
    layout.source = &data_.Tabcontratti;

    Band title;
    title.height = 24;
    title.add(text({nameX, 0, 120, 7}, QStringLiteral("Elenco contratti:")).bold().size(13));
    title.add(heading(nameX, 10, nameWidth, QStringLiteral("Ragione sociale")));
    title.add(heading(placeX, 10, placeWidth, QStringLiteral("indirizzo :")));
    title.add(heading(placeX, 14, placeWidth, QStringLiteral("Comune:")));
    title.add(heading(termX, 10, termWidth, QStringLiteral("durata")));
    title.add(heading(termX, 14, termWidth, QStringLiteral("scade il :")));
    title.add(heading(termX, 18, termWidth, QStringLiteral("Importo:")));
    title.add(heading(kindX, 10, kindWidth, QStringLiteral("tipo contratto:")));
    title.add(heading(kindX, 14, kindWidth, QStringLiteral("matricola")));
    title.add(heading(kindX, 18, kindWidth, QStringLiteral("tipo misuratore")));
    title.add(hrule(0, 23, bandWidth).withPen(0.3));
    layout.titleBands.push_back(std::move(title));

    // The contract's first line, in the order of the lines' identifiers.
    store::Table& lines = lines_;
    auto ofLine = [&lines](const QString& name) {
        return [&lines, name](const PrintContext& context) {
            return lines
                .lookup(QStringLiteral("ID_ELENCO"), context.record.value(QStringLiteral("ID")),
                        name)
                .toString();
        };
    };
    Band contract;
    contract.height = 13.5;
    contract.add(cell(nameX, 0.8, nameWidth, QStringLiteral("rag_sociale")).wrapped().growing());
    contract.add(label({placeX, 0.8, placeWidth, listRow}, ofLine(QStringLiteral("Indirizzo")))
                     .size(listPoints));
    contract.add(label({placeX, 4.8, placeWidth, listRow}, ofLine(QStringLiteral("Comune")))
                     .size(listPoints));
    contract.add(cell(termX, 0.8, termWidth, QStringLiteral("DURATA")));
    contract.add(cell(termX, 4.8, termWidth, QStringLiteral("VAL_AL")));
    contract.add(cell(termX, 8.8, termWidth, QStringLiteral("IMPORTO")));
    contract.add(cell(kindX, 0.8, kindWidth, QStringLiteral("tipo_contratto")));
    contract.add(label({kindX, 4.8, kindWidth, listRow}, ofLine(QStringLiteral("MATRICOLA")))
                     .size(listPoints));
    contract.add(label({kindX, 8.8, kindWidth, listRow}, ofLine(QStringLiteral("DESCRIZIONE")))
                     .size(listPoints));
    contract.add(hrule(0, 13.2, bandWidth).withPen(0.1).withColor(QColor(160, 160, 160)));
    layout.detail.push_back(std::move(contract));
    return layout;
}

} // namespace contracts
