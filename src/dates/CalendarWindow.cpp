#include "dates/CalendarWindow.h"

#include "dates/CalendarArtwork.h"
#include "dates/CalendarRequester.h"
#include "dates/CalendarTexts.h"
#include "dates/CalendarYear.h"
#include "dates/DateText.h"
#include "platform/AppState.h"
#include "platform/ChildWindow.h"
#include "platform/Clock.h"
#include "platform/Fonts.h"
#include "platform/OneWindow.h"
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

CalendarWindow* calendarWindow() {
    return platform::openWindow<CalendarWindow>().data();
}

CalendarWindow* loadCalendarWindow(QWidget* mainWindow) {
    // A calendar serves one main window: another main window is another run.
    QPointer<CalendarWindow>& open = platform::openWindow<CalendarWindow>();
    if (open && mainWindow && open->mainWindow() != mainWindow)
        delete open.data();
    if (!open) {
        open = new CalendarWindow(mainWindow);
        open->formLoad();
    }
    return open.data();
}

CalendarWindow::CalendarWindow(QWidget* mainWindow)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("CalendarWindow"));
    setWindowTitle(platform::fromUtf8(kCalendarCaption));
    new platform::ChildWindow(this, {.mainWindow = [this] { return mainWindow_.data(); },
                                     .escape = [this] { onCloseClicked(); }});
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

CalendarWindow::~CalendarWindow() {
    if (requester_)
        endRequest(true);
}

void CalendarWindow::buildStores() {
    stores_ = new QWidget(this);
    stores_->setObjectName(QStringLiteral("stores"));
    stores_->setGeometry(twipsRect(0, kCalendarHeight + 100, kCalendarWidth, 600));
    stores_->hide();

    monthStore = new QComboBox(stores_);
    monthStore->setObjectName(QStringLiteral("monthStore"));
    for (std::size_t k = 0; k < kCalendarMonthEntries.size(); ++k)
        monthStore->addItem(platform::fromUtf8(kCalendarMonthEntries[k]), static_cast<int>(k) + 1);
    yearStore = new QComboBox(stores_);
    yearStore->setObjectName(QStringLiteral("yearStore"));
    for (int y = kCalendarFirstYear; y <= kCalendarLastYear; ++y)
        yearStore->addItem(QString::number(y));

    todayButton = new QPushButton(platform::fromUtf8(kCalendarTodayCaption), stores_);
    todayButton->setObjectName(QStringLiteral("todayButton"));
    connect(todayButton, &QPushButton::clicked, this, [this] { onTodayClicked(); });

    shownHijriYear = storeLabel(stores_, "shownHijriYear");
    todayHijriDay = storeLabel(stores_, "todayHijriDay");
    todayMonthIndex = storeLabel(stores_, "todayMonthIndex");
    todayYearIndex = storeLabel(stores_, "todayYearIndex");
    monthFirstDay = storeLabel(stores_, "monthFirstDay");
    monthFirstWeekday = storeLabel(stores_, "monthFirstWeekday");
    monthFirstWeekdayName = storeLabel(stores_, "monthFirstWeekdayName");
    monthLastDay = storeLabel(stores_, "monthLastDay");
    for (int k = 0; k < kGridCells; ++k) {
        QLabel* twin = storeLabel(stores_, "gregorianCell");
        twin->setObjectName(QStringLiteral("gregorianCells%1").arg(k));
        twin->setText(QString::number(k));
        gregorianCells.push_back(twin);
    }
}

