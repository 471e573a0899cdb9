#include "app/backgroundarea.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace {

// Ink drops on a mixing bench: drawn once, so the program ships no large picture.
QImage makePicture()
{
    QImage img(716, 510, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, img.height());
    bg.setColorAt(0, QColor(0x2b, 0x3a, 0x55));
    bg.setColorAt(1, QColor(0x16, 0x1e, 0x2e));
    p.fillRect(img.rect(), bg);
    struct Drop { int x, y, r; QColor c; };
    const Drop drops[] = {
        {150, 140, 95, QColor(0xe6, 0x39, 0x46)}, {290, 120, 80, QColor(0xf4, 0xd3, 0x5e)},
        {230, 260, 110, QColor(0x2a, 0x9d, 0x8f)}, {420, 230, 70, QColor(0x45, 0x7b, 0x9d)},
        {540, 150, 90, QColor(0xf1, 0x8f, 0x01)}, {590, 330, 105, QColor(0x6a, 0x4c, 0x93)},
        {380, 390, 85, QColor(0xa8, 0xda, 0xdc)}, {110, 390, 70, QColor(0x1d, 0x35, 0x57)},
    };
    for (const Drop &d : drops) {
        QRadialGradient g(d.x - d.r / 3, d.y - d.r / 3, d.r * 1.4);
        g.setColorAt(0, d.c.lighter(150));
        g.setColorAt(0.6, d.c);
        g.setColorAt(1, d.c.darker(160));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.setOpacity(0.85);
        p.drawEllipse(QPoint(d.x, d.y), d.r, d.r);
    }
    return img;
}

const QImage &picture()
{
    static const QImage img = makePicture();
    return img;
}

} // namespace

BackgroundArea::BackgroundArea(QWidget *parent) : QMdiArea(parent)
{
    setObjectName(QStringLiteral("JvSpecialImage1"));
}

void BackgroundArea::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    const QSize size = viewport()->size();
    if (m_scaled.size() != size)
        m_scaled = QPixmap::fromImage(picture().scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    p.drawPixmap(0, 0, m_scaled);
}
