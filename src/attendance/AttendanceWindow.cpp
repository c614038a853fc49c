#include "attendance/AttendanceWindow.h"

#include "attendance/AbsenceSheet.h"
#include "attendance/AttendanceStudents.h"
#include "attendance/Texts.h"
#include "data/DataError.h"
#include "dates/CalendarWindow.h"
#include "dates/HijriConversion.h"
#include "dates/Weekdays.h"
#include "platform/AppState.h"
#include "platform/Background.h"
#include "platform/Fonts.h"
#include "platform/OneWindow.h"
#include "platform/Select.h"
#include "platform/Twips.h"
#include "platform/Utf8.h"
#include "platform/WindowPlacement.h"
#include "shell/Ask.h"
#include "shell/ChildOfMainForm.h"
#include "shell/ClassList.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>

namespace sijill::attendance {

using platform::twips;
using platform::twipsRect;

namespace {

constexpr int kWindowWidth = 6810;
constexpr int kPanelTop = 435;
const QColor kWindowBack(0x3F, 0x4A, 0x43);
const QColor kPanelBack(0xEE, 0xF3, 0xF0);
const QColor kDateBack(0xAF, 0xD4, 0xF0); // &HF0D4AF

using platform::windowFont;

QLabel* clickable(QLabel* label, QObject* filter) {
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(filter);
    return label;
}

// A small calendar page: the picture that opens the calendar.
QPixmap calendarPicture(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF page(2, 4, size - 4, size - 6);
    p.setPen(QPen(QColor(0x33, 0x33, 0x33), 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(page, 3, 3);
    p.setBrush(QColor(0xC0, 0x39, 0x2B));
    p.drawRect(QRectF(page.left(), page.top(), page.width(), size / 4.0));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x55, 0x55, 0x55));
    const double cell = (page.width() - 6) / 4.0;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            p.drawRect(QRectF(page.left() + 3 + c * cell + 1,
                              page.top() + size / 4.0 + 3 + r * cell, cell - 2, cell - 2));
    return pm;
}

// The corner picture that removes the date panel.
QPixmap closePanelPicture(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2E, 0x8B, 0x57));
    p.drawEllipse(QRectF(1, 1, size - 2, size - 2));
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
    const double m = size * 0.32;
    p.drawLine(QPointF(m, m), QPointF(size - m, size - m));
    p.drawLine(QPointF(size - m, m), QPointF(m, size - m));
    return pm;
}

// Today's date for the window, or nothing on a Friday or a Saturday (or when
// the text is no date); the weekday comes from the date itself.
std::optional<int> weekdayOfText(const QString& hijriText) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})/(\\d{2})/(\\d{2})$"));
    const QRegularExpressionMatch m = pattern.match(hijriText.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const std::optional<dates::DaySerial> serial =
        dates::HijriToSerial(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    if (!serial || !dates::IsValidHijriDate(m.captured(3).toInt(), m.captured(2).toInt(),
                                            m.captured(1).toInt()))
        return std::nullopt;
    return dates::weekdayOfSerial(*serial);
}

} // namespace

AttendanceWindow* attendanceWindow() {
    return platform::openWindow<AttendanceWindow>().data();
}

AttendanceWindow* loadAttendanceWindow() {
    return platform::openOnce<AttendanceWindow>(
        [] { return new AttendanceWindow(shell::mainForm()); });
}

AttendanceWindow::AttendanceWindow(shell::MainForm* main) : QWidget(nullptr), main_(main) {
    setObjectName(QStringLiteral("AttendanceWindow"));
    setWindowTitle(texts::kWindowCaption);
    shell::childOfMainWindow(this, main);
    setLayoutDirection(Qt::RightToLeft);
    // Closing the window unloads it; the next use loads it afresh.
    setAttribute(Qt::WA_DeleteOnClose);
    platform::fillBackground(this, kWindowBack);
    build();
    loadWindow();
}

AttendanceWindow::~AttendanceWindow() {
    if (dates::CalendarWindow* calendar = dates::calendarWindow())
        calendar->withdraw(this);
}

