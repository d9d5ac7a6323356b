#include "ui/formkit.h"

#include "ui/dbchoice.h"
#include "ui/dbedit.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

namespace ui {

void showAsReadOnly(QWidget& control, bool readOnly) {
    QPalette p = control.palette();
    const QPalette standard = QApplication::palette(&control);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Button})
            p.setColor(group, role, readOnly ? QColor(192, 192, 192) : standard.color(group, role));
    control.setPalette(p);
}

void setLocked(QWidget* control, bool locked) {
    if (auto* edit = qobject_cast<DbEdit*>(control))
        edit->setReadOnly(locked);
    else if (auto* combo = qobject_cast<DbComboBox*>(control))
        combo->setReadOnly(locked);
    else if (auto* lookup = qobject_cast<DbLookupCombo*>(control))
        lookup->setReadOnly(locked);
    else if (auto* check = qobject_cast<DbCheckBox*>(control))
        check->setReadOnly(locked);
    else if (control)
        control->setEnabled(!locked);
}

int boxWidthForText(const QLineEdit& box, const QString& sample) {
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.rect = box.rect();
    option.lineWidth =
        box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
    const QMargins text = box.textMargins() + box.contentsMargins();
    // QLineEdit keeps two pixels on each side of its text besides its frame, and one for the
    // cursor after the last character.
    const int width =
        box.fontMetrics().horizontalAdvance(sample) + text.left() + text.right() + 2 * 2 + 1;
    const QSize size = box.style()->sizeFromContents(
        QStyle::CT_LineEdit, &option, QSize(width, box.fontMetrics().height()), &box);
    return std::min(size.width(), 560);
}

int boxWidthFor(const QLineEdit& box, int characters) {
    constexpr int longestCode = 16;
    static const QString capitals = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    QString sample;
    if (characters <= longestCode) {
        sample = QString(characters, QLatin1Char('W'));
    } else {
        while (sample.size() < characters)
            sample += capitals;
        sample.truncate(characters);
    }
    return boxWidthForText(box, sample);
}

QLabel* boldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

QHBoxLayout* buttonRow(QObject* context, const std::vector<Command>& buttons, bool rightAligned) {
    auto* row = new QHBoxLayout;
    if (rightAligned)
        row->addStretch(1);
    for (const auto& [caption, command] : buttons) {
        auto* button = new QPushButton(caption);
        QObject::connect(button, &QPushButton::clicked, context, command);
        row->addWidget(button);
    }
    return row;
}

DbLabel::DbLabel(store::Table& table, const QString& fieldName, QWidget* parent)
    : QLabel(parent)
    , link_(
          table, fieldName, [this](Refresh) { reload(); }, {}, this) {
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    reload();
}

void DbLabel::reload() {
    setText(link_.active() && !link_.table()->isEmpty() ? link_.field().asString() : QString());
}

void UpperLineEdit::keyPressEvent(QKeyEvent* event) {
    const QString upper = event->text().toUpper();
    if (upper != event->text()) {
        QKeyEvent capital(event->type(), event->key(), event->modifiers(), upper,
                          event->isAutoRepeat(), ushort(event->count()));
        QLineEdit::keyPressEvent(&capital);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

EnterChain::EnterChain(std::vector<QWidget*> chain, QObject* parent)
    : QObject(parent)
    , chain_(std::move(chain)) {
    for (size_t i = 0; i + 1 < chain_.size(); ++i)
        chain_[i]->installEventFilter(this);
}

bool EnterChain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    for (size_t i = 0; i + 1 < chain_.size(); ++i)
        if (chain_[i] == watched) {
            chain_[i + 1]->setFocus(Qt::TabFocusReason);
            return true;
        }
    return false;
}

} // namespace ui
