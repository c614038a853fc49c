// The main window's menus: the bar, the two drop-downs and the print panel
// with its tabs and scope boxes, and what each item does.
#include "platform/ChildWindow.h"
#include "platform/Fonts.h"
#include "platform/Twips.h"
#include "platform/VbColor.h"
#include "shell/Ask.h"
#include "shell/DeleteAll.h"
#include "shell/HelpWindow.h"
#include "shell/MainForm.h"
#include "shell/ProgramFileChooser.h"
#include "shell/SchoolProfileWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace sijill::shell {

using platform::twips;
using platform::twipsRect;

namespace {

constexpr std::uint32_t kSilver = 0xC0C0C0;
constexpr std::uint32_t kLightBlue = 0xECC7A7;
constexpr std::uint32_t kLightGrey = 0xDEDEDE;
constexpr std::uint32_t kMenuPanel = 0xC8D0D4;
constexpr std::uint32_t kScopeBack = 0x49523C;
constexpr int kPanelOffsetTw = 2500;
// Captions of a disabled window (while another window is open): a dark grey
// that reads on every menu colour, where the style's light grey would vanish
// into the silver of the bar.
constexpr std::uint32_t kDisabledCaption = 0x505050;

void fill(QWidget* w, std::uint32_t colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, platform::vbColor(colour));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QFont menuFont() {
    return platform::windowFont(12);
}

QLabel* menuLabel(const QString& caption, QWidget* parent, const QRect& geometry,
                  std::uint32_t colour, QObject* filter) {
    auto* label = new QLabel(caption, parent);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(menuFont());
    label->setCursor(Qt::PointingHandCursor);
    label->setMouseTracking(true);
    label->installEventFilter(filter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Disabled, QPalette::WindowText, platform::vbColor(kDisabledCaption));
    palette.setColor(QPalette::Disabled, QPalette::Light, Qt::transparent);
    label->setPalette(palette);
    fill(label, colour);
    // The substitute font is wider than the designed one: a caption that
    // would be cut grows towards the left, keeping its right edge.
    const int needed = label->fontMetrics().horizontalAdvance(caption) + 10;
    if (needed > geometry.width())
        label->setGeometry(geometry.adjusted(geometry.width() - needed, 0, 0, 0));
    return label;
}

template <typename T> int indexOf(const std::vector<T*>& v, const QObject* o) {
    for (std::size_t i = 0; i < v.size(); ++i)
        if (v[i] && v[i] == o)
            return static_cast<int>(i);
    return -1;
}

std::size_t slot(MainMenuItem item) {
    return static_cast<std::size_t>(item);
}

constexpr std::size_t kMenuItemSlots = static_cast<std::size_t>(MainMenuItem::Attendance) + 1;

bool isLeftRelease(QEvent* event, QObject* watched) {
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    auto* me = static_cast<QMouseEvent*>(event);
    auto* w = qobject_cast<QWidget*>(watched);
    return me->button() == Qt::LeftButton && w && w->rect().contains(me->position().toPoint());
}

} // namespace

