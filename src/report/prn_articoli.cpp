#include "report/prn_articoli.h"

#include "store/table.h"

#include <utility>

namespace report {

namespace {

// Columns from the band's left edge; each ends a little before the next begins.
constexpr double qtaX = 2.1;
constexpr double modelX = 12.7;
constexpr double descriptionX = 44.5;
constexpr double customerX = 116.4;
constexpr double bandWidth = 190;

constexpr double qtaWidth = modelX - qtaX - 0.6;
constexpr double modelWidth = descriptionX - modelX - 0.6;
constexpr double descriptionWidth = customerX - descriptionX - 0.6;
constexpr double customerWidth = bandWidth - customerX;

constexpr double rowHeight = 3.8;
constexpr double headingPoints = 8;
constexpr double detailPoints = 8;

Element heading(double x, double y, double width, const QString& caption) {
    return text({x, y, width, rowHeight}, caption).bold().size(headingPoints);
}

Element detailField(double x, double y, double width, const QString& name) {
    return field({x, y, width, rowHeight}, name).size(detailPoints);
}

} // namespace

Tprn_articoli::Tprn_articoli(store::Table& Tabarticoli, Clock clock)
    : Tabarticoli_(Tabarticoli)
    , clock_(std::move(clock)) {
}

Layout Tprn_articoli::layout() const {
    Layout layout;
    layout.title = QStringLiteral("Elenco Articoli");
    layout.page.margins = QMarginsF(10, 10, 10, 10);
    layout.source = &Tabarticoli_;

    const QString printedAt = clock_().toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    store::Table& articles = Tabarticoli_;
    Band title;
    title.height = 25;
    title.add(text({qtaX, 0, bandWidth - qtaX, 6},
                   QStringLiteral("Elenco Articoli in data : ") + printedAt)
                  .bold()
                  .size(12));
    title.add(label({qtaX, 6.5, bandWidth - qtaX, 7},
                    [&articles](const PrintContext&) {
                        return articles.filtered() ? articles.filter() : QString();
                    })
                  .wrapped()
                  .size(detailPoints));
    title.add(heading(modelX, 14, modelWidth, QStringLiteral("ms")));
    title.add(heading(descriptionX, 14, descriptionWidth, QStringLiteral("Descrizioni")));
    title.add(heading(customerX, 14, customerWidth, QStringLiteral("Ragione sociale cliente")));
    title.add(heading(qtaX, 18.5, qtaWidth, QStringLiteral("qta")));
    title.add(heading(modelX, 18.5, modelWidth, QStringLiteral("Matricola")));
    title.add(heading(descriptionX, 18.5, descriptionWidth, QStringLiteral("Barcode")));
    title.add(heading(customerX, 18.5, customerWidth, QStringLiteral("Sotto contratto")));
    title.add(hrule(0, 23.5, bandWidth).withPen(0.3));
    layout.titleBands.push_back(std::move(title));

    Band article;
    article.height = 9;
    article.add(detailField(qtaX, 0.8, qtaWidth, QStringLiteral("Qta")));
    article.add(detailField(modelX, 0.8, modelWidth, QStringLiteral("ms")));
    article.add(detailField(descriptionX, 0.8, descriptionWidth, QStringLiteral("Descrizione")));
    article.add(detailField(customerX, 0.8, customerWidth, QStringLiteral("ragione_sociale")));
    article.add(detailField(modelX, 4.6, modelWidth, QStringLiteral("Matricola")));
    article.add(detailField(descriptionX, 4.6, descriptionWidth, QStringLiteral("Barcode")));
    article.add(label({customerX, 4.6, customerWidth, rowHeight}, [](const PrintContext& context) {
                    return context.record.value(QStringLiteral("Assistenza_sn")).toBool()
                               ? QStringLiteral("SI")
                               : QStringLiteral("NO");
                }).size(detailPoints));
    // A hairline between articles keeps the two rows of each together for the eye.
    article.add(hrule(0, 8.7, bandWidth).withPen(0.1).withColor(QColor(160, 160, 160)));
    layout.detail.push_back(std::move(article));
    return layout;
}

} // namespace report
