#include "exams/ControlAll.h"

#include "dates/CalendarWindow.h"
#include "exams/ControlAllArt.h"
#include "exams/ControlAllLayout.h"
#include "exams/GradeLists.h"
#include "exams/PickPopup.h"
#include "exams/Texts.h"
#include "platform/Background.h"
#include "platform/ChildWindow.h"
#include "platform/Fonts.h"
#include "platform/Presenters.h"
#include "platform/Select.h"
#include "platform/Twips.h"
#include "platform/Utf8.h"
#include "platform/WindowDrag.h"
#include "shell/Ask.h"
#include "shell/ChildOfMainForm.h"
#include "shell/MainForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

namespace sijill::exams {

using namespace layout;
using platform::twips;
using platform::twipsRect;

namespace {

QPointer<ControlAll>& loaded() {
    static QPointer<ControlAll> window;
    return window;
}

constexpr int kMenuItems = 13;
constexpr int kMenuWidth = 5295;
constexpr int kMenuItemWidth = 3300;
constexpr int kMenuItemHeight = 405;
constexpr int kMenuPitch = 450;
const QColor kMenuBack(0xDE, 0xDE, 0xDE);
const QColor kMenuHover(0xA7, 0xC7, 0xEC);
const QColor kWindowBack(0x3F, 0x4A, 0x43);
const QColor kPanelBack(0xEE, 0xF3, 0xF0);

using platform::windowFont;

QFrame* panel(QWidget* parent, const char* name, const QRect& geometry) {
    auto* f = new QFrame(parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setGeometry(geometry);
    f->setFrameShape(QFrame::Box);
    platform::fillBackground(f, kPanelBack);
    return f;
}

QPushButton* hiddenButton(QWidget* parent, const char* name) {
    auto* b = new QPushButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->hide();
    return b;
}

} // namespace

ControlAll* controlAll() {
    return loaded().data();
}

ControlAll* loadControlAll() {
    if (!loaded())
        loaded() = new ControlAll(shell::mainForm());
    return loaded().data();
}

ControlAll::ControlAll(shell::MainForm* main) : QWidget(nullptr), main_(main) {
    setObjectName(QStringLiteral("ControlAll"));
    setWindowTitle(texts::kWindowCaption);
    shell::childOfMainWindow(this, main, this);
    setWindowFlag(Qt::FramelessWindowHint);
    setLayoutDirection(Qt::RightToLeft);
    // Closing unloads the window; the next opening loads it afresh.
    setAttribute(Qt::WA_DeleteOnClose);
    platform::fillBackground(this, kWindowBack);
    printActions_.resize(kMenuItems);
    build();
    Form_Load();
}

ControlAll::~ControlAll() {
    if (dates::CalendarWindow* calendar = dates::calendarWindow())
        calendar->withdraw(this);
}

QLabel* ControlAll::clickable(QLabel* label) {
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
    return label;
}

void ControlAll::build() {
    // Created back to front: a later panel covers an earlier one.
    buildPrintMenu();
    buildPaperworkPanels();
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    platform::fillBackground(Frame1, kPanelBack);
    Frame1->installEventFilter(this);
    onClick_.insert(Frame1, [this] { DelT->hide(); });
    buildHeader();
    buildCaptions();
    buildGrid();
    buildPopups();

    Title = new QLabel(texts::kWindowCaption, this);
    Title->setObjectName(QStringLiteral("Title"));
    Title->setAlignment(Qt::AlignCenter);
    Title->setFont(windowFont(11, 700));
    Title->setStyleSheet(QStringLiteral("color: white;"));
    auto* drag = new platform::WindowDrag(this);
    drag->addSurface(Title);

    buildLabelsPanel();
    buildDeleteOptions();
    CommeteePic->raise();
    buildMailboxes();
}

void ControlAll::buildHeader() {
    Item2 = new QLabel(texts::kEditorCaption, Frame1);
    Item2->setObjectName(QStringLiteral("Item2"));
    Item2->setGeometry(twipsRect(10035, 360, 2580, 480));
    Item2->setAlignment(Qt::AlignCenter);
    Item2->setFont(windowFont(12, 700));

    Combo4 = new QComboBox(Frame1);
    Combo4->setObjectName(QStringLiteral("Combo4"));
    Combo4->setGeometry(twipsRect(6990, 360, 2955, 480));
    Combo4->setFont(windowFont(11));
    connect(Combo4, &QComboBox::activated, this, [this] { Combo4_Click(); });

    cmdSave = new QPushButton(Frame1);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdSave->setGeometry(twipsRect(6390, 330, 585, 525));
    cmdSave->setIcon(QIcon(art::saveMark(twips(480), twips(480))));
    cmdSave->setIconSize(QSize(twips(420), twips(420)));
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });

