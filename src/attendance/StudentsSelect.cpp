#include "attendance/StudentsSelect.h"

#include "attendance/AbsenceSheet.h"
#include "attendance/AttendanceStudents.h"
#include "attendance/Texts.h"
#include "data/DataError.h"
#include "dates/CalendarWindow.h"
#include "dates/HijriConversion.h"
#include "dates/Weekdays.h"
#include "platform/AppState.h"
#include "platform/Fonts.h"
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

QPointer<StudentsSelect>& loaded() {
    static QPointer<StudentsSelect> window;
    return window;
}

constexpr int kWindowWidth = 6810;
constexpr int kPanelTop = 435;
const QColor kWindowBack(0x3F, 0x4A, 0x43);
const QColor kPanelBack(0xEE, 0xF3, 0xF0);
const QColor kDateBack(0xAF, 0xD4, 0xF0); // &HF0D4AF

QFont windowFont(double points, int weight = 400) {
    return platform::designedFont(QStringLiteral("Al Ruvo Cool"), points, weight);
}

void fillBack(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

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

StudentsSelect* studentsSelect() {
    return loaded().data();
}

StudentsSelect* loadStudentsSelect() {
    if (!loaded())
        loaded() = new StudentsSelect(shell::mainForm());
    return loaded().data();
}

StudentsSelect::StudentsSelect(shell::MainForm* main) : QWidget(nullptr), main_(main) {
    setObjectName(QStringLiteral("StudentsSelect"));
    setWindowTitle(texts::kWindowCaption);
    shell::childOfMainWindow(this, main);
    setLayoutDirection(Qt::RightToLeft);
    // Closing the window unloads it; the next use loads it afresh.
    setAttribute(Qt::WA_DeleteOnClose);
    fillBack(this, kWindowBack);
    build();
    Form_Load();
}

StudentsSelect::~StudentsSelect() {
    if (dates::CalendarWindow* calendar = dates::calendarWindow())
        calendar->withdraw(this);
}

void StudentsSelect::build() {
    auto* heading = new QLabel(texts::kWindowCaption, this);
    heading->setObjectName(QStringLiteral("Heading"));
    heading->setGeometry(twipsRect(90, 15, kWindowWidth - 180, kPanelTop - 30));
    heading->setAlignment(Qt::AlignCenter);
    heading->setFont(windowFont(12, 700));
    heading->setStyleSheet(QStringLiteral("color: white;"));

    Picture5 = new QFrame(this);
    Picture5->setObjectName(QStringLiteral("Picture5"));
    Picture5->setGeometry(twipsRect(90, kPanelTop, 6510, 3300));
    fillBack(Picture5, kPanelBack);

    Combo1 = new QComboBox(Picture5);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setGeometry(twipsRect(600, 300, 5310, 420));
    Combo1->setFont(windowFont(11));
    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });

    auto button = [this](const char* name, const QString& caption, int top) {
        auto* b = new QPushButton(caption, Picture5);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(twipsRect(600, top, 5310, 525));
        b->setFont(windowFont(11));
        return b;
    };
    Command10 = button("Command10", texts::kSheetButton, 1000);
    connect(Command10, &QPushButton::clicked, this, [this] { Command10_Click(); });
    Command3 = button("Command3", texts::kLatenessButton, 1700);

    Check3 = new QCheckBox(texts::kOneStudentNotice, Picture5);
    Check3->setObjectName(QStringLiteral("Check3"));
    Check3->setGeometry(twipsRect(600, 2400, 5310, 420));
    Check3->setFont(windowFont(11));
    connect(Check3, &QCheckBox::clicked, this, [this] { Check3_Click(); });

    buildDatePanel();

    // Stores and entry points kept out of view.
    Combo4 = new QComboBox(PicNew);
    Combo4->setObjectName(QStringLiteral("Combo4"));
    Combo4->hide();
    SelectList = new QListWidget(PicNew);
    SelectList->setObjectName(QStringLiteral("SelectList"));
    SelectList->hide();
    connect(SelectList, &QListWidget::itemClicked, this, [this] { SelectList_Click(); });
    List1 = new QListWidget(PicNew);
    List1->setObjectName(QStringLiteral("List1"));
    List1->hide();
    Command9 = new QPushButton(this);
    Command9->setObjectName(QStringLiteral("Command9"));
    Command9->hide();
    connect(Command9, &QPushButton::clicked, this, [this] { Command9_Click(); });
    cmdAddIdToEmploee = new QPushButton(this);
    cmdAddIdToEmploee->setObjectName(QStringLiteral("cmdAddIdToEmploee"));
    cmdAddIdToEmploee->hide();
    connect(cmdAddIdToEmploee, &QPushButton::clicked, this, [this] { cmdAddIdToEmploee_Click(); });
}

void StudentsSelect::buildDatePanel() {
    PicNew = new QFrame(this);
    PicNew->setObjectName(QStringLiteral("PicNew"));
    fillBack(PicNew, kPanelBack);
    PicNew->hide();

    ImNew = clickable(new QLabel(PicNew), this);
    ImNew->setObjectName(QStringLiteral("ImNew"));
    ImNew->setGeometry(twipsRect(60, 60, 390, 390));
    ImNew->setPixmap(closePanelPicture(twips(390)));

    Picture3 = new QFrame(PicNew);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    Picture3->setGeometry(twipsRect(240, 600, 6030, 600));
    fillBack(Picture3, kDateBack);

    ChooseDate = clickable(new QLabel(Picture3), this);
    ChooseDate->setObjectName(QStringLiteral("ChooseDate"));
    ChooseDate->setGeometry(twipsRect(5460, 75, 450, 450));
    ChooseDate->setPixmap(calendarPicture(twips(450)));

    auto dateLabel = [this](const char* name, int left, int width) {
        auto* label = clickable(new QLabel(texts::kNoDate, Picture3), this);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(twipsRect(left, 75, width, 450));
        label->setAlignment(Qt::AlignCenter);
        label->setFont(windowFont(12, 700));
        return label;
    };
    DayName = dateLabel("DayName", 4200, 1200);
    Today = dateLabel("Today", 2400, 1740);

    Label1 = new QLabel(texts::kPickClass, Picture3);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(120, 75, 2160, 450));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(windowFont(11));
}

