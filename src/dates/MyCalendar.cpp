#include "dates/MyCalendar.h"

#include "dates/CalendarArtwork.h"
#include "dates/CalendarRequester.h"
#include "dates/CalendarTexts.h"
#include "dates/CalendarYear.h"
#include "dates/DateText.h"
#include "platform/AppState.h"
#include "platform/ChildWindow.h"
#include "platform/Clock.h"
#include "platform/Fonts.h"
#include "platform/Presenters.h"
#include "platform/TopMost.h"
#include "platform/Twips.h"
#include "platform/Utf8.h"
#include "platform/VbColor.h"
#include "platform/WindowDrag.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>

namespace sijill::dates {

using platform::twips;
using platform::twipsRect;
using platform::vbColor;

namespace {

QPointer<MyCalendar>& loaded() {
    static QPointer<MyCalendar> calendar;
    return calendar;
}

constexpr std::uint32_t kButtonFace = 0x8000000F;
constexpr std::uint32_t kBandColour = 0xD7E5E4;
constexpr std::uint32_t kPickedBack = 0x00FF00;

QLabel* storeLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QFrame* marker(QWidget* parent, const QString& name, std::uint32_t fill, std::uint32_t border,
               bool filled) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setStyleSheet(QStringLiteral("QFrame#%1 { background: %2; border: 2px solid %3; }")
                             .arg(name,
                                  filled ? vbColor(fill).name() : QStringLiteral("transparent"),
                                  vbColor(border).name()));
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    return frame;
}

// The substitute fonts run wider than the designed ones: shrink a label's font
// until its text fits rather than cut it.
void setFittedText(QLabel* label, const QString& text, double designedPoints) {
    QFont f = label->font();
    f.setPointSizeF(designedPoints);
    const int room = label->width() - 4;
    while (f.pointSizeF() > 7.0 && QFontMetrics(f).horizontalAdvance(text) > room)
        f.setPointSizeF(f.pointSizeF() - 0.5);
    label->setFont(f);
    label->setText(text);
}

} // namespace

MyCalendar* myCalendar() {
    return loaded().data();
}

MyCalendar* loadMyCalendar(QWidget* mainWindow) {
    // A calendar serves one main window: another main window is another run.
    if (loaded() && mainWindow && loaded()->mainWindow() != mainWindow)
        delete loaded().data();
    if (!loaded()) {
        loaded() = new MyCalendar(mainWindow);
        loaded()->formLoad();
    }
    return loaded().data();
}

MyCalendar::MyCalendar(QWidget* mainWindow)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("MyCalendar"));
    setWindowTitle(platform::fromUtf8(kCalendarCaption));
    new platform::ChildWindow(this, {.mainWindow = [this] { return mainWindow_.data(); },
                                     .escape = [this] { MyCalendar_Image2_Click(); }});
    setLayoutDirection(Qt::RightToLeft);
    // Closing through the system unloads the window; the next use loads it again.
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twips(kCalendarWidth), twips(kCalendarHeight));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, vbColor(kButtonFace));
    setPalette(pal);
    setAutoFillBackground(true);
    buildStores();
    buildSurface();
    auto* drag = new platform::WindowDrag(this);
    drag->addSurface(this);
}

MyCalendar::~MyCalendar() {
    if (requester_)
        endRequest(true);
}

