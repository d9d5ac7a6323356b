// Pagination: which band lands on which page and where.
#include "report/engine.h"
#include "report_support.h"

#include <gtest/gtest.h>

using namespace report;
using reporttest::textAt;
using reporttest::words;

namespace {

/// A working year whose articles table holds `count` records "Riga 1" ... "Riga count".
class Rows {
public:
    explicit Rows(int count) {
        store::Transaction many(data_.articles().file());
        for (int i = 1; i <= count; ++i)
            reporttest::add(data_.articles(),
                            {{"Id", i}, {"Descrizione", QStringLiteral("Riga %1").arg(i)}});
        many.commit();
    }
    store::Table& table() { return data_.articles(); }

private:
    reporttest::ArticlesData data_;
};

Band textBand(double height, const QString& caption) {
    Band band;
    band.height = height;
    band.add(text({0, 0, 100, height}, caption));
    return band;
}

Band fieldBand(double height, const QString& name) {
    Band band;
    band.height = height;
    band.add(field({0, 0, 100, 5}, name));
    return band;
}

Band footerBand(Compute compute) {
    Band band;
    band.height = 10;
    band.add(label({0, 0, 100, 5}, std::move(compute)));
    return band;
}

/// Every text on the page whose top is at y.
QStringList row(const Page& page, double y) {
    QStringList out;
    for (const PlacedText& t : page.texts())
        if (std::abs(t.at.y() - y) < 0.05)
            out << t.text;
    return out;
}

QString paragraphs(int count) {
    QString html;
    for (int i = 1; i <= count; ++i)
        html += QStringLiteral("<p>Paragrafo %1: il registratore <b>telematico</b> "
                               "trasmette i corrispettivi giornalieri.</p>")
                    .arg(i, 3, 10, QLatin1Char('0'));
    return html;
}

} // namespace

// Page 297 mm, margins 10: header 10..20, footer 277..287. Twenty-mm details: 11 under the
// 20 mm title on page 1 (40..260), 12 on the next pages (20..260).
TEST(ReportPages, TitleOnceHeaderAndFooterEveryPageSummaryOnceAfterTheLastDetail) {
    Rows rows(30);
    Layout layout;
    layout.page.framed = true;
    layout.source = &rows.table();
    layout.pageHeader.push_back(textBand(10, QStringLiteral("Intestazione")));
    layout.pageFooter.push_back(textBand(10, QStringLiteral("Piede")));
    layout.titleBands.push_back(textBand(20, QStringLiteral("Titolo")));
    layout.detail.push_back(fieldBand(20, QStringLiteral("Descrizione")));
    layout.summary.push_back(textBand(15, QStringLiteral("Totale")));
    const Document document = run(layout);

    ASSERT_EQ(document.pages.size(), 3u);
    for (const Page& page : document.pages) {
        EXPECT_EQ(textAt(page, 10, 10), "Intestazione");
        EXPECT_EQ(textAt(page, 10, 277), "Piede");
        EXPECT_EQ(std::get<BoxItem>(page.items.front()).rect, QRectF(10, 10, 190, 277));
    }
    EXPECT_EQ(textAt(document.pages[0], 10, 20), "Titolo");
    EXPECT_EQ(words(document).count(QStringLiteral("Titolo")), 1);
    EXPECT_EQ(textAt(document.pages[0], 10, 40), "Riga 1");
    EXPECT_EQ(textAt(document.pages[0], 10, 240), "Riga 11");
    // Riga 12 would end at 280, across the footer: it opens page 2 under the header.
    EXPECT_EQ(textAt(document.pages[1], 10, 20), "Riga 12");
    EXPECT_EQ(textAt(document.pages[1], 10, 240), "Riga 23");
    EXPECT_EQ(textAt(document.pages[2], 10, 20), "Riga 24");
    EXPECT_EQ(textAt(document.pages[2], 10, 140), "Riga 30");
    EXPECT_EQ(textAt(document.pages[2], 10, 160), "Totale");
    EXPECT_EQ(words(document).count(QStringLiteral("Totale")), 1);
}

