#include "exams/ExamControlWindow.h"

#include "dates/CalendarWindow.h"
#include "exams/ExamControlArt.h"
#include "exams/ExamControlLayout.h"
#include "exams/GradeLists.h"
#include "exams/PickPopup.h"
#include "exams/Texts.h"
#include "platform/Background.h"
#include "platform/ChildWindow.h"
#include "platform/Fonts.h"
#include "platform/OneWindow.h"
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

ExamControlWindow* examControlWindow() {
    return platform::openWindow<ExamControlWindow>().data();
}

ExamControlWindow* loadExamControlWindow() {
    return platform::openOnce<ExamControlWindow>(
        [] { return new ExamControlWindow(shell::mainForm()); });
}

ExamControlWindow::ExamControlWindow(shell::MainForm* main) : QWidget(nullptr), main_(main) {
    setObjectName(QStringLiteral("ExamControlWindow"));
    setWindowTitle(texts::kWindowCaption);
    shell::childOfMainWindow(this, main, this);
    setWindowFlag(Qt::FramelessWindowHint);
    setLayoutDirection(Qt::RightToLeft);
    // Closing unloads the window; the next opening loads it afresh.
    setAttribute(Qt::WA_DeleteOnClose);
    platform::fillBackground(this, kWindowBack);
    printActions_.resize(kMenuItems);
    build();
    load();
}

ExamControlWindow::~ExamControlWindow() {
    if (dates::CalendarWindow* calendar = dates::calendarWindow())
        calendar->withdraw(this);
}

QLabel* ExamControlWindow::clickable(QLabel* label) {
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
    return label;
}

void ExamControlWindow::build() {
    // Created back to front: a later panel covers an earlier one.
    buildPrintMenu();
    buildPaperworkPanels();
    editorFrame = new QFrame(this);
    editorFrame->setObjectName(QStringLiteral("editorFrame"));
    editorFrame->setFrameShape(QFrame::Box);
    platform::fillBackground(editorFrame, kPanelBack);
    editorFrame->installEventFilter(this);
    onClick_.insert(editorFrame, [this] { deletePickItemMark->hide(); });
    buildHeader();
    buildCaptions();
    buildGrid();
    buildPopups();

    titleBar = new QLabel(texts::kWindowCaption, this);
    titleBar->setObjectName(QStringLiteral("titleBar"));
    titleBar->setAlignment(Qt::AlignCenter);
    titleBar->setFont(windowFont(11, 700));
    titleBar->setStyleSheet(QStringLiteral("color: white;"));
    auto* drag = new platform::WindowDrag(this);
    drag->addSurface(titleBar);

    buildLabelsPanel();
    buildDeleteOptions();
    gradeSheetPanel->raise();
    buildMailboxes();
}

