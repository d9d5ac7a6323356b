#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QPaintDevice;
class QTextDocument;

namespace report {

/// Resolution of the space in which texts are measured and painted: one unit is 1/1200 inch,
/// as on a high-resolution printer, so that a page measures the same on every device.
inline constexpr double layoutDpi = 1200.0;
inline constexpr double unitsPerMm = layoutDpi / 25.4;

/// A report font. The base face is DejaVu Sans: it is installed wherever the program runs and
/// its PDF text reads back.
struct Font {
    double points = 9;
    bool bold = false;
    bool italic = false;
    QString family = QStringLiteral("DejaVu Sans");

    bool operator==(const Font&) const = default;
};

/// The Qt font for a report font, sized in layout units, with shaping and hinting off so that
/// a PDF's text reads back and a text measures alike on screen, paper and PDF.
QFont qfont(const Font& font);

/// The device texts are measured against (layoutDpi in both directions).
QPaintDevice* referenceDevice();

/// Distance between two lines of the font, in mm.
double lineHeight(const Font& font);

/// Advance of a single line of text, in mm.
double textWidth(const Font& font, const QString& text);

/// The leading part of a one-line text that fits a width in mm (the whole text when it fits).
QString fitWidth(const Font& font, const QString& text, double widthMm);

/// A text broken into lines that fit a width in mm, at word boundaries where possible; line
/// feeds in the text always break.
QStringList breakLines(const Font& font, const QString& text, double widthMm);

/// A rich text (HTML, or plain text when it does not look like HTML) laid out at a width in mm,
/// measured in layout units. The paginator and the renderer both build it here, so the page
/// shows exactly the lines the paginator counted.
std::unique_ptr<QTextDocument> richDocument(const QString& content, const Font& base,
                                            double widthMm);

/// One laid-out line of a rich text: its top and bottom in mm from the document's top.
struct RichLine {
    double top = 0;
    double bottom = 0;
    QString text;
};

/// The lines of a laid-out rich text, top to bottom.
std::vector<RichLine> richLines(QTextDocument& document);

/// Height of a laid-out rich text, in mm.
double richHeight(QTextDocument& document);

} // namespace report
