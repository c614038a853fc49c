#include "exams/ControlAllArt.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace sijill::exams::art {

namespace {

QPixmap blank(int w, int h) {
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    return pm;
}

void cross(QPainter& p, const QRectF& r, const QColor& colour, double pen) {
    p.setPen(QPen(colour, pen, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

} // namespace

QPixmap closeMark(int size) {
    QPixmap pm = blank(size, size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC0, 0x39, 0x2B));
    p.drawEllipse(QRectF(1, 1, size - 2, size - 2));
    const double m = size * 0.32;
    cross(p, QRectF(m, m, size - 2 * m, size - 2 * m), Qt::white, 2.0);
    return pm;
}

QPixmap deleteMark(int width, int height) {
    QPixmap pm = blank(width, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(pm.rect(), Qt::white);
    const double s = std::min(width, height) * 0.6;
    const QRectF r((width - s) / 2, (height - s) / 2, s, s);
    cross(p, r, QColor(0xD0, 0x10, 0x10), 2.2);
    return pm;
}

QPixmap calendarMark(int width, int height) {
    QPixmap pm = blank(width, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF page(1, 1, width - 2, height - 2);
    p.setPen(QPen(QColor(0x33, 0x33, 0x33), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(page, 2, 2);
    p.setBrush(QColor(0xC0, 0x39, 0x2B));
    p.drawRect(QRectF(page.left(), page.top(), page.width(), page.height() / 3));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x55, 0x55, 0x55));
    const double cell = page.width() / 5;
    for (int c = 0; c < 4; ++c)
        p.drawRect(QRectF(page.left() + cell * (c + 0.6), page.top() + page.height() * 0.55,
                          cell * 0.6, page.height() * 0.25));
    return pm;
}

QPixmap saveMark(int width, int height) {
    QPixmap pm = blank(width, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = std::min(width, height) - 6;
    const QRectF disk((width - s) / 2, (height - s) / 2, s, s);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1F, 0x5F, 0xA8));
    p.drawRoundedRect(disk, 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(disk.left() + s * 0.2, disk.top() + s * 0.08, s * 0.6, s * 0.32));
    p.setBrush(QColor(0xDD, 0xDD, 0xDD));
    p.drawRect(QRectF(disk.left() + s * 0.15, disk.top() + s * 0.55, s * 0.7, s * 0.38));
    return pm;
}

QPixmap foldMark(int width, int height) {
    QPixmap pm = blank(width, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2E, 0x8B, 0x57));
    const double s = std::min(width, height) - 2;
    const QPointF c(width / 2.0, height / 2.0);
    QPolygonF up;
    up << QPointF(c.x() - s / 2, c.y() + s / 4) << QPointF(c.x() + s / 2, c.y() + s / 4)
       << QPointF(c.x(), c.y() - s / 3);
    p.drawPolygon(up);
    return pm;
}

QPixmap optionsMark(int size) {
    QPixmap pm = blank(size, size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xB0, 0x30, 0x30));
    p.drawRoundedRect(QRectF(2, 2, size - 4, size - 4), 4, 4);
    const double m = size * 0.3;
    cross(p, QRectF(m, m, size - 2 * m, size - 2 * m), Qt::white, 2.4);
    return pm;
}

QPixmap addPeriodMark(int width, int height) {
    QPixmap pm = blank(width, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x9A, 0xB0, 0xC8), 1, Qt::DashLine));
    p.setBrush(QColor(0xF4, 0xF8, 0xFC));
    p.drawRoundedRect(QRectF(1, 1, width - 2, height - 2), 4, 4);
    p.setPen(QPen(QColor(0x2E, 0x8B, 0x57), 2.4, Qt::SolidLine, Qt::RoundCap));
    const QPointF c(width / 2.0, height / 2.0);
    const double a = height * 0.28;
    p.drawLine(QPointF(c.x() - a, c.y()), QPointF(c.x() + a, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - a), QPointF(c.x(), c.y() + a));
    return pm;
}

void fitText(QLabel* label) {
    const int room = label->contentsRect().width() - 4;
    const QString text = label->text();
    QFont f = label->font();
    while (f.pointSizeF() > 7 && QFontMetrics(f).horizontalAdvance(text) > room)
        f.setPointSizeF(f.pointSizeF() - 0.5);
    label->setFont(f);
    // Still too long: the end gives way to an ellipsis, the start stays.
    label->setText(QFontMetrics(f).elidedText(text, Qt::ElideRight, room));
}

void fitCell(QLineEdit* cell, double points) {
    QFont f = cell->font();
    f.setPointSizeF(points);
    const int room = cell->width() - 8;
    while (f.pointSizeF() > 6 && QFontMetrics(f).horizontalAdvance(cell->text()) > room)
        f.setPointSizeF(f.pointSizeF() - 0.5);
    cell->setFont(f);
    cell->setToolTip(cell->text());
    if (!cell->hasFocus())
        cell->setCursorPosition(0);
}

} // namespace sijill::exams::art
