#pragma once

#include <QString>

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

} // namespace interchange::form