    ClassName = new QLineEdit(Frame1);
    ClassName->setObjectName(QStringLiteral("ClassName"));
    ClassName->setGeometry(twipsRect(1080, 360, 3135, 510));
    ClassName->setEnabled(false);
    QPalette dim = ClassName->palette();
    dim.setColor(QPalette::Disabled, QPalette::Text, QColor(0x1F, 0x3A, 0x5F));
    ClassName->setPalette(dim);
    ClassName->setAlignment(Qt::AlignCenter);
    ClassName->setFont(windowFont(12, 700));

    DelOptions = clickable(new QLabel(Frame1));
    DelOptions->setObjectName(QStringLiteral("DelOptions"));
    DelOptions->setGeometry(twipsRect(165, 330, 480, 480));
    DelOptions->setPixmap(art::optionsMark(twips(480)));
    onClick_.insert(DelOptions, [this] { DelOptions_Click(); });

    Image10 = clickable(new QLabel(Frame1));
    Image10->setObjectName(QStringLiteral("Image10"));
    Image10->setGeometry(twipsRect(12915, 390, 465, 390));
    Image10->setPixmap(art::foldMark(twips(465), twips(390)));
    onClick_.insert(Image10, [this] { Image10_Click(); });

    for (QWidget* w : {static_cast<QWidget*>(Item2), static_cast<QWidget*>(Combo4),
                       static_cast<QWidget*>(ClassName)})
        art::fitOneLine(w);

    // The opener lies beyond the editor's edge: a grade choice opens it.
    Image15 = new QLabel(Frame1);
    Image15->setObjectName(QStringLiteral("Image15"));
    Image15->setGeometry(twipsRect(16020, 390, 465, 390));
}

void ControlAll::buildCaptions() {
    // The period headings, then the column captions down to the first day's
    // strip; each as high as its font's line.
    const QFont headingFont = windowFont(9, 700);
    const int headingTop = twips(930);
    const int headingHeight = art::lineHeight(headingFont) + 2;
    const int captionTop = headingTop + headingHeight;
    const int captionHeight = twips(kStripTops[0]) - captionTop;
    auto caption = [&](const QString& text, int left, int width, bool heading) {
        auto* l = new QLabel(text, Frame1);
        l->setObjectName(QStringLiteral("Caption_%1").arg(Frame1->children().size()));
        l->setAlignment(Qt::AlignCenter);
        l->setFont(heading ? headingFont : windowFont(9, 700));
        if (heading) {
            l->setGeometry(twips(left), headingTop, twips(width), headingHeight);
            l->setStyleSheet(QStringLiteral("background: #D5E3EF; border: 1px solid #9AB0C8;"));
        } else {
            l->setGeometry(twips(left), captionTop, twips(width), captionHeight);
        }
        art::fitFontToHeight(l);
    };
    const int s = kStripLeft;
    caption(texts::kFirstPeriodHeading, s + kT2Left, kDateLeft - kT2Left, true);
    caption(texts::kSecondPeriodHeading, s + kPeriod2Left + kT22Left,
            kSubj2Left + kSubj2Width - kT22Left, true);
    caption(texts::kColDay, s + kDayLeft, kDayWidth, false);
    caption(texts::kColDate, s + kDateLeft, kDateWidth, false);
    caption(texts::kColSubject, s + kSubjLeft, kSubjWidth, false);
    caption(texts::kColTime, s + kTimeLeft, kTimeWidth, false);
    caption(texts::kColCorrector, s + kT1Left, kT1Width, false);
    caption(texts::kColReviewer, s + kT2Left, kT2Width, false);
    const int p = s + kPeriod2Left;
    caption(texts::kColSubject, p + kSubj2Left, kSubj2Width, false);
    caption(texts::kColTime, p + kTime2Left, kTime2Width, false);
    caption(texts::kColCorrector, p + kT12Left, kT12Width, false);
    caption(texts::kColReviewer, p + kT22Left, kT22Width, false);
}

