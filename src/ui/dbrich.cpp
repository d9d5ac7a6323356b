#include "ui/dbrich.h"

#include "store/error.h"
#include "ui/dialogs.h"

#include <QFile>
#include <QFocusEvent>
#include <QPainter>

namespace ui {

// ---------------------------------------------------------------------------------------------
// DbRichEdit

DbRichEdit::DbRichEdit(store::Table& table, const QString& fieldName, QWidget* parent)
    : QTextEdit(parent)
    , link_(
          table, fieldName, [this](Refresh) { reload(); }, [this] { commit(); }, this) {
    if (link_.derived())
        setReadOnly(true);
    connect(this, &QTextEdit::textChanged, this, &DbRichEdit::userChanged);
    reload();
}

void DbRichEdit::reload() {
    link_.setPending(false);
    const bool active = link_.active();
    setEnabled(active);
    loading_ = true;
    const QString text = active ? QString::fromUtf8(link_.field().asBytes()) : QString();
    if (Qt::mightBeRichText(text))
        setHtml(text);
    else
        setPlainText(text);
    loading_ = false;
}

void DbRichEdit::userChanged() {
    if (loading_ || link_.pending() || isReadOnly() || !link_.active())
        return;
    if (!link_.startPendingEdit())
        reload();
}

void DbRichEdit::commit() {
    if (!link_.pending() || !link_.active() || isReadOnly())
        return;
    const QByteArray html = document()->isEmpty() ? QByteArray() : toHtml().toUtf8();
    link_.storePending(html);
}

void DbRichEdit::focusOutEvent(QFocusEvent* event) {
    QTextEdit::focusOutEvent(event);
    link_.focusLeft(event->reason());
}

// ---------------------------------------------------------------------------------------------
// DbPicture

DbPicture::DbPicture(store::Table& table, const QString& fieldName, QWidget* parent)
    : QFrame(parent)
    , link_(
          table, fieldName, [this](Refresh) { reload(); }, {}, this) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setMinimumSize(32, 32);
    if (link_.derived())
        readOnly_ = true;
    reload();
}

void DbPicture::reload() {
    const bool active = link_.active();
    setEnabled(active);
    image_ = active ? QImage::fromData(link_.field().asBytes()) : QImage();
    update();
}

bool DbPicture::store(const QByteArray& bytes) {
    if (readOnly_ || !link_.active())
        return false;
    try {
        link_.write(bytes);
        return true;
    } catch (const store::Error& e) {
        reload();
        dialogs().warning(e.message());
        return false;
    }
}

bool DbPicture::loadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs().warning(QStringLiteral("Impossibile leggere il file %1.").arg(path));
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (QImage::fromData(bytes).isNull()) {
        dialogs().warning(QStringLiteral("Il file %1 non contiene un'immagine.").arg(path));
        return false;
    }
    return store(bytes);
}

bool DbPicture::clearPicture() {
    return store({});
}

void DbPicture::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (image_.isNull())
        return;
    const QRect area = contentsRect();
    QSize size = image_.size();
    if (size.width() > area.width() || size.height() > area.height())
        size.scale(area.size(), Qt::KeepAspectRatio);
    QRect target(QPoint(), size);
    target.moveCenter(area.center());
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image_);
}

} // namespace ui