void MainForm::buildMenus() {
    struct Bar {
        int index;
        QString caption;
        int left;
        int width;
    };
    const Bar bars[] = {
        {0, QStringLiteral("بيانات المدرسة"), 1500, 1515},
        {2, QStringLiteral("الكشوفات"), 3195, 2415},
        {3, QStringLiteral("إداري"), 6090, 2415},
        {1, QStringLiteral("الرئيسة"), 9000, 2655},
    };
    barItems.assign(4, nullptr);
    for (const Bar& b : bars) {
        // Down to the drop-downs' top edge, so that the pointer passes from
        // the bar into a drop-down without crossing the window.
        QLabel* label =
            menuLabel(b.caption, this, twipsRect(b.left, 135, b.width, 435), kSilver, this);
        label->setObjectName(QStringLiteral("barItem%1").arg(b.index));
        barItems[b.index] = label;
    }

    dropDowns[1]->setGeometry(twipsRect(9000, 570, 3045, 5865));
    dropDowns[3]->setGeometry(twipsRect(5850, 570, 3045, 2130));
    struct Item {
        int menu;
        MainMenuItem item;
        QString caption;
        int top;
    };
    const Item items[] = {
        {1, MainMenuItem::ImportStudents, QStringLiteral("جلب بيانات الطلاب "), 450},
        {1, MainMenuItem::ImportSkills, QStringLiteral("جلب مهارات المقررات"), 855},
        {1, MainMenuItem::EditStudents, QStringLiteral("تحرير بيانات الطلاب"), 1260},
        {1, MainMenuItem::DeleteAllClasses, QStringLiteral("حذف جميع فصول المدرسة"), 1665},
        {1, MainMenuItem::Help, QStringLiteral("طريقة الاستخدام"), 2325},
        {3, MainMenuItem::ExamControl, QStringLiteral("قوائم الكنترول"), 50},
        {3, MainMenuItem::Committees, QStringLiteral("توزيع الطلاب"), 455},
        {3, MainMenuItem::ExamControlLabels, QStringLiteral("  كل صف لجنة مستقلة"), 855},
        {3, MainMenuItem::Attendance, QStringLiteral("غياب وتأخر الطلاب"), 1260},
    };
    menuItems.assign(kMenuItemSlots, nullptr);
    menuActions_.assign(kMenuItemSlots, {});
    for (const Item& it : items) {
        QLabel* label = menuLabel(it.caption, dropDowns[it.menu], twipsRect(0, it.top, 3120, 375),
                                  kLightGrey, this);
        label->setObjectName(QStringLiteral("menuItem%1").arg(slot(it.item)));
        menuItems[slot(it.item)] = label;
    }
    for (int i : {1, 3}) {
        fill(dropDowns[i], kMenuPanel);
        dropDowns[i]->setMouseTracking(true);
        dropDowns[i]->installEventFilter(this);
    }
    buildPrintPanel();
}

void MainForm::buildPrintPanel() {
    printPanel->setAttribute(Qt::WA_StyledBackground);
    printPanel->setStyleSheet(QStringLiteral("#printPanel { background-color: #3F4A43; "
                                             "border: 1px solid #8FA39A; }"));
    const int tabLefts[] = {6900, 5250, 3585, 1935, 285};
    const QString tabs[] = {QStringLiteral("عام"), QStringLiteral("يومي"),
                            QStringLiteral("فترة - متعدد"), QStringLiteral("فترة - مواد"),
                            QStringLiteral("تحفيظ القرآن")};
    for (int i = 0; i < 5; ++i) {
        QLabel* tab = menuLabel(tabs[i], printPanel, twipsRect(tabLefts[i], 645, 1605, 405),
                                kLightGrey, this);
        tab->setObjectName(QStringLiteral("printTab%1").arg(i));
        printTabs.push_back(tab);

        auto* panel = new QFrame(printPanel);
        panel->setObjectName(QStringLiteral("printTabPanel%1").arg(i));
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setGeometry(twipsRect(kPanelOffsetTw, kPanelOffsetTw, 5400, 5350));
        panel->hide();
        printTabPanels.push_back(panel);
    }
    printTabMarker = new QWidget(printPanel);
    printTabMarker->setObjectName(QStringLiteral("printTabMarker"));
    // A pixel below the tabs, clear of their captions' lowest marks.
    printTabMarker->setGeometry(twipsRect(tabLefts[0], 1065, 1605, 60));
    fill(printTabMarker, kLightBlue);

    auto scope = [this](const QString& caption, const char* name, int left) {
        auto* box = new QCheckBox(caption, printPanel);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(twipsRect(left, 1875, 1680, 360));
        box->setFont(menuFont());
        // White text on the window's green; the box is drawn white, and
        // filled when ticked, so it shows on the dark ground.
        box->setStyleSheet(QStringLiteral("QCheckBox { color: white; background-color: %1; }"
                                          "QCheckBox::indicator { width: 11px; height: 11px; "
                                          "border: 1px solid white; background: white; }"
                                          "QCheckBox::indicator:checked { background: #2E8B57; "
                                          "border: 3px solid white; }")
                               .arg(platform::vbColor(kScopeBack).name()));
        return box;
    };
    wholeGradeCheck = scope(QStringLiteral("جميع الصف"), "wholeGradeCheck", 4440);
    wholeSchoolCheck = scope(QStringLiteral("جميع المدرسة"), "wholeSchoolCheck", 2730);
    connect(wholeSchoolCheck, &QCheckBox::toggled, this, [this] { onWholeSchoolClicked(); });
    connect(wholeGradeCheck, &QCheckBox::toggled, this, [this] { onWholeGradeClicked(); });
    classPicker->raise();
}

