#include "shell/InfoMain.h"

#include "data/DataError.h"
#include "platform/Fonts.h"
#include "platform/TopMost.h"
#include "platform/Twips.h"
#include "platform/VbColor.h"
#include "platform/WindowDrag.h"
#include "shell/Ask.h"
#include "shell/ChildOfMainForm.h"
#include "shell/MainCommands.h"
#include "shell/Texts.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace sijill::shell {

using platform::twips;
using platform::twipsRect;

namespace {

constexpr std::uint32_t kBackground = 0xC8D0D4;
constexpr int kWidthTw = 7590;
constexpr int kHeightTw = 6780;

InfoMain*& current() {
    static InfoMain* form = nullptr;
    return form;
}

QFont boxFont() {
    return platform::designedFont(QStringLiteral("Al Ruvo Cool"), 12.75);
}

// The panel that holds the visible controls, with its background artwork.
class ProfilePanel : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QLinearGradient g(0, 0, 0, height());
        g.setColorAt(0, platform::vbColor(kBackground).lighter(108));
        g.setColorAt(1, platform::vbColor(kBackground).darker(106));
        p.fillRect(rect(), g);
        p.fillRect(QRect(0, 0, width(), twips(450)), QColor(0x3C, 0x52, 0x49));
    }
};

QPixmap closePicture() {
    QPixmap pm(twips(345), twips(330));
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 2));
    const QRect r = pm.rect().adjusted(6, 6, -6, -6);
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
    return pm;
}

} // namespace

InfoMain::InfoMain() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("InfoMain"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(QStringLiteral("البيانات الأساسية"));
    life_ = childOfMainForm(this, this);
    build();
}

void InfoMain::build() {
    resize(twips(kWidthTw), twips(kHeightTw));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect placed(QPoint(0, 0), size());
        placed.moveCenter(screen->availableGeometry().center());
        move(placed.topLeft());
    }
    QPalette pal = palette();
    pal.setColor(QPalette::Window, platform::vbColor(kBackground));
    setPalette(pal);
    setAutoFillBackground(true);

    LoadDataPic = new ProfilePanel(this);
    LoadDataPic->setObjectName(QStringLiteral("LoadDataPic"));
    LoadDataPic->setGeometry(twipsRect(0, 0, kWidthTw, kHeightTw));

    Lab_title = new QLabel(QStringLiteral("البيانات الأساسية"), LoadDataPic);
    Lab_title->setObjectName(QStringLiteral("Lab_title"));
    Lab_title->setGeometry(twipsRect(525, 45, 6660, 360));
    Lab_title->setAlignment(Qt::AlignCenter);
    Lab_title->setFont(platform::designedFont(QStringLiteral("Al OnWan"), 12, 700));
    Lab_title->setStyleSheet(QStringLiteral("color: white;"));

    Image8 = new QLabel(LoadDataPic);
    Image8->setObjectName(QStringLiteral("Image8"));
    Image8->setGeometry(twipsRect(135, 45, 345, 330));
    Image8->setPixmap(closePicture());
    Image8->setCursor(Qt::PointingHandCursor);
    Image8->installEventFilter(this);

    const SchoolProfile design = designSchoolProfile();
    struct Row {
        QLineEdit** box;
        const char* name;
        int left;
        int top;
        QString caption;
        QString text;
    };
    const Row rows[] = {
        {&kl3, "kl3", 225, 530, QStringLiteral("الإدارة"), design.Admin},
        {&kl4, "kl4", 225, 1080, QStringLiteral("المدرسة"), design.School},
        {&kl2, "kl2", 225, 1635, QStringLiteral("العام الدراسي"), design.ThisYear},
        {&kl1, "kl1", 225, 2190, QStringLiteral("الفصل الدراسي"), design.ThisSemester},
        {&kl6, "kl6", 180, 2910, QStringLiteral("مسمى الوظيفة"), design.Job},
        {&kl7, "kl7", 180, 3450, QStringLiteral("الاسم"), design.ThisName},
        {&kl8, "kl8", 180, 4005, QStringLiteral("المعد الأول"), design.name_2},
        {&kl9, "kl9", 180, 4560, QStringLiteral("المعد الثاني"), design.name_3},
    };
    auto caption = [this](const QString& text, int top) {
        auto* label = new QLabel(text, LoadDataPic);
        label->setGeometry(twipsRect(4770, top, 2640, 510));
        label->setAlignment(Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter);
        label->setFont(boxFont());
        return label;
    };
    for (const Row& r : rows) {
        auto* box = new QLineEdit(r.text, LoadDataPic);
        box->setObjectName(QString::fromLatin1(r.name));
        box->setGeometry(twipsRect(r.left, r.top, 4485, 510));
        box->setFont(boxFont());
        box->setAlignment(Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter);
        *r.box = box;
        caption(r.caption, r.top);
    }

    Pic_Gender = new QWidget(LoadDataPic);
    Pic_Gender->setObjectName(QStringLiteral("Pic_Gender"));
    Pic_Gender->setGeometry(twipsRect(135, 5190, 4485, 495));
    Opt_Gender.assign(3, nullptr);
    Opt_Gender[1] = new QRadioButton(QStringLiteral("بنين"), Pic_Gender);
    Opt_Gender[1]->setGeometry(twipsRect(2400, 0, 1900, 495));
    Opt_Gender[2] = new QRadioButton(QStringLiteral("بنات"), Pic_Gender);
    Opt_Gender[2]->setGeometry(twipsRect(200, 0, 1900, 495));
    for (int i = 1; i <= 2; ++i) {
        Opt_Gender[i]->setObjectName(QStringLiteral("Opt_Gender%1").arg(i));
        Opt_Gender[i]->setFont(boxFont());
    }
    Opt_Gender[1]->setChecked(true);
    caption(QStringLiteral("نوع التعليم"), 5190);

    ComUpdate = new QPushButton(QStringLiteral("حفظ البيانات"), LoadDataPic);
    ComUpdate->setObjectName(QStringLiteral("ComUpdate"));
    ComUpdate->setGeometry(twipsRect(165, 5820, 4485, 495));
    ComUpdate->setFont(boxFont());

    // Working controls beyond the visible width.
    LoadFile = new QLineEdit(this);
    LoadFile->setObjectName(QStringLiteral("LoadFile"));
    LoadFile->setGeometry(twipsRect(kWidthTw + 300, 100, 3000, 400));
    LoadFile->hide();
    OpenIt1 = new QPushButton(this);
    OpenIt1->setObjectName(QStringLiteral("OpenIt1"));
    OpenIt1->setGeometry(twipsRect(kWidthTw + 300, 600, 1200, 400));
    OpenIt1->hide();

    connect(OpenIt1, &QPushButton::clicked, this, [this] { InfoMain_OpenIt1_Click(); });
    connect(ComUpdate, &QPushButton::clicked, this, [this] { InfoMain_ComUpdate_Click(); });

    auto* drag = new platform::WindowDrag(this);
    drag->addSurface(Lab_title);
    drag->addSurface(LoadDataPic);
}

