#include "reports/PrintMenuItem.h"

#include "platform/Background.h"
#include "platform/Fonts.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QMouseEvent>

namespace sijill::reports {

namespace menu {

namespace {
constexpr int kItemLeft = 800;
constexpr int kItemWidth = 3800;
// Tall enough for a caption with marks above and below and a margin.
constexpr int kItemHeight = 420;
} // namespace

const QColor& back() {
    static const QColor c(0xDE, 0xDE, 0xDE); // #DEDEDE
    return c;
}

const QColor& hover() {
    static const QColor c(0xA7, 0xC7, 0xEC); // #A7C7EC
    return c;
}

QLabel* item(const QString& objectName, const QString& caption, int top, QWidget* panel,
             QObject* filter) {
    auto* label = new QLabel(caption, panel);
    label->setObjectName(objectName);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(platform::windowFont(12));
    label->setCursor(Qt::PointingHandCursor);
    label->setMouseTracking(true);
    label->installEventFilter(filter);
    platform::fillBackground(label, back());
    QRect r = platform::twipsRect(kItemLeft, top, kItemWidth, kItemHeight);
    const int needed = label->fontMetrics().horizontalAdvance(caption) + 12;
    if (needed > r.width()) {
        const int grow = std::min((needed - r.width() + 1) / 2, r.left());
        r.adjust(-grow, 0, grow, 0);
    }
    label->setGeometry(r);
    evenColumn(label);
    return label;
}

void evenColumn(QLabel* item) {
    item->setProperty("sijillMenuItem", true);
    QWidget* panel = item->parentWidget();
    QList<QLabel*> column;
    int widest = 0;
    for (QLabel* l : panel->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (!l->property("sijillMenuItem").toBool())
            continue;
        column << l;
        widest = std::max(widest, l->width());
    }
    for (QLabel* l : column) {
        const int centre = l->geometry().center().x();
        const int left = std::clamp(centre - widest / 2, 0, std::max(0, panel->width() - widest));
        l->setGeometry(left, l->y(), widest, l->height());
    }
}

int indexOf(const std::vector<QLabel*>& labels, const QObject* o) {
    for (std::size_t i = 0; i < labels.size(); ++i)
        if (labels[i] && labels[i] == o)
            return static_cast<int>(i);
    return -1;
}

bool isClick(const QLabel* label, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    auto* me = static_cast<QMouseEvent*>(event);
    return me->button() == Qt::LeftButton && label->rect().contains(me->position().toPoint());
}

bool handleItemEvent(const std::vector<QLabel*>& items, const QObject* watched, QEvent* event,
                     const std::function<void(int index)>& highlight,
                     const std::function<void(int index)>& choose) {
    const int i = indexOf(items, watched);
    if (i < 0)
        return false;
    if (event->type() == QEvent::MouseMove) {
        highlight(i);
        return true;
    }
    if (isClick(items[i], event)) {
        choose(i);
        return true;
    }
    return false;
}

} // namespace menu

} // namespace sijill::reports
