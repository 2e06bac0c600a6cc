#include "artwork.h"

#include "look.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace rw::client::artwork {

namespace {

QPixmap canvas(const QSize& size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A few rising bars, the product's mark: evaluation as a ranking.
void drawMark(QPainter& p, const QRectF& box, const QColor& colour)
{
    const qreal w = box.width() / 7;
    const qreal heights[] = {0.45, 0.7, 1.0};
    for (int i = 0; i < 3; ++i) {
        const qreal h = box.height() * heights[i];
        QRectF bar(box.left() + i * 2.3 * w, box.bottom() - h, w * 1.6, h);
        QColor c = colour;
        c.setAlphaF(0.55 + 0.2 * i);
        p.setBrush(c);
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(bar, 2, 2);
    }
}

} // namespace

QPixmap loginBackground(const QSize& size)
{
    QPixmap pixmap = canvas(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0x0B, 0x5C, 0x7A));
    sky.setColorAt(0.55, look::kTopBar);
    sky.setColorAt(1, QColor(0x03, 0x24, 0x30));
    p.fillRect(pixmap.rect(), sky);

    // Soft light in the upper right and faint arcs.
    QRadialGradient glow(size.width() * 0.85, size.height() * 0.1, size.width() * 0.6);
    glow.setColorAt(0, QColor(255, 255, 255, 60));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(pixmap.rect(), glow);
    p.setPen(QPen(QColor(255, 255, 255, 28), 1.2));
    for (int i = 0; i < 5; ++i)
        p.drawEllipse(QPointF(size.width() * 1.05, size.height() * 1.2), 140.0 + i * 38, 140.0 + i * 38);

    drawMark(p, QRectF(24, 20, 34, 30), QColor(0xFA, 0xCA, 0xA3));
    p.setPen(Qt::white);
    QFont title = look::songti(22, true);
    p.setFont(title);
    p.drawText(QRectF(68, 16, size.width() - 80, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Rankwise"));
    p.setFont(look::songti(14));
    p.setPen(QColor(0xDD, 0xEE, 0xF4));
    p.drawText(QRectF(68, 44, size.width() - 80, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("岗位评估与胜任力测评系统"));
    return pixmap;
}

QPixmap button(const QSize& size, const QString& caption, bool primary)
{
    QPixmap pixmap = canvas(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, size.height());
    if (primary) {
        fill.setColorAt(0, QColor(0xFF, 0xB3, 0x6B));
        fill.setColorAt(1, QColor(0xE8, 0x7A, 0x2E));
    } else {
        fill.setColorAt(0, QColor(0xF4, 0xF6, 0xF8));
        fill.setColorAt(1, QColor(0xCC, 0xD3, 0xD9));
    }
    p.setBrush(fill);
    p.setPen(QPen(primary ? QColor(0xB8, 0x5A, 0x1A) : QColor(0x8A, 0x96, 0xA0), 1));
    p.drawRoundedRect(QRectF(pixmap.rect()).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    p.setPen(primary ? Qt::white : QColor(0x22, 0x33, 0x44));
    p.setFont(look::songti(14, true));
    p.drawText(pixmap.rect(), Qt::AlignCenter, caption);
    return pixmap;
}

QPixmap logo(const QSize& size)
{
    QPixmap pixmap = canvas(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawMark(p, QRectF(16, 18, 40, 38), QColor(0xFA, 0xCA, 0xA3));
    p.setPen(Qt::white);
    p.setFont(look::songti(24, true));
    p.drawText(QRectF(66, 10, size.width() - 66, 34), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Rankwise"));
    p.setPen(QColor(0xB9, 0xD3, 0xDC));
    p.setFont(look::songti(12));
    p.drawText(QRectF(68, 44, size.width() - 68, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("岗位评估与胜任力测评"));
    return pixmap;
}

QPixmap banner(const QSize& size)
{
    QPixmap pixmap = canvas(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fade(0, 0, size.width(), 0);
    fade.setColorAt(0, QColor(255, 255, 255, 0));
    fade.setColorAt(0.5, QColor(255, 255, 255, 22));
    fade.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(pixmap.rect(), fade);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    QPainterPath wave;
    wave.moveTo(0, size.height() * 0.7);
    for (int x = 0; x <= size.width(); x += 40)
        wave.quadTo(x + 20, size.height() * (x / 40 % 2 ? 0.5 : 0.85), x + 40, size.height() * 0.7);
    p.drawPath(wave);
    return pixmap;
}

QPixmap icon(const QString& name, const QColor& colour)
{
    QPixmap pixmap = canvas(QSize(16, 16));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, 1.6));
    p.setBrush(Qt::NoBrush);
    if (name == QLatin1String("group")) {
        p.drawRoundedRect(QRectF(2, 2, 12, 12), 2, 2);
        p.drawLine(QPointF(5, 6), QPointF(11, 6));
        p.drawLine(QPointF(5, 10), QPointF(11, 10));
    } else if (name == QLatin1String("password")) {
        p.drawEllipse(QRectF(2, 5, 6, 6));
        p.drawLine(QPointF(8, 8), QPointF(14, 8));
        p.drawLine(QPointF(12, 8), QPointF(12, 11));
    } else if (name == QLatin1String("logout")) {
        p.drawArc(QRectF(2, 2, 12, 12), 120 * 16, 300 * 16);
        p.drawLine(QPointF(8, 1.5), QPointF(8, 8));
    } else if (name == QLatin1String("exit")) {
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
    } else { // an entry
        p.setBrush(colour);
        p.drawPolygon(QPolygonF({QPointF(5, 4), QPointF(11, 8), QPointF(5, 12)}));
    }
    return pixmap;
}

} // namespace rw::client::artwork
