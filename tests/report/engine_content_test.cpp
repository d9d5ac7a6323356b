// What bands show: field formats, growing and fitted texts, frames, pictures, sub-details and
// fields of other table objects.
#include "report/engine.h"
#include "report/textmetrics.h"
#include "report_support.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace report;
using reporttest::add;
using reporttest::textAt;
using reporttest::words;

namespace {

template <typename T> std::vector<T> itemsOf(const Page& page) {
    std::vector<T> out;
    for (const Item& item : page.items)
        if (const auto* found = std::get_if<T>(&item))
            out.push_back(*found);
    return out;
}

QByteArray png(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

Layout detailOver(store::Table& table, Band band) {
    Layout layout;
    layout.source = &table;
    layout.detail.push_back(std::move(band));
    return layout;
}

} // namespace

TEST(ReportContent, FieldsShowTheirDisplayFormInItalian) {
    reporttest::ArticlesData data;
    store::Table& articles = data.articles();
    articles.field(QStringLiteral("Prezzo_vend")).setDisplayFormat(QStringLiteral("#,###,##0.00"));
    add(articles, {{"Id", 1},
                   {"Prezzo_vend", 1234.5},
                   {"Prezzo_acq", 2.5},
                   {"Scad_ass", QDate(2025, 3, 5)},
                   {"Qta", 3}});
    add(articles, {{"Id", 2}, {"Prezzo_vend", 1234567.891}, {"Prezzo_acq", 1e6}});
    Band band;
    band.height = 10;
    band.add(field({0, 0, 40, 5}, QStringLiteral("Prezzo_vend")).right());
    band.add(field({50, 0, 40, 5}, QStringLiteral("Prezzo_acq")));
    band.add(field({100, 0, 40, 5}, QStringLiteral("Scad_ass")));
    band.add(field({150, 0, 20, 5}, QStringLiteral("Qta")));
    const Page page = run(detailOver(articles, band)).pages.front();

    EXPECT_EQ(words(page),
              QStringList({"1.234,50", "2,5", "05/03/2025", "3", "1.234.567,89", "1000000"}));
    articles.first();
    EXPECT_EQ(words(page).front(), articles.field(QStringLiteral("Prezzo_vend")).displayText());
    // Right-aligned amounts keep their line box; the renderer aligns inside it.
    const TextItem amount = itemsOf<TextItem>(page).front();
    EXPECT_EQ(amount.rect.left(), 10);
    EXPECT_EQ(amount.rect.width(), 40);
    EXPECT_EQ(amount.align, Qt::AlignRight);
}

TEST(ReportContent, WrappedTextGrowsItsBandAndStretchedFrameFollows) {
    reporttest::ArticlesData data;
    store::Table& articles = data.articles();
    const QString words12 = QStringLiteral("uno due tre quattro cinque sei sette otto nove dieci "
                                           "undici dodici");
    add(articles, {{"Id", 1}, {"Descrizione", words12}});
    add(articles, {{"Id", 2}, {"Descrizione", QStringLiteral("breve")}});
    const Font font;
    const double lh = lineHeight(font);
    Band band;
    band.height = 6;
    band.add(frame({0, 0, 30, 6}).stretching());
    band.add(field({1, 1, 28, lh}, QStringLiteral("Descrizione")).growing());
    const Page page = run(detailOver(articles, band)).pages.front();

    const std::vector<BoxItem> frames = itemsOf<BoxItem>(page);
    ASSERT_EQ(frames.size(), 2u);
    const std::vector<TextItem> lines = itemsOf<TextItem>(page);
    ASSERT_GT(lines.size(), 3u);
    const qsizetype first = lines.size() - 1; // the second record is one line
    QStringList joined;
    for (qsizetype i = 0; i < first; ++i) {
        EXPECT_NEAR(lines[size_t(i)].rect.top(), 11 + double(i) * lh, 1e-9);
        EXPECT_LE(textWidth(font, lines[size_t(i)].text), 28 + 1e-9);
        joined << lines[size_t(i)].text;
    }
    EXPECT_EQ(joined.join(QLatin1Char(' ')), words12);
    const double grown = 6 + double(first) * lh - lh;
    EXPECT_NEAR(frames[0].rect.height(), grown, 1e-9);
    EXPECT_NEAR(frames[1].rect.top(), 10 + grown, 1e-9);
    EXPECT_NEAR(frames[1].rect.height(), 6, 1e-9);
    EXPECT_EQ(lines.back().text, "breve");
}

TEST(ReportContent, FixedBoxesKeepWhatFitsTheirWidthAndLines) {
    reporttest::ArticlesData data;
    store::Table& articles = data.articles();
    const QString longText = QStringLiteral("Misuratore fiscale telematico con stampante termica "
                                            "integrata e giornale elettronico");
    add(articles, {{"Id", 1}, {"Descrizione", longText}});
    const Font font;
    Band band;
    band.height = 20;
    band.add(field({0, 0, 30, 5}, QStringLiteral("Descrizione")));
    band.add(field({50, 0, 30, 2 * lineHeight(font)}, QStringLiteral("Descrizione")).wrapped());
    band.add(label({100, 0, 30, 3 * lineHeight(font)}, [&](const PrintContext&) {
                 return longText + QLatin1Char(' ') + longText;
             }).wrapped());
    const std::vector<TextItem> lines = itemsOf<TextItem>(run(detailOver(articles, band)).pages[0]);

    // One cut line, the two lines a two-line box holds, the three of a three-line label.
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_TRUE(longText.startsWith(lines[0].text));
    EXPECT_LT(lines[0].text.size(), longText.size());
    EXPECT_LE(textWidth(font, lines[0].text), 30);
    EXPECT_GT(textWidth(font, longText.left(lines[0].text.size() + 1)), 30);
    EXPECT_TRUE(longText.startsWith(lines[1].text + QLatin1Char(' ') + lines[2].text));
    EXPECT_EQ(lines[3].text, lines[1].text);
    EXPECT_NEAR(lines[5].rect.top(), 10 + 2 * lineHeight(font), 1e-9);
}

TEST(ReportContent, StoredHtmlGrowsItsBandAndSideBySideFramesMatch) {
    testsupport::YearFolder year;
    store::Table types(year.path(), QStringLiteral("tipi_contratti"));
    types.open();
    types.first();
    types.edit();
    types.field(QStringLiteral("Descr_contratto"))
        .setValue(QStringLiteral("<p>Oggetto del <b>contratto</b></p><ul><li>verifica</li>"
                                 "<li>assistenza</li></ul>")
                      .toUtf8());
    types.field(QStringLiteral("Prest_incluse")).setValue(QByteArray("<p>Uscita</p>"));
    types.field(QStringLiteral("Prest_escluse"))
        .setValue(QByteArray("<p>Carta</p><p>Batterie</p><p>Trasporto</p>"));
    types.post();

    Layout layout;
    layout.source = &types;
    Band description;
    description.height = 4;
    description.add(richText({0, 0, 190, 4}, QStringLiteral("Descr_contratto")));
    layout.detail.push_back(description);
    Band services;
    services.height = 4;
    services.add(frame({0, 0, 94, 4}).stretching());
    services.add(richText({1, 0, 92, 4}, QStringLiteral("Prest_incluse")));
    services.add(frame({96, 0, 94, 4}).stretching());
    services.add(richText({97, 0, 92, 4}, types, QStringLiteral("Prest_escluse")));
    layout.detail.push_back(services);
    const Page page = run(layout).pages.front();

    EXPECT_EQ(words(page), QStringList({"Oggetto del contratto", "verifica", "assistenza", "Uscita",
                                        "Carta", "Batterie", "Trasporto"}));
    const std::vector<RichTextItem> texts = itemsOf<RichTextItem>(page);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_GT(texts[0].rect.height(), 3 * lineHeight(Font{}));
    EXPECT_NEAR(texts[1].rect.top(), texts[0].rect.bottom(), 1e-9);
    const std::vector<BoxItem> frames = itemsOf<BoxItem>(page);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_NEAR(frames[0].rect.height(), texts[2].rect.height(), 1e-9);
    EXPECT_NEAR(frames[1].rect.height(), texts[2].rect.height(), 1e-9);
}

TEST(ReportContent, FramedBandsAndRulesFollowTheMargins) {
    reporttest::ArticlesData data;
    data.addSamples(12);
    Layout layout;
    layout.source = &data.articles();
    layout.page.margins = QMarginsF(10, 10, 5, 10);
    Band row;
    row.height = 25;
    row.framed = true;
    row.add(vrule(40, 0, 25));
    row.add(field({1, 1, 38, 5}, QStringLiteral("Barcode")));
    layout.detail.push_back(row);
    const Document document = run(layout);

    // 11 framed rows of 25 mm fit between 10 and 287; the 12th goes whole to page 2.
    ASSERT_EQ(document.pages.size(), 2u);
    const std::vector<BoxItem> first = itemsOf<BoxItem>(document.pages[0]);
    ASSERT_EQ(first.size(), 11u);
    for (size_t i = 0; i < first.size(); ++i)
        EXPECT_EQ(first[i].rect, QRectF(10, 10 + 25 * double(i), 195, 25)) << i;
    EXPECT_EQ(itemsOf<BoxItem>(document.pages[1]).front().rect, QRectF(10, 10, 195, 25));
    EXPECT_EQ(itemsOf<LineItem>(document.pages[1]).front().line, QLineF(50, 10, 50, 35));
    EXPECT_EQ(textAt(document.pages[1], 11, 11), reporttest::sampleArticle(11).barcode);
}

TEST(ReportContent, PicturesFromGraphicFieldsAndFilesKeepTheirProportions) {
    testsupport::YearFolder year;
    store::Table settings(year.path(), QStringLiteral("impostazioni"));
    settings.open();
    settings.first();
    settings.edit();
    settings.field(QStringLiteral("Logo_ca")).setValue(png(200, 100));
    settings.post();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("logo.png"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(png(50, 50));
    out.close();

    Layout layout;
    Band band;
    band.height = 150;
    band.add(picture({0, 0, 190, 120}, settings, QStringLiteral("Logo_ca")));
    band.add(pictureFile({0, 100, 60, 40}, file));
    band.add(picture({0, 145, 10, 5}, settings, QStringLiteral("Logo_fatt"))); // blank
    band.add(shade({0, 0, 182, 8}, QColor(240, 240, 255)));
    layout.titleBands.push_back(band);
    const Page page = run(layout).pages.front();

    const std::vector<ImageItem> images = itemsOf<ImageItem>(page);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].rect, QRectF(10, 10, 190, 95));
    EXPECT_EQ(images[0].image.size(), QSize(200, 100));
    EXPECT_EQ(images[1].rect, QRectF(10, 110, 40, 40));
    const std::vector<BoxItem> shades = itemsOf<BoxItem>(page);
    ASSERT_EQ(shades.size(), 1u);
    EXPECT_EQ(shades[0].fill, QColor(240, 240, 255));
    EXPECT_EQ(shades[0].pen, 0);
}