bool StudentsSelect::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    auto* me = static_cast<QMouseEvent*>(event);
    auto* w = qobject_cast<QWidget*>(watched);
    if (me->button() != Qt::LeftButton || !w || !w->rect().contains(me->position().toPoint()))
        return QWidget::eventFilter(watched, event);
    if (watched == ImNew) {
        ImNew_Click();
        return true;
    }
    if (watched == ChooseDate || watched == DayName || watched == Today) {
        Command9->click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void StudentsSelect::Form_Load() {
    cmdAddIdToEmploee->click();
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
    platform::select(Combo4, 0, [this] { Combo4_Click(); });
    platform::select(Combo1, 0, [this] { Combo1_Click(); });
    PicNew->setGeometry(twipsRect(90, kPanelTop, 6510, 10755));
    PicNew->setFrameShape(QFrame::NoFrame);
    PicNew->show();
    PicNew->raise();
    showTodayUnlessWeekend();
}

void StudentsSelect::fillPickers() {
    Combo4->addItem(texts::kAllClasses);
    Combo1->addItem(texts::kAllClasses);
    if (!main_)
        return;
    // The class keys are read without moving the main window's selection, so
    // the class the user chose there stays chosen.
    for (int i = 0; i < main_->classPicker->count(); ++i) {
        const QString key = main_->classPicker->itemText(i);
        const shell::ClassKey k = shell::ClassKey::parts(key).value_or(shell::ClassKey{key, {}});
        const QString item = k.grade + QLatin1Char(':') + k.cls;
        // The grade and the class stay beside the joined text.
        Combo4->addItem(item, QStringList{k.grade, k.cls});
        Combo1->addItem(item);
    }
}

void StudentsSelect::showTodayUnlessWeekend() {
    if (!main_)
        return;
    const QString today = main_->todayDate->text();
    const std::optional<int> weekday = weekdayOfText(today);
    if (!weekday || *weekday >= 5)
        return; // Friday, Saturday: "-" until a date is picked
    Today->setText(today.trimmed());
    DayName->setText(platform::fromUtf8(dates::weekdayName(*weekday)));
}

void StudentsSelect::cmdAddIdToEmploee_Click() {
    upgrade_ = upgradeAttendanceTables();
}

void StudentsSelect::Combo1_Click() {
    platform::select(Combo4, Combo1->currentIndex(), [this] { Combo4_Click(); });
}

void StudentsSelect::Combo4_Click() {
    if (Combo4->currentIndex() <= 0)
        return;
    if (!loadClass(Combo4->currentIndex()))
        shell::tell(loadError_);
}

std::optional<ClassItemText> StudentsSelect::classAt(int index) const {
    const QStringList kept = Combo4->itemData(index).toStringList();
    if (kept.size() == 2)
        return ClassItemText{kept[0], kept[1]};
    return splitClassItem(Combo4->itemText(index));
}

bool StudentsSelect::loadClass(int index) {
    SelectList->clear();
    List1->clear();
    loadError_.clear();
    const ClassItemText cls = classAt(index).value_or(ClassItemText{Combo4->itemText(index), {}});
    try {
        const ClassStudents students = loadAttendanceStudents(cls.grade, cls.cls);
        SelectList->addItems(students.names);
        List1->addItems(students.civilNumbers);
    } catch (const data::DataError& e) {
        loadError_ = e.userMessage();
        return false;
    }
    return true;
}

void StudentsSelect::Command9_Click() {
    dates::CalendarWindow* calendar = dates::loadCalendarWindow(main_.data());
    if (calendar)
        calendar->openFor(dates::CalendarRequest::attendanceDay(), this);
}

void StudentsSelect::ImNew_Click() {
    PicNew->hide();
}

void StudentsSelect::SelectList_Click() {
    // Nothing acts on a single student yet.
}

void StudentsSelect::Check3_Click() {
    SelectList->clearSelection();
    SelectList->setCurrentRow(-1);
}

void StudentsSelect::prepareForMonthSheet() {
    Command10->setText(texts::kMonthSheetButton);
    Command3->hide();
    Check3->hide();
}

void StudentsSelect::receiveCalendarDate(const dates::CalendarRequest&,
                                         const dates::PickedDate& date) {
    Today->setText(QString::fromStdString(date.hijriText));
    DayName->setText(QString::fromStdString(date.weekday));
    // The request has ended: nothing else may take the next pick for this window.
    appState().AbsenceMonthMode = false;
    show();
    setEnabled(true);
    raise();
    activateWindow();
    setFocus();
}

void StudentsSelect::calendarRequestEnded(const dates::CalendarRequest&) {
    // Asked for by the name-list menu and never shown: nothing to go back to.
    if (!isVisible())
        close();
}

void StudentsSelect::closeEvent(QCloseEvent* event) {
    appState().AbsenceMonthMode = false;
    event->accept();
}

} // namespace sijill::attendance