void ControlAll::buildPopups() {
    FSubjects = new PickPopup(PickList::Subjects, Frame1);
    FTeachers = new PickPopup(PickList::Teachers, Frame1);
    FTime = new PickPopup(PickList::Times, Frame1);
    for (PickList list : kPickLists) {
        PickPopup* p = popup(list);
        p->installEventFilter(this);
        clickable(p->closeButton);
        onClick_.insert(p->closeButton, [this] { Image3_Click(); });
        connect(p->addButton, &QPushButton::clicked, this, [this, list] { addPickItem(list); });
        p->newItemBox->installEventFilter(this);
    }
    // The bare areas of the subject and staff popups take the delete mark away.
    for (PickPopup* p : {FSubjects, FTeachers}) {
        p->board->installEventFilter(this);
        onHover_.insert(p, [this] { DelT->hide(); });
        onHover_.insert(p->board, [this] { DelT->hide(); });
    }

    DelT = clickable(new QLabel(Frame1));
    DelT->setObjectName(QStringLiteral("DelT"));
    DelT->resize(twips(180), twips(345));
    DelT->setPixmap(art::deleteMark(twips(180), twips(345)));
    DelT->hide();
    onClick_.insert(DelT, [this] { DelT_Click(); });

    Command9 = hiddenButton(Frame1, "Command9");
    connect(Command9, &QPushButton::clicked, this, [this] { Command9_Click(); });
}

void ControlAll::buildDeleteOptions() {
    Picture1 = panel(this, "Picture1", twipsRect(945, 810, 4560, 1110));
    auto option = [this](const char* name, int top, int width) {
        auto* l = clickable(new QLabel(Picture1));
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(twipsRect(600, top, width, 420));
        l->setAlignment(Qt::AlignCenter);
        l->setFont(windowFont(10));
        l->setAutoFillBackground(true);
        QPalette p = l->palette();
        p.setColor(QPalette::Window, kMenuBack);
        l->setPalette(p);
        return l;
    };
    Image8 = option("Image8", 60, 3800);
    DelAll = option("DelAll", 560, 3800);
    // Each option reads as its question without the question's first word.
    Image8->setText(
        texts::kAskEraseGrade.section(QLatin1Char(' '), 1).remove(QLatin1Char(':')).trimmed());
    DelAll->setText(texts::kAskEraseAll.section(QLatin1Char(' '), 1).trimmed());
    art::fitOneLine(Image8);
    art::fitOneLine(DelAll);
    onClick_.insert(Image8, [this] { Image8_Click(); });
    onClick_.insert(DelAll, [this] { DelAll_Click(); });
    Image11 = clickable(new QLabel(Picture1));
    Image11->setObjectName(QStringLiteral("Image11"));
    Image11->setGeometry(twipsRect(90, 90, 390, 390));
    Image11->setPixmap(art::closeMark(twips(390)));
    onClick_.insert(Image11, [this] { Image11_Click(); });
    Picture1->hide();
}