void CalendarWindow::buildSurface() {
    // Markers first: the day cells and month buttons lie over them.
    sixthRowFrame = new QLabel(this);
    sixthRowFrame->setObjectName(QStringLiteral("sixthRowFrame"));
    sixthRowFrame->setGeometry(twipsRect(4005, 4515, 750, 675));
    sixthRowFrame->setPixmap(framedCell());
    sixthRowFrame->hide();

    shownMonthMark = marker(this, QStringLiteral("shownMonthMark"), 0x00C000, 0x00C000, true);
    shownMonthMark->setGeometry(twipsRect(kMonthButtonLeft, kMonthButtonTop, 150, 280));
    hoverMonthMark = marker(this, QStringLiteral("hoverMonthMark"), 0, 0x0089FF, false);
    hoverMonthMark->setGeometry(twipsRect(kMonthButtonLeft + kMonthButtonWidth - 1455,
                                          kMonthButtonTop, 1455, kMonthButtonHeight - 15));

    dayMarks.push_back(marker(this, QStringLiteral("dayMark0"), 0x80C0FF, 0x80C0FF, true));
    dayMarks.push_back(marker(this, QStringLiteral("dayMark1"), 0xF0CAA6, 0x000000, true));
    dayMarks.push_back(marker(this, QStringLiteral("dayMark2"), 0xE9DEC7, 0xC6A463, true));
    for (QFrame* shape : dayMarks)
        shape->setGeometry(twipsRect(-1000, -1000, kGridCellSize, kGridCellSize));
    dayMarks[1]->hide();

    const QFont dayFont = platform::windowFont(18);
    for (int k = 0; k < kGridCells; ++k) {
        auto* cell = new QLabel(QString::number(k), this);
        cell->setObjectName(QStringLiteral("dayCell%1").arg(k));
        cell->setGeometry(twipsRect(gridCellLeft(k), gridCellTop(k), kGridCellSize, kGridCellSize));
        cell->setAlignment(Qt::AlignCenter);
        cell->setFont(dayFont);
        cell->setMouseTracking(true);
        cell->setCursor(Qt::PointingHandCursor);
        cell->installEventFilter(this);
        dayCells.push_back(cell);
    }

    for (int k = 0; k < 12; ++k) {
        auto* button = new QLabel(this);
        button->setObjectName(QStringLiteral("monthButton%1").arg(k));
        button->setGeometry(monthButtonRect(k));
        button->setMouseTracking(true);
        button->setCursor(Qt::PointingHandCursor);
        button->installEventFilter(this);
        monthButtons.push_back(button);
    }

    instructionNote = new QLabel(this);
    instructionNote->setObjectName(QStringLiteral("instructionNote"));
    instructionNote->setGeometry(twipsRect(210, 450, 4350, 495));
    instructionNote->setAlignment(Qt::AlignCenter);
    instructionNote->setWordWrap(true);
    instructionNote->setFont(platform::designedFont(QStringLiteral("Tahoma"), 9.75));
    instructionNote->setAutoFillBackground(true);
    QPalette notePal = instructionNote->palette();
    notePal.setColor(QPalette::Window, vbColor(0xC0FFFF));
    instructionNote->setPalette(notePal);
    instructionNote->hide();

    // The picked-date band: weekday, Hijri date, Gregorian date.
    auto bandLabel = [this](const char* name, const QRect& r, double points) {
        QLabel* label = storeLabel(this, name);
        label->setGeometry(r);
        label->setAlignment(Qt::AlignCenter);
        label->setFont(platform::windowFont(points));
        label->setAutoFillBackground(true);
        QPalette pal = label->palette();
        pal.setColor(QPalette::Window, vbColor(kBandColour));
        pal.setColor(QPalette::WindowText, vbColor(0x80000008));
        label->setPalette(pal);
        return label;
    };
    previewWeekday = bandLabel("previewWeekday", twipsRect(3090, 4590, 900, 435), 14.25);
    previewWeekday->setText(platform::fromUtf8(kCalendarWeekdayDesign));
    // The two dates share the band's width evenly: either holds ten figures.
    previewHijriDate = bandLabel("previewHijriDate", twipsRect(1680, 4590, 1365, 480), 15.75);
    previewGregorianDate =
        bandLabel("previewGregorianDate", twipsRect(270, 4590, 1365, 480), 15.75);

    okButton = new QPushButton(platform::fromUtf8(kCalendarOkCaption), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setGeometry(twipsRect(795, 5205, 3270, 525));
    okButton->setFont(platform::windowFont(12));
    connect(okButton, &QPushButton::clicked, this, [this] { onOkClicked(); });

    closePicture = new QLabel(this);
    closePicture->setObjectName(QStringLiteral("closePicture"));
    closePicture->setGeometry(twipsRect(30, 15, 465, 285));
    closePicture->setAlignment(Qt::AlignCenter);
    closePicture->setText(QStringLiteral("×"));
    closePicture->setFont(platform::designedFont(QStringLiteral("Tahoma"), 12, 700));
    closePicture->setStyleSheet(QStringLiteral("color: white;"));
    closePicture->setCursor(Qt::PointingHandCursor);
    closePicture->installEventFilter(this);
}

void CalendarWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter p(this);
    paintCalendarArtwork(p);
}