void MyCalendar::buildStores() {
    stores_ = new QWidget(this);
    stores_->setObjectName(QStringLiteral("Picture3"));
    stores_->setGeometry(twipsRect(0, kCalendarHeight + 100, kCalendarWidth, 600));
    stores_->hide();

    Combo1 = new QComboBox(stores_);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    for (std::size_t k = 0; k < kCalendarMonthEntries.size(); ++k)
        Combo1->addItem(platform::fromUtf8(kCalendarMonthEntries[k]), static_cast<int>(k) + 1);
    Combo2 = new QComboBox(stores_);
    Combo2->setObjectName(QStringLiteral("Combo2"));
    for (int y = kCalendarFirstYear; y <= kCalendarLastYear; ++y)
        Combo2->addItem(QString::number(y));

    MyToday = new QPushButton(platform::fromUtf8(kCalendarTodayCaption), stores_);
    MyToday->setObjectName(QStringLiteral("MyToday"));
    connect(MyToday, &QPushButton::clicked, this, [this] { MyCalendar_MyToday_Click(); });

    DateYearH = storeLabel(stores_, "DateYearH");
    Label4 = storeLabel(stores_, "Label4");
    Label2 = storeLabel(stores_, "Label2");
    Label9 = storeLabel(stores_, "Label9");
    DaySart = storeLabel(stores_, "DaySart");
    DayOfWeek = storeLabel(stores_, "DayOfWeek");
    DayStartName = storeLabel(stores_, "DayStartName");
    DayLast = storeLabel(stores_, "DayLast");
    for (int k = 0; k < kGridCells; ++k) {
        QLabel* twin = storeLabel(stores_, "MyCalendarD");
        twin->setObjectName(QStringLiteral("MyCalendarD%1").arg(k));
        twin->setText(QString::number(k));
        MyCalendarD.push_back(twin);
    }
}

void MyCalendar::buildSurface() {
    // Markers first: the day cells and month buttons lie over them.
    Day36 = new QLabel(this);
    Day36->setObjectName(QStringLiteral("Day36"));
    Day36->setGeometry(twipsRect(4005, 4515, 750, 675));
    Day36->setPixmap(framedCell());
    Day36->hide();

    ShMonth = marker(this, QStringLiteral("ShMonth"), 0x00C000, 0x00C000, true);
    ShMonth->setGeometry(twipsRect(kMonthButtonLeft, kMonthButtonTop, 150, 280));
    Shape4 = marker(this, QStringLiteral("Shape4"), 0, 0x0089FF, false);
    Shape4->setGeometry(twipsRect(kMonthButtonLeft + kMonthButtonWidth - 1455, kMonthButtonTop,
                                  1455, kMonthButtonHeight - 15));

    Shape1.push_back(marker(this, QStringLiteral("Shape1_0"), 0x80C0FF, 0x80C0FF, true));
    Shape1.push_back(marker(this, QStringLiteral("Shape1_1"), 0xF0CAA6, 0x000000, true));
    Shape1.push_back(marker(this, QStringLiteral("Shape1_2"), 0xE9DEC7, 0xC6A463, true));
    for (QFrame* shape : Shape1)
        shape->setGeometry(twipsRect(-1000, -1000, kGridCellSize, kGridCellSize));
    Shape1[1]->hide();

    const QFont dayFont = platform::designedFont(QStringLiteral("Al Ruvo Cool"), 18);
    for (int k = 0; k < kGridCells; ++k) {
        auto* cell = new QLabel(QString::number(k), this);
        cell->setObjectName(QStringLiteral("MyDay%1").arg(k));
        cell->setGeometry(twipsRect(gridCellLeft(k), gridCellTop(k), kGridCellSize, kGridCellSize));
        cell->setAlignment(Qt::AlignCenter);
        cell->setFont(dayFont);
        cell->setMouseTracking(true);
        cell->setCursor(Qt::PointingHandCursor);
        cell->installEventFilter(this);
        MyDay.push_back(cell);
    }

    for (int k = 0; k < 12; ++k) {
        auto* button = new QLabel(this);
        button->setObjectName(QStringLiteral("Image1_%1").arg(k));
        button->setGeometry(monthButtonRect(k));
        button->setMouseTracking(true);
        button->setCursor(Qt::PointingHandCursor);
        button->installEventFilter(this);
        Image1.push_back(button);
    }

    MyNote = new QLabel(this);
    MyNote->setObjectName(QStringLiteral("MyNote"));
    MyNote->setGeometry(twipsRect(210, 450, 4350, 495));
    MyNote->setAlignment(Qt::AlignCenter);
    MyNote->setWordWrap(true);
    MyNote->setFont(platform::designedFont(QStringLiteral("Tahoma"), 9.75));
    MyNote->setAutoFillBackground(true);
    QPalette notePal = MyNote->palette();
    notePal.setColor(QPalette::Window, vbColor(0xC0FFFF));
    MyNote->setPalette(notePal);
    MyNote->hide();

    // The picked-date band: weekday, Hijri date, Gregorian date.
    auto bandLabel = [this](const char* name, const QRect& r, double points) {
        QLabel* label = storeLabel(this, name);
        label->setGeometry(r);
        label->setAlignment(Qt::AlignCenter);
        label->setFont(platform::designedFont(QStringLiteral("Al Ruvo Cool"), points));
        label->setAutoFillBackground(true);
        QPalette pal = label->palette();
        pal.setColor(QPalette::Window, vbColor(kBandColour));
        pal.setColor(QPalette::WindowText, vbColor(0x80000008));
        label->setPalette(pal);
        return label;
    };
    Lab = bandLabel("Lab", twipsRect(3090, 4590, 900, 435), 14.25);
    Lab->setText(platform::fromUtf8(kCalendarWeekdayDesign));
    // The two dates share the band's width evenly: either holds ten figures.
    Label5 = bandLabel("Label5", twipsRect(1680, 4590, 1365, 480), 15.75);
    Label6 = bandLabel("Label6", twipsRect(270, 4590, 1365, 480), 15.75);

    Command6 = new QPushButton(platform::fromUtf8(kCalendarOkCaption), this);
    Command6->setObjectName(QStringLiteral("Command6"));
    Command6->setGeometry(twipsRect(795, 5205, 3270, 525));
    Command6->setFont(platform::designedFont(QStringLiteral("Al Ruvo Cool"), 12));
    connect(Command6, &QPushButton::clicked, this, [this] { MyCalendar_Command6_Click(); });

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(twipsRect(30, 15, 465, 285));
    Image2->setAlignment(Qt::AlignCenter);
    Image2->setText(QStringLiteral("×"));
    Image2->setFont(platform::designedFont(QStringLiteral("Tahoma"), 12, 700));
    Image2->setStyleSheet(QStringLiteral("color: white;"));
    Image2->setCursor(Qt::PointingHandCursor);
    Image2->installEventFilter(this);
}