void ControlAll::buildPrintMenu() {
    const QString captions[kMenuItems] = {
        texts::kMenu0,  texts::kMenu1,  texts::kMenu2, texts::kMenu3, texts::kMenu4,
        texts::kMenu5,  texts::kMenu6,  texts::kMenu7, texts::kMenu8, texts::kMenu9,
        texts::kMenu10, texts::kMenu11, texts::kMenu12};
    // Each item is as high as a line of its font, its dots below included.
    const QFont font = windowFont(12);
    const int itemHeight = std::max(twips(kMenuItemHeight), art::lineHeight(font) + 4);
    const int pitch = std::max(twips(kMenuPitch), itemHeight + 3);
    const int top = twips(150);
    const int closeSize = twips(420);
    Picture2 = panel(this, "Picture2",
                     QRect(0, twips(1530), twips(kMenuWidth),
                           top + kMenuItems * pitch + closeSize + 2 * twips(60)));
    MainSelect.resize(kMenuItems);
    for (int i = 0; i < kMenuItems; ++i) {
        // Item 12 stands above item 11, the last one.
        const int slot = i == 12 ? 11 : i == 11 ? 12 : i;
        auto* l = clickable(new QLabel(captions[i], Picture2));
        l->setObjectName(QStringLiteral("MainSelect_%1").arg(i));
        l->setGeometry(twips((kMenuWidth - kMenuItemWidth) / 2), top + slot * pitch,
                       twips(kMenuItemWidth), itemHeight);
        l->setAlignment(Qt::AlignCenter);
        l->setFont(font);
        l->setAutoFillBackground(true);
        l->setMouseTracking(true);
        platform::fillBackground(l, kMenuBack);
        art::fitOneLine(l);
        onClick_.insert(l, [this, i] { MainSelect_Click(i); });
        onHover_.insert(l, [this, i] { MainSelect_MouseMove(i); });
        MainSelect[i] = l;
    }
    Image1 = clickable(new QLabel(Picture2));
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry((Picture2->width() - closeSize) / 2, top + kMenuItems * pitch + twips(60),
                        closeSize, closeSize);
    Image1->setPixmap(art::closeMark(closeSize));
    onClick_.insert(Image1, [this] { Image1_Click(); });
}