bool CalendarWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseMove)
        return QWidget::eventFilter(watched, event);
    const bool leftRelease = type == QEvent::MouseButtonRelease &&
                             static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    if (watched == closePicture) {
        if (leftRelease)
            onCloseClicked();
        return type != QEvent::MouseMove;
    }
    for (int k = 0; k < kGridCells; ++k) {
        if (watched != dayCells[static_cast<std::size_t>(k)])
            continue;
        if (type == QEvent::MouseMove)
            onDayHovered(k);
        else if (leftRelease)
            onDayClicked(k);
        return true; // a press on a cell starts no drag
    }
    for (int k = 0; k < 12; ++k) {
        if (watched != monthButtons[static_cast<std::size_t>(k)])
            continue;
        if (type == QEvent::MouseMove)
            onMonthHovered(k);
        else if (leftRelease)
            onMonthClicked(k);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool CalendarWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        placeOverMainWindow();
    return QWidget::event(event);
}

void CalendarWindow::closeEvent(QCloseEvent* event) {
    // Closed through the system: a beep, and the window unloads. The request
    // it served ends as if closed with its own button.
    QApplication::beep();
    endRequest(true);
    event->accept();
}

void CalendarWindow::keyPressEvent(QKeyEvent* event) {
    // Enter is the window's OK.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        onOkClicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CalendarWindow::placeOverMainWindow() {
    if (!mainWindow_)
        return;
    const QRect main = mainWindow_->geometry();
    move(main.x() + main.width() / 2 - width() / 2, main.y() + twips(600));
}

void CalendarWindow::formLoad() {
    platform::SetTopMost(this);
    const QDate today = platform::Clock::today();
    const auto serial = gregorianToSerial(today.day(), today.month(), today.year());
    model_.open(serial.value_or(0));

    todayHijriDay->setText(QString::number(model_.today().day));
    todayMonthIndex->setText(QString::number(model_.monthIndex()));
    todayYearIndex->setText(QString::number(model_.yearIndex()));
    showGrid();
    if (model_.todayCell() >= 0)
        moveMarker(dayMarks[0], model_.todayCell());
    showPreview();
    showFacts();
    const int month = model_.monthIndex() < 0 ? 0 : model_.monthIndex();
    hoverMonthMark->move(hoverMonthMark->x(), monthButtons[static_cast<std::size_t>(month)]->y());
}

void CalendarWindow::showGrid() {
    const MonthGrid& grid = model_.grid();
    const std::optional<int> coloured = model_.colouredCell();
    for (int k = 0; k < kGridCells; ++k) {
        const auto i = static_cast<std::size_t>(k);
        QLabel* cell = dayCells[i];
        cell->setText(platform::fromUtf8(grid.dayCaption[i]));
        cell->setVisible(grid.visible[i]);
        gregorianCells[i]->setText(platform::fromUtf8(grid.gregorianCaption[i]));
        gregorianCells[i]->setVisible(grid.visible[i]);
        const bool green = coloured && *coloured == k;
        cell->setAutoFillBackground(green);
        if (green) {
            QPalette pal = cell->palette();
            pal.setColor(QPalette::Window, vbColor(kPickedBack));
            cell->setPalette(pal);
        }
    }
    sixthRowFrame->setVisible(grid.usesSixthRow());
    shownHijriYear->setText(grid.year > 0 ? platform::fromUtf8(zeroPadded(grid.year, 4))
                                          : QString());
    {
        const QSignalBlocker blockMonth(monthStore);
        const QSignalBlocker blockYear(yearStore);
        monthStore->setCurrentIndex(model_.monthIndex());
        yearStore->setCurrentIndex(model_.yearIndex());
    }
    if (model_.monthIndex() >= 0)
        shownMonthMark->move(shownMonthMark->x(),
                             monthButtons[static_cast<std::size_t>(model_.monthIndex())]->y());

    const int todayCell = model_.todayCell();
    dayMarks[1]->setVisible(todayCell >= 0);
    if (todayCell >= 0)
        moveMarker(dayMarks[1], todayCell);
    // The pick marker stands on the picked position while it holds a day.
    const std::optional<int> picked = model_.pickedCell();
    dayMarks[2]->setVisible(picked && grid.holdsDay(*picked));
    if (picked && grid.holdsDay(*picked))
        moveMarker(dayMarks[2], *picked);
}

