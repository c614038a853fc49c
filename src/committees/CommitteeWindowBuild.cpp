// The committee window's controls, placed as designed (twips).
#include "committees/CommitteeWindow.h"
#include "committees/Texts.h"
#include "platform/Fonts.h"
#include "platform/Twips.h"
#include "platform/VbColor.h"
#include "shell/ChildOfMainForm.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

namespace sijill::committees {

using platform::twipsRect;

namespace {

constexpr std::uint32_t kTotalsGround = 0xC0FFFF;
constexpr std::uint32_t kWindowGround = 0xF4EDE4;
constexpr std::uint32_t kStripGround = 0x8B5A2B;

QFont captionFont() {
    return platform::windowFont(12);
}
QFont nameFont() {
    return platform::windowFreeFont(11.25, 500);
}
QFont numberFont() {
    return platform::designedFont(QStringLiteral("MS Sans Serif"), 12, 700);
}

void ground(QWidget* w, std::uint32_t colour) {
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, platform::vbColor(colour));
    w->setPalette(p);
}

QLabel* caption(const QString& text, QWidget* parent, const QRect& at) {
    auto* l = new QLabel(text, parent);
    l->setFont(captionFont());
    l->setGeometry(at);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

QLineEdit* numberBox(const QString& name, const QString& text, QWidget* parent, const QRect& at) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(name);
    e->setFont(numberFont());
    e->setAlignment(Qt::AlignCenter);
    e->setGeometry(at);
    return e;
}

QPushButton* hiddenButton(const char* name, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(twipsRect(-5000, 0, 1200, 400));
    b->hide();
    return b;
}

} // namespace

static QLabel* makeIcon(QWidget* parent, QStyle::StandardPixmap which, const QString& tip) {
    auto* l = new QLabel(parent);
    l->setPixmap(parent->style()->standardIcon(which).pixmap(22, 22));
    l->setAlignment(Qt::AlignCenter);
    l->setToolTip(tip);
    l->setCursor(Qt::PointingHandCursor);
    return l;
}

void CommitteeWindow::build() {
    setObjectName(QStringLiteral("CommitteeWindow"));
    setWindowTitle(texts::kCaption);
    shell::childOfMainForm(this, this);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setLayoutDirection(Qt::RightToLeft);
    ground(this, kWindowGround);
    setFixedSize(twipsRect(0, 0, 6645, 10520).size());

    auto* border = new QFrame(this);
    border->setObjectName(QStringLiteral("windowBorder"));
    border->setFrameShape(QFrame::Box);
    border->setGeometry(twipsRect(10, 10, 6645 - 20, 10520 - 20));
    border->setAttribute(Qt::WA_TransparentForMouseEvents);

    closeIcon = makeIcon(this, QStyle::SP_TitleBarCloseButton, {});
    closeIcon->setObjectName(QStringLiteral("closeIcon"));
    closeIcon->setGeometry(twipsRect(75, 45, 390, 375));

    buildSummary();
    buildEditor();
    buildHidden();
}

