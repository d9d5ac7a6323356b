#include "report/page.h"

#include <algorithm>
#include <cmath>

namespace report {

namespace {

/// Tenths of a millimetre: texts whose tops agree to that are on one row.
long tenths(double mm) {
    return std::lround(mm * 10);
}

QString mm(double value) {
    return QString::number(double(tenths(value)) / 10, 'f', 1);
}

} // namespace

std::vector<PlacedText> Page::texts() const {
    std::vector<PlacedText> out;
    for (const Item& item : items) {
        if (const auto* text = std::get_if<TextItem>(&item)) {
            if (!text->text.isEmpty())
                out.push_back({text->rect.topLeft(), text->text});
        } else if (const auto* rich = std::get_if<RichTextItem>(&item)) {
            for (const RichLine& line : rich->lines)
                if (!line.text.isEmpty())
                    out.push_back({QPointF(rich->rect.left(), line.top), line.text});
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const PlacedText& a, const PlacedText& b) {
        const long ay = tenths(a.at.y());
        const long by = tenths(b.at.y());
        return ay != by ? ay < by : a.at.x() < b.at.x();
    });
    return out;
}

QString Page::readingText() const {
    QString out;
    long row = -1;
    for (const PlacedText& text : texts()) {
        if (tenths(text.at.y()) != row) {
            if (row >= 0)
                out += QLatin1Char('\n');
            row = tenths(text.at.y());
            out += QLatin1Char('[') + mm(text.at.y()) + QLatin1Char(']');
        }
        out += QLatin1String("  ") + mm(text.at.x()) + QLatin1Char(':') + text.text;
    }
    if (row >= 0)
        out += QLatin1Char('\n');
    return out;
}

QString Document::readingText() const {
    QString out;
    for (size_t i = 0; i < pages.size(); ++i)
        out += QStringLiteral("=== pagina %1 ===\n").arg(i + 1) + pages[i].readingText();
    return out;
}

} // namespace report
