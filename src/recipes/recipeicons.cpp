#include "recipes/recipeicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace RecipeIcons {

namespace {
QPixmap canvas()
{
    QPixmap pm(18, 18);
    pm.fill(Qt::transparent);
    return pm;
}

void arrowHead(QPainter &p, QPointF tip, qreal angleDegrees)
{
    p.save();
    p.translate(tip);
    p.rotate(angleDegrees);
    QPainterPath head;
    head.moveTo(0, 0);
    head.lineTo(-5, -3.5);
    head.lineTo(-5, 3.5);
    head.closeSubpath();
    p.fillPath(head, p.pen().color());
    p.restore();
}
} // namespace

QIcon calculate()
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1e, 0x9e, 0x3c), 2.2));
    const QRectF circle(3, 3, 12, 12);
    p.drawArc(circle, 20 * 16, 140 * 16);
    p.drawArc(circle, 200 * 16, 140 * 16);
    arrowHead(p, QPointF(3.6, 11.5), 100);
    arrowHead(p, QPointF(14.4, 6.5), -80);
    p.end();
    return QIcon(pm);
}

QIcon question()
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x2b, 0x5c, 0xb8));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(1, 1, 16, 16));
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(12);
    p.setFont(f);
    p.drawText(QRectF(1, 1, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
    p.end();
    return QIcon(pm);
}

QIcon printer()
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5.5, 1.5, 7, 5));   // paper in
    p.setBrush(QColor(0x90, 0x90, 0x98));
    p.drawRoundedRect(QRectF(1.5, 6.5, 15, 7), 1.5, 1.5); // body
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 11.5, 9, 5));  // paper out
    p.setBrush(QColor(0x1e, 0x9e, 0x3c));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(13, 8, 2, 2));
    p.end();
    return QIcon(pm);
}

} // namespace RecipeIcons