TEST(ReportPages, HeaderCanSkipTheFirstPage) {
    Rows rows(13);
    Layout layout;
    layout.source = &rows.table();
    layout.pageHeader.push_back(textBand(10, QStringLiteral("Intestazione")));
    layout.pageHeaderOnFirstPage = false;
    layout.titleBands.push_back(textBand(20, QStringLiteral("Titolo")));
    layout.detail.push_back(fieldBand(20, QStringLiteral("Descrizione")));
    const Document document = run(layout);
    ASSERT_EQ(document.pages.size(), 2u);
    EXPECT_EQ(textAt(document.pages[0], 10, 10), "Titolo");
    EXPECT_FALSE(words(document.pages[0]).contains(QStringLiteral("Intestazione")));
    EXPECT_EQ(textAt(document.pages[1], 10, 10), "Intestazione");
    EXPECT_EQ(textAt(document.pages[1], 10, 20), "Riga 13");
}

TEST(ReportPages, NoRecordsGiveTitleHeaderFooterAndSummaryOnOnePage) {
    Rows rows(0);
    Layout layout;
    layout.source = &rows.table();
    layout.pageHeader.push_back(textBand(10, QStringLiteral("Intestazione")));
    layout.titleBands.push_back(textBand(20, QStringLiteral("Titolo")));
    layout.detail.push_back(fieldBand(20, QStringLiteral("Descrizione")));
    layout.summary.push_back(textBand(15, QStringLiteral("Totale")));
    layout.pageFooter.push_back(textBand(10, QStringLiteral("Piede")));
    const Document document = run(layout);
    ASSERT_EQ(document.pages.size(), 1u);
    EXPECT_EQ(words(document), QStringList({"Intestazione", "Titolo", "Totale", "Piede"}));
    EXPECT_EQ(textAt(document.pages[0], 10, 40), "Totale");
}

TEST(ReportPages, BandWithFalseConditionTakesNoSpace) {
    Rows rows(4);
    Layout layout;
    layout.source = &rows.table();
    Band hidden = textBand(30, QStringLiteral("Mai"));
    hidden.printWhen = [](const PrintContext&) {
        return false;
    };
    layout.titleBands.push_back(hidden);
    Band odd;
    odd.height = 10;
    odd.add(label({0, 0, 50, 5}, [](const PrintContext& c) {
        return QStringLiteral("A %1").arg(c.recordNumber);
    }));
    odd.printWhen = [](const PrintContext& c) {
        return c.recordNumber % 2 == 1;
    };
    layout.detail.push_back(odd);
    layout.detail.push_back(fieldBand(5, QStringLiteral("Descrizione")));
    const Page page = run(layout).pages.front();

    EXPECT_EQ(words(page), QStringList({"A 1", "Riga 1", "Riga 2", "A 3", "Riga 3", "Riga 4"}));
    EXPECT_EQ(textAt(page, 10, 10), "A 1");
    EXPECT_EQ(textAt(page, 10, 20), "Riga 1");
    EXPECT_EQ(textAt(page, 10, 25), "Riga 2");
    EXPECT_EQ(textAt(page, 10, 30), "A 3");
    EXPECT_EQ(textAt(page, 10, 40), "Riga 3");
    EXPECT_EQ(textAt(page, 10, 45), "Riga 4");
}

// 60 rows of 10 mm between the top margin and a footer at 277 mm: 26 a page, so 3 pages.
TEST(ReportPages, FooterSaysSegueOnEveryPageButTheLast) {
    Rows rows(60);
    Layout layout;
    layout.source = &rows.table();
    layout.detail.push_back(fieldBand(10, QStringLiteral("Descrizione")));
    Band footer = footerBand([](const PrintContext& c) {
        return QStringLiteral("Pagina: %1 di %2").arg(c.page).arg(c.pageCount);
    });
    footer.add(label({150, 0, 40, 5}, [](const PrintContext& c) {
                   return c.page < c.pageCount ? QStringLiteral("SEGUE ==>>") : QString();
               }).right());
    layout.pageFooter.push_back(footer);

    const Document actual = run(layout);
    ASSERT_EQ(actual.pages.size(), 3u);
    EXPECT_EQ(row(actual.pages[0], 277), QStringList({"Pagina: 1 di 3", "SEGUE ==>>"}));
    EXPECT_EQ(row(actual.pages[1], 277), QStringList({"Pagina: 2 di 3", "SEGUE ==>>"}));
    EXPECT_EQ(row(actual.pages[2], 277), QStringList({"Pagina: 3 di 3"}));

    // The count labels see may come from the records instead: 25 on the first page, then 46.
    layout.expectedPageCount = [](int records) {
        return records <= 25 ? 1 : 1 + (records - 25 + 45) / 46;
    };
    const Document expected = run(layout);
    ASSERT_EQ(expected.pages.size(), 3u);
    EXPECT_EQ(row(expected.pages[0], 277), QStringList({"Pagina: 1 di 2", "SEGUE ==>>"}));
    EXPECT_EQ(row(expected.pages[1], 277), QStringList({"Pagina: 2 di 2"}));
    EXPECT_EQ(row(expected.pages[2], 277), QStringList({"Pagina: 3 di 2"}));
}

