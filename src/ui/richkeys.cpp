#include "ui/richkeys.h"

#include <QKeyEvent>
#include <QTextCharFormat>
#include <QTextEdit>

namespace ui {

namespace {

/// Turns the formatting keys of one box into character formats.
class FormattingKeys : public QObject {
public:
    explicit FormattingKeys(QTextEdit* box)
        : QObject(box)
        , box_(box) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != box_ || event->type() != QEvent::KeyPress || box_->isReadOnly())
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() != Qt::ControlModifier)
            return false;
        const QTextCharFormat current = box_->currentCharFormat();
        QTextCharFormat change;
        switch (key->key()) {
        case Qt::Key_B:
            change.setFontWeight(current.fontWeight() > QFont::Normal ? QFont::Normal
                                                                      : QFont::Bold);
            break;
        case Qt::Key_I:
            change.setFontItalic(!current.fontItalic());
            break;
        case Qt::Key_U:
            change.setFontUnderline(!current.fontUnderline());
            break;
        default:
            return false;
        }
        box_->mergeCurrentCharFormat(change);
        return true;
    }

private:
    QTextEdit* box_;
};

} // namespace

void installFormattingKeys(QTextEdit* box) {
    box->installEventFilter(new FormattingKeys(box));
}

} // namespace ui