void CalendarWindow::showPreview() {
    const PickedDate& preview = model_.preview();
    previewHijriDate->show();
    previewGregorianDate->show();
    setFittedText(previewHijriDate, platform::fromUtf8(preview.hijriText), 15.75);
    setFittedText(previewGregorianDate, platform::fromUtf8(preview.gregorianText), 15.75);
    if (!preview.weekday.empty())
        setFittedText(previewWeekday, platform::fromUtf8(preview.weekday), 14.25);
}

void CalendarWindow::showFacts() {
    const MonthFacts& facts = model_.facts();
    monthFirstDay->setText(platform::fromUtf8(facts.firstDay));
    monthFirstWeekday->setText(platform::fromUtf8(facts.firstWeekday));
    monthFirstWeekdayName->setText(platform::fromUtf8(facts.firstWeekdayName));
    monthLastDay->setText(platform::fromUtf8(facts.lastDay));
}

void CalendarWindow::moveMarker(QWidget* marker, int cell) {
    marker->setGeometry(
        twipsRect(gridCellLeft(cell), gridCellTop(cell), kGridCellSize, kGridCellSize));
}

void CalendarWindow::onDayClicked(int index) {
    if (!model_.pick(index))
        return;
    showGrid();
    moveMarker(dayMarks[2], index);
    showPreview();
}

void CalendarWindow::onDayHovered(int index) {
    if (model_.monthIndex() >= 0)
        hoverMonthMark->move(hoverMonthMark->x(),
                             monthButtons[static_cast<std::size_t>(model_.monthIndex())]->y());
    moveMarker(dayMarks[0], index);
}

void CalendarWindow::onMonthClicked(int index) {
    model_.showMonthByButton(index);
    showGrid();
    showPreview();
}

void CalendarWindow::onMonthHovered(int index) {
    hoverMonthMark->move(hoverMonthMark->x(), monthButtons[static_cast<std::size_t>(index)]->y());
}

void CalendarWindow::onTodayClicked() {
    model_.showToday();
    showGrid();
    const int todayCell = model_.todayCell();
    if (todayCell >= 0)
        moveMarker(dayMarks[0], todayCell);
    showPreview();
}

void CalendarWindow::openFor(const CalendarRequest& request, CalendarRequester* requester) {
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
        instructionNote->hide();
    } else {
        instructionNote->setText(platform::fromUtf8(request.note).trimmed());
        instructionNote->show();
    }
    if (requesterWindow_)
        requesterWindow_->setEnabled(false);
    // Above the window that asked; one not on view (the monthly sheet's)
    // leaves the calendar with the main window.
    QWidget* owner = requesterWindow_ && requesterWindow_->isVisible() ? requesterWindow_.data()
                                                                       : mainWindow_.data();
    platform::ChildWindow::of(this)->showAbove(owner);
}

void CalendarWindow::withdraw(CalendarRequester* requester) {
    if (requester && requester == requester_) {
        requester_ = nullptr;
        requesterWindow_ = nullptr;
        request_ = {};
    }
}

void CalendarWindow::onOkClicked() {
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

void CalendarWindow::onCloseClicked() {
    hide();
    endRequest(true);
}

CalendarRequester* CalendarWindow::liveRequester() const {
    // A requester whose window is gone has gone with it.
    return requesterHadWindow_ && !requesterWindow_ ? nullptr : requester_;
}

void CalendarWindow::endRequest(bool enableMainWindow) {
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
