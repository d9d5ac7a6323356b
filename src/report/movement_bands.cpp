#include "report/movement_bands.h"

namespace report::movement {

namespace {
constexpr double smallPoints = 7.5;
constexpr double lineMm = 3.6;
} // namespace

QString doneMark(const PrintContext& context) {
    return context.record.value(QStringLiteral("Evasa_sn")).toBool() ? QStringLiteral("EVASA")
                                                                     : QString();
}

Band listFooter() {
    Band footer;
    footer.height = 8;
    footer.add(hrule(0, 1, bandWidth).withPen(0.3));
    footer.add(label({0, 2.5, bandWidth, 4},
                     [](const PrintContext& context) {
                         return QStringLiteral("Assistenza tecnica misuratori fiscali - pagina "
                                               "%1 di %2")
                             .arg(context.page)
                             .arg(context.pageCount);
                     })
                   .centred()
                   .size(smallPoints));
    return footer;
}

Band listTitle(const QString& caption, const QString& filterTitle, double height) {
    Band title;
    title.height = height;
    title.add(text({2, 0, 58, 8}, caption).bold().size(14));
    // The filter can be long: three lines beside the caption, then it is cut.
    title.add(text({62, 0.5, bandWidth - 62, 3 * lineMm}, filterTitle).wrapped().size(8));
    title.add(hrule(0, headingsTop - 1.5, bandWidth).withPen(0.3));
    return title;
}

Element heading(double x, double y, double width, const QString& caption) {
    return text({x, y, width, lineMm}, caption).bold().size(smallPoints);
}

Element value(double x, double y, double width, const QString& name, double lines) {
    Element e = field({x, y, width, lines * lineMm}, name).size(smallPoints);
    return lines > 1 ? e.wrapped() : e;
}

} // namespace report::movement
