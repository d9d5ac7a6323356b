// Painting the page model: PDF text read back with poppler's tools, device scaling, preview.
//
// MISURATORI_REPORT_PDF_DIR=<folder> keeps a copy of the articles list PDF there, to look at
// it (e.g. `pdftoppm -png -r 60 articoli.pdf pagina`).
#include "report/engine.h"
#include "report/prn_articoli.h"
#include "report/render.h"
#include "report_support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace report;

namespace {

/// Output of a poppler tool on a file; nullopt when the tool is not installed.
std::optional<QString> poppler(const QString& tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(-1);
    return QString::fromUtf8(process.readAllStandardOutput());
}

std::optional<QString> pdfText(const QString& pdf) {
    return poppler(QStringLiteral("pdftotext"),
                   {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
}

std::optional<int> pdfPages(const QString& pdf) {
    const std::optional<QString> info = poppler(QStringLiteral("pdfinfo"), {pdf});
    if (!info)
        return std::nullopt;
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(*info);
    return m.hasMatch() ? std::optional<int>(m.captured(1).toInt()) : std::nullopt;
}

QDateTime fixedClock() {
    return QDateTime(QDate(2025, 3, 5), QTime(9, 7));
}

/// A one-page document with a shaded box and a rule, for looking at pixels.
Document shapes() {
    Layout layout;
    layout.title = QStringLiteral("Forme");
    Band band;
    band.height = 60;
    band.add(shade({10, 10, 40, 10}, QColor(0, 0, 255)));
    band.add(hrule(0, 40, 90).withPen(1));
    layout.titleBands.push_back(band);
    return run(layout);
}

} // namespace

TEST(ReportPdf, ArticlesListOfSixtyReadsBackEveryDescription) {
    reporttest::ArticlesData data;
    data.addSamples(60);
    const Document document = Tprn_articoli(data.articles(), fixedClock).document();
    ASSERT_GE(document.pages.size(), 2u);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("articoli.pdf"));
    ASSERT_TRUE(writePdf(document, pdf));
    const QString keep = qEnvironmentVariable("MISURATORI_REPORT_PDF_DIR");
    if (!keep.isEmpty()) {
        QFile::remove(QDir(keep).filePath(QStringLiteral("articoli.pdf")));
        QFile::copy(pdf, QDir(keep).filePath(QStringLiteral("articoli.pdf")));
    }

    const std::optional<QString> text = pdfText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext non installato";
    EXPECT_EQ(pdfPages(pdf), int(document.pages.size()));
    EXPECT_TRUE(text->contains(QStringLiteral("Elenco Articoli in data : 05/03/2025 09:07")));
    for (int i = 0; i < 60; ++i) {
        const QString description = reporttest::sampleArticle(i).descrizione;
        EXPECT_TRUE(text->contains(description)) << description.toStdString();
    }
}

TEST(ReportPdf, RichTextReadsBackWithoutLigatures) {
    Layout layout;
    Band band;
    band.height = 20;
    band.add(richTextFixed({0, 0, 150, 10},
                           QStringLiteral("<p>Ufficio <b>affidabile</b>, efficienza</p>"
                                          "<p><i>Perché</i> costa €&nbsp;1.234,50</p>")));
    band.add(text({0, 15, 150, 5}, QStringLiteral("fine affissione")));
    layout.titleBands.push_back(band);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("ricco.pdf"));
    ASSERT_TRUE(writePdf(run(layout), pdf));
    const std::optional<QString> text = pdfText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext non installato";
    for (const char* words :
         {"Ufficio affidabile, efficienza", "Perché costa € 1.234,50", "fine affissione"})
        EXPECT_TRUE(text->contains(QString::fromUtf8(words))) << words << "\n"
                                                              << text->toStdString();
}

