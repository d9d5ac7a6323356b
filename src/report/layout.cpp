#include "report/layout.h"

#include "store/table.h"
#include "store/value.h"

#include <utility>

namespace report {

Row::Row(store::Table& table, std::vector<QVariant> values)
    : table_(&table)
    , values_(std::move(values)) {
}

QVariant Row::value(const QString& field) const {
    if (!table_)
        return {};
    const int index = table_->field(field).index();
    return size_t(index) < values_.size() ? values_[size_t(index)] : QVariant();
}

QString Row::text(const QString& field) const {
    if (!table_)
        return {};
    const int index = table_->field(field).index();
    return displayText(*table_, index,
                       size_t(index) < values_.size() ? values_[size_t(index)] : QVariant());
}

QString displayText(store::Table& table, int field, const QVariant& value) {
    return table.field(field).displayTextOf(value);
}

Element Element::bold() const {
    Element e = *this;
    e.font.bold = true;
    return e;
}

Element Element::italic() const {
    Element e = *this;
    e.font.italic = true;
    return e;
}

Element Element::size(double points) const {
    Element e = *this;
    e.font.points = points;
    return e;
}

Element Element::aligned(Qt::Alignment alignment) const {
    Element e = *this;
    // A horizontal alignment keeps the vertical one and vice versa.
    if (alignment & Qt::AlignHorizontal_Mask)
        e.align = (e.align & ~Qt::AlignHorizontal_Mask) | (alignment & Qt::AlignHorizontal_Mask);
    if (alignment & Qt::AlignVertical_Mask)
        e.align = (e.align & ~Qt::AlignVertical_Mask) | (alignment & Qt::AlignVertical_Mask);
    return e;
}

Element Element::wrapped() const {
    Element e = *this;
    e.wrap = true;
    return e;
}

Element Element::growing() const {
    Element e = *this;
    e.grows = true;
    e.wrap = e.wrap || e.kind == ElementKind::Text;
    return e;
}

Element Element::stretching() const {
    Element e = *this;
    e.stretches = true;
    return e;
}

Element Element::withPen(double mm) const {
    Element e = *this;
    e.pen = mm;
    return e;
}

Element Element::withColor(const QColor& color) const {
    Element e = *this;
    e.color = color;
    return e;
}

Element Element::withSides(Qt::Edges edges) const {
    Element e = *this;
    e.sides = edges;
    return e;
}

namespace {

Element make(ElementKind kind, const QRectF& rect, Element::Source source, const QString& text,
             store::Table* table = nullptr) {
    Element e;
    e.kind = kind;
    e.rect = rect;
    e.source = source;
    e.text = text;
    e.table = table;
    return e;
}

} // namespace

Element text(const QRectF& mm, const QString& text) {
    return make(ElementKind::Text, mm, Element::Source::Fixed, text);
}

Element field(const QRectF& mm, const QString& name) {
    return make(ElementKind::Text, mm, Element::Source::Field, name);
}

Element field(const QRectF& mm, store::Table& table, const QString& name) {
    return make(ElementKind::Text, mm, Element::Source::Field, name, &table);
}

Element label(const QRectF& mm, Compute compute) {
    Element e = make(ElementKind::Text, mm, Element::Source::Computed, QString());
    e.compute = std::move(compute);
    return e;
}

Element richText(const QRectF& mm, const QString& field) {
    return make(ElementKind::RichText, mm, Element::Source::Field, field).growing();
}

Element richText(const QRectF& mm, store::Table& table, const QString& field) {
    return make(ElementKind::RichText, mm, Element::Source::Field, field, &table).growing();
}

Element richTextFixed(const QRectF& mm, const QString& content) {
    return make(ElementKind::RichText, mm, Element::Source::Fixed, content).growing();
}

Element frame(const QRectF& mm) {
    return make(ElementKind::Frame, mm, Element::Source::Fixed, {});
}

Element hrule(double x, double y, double width) {
    return make(ElementKind::Rule, QRectF(x, y, width, 0), Element::Source::Fixed, {});
}

Element vrule(double x, double y, double height) {
    return make(ElementKind::Rule, QRectF(x, y, 0, height), Element::Source::Fixed, {});
}

Element shade(const QRectF& mm, const QColor& fill) {
    return make(ElementKind::Shade, mm, Element::Source::Fixed, {}).withColor(fill);
}

Element picture(const QRectF& mm, const QString& field) {
    return make(ElementKind::Picture, mm, Element::Source::Field, field);
}

Element picture(const QRectF& mm, store::Table& table, const QString& field) {
    return make(ElementKind::Picture, mm, Element::Source::Field, field, &table);
}

Element pictureFile(const QRectF& mm, const QString& path) {
    return make(ElementKind::Picture, mm, Element::Source::File, path);
}

} // namespace report
