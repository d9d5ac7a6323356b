#include "ui/dbedit.h"

#include "store/error.h"
#include "store/value.h"
#include "ui/formkit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpression>

namespace ui {

namespace {

// Letter by letter, so that the text keeps its length ("ß" has no one-letter capital).
QString capitals(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        c = c.toUpper();
    return out;
}

bool isNumeric(store::FieldType type) {
    return type == store::FieldType::Integer || type == store::FieldType::Number;
}

} // namespace

DbEdit::DbEdit(store::Table& table, const QString& fieldName, QWidget* parent)
    : QLineEdit(parent)
    , link_(
          table, fieldName, [this](Refresh) { reload(); }, [this] { commit(); }, this) {
    if (link_.type() == store::FieldType::Text) {
        setMaxLength(link_.field().size());
        characters_ = link_.field().size();
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }
    if (isNumeric(link_.type()))
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (link_.derived())
        setReadOnly(true);
    connect(this, &QLineEdit::textEdited, this, &DbEdit::userEdited);
    reload();
}

void DbEdit::setWidthSample(const QString& sample) {
    widthSample_ = sample;
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    updateGeometry();
}

QSize DbEdit::sizeHint() const {
    QSize hint = QLineEdit::sizeHint();
    if (!widthSample_.isEmpty())
        hint.setWidth(boxWidthForText(*this, widthSample_));
    else if (characters_ > 0)
        hint.setWidth(boxWidthFor(*this, characters_));
    return hint;
}

QSize DbEdit::minimumSizeHint() const {
    return QSize(sizeHint().width(), QLineEdit::minimumSizeHint().height());
}

QString DbEdit::fieldText() const {
    const store::Field f = link_.field();
    return f.type() == store::FieldType::Text ? f.asString() : f.displayText();
}

QVariant DbEdit::parseText(const QString& text) const {
    const store::Field f = link_.field();
    if (f.type() == store::FieldType::Text)
        return text;
    return store::value::parse(f.definition(), text);
}

void DbEdit::reload() {
    link_.setPending(false);
    const bool active = link_.active();
    setEnabled(active);
    setText(active ? fieldText() : QString());
}

void DbEdit::userEdited(const QString& text) {
    if (upperCase_) {
        const QString upper = capitals(text);
        if (upper != text) {
            const int cursor = cursorPosition();
            setText(upper);
            setCursorPosition(cursor);
        }
    }
    if (link_.pending() || !link_.active() || isReadOnly())
        return;
    if (!link_.startPendingEdit())
        reload();
}

void DbEdit::commit() {
    if (!link_.pending() || !link_.active() || isReadOnly())
        return;
    const QVariant value = parseText(text());
    link_.storePending(value);
}

void DbEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    link_.focusLeft(event->reason());
}

void DbEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && link_.pending()) {
        reload();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DbEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    // A box the user cannot change must not look like one he can.
    if (event->type() == QEvent::ReadOnlyChange)
        showAsReadOnly(*this, isReadOnly());
}

DbUpperEdit::DbUpperEdit(store::Table& table, const QString& fieldName, QWidget* parent)
    : DbEdit(table, fieldName, parent) {
    setUpperCase(true);
}

// ---------------------------------------------------------------------------------------------
// Masked boxes

namespace {

// "8/12/2026" as well as "08/12/2026": the mask lets the user skip to the next separator.
const QRegularExpression& datePattern() {
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})$"));
    return re;
}

const QRegularExpression& timePattern() {
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2}):(\\d{2})$"));
    return re;
}

// The text without the mask's blanks.
QString compact(const QString& text) {
    QString out = text;
    out.remove(QLatin1Char(' '));
    out.remove(QLatin1Char('_'));
    return out;
}

// True when nothing but the mask's separators is left.
bool blankMask(const QString& text) {
    for (QChar c : text)
        if (c.isDigit())
            return false;
    return true;
}

} // namespace

DbDateEdit::DbDateEdit(store::Table& table, const QString& fieldName, QWidget* parent)
    : DbEdit(table, fieldName, parent) {
    setMaxLength(32767);
    setInputMask(QStringLiteral("99/99/9999"));
    setWidthSample(QStringLiteral("00/00/0000"));
    reload();
}

QVariant DbDateEdit::parseDate(const QString& text) {
    const QString t = compact(text);
    if (t.isEmpty() || t == QLatin1String("//"))
        return {};
    const QRegularExpressionMatch m = datePattern().match(t);
    const QDate date =
        m.hasMatch() ? QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt())
                     : QDate();
    if (!date.isValid())
        throw store::Error(QStringLiteral("'%1' non è una data valida.").arg(text.trimmed()));
    return date;
}

QString DbDateEdit::fieldText() const {
    return store::value::italianDate(link().field().asDate());
}

void DbDateEdit::mousePressEvent(QMouseEvent* event) {
    DbEdit::mousePressEvent(event);
    // An empty box is filled from its start, wherever it was clicked.
    if (blankMask(text()))
        setCursorPosition(0);
}

DbTimeEdit::DbTimeEdit(store::Table& table, const QString& fieldName, QWidget* parent)
    : DbEdit(table, fieldName, parent) {
    setMaxLength(32767);
    setInputMask(QStringLiteral("99:99;_"));
    setWidthSample(QStringLiteral("00:00"));
    reload();
}

QVariant DbTimeEdit::parseTime(const QString& text) {
    const QString t = compact(text);
    if (t.isEmpty() || t == QLatin1String(":"))
        return {};
    const QRegularExpressionMatch m = timePattern().match(t);
    const QTime time = m.hasMatch() ? QTime(m.captured(1).toInt(), m.captured(2).toInt()) : QTime();
    if (!time.isValid())
        throw store::Error(QStringLiteral("'%1' non è un'ora valida.").arg(text.trimmed()));
    return time;
}

QString DbTimeEdit::fieldText() const {
    const QTime time = link().field().asTime();
    return time.isValid() ? time.toString(QStringLiteral("HH:mm")) : QString();
}

void DbTimeEdit::mousePressEvent(QMouseEvent* event) {
    DbEdit::mousePressEvent(event);
    if (blankMask(text()))
        setCursorPosition(0);
}

} // namespace ui
