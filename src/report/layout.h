#pragma once

#include "report/textmetrics.h"

#include <QColor>
#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

namespace store {
class Table;
}

/// Banded layouts: what a report prints, band by band, with elements placed in millimetres.
namespace report {

/// One record as a band reads it: a table object's field values at print time.
class Row {
public:
    Row() = default;
    Row(store::Table& table, std::vector<QVariant> values);

    bool isValid() const { return table_ != nullptr; }
    store::Table* table() const { return table_; }
    /// The stored value (null when blank). Throws store::Error for a field the object lacks.
    QVariant value(const QString& field) const;
    /// The value as lists and prints show it: numbers by the field's display format in Italian
    /// form, dates dd/mm/yyyy, times hh:mm.
    QString text(const QString& field) const;

private:
    store::Table* table_ = nullptr;
    std::vector<QVariant> values_;
};

/// A field value as Field::displayText shows it, for values read without moving the cursor.
QString displayText(store::Table& table, int field, const QVariant& value);

/// What a computed label or a print-when condition sees.
struct PrintContext {
    Row record;           ///< detail or sub-detail record; elsewhere the detail record printed last
    Row master;           ///< for a sub-detail, its detail record
    int recordNumber = 0; ///< 1-based number of the detail record; 0 before the first
    int page = 0;         ///< 1-based page the band lands on (the page begun, for conditions)
    int pageCount = 0;    ///< expected number of pages; known to computed labels only
};

using Compute = std::function<QString(const PrintContext&)>;
using Predicate = std::function<bool(const PrintContext&)>;

enum class ElementKind { Text, RichText, Frame, Rule, Shade, Picture };

/// Something placed in a band, in mm from the band's top left corner. Made by the functions
/// below and adjusted with the modifiers, e.g. `field({44.5, 1, 70, 4}, "Descrizione").bold()`.
struct Element {
    enum class Source { Fixed, Field, Computed, File };

    ElementKind kind = ElementKind::Text;
    QRectF rect;
    Source source = Source::Fixed;
    QString text;                  ///< fixed text or HTML, field name or file path, by source
    store::Table* table = nullptr; ///< a field of this object's current record, not the band's
    Compute compute;
    Font font;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
    bool wrap = false;        ///< a text breaks into lines at the element's width
    bool grows = false;       ///< the height follows the content (wrapped or rich text)
    bool stretches = false;   ///< the height follows the band's growth (frames, shades, rules)
    double pen = 0.2;         ///< mm
    QColor color = Qt::black; ///< text and line colour, shade fill
    Qt::Edges sides = Qt::TopEdge | Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge;

    Element bold() const;
    Element italic() const;
    Element size(double points) const;
    Element aligned(Qt::Alignment alignment) const;
    Element right() const { return aligned(Qt::AlignRight); }
    Element centred() const { return aligned(Qt::AlignHCenter); }
    Element wrapped() const;
    Element growing() const;
    Element stretching() const;
    Element withPen(double mm) const;
    Element withColor(const QColor& color) const;
    Element withSides(Qt::Edges edges) const;
};

/// A fixed text.
Element text(const QRectF& mm, const QString& text);
/// A field of the band's record, in its display form.
Element field(const QRectF& mm, const QString& name);
/// A field of another table object's current record at print time.
Element field(const QRectF& mm, store::Table& table, const QString& name);
/// A text computed from the record, the page number and the expected page count. It is
/// filled once the pages are made, so it keeps the size of its box (wrapping inside it).
Element label(const QRectF& mm, Compute compute);
/// Stored HTML of a field of the band's record; it grows and may continue on the next page.
Element richText(const QRectF& mm, const QString& field);
Element richText(const QRectF& mm, store::Table& table, const QString& field);
/// Fixed HTML or plain text.
Element richTextFixed(const QRectF& mm, const QString& content);
/// A rectangle's outline (all sides unless withSides says otherwise).
Element frame(const QRectF& mm);
/// A line from (x, y) across or down.
Element hrule(double x, double y, double width);
Element vrule(double x, double y, double height);
/// A filled rectangle without outline, painted where it stands in the band's list.
Element shade(const QRectF& mm, const QColor& fill);
/// A picture stored in a Graphic field, scaled into the rectangle keeping its proportions.
Element picture(const QRectF& mm, const QString& field);
Element picture(const QRectF& mm, store::Table& table, const QString& field);
/// A picture read from a file (e.g. PNG), scaled the same way.
Element pictureFile(const QRectF& mm, const QString& path);

/// A horizontal strip of the page. Its height is the designed one, more when a growing
/// element needs it; a band whose condition is false is not printed and takes no space.
struct Band {
    double height = 0;
    std::vector<Element> elements;
    Predicate printWhen;
    bool framed = false; ///< a frame around the band on every page it spans

    Band& add(Element element) {
        elements.push_back(std::move(element));
        return *this;
    }
};

struct PageSetup {
    QSizeF paper{210, 297}; ///< A4 portrait
    QMarginsF margins{10, 10, 10, 10};
    bool framed = false; ///< a frame around the printable area of every page
};

/// A report: bands over a table object. Detail bands print once per record of `source` in
/// its order and filter at run time; sub-detail bands once per record of `subSource`, a
/// detail object of `source`, after each detail record. Title and summary bands print once,
/// page header and footer bands on every page.
struct Layout {
    QString title; ///< the preview's caption
    PageSetup page;
    std::vector<Band> titleBands;
    std::vector<Band> pageHeader;
    bool pageHeaderOnFirstPage = true;
    std::vector<Band> detail;
    std::vector<Band> subDetail;
    std::vector<Band> summary;
    std::vector<Band> pageFooter; ///< fixed heights, stacked at the bottom of the page
    store::Table* source = nullptr;
    store::Table* subSource = nullptr;
    /// The page count labels see, from the number of detail records; unset: the pages made.
    std::function<int(int records)> expectedPageCount;
};

} // namespace report
