// The articles list on the page model: pages, columns, title, filter, order.
#include "report/prn_articoli.h"
#include "report_support.h"

#include <gtest/gtest.h>

using namespace report;
using reporttest::ArticlesData;
using reporttest::sampleArticle;
using reporttest::textAt;

namespace {

// Page geometry of the list: 10 mm margins on A4, title band 25 mm, two-row detail band 9 mm,
// no page footer. The first page holds 28 articles under the title, the others 30.
constexpr double left = 10;
constexpr double firstDetailTop = 10 + 25;
constexpr double detailHeight = 9;
constexpr int firstPageArticles = 28;
constexpr int otherPageArticles = 30;

struct Slot {
    size_t page;
    double top;
};

Slot slotOf(int index) {
    if (index < firstPageArticles)
        return {0, firstDetailTop + index * detailHeight};
    const int rest = index - firstPageArticles;
    return {size_t(1 + rest / otherPageArticles), 10 + (rest % otherPageArticles) * detailHeight};
}

QDateTime fixedClock() {
    return QDateTime(QDate(2025, 3, 5), QTime(9, 7, 41));
}

Document listOf(store::Table& articles) {
    return Tprn_articoli(articles, fixedClock).document();
}

} // namespace

TEST(ReportArticlesList, PageCountFollowsTheNumberOfArticles) {
    const struct {
        int articles;
        size_t pages;
    } cases[] = {{0, 1}, {1, 1}, {28, 1}, {29, 2}, {30, 2}, {58, 2}, {59, 3}, {200, 7}};
    for (const auto& c : cases) {
        ArticlesData data;
        data.addSamples(c.articles);
        EXPECT_EQ(listOf(data.articles()).pages.size(), c.pages) << c.articles << " articoli";
    }
}

class ArticlesListColumns : public testing::TestWithParam<int> {};

TEST_P(ArticlesListColumns, EveryArticleShowsItsTwoRowsInTheColumnsOnItsPage) {
    const int count = GetParam();
    ArticlesData data;
    data.addSamples(count);
    const Document document = listOf(data.articles());
    ASSERT_EQ(document.pages.size(), size_t(slotOf(count - 1).page + 1));
    for (int i = 0; i < count; ++i) {
        const reporttest::Article a = sampleArticle(i);
        const Slot slot = slotOf(i);
        const Page& page = document.pages[slot.page];
        const double row1 = slot.top + 0.8;
        const double row2 = slot.top + 4.6;
        const auto expectAt = [&](double x, double y, const QString& expected) {
            const std::optional<QString> shown = textAt(page, left + x, y);
            if (expected.isEmpty())
                EXPECT_FALSE(shown) << "articolo " << a.id << " x " << x;
            else
                EXPECT_EQ(shown.value_or(QStringLiteral("<niente>")), expected)
                    << "articolo " << a.id << " x " << x << " y " << y;
        };
        expectAt(2.1, row1, QString::number(a.qta));
        expectAt(12.7, row1, a.model);
        expectAt(44.5, row1, a.descrizione);
        expectAt(116.4, row1, a.customer);
        expectAt(12.7, row2, a.matricola);
        expectAt(44.5, row2, a.barcode);
        expectAt(116.4, row2, a.assistenza ? QStringLiteral("SI") : QStringLiteral("NO"));
    }
}

INSTANTIATE_TEST_SUITE_P(ReportArticles, ArticlesListColumns, testing::Values(1, 30, 200));

TEST(ReportArticlesList, EmptyListPrintsTitleAndHeadingsAlone) {
    ArticlesData data;
    const Document document = listOf(data.articles());
    ASSERT_EQ(document.pages.size(), 1u);
    EXPECT_EQ(
        reporttest::words(document),
        QStringList({"Elenco Articoli in data : 05/03/2025 09:07", "ms", "Descrizioni",
                     "Ragione sociale cliente", "qta", "Matricola", "Barcode", "Sotto contratto"}));
}