void ControlAll::buildPaperworkPanels() {
    // The paperwork of a picked day and the schedule of one grade: their
    // prints are connected by the paperwork through the hidden buttons. The
    // rows are placed from the top down, each as high as its font needs.
    const QFont bannerFont = windowFont(12, 700);
    const QFont listFont = windowFont(11);
    const int bannerHeight = art::lineHeight(bannerFont) + 8;
    auto image = [this](QWidget* parent, const char* name, const QRect& r) {
        auto* l = clickable(new QLabel(parent));
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(r);
        return l;
    };
    auto bannerLabel = [&](QWidget* parent, int index, const QString& text) {
        auto* l = new QLabel(parent);
        l->setObjectName(QStringLiteral("Image5_%1").arg(index));
        l->setGeometry(twips(600), twips(90), parent->width() - twips(1200), bannerHeight);
        l->setPixmap(art::banner(text, l->width(), l->height(), bannerFont));
        l->setProperty("banner", text);
        return l;
    };
    auto captionOver = [&](QWidget* parent, const QString& text, int top) {
        auto* l = new QLabel(text, parent);
        l->setFont(windowFont(10, 700));
        l->setAlignment(Qt::AlignCenter);
        l->setGeometry(twips(600), top, parent->width() - twips(1200),
                       art::lineHeight(l->font()) + 2);
        return l;
    };
    auto list = [&](QWidget* parent, const char* name, int top) {
        auto* c = new QComboBox(parent);
        c->setObjectName(QString::fromLatin1(name));
        c->setFont(listFont);
        c->setGeometry(twips(600), top, parent->width() - twips(1200), twips(480));
        art::fitOneLine(c);
        return c;
    };
    const int gap = twips(90);
    Image5.assign(4, nullptr);

    Picture4 = panel(this, "Picture4", twipsRect(0, 0, 5355, 4935));
    Image5[1] = bannerLabel(Picture4, 1, texts::kMenu5);
    Image5[2] = bannerLabel(Picture4, 2, texts::kMenu5);
    Image5[3] = bannerLabel(Picture4, 3, texts::kMenu6);
    Image5[2]->hide();
    Image5[3]->hide();
    int y = Image5[1]->geometry().bottom() + 1 + gap;
    GradeCaption = captionOver(Picture4, texts::kColGrade, y);
    y = GradeCaption->geometry().bottom() + 1;
    Combo8 = list(Picture4, "Combo8", y);
    y = Combo8->geometry().bottom() + 1 + gap;
    PeriodCaption = captionOver(Picture4, texts::kColPeriod, y);
    y = PeriodCaption->geometry().bottom() + 1;
    Combo7 = list(Picture4, "Combo7", y);
    y = Combo7->geometry().bottom() + 1 + 2 * gap;
    const int buttons = std::min(twips(600), Picture4->height() - y - gap);
    Image4 = image(Picture4, "Image4", QRect(twips(2200), y, twips(900), buttons));
    Image16 = image(Picture4, "Image16", QRect(twips(600), y, buttons, buttons));
    Image4->setToolTip(texts::kPrintTip);
    Image16->setToolTip(texts::kPickDayTip);
    Image6 = image(Picture4, "Image6", twipsRect(90, 90, 390, 390));
    Image6->setPixmap(art::closeMark(twips(390)));
    onClick_.insert(Image6, [this] { Image6_Click(); });
    Command4 = hiddenButton(Picture4, "Command4");
    Command5 = hiddenButton(Picture4, "Command5");
    Command6 = hiddenButton(Picture4, "Command6");
    Picture4->hide();

    CommeteePic = panel(this, "CommeteePic", twipsRect(0, 0, 4905, 3270));
    Image5[0] = bannerLabel(CommeteePic, 0, texts::kGradeSheetBanner);
    y = Image5[0]->geometry().bottom() + 1 + gap;
    ChooserCaption = captionOver(CommeteePic, texts::kColGrade, y);
    y = ChooserCaption->geometry().bottom() + 1;
    Combo6 = list(CommeteePic, "Combo6", y);
    y = Combo6->geometry().bottom() + 1 + 2 * gap;
    Imageshow = image(
        CommeteePic, "Imageshow",
        QRect(twips(2000), y, twips(900), std::min(twips(600), CommeteePic->height() - y - gap)));
    Imageshow->setToolTip(texts::kPrintTip);
    CloseIt = image(CommeteePic, "CloseIt", twipsRect(90, 90, 390, 390));
    CloseIt->setPixmap(art::closeMark(twips(390)));
    onClick_.insert(CloseIt, [this] { CloseIt_Click(); });
    CommeteePic->hide();
}

void ControlAll::showPrintPanel(int paper) {
    static const QString titles[] = {texts::kMenu3, texts::kMenu4, texts::kMenu5, texts::kMenu6};
    PanelPaper = paper;
    const QString title = paper >= 0 && paper < 4 ? titles[paper] : texts::kMenu5;
    QLabel* banner = Image5[1];
    banner->setPixmap(art::banner(title, banner->width(), banner->height(), windowFont(12, 700)));
    banner->setProperty("banner", title);
    const bool grade = paper == 3;
    Combo8->setVisible(grade);
    GradeCaption->setVisible(grade);
    Picture4->show();
    Picture4->raise();
}

