#include "app/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace app {

QPixmap programPicture(const QSize& size) {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size.width() / 100.0, size.height() / 100.0);

    // Paper roll coming out of the top.
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(38, 8, 24, 30));
    p.setPen(QPen(QColor(150, 150, 150), 1));
    for (int y = 14; y < 34; y += 5)
        p.drawLine(QPointF(42, y), QPointF(58, y));

    // Body.
    QLinearGradient body(0, 30, 0, 92);
    body.setColorAt(0, QColor(70, 110, 190));
    body.setColorAt(1, QColor(20, 50, 120));
    p.setPen(QPen(QColor(15, 35, 90), 1.5));
    p.setBrush(body);
    QPainterPath shape;
    shape.moveTo(14, 92);
    shape.lineTo(20, 34);
    shape.lineTo(80, 34);
    shape.lineTo(86, 92);
    shape.closeSubpath();
    p.drawPath(shape);

    // Display and keys.
    p.setBrush(QColor(160, 230, 160));
    p.drawRoundedRect(QRectF(28, 40, 44, 12), 2, 2);
    p.setBrush(QColor(235, 235, 240));
    p.setPen(QPen(QColor(40, 40, 60), 0.8));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col)
            p.drawRoundedRect(QRectF(26 + col * 12.5, 58 + row * 10, 9, 7), 1.5, 1.5);

    // The fiscal seal.
    p.setBrush(QColor(210, 40, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(78, 82), 6, 6);
    return picture;
}

} // namespace app