void MyCalendar::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter p(this);
    paintCalendarArtwork(p);
}

bool MyCalendar::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseMove)
        return QWidget::eventFilter(watched, event);
    const bool leftRelease = type == QEvent::MouseButtonRelease &&
                             static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    if (watched == Image2) {
        if (leftRelease)
            MyCalendar_Image2_Click();
        return type != QEvent::MouseMove;
    }
    for (int k = 0; k < kGridCells; ++k) {
        if (watched != MyDay[static_cast<std::size_t>(k)])
            continue;
        if (type == QEvent::MouseMove)
            MyCalendar_MyDay_MouseMove(k);
        else if (leftRelease)
            MyCalendar_MyDay_Click(k);
        return true; // a press on a cell starts no drag
    }
    for (int k = 0; k < 12; ++k) {
        if (watched != Image1[static_cast<std::size_t>(k)])
            continue;
        if (type == QEvent::MouseMove)
            MyCalendar_Image1_MouseMove(k);
        else if (leftRelease)
            MyCalendar_Image1_Click(k);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool MyCalendar::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        placeOverMainWindow();
    return QWidget::event(event);
}

void MyCalendar::closeEvent(QCloseEvent* event) {
    // Closed through the system: a beep, and the window unloads. The request
    // it served ends as if closed with its own button.
    QApplication::beep();
    endRequest(true);
    event->accept();
}

void MyCalendar::keyPressEvent(QKeyEvent* event) {
    // Enter is the window's OK.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        MyCalendar_Command6_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MyCalendar::placeOverMainWindow() {
    if (!mainWindow_)
        return;
    const QRect main = mainWindow_->geometry();
    move(main.x() + main.width() / 2 - width() / 2, main.y() + twips(600));
}

