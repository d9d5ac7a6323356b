#include "report/engine.h"

#include "store/table.h"

#include <QTextDocument>
#include <algorithm>
#include <cmath>

namespace report {

namespace {

constexpr double eps = 1e-6;
constexpr Qt::Edges allSides = Qt::TopEdge | Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge;

BoxItem outline(const QRectF& rect, double pen) {
    return BoxItem{rect, pen, Qt::black, QColor(), allSides};
}

/// An element resolved for one printing of its band, in band coordinates after growth.
struct Resolved {
    const Element* element = nullptr;
    QRectF rect;
    QStringList lines; ///< plain text, one entry per line
    double lineHeight = 0;
    double lineOffset = 0; ///< vertical alignment of the lines within rect
    QString content;       ///< rich text
    std::vector<RichLine> richLines;
    QImage image;
    bool deferred = false; ///< computed label, filled when the page count is known
};

/// A band resolved for one record: its final height and the spans a page break must not cut.
struct Prepared {
    double height = 0;
    double designHeight = 0;
    bool framed = false;
    bool splittable = false;
    std::vector<Resolved> items;
    std::vector<std::pair<double, double>> atoms;
    PrintContext context;
};

/// A computed label waiting for the page count, and the slot its lines go to.
struct Pending {
    size_t page = 0;
    size_t slot = 0;
    QRectF rect;
    const Element* element = nullptr;
    PrintContext context;
};

QString singleLine(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

/// Lines of a plain text for an element: broken at its width when it wraps, cut to the width
/// otherwise; `fitHeight` keeps only the lines that fit a fixed height (at least one).
QStringList textLines(const Element& element, const QString& content, double height,
                      bool fitHeight) {
    if (content.isEmpty())
        return {};
    QStringList lines =
        element.wrap
            ? breakLines(element.font, content, element.rect.width())
            : QStringList{fitWidth(element.font, singleLine(content), element.rect.width())};
    if (fitHeight) {
        const double lh = lineHeight(element.font);
        const qsizetype fit = std::max<qsizetype>(1, qsizetype((height + 0.01) / lh));
        if (lines.size() > fit)
            lines = lines.mid(0, fit);
    }
    return lines;
}

double lineOffset(const Element& element, double height, qsizetype lines, double lh) {
    const double free = height - double(lines) * lh;
    if (free <= 0)
        return 0;
    if (element.align & Qt::AlignVCenter)
        return free / 2;
    if (element.align & Qt::AlignBottom)
        return free;
    return 0;
}

/// The stored value an element shows: a field of the band's record or of another object's
/// current record.
QVariant rawValue(const Element& element, const PrintContext& context) {
    if (element.table)
        return element.table->active() ? element.table->field(element.text).value() : QVariant();
    return context.record.value(element.text);
}

QString displayedText(const Element& element, const PrintContext& context) {
    if (element.source == Element::Source::Fixed)
        return element.text;
    if (element.table)
        return element.table->active() ? element.table->field(element.text).displayText()
                                       : QString();
    return context.record.text(element.text);
}

QString richContent(const Element& element, const PrintContext& context) {
    if (element.source == Element::Source::Fixed)
        return element.text;
    const QVariant value = rawValue(element, context);
    return value.typeId() == QMetaType::QByteArray ? QString::fromUtf8(value.toByteArray())
                                                   : value.toString();
}

QImage pictureOf(const Element& element, const PrintContext& context) {
    if (element.source == Element::Source::File)
        return QImage(element.text);
    return QImage::fromData(rawValue(element, context).toByteArray());
}

/// The picture's rectangle inside the element's, keeping its proportions, top left aligned.
QRectF fitted(const QRectF& box, const QImage& image) {
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return box;
    const double scale = std::min(box.width() / image.width(), box.height() / image.height());
    return QRectF(box.topLeft(), QSizeF(image.width() * scale, image.height() * scale));
}

Prepared prepare(const Band& band, const PrintContext& context) {
    Prepared p;
    p.designHeight = band.height;
    p.framed = band.framed;
    p.context = context;
    double growth = 0;
    for (const Element& element : band.elements) {
        Resolved r;
        r.element = &element;
        r.rect = element.rect;
        switch (element.kind) {
        case ElementKind::Text:
            r.lineHeight = lineHeight(element.font);
            if (element.source == Element::Source::Computed) {
                r.deferred = true;
                break;
            }
            r.lines = textLines(element, displayedText(element, context), element.rect.height(),
                                !element.grows);
            if (element.grows)
                r.rect.setHeight(std::max(r.rect.height(), double(r.lines.size()) * r.lineHeight));
            r.lineOffset = lineOffset(element, r.rect.height(), r.lines.size(), r.lineHeight);
            break;
        case ElementKind::RichText: {
            r.content = richContent(element, context);
            if (r.content.isEmpty())
                break;
            const auto document = richDocument(r.content, element.font, element.rect.width());
            r.richLines = richLines(*document);
            if (element.grows)
                r.rect.setHeight(std::max(r.rect.height(), richHeight(*document)));
            else
                std::erase_if(r.richLines, [&](const RichLine& line) {
                    return line.bottom > r.rect.height() + eps;
                });
            break;
        }
        case ElementKind::Picture:
            r.image = pictureOf(element, context);
            r.rect = fitted(element.rect, r.image);
            break;
        case ElementKind::Frame:
        case ElementKind::Rule:
        case ElementKind::Shade:
            break;
        }
        if (element.grows) {
            growth = std::max(growth, r.rect.height() - element.rect.height());
            p.splittable = true;
        }
        p.items.push_back(std::move(r));
    }
    p.height = band.height + growth;
    for (Resolved& r : p.items) {
        if (r.element->stretches)
            r.rect.setHeight(r.rect.height() + growth);
        const double top = r.rect.top();
        if (r.deferred || r.element->kind == ElementKind::Picture) {
            p.atoms.emplace_back(top, r.rect.bottom());
        } else {
            for (qsizetype i = 0; i < r.lines.size(); ++i) {
                const double lineTop = top + r.lineOffset + double(i) * r.lineHeight;
                p.atoms.emplace_back(lineTop, lineTop + r.lineHeight);
            }
            for (const RichLine& line : r.richLines)
                p.atoms.emplace_back(top + line.top, top + line.bottom);
        }
    }
    return p;
}

/// The last place, at or before `limit`, where a page break cuts no line and no picture.
double cutBefore(const Prepared& p, double limit) {
    double cut = limit;
    for (bool moved = true; moved;) {
        moved = false;
        for (const auto& [top, bottom] : p.atoms) {
            if (top < cut - eps && bottom > cut + eps) {
                cut = top;
                moved = true;
            }
        }
    }
    return cut;
}

class Paginator {
public:
    explicit Paginator(const Layout& layout)
        : layout_(layout) {}

    Document run() {
        document_.title = layout_.title;
        document_.paper = layout_.page.paper;
        beginPage();
        for (const Band& band : layout_.titleBands)
            place(band, PrintContext{});
        const int records = runDetail();
        for (const Band& band : layout_.summary)
            place(band, last_);
        endPage();
        fillLabels(records);
        return std::move(document_);
    }

private:
    /// Puts the source's cursor back where it stood when the sub-detail made it move.
    class CursorKeeper {
    public:
        explicit CursorKeeper(store::Table* table)
            : table_(table)
            , bookmark_(table ? table->bookmark() : 0) {}
        ~CursorKeeper() {
            try {
                if (table_ && bookmark_ != 0 && table_->bookmarkValid(bookmark_))
                    table_->gotoBookmark(bookmark_);
            } catch (...) {
                // The record may have gone meanwhile; the cursor then stays where it is.
            }
        }
        CursorKeeper(const CursorKeeper&) = delete;
        CursorKeeper& operator=(const CursorKeeper&) = delete;

    private:
        store::Table* table_;
        store::Bookmark bookmark_;
    };

    int runDetail() {
        store::Table* source = layout_.source;
        if (!source || !source->active())
            return 0;
        store::Table* sub =
            !layout_.subDetail.empty() && layout_.subSource && layout_.subSource->active()
                ? layout_.subSource
                : nullptr;
        const CursorKeeper keeper(sub ? source : nullptr);
        const int count = source->recordCount();
        for (int i = 0; i < count; ++i) {
            PrintContext context;
            context.record = Row(*source, source->recordAt(i));
            context.recordNumber = i + 1;
            last_ = context;
            for (const Band& band : layout_.detail)
                place(band, context);
            if (!sub)
                continue;
            source->setRecNo(i + 1); // the detail object follows its master
            const int subCount = sub->recordCount();
            for (int j = 0; j < subCount; ++j) {
                PrintContext subContext;
                subContext.record = Row(*sub, sub->recordAt(j));
                subContext.master = context.record;
                subContext.recordNumber = i + 1;
                for (const Band& band : layout_.subDetail)
                    place(band, subContext);
            }
        }
        return count;
    }

    double bandWidth() const {
        const QMarginsF& m = layout_.page.margins;
        return layout_.page.paper.width() - m.left() - m.right();
    }

    Page& page() { return document_.pages.back(); }

    void beginPage() {
        document_.pages.emplace_back();
        ++pageNumber_;
        const QMarginsF& m = layout_.page.margins;
        if (layout_.page.framed)
            page().items.push_back(
                outline(QRectF(m.left(), m.top(), bandWidth(),
                               layout_.page.paper.height() - m.top() - m.bottom()),
                        0.3));
        PrintContext context = last_;
        context.page = pageNumber_;
        footer_.clear();
        double footerHeight = 0;
        for (const Band& band : layout_.pageFooter) {
            if (band.printWhen && !band.printWhen(context))
                continue;
            footer_.push_back(&band);
            footerHeight += band.height;
        }
        y_ = m.top();
        bottom_ = layout_.page.paper.height() - m.bottom() - footerHeight;
        if (pageNumber_ > 1 || layout_.pageHeaderOnFirstPage) {
            for (const Band& band : layout_.pageHeader) {
                if (band.printWhen && !band.printWhen(context))
                    continue;
                const Prepared p = prepare(band, context);
                put(p, 0, p.height, y_);
                y_ += p.height;
            }
        }
        bodyTop_ = y_;
    }

    void endPage() {
        PrintContext context = last_;
        context.page = pageNumber_;
        double y = bottom_;
        for (const Band* band : footer_) {
            const Prepared p = prepare(*band, context);
            put(p, 0, band->height, y);
            y += band->height;
        }
    }

    void nextPage() {
        endPage();
        beginPage();
    }

    void place(const Band& band, PrintContext context) {
        context.page = pageNumber_;
        if (band.printWhen && !band.printWhen(context))
            return;
        const Prepared p = prepare(band, context);
        double from = 0;
        for (;;) {
            const double room = bottom_ - y_;
            const double rest = p.height - from;
            const bool fresh = y_ <= bodyTop_ + eps;
            if (rest <= room + eps || (fresh && room <= eps)) {
                put(p, from, p.height, y_);
                y_ += rest;
                return;
            }
            if (p.splittable) {
                double cut = cutBefore(p, from + room);
                // The designed part of a band stays together unless the page is empty anyway.
                const double least = from > 0 || fresh ? 0 : std::min(p.designHeight, p.height);
                if (fresh && cut <= from + eps)
                    cut = from + room; // a single line taller than the page: cut through it
                if (cut > from + eps && cut >= least - eps) {
                    put(p, from, cut, y_);
                    from = cut;
                    nextPage();
                    continue;
                }
            }
            if (fresh) { // taller than an empty page and not cuttable: let it run over
                put(p, from, p.height, y_);
                y_ += rest;
                return;
            }
            nextPage();
        }
    }

    /// Adds the part [from, to) of a prepared band to the page, its top at `top`.
    void put(const Prepared& p, double from, double to, double top) {
        const double dx = layout_.page.margins.left();
        const double dy = top - from;
        const bool last = to >= p.height - eps;
        auto inSlice = [&](double y) {
            return y >= from - eps && (y < to - eps || last);
        };
        auto clipped = [&](const QRectF& r) {
            const double t = std::max(r.top(), from);
            const double b = std::min(r.bottom(), to);
            return QRectF(r.left() + dx, t + dy, r.width(), b - t);
        };
        std::vector<Item>& items = page().items;
        for (const Resolved& r : p.items) {
            const Element& e = *r.element;
            switch (e.kind) {
            case ElementKind::Text:
                if (r.deferred) {
                    if (inSlice(r.rect.top())) {
                        PrintContext context = p.context;
                        context.page = pageNumber_;
                        pending_.push_back({document_.pages.size() - 1, items.size(),
                                            r.rect.translated(dx, dy), &e, context});
                    }
                    break;
                }
                for (qsizetype i = 0; i < r.lines.size(); ++i) {
                    const double lineTop = r.rect.top() + r.lineOffset + double(i) * r.lineHeight;
                    if (inSlice(lineTop) && !r.lines[i].isEmpty())
                        items.push_back(TextItem{
                            QRectF(r.rect.left() + dx, lineTop + dy, r.rect.width(), r.lineHeight),
                            r.lines[i], e.font, e.align & Qt::AlignHorizontal_Mask, e.color});
                }
                break;
            case ElementKind::RichText: {
                const QRectF shown = clipped(r.rect);
                if (r.content.isEmpty() || shown.height() <= eps)
                    break;
                RichTextItem item{shown,
                                  r.content,
                                  e.font,
                                  shown.top() - dy - r.rect.top(),
                                  shown.bottom() - dy - r.rect.top(),
                                  {}};
                for (const RichLine& line : r.richLines)
                    if (inSlice(r.rect.top() + line.top))
                        item.lines.push_back({r.rect.top() + line.top + dy,
                                              r.rect.top() + line.bottom + dy, line.text});
                items.push_back(std::move(item));
                break;
            }
            case ElementKind::Frame:
            case ElementKind::Shade: {
                const QRectF shown = clipped(r.rect);
                if (shown.height() <= eps)
                    break;
                if (e.kind == ElementKind::Frame)
                    items.push_back(BoxItem{shown, e.pen, e.color, QColor(), e.sides});
                else
                    items.push_back(BoxItem{shown, 0, Qt::black, e.color, allSides});
                break;
            }
            case ElementKind::Rule:
                if (r.rect.height() <= eps) {
                    if (inSlice(r.rect.top()))
                        items.push_back(LineItem{QLineF(r.rect.left() + dx, r.rect.top() + dy,
                                                        r.rect.right() + dx, r.rect.top() + dy),
                                                 e.pen, e.color});
                } else {
                    const QRectF shown = clipped(r.rect);
                    if (shown.height() > eps)
                        items.push_back(
                            LineItem{QLineF(shown.topLeft(), shown.bottomLeft()), e.pen, e.color});
                }
                break;
            case ElementKind::Picture:
                if (!r.image.isNull() && inSlice(r.rect.top()))
                    items.push_back(ImageItem{r.rect.translated(dx, dy), r.image});
                break;
            }
        }
        if (p.framed)
            items.push_back(outline(QRectF(dx, top, bandWidth(), to - from), 0.2));
    }

    void fillLabels(int records) {
        const int pageCount = layout_.expectedPageCount ? layout_.expectedPageCount(records)
                                                        : int(document_.pages.size());
        // Last first, so that the slots of earlier labels on a page stay where they were.
        for (auto it = pending_.rbegin(); it != pending_.rend(); ++it) {
            Pending& pending = *it;
            pending.context.pageCount = pageCount;
            const Element& e = *pending.element;
            const QStringList lines =
                textLines(e, e.compute(pending.context), pending.rect.height(), true);
            const double lh = lineHeight(e.font);
            const double offset = lineOffset(e, pending.rect.height(), lines.size(), lh);
            std::vector<Item> made;
            for (qsizetype i = 0; i < lines.size(); ++i)
                if (!lines[i].isEmpty())
                    made.push_back(TextItem{
                        QRectF(pending.rect.left(), pending.rect.top() + offset + double(i) * lh,
                               pending.rect.width(), lh),
                        lines[i], e.font, e.align & Qt::AlignHorizontal_Mask, e.color});
            std::vector<Item>& items = document_.pages[pending.page].items;
            items.insert(items.begin() + std::ptrdiff_t(pending.slot), made.begin(), made.end());
        }
    }

    const Layout& layout_;
    Document document_;
    int pageNumber_ = 0;
    double y_ = 0;
    double bottom_ = 0;
    double bodyTop_ = 0;
    std::vector<const Band*> footer_;
    PrintContext last_;
    std::vector<Pending> pending_;
};

} // namespace

Document run(const Layout& layout) {
    return Paginator(layout).run();
}

} // namespace report
