#include "exams/SingleStudentChooser.h"

#include "dates/CalendarWindow.h"
#include "exams/ExamControlArt.h"
#include "exams/ExamMinutes.h"
#include "exams/MinutesTexts.h"
#include "platform/ChildWindow.h"
#include "platform/Fonts.h"
#include "platform/OneWindow.h"
#include "platform/Select.h"
#include "platform/Twips.h"
#include "platform/VbColor.h"
#include "shell/Ask.h"
#include "shell/ChildOfMainForm.h"
#include "shell/MainForm.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>

namespace sijill::exams {

using platform::twips;
using platform::twipsRect;

namespace {

// The Next picture: a left-pointing arrow in a rounded button.
QPixmap nextMark(int width, int height) {
    QPixmap pm(width, height);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x2E, 0x5E, 0x8E), 2));
    p.setBrush(QColor(0xA7, 0xC7, 0xEC));
    p.drawRoundedRect(QRectF(1, 1, width - 2, height - 2), 6, 6);
    const double cy = height / 2.0;
    const double cx = width / 2.0;
    const double s = height * 0.3;
    p.setBrush(QColor(0x2E, 0x5E, 0x8E));
    p.setPen(Qt::NoPen);
    p.drawPolygon(
        QPolygonF({QPointF(cx - s * 1.5, cy), QPointF(cx, cy - s), QPointF(cx, cy - s / 3),
                   QPointF(cx + s * 1.5, cy - s / 3), QPointF(cx + s * 1.5, cy + s / 3),
                   QPointF(cx, cy + s / 3), QPointF(cx, cy + s)}));
    return pm;
}

} // namespace

SingleStudentChooser* singleStudentChooser() {
    return platform::openWindow<SingleStudentChooser>().data();
}

SingleStudentChooser::SingleStudentChooser() : QWidget(nullptr) {
    setObjectName(QStringLiteral("SingleStudentChooser"));
    setWindowTitle(minutes::texts::kChooserCaption);
    shell::childOfMainForm(this);
    setLayoutDirection(Qt::RightToLeft);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twips(4710), twips(2205));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, platform::vbColor(0x00C8D0D4));
    setPalette(pal);
    setAutoFillBackground(true);

    const QFont listFont = platform::windowFont(12, 400);
    titleBanner = new QLabel(this);
    titleBanner->setObjectName(QStringLiteral("titleBanner"));
    titleBanner->setGeometry(twipsRect(375, 15, 3990, 435));
    // The heading is a drawn banner: its text sized to the banner's height.
    titleBanner->setPixmap(art::banner(minutes::texts::kStudentName, titleBanner->width(),
                                       titleBanner->height(), platform::windowFont(12, 700)));
    titleBanner->setProperty("banner", minutes::texts::kStudentName);
    classPicker = new QComboBox(this);
    classPicker->setObjectName(QStringLiteral("classPicker"));
    classPicker->setGeometry(twipsRect(90, 465, 4110, 480));
    classPicker->setFont(listFont);
    connect(classPicker, &QComboBox::activated, this, [this] { onClassChosen(); });
    studentPicker = new QComboBox(this);
    studentPicker->setObjectName(QStringLiteral("studentPicker"));
    studentPicker->setGeometry(twipsRect(90, 1020, 4110, 480));
    studentPicker->setFont(listFont);
    connect(studentPicker, &QComboBox::activated, this, [this] { onStudentChosen(); });
    // Both lists as high as a line of their font; the names' list keeps
    // below the classes' list.
    art::fitOneLine(classPicker);
    art::fitOneLine(studentPicker);
    studentPicker->move(studentPicker->x(),
                        std::max(studentPicker->y(), classPicker->geometry().bottom() + twips(60)));
    nextButton = new QLabel(this);
    nextButton->setObjectName(QStringLiteral("nextButton"));
    nextButton->setGeometry(twipsRect(600, 1650, 3015, 420));
    nextButton->setPixmap(nextMark(twips(3015), twips(420)));
    nextButton->setCursor(Qt::PointingHandCursor);
    nextButton->installEventFilter(this);
    studentItems = new QListWidget(this);
    studentItems->setObjectName(QStringLiteral("studentItems"));
    studentItems->setGeometry(twipsRect(90, 2235, 6480, 1740));
    studentItems->setFont(platform::designedFont(QStringLiteral("Tahoma"), 9.75, 400));
    studentItems->hide();
    // The load runs the main window's student load, which fills this window.
    platform::openWindow<SingleStudentChooser>() = this;
    fillClassPicker();
}

