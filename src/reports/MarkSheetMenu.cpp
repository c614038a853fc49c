#include "reports/MarkSheetMenu.h"

#include "data/DataError.h"
#include "platform/Fonts.h"
#include "platform/Twips.h"
#include "report/ReportError.h"
#include "report/ReportOutput.h"
#include "reports/MainWindowRunHost.h"
#include "reports/MarkSheetHeaders.h"
#include "reports/MarkSheetItems.h"
#include "reports/NameListMenu.h"
#include "reports/QuranMenu.h"
#include "shell/InfoMain.h"
#include "shell/MainForm.h"

#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace sijill::reports {

namespace menu {

namespace {
constexpr int kItemLeft = 800;
constexpr int kItemWidth = 3800;
// Tall enough for a caption with marks above and below and a margin.
constexpr int kItemHeight = 420;
} // namespace

ClassData& classData(shell::MainForm& form) {
    return installNameListMenu(form)->classData();
}

SchoolHeader schoolHeader(shell::MainForm& form) {
    const shell::SchoolProfile profile = shell::schoolProfile();
    return {profile.Admin, profile.School, profile.ThisYear, form.MinLogo->pixmap().toImage()};
}

const QColor& back() {
    static const QColor c(0xDE, 0xDE, 0xDE); // #DEDEDE
    return c;
}

const QColor& hover() {
    static const QColor c(0xA7, 0xC7, 0xEC); // #A7C7EC
    return c;
}

void setBack(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QLabel* item(const QString& objectName, const QString& caption, int top, QWidget* panel,
             QObject* filter) {
    auto* label = new QLabel(caption, panel);
    label->setObjectName(objectName);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(platform::designedFont(QStringLiteral("Al Ruvo Cool"), 12));
    label->setCursor(Qt::PointingHandCursor);
    label->setMouseTracking(true);
    label->installEventFilter(filter);
    setBack(label, back());
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

} // namespace menu

namespace {

// The mark sheets print a whole grade of the courses system like any other.
class MarkSheetRunHost : public MainWindowRunHost {
public:
    using MainWindowRunHost::MainWindowRunHost;
    bool refusesCoursesWholeGrade() const override { return false; }
};

} // namespace

MarkSheetMenu::MarkSheetMenu(shell::MainForm& form) : QObject(&form), form_(form) {
    setObjectName(QStringLiteral("MarkSheetMenu"));
    build();
    connect(form_.ReportsMarks, &QPushButton::clicked, this,
            [this] { MainForm_ReportsMarks_Click(); });
}

void MarkSheetMenu::build() {
    ToSave.assign(kMarkSheetItemCount, nullptr);
    for (const MarkSheetItem& item : markSheetItems())
        ToSave[item.index] = menu::item(QStringLiteral("ToSave%1").arg(item.index), item.caption,
                                        item.top, form_.StuNames.at(item.panel), this);
}

bool MarkSheetMenu::eventFilter(QObject* watched, QEvent* event) {
    const int i = menu::indexOf(ToSave, watched);
    if (i < 0)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::MouseMove) {
        ToSave_MouseMove(i);
        return true;
    }
    if (menu::isClick(ToSave[i], event)) {
        ToSave_Click(i);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void MarkSheetMenu::ToSave_MouseMove(int index) {
    // The name-list items share the highlight, as far as this menu's indexes go.
    for (int j = 0; j < kMarkSheetItemCount; ++j) {
        if (ToSave[j])
            menu::setBack(ToSave[j], menu::back());
        if (auto* other = form_.findChild<QLabel*>(QStringLiteral("PrNames%1").arg(j)))
            menu::setBack(other, menu::back());
    }
    if (index >= 0 && index < kMarkSheetItemCount && ToSave[index])
        menu::setBack(ToSave[index], menu::hover());
}

void MarkSheetMenu::ToSave_Click(int index) {
    // While a run prints, a click starts no second run and changes nothing.
    if (printRunActive())
        return;
    const MarkSheetItem* item = markSheetItem(index);
    if (!item)
        return;
    ClassData& data = menu::classData(form_);
    auto load = [this, &data](QString* error) {
        form_.Header->click();
        *error = data.loadError();
        return error->isEmpty();
    };
    auto fill = [this](QString* error) {
        form_.ReportsMarks->click();
        *error = fillError_;
        return error->isEmpty();
    };
    MarkSheetRunHost host(form_, load, fill, item->layout, {});
    const report::PreviewCaption caption(item->caption);
    RunInputLock lock(form_);
    lastRun_ = runPrint(host);
}

void MarkSheetMenu::MainForm_ReportsMarks_Click() {
    fillError_.clear();
    const std::optional<ClassLine> line = markClassLineOf(form_.Combo4->currentText());
    if (!line) {
        fillError_ = kBadClassNames;
        return;
    }
    ClassData& data = menu::classData(form_);
    data.HeaderGradeText = line->gradeText;
    data.HeaderClassText = line->classText;
    try {
        fillMarkSheetHeaders(menu::schoolHeader(form_), *line, data.ClassRecordset);
    } catch (const report::ReportError& e) {
        fillError_ = reportFailure(e.message());
    } catch (const data::DataError& e) {
        fillError_ = e.userMessage();
    }
}

void installMarkSheetMenus(shell::MainForm& form) {
    installNameListMenu(form);
    if (!markSheetMenu(form))
        new MarkSheetMenu(form);
    installQuranMenu(form);
}

MarkSheetMenu* markSheetMenu(shell::MainForm& form) {
    return form.findChild<MarkSheetMenu*>(QStringLiteral("MarkSheetMenu"),
                                          Qt::FindDirectChildrenOnly);
}

} // namespace sijill::reports
