#include "report/render.h"

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <variant>

namespace report {

namespace {

double units(double mm) {
    return mm * unitsPerMm;
}

QRectF units(const QRectF& mm) {
    return QRectF(units(mm.left()), units(mm.top()), units(mm.width()), units(mm.height()));
}

QPageLayout pageLayout(const Document& document) {
    const QSizeF& paper = document.paper;
    const bool portrait = paper.width() <= paper.height();
    const QSizeF upright = portrait ? paper : paper.transposed();
    return QPageLayout(QPageSize(upright, QPageSize::Millimeter),
                       portrait ? QPageLayout::Portrait : QPageLayout::Landscape, QMarginsF());
}

/// Paints one primitive; the painter is scaled so that one unit is 1/1200 inch.
struct ItemPainter {
    QPainter& painter;

    void operator()(const TextItem& item) const {
        painter.setFont(qfont(item.font));
        painter.setPen(item.color);
        painter.drawText(units(item.rect),
                         int(item.align | Qt::AlignTop) | Qt::TextSingleLine | Qt::TextDontClip,
                         item.text);
    }

    void operator()(const RichTextItem& item) const {
        const auto document = richDocument(item.content, item.font, item.rect.width());
        QAbstractTextDocumentLayout* layout = document->documentLayout();
        const double width = units(item.rect.width());
        const double from = units(item.from);
        const double to = units(item.to);
        painter.save();
        painter.translate(units(item.rect.left()), units(item.rect.top()) - from);
        // Sideways the text may overhang its box a little, as it does on screen.
        painter.setClipRect(QRectF(-width, from, 3 * width, to - from), Qt::IntersectClip);
        painter.setPen(Qt::black);
        // Qt draws a paragraph cut by the slice's top from the line before the cut, which the
        // clip hides but a PDF keeps as text: draw that paragraph's visible lines one by one
        // and let the document draw from the next paragraph on.
        double flowTop = from;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            const QRectF box = layout->blockBoundingRect(block);
            if (box.top() >= from - 0.5)
                break;
            if (box.bottom() <= from + 0.5)
                continue;
            const QTextLayout* lines = block.layout();
            for (int i = 0; i < lines->lineCount(); ++i) {
                const QTextLine line = lines->lineAt(i);
                const double top = box.top() + line.y();
                if (top >= from - 0.5 && top < to - 0.5)
                    line.draw(&painter, box.topLeft());
            }
            flowTop = box.bottom() + 0.5;
            break;
        }
        if (flowTop < to - 1) {
            QAbstractTextDocumentLayout::PaintContext context;
            // A line that only touches the slice's bottom belongs to the next page.
            context.clip = QRectF(-width, flowTop, 3 * width, to - 1 - flowTop);
            context.palette.setColor(QPalette::Text, Qt::black);
            layout->draw(&painter, context);
        }
        painter.restore();
    }

    void operator()(const LineItem& item) const {
        painter.setPen(QPen(item.color, units(item.pen), Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(QLineF(units(item.line.x1()), units(item.line.y1()), units(item.line.x2()),
                                units(item.line.y2())));
    }

    void operator()(const BoxItem& item) const {
        const QRectF r = units(item.rect);
        if (item.fill.isValid())
            painter.fillRect(r, item.fill);
        if (item.pen <= 0)
            return;
        painter.setPen(QPen(item.stroke, units(item.pen), Qt::SolidLine, Qt::SquareCap));
        painter.setBrush(Qt::NoBrush);
        const Qt::Edges all = Qt::TopEdge | Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge;
        if (item.sides == all) {
            painter.drawRect(r);
            return;
        }
        if (item.sides & Qt::TopEdge)
            painter.drawLine(r.topLeft(), r.topRight());
        if (item.sides & Qt::BottomEdge)
            painter.drawLine(r.bottomLeft(), r.bottomRight());
        if (item.sides & Qt::LeftEdge)
            painter.drawLine(r.topLeft(), r.bottomLeft());
        if (item.sides & Qt::RightEdge)
            painter.drawLine(r.topRight(), r.bottomRight());
    }

    void operator()(const ImageItem& item) const {
        painter.drawImage(units(item.rect), item.image);
    }
};

void paintAll(const Document& document, QPainter& painter, QPagedPaintDevice& device) {
    const QPaintDevice* target = painter.device();
    for (size_t i = 0; i < document.pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        paintPage(painter, document.pages[i], target->logicalDpiX(), target->logicalDpiY());
    }
}

} // namespace

void paintPage(QPainter& painter, const Page& page, double dpiX, double dpiY) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(dpiX / layoutDpi, dpiY / layoutDpi);
    const ItemPainter paint{painter};
    for (const Item& item : page.items)
        std::visit(paint, item);
    painter.restore();
}

void print(const Document& document, QPrinter& printer) {
    // Full-page mode belongs to the page layout: set it after the layout, or it is lost.
    printer.setPageLayout(pageLayout(document));
    printer.setFullPage(true);
    printer.setDocName(document.title);
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    paintAll(document, painter, printer);
    painter.end();
}

bool writePdf(const Document& document, const QString& path) {
    QPdfWriter writer(path);
    writer.setResolution(int(layoutDpi));
    writer.setTitle(document.title);
    writer.setCreator(QStringLiteral("Misuratori"));
    writer.setPageLayout(pageLayout(document));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    paintAll(document, painter, writer);
    return painter.end();
}

void preparePreview(QPrintPreviewDialog& dialog, const Document& document) {
    dialog.setWindowTitle(document.title);
    QPrinter* printer = dialog.printer();
    printer->setPageLayout(pageLayout(document));
    printer->setFullPage(true);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&document](QPrinter* target) { print(document, *target); });
}

void preview(const Document& document, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, parent);
    preparePreview(dialog, document);
    dialog.exec();
}

} // namespace report