void CommitteeWindow::buildSummary() {
    summaryPanel = new QFrame(this);
    summaryPanel->setObjectName(QStringLiteral("summaryPanel"));
    summaryPanel->setFrameShape(QFrame::StyledPanel);
    summaryPanel->setGeometry(twipsRect(40, 480, 6570, 2175));
    ground(summaryPanel, kWindowGround);

    defaultCapacityBox = numberBox(QStringLiteral("defaultCapacityBox"), QStringLiteral("30"),
                                   summaryPanel, twipsRect(930, 225, 675, 390));
    caption(texts::kCapacityCaption, summaryPanel, twipsRect(1680, 225, 2400, 390));
    caption(texts::kCommitteeColon, summaryPanel, twipsRect(4200, 225, 2200, 390));
    resetIcon = makeIcon(summaryPanel, QStyle::SP_BrowserReload, {});
    resetIcon->setObjectName(QStringLiteral("resetIcon"));
    resetIcon->setGeometry(twipsRect(330, 210, 480, 420));

    const int tops[3] = {675, 1125, 1575};
    for (int k = 0; k < kGrades; ++k) {
        gradeCountBoxes.push_back(numberBox(QStringLiteral("gradeCountBox%1").arg(k),
                                            QStringLiteral("0"), summaryPanel,
                                            twipsRect(240, tops[k], 600, 435)));
        gradeCountBoxes.back()->setReadOnly(true);
        auto* name =
            caption(QStringLiteral("Label1"), summaryPanel, twipsRect(930, tops[k], 2265, 435));
        name->setObjectName(QStringLiteral("gradeNameLabel%1").arg(k));
        name->setAlignment(Qt::AlignRight | Qt::AlignVCenter | Qt::AlignAbsolute);
        gradeNameLabels.push_back(name);
    }
    openEditorIcon = makeIcon(summaryPanel, QStyle::SP_FileDialogListView, texts::kCommitteeName);
    openEditorIcon->setObjectName(QStringLiteral("openEditorIcon"));
    openEditorIcon->setGeometry(twipsRect(3675, 1695, 2490, 360));
    openEditorIcon->setFrameShape(QFrame::Box);

    // Parked beyond the panel's visible width, as designed.
    countBoxes = {
        numberBox(QStringLiteral("countBox0"), {}, summaryPanel, twipsRect(8520, 300, 900, 390)),
        numberBox(QStringLiteral("countBox1"), {}, summaryPanel, twipsRect(8520, 800, 900, 390))};
    gradeSummaryLabel =
        caption(texts::kGradesCaption, summaryPanel, twipsRect(9600, 300, 2000, 390));
    gradeSummaryLabel->setObjectName(QStringLiteral("gradeSummaryLabel"));
    gradeSummaryLabel->hide();
    caption(texts::kClassesCaption, summaryPanel, twipsRect(9600, 800, 2000, 390));
    caption(texts::kStudentsCaption, summaryPanel, twipsRect(9600, 1300, 2000, 390));
}

