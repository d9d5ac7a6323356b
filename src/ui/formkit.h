#pragma once

#include "ui/fieldlink.h"

#include <QLabel>
#include <QLineEdit>
#include <functional>
#include <utility>
#include <vector>

class QHBoxLayout;

/// The pieces every form of the program is made of, beside the data-aware controls: how a
/// read-only box looks, how wide a box is, a label that shows a field, an unbound capitals box
/// and the Enter key that walks from box to box. Screens use these rather than their own.
namespace ui {

/// The one look of a control the user cannot change: a grey (RGB 192, 192, 192) background
/// instead of the white of an editable one. The data-aware controls apply it themselves when
/// made read-only; call it for any other control that is locked.
void showAsReadOnly(QWidget& control, bool readOnly);

/// Makes a data-aware control (edit box, date box, drop-down, look-up list, check box)
/// read-only or editable again; other widgets are disabled instead.
void setLocked(QWidget* control, bool locked);

/// The width of a box that shows `characters` characters of capitals and digits whole: a code
/// of up to sixteen characters in the widest capital, a longer text in average capitals; never
/// wider than a screen's column (560 pixels).
int boxWidthFor(const QLineEdit& box, int characters);
/// The width of a box that shows `sample` (a mask such as "00/00/0000") whole.
int boxWidthForText(const QLineEdit& box, const QString& sample);

/// A label in bold.
QLabel* boldLabel(const QString& text, QWidget* parent = nullptr);

/// A button's caption and what it runs.
using Command = std::pair<QString, std::function<void()>>;
/// The row of buttons of a small dialog, in order, each running its command when clicked;
/// right-aligned, or sharing the whole row.
QHBoxLayout* buttonRow(QObject* context, const std::vector<Command>& buttons,
                       bool rightAligned = true);

/// A label that shows one field of the current record and follows the table; empty while the
/// table is closed or empty. Its text can be selected and copied.
class DbLabel : public QLabel {
    Q_OBJECT
public:
    DbLabel(store::Table& table, const QString& fieldName, QWidget* parent = nullptr);

private:
    void reload();
    FieldLink link_;
};

/// An edit box bound to nothing whose typed letters become capitals (search boxes).
class UpperLineEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

/// Return and Enter in one widget of the chain move the focus to the next one (the last is
/// usually the confirm button, which Return then presses).
class EnterChain : public QObject {
    Q_OBJECT
public:
    EnterChain(std::vector<QWidget*> chain, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QWidget*> chain_;
};

} // namespace ui
