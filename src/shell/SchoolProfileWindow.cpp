#include "shell/SchoolProfileWindow.h"

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

SchoolProfileWindow*& current() {
    static SchoolProfileWindow* form = nullptr;
    return form;
}

QFont boxFont() {
    return platform::windowFont(12.75);
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

SchoolProfileWindow::SchoolProfileWindow()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("SchoolProfileWindow"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(QStringLiteral("البيانات الأساسية"));
    life_ = childOfMainForm(this, this);
    build();
}

void SchoolProfileWindow::build() {
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

    profilePanel = new ProfilePanel(this);
    profilePanel->setObjectName(QStringLiteral("profilePanel"));
    profilePanel->setGeometry(twipsRect(0, 0, kWidthTw, kHeightTw));

    titleLabel = new QLabel(QStringLiteral("البيانات الأساسية"), profilePanel);
    titleLabel->setObjectName(QStringLiteral("titleLabel"));
    titleLabel->setGeometry(twipsRect(525, 45, 6660, 360));
    titleLabel->setAlignment(Qt::AlignCenter);
    titleLabel->setFont(platform::designedFont(QStringLiteral("Al OnWan"), 12, 700));
    titleLabel->setStyleSheet(QStringLiteral("color: white;"));

    closeIcon = new QLabel(profilePanel);
    closeIcon->setObjectName(QStringLiteral("closeIcon"));
    closeIcon->setGeometry(twipsRect(135, 45, 345, 330));
    closeIcon->setPixmap(closePicture());
    closeIcon->setCursor(Qt::PointingHandCursor);
    closeIcon->installEventFilter(this);

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
        {&administrationBox, "administrationBox", 225, 530, QStringLiteral("الإدارة"),
         design.Admin},
        {&schoolBox, "schoolBox", 225, 1080, QStringLiteral("المدرسة"), design.School},
        {&yearBox, "yearBox", 225, 1635, QStringLiteral("العام الدراسي"), design.ThisYear},
        {&semesterBox, "semesterBox", 225, 2190, QStringLiteral("الفصل الدراسي"),
         design.ThisSemester},
        {&jobTitleBox, "jobTitleBox", 180, 2910, QStringLiteral("مسمى الوظيفة"), design.Job},
        {&principalBox, "principalBox", 180, 3450, QStringLiteral("الاسم"), design.ThisName},
        {&firstPreparerBox, "firstPreparerBox", 180, 4005, QStringLiteral("المعد الأول"),
         design.name_2},
        {&secondPreparerBox, "secondPreparerBox", 180, 4560, QStringLiteral("المعد الثاني"),
         design.name_3},
    };
    auto caption = [this](const QString& text, int top) {
        auto* label = new QLabel(text, profilePanel);
        label->setGeometry(twipsRect(4770, top, 2640, 510));
        label->setAlignment(Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter);
        label->setFont(boxFont());
        return label;
    };
    for (const Row& r : rows) {
        auto* box = new QLineEdit(r.text, profilePanel);
        box->setObjectName(QString::fromLatin1(r.name));
        box->setGeometry(twipsRect(r.left, r.top, 4485, 510));
        box->setFont(boxFont());
        box->setAlignment(Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter);
        *r.box = box;
        caption(r.caption, r.top);
    }

    genderPanel = new QWidget(profilePanel);
    genderPanel->setObjectName(QStringLiteral("genderPanel"));
    genderPanel->setGeometry(twipsRect(135, 5190, 4485, 495));
    genderOptions.assign(3, nullptr);
    genderOptions[1] = new QRadioButton(QStringLiteral("بنين"), genderPanel);
    genderOptions[1]->setGeometry(twipsRect(2400, 0, 1900, 495));
    genderOptions[2] = new QRadioButton(QStringLiteral("بنات"), genderPanel);
    genderOptions[2]->setGeometry(twipsRect(200, 0, 1900, 495));
    for (int i = 1; i <= 2; ++i) {
        genderOptions[i]->setObjectName(QStringLiteral("genderOption%1").arg(i));
        genderOptions[i]->setFont(boxFont());
    }
    genderOptions[1]->setChecked(true);
    caption(QStringLiteral("نوع التعليم"), 5190);

    saveButton = new QPushButton(QStringLiteral("حفظ البيانات"), profilePanel);
    saveButton->setObjectName(QStringLiteral("saveButton"));
    saveButton->setGeometry(twipsRect(165, 5820, 4485, 495));
    saveButton->setFont(boxFont());

    // Working controls beyond the visible width.
    chosenPathBox = new QLineEdit(this);
    chosenPathBox->setObjectName(QStringLiteral("chosenPathBox"));
    chosenPathBox->setGeometry(twipsRect(kWidthTw + 300, 100, 3000, 400));
    chosenPathBox->hide();
    loadButton = new QPushButton(this);
    loadButton->setObjectName(QStringLiteral("loadButton"));
    loadButton->setGeometry(twipsRect(kWidthTw + 300, 600, 1200, 400));
    loadButton->hide();

    connect(loadButton, &QPushButton::clicked, this, [this] { onLoadClicked(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { onSaveClicked(); });

    auto* drag = new platform::WindowDrag(this);
    drag->addSurface(titleLabel);
    drag->addSurface(profilePanel);
}

bool SchoolProfileWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == closeIcon && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        onCloseClicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SchoolProfileWindow::formLoad(QString* problem) {
    resize(twips(kWidthTw), height());

    QString error;
    if (!loadProfile(&error)) {
        if (problem)
            *problem = error;
        else
            tell(error, Tone::Alarm);
        return;
    }
    if (!isUnfinished(administrationBox->text()))
        return;
    life_->holdMainWindow();
    tell(QStringLiteral(" لم يتم اكمال كتابة بيانات المدرسة "), Tone::Alarm);
    platform::SetTopMost(this);
    show();
    raise();
    activateWindow();
}

bool SchoolProfileWindow::loadProfile(QString* error) {
    try {
        showProfile(loadSchoolProfile());
        return true;
    } catch (const data::DataError& e) {
        *error = QStringLiteral("تعذر قراءة بيانات المدرسة:\r%1").arg(e.userMessage());
        return false;
    }
}

void SchoolProfileWindow::showProfile(const SchoolProfile& p) {
    administrationBox->setText(p.Admin);
    schoolBox->setText(p.School);
    yearBox->setText(p.ThisYear);
    semesterBox->setText(p.ThisSemester);
    jobTitleBox->setText(p.Job);
    principalBox->setText(p.ThisName);
    firstPreparerBox->setText(p.name_2);
    secondPreparerBox->setText(p.name_3);
    // Any other stored value leaves the choice as it is.
    if (p.Gender == 1 || p.Gender == 2)
        genderOptions[p.Gender]->setChecked(true);
    shown_ = profile();
}

SchoolProfile SchoolProfileWindow::profile() const {
    SchoolProfile p;
    p.Admin = administrationBox->text();
    p.School = schoolBox->text();
    p.ThisYear = yearBox->text();
    p.ThisSemester = semesterBox->text();
    p.Job = jobTitleBox->text();
    p.ThisName = principalBox->text();
    p.name_2 = firstPreparerBox->text();
    p.name_3 = secondPreparerBox->text();
    p.Gender = genderOptions[2]->isChecked() ? 2 : 1;
    return p;
}

void SchoolProfileWindow::onLoadClicked() {
    QString error;
    if (!loadProfile(&error))
        tell(error, Tone::Alarm);
}

bool SchoolProfileWindow::hasTypedEdits() const {
    return isVisible() && !(profile() == shown_);
}

bool SchoolProfileWindow::saveTypedEdits() {
    return saveBoxes();
}

QString SchoolProfileWindow::typedEditsQuestion() const {
    return texts::kAskSaveProfileOnClose;
}

bool SchoolProfileWindow::saveBoxes() {
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

void SchoolProfileWindow::onSaveClicked() {
    if (!saveBoxes())
        return;
    tell(QStringLiteral(" تم حفظ التغييرات "));
}

void SchoolProfileWindow::onCloseClicked() {
    close();
}

void SchoolProfileWindow::closeEvent(QCloseEvent* event) {
    // Closing unloads the window: the next read of the profile loads it again.
    event->accept();
    if (current() == this) {
        current() = nullptr;
        deleteLater();
    }
}

SchoolProfileWindow* loadedSchoolProfileWindow() {
    return current();
}

SchoolProfileWindow* schoolProfileWindow(QString* problem) {
    if (!current()) {
        current() = new SchoolProfileWindow;
        current()->formLoad(problem);
    }
    return current();
}

SchoolProfile schoolProfile() {
    return schoolProfileWindow()->profile();
}

void unloadSchoolProfileWindow() {
    delete current();
    current() = nullptr;
}

} // namespace sijill::shell