bool InfoMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image8 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        InfoMain_Image8_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void InfoMain::formLoad(QString* problem) {
    resize(twips(kWidthTw), height());

    QString error;
    if (!loadProfile(&error)) {
        if (problem)
            *problem = error;
        else
            tell(error, Tone::Alarm);
        return;
    }
    if (!isUnfinished(kl3->text()))
        return;
    life_->holdMainWindow();
    tell(QStringLiteral(" لم يتم اكمال كتابة بيانات المدرسة "), Tone::Alarm);
    platform::SetTopMost(this);
    show();
    raise();
    activateWindow();
}

bool InfoMain::loadProfile(QString* error) {
    try {
        showProfile(loadSchoolProfile());
        return true;
    } catch (const data::DataError& e) {
        *error = QStringLiteral("تعذر قراءة بيانات المدرسة:\r%1").arg(e.userMessage());
        return false;
    }
}

void InfoMain::showProfile(const SchoolProfile& p) {
    kl3->setText(p.Admin);
    kl4->setText(p.School);
    kl2->setText(p.ThisYear);
    kl1->setText(p.ThisSemester);
    kl6->setText(p.Job);
    kl7->setText(p.ThisName);
    kl8->setText(p.name_2);
    kl9->setText(p.name_3);
    // Any other stored value leaves the choice as it is.
    if (p.Gender == 1 || p.Gender == 2)
        Opt_Gender[p.Gender]->setChecked(true);
    shown_ = profile();
}

SchoolProfile InfoMain::profile() const {
    SchoolProfile p;
    p.Admin = kl3->text();
    p.School = kl4->text();
    p.ThisYear = kl2->text();
    p.ThisSemester = kl1->text();
    p.Job = kl6->text();
    p.ThisName = kl7->text();
    p.name_2 = kl8->text();
    p.name_3 = kl9->text();
    p.Gender = Opt_Gender[2]->isChecked() ? 2 : 1;
    return p;
}

void InfoMain::InfoMain_OpenIt1_Click() {
    QString error;
    if (!loadProfile(&error))
        tell(error, Tone::Alarm);
}

bool InfoMain::hasTypedEdits() const {
    return isVisible() && !(profile() == shown_);
}

bool InfoMain::saveTypedEdits() {
    return saveBoxes();
}

QString InfoMain::typedEditsQuestion() const {
    return texts::kAskSaveProfileOnClose;
}

bool InfoMain::saveBoxes() {
    const SchoolProfile typed = profile();
    try {
        saveSchoolProfile(typed);
    } catch (const data::DataError& e) {
        tell(QStringLiteral("لم يتم حفظ بيانات المدرسة:\r%1").arg(e.userMessage()), Tone::Alarm);
        return false;
    }
    shown_ = typed;
    return true;
}

void InfoMain::InfoMain_ComUpdate_Click() {
    if (!saveBoxes())
        return;
    tell(QStringLiteral(" تم حفظ التغييرات "));
}

void InfoMain::InfoMain_Image8_Click() {
    close();
}

void InfoMain::closeEvent(QCloseEvent* event) {
    // Closing unloads the window: the next read of the profile loads it again.
    event->accept();
    if (current() == this) {
        current() = nullptr;
        deleteLater();
    }
}

InfoMain* loadedInfoMain() {
    return current();
}

InfoMain* infoMain(QString* problem) {
    if (!current()) {
        current() = new InfoMain;
        current()->formLoad(problem);
    }
    return current();
}

SchoolProfile schoolProfile() {
    return infoMain()->profile();
}

void unloadInfoMain() {
    delete current();
    current() = nullptr;
}

} // namespace sijill::shell