// Regression: a paragraph cut by a page break was drawn again, hidden by the clip, on the
// next page, so its line before the cut came back twice from the PDF's text.
TEST(ReportPdf, RichTextAcrossPagesReadsBackEachLineOnce) {
    QString html;
    for (int i = 1; i <= 70; ++i)
        html += QStringLiteral("<p>Clausola %1: il cliente consente l'accesso al misuratore "
                               "per la verifica periodica, con preavviso di due giorni "
                               "lavorativi e alla presenza del titolare.</p>")
                    .arg(i, 3, 10, QLatin1Char('0'));
    Layout layout;
    Band band;
    band.height = 10;
    band.add(richTextFixed({0, 0, 90, 10}, html));
    layout.titleBands.push_back(band);
    const Document document = run(layout);
    ASSERT_GE(document.pages.size(), 2u);
    // The case in point: some page begins inside a paragraph.
    bool splitParagraph = false;
    for (size_t p = 1; p < document.pages.size(); ++p)
        splitParagraph = splitParagraph ||
                         !document.pages[p].texts().front().text.startsWith(QLatin1String("Cl"));
    ASSERT_TRUE(splitParagraph);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("clausole.pdf"));
    ASSERT_TRUE(writePdf(document, pdf));
    const std::optional<QString> text = pdfText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext non installato";
    for (int i = 1; i <= 70; ++i) {
        const QString number = QStringLiteral("Clausola %1:").arg(i, 3, 10, QLatin1Char('0'));
        EXPECT_EQ(text->count(number), 1) << number.toStdString();
    }
    EXPECT_EQ(text->count(QStringLiteral("preavviso")), 70);
    EXPECT_EQ(text->count(QStringLiteral("misuratore")), 70);
}

TEST(ReportPdf, UnwritableFileIsRefused) {
    EXPECT_FALSE(writePdf(shapes(), QStringLiteral("/nonexistent/folder/out.pdf")));
}

TEST(ReportPainting, MillimetresBecomeDeviceDotsAtAnyResolution) {
    const Document document = shapes();
    for (const int dpi : {60, 150}) {
        const double dots = dpi / 25.4;
        QImage image(int(210 * dots), int(297 * dots), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            paintPage(painter, document.pages.front(), dpi, dpi);
        }
        // Shade from (20, 20) to (60, 30) mm on paper (10 mm margins), rule at 50 mm down.
        const auto at = [&](double x, double y) {
            return image.pixelColor(int(x * dots), int(y * dots));
        };
        EXPECT_EQ(at(40, 25), QColor(0, 0, 255)) << dpi;
        EXPECT_EQ(at(40, 35), QColor(Qt::white)) << dpi;
        EXPECT_EQ(at(65, 25), QColor(Qt::white)) << dpi;
        EXPECT_LT(at(50, 50).lightness(), 100) << dpi;
        EXPECT_EQ(at(50, 53), QColor(Qt::white)) << dpi;
    }
}

TEST(ReportPreview, IsTitledWithTheReportAndPrintsEveryPage) {
    reporttest::ArticlesData data;
    data.addSamples(40);
    const Document document = Tprn_articoli(data.articles(), fixedClock).document();
    QPrintPreviewDialog dialog;
    preparePreview(dialog, document);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Elenco Articoli"));

    // What the dialog's print and "save as PDF" do: paint on the printer it is given.
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("anteprima.pdf")));
    emit dialog.paintRequested(&printer);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_TRUE(printer.fullPage());
    const std::optional<QString> text = pdfText(printer.outputFileName());
    if (!text)
        GTEST_SKIP() << "pdftotext non installato";
    EXPECT_EQ(pdfPages(printer.outputFileName()), 2);
    EXPECT_TRUE(text->contains(reporttest::sampleArticle(39).descrizione));
}

TEST(ReportPreview, ShowsModallyUntilClosed) {
    const Document document = shapes();
    QString shownTitle;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        shownTitle = modal->windowTitle();
        EXPECT_NE(qobject_cast<QPrintPreviewDialog*>(modal), nullptr);
        modal->close();
    });
    preview(document);
    EXPECT_EQ(shownTitle, QStringLiteral("Forme"));
}