void ControlAll::buildLabelsPanel() {
    // The labels panel's own rows and boxes are the labels' to add.
    Picture3 = panel(this, "Picture3", twipsRect(90, 9720, 16125, 10050));
    Combo9 = new QComboBox(Picture3);
    Combo9->setObjectName(QStringLiteral("Combo9"));
    Combo9->setGeometry(twipsRect(4305, 1095, 5355, 480));
    Combo9->setFont(windowFont(11));
    connect(Combo9, &QComboBox::activated, this, [this] { Combo9_Click(); });
    ClassSeries = new QCheckBox(Picture3);
    ClassSeries->setObjectName(QStringLiteral("ClassSeries"));
    ClassSeries->setGeometry(twipsRect(6930, 1890, 2685, 360));
    All_Series = new QCheckBox(Picture3);
    All_Series->setObjectName(QStringLiteral("All_Series"));
    All_Series->setGeometry(twipsRect(6330, 1920, 375, 360));
    connect(All_Series, &QCheckBox::clicked, this, [this] { All_Series_Click(); });
    Text1 = new QLineEdit(Picture3);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(twipsRect(5115, 2880, 3330, 420));
    Text1->setFont(windowFont(11));
    ControlBottos.assign(3, nullptr);
    ControlBottos[2] = clickable(new QLabel(Picture3));
    ControlBottos[2]->setObjectName(QStringLiteral("ControlBottos_2"));
    ControlBottos[2]->setGeometry(twipsRect(150, 150, 420, 420));
    ControlBottos[2]->setPixmap(art::closeMark(twips(420)));
    onClick_.insert(ControlBottos[2], [this] { ControlBottos_Click(2); });
    Picture3->hide();
}

void ControlAll::buildMailboxes() {
    Check1 = new QCheckBox(Picture2);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->hide();
    Check2 = new QCheckBox(Picture2);
    Check2->setObjectName(QStringLiteral("Check2"));
    Check2->hide();
    for (int i = 0; i < 7; ++i) {
        auto* o = new QRadioButton(Picture2);
        o->setObjectName(QStringLiteral("Option1_%1").arg(i));
        o->hide();
        Option1.push_back(o);
    }
    Label5 = new QLabel(QStringLiteral("Label5"), Picture2);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->hide();
    Label6 = new QLabel(QStringLiteral("Label6"), Picture2);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->hide();
    Class = new QLineEdit(Picture2);
    Class->setObjectName(QStringLiteral("Class"));
    Class->hide();
    Command2 = hiddenButton(Picture2, "Command2");
    Print10 = hiddenButton(Picture2, "Print10");
}

void ControlAll::Form_Load() {
    All_Series->setChecked(true);
    All_Series_Click();
    Combo4->addItem(texts::kGradePrompt);
    ScheduleSaved = true;
    cmdSave->hide();
    Picture3->move(0, twips(450));
    showGrid(ScheduleGrid());
    Command9->click();

    const int height = main_ ? main_->height() : twips(10520);
    resize(twips(kWindowWidth), height);
    if (main_)
        move(main_->x() + (main_->width() - width()) / 2, main_->y());
    Title->setGeometry(0, 0, width(),
                       std::max(twips(kTitleHeight), art::lineHeight(Title->font()) + 2));
    Frame1->setGeometry(twipsRect(kFrameLeft, kFrameTop, kFrameWidth, kFolded));
    FTeachers->move(twips(90), twips(4875));
    FSubjects->move(twips(90), twips(3570));
    FTime->move(twips(135), twips(3525));
    for (QFrame* p : {static_cast<QFrame*>(CommeteePic), static_cast<QFrame*>(Picture4)})
        p->move((width() - p->width()) / 2, (height - p->height()) / 2);
    Picture2->move((width() - Picture2->width()) / 2, twips(1530));

    fillGradeLists();
    Combo7->addItem(texts::kFirstPeriod);
    Combo7->addItem(texts::kSecondPeriod);
    for (QComboBox* box : {Combo6, Combo7, Combo8})
        if (box->count() > 0)
            box->setCurrentIndex(0);
    platform::select(Combo4, 0, [this] { Combo4_Click(); });
    Combo4->setFocus();
}

void ControlAll::fillGradeLists() {
    // The class keys are read without moving the main window's selection, so
    // the class chosen there stays chosen.
    QStringList keys;
    if (main_)
        for (int i = 0; i < main_->classPicker->count(); ++i)
            keys << main_->classPicker->itemText(i);
    const QStringList grades = examGradeNames(keys);
    Combo4->addItems(grades);
    Combo6->addItems(grades);
    Combo8->addItems(grades);
    Combo9->clear();
    Combo9->addItem(texts::kGradePrompt);
    Combo9->addItems(labelClassKeys(keys));
    platform::select(Combo9, 0, [this] { Combo9_Click(); });
}