void SingleStudentChooser::fillClassPicker() {
    // The class keys are read without moving the main window's selection, so
    // the class chosen there stays chosen.
    if (shell::MainForm* main = shell::mainForm())
        for (int i = 0; i < main->classPicker->count(); ++i)
            classPicker->addItem(main->classPicker->itemText(i));
    // An empty class list leaves both lists empty; there is nothing to load.
    if (classPicker->count() > 0)
        platform::select(classPicker, 0, [this] { onClassChosen(); });
}

void SingleStudentChooser::onClassChosen() {
    if (const shell::MainCommands* commands = shell::mainCommands())
        commands->run(shell::MainCommand::LoadChooserStudents);
    else
        loadChooserStudents();
}

void SingleStudentChooser::onStudentChosen() {
    studentItems->setCurrentRow(studentPicker->currentIndex());
}

QString SingleStudentChooser::classKey() const {
    return classPicker->currentText();
}

QString SingleStudentChooser::studentItem() const {
    const QListWidgetItem* item = studentItems->currentItem();
    return item ? item->text() : QString();
}

QStringList SingleStudentChooser::studentParts() const {
    const QListWidgetItem* item = studentItems->currentItem();
    return item ? item->data(Qt::UserRole).toStringList() : QStringList();
}

void SingleStudentChooser::setOpener(const ChooserOpener& opener) {
    opener_ = opener;
    openerWindow_ = opener.window;
}

void SingleStudentChooser::onNextClicked() {
    hide();
    // The opener's hooks are used only while its window is open.
    if (!openerWindow_)
        return;
    const dates::MinutesKind kind =
        opener_.minutesKind ? opener_.minutesKind() : dates::MinutesKind::Absence;
    if (opener_.markRequest)
        opener_.markRequest();
    dates::CalendarWindow* calendar = dates::calendarWindow();
    if (!calendar)
        calendar = dates::loadCalendarWindow(shell::mainForm());
    if (calendar)
        calendar->openFor(dates::CalendarRequest::studentMinutes(kind), opener_.requester);
}

void SingleStudentChooser::closeEvent(QCloseEvent* event) {
    if (openerWindow_)
        openerWindow_->setEnabled(true);
    event->accept();
}

bool SingleStudentChooser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == nextButton && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        nextButton->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        onNextClicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void loadChooserStudents() {
    SingleStudentChooser* chooser = singleStudentChooser();
    if (!chooser)
        return;
    chooser->studentPicker->clear();
    chooser->studentItems->clear();
    const minutes::ChooserLoad load = minutes::loadChooserStudents(chooser->classKey());
    for (const minutes::ChooserStudent& s : load.students) {
        chooser->studentPicker->addItem(s.name);
        auto* item = new QListWidgetItem(s.item);
        item->setData(Qt::UserRole, s.parts);
        chooser->studentItems->addItem(item);
    }
    if (load.failed) {
        shell::tell(minutes::texts::kStudentsFailed);
        return;
    }
    platform::select(chooser->studentPicker, 0, [chooser] { chooser->onStudentChosen(); });
    platform::makeTransientFor(chooser, chooser->openerWindow());
    chooser->show();
}

void installSingleStudent(shell::MainForm& main) {
    main.commands().define(shell::MainCommand::LoadChooserStudents, &main,
                           [] { loadChooserStudents(); });
}

void openSingleStudent(const ChooserOpener& opener) {
    SingleStudentChooser* chooser =
        platform::openOnce<SingleStudentChooser>([] { return new SingleStudentChooser(); });
    chooser->setOpener(opener);
    platform::ChildWindow::of(chooser)->showAbove(opener.window);
    if (opener.window)
        opener.window->setEnabled(false);
}

} // namespace sijill::exams
