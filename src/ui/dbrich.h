#pragma once

#include "ui/fieldlink.h"

#include <QFrame>
#include <QImage>
#include <QTextEdit>

namespace ui {

/// A rich-text box bound to a Blob field that holds HTML. What the user writes is stored as
/// the box's HTML (QTextEdit::toHtml) when the box loses the focus or the record is posted,
/// and only when the user changed it; a field holding plain text is shown as plain text.
/// Storing, showing and storing again gives the same HTML. The first change puts a table in
/// Browse state into Edit. Disabled while the table object is closed.
class DbRichEdit : public QTextEdit {
    Q_OBJECT
public:
    DbRichEdit(store::Table& table, const QString& fieldName, QWidget* parent = nullptr);
    bool pending() const { return link_.pending(); }
    /// Stores the pending text now; throws store::Error when the table refuses it.
    void commit();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void reload();
    void userChanged();

    FieldLink link_;
    bool loading_ = false;
};

/// A picture box bound to a Graphic field: it shows the stored picture (PNG, JPEG, BMP...)
/// scaled to fit and centred, nothing when the field is blank or not a picture. The
/// screen's commands load or clear the picture; each stores at once.
class DbPicture : public QFrame {
    Q_OBJECT
public:
    DbPicture(store::Table& table, const QString& fieldName, QWidget* parent = nullptr);

    /// Stores the file's bytes as the picture. False, after a warning, when the file cannot be
    /// read or is not a picture, or the table refuses it.
    bool loadFile(const QString& path);
    /// Blanks the field. False, after a warning, when the table refuses it.
    bool clearPicture();
    /// The picture shown (null when none).
    const QImage& image() const { return image_; }
    void setReadOnly(bool on) { readOnly_ = on; }
    bool isReadOnly() const { return readOnly_; }
    QSize sizeHint() const override { return {160, 120}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void reload();
    bool store(const QByteArray& bytes);

    FieldLink link_;
    QImage image_;
    bool readOnly_ = false;
};

} // namespace ui