bool ControlAll::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(event);
        auto* w = qobject_cast<QWidget*>(watched);
        if (me->button() != Qt::LeftButton || !w || !w->rect().contains(me->position().toPoint()))
            break;
        if (const auto it = onClick_.constFind(watched); it != onClick_.constEnd()) {
            const std::function<void()> action = *it;
            action();
            return true;
        }
        for (PickList list : kPickLists) {
            const PickPopup* p = popup(list);
            for (int i = 0; i < p->itemCount(); ++i)
                if (p->items[i] == watched) {
                    pickItem_Click(list, i);
                    return true;
                }
        }
        break;
    }
    case QEvent::MouseMove: {
        if (const auto it = onHover_.constFind(watched); it != onHover_.constEnd()) {
            const std::function<void()> action = *it;
            action();
            break;
        }
        for (PickList list : kPickLists) {
            const PickPopup* p = popup(list);
            for (int i = 0; i < p->itemCount(); ++i)
                if (p->items[i] == watched)
                    pickItem_MouseMove(list, i);
        }
        break;
    }
    case QEvent::MouseButtonPress:
        if (auto* edit = qobject_cast<QLineEdit*>(watched); edit && edit->isEnabled())
            cell_Click(edit);
        break;
    case QEvent::FocusIn: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Coming back to the window is no new choice of a cell.
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            break;
        if (auto* edit = qobject_cast<QLineEdit*>(watched))
            cell_GotFocus(edit);
        break;
    }
    case QEvent::KeyRelease:
        for (PickList list : kPickLists)
            if (popup(list)->newItemBox == watched)
                Tex_KeyUp(list, static_cast<QKeyEvent*>(event)->key());
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void ControlAll::Image10_Click() {
    Image10->hide();
    Image15->show();
    // The fold is a visible animation; the window stays responsive meanwhile.
    for (int h = 5495; h >= 995; h -= 50) {
        Frame1->resize(Frame1->width(), twips(h));
        QCoreApplication::processEvents();
    }
    Frame1->resize(Frame1->width(), twips(kFolded));
    hidePopups();
    Picture2->show();
}

void ControlAll::foldEditor() {
    Image10->hide();
    Image15->show();
    Frame1->resize(Frame1->width(), twips(kFolded));
    hidePopups();
    Picture2->show();
}

void ControlAll::hidePopups() {
    FTeachers->hide();
    FSubjects->hide();
    FTime->hide();
    DelT->hide();
}

void ControlAll::DelOptions_Click() {
    Picture1->show();
    Picture1->raise();
}

void ControlAll::Image11_Click() {
    Picture1->hide();
}

void ControlAll::Image1_Click() {
    close();
}

void ControlAll::CloseIt_Click() {
    CommeteePic->hide();
}

void ControlAll::Image6_Click() {
    Picture4->hide();
}

void ControlAll::MainSelect_Click(int index) {
    if (CommeteePic->isVisible() || index < 0 || index >= kMenuItems)
        return;
    if (index == 1) {
        CommeteePic->show();
        CommeteePic->raise();
        return;
    }
    if (index == 11) {
        Picture3->show();
        Picture3->raise();
        return;
    }
    const std::function<void()> action = printActions_[index];
    // A paper reads the stored schedule: unsaved edits are settled first.
    if (action && settleUnsavedChanges())
        action();
}

void ControlAll::MainSelect_MouseMove(int index) {
    if (CommeteePic->isVisible())
        return;
    for (int i = 0; i < kMenuItems; ++i)
        platform::fillBackground(MainSelect[i], i == index ? kMenuHover : kMenuBack);
}

void ControlAll::setPrintMenuAction(int index, std::function<void()> action) {
    if (index >= 0 && index < kMenuItems && index != 1 && index != 11)
        printActions_[index] = std::move(action);
}

void ControlAll::Combo9_Click() {
    Text1->setText(Combo9->currentText());
}

void ControlAll::All_Series_Click() {
    ClassSeries->setChecked(false);
}