TEST(ReportArticlesList, HeadingsSitInTheColumnsOfTheTitleBand) {
    ArticlesData data;
    const Page page = listOf(data.articles()).pages.front();
    EXPECT_EQ(textAt(page, 12.1, 10), "Elenco Articoli in data : 05/03/2025 09:07");
    EXPECT_EQ(textAt(page, 22.7, 24), "ms");
    EXPECT_EQ(textAt(page, 54.5, 24), "Descrizioni");
    EXPECT_EQ(textAt(page, 126.4, 24), "Ragione sociale cliente");
    EXPECT_EQ(textAt(page, 12.1, 28.5), "qta");
    EXPECT_EQ(textAt(page, 22.7, 28.5), "Matricola");
    EXPECT_EQ(textAt(page, 54.5, 28.5), "Barcode");
    EXPECT_EQ(textAt(page, 126.4, 28.5), "Sotto contratto");
}

TEST(ReportArticlesList, FilterTextShowsUnderTheTitleOnlyWhileTheFilterIsOn) {
    ArticlesData data;
    data.addSamples(12);
    store::Table& articles = data.articles();
    const QString filter = QStringLiteral("[giacenza_sn]='true' and [Id_ms]='2'");
    articles.setFilter(filter);

    const Document off = listOf(articles);
    EXPECT_FALSE(textAt(off.pages.front(), 12.1, 16.5));
    EXPECT_FALSE(reporttest::words(off).contains(filter));

    articles.setFiltered(true);
    const Document on = listOf(articles);
    EXPECT_EQ(textAt(on.pages.front(), 12.1, 16.5), filter);
    // Only what the filter lets through is listed: model 2 in the warehouse.
    QStringList listed;
    for (int i = 0; i < 12; ++i) {
        const reporttest::Article a = sampleArticle(i);
        if (reporttest::words(on).contains(a.descrizione))
            listed << a.descrizione;
    }
    QStringList expected;
    for (int i = 0; i < 12; ++i) {
        const reporttest::Article a = sampleArticle(i);
        if (a.model == QLatin1String("MODELLO 2") && a.customer.isEmpty())
            expected << a.descrizione;
    }
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(listed, expected);
}

TEST(ReportArticlesList, ListsInTheOrderOfTheTableObjectAtPrintTime) {
    ArticlesData data;
    data.addSamples(8);
    store::Table& articles = data.articles();
    articles.setIndexFieldNames(QStringLiteral("Descrizione"));
    const Page page = listOf(articles).pages.front();
    QStringList printed;
    for (int i = 0; i < 8; ++i)
        printed << textAt(page, left + 44.5, firstDetailTop + i * detailHeight + 0.8).value_or("");
    QStringList sorted = printed;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(printed, sorted);
    EXPECT_TRUE(printed.front().startsWith(QStringLiteral("Cassetto")));
}

TEST(ReportArticlesList, PrintingLeavesTheCursorOnTheSameArticle) {
    ArticlesData data;
    data.addSamples(40);
    store::Table& articles = data.articles();
    articles.setRecNo(17);
    int scrolls = 0;
    articles.on(store::Event::AfterScroll, [&](store::Table&) { ++scrolls; });
    listOf(articles);
    EXPECT_EQ(articles.recNo(), 17);
    EXPECT_EQ(scrolls, 0);
}

TEST(ReportArticlesList, BlankContractFlagPrintsNo) {
    ArticlesData data;
    reporttest::add(data.articles(), {{"Id", 1}, {"Descrizione", "CAVO"}, {"Qta", 2}});
    const Page page = listOf(data.articles()).pages.front();
    EXPECT_EQ(textAt(page, left + 116.4, firstDetailTop + 4.6), "NO");
    EXPECT_EQ(textAt(page, left + 2.1, firstDetailTop + 0.8), "2");
}