TEST(ReportPages, RichTextLongerThanAPageContinuesOnTheNextBetweenLines) {
    Rows rows(2);
    Layout layout;
    layout.source = &rows.table();
    layout.pageHeader.push_back(textBand(10, QStringLiteral("Intestazione")));
    layout.pageFooter.push_back(
        footerBand([](const PrintContext& c) { return QStringLiteral("Pagina %1").arg(c.page); }));
    Band clauses;
    clauses.height = 12;
    clauses.add(text({0, 0, 190, 6}, QStringLiteral("Clausole")).bold());
    clauses.add(richTextFixed({0, 6, 190, 6}, paragraphs(120)));
    layout.titleBands.push_back(clauses);
    layout.detail.push_back(fieldBand(10, QStringLiteral("Descrizione")));
    const Document document = run(layout);

    ASSERT_GE(document.pages.size(), 3u);
    QStringList shown;
    double lastTo = 0;
    for (size_t p = 0; p < document.pages.size(); ++p) {
        for (const Item& item : document.pages[p].items) {
            const auto* rich = std::get_if<RichTextItem>(&item);
            if (!rich)
                continue;
            EXPECT_NEAR(rich->from, lastTo, 1e-6) << "pagina " << p + 1; // no gap, no overlap
            lastTo = rich->to;
            EXPECT_GE(rich->rect.top(), p == 0 ? 26.0 : 20.0);
            EXPECT_LE(rich->rect.bottom(), 277.0);
            ASSERT_FALSE(rich->lines.empty());
            if (p > 0) {
                EXPECT_NEAR(rich->lines.front().top, 20.0, 1e-6);
            }
            for (const RichLine& line : rich->lines) {
                EXPECT_GE(line.top, rich->rect.top() - 1e-6);
                EXPECT_LE(line.bottom, rich->rect.bottom() + 1e-6);
                shown << line.text;
            }
        }
    }
    QStringList expected;
    for (int i = 1; i <= 120; ++i)
        expected << QStringLiteral("Paragrafo %1: il registratore telematico trasmette i "
                                   "corrispettivi giornalieri.")
                        .arg(i, 3, 10, QLatin1Char('0'));
    EXPECT_EQ(shown.join(QLatin1Char(' ')), expected.join(QLatin1Char(' ')));
    // The details follow the end of the text, on its last page.
    const Page& last = document.pages.back();
    EXPECT_EQ(
        words(last).mid(words(last).size() - 3),
        QStringList({"Riga 1", "Riga 2", QStringLiteral("Pagina %1").arg(document.pages.size())}));
    EXPECT_EQ(textAt(document.pages[0], 10, 20), "Clausole");
}

TEST(ReportPages, ShortRichTextThatDoesNotFitStartsOnTheNextPageWithItsCaption) {
    Rows rows(26);
    Layout layout;
    layout.source = &rows.table();
    layout.detail.push_back(fieldBand(10, QStringLiteral("Descrizione")));
    Band note;
    note.height = 20; // caption and the first lines stay together
    note.add(text({0, 0, 190, 6}, QStringLiteral("Note")));
    note.add(richTextFixed({0, 6, 190, 14}, paragraphs(3)));
    layout.summary.push_back(note);
    const Document document = run(layout);
    // 26 rows fill 10..270; 17 mm are left, less than the band's designed 20.
    ASSERT_EQ(document.pages.size(), 2u);
    EXPECT_EQ(textAt(document.pages[1], 10, 10), "Note");
    EXPECT_FALSE(words(document.pages[0]).contains(QStringLiteral("Note")));
}
