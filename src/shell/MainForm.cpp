#include "shell/MainForm.h"

#include "data/DataError.h"
#include "dates/StartupCalendar.h"
#include "platform/AppState.h"
#include "platform/BidiText.h"
#include "platform/Fonts.h"
#include "platform/KeyboardLayout.h"
#include "platform/ProgramExit.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "platform/Twips.h"
#include "platform/VbColor.h"
#include "platform/WindowDrag.h"
#include "shell/Ask.h"
#include "shell/ClassList.h"
#include "shell/DataFolderStart.h"
#include "shell/HelpWindow.h"
#include "shell/ProgramFileChooser.h"
#include "shell/SchoolProfileWindow.h"
#include "shell/TypedEdits.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace sijill::shell {

using platform::twips;
using platform::twipsRect;

namespace {

MainForm*& current() {
    static MainForm* form = nullptr;
    return form;
}

constexpr std::uint32_t kBackground = 0x49523C;

QPixmap drawnButton(const QString& glyph) {
    QPixmap pm(twips(345), twips(345));
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(255, 255, 255, 40));
    p.setPen(QColor(255, 255, 255, 160));
    p.drawRoundedRect(pm.rect().adjusted(1, 1, -2, -2), 4, 4);
    p.setPen(Qt::white);
    QFont f = platform::designedFont(QStringLiteral("Tahoma"), 11, 700);
    p.setFont(f);
    p.drawText(pm.rect(), Qt::AlignCenter, glyph);
    return pm;
}

QPixmap drawnLogo() {
    QPixmap pm(120, 120);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1B, 0x6E, 0x3C), 6));
    p.setBrush(Qt::white);
    p.drawEllipse(pm.rect().adjusted(4, 4, -4, -4));
    p.setFont(platform::designedFont(QStringLiteral("Al OnWan"), 24, 700));
    p.setPen(QColor(0x1B, 0x6E, 0x3C));
    p.drawText(pm.rect(), Qt::AlignCenter, QStringLiteral("سجل"));
    return pm;
}

} // namespace

MainForm* mainForm() {
    return current();
}

