#pragma once

#include "ui/fieldlink.h"

#include <QLineEdit>

namespace ui {

/// An edit box bound to one field of a table object.
///
/// It shows the field of the current record and follows the table (moves, posts, cancels).
/// The first change the user makes puts a table in Browse state into Edit (Insert when the
/// table is empty), as the data-aware controls of the original platform do; the new text is
/// stored into the field when the box loses the focus to another control, or when the record
/// is posted with the box still focused, and only when the user changed it. A text that does
/// not fit the field is refused with a warning when the box is left (the focus comes back to
/// it) and stops a post with store::Error. Escape drops what was typed and shows the field again.
///
/// The box is disabled (greyed) and empty while the table object is closed or destroyed; it
/// is read-only when bound to a lookup or calculated field or when made so with setReadOnly,
/// and then has the read-only look (showAsReadOnly).
///
/// Bound to a text field, the box is as wide as a value of the field's full size (boxWidthFor)
/// and keeps that width in layouts; a date or time box is as wide as its mask.
class DbEdit : public QLineEdit {
    Q_OBJECT
public:
    DbEdit(store::Table& table, const QString& fieldName, QWidget* parent = nullptr);

    /// Typed and pasted letters become capitals (accented ones too).
    void setUpperCase(bool on) { upperCase_ = on; }
    bool upperCase() const { return upperCase_; }
    /// True when the user changed the text since the field was last shown.
    bool pending() const { return link_.pending(); }
    /// Stores the pending text now; throws store::Error when it does not fit the field.
    void commit();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    /// The box is as wide as `sample` shows (a mask), rather than the field's size.
    void setWidthSample(const QString& sample);
    /// The text shown for the field's current value.
    virtual QString fieldText() const;
    /// The value of a typed text; throws store::Error with the user's message when it does
    /// not fit.
    virtual QVariant parseText(const QString& text) const;
    /// Shows the field again; the derived boxes call it once they are set up.
    void reload();
    const FieldLink& link() const { return link_; }

    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void userEdited(const QString& text);

    FieldLink link_;
    bool upperCase_ = false;
    int characters_ = 0; ///< the field's size; 0: the usual width
    QString widthSample_;
};

/// An edit box whose typed letters become capitals (names and codes), unless switched off.
class DbUpperEdit : public DbEdit {
    Q_OBJECT
public:
    DbUpperEdit(store::Table& table, const QString& fieldName, QWidget* parent = nullptr);
};

/// A date box with the mask "99/99/9999": an empty one shows "  /  /    " and stores a blank
/// date; a full text is read as day/month/year and an impossible date is refused with a
/// warning that names it.
class DbDateEdit : public DbEdit {
    Q_OBJECT
public:
    DbDateEdit(store::Table& table, const QString& fieldName, QWidget* parent = nullptr);

    /// The date of a text as the box shows it: blank (null) for "//" or an empty text;
    /// throws store::Error for anything that is not a real day/month/year date.
    static QVariant parseDate(const QString& text);

protected:
    QString fieldText() const override;
    QVariant parseText(const QString& text) const override { return parseDate(text); }
    void mousePressEvent(QMouseEvent* event) override;
};

/// A time box for hours and minutes; empty it shows "__:__", as users know it, and stores a
/// blank time.
class DbTimeEdit : public DbEdit {
    Q_OBJECT
public:
    DbTimeEdit(store::Table& table, const QString& fieldName, QWidget* parent = nullptr);

    /// The time of a text as the box shows it: blank (null) for ":" or an empty text; throws
    /// store::Error for anything that is not hours 0-23 and minutes 0-59.
    static QVariant parseTime(const QString& text);

protected:
    QString fieldText() const override;
    QVariant parseText(const QString& text) const override { return parseTime(text); }
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace ui
