#include "exams/SingleStudentChooser.h"

#include "dates/CalendarWindow.h"
#include "exams/ExamControlArt.h"
#include "exams/ExamControlWindow.h"
#include "exams/ExamMinutes.h"
#include "exams/MinutesTexts.h"
#include "platform/ChildWindow.h"
#include "platform/Fonts.h"
#include "platform/Select.h"
#include "platform/Twips.h"
#include "platform/VbColor.h"
#include "shell/Ask.h"
#include "shell/ChildOfMainForm.h"
#include "shell/MainForm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRadioButton>

namespace sijill::exams {

using platform::twips;
using platform::twipsRect;

namespace {

QPointer<SingleStudentChooser>& loaded() {
    static QPointer<SingleStudentChooser> window;
    return window;
}

SingleStudentChooser* loadSingleStudentChooser() {
    if (!loaded())
        loaded() = new SingleStudentChooser();
    return loaded().data();
}

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

void enableControlAll() {
    if (ExamControlWindow* w = examControlWindow())
        w->setEnabled(true);
}

} // namespace

SingleStudentChooser* singleStudentChooser() {
    return loaded().data();
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
    Title = new QLabel(this);
    Title->setObjectName(QStringLiteral("Title"));
    Title->setGeometry(twipsRect(375, 15, 3990, 435));
    // The heading is a drawn banner: its text sized to the banner's height.
    Title->setPixmap(art::banner(minutes::texts::kStudentName, Title->width(), Title->height(),
                                 platform::windowFont(12, 700)));
    Title->setProperty("banner", minutes::texts::kStudentName);
    Combo4 = new QComboBox(this);
    Combo4->setObjectName(QStringLiteral("Combo4"));
    Combo4->setGeometry(twipsRect(90, 465, 4110, 480));
    Combo4->setFont(listFont);
    connect(Combo4, &QComboBox::activated, this, [this] { Combo4_Click(); });
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setGeometry(twipsRect(90, 1020, 4110, 480));
    Combo1->setFont(listFont);
    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
    // Both lists as high as a line of their font; the names' list keeps
    // below the classes' list.
    art::fitOneLine(Combo4);
    art::fitOneLine(Combo1);
    Combo1->move(Combo1->x(), std::max(Combo1->y(), Combo4->geometry().bottom() + twips(60)));
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twipsRect(600, 1650, 3015, 420));
    Image1->setPixmap(nextMark(twips(3015), twips(420)));
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->installEventFilter(this);
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(twipsRect(90, 2235, 6480, 1740));
    List1->setFont(platform::designedFont(QStringLiteral("Tahoma"), 9.75, 400));
    List1->hide();
    // The load runs the main window's student load, which fills this window.
    loaded() = this;
    Form_Load();
}

void SingleStudentChooser::Form_Load() {
    // The class keys are read without moving the main window's selection, so
    // the class chosen there stays chosen.
    if (shell::MainForm* main = shell::mainForm())
        for (int i = 0; i < main->classPicker->count(); ++i)
            Combo4->addItem(main->classPicker->itemText(i));
    // An empty class list leaves both lists empty; there is nothing to load.
    if (Combo4->count() > 0)
        platform::select(Combo4, 0, [this] { Combo4_Click(); });
}

void SingleStudentChooser::Combo4_Click() {
    if (const shell::MainCommands* commands = shell::mainCommands())
        commands->run(shell::MainCommand::LoadChooserStudents);
    else
        loadChooserStudents();
}

void SingleStudentChooser::Combo1_Click() {
    List1->setCurrentRow(Combo1->currentIndex());
}

QString SingleStudentChooser::classKey() const {
    return Combo4->currentText();
}

QString SingleStudentChooser::studentItem() const {
    const QListWidgetItem* item = List1->currentItem();
    return item ? item->text() : QString();
}

QStringList SingleStudentChooser::studentParts() const {
    const QListWidgetItem* item = List1->currentItem();
    return item ? item->data(Qt::UserRole).toStringList() : QStringList();
}

void SingleStudentChooser::Image1_Click() {
    hide();
    ExamControlWindow* control = examControlWindow();
    if (!control)
        return;
    const dates::MinutesKind kind = control->paperOptions[1]->isChecked()
                                        ? dates::MinutesKind::Cheating
                                        : dates::MinutesKind::Absence;
    control->studentMinutesWaiting->setChecked(true);
    dates::CalendarWindow* calendar = dates::calendarWindow();
    if (!calendar)
        calendar = dates::loadCalendarWindow(shell::mainForm());
    if (calendar)
        calendar->openFor(dates::CalendarRequest::studentMinutes(kind), control);
}

void SingleStudentChooser::closeEvent(QCloseEvent* event) {
    enableControlAll();
    event->accept();
}

bool SingleStudentChooser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        Image1->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        Image1_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void loadChooserStudents() {
    SingleStudentChooser* chooser = singleStudentChooser();
    if (!chooser)
        return;
    chooser->Combo1->clear();
    chooser->List1->clear();
    const minutes::ChooserLoad load = minutes::loadChooserStudents(chooser->classKey());
    for (const minutes::ChooserStudent& s : load.students) {
        chooser->Combo1->addItem(s.name);
        auto* item = new QListWidgetItem(s.item);
        item->setData(Qt::UserRole, s.parts);
        chooser->List1->addItem(item);
    }
    if (load.failed) {
        shell::tell(minutes::texts::kStudentsFailed);
        return;
    }
    platform::select(chooser->Combo1, 0, [chooser] { chooser->Combo1_Click(); });
    platform::makeTransientFor(chooser, examControlWindow());
    chooser->show();
}

void installSingleStudent(shell::MainForm& main) {
    main.commands().define(shell::MainCommand::LoadChooserStudents, &main,
                           [] { loadChooserStudents(); });
}

void openSingleStudent() {
    SingleStudentChooser* chooser = loadSingleStudentChooser();
    ExamControlWindow* control = examControlWindow();
    platform::ChildWindow::of(chooser)->showAbove(control);
    if (control)
        control->setEnabled(false);
}

void openSingleStudent(dates::MinutesKind kind) {
    if (ExamControlWindow* control = examControlWindow())
        control->paperOptions[kind == dates::MinutesKind::Cheating ? 1 : 0]->setChecked(true);
    openSingleStudent();
}

void singleStudentChooserPrintClicked() {
    if (SingleStudentChooser* chooser = singleStudentChooser())
        chooser->Image1_Click();
}

} // namespace sijill::exams