void MyCalendar::formLoad() {
    platform::SetTopMost(this);
    const QDate today = platform::Clock::today();
    const auto serial = gregorianToSerial(today.day(), today.month(), today.year());
    model_.open(serial.value_or(0));

    Label4->setText(QString::number(model_.today().day));
    Label2->setText(QString::number(model_.monthIndex()));
    Label9->setText(QString::number(model_.yearIndex()));
    showGrid();
    if (model_.todayCell() >= 0)
        moveMarker(Shape1[0], model_.todayCell());
    showPreview();
    showFacts();
    const int month = model_.monthIndex() < 0 ? 0 : model_.monthIndex();
    Shape4->move(Shape4->x(), Image1[static_cast<std::size_t>(month)]->y());
}

void MyCalendar::showGrid() {
    const MonthGrid& grid = model_.grid();
    const std::optional<int> coloured = model_.colouredCell();
    for (int k = 0; k < kGridCells; ++k) {
        const auto i = static_cast<std::size_t>(k);
        QLabel* cell = MyDay[i];
        cell->setText(platform::fromUtf8(grid.dayCaption[i]));
        cell->setVisible(grid.visible[i]);
        MyCalendarD[i]->setText(platform::fromUtf8(grid.gregorianCaption[i]));
        MyCalendarD[i]->setVisible(grid.visible[i]);
        const bool green = coloured && *coloured == k;
        cell->setAutoFillBackground(green);
        if (green) {
            QPalette pal = cell->palette();
            pal.setColor(QPalette::Window, vbColor(kPickedBack));
            cell->setPalette(pal);
        }
    }
    Day36->setVisible(grid.usesSixthRow());
    DateYearH->setText(grid.year > 0 ? platform::fromUtf8(zeroPadded(grid.year, 4)) : QString());
    {
        const QSignalBlocker blockMonth(Combo1);
        const QSignalBlocker blockYear(Combo2);
        Combo1->setCurrentIndex(model_.monthIndex());
        Combo2->setCurrentIndex(model_.yearIndex());
    }
    if (model_.monthIndex() >= 0)
        ShMonth->move(ShMonth->x(), Image1[static_cast<std::size_t>(model_.monthIndex())]->y());

    const int todayCell = model_.todayCell();
    Shape1[1]->setVisible(todayCell >= 0);
    if (todayCell >= 0)
        moveMarker(Shape1[1], todayCell);
    // The pick marker stands on the picked position while it holds a day.
    const std::optional<int> picked = model_.pickedCell();
    Shape1[2]->setVisible(picked && grid.holdsDay(*picked));
    if (picked && grid.holdsDay(*picked))
        moveMarker(Shape1[2], *picked);
}

void MyCalendar::showPreview() {
    const PickedDate& preview = model_.preview();
    Label5->show();
    Label6->show();
    setFittedText(Label5, platform::fromUtf8(preview.hijriText), 15.75);
    setFittedText(Label6, platform::fromUtf8(preview.gregorianText), 15.75);
    if (!preview.weekday.empty())
        setFittedText(Lab, platform::fromUtf8(preview.weekday), 14.25);
}

void MyCalendar::showFacts() {
    const MonthFacts& facts = model_.facts();
    DaySart->setText(platform::fromUtf8(facts.DaySart));
    DayOfWeek->setText(platform::fromUtf8(facts.DayOfWeek));
    DayStartName->setText(platform::fromUtf8(facts.DayStartName));
    DayLast->setText(platform::fromUtf8(facts.DayLast));
}

void MyCalendar::moveMarker(QWidget* marker, int cell) {
    marker->setGeometry(
        twipsRect(gridCellLeft(cell), gridCellTop(cell), kGridCellSize, kGridCellSize));
}

void MyCalendar::MyCalendar_MyDay_Click(int index) {
    if (!model_.pick(index))
        return;
    showGrid();
    moveMarker(Shape1[2], index);
    showPreview();
}

void MyCalendar::MyCalendar_MyDay_MouseMove(int index) {
    if (model_.monthIndex() >= 0)
        Shape4->move(Shape4->x(), Image1[static_cast<std::size_t>(model_.monthIndex())]->y());
    moveMarker(Shape1[0], index);
}