void AttendanceWindow::build() {
    auto* heading = new QLabel(texts::kWindowCaption, this);
    heading->setObjectName(QStringLiteral("Heading"));
    heading->setGeometry(twipsRect(90, 15, kWindowWidth - 180, kPanelTop - 30));
    heading->setAlignment(Qt::AlignCenter);
    heading->setFont(windowFont(12, 700));
    heading->setStyleSheet(QStringLiteral("color: white;"));

    optionsPanel = new QFrame(this);
    optionsPanel->setObjectName(QStringLiteral("optionsPanel"));
    optionsPanel->setGeometry(twipsRect(90, kPanelTop, 6510, 3300));
    platform::fillBackground(optionsPanel, kPanelBack);

    classPicker = new QComboBox(optionsPanel);
    classPicker->setObjectName(QStringLiteral("classPicker"));
    classPicker->setGeometry(twipsRect(600, 300, 5310, 420));
    classPicker->setFont(windowFont(11));
    connect(classPicker, &QComboBox::activated, this, [this] { onClassPicked(); });

    auto button = [this](const char* name, const QString& caption, int top) {
        auto* b = new QPushButton(caption, optionsPanel);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(twipsRect(600, top, 5310, 525));
        b->setFont(windowFont(11));
        return b;
    };
    sheetButton = button("sheetButton", texts::kSheetButton, 1000);
    connect(sheetButton, &QPushButton::clicked, this, [this] { onSheetClicked(); });
    latenessButton = button("latenessButton", texts::kLatenessButton, 1700);

    oneStudentNoticeCheck = new QCheckBox(texts::kOneStudentNotice, optionsPanel);
    oneStudentNoticeCheck->setObjectName(QStringLiteral("oneStudentNoticeCheck"));
    oneStudentNoticeCheck->setGeometry(twipsRect(600, 2400, 5310, 420));
    oneStudentNoticeCheck->setFont(windowFont(11));
    connect(oneStudentNoticeCheck, &QCheckBox::clicked, this,
            [this] { onOneStudentNoticeClicked(); });

    buildDatePanel();

    // Stores and entry points kept out of view.
    classItems = new QComboBox(datePanel);
    classItems->setObjectName(QStringLiteral("classItems"));
    classItems->hide();
    studentNameList = new QListWidget(datePanel);
    studentNameList->setObjectName(QStringLiteral("studentNameList"));
    studentNameList->hide();
    connect(studentNameList, &QListWidget::itemClicked, this, [this] { onStudentClicked(); });
    civilNumberList = new QListWidget(datePanel);
    civilNumberList->setObjectName(QStringLiteral("civilNumberList"));
    civilNumberList->hide();
    openCalendarButton = new QPushButton(this);
    openCalendarButton->setObjectName(QStringLiteral("openCalendarButton"));
    openCalendarButton->hide();
    connect(openCalendarButton, &QPushButton::clicked, this, [this] { onOpenCalendarClicked(); });
    upgradeButton = new QPushButton(this);
    upgradeButton->setObjectName(QStringLiteral("upgradeButton"));
    upgradeButton->hide();
    connect(upgradeButton, &QPushButton::clicked, this, [this] { onUpgradeClicked(); });
}

void AttendanceWindow::buildDatePanel() {
    datePanel = new QFrame(this);
    datePanel->setObjectName(QStringLiteral("datePanel"));
    platform::fillBackground(datePanel, kPanelBack);
    datePanel->hide();

    closeDatePanelButton = clickable(new QLabel(datePanel), this);
    closeDatePanelButton->setObjectName(QStringLiteral("closeDatePanelButton"));
    closeDatePanelButton->setGeometry(twipsRect(60, 60, 390, 390));
    closeDatePanelButton->setPixmap(closePanelPicture(twips(390)));

    dateStrip = new QFrame(datePanel);
    dateStrip->setObjectName(QStringLiteral("dateStrip"));
    dateStrip->setGeometry(twipsRect(240, 600, 6030, 600));
    platform::fillBackground(dateStrip, kDateBack);

    chooseDateButton = clickable(new QLabel(dateStrip), this);
    chooseDateButton->setObjectName(QStringLiteral("chooseDateButton"));
    chooseDateButton->setGeometry(twipsRect(5460, 75, 450, 450));
    chooseDateButton->setPixmap(calendarPicture(twips(450)));

    auto dateLabel = [this](const char* name, int left, int width) {
        auto* label = clickable(new QLabel(texts::kNoDate, dateStrip), this);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(twipsRect(left, 75, width, 450));
        label->setAlignment(Qt::AlignCenter);
        label->setFont(windowFont(12, 700));
        return label;
    };
    weekdayLabel = dateLabel("weekdayLabel", 4200, 1200);
    chosenDateLabel = dateLabel("chosenDateLabel", 2400, 1740);

    pickClassLabel = new QLabel(texts::kPickClass, dateStrip);
    pickClassLabel->setObjectName(QStringLiteral("pickClassLabel"));
    pickClassLabel->setGeometry(twipsRect(120, 75, 2160, 450));
    pickClassLabel->setAlignment(Qt::AlignCenter);
    pickClassLabel->setFont(windowFont(11));
}