void CommitteeWindow::buildEditor() {
    editorPanel = new QFrame(this);
    editorPanel->setObjectName(QStringLiteral("editorPanel"));
    ground(editorPanel, kWindowGround);
    editorPanel->setFrameShape(QFrame::StyledPanel);
    editorPanel->setGeometry(twipsRect(40, 30, 6570, 10770));
    editorPanel->hide();

    auto* nameHeading =
        caption(texts::kCommitteeName, editorPanel, twipsRect(3720, 780, 2550, 360));
    nameHeading->setObjectName(QStringLiteral("nameHeading"));
    const int lefts[3] = {3150, 2595, 2040};
    for (int k = 0; k < kGrades; ++k) {
        auto* t = caption(QString::number(k + 1), editorPanel, twipsRect(lefts[k], 795, 495, 390));
        t->setObjectName(QStringLiteral("gradeTotalLabel%1").arg(k));
        t->setFont(numberFont());
        ground(t, kTotalsGround);
        gradeTotalLabels.push_back(t);
    }
    remainingLabel = caption({}, editorPanel, twipsRect(7300, 795, 900, 390));
    remainingLabel->setObjectName(QStringLiteral("remainingLabel"));
    caption(texts::kDeskRows, editorPanel, twipsRect(9870, 300, 1200, 390));
    caption(texts::kCapacity, editorPanel, twipsRect(7290, 300, 1200, 390));

    gradePicker = new QComboBox(editorPanel);
    gradePicker->setObjectName(QStringLiteral("gradePicker"));
    gradePicker->setFont(platform::windowFreeFont(12, 500));
    // In the header beside the grade totals, clear of every committee row
    // (at 4275 it covered the eighth row's seats) and of the scroll strip.
    gradePicker->setGeometry(twipsRect(660, 795, 1350, 390));
    subjectGradesBox = new QComboBox(editorPanel);
    subjectGradesBox->setObjectName(QStringLiteral("subjectGradesBox"));
    subjectGradesBox->hide();

    distributeButton = new QPushButton(texts::kDistribute, editorPanel);
    distributeButton->setObjectName(QStringLiteral("distributeButton"));
    distributeButton->setFont(captionFont());
    distributeButton->setGeometry(twipsRect(0, 1700, 6570, 480));

    // Under the title strip, clear of the scroll strip at the left.
    seatingNote = new QLabel(editorPanel);
    seatingNote->setObjectName(QStringLiteral("seatingNote"));
    seatingNote->setFont(platform::designedFont(QStringLiteral("Tahoma"), 9));
    seatingNote->setStyleSheet(QStringLiteral("color: #b00000"));
    seatingNote->setAlignment(Qt::AlignCenter);
    seatingNote->setWordWrap(true);
    seatingNote->setGeometry(twipsRect(660, 440, 5850, 345));
    seatingNote->hide();

    titleStrip = new QFrame(this);
    titleStrip->setObjectName(QStringLiteral("titleStrip"));
    ground(titleStrip, kStripGround);
    titleStrip->setGeometry(twipsRect(30, 30, 6570, 435));
    titleStrip->hide();
    auto* title = new QLabel(texts::kCaption, titleStrip);
    title->setFont(captionFont());
    title->setStyleSheet(QStringLiteral("color: white"));
    title->setGeometry(twipsRect(1560, 30, 4840, 375));
    title->setAlignment(Qt::AlignCenter);
    editorSaveIcon = makeIcon(titleStrip, QStyle::SP_DialogSaveButton, {});
    editorSaveIcon->setObjectName(QStringLiteral("editorSaveIcon"));
    editorSaveIcon->setGeometry(twipsRect(60, 30, 390, 375));

    // The scroll buttons stand side by side in the title strip, beside its
    // save icon: the rows pass under the strip as they scroll, so no row's
    // icon ever lies beneath a button.
    scrollStrip = new QFrame(this);
    scrollStrip->setObjectName(QStringLiteral("scrollStrip"));
    scrollStrip->setGeometry(twipsRect(540, 45, 960, 405));
    scrollStrip->hide();
    // Drawn arrows: a slash and a backslash are neutral marks that a
    // right-to-left button shows in mirrored order, the upper one as a "V".
    scrollUpButton = new QPushButton(QStringLiteral("▲"), scrollStrip);
    scrollUpButton->setObjectName(QStringLiteral("scrollUpButton"));
    scrollUpButton->setGeometry(twipsRect(495, 22, 435, 360));
    scrollDownButton = new QPushButton(QStringLiteral("▼"), scrollStrip);
    scrollDownButton->setObjectName(QStringLiteral("scrollDownButton"));
    scrollDownButton->setGeometry(twipsRect(30, 22, 435, 360));
}

void CommitteeWindow::buildHidden() {
    workPanel = new QFrame(this);
    workPanel->setObjectName(QStringLiteral("workPanel"));
    workPanel->setGeometry(twipsRect(-9000, 0, 3000, 3000));
    workPanel->hide();
    studentQueueList = new QListWidget(workPanel);
    studentQueueList->setObjectName(QStringLiteral("studentQueueList"));
    gradeSubjectsList = new QListWidget(workPanel);
    gradeSubjectsList->setObjectName(QStringLiteral("gradeSubjectsList"));
    seatStudentsButton = hiddenButton("seatStudentsButton", {}, workPanel);
    countStudentsButton = hiddenButton("countStudentsButton", {}, this);
    createCommitteesButton = hiddenButton("createCommitteesButton", {}, this);
    shareSeatsButton = hiddenButton("shareSeatsButton", {}, this);
    addCommitteeButton = hiddenButton("addCommitteeButton", texts::kAdd, this);
    updateCommitteeButton = hiddenButton("updateCommitteeButton", texts::kUpdate, this);
    clearSeatingButton = hiddenButton("clearSeatingButton", {}, this);
    readSubjectsButton = hiddenButton("readSubjectsButton", {}, this);
    readSheetRowsButton = hiddenButton("readSheetRowsButton", {}, this);
}