void ExamControlWindow::buildHeader() {
    editorCaption = new QLabel(texts::kEditorCaption, editorFrame);
    editorCaption->setObjectName(QStringLiteral("editorCaption"));
    editorCaption->setGeometry(twipsRect(10035, 360, 2580, 480));
    editorCaption->setAlignment(Qt::AlignCenter);
    editorCaption->setFont(windowFont(12, 700));

    gradePicker = new QComboBox(editorFrame);
    gradePicker->setObjectName(QStringLiteral("gradePicker"));
    gradePicker->setGeometry(twipsRect(6990, 360, 2955, 480));
    gradePicker->setFont(windowFont(11));
    connect(gradePicker, &QComboBox::activated, this, [this] { onGradeChosen(); });

    saveButton = new QPushButton(editorFrame);
    saveButton->setObjectName(QStringLiteral("saveButton"));
    saveButton->setGeometry(twipsRect(6390, 330, 585, 525));
    saveButton->setIcon(QIcon(art::saveMark(twips(480), twips(480))));
    saveButton->setIconSize(QSize(twips(420), twips(420)));
    connect(saveButton, &QPushButton::clicked, this, [this] { onSaveClicked(); });

    shownGradeBox = new QLineEdit(editorFrame);
    shownGradeBox->setObjectName(QStringLiteral("shownGradeBox"));
    shownGradeBox->setGeometry(twipsRect(1080, 360, 3135, 510));
    shownGradeBox->setEnabled(false);
    QPalette dim = shownGradeBox->palette();
    dim.setColor(QPalette::Disabled, QPalette::Text, QColor(0x1F, 0x3A, 0x5F));
    shownGradeBox->setPalette(dim);
    shownGradeBox->setAlignment(Qt::AlignCenter);
    shownGradeBox->setFont(windowFont(12, 700));

    deleteOptionsButton = clickable(new QLabel(editorFrame));
    deleteOptionsButton->setObjectName(QStringLiteral("deleteOptionsButton"));
    deleteOptionsButton->setGeometry(twipsRect(165, 330, 480, 480));
    deleteOptionsButton->setPixmap(art::optionsMark(twips(480)));
    onClick_.insert(deleteOptionsButton, [this] { onDeleteOptionsClicked(); });

    foldButton = clickable(new QLabel(editorFrame));
    foldButton->setObjectName(QStringLiteral("foldButton"));
    foldButton->setGeometry(twipsRect(12915, 390, 465, 390));
    foldButton->setPixmap(art::foldMark(twips(465), twips(390)));
    onClick_.insert(foldButton, [this] { onFoldClicked(); });

    for (QWidget* w : {static_cast<QWidget*>(editorCaption), static_cast<QWidget*>(gradePicker),
                       static_cast<QWidget*>(shownGradeBox)})
        art::fitOneLine(w);

    // The opener lies beyond the editor's edge: a grade choice opens it.
    unfoldMark = new QLabel(editorFrame);
    unfoldMark->setObjectName(QStringLiteral("unfoldMark"));
    unfoldMark->setGeometry(twipsRect(16020, 390, 465, 390));
}