/// Movements and their article lines, the lines a detail object following the movements.
class MovementsData {
public:
    MovementsData()
        : movements_(year_.path(), QStringLiteral("MOV"))
        , lines_(year_.path(), QStringLiteral("Mov_articoli")) {
        movements_.open();
        lines_.open();
        for (int id = 1; id <= 3; ++id)
            add(movements_, {{"Id", id}, {"Segnalazione", QStringLiteral("Guasto %1").arg(id)}});
        add(lines_, {{"Id", 1}, {"Id_mov", 1}, {"Descrizione", "Rotolo"}});
        add(lines_, {{"Id", 2}, {"Id_mov", 3}, {"Descrizione", "Batteria"}});
        add(lines_, {{"Id", 3}, {"Id_mov", 1}, {"Descrizione", "Cavo"}});
        lines_.setMasterSource(&movements_, QStringLiteral("Id"), QStringLiteral("Id_mov"));
    }
    store::Table& movements() { return movements_; }
    store::Table& lines() { return lines_; }

private:
    testsupport::YearFolder year_;
    store::Table movements_;
    store::Table lines_;
};

TEST(ReportContent, SubDetailFollowsEachDetailRecordAndTheCursorComesBack) {
    MovementsData data;
    data.movements().setRecNo(2);
    Layout layout;
    layout.source = &data.movements();
    layout.subSource = &data.lines();
    Band movement;
    movement.height = 6;
    movement.add(field({0, 0, 50, 5}, QStringLiteral("Segnalazione")));
    layout.detail.push_back(movement);
    Band line;
    line.height = 5;
    line.add(field({10, 0, 40, 5}, QStringLiteral("Descrizione")));
    line.add(label({60, 0, 60, 5}, [](const PrintContext& c) {
        return QStringLiteral("%1 di %2")
            .arg(c.recordNumber)
            .arg(c.master.text(QStringLiteral("Segnalazione")));
    }));
    layout.subDetail.push_back(line);
    const Document document = run(layout);

    EXPECT_EQ(words(document),
              QStringList({"Guasto 1", "Rotolo", "1 di Guasto 1", "Cavo", "1 di Guasto 1",
                           "Guasto 2", "Guasto 3", "Batteria", "3 di Guasto 3"}));
    EXPECT_EQ(textAt(document.pages[0], 20, 16), "Rotolo");
    EXPECT_EQ(textAt(document.pages[0], 10, 26), "Guasto 2");
    EXPECT_EQ(data.movements().recNo(), 2);
    EXPECT_EQ(data.lines().recordCount(), 0); // following movement 2 again
}

TEST(ReportContent, HeaderShowsTheCurrentRecordOfAnotherObjectOverItsLines) {
    MovementsData data;
    data.movements().setRecNo(1);
    Layout layout;
    layout.source = &data.lines();
    Band header;
    header.height = 8;
    header.add(field({0, 0, 60, 5}, data.movements(), QStringLiteral("Segnalazione")));
    layout.pageHeader.push_back(header);
    Band line;
    line.height = 5;
    line.add(field({0, 0, 60, 5}, QStringLiteral("Descrizione")));
    layout.detail.push_back(line);
    Band footer;
    footer.height = 5;
    footer.add(field({0, 0, 60, 5}, data.movements(), QStringLiteral("Id")));
    layout.pageFooter.push_back(footer);

    EXPECT_EQ(words(run(layout)), QStringList({"Guasto 1", "Rotolo", "Cavo", "1"}));
    data.movements().setRecNo(2);
    EXPECT_EQ(words(run(layout)), QStringList({"Guasto 2", "2"}));
}
