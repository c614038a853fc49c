#include "report/CellRules.h"

#include <algorithm>
#include <cmath>

namespace sijill::report {

namespace {

// A rule borders a box only where their lengths meet by more than this: the
// rules of the cells above and below end at the box's corners.
constexpr double kTouching = 1;

void addEdges(std::vector<Rule>& rules, const QRectF& r, double halfWidth) {
    rules.push_back({Qt::Horizontal, r.top(), r.left(), r.right(), halfWidth});
    rules.push_back({Qt::Horizontal, r.bottom(), r.left(), r.right(), halfWidth});
    rules.push_back({Qt::Vertical, r.left(), r.top(), r.bottom(), halfWidth});
    rules.push_back({Qt::Vertical, r.right(), r.top(), r.bottom(), halfWidth});
}

} // namespace

std::vector<Rule> rulesOf(const std::vector<DrawnItem>& items) {
    std::vector<Rule> rules;
    for (const DrawnItem& i : items) {
        const double half = i.borderWidth / 2;
        if (i.kind == DrawnItem::Kind::Line) {
            const QRectF r = i.rect.normalized();
            if (std::abs(i.rect.height()) < 0.01)
                rules.push_back({Qt::Horizontal, r.top(), r.left(), r.right(), half});
            else if (std::abs(i.rect.width()) < 0.01)
                rules.push_back({Qt::Vertical, r.left(), r.top(), r.bottom(), half});
        } else if ((i.kind == DrawnItem::Kind::Rect || i.kind == DrawnItem::Kind::RoundedRect) &&
                   i.bordered) {
            addEdges(rules, i.rect.normalized(), half);
        }
    }
    return rules;
}

QMarginsF cellClearance(const QRectF& box, const std::vector<Rule>& rules, double clearance) {
    QMarginsF in;
    const QPointF middle = box.center();
    for (const Rule& r : rules) {
        const bool across = r.orientation == Qt::Horizontal;
        const double low = across ? box.left() : box.top();
        const double high = across ? box.right() : box.bottom();
        if (std::min(high, r.to) - std::max(low, r.from) <= kTouching)
            continue;
        const double inner = r.halfWidth + clearance;
        if (across) {
            if (r.at <= middle.y())
                in.setTop(std::max(in.top(), r.at + inner - box.top()));
            else
                in.setBottom(std::max(in.bottom(), box.bottom() - (r.at - inner)));
        } else {
            if (r.at <= middle.x())
                in.setLeft(std::max(in.left(), r.at + inner - box.left()));
            else
                in.setRight(std::max(in.right(), box.right() - (r.at - inner)));
        }
    }
    return in;
}

} // namespace sijill::report
