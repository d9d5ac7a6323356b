#pragma once

#include "report/textmetrics.h"

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <variant>
#include <vector>

/// The page model: what a report run produces and a renderer paints. Plain data placed in mm
/// from the paper's top left corner, so tests read which text lands where.
namespace report {

/// One line of plain text in its line box (horizontal alignment within the box's width).
struct TextItem {
    QRectF rect;
    QString text;
    Font font;
    Qt::Alignment align = Qt::AlignLeft;
    QColor color = Qt::black;
};

/// The slice [from, to) (mm from the document's top) of a rich text laid out at rect's width,
/// shown at rect's top left. `lines` are the slice's lines with their tops on the page.
struct RichTextItem {
    QRectF rect;
    QString content;
    Font font;
    double from = 0;
    double to = 0;
    std::vector<RichLine> lines;
};

/// A straight line; width in mm.
struct LineItem {
    QLineF line;
    double pen = 0.2;
    QColor color = Qt::black;
};

/// A rectangle: filled when `fill` is valid, its `sides` stroked when `pen` is above zero.
struct BoxItem {
    QRectF rect;
    double pen = 0;
    QColor stroke = Qt::black;
    QColor fill;
    Qt::Edges sides = Qt::TopEdge | Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge;
};

/// A picture scaled into rect.
struct ImageItem {
    QRectF rect;
    QImage image;
};

using Item = std::variant<TextItem, RichTextItem, LineItem, BoxItem, ImageItem>;

/// A text as a reader meets it on the page: its top left corner in mm and the words.
struct PlacedText {
    QPointF at;
    QString text;
};

/// One sheet: its primitives in painting order.
struct Page {
    std::vector<Item> items;

    /// Every non-empty text line (plain and rich), in reading order: top to bottom, then left
    /// to right.
    std::vector<PlacedText> texts() const;
    /// The texts as lines of "[top] x:text  x:text", one line per row of the page, positions
    /// in mm with one decimal: what golden files hold.
    QString readingText() const;
};

/// The result of running a layout.
struct Document {
    QString title;
    QSizeF paper{210, 297};
    std::vector<Page> pages;

    /// Every page's reading text under a "=== pagina N ===" line.
    QString readingText() const;
};

} // namespace report
