#include "support/TextFit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QToolButton>

namespace sijill::test {

namespace {

int lineOf(const QFont& f) {
    const QFontMetrics m(f);
    return m.ascent() + m.descent();
}

// Where a single-line control draws its text.
QRect textRoom(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        QStyleOptionFrame o;
        o.initFrom(e);
        o.rect = e->rect();
        o.lineWidth =
            e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &o, e) : 0;
        QRect r = e->style()->subElementRect(QStyle::SE_LineEditContents, &o, e);
        r = r.marginsRemoved(e->textMargins());
        return r.adjusted(0, 1, 0, -1); // the line edit's own margin above and below
    }
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        QStyleOptionComboBox o;
        o.initFrom(c);
        return c->style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, c);
    }
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        const int m = b->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b) / 2;
        const int f = b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
        return b->rect().adjusted(m, f, -m, -f);
    }
    return w->contentsRect();
}

// Where a label draws its one line of text, in its parent's coordinates.
QRect drawnText(const QLabel* l, const QRect& room) {
    const int advance =
        std::min(QFontMetrics(l->font()).horizontalAdvance(l->text()), room.width());
    const Qt::Alignment align = QStyle::visualAlignment(l->layoutDirection(), l->alignment());
    return QStyle::alignedRect(Qt::LeftToRight, align, QSize(advance, room.height()), room)
        .translated(l->pos());
}

// A text its parent cuts: drawn across the parent's left or right edge.
bool pastParent(const QWidget* w, const QRect& drawn) {
    const QWidget* parent = w->parentWidget();
    if (!parent || w->isWindow())
        return false;
    // Wholly outside is out of view on purpose (a store the window hides).
    const int right = parent->width() - 1;
    if (drawn.right() < 0 || drawn.left() > right)
        return false;
    return drawn.left() < 0 || drawn.right() > right;
}

} // namespace

QString misfit(QWidget* w, Fit fit) {
    QString text;
    if (auto* l = qobject_cast<QLabel*>(w)) {
        if (!l->pixmap().isNull() || l->text().isEmpty())
            return {};
        const QRect room = l->contentsRect().marginsRemoved(
            QMargins(l->margin(), l->margin(), l->margin(), l->margin()));
        if (l->wordWrap()) {
            const QRect need = QFontMetrics(l->font()).boundingRect(
                QRect(0, 0, room.width(), 100000), Qt::TextWordWrap | l->alignment(), l->text());
            return need.height() <= room.height()
                       ? QString()
                       : QString("wraps to %1 in %2").arg(need.height()).arg(room.height());
        }
        text = l->text();
        // A label for another control draws its key's "&" as an underline.
        if (l->buddy())
            text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
        if (l->textFormat() != Qt::RichText && pastParent(l, drawnText(l, room)))
            return QStringLiteral("text runs past its parent's edge");
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        text = e->text();
    } else if (auto* t = qobject_cast<QToolButton*>(w)) {
        if (t->text().isEmpty() || t->toolButtonStyle() == Qt::ToolButtonIconOnly)
            return {};
        return t->width() >= t->sizeHint().width() ? QString() : QString("tool button too narrow");
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        // "&" marks the key of a caption and is not drawn.
        text = b->text().remove(QRegularExpression(QStringLiteral("&(?!&)")));
        if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            // The box's indicator takes its share of the width.
            const int box = w->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) +
                            w->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
            if (QFontMetrics(w->font()).horizontalAdvance(text) + box > w->width())
                return "check box text too wide";
            return fit == Fit::Width || lineOf(w->font()) <= w->height()
                       ? QString()
                       : QString("check box too low");
        }
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        for (int i = 0; i < c->count(); ++i)
            if (QFontMetrics(c->font()).horizontalAdvance(c->itemText(i)) > textRoom(w).width())
                return "item too wide: " + c->itemText(i);
        text = c->currentText();
    } else {
        return {};
    }
    const QRect room = textRoom(w);
    if (!text.isEmpty() && !qobject_cast<QLabel*>(w) && pastParent(w, w->geometry()))
        return QStringLiteral("runs past its parent's edge");
    if (fit == Fit::WidthAndLine && lineOf(w->font()) > room.height())
        return QString("line %1 in %2").arg(lineOf(w->font())).arg(room.height());
    if (!text.isEmpty() && QFontMetrics(w->font()).horizontalAdvance(text) > room.width())
        return QString("advance %1 in %2")
            .arg(QFontMetrics(w->font()).horizontalAdvance(text))
            .arg(room.width());
    return {};
}

QStringList misfitsIn(QWidget* window, Fit fit, int* checked) {
    QStringList out;
    QList<QWidget*> all = window->findChildren<QWidget*>();
    all.prepend(window);
    for (QWidget* c : all) {
        if (c != window && !c->isVisibleTo(window))
            continue;
        if (checked)
            ++*checked;
        const QString why = misfit(c, fit);
        if (!why.isEmpty())
            out << QStringLiteral("%1 (%2): %3")
                       .arg(c->objectName(), QString::fromLatin1(c->metaObject()->className()),
                            why);
    }
    return out;
}

} // namespace sijill::test
