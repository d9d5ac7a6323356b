#pragma once

#include <QString>

namespace ui {
class DataGrid;
}

class QLineEdit;
class QSpinBox;
class QWidget;

/// The boxes the export and import screens share: where the verification program is installed
/// and which of its years.
namespace interchange::form {

/// The folder box, with its initial text "c:\programmi\kesasoft".
QLineEdit* folderBox(QWidget* parent = nullptr);

/// A year box of four digits from 2004 to next year, so that the current year can be chosen.
QSpinBox* yearBox(int year, QWidget* parent = nullptr);

/// Makes each column of a grid wide enough for its title and for its field's whole value (texts
/// up to forty characters; longer ones scroll).
void fitColumns(ui::DataGrid& grid);

} // namespace interchange::form
