#include "report/textmetrics.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <cmath>

namespace report {

namespace {

/// A device that reports layoutDpi; fonts sized in pixels measure the same on it as anywhere.
QImage makeReferenceImage() {
    QImage image(8, 8, QImage::Format_ARGB32);
    const int dotsPerMeter = int(std::lround(layoutDpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

QFontMetricsF metrics(const Font& font) {
    return QFontMetricsF(qfont(font), referenceDevice());
}

} // namespace

QFont qfont(const Font& font) {
    QFont f(font.family);
    f.setPixelSize(int(std::lround(font.points * layoutDpi / 72.0)));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setStyleStrategy(QFont::PreferNoShaping);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QPaintDevice* referenceDevice() {
    static QImage image = makeReferenceImage();
    return &image;
}

double lineHeight(const Font& font) {
    return metrics(font).lineSpacing() / unitsPerMm;
}

double textWidth(const Font& font, const QString& text) {
    return metrics(font).horizontalAdvance(text) / unitsPerMm;
}

QString fitWidth(const Font& font, const QString& text, double widthMm) {
    const QFontMetricsF fm = metrics(font);
    const double limit = widthMm * unitsPerMm;
    if (fm.horizontalAdvance(text) <= limit)
        return text;
    // Longest prefix that fits: advances grow with the length, so bisect.
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (fm.horizontalAdvance(text.left(mid)) <= limit)
            low = mid;
        else
            high = mid - 1;
    }
    return text.left(low);
}

QStringList breakLines(const Font& font, const QString& text, double widthMm) {
    QStringList lines;
    const QFont f = qfont(font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QString normalised = text;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    for (const QString& paragraph : normalised.split(QLatin1Char('\n'))) {
        if (paragraph.isEmpty()) {
            lines << QString();
            continue;
        }
        QTextLayout layout(paragraph, f, referenceDevice());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(widthMm * unitsPerMm);
            QString part = paragraph.mid(line.textStart(), line.textLength());
            while (!part.isEmpty() && part.back().isSpace())
                part.chop(1);
            lines << part;
        }
        layout.endLayout();
    }
    return lines;
}

std::unique_ptr<QTextDocument> richDocument(const QString& content, const Font& base,
                                            double widthMm) {
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    document->documentLayout()->setPaintDevice(referenceDevice());
    document->setDocumentMargin(0);
    document->setDefaultFont(qfont(base));
    if (Qt::mightBeRichText(content))
        document->setHtml(content);
    else
        document->setPlainText(content);
    document->setTextWidth(widthMm * unitsPerMm);
    return document;
}

std::vector<RichLine> richLines(QTextDocument& document) {
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    layout->documentSize(); // lays the document out
    std::vector<RichLine> lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* blockLayout = block.layout();
        if (!blockLayout)
            continue;
        const double blockTop = layout->blockBoundingRect(block).top();
        for (int i = 0; i < blockLayout->lineCount(); ++i) {
            const QTextLine line = blockLayout->lineAt(i);
            QString text = block.text().mid(line.textStart(), line.textLength());
            while (!text.isEmpty() && text.back().isSpace())
                text.chop(1);
            const double top = (blockTop + line.y()) / unitsPerMm;
            lines.push_back({top, top + line.height() / unitsPerMm, text});
        }
    }
    return lines;
}

double richHeight(QTextDocument& document) {
    return document.documentLayout()->documentSize().height() / unitsPerMm;
}

} // namespace report
