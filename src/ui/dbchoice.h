#pragma once

#include "ui/fieldlink.h"

#include <QCheckBox>
#include <QComboBox>
#include <QStringList>
#include <memory>

namespace ui {

/// A check box bound to a Boolean field: checked for true, unchecked for false or blank. A
/// click puts a table in Browse state into Edit and stores the new value at once. Disabled
/// while the table object is closed; setReadOnly keeps it showing the field but ignoring the
/// user.
class DbCheckBox : public QCheckBox {
    Q_OBJECT
public:
    DbCheckBox(const QString& caption, store::Table& table, const QString& fieldName,
               QWidget* parent = nullptr);
    void setReadOnly(bool on);
    bool isReadOnly() const { return readOnly_; }

private:
    void reload();
    void userClicked(bool checked);

    FieldLink link_;
    bool readOnly_ = false;
};

/// A drop-down list of fixed values bound to a field. Each item shows a text and stores a
/// value (the text itself unless values are given). A fixed list stores the chosen value at
/// once and shows nothing for a value it does not hold; an editable one also takes typed
/// text, stored as an edit box stores it (leaving the list, or posting). Read-only, it has the
/// read-only look (showAsReadOnly).
class DbComboBox : public QComboBox {
    Q_OBJECT
public:
    DbComboBox(store::Table& table, const QString& fieldName, QWidget* parent = nullptr);

    /// The items; `values` (same length) are what is stored, the texts when empty.
    void setItems(const QStringList& texts, const QStringList& values = {});
    /// A value list such as "M=Maschio", "F=Femmina": each entry is shown as it stands and the
    /// part before "=" is stored.
    void setValueList(const QStringList& entries);
    /// Lets the user type a value that is not among the items.
    void setFreeText(bool on);
    void setReadOnly(bool on);
    bool isReadOnly() const { return readOnly_; }
    /// Stores a pending typed text now; throws store::Error when it does not fit the field.
    void commit();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void reload();
    void chosen(int index);
    void typed();

    FieldLink link_;
    QStringList values_;
    bool readOnly_ = false;
    bool loading_ = false;
};

/// A drop-down list over another table object (a look-up list): it lists `resultField` of
/// every record of `source` in that object's order and filter, and stores the chosen
/// record's `sourceKeyField` into the bound field. The list follows the source object's
/// changes; the source's cursor is never moved.
class DbLookupCombo : public QComboBox {
    Q_OBJECT
public:
    DbLookupCombo(store::Table& table, const QString& fieldName, store::Table& source,
                  const QString& sourceKeyField, const QString& resultField,
                  QWidget* parent = nullptr);
    ~DbLookupCombo() override;
    void setReadOnly(bool on);
    bool isReadOnly() const { return readOnly_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    class SourceLink;
    void reload();
    void fillList();
    void chosen(int index);

    FieldLink link_;
    std::unique_ptr<SourceLink> sourceLink_;
    QString sourceKeyField_;
    QString resultField_;
    bool listStale_ = true;
    bool readOnly_ = false;
    bool loading_ = false;
};

} // namespace ui