void MyCalendar::MyCalendar_Image1_Click(int index) {
    model_.showMonthByButton(index);
    showGrid();
    showPreview();
}

void MyCalendar::MyCalendar_Image1_MouseMove(int index) {
    Shape4->move(Shape4->x(), Image1[static_cast<std::size_t>(index)]->y());
}

void MyCalendar::MyCalendar_MyToday_Click() {
    model_.showToday();
    showGrid();
    const int todayCell = model_.todayCell();
    if (todayCell >= 0)
        moveMarker(Shape1[0], todayCell);
    showPreview();
}

void MyCalendar::openFor(const CalendarRequest& request, CalendarRequester* requester) {
    if (requester_ && liveRequester() != requester) {
        endRequest(false);
    } else if (requester_) {
        // The same window asks again: it has already set up what waits for
        // the new request, so the old one is dropped without telling it.
        appState().AbsenceMonthMode = false;
        requester_ = nullptr;
        requesterWindow_ = nullptr;
        request_ = {};
    }
    request_ = request;
    requester_ = requester;
    requesterWindow_ = requester ? requester->requesterWindow() : nullptr;
    requesterHadWindow_ = requesterWindow_ != nullptr;
    if (request.isAttendance())
        appState().AbsenceMonthMode = true;
    if (request.note.empty()) {
        MyNote->hide();
    } else {
        MyNote->setText(platform::fromUtf8(request.note).trimmed());
        MyNote->show();
    }
    if (requesterWindow_)
        requesterWindow_->setEnabled(false);
    // Above the window that asked; one not on view (the monthly sheet's)
    // leaves the calendar with the main window.
    QWidget* owner = requesterWindow_ && requesterWindow_->isVisible() ? requesterWindow_.data()
                                                                       : mainWindow_.data();
    platform::ChildWindow::of(this)->showAbove(owner);
}

void MyCalendar::withdraw(CalendarRequester* requester) {
    if (requester && requester == requester_) {
        requester_ = nullptr;
        requesterWindow_ = nullptr;
        request_ = {};
    }
}

void MyCalendar::MyCalendar_Command6_Click() {
    const PickedDate date = model_.confirm();
    showPreview();
    showFacts();
    hide();
    if (date.isWeekend()) {
        platform::showSystemMessage(
            {platform::fromUtf8(kWeekendNoticeTitle),
             platform::fromUtf8(kWeekendNoticeText) + platform::fromUtf8(date.weekday),
             QMessageBox::Ok, QMessageBox::NoIcon, platform::YesDoes::NoQuestion});
    }
    if (!requester_) {
        endRequest(true);
        return;
    }
    // The request ends before the requester runs: it may ask again at once.
    CalendarRequester* requester = liveRequester();
    const CalendarRequest request = request_;
    const QPointer<QWidget> window = requesterWindow_;
    requester_ = nullptr;
    requesterWindow_ = nullptr;
    request_ = {};
    if (window)
        window->setEnabled(true);
    if (requester)
        requester->receiveCalendarDate(request, date);
}

void MyCalendar::MyCalendar_Image2_Click() {
    hide();
    endRequest(true);
}

CalendarRequester* MyCalendar::liveRequester() const {
    // A requester whose window is gone has gone with it.
    return requesterHadWindow_ && !requesterWindow_ ? nullptr : requester_;
}

void MyCalendar::endRequest(bool enableMainWindow) {
    CalendarRequester* requester = liveRequester();
    const CalendarRequest request = request_;
    const QPointer<QWidget> window = requesterWindow_;
    requester_ = nullptr;
    requesterWindow_ = nullptr;
    request_ = {};
    appState().AbsenceMonthMode = false;
    if (window)
        window->setEnabled(true);
    if (requester)
        requester->calendarRequestEnded(request);
    if (enableMainWindow)
        platform::ChildWindow::of(this)->giveMainWindowBack();
}

} // namespace sijill::dates