MainForm::MainForm() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    current() = this;
    setMainWindow(this, &commands_);
    commands_.define(MainCommand::ReloadClassList, this, [this] { reloadClassList(); });
    setObjectName(QStringLiteral("MainForm"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(QStringLiteral("سجل"));
    buildSurface();
}

MainForm::~MainForm() {
    // The windows that live alongside the main window go with it.
    unloadHelpWindow();
    unloadFileChooser();
    unloadSchoolProfileWindow();
    if (current() == this)
        current() = nullptr;
    if (mainWindow() == this)
        setMainWindow(nullptr, nullptr);
}

void MainForm::buildSurface() {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, platform::vbColor(kBackground));
    setPalette(pal);
    setAutoFillBackground(true);

    minimiseIcon = new QLabel(this);
    minimiseIcon->setObjectName(QStringLiteral("minimiseIcon"));
    minimiseIcon->setGeometry(twipsRect(570, 150, 345, 345));
    minimiseIcon->setPixmap(drawnButton(QStringLiteral("–")));
    minimiseIcon->setCursor(Qt::PointingHandCursor);
    minimiseIcon->installEventFilter(this);

    closeIcon = new QLabel(this);
    closeIcon->setObjectName(QStringLiteral("closeIcon"));
    closeIcon->setGeometry(twipsRect(180, 150, 345, 345));
    closeIcon->setPixmap(drawnButton(QStringLiteral("×")));
    closeIcon->setCursor(Qt::PointingHandCursor);
    closeIcon->installEventFilter(this);

    versionLabel = new QLabel(QStringLiteral("V 6.1.1"), this);
    versionLabel->setObjectName(QStringLiteral("versionLabel"));
    versionLabel->setGeometry(twipsRect(13140, 4500, 1800, 300));
    versionLabel->setStyleSheet(QStringLiteral("color: white;"));

    for (int i = 0; i <= 3; ++i) {
        auto* menu = new QWidget(this);
        menu->setObjectName(QStringLiteral("dropDown%1").arg(i));
        menu->hide();
        dropDowns.push_back(menu);
    }

    printPanel = new QWidget(this);
    printPanel->setObjectName(QStringLiteral("printPanel"));
    printPanel->hide();

    classPicker = new QComboBox(printPanel);
    classPicker->setObjectName(QStringLiteral("classPicker"));
    classPicker->setEditable(false);
    // High enough for a class name's marks and a margin inside the frame.
    classPicker->setGeometry(twipsRect(2745, 1320, 3375, 450));
    classPicker->setFont(platform::windowFont(12));

    // Working controls live in a strip below the window's lower edge.
    mailboxStrip = new QWidget(this);
    mailboxStrip->setObjectName(QStringLiteral("mailboxStrip"));
    mailboxStrip->setGeometry(twipsRect(0, 10600, 15390, 1200));
    auto storage = [this](QWidget* w, const char* name, int left) {
        w->setObjectName(QString::fromLatin1(name));
        w->setGeometry(twipsRect(left, 0, 1200, 300));
        w->setParent(mailboxStrip);
    };
    todayDate = new QLabel;
    storage(todayDate, "todayDate", 0);
    weekdayName = new QLabel;
    storage(weekdayName, "weekdayName", 1300);
    weekdayNumber = new QLabel;
    storage(weekdayNumber, "weekdayNumber", 2600);
    seatNumberPrefix = new QLabel;
    storage(seatNumberPrefix, "seatNumberPrefix", 3900);
    lastSeatNumber = new QLabel;
    storage(lastSeatNumber, "lastSeatNumber", 5200);
    seatCommitteeText = new QLineEdit;
    storage(seatCommitteeText, "seatCommitteeText", 6500);
    seatClassText = new QLineEdit;
    storage(seatClassText, "seatClassText", 7800);

    reportLogo = new QLabel(this);
    reportLogo->setObjectName(QStringLiteral("reportLogo"));
    reportLogo->setGeometry(twipsRect(16000, 0, 1800, 1800));
    reportLogo->setPixmap(drawnLogo());

    buildMenus();

    // The background closes the drop-downs as the pointer crosses it.
    setMouseTracking(true);
    auto* drag = new platform::WindowDrag(this);
    drag->addSurface(this);
}

