#pragma once

#include "report/layout.h"

/// Pieces the movement prints share.
namespace report::movement {

constexpr double bandWidth = 190; ///< A4 portrait inside 10 mm margins

/// "EVASA" for a done movement of the band's record, else nothing.
QString doneMark(const PrintContext& context);

/// The lists' page footer: a rule on top and one centred line with the page number.
Band listFooter();

/// The lists' title: the caption in large type and the filter title beside it (up to three
/// lines); the column headings are added by each list below `headingsTop`.
Band listTitle(const QString& caption, const QString& filterTitle, double height);

/// A heading or field text of the lists, in their small type.
Element heading(double x, double y, double width, const QString& caption);
Element value(double x, double y, double width, const QString& field, double lines = 1);

constexpr double headingsTop = 16;
constexpr double rowStep = 4;

} // namespace report::movement