bool MainForm::menuEvent(QObject* watched, QEvent* event) {
    const bool move = event->type() == QEvent::MouseMove;
    const bool click = isLeftRelease(event, watched);
    if (!move && !click)
        return false;
    if (int i = indexOf(barItems, watched); i >= 0) {
        move ? onBarItemHovered(i) : onBarItemClicked(i);
        return true;
    }
    if (int i = indexOf(menuItems, watched); i >= 0) {
        if (move)
            onMenuItemHovered(i);
        else
            chooseMenuItem(static_cast<MainMenuItem>(i));
        return true;
    }
    if (int i = indexOf(printTabs, watched); i >= 0) {
        move ? onPrintTabHovered(i) : onPrintTabClicked(i);
        return true;
    }
    if (int i = indexOf(dropDowns, watched); i >= 0 && move) {
        onDropDownHovered(i);
        return true;
    }
    return false;
}

void MainForm::mouseMoveEvent(QMouseEvent* event) {
    onSurfaceHovered();
    QWidget::mouseMoveEvent(event);
}

void MainForm::showDropDown(int index) {
    // One drop-down at a time.
    for (QWidget* menu : dropDowns)
        if (menu != dropDowns.at(index))
            menu->hide();
    dropDowns[index]->show();
    dropDowns[index]->raise();
}

void MainForm::closeDropDowns() {
    for (QWidget* menu : dropDowns)
        menu->hide();
}

void MainForm::onSurfaceHovered() {
    closeDropDowns();
    for (QLabel* bar : barItems)
        fill(bar, kSilver);
}

void MainForm::onBarItemHovered(int index) {
    for (QLabel* bar : barItems)
        fill(bar, kSilver);
    fill(barItems.at(index), kLightBlue);
    // While the print panel is open the bar opens no drop-down.
    if ((index == 1 || index == 3) && printPanel->isHidden())
        showDropDown(index);
}

void MainForm::onDropDownHovered(int index) {
    showDropDown(index);
}

void MainForm::onMenuItemHovered(int index) {
    for (QLabel* item : menuItems)
        if (item)
            fill(item, kLightGrey);
    if (QLabel* item = menuItems.at(index))
        fill(item, kLightBlue);
}

void MainForm::onPrintTabHovered(int index) {
    for (QLabel* tab : printTabs)
        fill(tab, kLightGrey);
    fill(printTabs.at(index), kSilver);
}