void MainForm::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // The background artwork: a soft band behind the title.
    QPainter p(this);
    QLinearGradient g(0, 0, 0, twips(700));
    g.setColorAt(0, QColor(255, 255, 255, 28));
    g.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRect(0, 0, width(), twips(700)), g);
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
    if (menuEvent(watched, event))
        return true;
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == minimiseIcon) {
            onMinimiseClicked();
            return true;
        }
        if (watched == closeIcon) {
            onCloseClicked();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainForm::reportStartupProblem(const QString& message) {
    if (!startupProblems_.contains(message))
        startupProblems_ << message;
}

bool MainForm::formLoad() {
    versionLabel->setText(QCoreApplication::applicationVersion().isEmpty()
                              ? QStringLiteral("1.0.0")
                              : QCoreApplication::applicationVersion());

    // Geometry: 15390 x 10520 twips, centred horizontally, top edge at 0.
    resize(twips(15390), twips(10520));
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->geometry()
                             : QRect(0, 0, 1280, 1024);
    move(screen.x() + screen.width() / 2 - width() / 2, screen.y());

    closeDropDowns();

    if (!takeTheDataFolder()) {
        platform::exitProgram(0);
        return false;
    }
    settleTheDataFolder();

    try {
        reloadClassList();
    } catch (const data::DataError& e) {
        reportStartupProblem(e.userMessage());
    }

    // The calendar computes today's Hijri date and weekday for the other windows.
    dates::runStartupCalendar(this, todayDate, weekdayName, weekdayNumber);

    // Designed 8070 wide, which cuts the first tab (Left 6900, 1605 wide) at
    // the panel's edge: the panel reaches past the tabs by their left margin.
    printPanel->setGeometry(twipsRect(225, 670, 8790, 8000));
    if (classPicker->count() > 0)
        classPicker->setCurrentIndex(0);

    // The profile window, loaded hidden; it asks for an unfinished profile.
    QString profileProblem;
    schoolProfileWindow(&profileProblem);
    if (!profileProblem.isEmpty())
        reportStartupProblem(profileProblem);

    countStudentsAndChooseFirstClass();

    // A missing or damaged database is told once; the window stays usable.
    if (!startupProblems_.isEmpty()) {
        tell(startupProblems_.join(QLatin1Char('\r')), Tone::Alarm);
        startupProblems_.clear();
    }
    return true;
}

// One copy of the program on one data folder. A lock written on another
// computer (a copied or restored folder) is taken over only on the user's
// Yes: Enter and a box closed without an answer keep it.
bool MainForm::takeTheDataFolder() {
    instance_ = std::make_unique<platform::SingleInstance>(platform::dataFolder());
    const QString computer = instance_->otherComputer();
    if (!computer.isEmpty()) {
        const Answer answer =
            ask({QStringLiteral("آخر استخدام لمجلد البيانات كان على الجهاز %1\r"
                                "لا تفتحه هنا إلا إذا كان البرنامج لا يعمل على ذلك الجهاز.\r"
                                "هل تريد فتحه؟")
                     .arg(platform::isolate(computer)),
                 Buttons::YesNo, YesEffect::Destroys, Tone::Alarm});
        if (answer != Answer::Yes)
            return false;
        instance_->takeOver();
    }
    if (!instance_->problem().isEmpty()) {
        tell(instance_->problem(), Tone::Alarm);
        return false;
    }
    if (instance_->anotherIsRunning()) {
        tell(QStringLiteral("البرنامج يعمل"));
        return false;
    }
    return instance_->otherComputer().isEmpty();
}

// Only the copy that holds the lock asks about the data folder's files.
void MainForm::settleTheDataFolder() {
    const QStringList problems = settleDataFolder([](const QString& question) {
        return ask({question, Buttons::YesNo, YesEffect::Destroys, Tone::Alarm}) == Answer::Yes;
    });
    for (const QString& problem : problems)
        reportStartupProblem(problem);
}

void MainForm::reloadClassList() {
    // A failure leaves the list as it was and goes back to the caller.
    const QStringList keys = loadClassKeys();
    // The class chosen before stays chosen when it is still there, else the
    // first class: every print reads the chosen class.
    const QString chosen =
        classPicker->currentIndex() >= 0 ? classPicker->currentText() : QString();
    classPicker->clear();
    classPicker->addItems(keys);
    const int again = chosen.isNull() ? -1 : static_cast<int>(keys.indexOf(chosen));
    classPicker->setCurrentIndex(again >= 0 ? again : (keys.isEmpty() ? -1 : 0));
    refreshClassCounts();
}

void MainForm::countStudentsAndChooseFirstClass() {
    refreshClassCounts();
    if (classPicker->count() > 0)
        classPicker->setCurrentIndex(0);
}

void MainForm::refreshClassCounts() {
    QStringList keys;
    for (int i = 0; i < classPicker->count(); ++i)
        keys << classPicker->itemText(i);
    QString error;
    appState().ClassCounts = collectClassCounts(keys, &error);
    if (!error.isEmpty())
        reportStartupProblem(error);
}

void MainForm::onMinimiseClicked() {
    setWindowState(windowState() | Qt::WindowMinimized);
}

void MainForm::onCloseClicked() {
    close();
}

void MainForm::closeEvent(QCloseEvent* event) {
    // Typed edits in a window still open (the school profile leaves this
    // window enabled) are asked about first; Cancel keeps the program open.
    if (!mayLeaveWithTypedEdits()) {
        event->ignore();
        return;
    }
    // Leaving: US English keyboard layout, then the process ends at once.
    platform::activateKeyboardLayout(QStringLiteral("00000409"));
    event->accept();
    platform::exitProgram(0);
}

} // namespace sijill::shell
