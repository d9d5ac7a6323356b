#include "documents/prn_elenco_mov_dafatt.h"

#include "documents/from_movements.h"
#include "store/dm.h"
#include "store/references.h"

namespace documents {

using namespace report;

namespace {

constexpr double width = 190;
constexpr double points = 8;

QString looked(store::Table& source, const QString& key, const QVariant& value,
               const QString& result) {
    const auto found = store::rules::lookupRecord(source, key, value, {result});
    return found ? found->front().toString() : QString();
}

Element small(const QRectF& mm, const QString& fieldName) {
    return field(mm, fieldName).size(points);
}

} // namespace

Tprn_elenco_mov_dafatt::Tprn_elenco_mov_dafatt(Tdm& dm)
    : dm_(dm)
    , movements_(dm.Tabmov.databaseName(), QStringLiteral("MOV"))
    , articles_(dm.Tabmov.databaseName(), QStringLiteral("Mov_articoli")) {
    articles_.setIndexName(QStringLiteral("mov_index"));
    articles_.setMasterSource(&movements_, QStringLiteral("Id"), QStringLiteral("Id_mov"));
    movements_.open();
    movements_.setFilter(toInvoiceFilter());
    movements_.setFiltered(true);
    articles_.open();
    const QString money = QStringLiteral("#,###,##0.00");
    movements_.field(QStringLiteral("Imp_fatt")).setDisplayFormat(money);
    articles_.field(QStringLiteral("Prezzo_vend")).setDisplayFormat(money);
}

Layout Tprn_elenco_mov_dafatt::layout() {
    Layout layout;
    layout.title = QStringLiteral("Elenco movimenti da fatturare");
    layout.page.framed = false;
    layout.source = &movements_;
    layout.subSource = &articles_;

    Band title;
    title.height = 16;
    title.framed = true;
    title.add(
        text({2, 1, 150, 7}, QStringLiteral("Elenco movimenti da fatturare:")).bold().size(13));
    title.add(text({10, 10, 50, 4}, QStringLiteral("Dati esercizio:")).size(7));
    title.add(text({70, 10, 50, 4}, QStringLiteral("Dati misuratore:")).size(7));
    title.add(text({120, 10, 50, 4}, QStringLiteral("Cosa fatturare:")).size(7));
    layout.titleBands.push_back(std::move(title));

    Tdm& dm = dm_;
    Band movement;
    movement.height = 30;
    movement.framed = true;
    movement.add(
        label({1, 1, 8, 4}, [](const PrintContext& c) { return QString::number(c.recordNumber); })
            .bold()
            .size(9));
    movement.add(label({10, 1, 105, 4},
                       [&dm](const PrintContext& c) {
                           return looked(dm.Tabesercizio, QStringLiteral("Id_esercizio"),
                                         c.record.value(QStringLiteral("ID_ESERCIZIO")),
                                         QStringLiteral("Ragione_sociale"));
                       })
                     .bold()
                     .size(points));
    movement.add(small({10, 5, 14, 4}, QStringLiteral("CAP")));
    movement.add(small({25, 5, 8, 4}, QStringLiteral("PROVINCIA")));
    movement.add(small({34, 5, 81, 4}, QStringLiteral("COMUNE")));
    movement.add(small({10, 9, 105, 4}, QStringLiteral("INDIRIZZO")));
    for (int i = 1; i <= 4; ++i)
        movement.add(small({120, 1 + 4.0 * (i - 1), i == 4 ? 40.0 : 70.0, 4},
                           QStringLiteral("Da_fatt") + QString::number(i)));
    movement.add(small({161, 13, 17, 4}, QStringLiteral("Imp_fatt")).right());
    movement.add(small({180, 13, 10, 4}, QStringLiteral("Iva_fatt")).right());
    // The machine only when it is to be carried into the document.
    auto machine = [&dm](const PrintContext& c, int part) -> QString {
        const Row& r = c.record;
        if (!r.value(QStringLiteral("Rip_art_fatt")).toBool())
            return {};
        if (part == 0)
            return looked(dm.Tabtipomov, QStringLiteral("Id"),
                          r.value(QStringLiteral("Id_tipomov")), QStringLiteral("Descrizione"));
        if (part == 1)
            return looked(dm.Tabms, QStringLiteral("Id_ms"), r.value(QStringLiteral("ID_MS")),
                          QStringLiteral("Denominazione_ms"));
        return r.text(QStringLiteral("MATRICOLA_MS"));
    };
    for (int part = 0; part < 3; ++part)
        movement.add(
            label({60, 13 + 4.0 * part - 4, 58, 4}, [machine, part](const PrintContext& c) {
                return machine(c, part);
            }).size(points));
    movement.add(hrule(0, 24, width).withPen(0.15));
    const std::pair<double, const char*> headings[] = {{10, "Descrizione:"},
                                                       {100, "matricola:"},
                                                       {140, "qta:"},
                                                       {155, "prezzo vendita:"},
                                                       {180, "iva:"}};
    for (const auto& [x, caption] : headings)
        movement.add(text({x, 25, 30, 4}, QString::fromLatin1(caption)).size(7).bold());
    layout.detail.push_back(std::move(movement));

    Band article;
    article.height = 4.5;
    article.add(small({10, 0.3, 88, 4}, QStringLiteral("Descrizione")));
    article.add(small({100, 0.3, 38, 4}, QStringLiteral("Matricola")));
    article.add(small({140, 0.3, 12, 4}, QStringLiteral("Qta")).right());
    article.add(small({155, 0.3, 22, 4}, QStringLiteral("Prezzo_vend")).right());
    article.add(small({180, 0.3, 10, 4}, QStringLiteral("Iva")).right());
    layout.subDetail.push_back(std::move(article));
    return layout;
}

} // namespace documents