void MainForm::onBarItemClicked(int index) {
    switch (index) {
    case 0: {
        // The main window stays enabled (unless loading asks for the profile).
        closeDropDowns();
        SchoolProfileWindow* info = schoolProfileWindow();
        info->show();
        info->raise();
        info->activateWindow();
        break;
    }
    case 1:
    case 3:
        showDropDown(index);
        printPanel->hide();
        break;
    case 2:
        if (classPicker->count() == 0) {
            tell(QStringLiteral("يوجد خطأ في ملفات البرنامج") + QLatin1Char('\r') +
                 QStringLiteral("فضلا، أعد استيراد الأسماء") + QLatin1Char('\r') +
                 QStringLiteral("من نظام نور"));
            return;
        }
        printPanel->show();
        printPanel->raise();
        printTabPanels[0]->show();
        classPicker->setCurrentIndex(0);
        for (QFrame* panel : printTabPanels) {
            panel->hide();
            panel->move(twips(kPanelOffsetTw), twips(kPanelOffsetTw));
            panel->setFrameShape(QFrame::NoFrame);
        }
        printTabPanels[0]->show();
        break;
    default:
        break;
    }
}

void MainForm::onPrintTabClicked(int index) {
    for (QFrame* panel : printTabPanels)
        panel->hide();
    fill(printTabs.at(index), kLightGrey);
    printTabPanels.at(index)->show();
    printTabMarker->move(printTabs[index]->x(), printTabMarker->y());
}

void MainForm::onWholeSchoolClicked() {
    if (wholeSchoolCheck->isChecked())
        wholeGradeCheck->setChecked(false);
}

void MainForm::onWholeGradeClicked() {
    if (wholeGradeCheck->isChecked())
        wholeSchoolCheck->setChecked(false);
}

void MainForm::setMenuAction(MainMenuItem item, std::function<void()> action) {
    if (slot(item) < menuActions_.size())
        menuActions_[slot(item)] = std::move(action);
}

void MainForm::runMenuAction(MainMenuItem item) {
    // A copy: the action may replace itself while it runs.
    const std::function<void()> action = menuActions_.at(slot(item));
    if (action)
        action();
}

bool MainForm::refuseEmptyClassList(const QString& message, Tone tone) {
    if (classPicker->count() > 0)
        return false;
    tell(message, tone);
    return true;
}

void MainForm::chooseMenuItem(MainMenuItem item) {
    const QString noClasses = QStringLiteral(" حصل خطأ في التعرف على أسماء الصفوف");
    // Every item opens a window or a box over this one: its drop-down closes.
    closeDropDowns();
    switch (item) {
    case MainMenuItem::ExamControl:
    case MainMenuItem::ExamControlLabels:
        // Both open the exam-control window, which needs the classes.
        if (refuseEmptyClassList(noClasses, Tone::Alarm))
            return;
        runMenuAction(item);
        break;
    case MainMenuItem::Help:
        setWindowState(windowState() | Qt::WindowMinimized);
        if (HelpWindow* help = helpWindow()) {
            help->show();
            help->raise();
        }
        break;
    case MainMenuItem::DeleteAllClasses:
        deleteAllClasses();
        break;
    case MainMenuItem::ImportStudents:
        // The import: the chooser is made ready for its mode here; the
        // registered action (the import window's workbook choice) sets the
        // pattern and shows it. Without one the window would stay disabled
        // for good.
        if (!menuActions_.at(slot(item)))
            return;
        platform::holdMainWindow(this);
        fileChooser()->titlePicture->hide();
        fileChooser()->actionButton->setText(QStringLiteral("استيراد ابتدائي"));
        runMenuAction(item);
        break;
    default:
        runMenuAction(item);
        break;
    }
}

void MainForm::deleteAllClasses() {
    const Answer answer = ask({QStringLiteral("هل تريد مسح جميع بيانات الفصول"), Buttons::OkCancel,
                               YesEffect::Destroys, Tone::Alarm});
    // Only OK goes on: Cancel and a box closed without a button delete nothing.
    if (answer != Answer::Ok)
        return;
    const std::optional<QString> failure = deleteAllStudents(schoolProfile().School);
    // The classes stay listed; their counts follow the students as they are
    // now, also when a later step failed.
    refreshClassCounts();
    if (failure) {
        tell(*failure, Tone::Alarm);
        return;
    }
    tell(QStringLiteral("لقد تم مسح جمبع البيانات بنجاح"));
}

} // namespace sijill::shell
