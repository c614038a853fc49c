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

// Room a caption keeps on each side inside its control.
constexpr int kMargin = 3;

// A key mnemonic: its underline splits a joined Arabic word.
bool hasMnemonic(const QString& text) {
    static const QRegularExpression marker(QStringLiteral("(?<!&)(?:&&)*&(?!&|#?[A-Za-z0-9]+;)"));
    return text.contains(marker);
}

int lineOf(const QFont& f) {
    const QFontMetrics m(f);
    return m.ascent() + m.descent();
}

// How high a caption's letters stand, marks included.
int inkHeight(const QFont& f, const QString& text) {
    return text.isEmpty() ? 0 : QFontMetrics(f).tightBoundingRect(text).height();
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
        // The icon and the spacing QPushButton keeps beside it.
        const int icon = b->icon().isNull() ? 0 : b->iconSize().width() + 4;
        return b->rect().adjusted(m, f, -m - icon, -f);
    }
    return w->contentsRect();
}

// The ink of a label's one line of text, in its parent's coordinates.
QRect drawnText(const QLabel* l, const QRect& room) {
    const QFontMetrics m(l->font());
    const int advance = std::min(m.horizontalAdvance(l->text()), room.width());
    const Qt::Alignment align = QStyle::visualAlignment(l->layoutDirection(), l->alignment());
    const QRect line =
        QStyle::alignedRect(Qt::LeftToRight, align, QSize(advance, m.height()), room);
    const QRect ink = m.tightBoundingRect(l->text());
    return QRect(line.left(), line.top() + m.ascent() + ink.top(), advance, ink.height())
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

// Whether `w` draws a box around its text; a bare label's room above and
// below is its neighbours' spacing.
bool drawsBox(const QWidget* w) {
    const auto* l = qobject_cast<const QLabel*>(w);
    return !l || l->frameShape() != QFrame::NoFrame || l->autoFillBackground() ||
           !l->styleSheet().isEmpty();
}

// Whether any of `w` lies inside `window`'s area: working controls kept out
// of view on purpose are not seen.
bool onView(const QWidget* w, const QWidget* window) {
    return w == window ||
           QRect(w->mapTo(window, QPoint(0, 0)), w->size()).intersects(window->rect());
}

// A sibling control over or under the room `w`'s text takes, but not one the
// whole of `w` lies on (a panel's background). Another bare label crowds it
// only where the two texts meet.
const QWidget* crowdingSibling(const QLabel* w, const QRect& drawn) {
    const QWidget* parent = w->parentWidget();
    if (!parent || w->isWindow())
        return nullptr;
    const QRect room = drawn.marginsAdded(QMargins(kMargin, kMargin, kMargin, kMargin));
    for (const QObject* o : parent->children()) {
        const auto* s = qobject_cast<const QWidget*>(o);
        if (!s || s == w || s->isWindow() || !s->isVisibleTo(parent) ||
            s->geometry().contains(w->geometry()))
            continue;
        const auto* label = qobject_cast<const QLabel*>(s);
        const bool meets = label && !drawsBox(label)
                               ? label->pixmap().isNull() &&
                                     drawnText(label, label->contentsRect()).intersects(drawn)
                               : s->geometry().intersects(room);
        if (meets)
            return s;
    }
    return nullptr;
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
        if (l->buddy() && hasMnemonic(text))
            return QStringLiteral("mnemonic in ") + text;
        if (l->textFormat() != Qt::RichText) {
            const QRect drawn = drawnText(l, room);
            if (pastParent(l, drawn))
                return QStringLiteral("text runs past its parent's edge");
            if (const QWidget* other = crowdingSibling(l, drawn))
                return QStringLiteral("touches ") + other->objectName();
        }
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        text = e->text();
    } else if (auto* t = qobject_cast<QToolButton*>(w)) {
        if (t->text().isEmpty() || t->toolButtonStyle() == Qt::ToolButtonIconOnly)
            return {};
        return t->width() >= t->sizeHint().width() ? QString() : QString("tool button too narrow");
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        text = b->text();
        if (hasMnemonic(text))
            return QStringLiteral("mnemonic in ") + text;
        if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            // The box's indicator takes its share of the width.
            const int box = w->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) +
                            w->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
            if (QFontMetrics(w->font()).horizontalAdvance(text) + box + kMargin > w->width())
                return "check box text too wide";
            if (inkHeight(w->font(), text) + 2 * kMargin > w->height())
                return "check box text too high";
            return fit == Fit::Width || lineOf(w->font()) <= w->height()
                       ? QString()
                       : QString("check box too low");
        }
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        for (int i = 0; i < c->count(); ++i)
            if (QFontMetrics(c->font()).horizontalAdvance(c->itemText(i)) + 2 * kMargin >
                textRoom(w).width())
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
    // A bare label's margin is kept from its neighbours, above.
    const int margin = drawsBox(w) ? kMargin : 0;
    if (const int ink = inkHeight(w->font(), text); ink + 2 * margin > room.height())
        return QString("ink %1 high in %2").arg(ink).arg(room.height());
    if (!text.isEmpty() &&
        QFontMetrics(w->font()).horizontalAdvance(text) + 2 * margin > room.width())
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
        if (c != window && (!c->isVisibleTo(window) || !onView(c, window)))
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