// Row i of every row array; new rows start hidden, as the arrays' new elements.
void CommitteeWindow::addRow() {
    const int r = rowCount();
    const double dy = 440.0 * r;
    auto place = [dy](QWidget* w, double left, double top, double width) {
        w->setGeometry(twipsRect(left, top + dy, width, 390));
        w->hide();
    };
    auto* name = new QLineEdit(editorPanel);
    name->setObjectName(QStringLiteral("nameBox%1").arg(r));
    name->setFont(nameFont());
    name->setStyleSheet(QStringLiteral("background: white; color: black"));
    place(name, 3720, 1200, 2250);
    name->installEventFilter(this);
    nameBoxes.push_back(name);

    auto* cap = numberBox(QStringLiteral("capacityBox%1").arg(r), {}, editorPanel, {});
    place(cap, 7290, 1095, 660);
    capacityBoxes.push_back(cap);
    auto* rows = numberBox(QStringLiteral("deskRowBox%1").arg(r), {}, editorPanel, {});
    place(rows, 9870, 615, 540);
    deskRowBoxes.push_back(rows);

    auto icon = [&](std::vector<QLabel*>& array, const char* base, QStyle::StandardPixmap which,
                    const QString& tip, double left, double top, double width) {
        QLabel* l = makeIcon(editorPanel, which, tip);
        l->setObjectName(QString::fromLatin1(base) + QString::number(r));
        place(l, left, top, width);
        l->installEventFilter(this);
        array.push_back(l);
    };
    icon(previewIcons, "previewIcon", QStyle::SP_FileDialogContentsView, texts::kPreviewTip, 6075,
         1185, 465);
    icon(saveIcons, "saveIcon", QStyle::SP_DialogSaveButton, texts::kSaveTip, 990, 1215, 465);
    icon(sheetIcons, "sheetIcon", QStyle::SP_FileDialogDetailedView, texts::kSheetTip, 480, 1215,
         465);
    icon(labelsIcons, "labelsIcon", QStyle::SP_FileIcon, texts::kLabelsTip, -15, 1215, 480);

    auto seat = [&](std::vector<QLabel*>& array, const char* base, double left) {
        auto* l = new QLabel(QStringLiteral("0"), editorPanel);
        l->setObjectName(QString::fromLatin1(base) + QString::number(r));
        l->setFont(numberFont());
        l->setAlignment(Qt::AlignCenter);
        l->setAcceptDrops(true);
        l->setMouseTracking(true);
        l->installEventFilter(this);
        place(l, left, 1200, 495);
        array.push_back(l);
    };
    seat(firstGradeSeats, "firstGradeSeat", 3165);
    seat(secondGradeSeats, "secondGradeSeat", 2595);
    seat(thirdGradeSeats, "thirdGradeSeat", 2040);
    auto* total = new QLabel(QStringLiteral("00"), editorPanel);
    total->setObjectName(QStringLiteral("seatTotalLabel%1").arg(r));
    total->setFont(numberFont());
    total->setAlignment(Qt::AlignCenter);
    place(total, 1515, 1200, 495);
    seatTotalLabels.push_back(total);

    connect(cap, &QLineEdit::textChanged, this, [this, r] { onCapacityTyped(r); });
    connect(name, &QLineEdit::textChanged, this, [this] { refreshSaveIcons(); });
    // Enter in the entry row's boxes adds the committee typed there.
    for (QLineEdit* box : {name, cap})
        connect(box, &QLineEdit::returnPressed, this, [this, r] {
            if (r == rowCount() - 1)
                onAddCommitteeClicked();
        });
}

} // namespace sijill::committees