void ControlAll::ControlBottos_Click(int index) {
    if (index == 2)
        Picture3->hide();
}

void ControlAll::Picture6_Click() {
    const int day = std::clamp(Selected->text().toInt(), 0, kExamDays - 1);
    if (dates::CalendarWindow* calendar = dates::loadCalendarWindow(main_.data()))
        calendar->openFor(dates::CalendarRequest::examDayDate(day, true), this);
    // Also when the calendar is then closed without a date.
    ScheduleSaved = false;
}

void ControlAll::receiveCalendarDate(const dates::CalendarRequest& request,
                                     const dates::PickedDate& date) {
    const QString weekday = platform::fromUtf8(date.weekday);
    const QString text = platform::fromUtf8(date.hijriText);
    Label5->setText(weekday);
    Label6->setText(text);
    // Only a request for an exam day's date writes into the grid; a print or
    // a student's minutes take their day from Label5 and Label6.
    if (const std::optional<int> day = dates::examDayToWrite(request)) {
        Day[*day]->setText(weekday);
        DayDate[*day]->setText(text);
    }
    show();
    setEnabled(true);
    raise();
    activateWindow();
    continueWaitingPrint(request);
}

namespace {

// Which mark a request of these prints set: Check2, Check1, or none.
QCheckBox* requestMark(ControlAll& w, const dates::CalendarRequest& request) {
    if (request.purpose == dates::CalendarPurpose::StudentMinutes)
        return w.Check2;
    if (request.purpose == dates::CalendarPurpose::ExamPrint &&
        (request.print == dates::ExamPrintKind::QuestionsOpeningOfDay ||
         request.print == dates::ExamPrintKind::QuestionsOpeningOfSubject))
        return w.Check1;
    return nullptr;
}

} // namespace

bool showMinutesPanel(ControlAll& w, const dates::CalendarRequest& request) {
    QCheckBox* mark = requestMark(w, request);
    if (!mark)
        return false;
    mark->setChecked(false);
    w.setEnabled(true);
    int paper = 2;
    if (request.purpose == dates::CalendarPurpose::StudentMinutes)
        paper = request.minutes == dates::MinutesKind::Cheating ? 1 : 0;
    else if (request.print == dates::ExamPrintKind::QuestionsOpeningOfSubject)
        paper = 3;
    w.showPrintPanel(paper);
    return true;
}

bool dropMinutesRequest(ControlAll& w, const dates::CalendarRequest& request) {
    QCheckBox* mark = requestMark(w, request);
    if (!mark)
        return false;
    mark->setChecked(false);
    return true;
}

void ControlAll::continueWaitingPrint(const dates::CalendarRequest& request) {
    // The minutes and the opening of the questions show the print panel,
    // where the user picks the period and prints.
    if (showMinutesPanel(*this, request))
        return;
    if (request.purpose != dates::CalendarPurpose::ExamPrint)
        return;
    Check1->setChecked(false);
    Combo8->show();
    switch (request.print) {
    case dates::ExamPrintKind::HandOver:
    case dates::ExamPrintKind::HandOverWithChecking:
        Command2->click();
        break;
    case dates::ExamPrintKind::CorrectorsAndReviewers:
        Print10->click();
        break;
    default:
        break;
    }
}

void ControlAll::calendarRequestEnded(const dates::CalendarRequest& request) {
    // Closed without a date: nothing waits any more (the calendar has
    // enabled this window again).
    dropMinutesRequest(*this, request);
    if (request.purpose == dates::CalendarPurpose::ExamPrint)
        Check1->setChecked(false);
}

void ControlAll::reportFailure(const QString& what, const QString& why) {
    shell::tell(what + QStringLiteral("\r\n") + why, shell::Tone::Alarm);
}

PickPopup* ControlAll::popup(PickList list) const {
    switch (list) {
    case PickList::Subjects:
        return FSubjects;
    case PickList::Teachers:
        return FTeachers;
    case PickList::Times:
        break;
    }
    return FTime;
}

} // namespace sijill::exams
