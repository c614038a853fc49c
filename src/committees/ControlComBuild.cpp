// The committee window's controls, placed as designed (twips).
#include "committees/ControlCom.h"
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

void ControlCom::build() {
    setObjectName(QStringLiteral("ControlCom"));
    setWindowTitle(texts::kCaption);
    shell::childOfMainForm(this, this);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setLayoutDirection(Qt::RightToLeft);
    ground(this, kWindowGround);
    setFixedSize(twipsRect(0, 0, 6645, 10520).size());

    auto* border = new QFrame(this);
    border->setObjectName(QStringLiteral("MyBorder"));
    border->setFrameShape(QFrame::Box);
    border->setGeometry(twipsRect(10, 10, 6645 - 20, 10520 - 20));
    border->setAttribute(Qt::WA_TransparentForMouseEvents);

    ImNew = makeIcon(this, QStyle::SP_TitleBarCloseButton, {});
    ImNew->setObjectName(QStringLiteral("ImNew"));
    ImNew->setGeometry(twipsRect(75, 45, 390, 375));

    buildSummary();
    buildEditor();
    buildHidden();
}

void ControlCom::buildSummary() {
    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameShape(QFrame::StyledPanel);
    Picture1->setGeometry(twipsRect(40, 480, 6570, 2175));
    ground(Picture1, kWindowGround);

    Text1 = numberBox(QStringLiteral("Text1"), QStringLiteral("30"), Picture1,
                      twipsRect(930, 225, 675, 390));
    caption(texts::kCapacityCaption, Picture1, twipsRect(1680, 225, 2400, 390));
    caption(texts::kCommitteeColon, Picture1, twipsRect(4200, 225, 2200, 390));
    Image1 = makeIcon(Picture1, QStyle::SP_BrowserReload, {});
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twipsRect(330, 210, 480, 420));

    const int tops[3] = {675, 1125, 1575};
    for (int k = 0; k < kGrades; ++k) {
        LNum.push_back(numberBox(QStringLiteral("LNum%1").arg(k), QStringLiteral("0"), Picture1,
                                 twipsRect(240, tops[k], 600, 435)));
        LNum.back()->setReadOnly(true);
        auto* name =
            caption(QStringLiteral("Label1"), Picture1, twipsRect(930, tops[k], 2265, 435));
        name->setObjectName(QStringLiteral("LName%1").arg(k));
        name->setAlignment(Qt::AlignRight | Qt::AlignVCenter | Qt::AlignAbsolute);
        LName.push_back(name);
    }
    Image3 = makeIcon(Picture1, QStyle::SP_FileDialogListView, texts::kCommitteeName);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setGeometry(twipsRect(3675, 1695, 2490, 360));
    Image3->setFrameShape(QFrame::Box);

    // Parked beyond the panel's visible width, as designed.
    T_Main = {numberBox(QStringLiteral("T_Main0"), {}, Picture1, twipsRect(8520, 300, 900, 390)),
              numberBox(QStringLiteral("T_Main1"), {}, Picture1, twipsRect(8520, 800, 900, 390))};
    Label4.assign(9, nullptr);
    Label4[0] = caption(texts::kGradesCaption, Picture1, twipsRect(9600, 300, 2000, 390));
    Label4[0]->setObjectName(QStringLiteral("Label40"));
    Label4[0]->hide();
    caption(texts::kClassesCaption, Picture1, twipsRect(9600, 800, 2000, 390));
    caption(texts::kStudentsCaption, Picture1, twipsRect(9600, 1300, 2000, 390));
}