void ExamControlWindow::buildCaptions() {
    // The period headings, then the column captions down to the first day's
    // strip; each as high as its font's line.
    const QFont headingFont = windowFont(9, 700);
    const int headingTop = twips(930);
    const int headingHeight = art::lineHeight(headingFont) + 2;
    const int captionTop = headingTop + headingHeight;
    const int captionHeight = twips(kStripTops[0]) - captionTop;
    auto caption = [&](const QString& text, int left, int width, bool heading) {
        auto* l = new QLabel(text, editorFrame);
        l->setObjectName(QStringLiteral("Caption_%1").arg(editorFrame->children().size()));
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

void ExamControlWindow::buildPopups() {
    subjectsPopup = new PickPopup(PickList::Subjects, editorFrame);
    teachersPopup = new PickPopup(PickList::Teachers, editorFrame);
    timesPopup = new PickPopup(PickList::Times, editorFrame);
    for (PickList list : kPickLists) {
        PickPopup* p = popup(list);
        p->installEventFilter(this);
        clickable(p->closeButton);
        onClick_.insert(p->closeButton, [this] { onClosePopupClicked(); });
        connect(p->addButton, &QPushButton::clicked, this, [this, list] { addPickItem(list); });
        p->newItemBox->installEventFilter(this);
    }
    // The bare areas of the subject and staff popups take the delete mark away.
    for (PickPopup* p : {subjectsPopup, teachersPopup}) {
        p->board->installEventFilter(this);
        onHover_.insert(p, [this] { deletePickItemMark->hide(); });
        onHover_.insert(p->board, [this] { deletePickItemMark->hide(); });
    }

    deletePickItemMark = clickable(new QLabel(editorFrame));
    deletePickItemMark->setObjectName(QStringLiteral("deletePickItemMark"));
    deletePickItemMark->resize(twips(180), twips(345));
    deletePickItemMark->setPixmap(art::deleteMark(twips(180), twips(345)));
    deletePickItemMark->hide();
    onClick_.insert(deletePickItemMark, [this] { onDeletePickItemClicked(); });

    reloadListsButton = hiddenButton(editorFrame, "reloadListsButton");
    connect(reloadListsButton, &QPushButton::clicked, this, [this] { reloadPickLists(); });
}

void ExamControlWindow::buildDeleteOptions() {
    deleteOptionsPanel = panel(this, "deleteOptionsPanel", twipsRect(945, 810, 4560, 1110));
    auto option = [this](const char* name, int top, int width) {
        auto* l = clickable(new QLabel(deleteOptionsPanel));
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
    eraseGradeOption = option("eraseGradeOption", 60, 3800);
    eraseAllOption = option("eraseAllOption", 560, 3800);
    // Each option reads as its question without the question's first word.
    eraseGradeOption->setText(
        texts::kAskEraseGrade.section(QLatin1Char(' '), 1).remove(QLatin1Char(':')).trimmed());
    eraseAllOption->setText(texts::kAskEraseAll.section(QLatin1Char(' '), 1).trimmed());
    art::fitOneLine(eraseGradeOption);
    art::fitOneLine(eraseAllOption);
    onClick_.insert(eraseGradeOption, [this] { onEraseGradeClicked(); });
    onClick_.insert(eraseAllOption, [this] { onEraseAllClicked(); });
    closeDeleteOptionsButton = clickable(new QLabel(deleteOptionsPanel));
    closeDeleteOptionsButton->setObjectName(QStringLiteral("closeDeleteOptionsButton"));
    closeDeleteOptionsButton->setGeometry(twipsRect(90, 90, 390, 390));
    closeDeleteOptionsButton->setPixmap(art::closeMark(twips(390)));
    onClick_.insert(closeDeleteOptionsButton, [this] { onCloseDeleteOptionsClicked(); });
    deleteOptionsPanel->hide();
}

void ExamControlWindow::buildPrintMenu() {
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
    printMenuPanel = panel(this, "printMenuPanel",
                           QRect(0, twips(1530), twips(kMenuWidth),
                                 top + kMenuItems * pitch + closeSize + 2 * twips(60)));
    printMenuItems.resize(kMenuItems);
    for (int i = 0; i < kMenuItems; ++i) {
        // Item 12 stands above item 11, the last one.
        const int slot = i == 12 ? 11 : i == 11 ? 12 : i;
        auto* l = clickable(new QLabel(captions[i], printMenuPanel));
        l->setObjectName(QStringLiteral("printMenuItems_%1").arg(i));
        l->setGeometry(twips((kMenuWidth - kMenuItemWidth) / 2), top + slot * pitch,
                       twips(kMenuItemWidth), itemHeight);
        l->setAlignment(Qt::AlignCenter);
        l->setFont(font);
        l->setAutoFillBackground(true);
        l->setMouseTracking(true);
        platform::fillBackground(l, kMenuBack);
        art::fitOneLine(l);
        onClick_.insert(l, [this, i] { onPrintMenuItemClicked(i); });
        onHover_.insert(l, [this, i] { onPrintMenuItemHovered(i); });
        printMenuItems[i] = l;
    }
    closeWindowButton = clickable(new QLabel(printMenuPanel));
    closeWindowButton->setObjectName(QStringLiteral("closeWindowButton"));
    closeWindowButton->setGeometry((printMenuPanel->width() - closeSize) / 2,
                                   top + kMenuItems * pitch + twips(60), closeSize, closeSize);
    closeWindowButton->setPixmap(art::closeMark(closeSize));
    onClick_.insert(closeWindowButton, [this] { onCloseWindowClicked(); });
}

void ExamControlWindow::buildPaperworkPanels() {
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
        l->setObjectName(QStringLiteral("panelBanners_%1").arg(index));
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
    panelBanners.assign(4, nullptr);

    dayPrintPanel = panel(this, "dayPrintPanel", twipsRect(0, 0, 5355, 4935));
    panelBanners[1] = bannerLabel(dayPrintPanel, 1, texts::kMenu5);
    panelBanners[2] = bannerLabel(dayPrintPanel, 2, texts::kMenu5);
    panelBanners[3] = bannerLabel(dayPrintPanel, 3, texts::kMenu6);
    panelBanners[2]->hide();
    panelBanners[3]->hide();
    int y = panelBanners[1]->geometry().bottom() + 1 + gap;
    dayGradeCaption = captionOver(dayPrintPanel, texts::kColGrade, y);
    y = dayGradeCaption->geometry().bottom() + 1;
    dayGradePicker = list(dayPrintPanel, "dayGradePicker", y);
    y = dayGradePicker->geometry().bottom() + 1 + gap;
    dayPeriodCaption = captionOver(dayPrintPanel, texts::kColPeriod, y);
    y = dayPeriodCaption->geometry().bottom() + 1;
    dayPeriodPicker = list(dayPrintPanel, "dayPeriodPicker", y);
    y = dayPeriodPicker->geometry().bottom() + 1 + 2 * gap;
    const int buttons = std::min(twips(600), dayPrintPanel->height() - y - gap);
    dayPrintButton =
        image(dayPrintPanel, "dayPrintButton", QRect(twips(2200), y, twips(900), buttons));
    pickDayAgainButton =
        image(dayPrintPanel, "pickDayAgainButton", QRect(twips(600), y, buttons, buttons));
    dayPrintButton->setToolTip(texts::kPrintTip);
    pickDayAgainButton->setToolTip(texts::kPickDayTip);
    closeDayPanelButton = image(dayPrintPanel, "closeDayPanelButton", twipsRect(90, 90, 390, 390));
    closeDayPanelButton->setPixmap(art::closeMark(twips(390)));
    onClick_.insert(closeDayPanelButton, [this] { onCloseDayPanelClicked(); });
    studentMinutesButton = hiddenButton(dayPrintPanel, "studentMinutesButton");
    dayQuestionsButton = hiddenButton(dayPrintPanel, "dayQuestionsButton");
    subjectQuestionsButton = hiddenButton(dayPrintPanel, "subjectQuestionsButton");
    dayPrintPanel->hide();

    gradeSheetPanel = panel(this, "gradeSheetPanel", twipsRect(0, 0, 4905, 3270));
    panelBanners[0] = bannerLabel(gradeSheetPanel, 0, texts::kGradeSheetBanner);
    y = panelBanners[0]->geometry().bottom() + 1 + gap;
    sheetGradeCaption = captionOver(gradeSheetPanel, texts::kColGrade, y);
    y = sheetGradeCaption->geometry().bottom() + 1;
    sheetGradePicker = list(gradeSheetPanel, "sheetGradePicker", y);
    y = sheetGradePicker->geometry().bottom() + 1 + 2 * gap;
    sheetShowButton = image(gradeSheetPanel, "sheetShowButton",
                            QRect(twips(2000), y, twips(900),
                                  std::min(twips(600), gradeSheetPanel->height() - y - gap)));
    sheetShowButton->setToolTip(texts::kPrintTip);
    closeSheetPanelButton =
        image(gradeSheetPanel, "closeSheetPanelButton", twipsRect(90, 90, 390, 390));
    closeSheetPanelButton->setPixmap(art::closeMark(twips(390)));
    onClick_.insert(closeSheetPanelButton, [this] { onCloseSheetPanelClicked(); });
    gradeSheetPanel->hide();
}

void ExamControlWindow::showPrintPanel(int paper) {
    static const QString titles[] = {texts::kMenu3, texts::kMenu4, texts::kMenu5, texts::kMenu6};
    PanelPaper = paper;
    const QString title = paper >= 0 && paper < 4 ? titles[paper] : texts::kMenu5;
    QLabel* banner = panelBanners[1];
    banner->setPixmap(art::banner(title, banner->width(), banner->height(), windowFont(12, 700)));
    banner->setProperty("banner", title);
    const bool grade = paper == 3;
    dayGradePicker->setVisible(grade);
    dayGradeCaption->setVisible(grade);
    dayPrintPanel->show();
    dayPrintPanel->raise();
}

void ExamControlWindow::buildLabelsPanel() {
    // The labels panel's own rows and boxes are the labels' to add.
    labelsPanelFrame = panel(this, "labelsPanelFrame", twipsRect(90, 9720, 16125, 10050));
    labelsClassPicker = new QComboBox(labelsPanelFrame);
    labelsClassPicker->setObjectName(QStringLiteral("labelsClassPicker"));
    labelsClassPicker->setGeometry(twipsRect(4305, 1095, 5355, 480));
    labelsClassPicker->setFont(windowFont(11));
    connect(labelsClassPicker, &QComboBox::activated, this, [this] { onLabelsClassChosen(); });
    classSeriesBox = new QCheckBox(labelsPanelFrame);
    classSeriesBox->setObjectName(QStringLiteral("classSeriesBox"));
    classSeriesBox->setGeometry(twipsRect(6930, 1890, 2685, 360));
    allSeriesBox = new QCheckBox(labelsPanelFrame);
    allSeriesBox->setObjectName(QStringLiteral("allSeriesBox"));
    allSeriesBox->setGeometry(twipsRect(6330, 1920, 375, 360));
    connect(allSeriesBox, &QCheckBox::clicked, this, [this] { onAllSeriesClicked(); });
    labelsClassText = new QLineEdit(labelsPanelFrame);
    labelsClassText->setObjectName(QStringLiteral("labelsClassText"));
    labelsClassText->setGeometry(twipsRect(5115, 2880, 3330, 420));
    labelsClassText->setFont(windowFont(11));
    labelsPanelButtons.assign(3, nullptr);
    labelsPanelButtons[2] = clickable(new QLabel(labelsPanelFrame));
    labelsPanelButtons[2]->setObjectName(QStringLiteral("labelsPanelButtons_2"));
    labelsPanelButtons[2]->setGeometry(twipsRect(150, 150, 420, 420));
    labelsPanelButtons[2]->setPixmap(art::closeMark(twips(420)));
    onClick_.insert(labelsPanelButtons[2], [this] { onLabelsPanelButtonClicked(2); });
    labelsPanelFrame->hide();
}

void ExamControlWindow::buildMailboxes() {
    dayPrintWaiting = new QCheckBox(printMenuPanel);
    dayPrintWaiting->setObjectName(QStringLiteral("dayPrintWaiting"));
    dayPrintWaiting->hide();
    studentMinutesWaiting = new QCheckBox(printMenuPanel);
    studentMinutesWaiting->setObjectName(QStringLiteral("studentMinutesWaiting"));
    studentMinutesWaiting->hide();
    for (int i = 0; i < 7; ++i) {
        auto* o = new QRadioButton(printMenuPanel);
        o->setObjectName(QStringLiteral("paperOptions_%1").arg(i));
        o->hide();
        paperOptions.push_back(o);
    }
    pickedWeekdayLabel = new QLabel(QStringLiteral("Label5"), printMenuPanel);
    pickedWeekdayLabel->setObjectName(QStringLiteral("pickedWeekdayLabel"));
    pickedWeekdayLabel->hide();
    pickedDateLabel = new QLabel(QStringLiteral("Label6"), printMenuPanel);
    pickedDateLabel->setObjectName(QStringLiteral("pickedDateLabel"));
    pickedDateLabel->hide();
    lastSheetGrade = new QLineEdit(printMenuPanel);
    lastSheetGrade->setObjectName(QStringLiteral("lastSheetGrade"));
    lastSheetGrade->hide();
    handOverButton = hiddenButton(printMenuPanel, "handOverButton");
    revisersButton = hiddenButton(printMenuPanel, "revisersButton");
}

void ExamControlWindow::load() {
    allSeriesBox->setChecked(true);
    onAllSeriesClicked();
    gradePicker->addItem(texts::kGradePrompt);
    ScheduleSaved = true;
    saveButton->hide();
    labelsPanelFrame->move(0, twips(450));
    showGrid(ScheduleGrid());
    reloadListsButton->click();

    const int height = main_ ? main_->height() : twips(10520);
    resize(twips(kWindowWidth), height);
    if (main_)
        move(main_->x() + (main_->width() - width()) / 2, main_->y());
    titleBar->setGeometry(0, 0, width(),
                          std::max(twips(kTitleHeight), art::lineHeight(titleBar->font()) + 2));
    editorFrame->setGeometry(twipsRect(kFrameLeft, kFrameTop, kFrameWidth, kFolded));
    teachersPopup->move(twips(90), twips(4875));
    subjectsPopup->move(twips(90), twips(3570));
    timesPopup->move(twips(135), twips(3525));
    for (QFrame* p : {static_cast<QFrame*>(gradeSheetPanel), static_cast<QFrame*>(dayPrintPanel)})
        p->move((width() - p->width()) / 2, (height - p->height()) / 2);
    printMenuPanel->move((width() - printMenuPanel->width()) / 2, twips(1530));

    fillGradeLists();
    dayPeriodPicker->addItem(texts::kFirstPeriod);
    dayPeriodPicker->addItem(texts::kSecondPeriod);
    for (QComboBox* box : {sheetGradePicker, dayPeriodPicker, dayGradePicker})
        if (box->count() > 0)
            box->setCurrentIndex(0);
    platform::select(gradePicker, 0, [this] { onGradeChosen(); });
    gradePicker->setFocus();
}

void ExamControlWindow::fillGradeLists() {
    // The class keys are read without moving the main window's selection, so
    // the class chosen there stays chosen.
    QStringList keys;
    if (main_)
        for (int i = 0; i < main_->classPicker->count(); ++i)
            keys << main_->classPicker->itemText(i);
    const QStringList grades = examGradeNames(keys);
    gradePicker->addItems(grades);
    sheetGradePicker->addItems(grades);
    dayGradePicker->addItems(grades);
    labelsClassPicker->clear();
    labelsClassPicker->addItem(texts::kGradePrompt);
    labelsClassPicker->addItems(labelClassKeys(keys));
    platform::select(labelsClassPicker, 0, [this] { onLabelsClassChosen(); });
}

bool ExamControlWindow::eventFilter(QObject* watched, QEvent* event) {
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
                    onPickItemClicked(list, i);
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
                    onPickItemHovered(list, i);
        }
        break;
    }
    case QEvent::MouseButtonPress:
        if (auto* edit = qobject_cast<QLineEdit*>(watched); edit && edit->isEnabled())
            onCellPressed(edit);
        break;
    case QEvent::FocusIn: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Coming back to the window is no new choice of a cell.
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            break;
        if (auto* edit = qobject_cast<QLineEdit*>(watched))
            onCellFocused(edit);
        break;
    }
    case QEvent::KeyRelease:
        for (PickList list : kPickLists)
            if (popup(list)->newItemBox == watched)
                onPickTextKeyReleased(list, static_cast<QKeyEvent*>(event)->key());
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void ExamControlWindow::onFoldClicked() {
    foldButton->hide();
    unfoldMark->show();
    // The fold is a visible animation; the window stays responsive meanwhile.
    for (int h = 5495; h >= 995; h -= 50) {
        editorFrame->resize(editorFrame->width(), twips(h));
        QCoreApplication::processEvents();
    }
    editorFrame->resize(editorFrame->width(), twips(kFolded));
    hidePopups();
    printMenuPanel->show();
}

void ExamControlWindow::foldEditor() {
    foldButton->hide();
    unfoldMark->show();
    editorFrame->resize(editorFrame->width(), twips(kFolded));
    hidePopups();
    printMenuPanel->show();
}

void ExamControlWindow::hidePopups() {
    teachersPopup->hide();
    subjectsPopup->hide();
    timesPopup->hide();
    deletePickItemMark->hide();
}

void ExamControlWindow::onDeleteOptionsClicked() {
    deleteOptionsPanel->show();
    deleteOptionsPanel->raise();
}

void ExamControlWindow::onCloseDeleteOptionsClicked() {
    deleteOptionsPanel->hide();
}

void ExamControlWindow::onCloseWindowClicked() {
    close();
}

void ExamControlWindow::onCloseSheetPanelClicked() {
    gradeSheetPanel->hide();
}

void ExamControlWindow::onCloseDayPanelClicked() {
    dayPrintPanel->hide();
}

void ExamControlWindow::onPrintMenuItemClicked(int index) {
    if (gradeSheetPanel->isVisible() || index < 0 || index >= kMenuItems)
        return;
    if (index == 1) {
        gradeSheetPanel->show();
        gradeSheetPanel->raise();
        return;
    }
    if (index == 11) {
        labelsPanelFrame->show();
        labelsPanelFrame->raise();
        return;
    }
    const std::function<void()> action = printActions_[index];
    // A paper reads the stored schedule: unsaved edits are settled first.
    if (action && settleUnsavedChanges())
        action();
}

void ExamControlWindow::onPrintMenuItemHovered(int index) {
    if (gradeSheetPanel->isVisible())
        return;
    for (int i = 0; i < kMenuItems; ++i)
        platform::fillBackground(printMenuItems[i], i == index ? kMenuHover : kMenuBack);
}

void ExamControlWindow::setPrintMenuAction(int index, std::function<void()> action) {
    if (index >= 0 && index < kMenuItems && index != 1 && index != 11)
        printActions_[index] = std::move(action);
}

void ExamControlWindow::onLabelsClassChosen() {
    labelsClassText->setText(labelsClassPicker->currentText());
}

void ExamControlWindow::onAllSeriesClicked() {
    classSeriesBox->setChecked(false);
}

void ExamControlWindow::onLabelsPanelButtonClicked(int index) {
    if (index == 2)
        labelsPanelFrame->hide();
}

void ExamControlWindow::onPickDateClicked() {
    const int day = std::clamp(hoveredDay->text().toInt(), 0, kExamDays - 1);
    if (dates::CalendarWindow* calendar = dates::loadCalendarWindow(main_.data()))
        calendar->openFor(dates::CalendarRequest::examDayDate(day, true), this);
    // Also when the calendar is then closed without a date.
    ScheduleSaved = false;
}

void ExamControlWindow::receiveCalendarDate(const dates::CalendarRequest& request,
                                            const dates::PickedDate& date) {
    const QString weekday = platform::fromUtf8(date.weekday);
    const QString text = platform::fromUtf8(date.hijriText);
    pickedWeekdayLabel->setText(weekday);
    pickedDateLabel->setText(text);
    // Only a request for an exam day's date writes into the grid; a print or
    // a student's minutes take their day from pickedWeekdayLabel and pickedDateLabel.
    if (const std::optional<int> day = dates::examDayToWrite(request)) {
        weekdayCells[*day]->setText(weekday);
        dateCells[*day]->setText(text);
    }
    show();
    setEnabled(true);
    raise();
    activateWindow();
    continueWaitingPrint(request);
}

namespace {

// Which mark a request of these prints set: studentMinutesWaiting, dayPrintWaiting, or none.
QCheckBox* requestMark(ExamControlWindow& w, const dates::CalendarRequest& request) {
    if (request.purpose == dates::CalendarPurpose::StudentMinutes)
        return w.studentMinutesWaiting;
    if (request.purpose == dates::CalendarPurpose::ExamPrint &&
        (request.print == dates::ExamPrintKind::QuestionsOpeningOfDay ||
         request.print == dates::ExamPrintKind::QuestionsOpeningOfSubject))
        return w.dayPrintWaiting;
    return nullptr;
}

} // namespace

bool showMinutesPanel(ExamControlWindow& w, const dates::CalendarRequest& request) {
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

bool dropMinutesRequest(ExamControlWindow& w, const dates::CalendarRequest& request) {
    QCheckBox* mark = requestMark(w, request);
    if (!mark)
        return false;
    mark->setChecked(false);
    return true;
}

void ExamControlWindow::continueWaitingPrint(const dates::CalendarRequest& request) {
    // The minutes and the opening of the questions show the print panel,
    // where the user picks the period and prints.
    if (showMinutesPanel(*this, request))
        return;
    if (request.purpose != dates::CalendarPurpose::ExamPrint)
        return;
    dayPrintWaiting->setChecked(false);
    dayGradePicker->show();
    switch (request.print) {
    case dates::ExamPrintKind::HandOver:
    case dates::ExamPrintKind::HandOverWithChecking:
        handOverButton->click();
        break;
    case dates::ExamPrintKind::CorrectorsAndReviewers:
        revisersButton->click();
        break;
    default:
        break;
    }
}

void ExamControlWindow::calendarRequestEnded(const dates::CalendarRequest& request) {
    // Closed without a date: nothing waits any more (the calendar has
    // enabled this window again).
    dropMinutesRequest(*this, request);
    if (request.purpose == dates::CalendarPurpose::ExamPrint)
        dayPrintWaiting->setChecked(false);
}

void ExamControlWindow::reportFailure(const QString& what, const QString& why) {
    shell::tell(what + QStringLiteral("\r\n") + why, shell::Tone::Alarm);
}

PickPopup* ExamControlWindow::popup(PickList list) const {
    switch (list) {
    case PickList::Subjects:
        return subjectsPopup;
    case PickList::Teachers:
        return teachersPopup;
    case PickList::Times:
        break;
    }
    return timesPopup;
}

} // namespace sijill::exams