bool AttendanceWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    auto* me = static_cast<QMouseEvent*>(event);
    auto* w = qobject_cast<QWidget*>(watched);
    if (me->button() != Qt::LeftButton || !w || !w->rect().contains(me->position().toPoint()))
        return QWidget::eventFilter(watched, event);
    if (watched == closeDatePanelButton) {
        onCloseDatePanelClicked();
        return true;
    }
    if (watched == chooseDateButton || watched == weekdayLabel || watched == chosenDateLabel) {
        openCalendarButton->click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void AttendanceWindow::loadWindow() {
    upgradeButton->click();
    if (main_) {
        // The main window has no frame; this one's frame (title bar
        // included) starts where the main window starts.
        const QRect m = main_->geometry();
        resize(twips(kWindowWidth), m.height());
        move(m.x() + twips(1800), m.y());
    } else {
        resize(twips(kWindowWidth), twips(10520));
    }
    // Beside the main window, but never with its title bar (and so its close
    // button) off the screen.
    platform::keepOnScreen(this);
    fillPickers();
    platform::select(classItems, 0, [this] { onClassItemChosen(); });
    platform::select(classPicker, 0, [this] { onClassPicked(); });
    datePanel->setGeometry(twipsRect(90, kPanelTop, 6510, 10755));
    datePanel->setFrameShape(QFrame::NoFrame);
    datePanel->show();
    datePanel->raise();
    showTodayUnlessWeekend();
}

void AttendanceWindow::fillPickers() {
    classItems->addItem(texts::kAllClasses);
    classPicker->addItem(texts::kAllClasses);
    if (!main_)
        return;
    // The class keys are read without moving the main window's selection, so
    // the class the user chose there stays chosen.
    for (int i = 0; i < main_->classPicker->count(); ++i) {
        const QString key = main_->classPicker->itemText(i);
        const shell::ClassKey k = shell::ClassKey::parts(key).value_or(shell::ClassKey{key, {}});
        const QString item = k.grade + QLatin1Char(':') + k.cls;
        // The grade and the class stay beside the joined text.
        classItems->addItem(item, QStringList{k.grade, k.cls});
        classPicker->addItem(item);
    }
}

void AttendanceWindow::showTodayUnlessWeekend() {
    if (!main_)
        return;
    const QString today = main_->todayDate->text();
    const std::optional<int> weekday = weekdayOfText(today);
    if (!weekday || *weekday >= 5)
        return; // Friday, Saturday: "-" until a date is picked
    chosenDateLabel->setText(today.trimmed());
    weekdayLabel->setText(platform::fromUtf8(dates::weekdayName(*weekday)));
}

void AttendanceWindow::onUpgradeClicked() {
    upgrade_ = upgradeAttendanceTables();
}

void AttendanceWindow::onClassPicked() {
    platform::select(classItems, classPicker->currentIndex(), [this] { onClassItemChosen(); });
}

void AttendanceWindow::onClassItemChosen() {
    if (classItems->currentIndex() <= 0)
        return;
    if (!loadClass(classItems->currentIndex()))
        shell::tell(loadError_);
}

std::optional<ClassItemText> AttendanceWindow::classAt(int index) const {
    const QStringList kept = classItems->itemData(index).toStringList();
    if (kept.size() == 2)
        return ClassItemText{kept[0], kept[1]};
    return splitClassItem(classItems->itemText(index));
}

bool AttendanceWindow::loadClass(int index) {
    studentNameList->clear();
    civilNumberList->clear();
    loadError_.clear();
    const ClassItemText cls =
        classAt(index).value_or(ClassItemText{classItems->itemText(index), {}});
    try {
        const ClassStudents students = loadAttendanceStudents(cls.grade, cls.cls);
        studentNameList->addItems(students.names);
        civilNumberList->addItems(students.civilNumbers);
    } catch (const data::DataError& e) {
        loadError_ = e.userMessage();
        return false;
    }
    return true;
}

void AttendanceWindow::onOpenCalendarClicked() {
    dates::CalendarWindow* calendar = dates::loadCalendarWindow(main_.data());
    if (calendar)
        calendar->openFor(dates::CalendarRequest::attendanceDay(), this);
}

void AttendanceWindow::onCloseDatePanelClicked() {
    datePanel->hide();
}

void AttendanceWindow::onStudentClicked() {
    // Nothing acts on a single student yet.
}

void AttendanceWindow::onOneStudentNoticeClicked() {
    studentNameList->clearSelection();
    studentNameList->setCurrentRow(-1);
}

void AttendanceWindow::prepareForMonthSheet() {
    sheetButton->setText(texts::kMonthSheetName);
    latenessButton->hide();
    oneStudentNoticeCheck->hide();
}

void AttendanceWindow::receiveCalendarDate(const dates::CalendarRequest&,
                                           const dates::PickedDate& date) {
    chosenDateLabel->setText(QString::fromStdString(date.hijriText));
    weekdayLabel->setText(QString::fromStdString(date.weekday));
    // The request has ended: nothing else may take the next pick for this window.
    appState().AbsenceMonthMode = false;
    show();
    setEnabled(true);
    raise();
    activateWindow();
    setFocus();
}

void AttendanceWindow::calendarRequestEnded(const dates::CalendarRequest&) {
    // Asked for by the name-list menu and never shown: nothing to go back to.
    if (!isVisible())
        close();
}

void AttendanceWindow::closeEvent(QCloseEvent* event) {
    // The window stays while its run prints: the run ends as it does.
    if (running_) {
        event->ignore();
        return;
    }
    appState().AbsenceMonthMode = false;
    event->accept();
}

} // namespace sijill::attendance