void ControlCom::buildEditor() {
    Picture2 = new QFrame(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    ground(Picture2, kWindowGround);
    Picture2->setFrameShape(QFrame::StyledPanel);
    Picture2->setGeometry(twipsRect(40, 30, 6570, 10770));
    Picture2->hide();

    Label4[8] = caption(texts::kCommitteeName, Picture2, twipsRect(3720, 780, 2550, 360));
    Label4[8]->setObjectName(QStringLiteral("Label48"));
    const int lefts[3] = {3150, 2595, 2040};
    for (int k = 0; k < kGrades; ++k) {
        auto* t = caption(QString::number(k + 1), Picture2, twipsRect(lefts[k], 795, 495, 390));
        t->setObjectName(QStringLiteral("Tot%1").arg(k));
        t->setFont(numberFont());
        ground(t, kTotalsGround);
        Tot.push_back(t);
    }
    Total = caption({}, Picture2, twipsRect(7300, 795, 900, 390));
    Total->setObjectName(QStringLiteral("Total"));
    caption(texts::kDeskRows, Picture2, twipsRect(9870, 300, 1200, 390));
    caption(texts::kCapacity, Picture2, twipsRect(7290, 300, 1200, 390));

    Combo2 = new QComboBox(Picture2);
    Combo2->setObjectName(QStringLiteral("Combo2"));
    Combo2->setFont(platform::windowFreeFont(12, 500));
    // In the header beside the grade totals, clear of every committee row
    // (at 4275 it covered the eighth row's seats) and of the scroll strip.
    Combo2->setGeometry(twipsRect(660, 795, 1350, 390));
    Combo1 = new QComboBox(Picture2);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->hide();

    Command2 = new QPushButton(texts::kDistribute, Picture2);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setFont(captionFont());
    Command2->setGeometry(twipsRect(0, 1700, 6570, 480));

    // Under the title strip, clear of the scroll strip at the left.
    SeatingNote = new QLabel(Picture2);
    SeatingNote->setObjectName(QStringLiteral("SeatingNote"));
    SeatingNote->setFont(platform::designedFont(QStringLiteral("Tahoma"), 9));
    SeatingNote->setStyleSheet(QStringLiteral("color: #b00000"));
    SeatingNote->setAlignment(Qt::AlignCenter);
    SeatingNote->setWordWrap(true);
    SeatingNote->setGeometry(twipsRect(660, 440, 5850, 345));
    SeatingNote->hide();

    Picture5 = new QFrame(this);
    Picture5->setObjectName(QStringLiteral("Picture5"));
    ground(Picture5, kStripGround);
    Picture5->setGeometry(twipsRect(30, 30, 6570, 435));
    Picture5->hide();
    auto* title = new QLabel(texts::kCaption, Picture5);
    title->setFont(captionFont());
    title->setStyleSheet(QStringLiteral("color: white"));
    title->setGeometry(twipsRect(1560, 30, 4840, 375));
    title->setAlignment(Qt::AlignCenter);
    Image2 = makeIcon(Picture5, QStyle::SP_DialogSaveButton, {});
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(twipsRect(60, 30, 390, 375));

    // The scroll buttons stand side by side in the title strip, beside its
    // save icon: the rows pass under the strip as they scroll, so no row's
    // icon ever lies beneath a button.
    Picture4 = new QFrame(this);
    Picture4->setObjectName(QStringLiteral("Picture4"));
    Picture4->setGeometry(twipsRect(540, 45, 960, 405));
    Picture4->hide();
    // Drawn arrows: a slash and a backslash are neutral marks that a
    // right-to-left button shows in mirrored order, the upper one as a "V".
    UP = new QPushButton(QStringLiteral("▲"), Picture4);
    UP->setObjectName(QStringLiteral("UP"));
    UP->setGeometry(twipsRect(495, 22, 435, 360));
    Down = new QPushButton(QStringLiteral("▼"), Picture4);
    Down->setObjectName(QStringLiteral("Down"));
    Down->setGeometry(twipsRect(30, 22, 435, 360));
}

void ControlCom::buildHidden() {
    Picture3 = new QFrame(this);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    Picture3->setGeometry(twipsRect(-9000, 0, 3000, 3000));
    Picture3->hide();
    List3 = new QListWidget(Picture3);
    List3->setObjectName(QStringLiteral("List3"));
    List4 = new QListWidget(Picture3);
    List4->setObjectName(QStringLiteral("List4"));
    FillCom = hiddenButton("FillCom", QStringLiteral(" FillCom"), Picture3);
    ChooseGrade = hiddenButton("ChooseGrade", QStringLiteral("ChooseGrade"), this);
    CmdCreat = hiddenButton("CmdCreat", QStringLiteral("CmdCreat"), this);
    Scramble = hiddenButton("Scramble", QStringLiteral("Scramble"), this);
    NewCom = hiddenButton("NewCom", texts::kAdd, this);
    ComUpdate = hiddenButton("ComUpdate", texts::kUpdate, this);
    DeleteAll = hiddenButton("DeleteAll", QStringLiteral("DeleteAll"), this);
    GetSchadual = hiddenButton("GetSchadual", QStringLiteral("GetSchadual"), this);
    Header = hiddenButton("Header", QStringLiteral("Header"), this);
}

// Row i of every row array; new rows start hidden, as the arrays' new elements.
void ControlCom::addRow() {
    const int r = rowCount();
    const double dy = 440.0 * r;
    auto place = [dy](QWidget* w, double left, double top, double width) {
        w->setGeometry(twipsRect(left, top + dy, width, 390));
        w->hide();
    };
    auto* name = new QLineEdit(Picture2);
    name->setObjectName(QStringLiteral("ComName%1").arg(r));
    name->setFont(nameFont());
    name->setStyleSheet(QStringLiteral("background: white; color: black"));
    place(name, 3720, 1200, 2250);
    name->installEventFilter(this);
    ComName.push_back(name);

    auto* cap = numberBox(QStringLiteral("ComNum%1").arg(r), {}, Picture2, {});
    place(cap, 7290, 1095, 660);
    ComNum.push_back(cap);
    auto* rows = numberBox(QStringLiteral("ColNum%1").arg(r), {}, Picture2, {});
    place(rows, 9870, 615, 540);
    ColNum.push_back(rows);

    auto icon = [&](std::vector<QLabel*>& array, const char* base, QStyle::StandardPixmap which,
                    const QString& tip, double left, double top, double width) {
        QLabel* l = makeIcon(Picture2, which, tip);
        l->setObjectName(QString::fromLatin1(base) + QString::number(r));
        place(l, left, top, width);
        l->installEventFilter(this);
        array.push_back(l);
    };
    icon(ImView, "ImView", QStyle::SP_FileDialogContentsView, texts::kPreviewTip, 6075, 1185, 465);
    icon(ImUpdate, "ImUpdate", QStyle::SP_DialogSaveButton, texts::kSaveTip, 990, 1215, 465);
    icon(ImPrint, "ImPrint", QStyle::SP_FileDialogDetailedView, texts::kSheetTip, 480, 1215, 465);
    icon(Image4, "Image4", QStyle::SP_FileIcon, texts::kLabelsTip, -15, 1215, 480);

    auto seat = [&](std::vector<QLabel*>& array, const char* base, double left) {
        auto* l = new QLabel(QStringLiteral("0"), Picture2);
        l->setObjectName(QString::fromLatin1(base) + QString::number(r));
        l->setFont(numberFont());
        l->setAlignment(Qt::AlignCenter);
        l->setAcceptDrops(true);
        l->setMouseTracking(true);
        l->installEventFilter(this);
        place(l, left, 1200, 495);
        array.push_back(l);
    };
    seat(L1, "L1", 3165);
    seat(L2, "L2", 2595);
    seat(L3, "L3", 2040);
    auto* total = new QLabel(QStringLiteral("00"), Picture2);
    total->setObjectName(QStringLiteral("ComTotal%1").arg(r));
    total->setFont(numberFont());
    total->setAlignment(Qt::AlignCenter);
    place(total, 1515, 1200, 495);
    ComTotal.push_back(total);

    connect(cap, &QLineEdit::textChanged, this, [this, r] { ComNum_Change(r); });
    connect(name, &QLineEdit::textChanged, this, [this] { refreshSaveIcons(); });
    // Enter in the entry row's boxes adds the committee typed there.
    for (QLineEdit* box : {name, cap})
        connect(box, &QLineEdit::returnPressed, this, [this, r] {
            if (r == rowCount() - 1)
                NewCom_Click();
        });
}

} // namespace sijill::committees
