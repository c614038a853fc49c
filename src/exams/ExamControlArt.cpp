#include "exams/ExamControlArt.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionComboBox>

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

QPixmap banner(const QString& text, int width, int height, const QFont& font) {
    QPixmap pm = blank(width, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, 0, height);
    band.setColorAt(0, QColor(0x2F, 0x5D, 0x8A));
    band.setColorAt(1, QColor(0x1F, 0x3A, 0x5F));
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), 5, 5);
    p.setPen(QPen(QColor(0xE8, 0xC5, 0x6B), 1.5));
    p.drawLine(QPointF(8, height - 4), QPointF(width - 8, height - 4));
    QFont f = font;
    const int room = width - 16;
    while (f.pointSizeF() > 6 &&
           (QFontMetrics(f).horizontalAdvance(text) > room || lineHeight(f) > height - 4))
        f.setPointSizeF(f.pointSizeF() - 0.5);
    p.setFont(f);
    p.setPen(Qt::white);
    p.setLayoutDirection(Qt::RightToLeft);
    p.drawText(QRect(0, 0, width, height - 2), Qt::AlignCenter, text);
    return pm;
}

int lineHeight(const QFont& font) {
    const QFontMetrics m(font);
    return m.ascent() + m.descent();
}

namespace {

// What a control's frame and margins take from its height.
int verticalChrome(QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->height() - l->contentsRect().height() + 2 * l->margin();
    const int frame = w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        const QMargins m = e->textMargins();
        // The line edit keeps one pixel above and below its text.
        return (e->hasFrame() ? 2 * frame : 0) + m.top() + m.bottom() + 2;
    }
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        QStyleOptionComboBox o;
        o.initFrom(c);
        const QRect field =
            c->style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, c);
        return c->height() - field.height();
    }
    return 2 * frame + 4;
}

} // namespace

void fitOneLine(QWidget* w) {
    // Grown downwards: the control keeps its top, where its row begins.
    const int need = lineHeight(w->font()) + verticalChrome(w);
    if (w->height() < need)
        w->resize(w->width(), need);
    auto* l = qobject_cast<QLabel*>(w);
    if (l && !l->wordWrap() && !l->text().isEmpty()) {
        const int chrome = l->width() - l->contentsRect().width() + 2 * l->margin() + 2;
        const int width = QFontMetrics(l->font()).horizontalAdvance(l->text()) + chrome;
        if (l->width() < width)
            l->setGeometry(l->x() - (width - l->width()) / 2, l->y(), width, l->height());
    }
}

void fitFontToHeight(QWidget* w, double smallest) {
    QFont f = w->font();
    while (f.pointSizeF() > smallest && lineHeight(f) + verticalChrome(w) > w->height())
        f.setPointSizeF(f.pointSizeF() - 0.5);
    w->setFont(f);
}

void fitText(QLabel* label, double smallest) {
    const int room = label->contentsRect().width() - 4;
    // The whole text, also when an earlier fit shortened the shown one.
    const QVariant whole = label->property("title");
    const QString text = whole.isValid() ? whole.toString() : label->text();
    QFont f = label->font();
    while (f.pointSizeF() > smallest && QFontMetrics(f).horizontalAdvance(text) > room)
        f.setPointSizeF(f.pointSizeF() - 0.5);
    label->setFont(f);
    // Still too long: the end gives way to an ellipsis, the start stays.
    const QFontMetrics m(f);
    label->setText(m.horizontalAdvance(text) > room ? m.elidedText(text, Qt::ElideRight, room)
                                                    : text);
}

void fitCell(QLineEdit* cell, double points) {
    QFont f = cell->font();
    f.setPointSizeF(points);
    const int room = cell->width() - 8;
    const int height = cell->height() - verticalChrome(cell);
    while (f.pointSizeF() > 6 &&
           (QFontMetrics(f).horizontalAdvance(cell->text()) > room || lineHeight(f) > height))
        f.setPointSizeF(f.pointSizeF() - 0.5);
    cell->setFont(f);
    cell->setToolTip(cell->text());
    if (!cell->hasFocus())
        cell->setCursorPosition(0);
}

} // namespace sijill::exams::art
