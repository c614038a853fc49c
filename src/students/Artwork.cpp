#include "students/Artwork.h"

#include "platform/Fonts.h"

#include <QLinearGradient>
#include <QPainter>

namespace sijill::students {

QPixmap drawnTitleBand(const QSize& size, const QString& caption, double pointSize) {
    QPixmap pm(size);
    QPainter p(&pm);
    QLinearGradient g(0, 0, size.width(), 0);
    g.setColorAt(0, QColor(0x1B, 0x6E, 0x3C));
    g.setColorAt(1, QColor(0x2E, 0x8B, 0x57));
    p.fillRect(pm.rect(), g);
    p.setPen(Qt::white);
    p.setFont(platform::windowFont(pointSize, 700));
    p.drawText(pm.rect().adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignRight, caption);
    return pm;
}

QPixmap drawnCloseButton(int side) {
    QPixmap pm(side, side);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0xC0, 0x39, 0x2B));
    p.setPen(QPen(Qt::white, 1));
    p.drawEllipse(QRectF(pm.rect()).adjusted(1, 1, -1, -1));
    p.setPen(QPen(Qt::white, 2.2));
    const double m = side / 3.2;
    p.drawLine(QPointF(m, m), QPointF(side - m, side - m));
    p.drawLine(QPointF(side - m, m), QPointF(m, side - m));
    return pm;
}

} // namespace sijill::students
