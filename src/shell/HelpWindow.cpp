#include "shell/HelpWindow.h"

#include "platform/BidiText.h"
#include "platform/Fonts.h"
#include "platform/TopMost.h"
#include "platform/Twips.h"
#include "platform/VbColor.h"
#include "platform/WindowDrag.h"
#include "shell/ChildOfMainForm.h"
#include "shell/MainCommands.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace sijill::shell {

using platform::twips;
using platform::twipsRect;

namespace {

constexpr std::uint32_t kBackground = 0xC8D0D4;
constexpr std::uint32_t kTopic = 0xDEDEDE;
constexpr std::uint32_t kHover = 0xECC7A7;
constexpr int kWidthTw = 7450;
constexpr int kPictureTopTw = 565;
constexpr int kMenuHeightTw = 4200;

HelpWindow*& current() {
    static HelpWindow* form = nullptr;
    return form;
}

QString topicStyle(std::uint32_t colour) {
    return QStringLiteral("background-color: %1;").arg(platform::vbColor(colour).name());
}

// A step as the picture shows it: its number, a full stop and its text.
QStringList numberedSteps(const QStringList& steps) {
    QStringList out;
    for (int i = 0; i < steps.size(); ++i)
        out << QStringLiteral("%1. %2").arg(QString::number(i + 1), steps[i]);
    return out;
}

// The prepared picture of a topic: its title and the steps, drawn once.
QPixmap helpPicture(const QSize& size, const QString& title, const QStringList& steps) {
    QPixmap pm(size);
    pm.fill(QColor(0xFA, 0xFA, 0xF5));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const int margin = twips(300);
    p.fillRect(QRect(0, 0, size.width(), twips(600)), QColor(0x3C, 0x52, 0x49));
    p.setPen(Qt::white);
    p.setFont(platform::designedFont(QStringLiteral("Al OnWan"), 13, 700));
    p.drawText(QRect(margin, 0, size.width() - 2 * margin, twips(600)), Qt::AlignCenter, title);

    p.setPen(QColor(0x22, 0x22, 0x22));
    p.setFont(platform::windowFont(12));
    QTextOption option(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop);
    option.setTextDirection(Qt::RightToLeft);
    option.setWrapMode(QTextOption::WordWrap);
    int top = twips(900);
    for (const QString& step : numberedSteps(steps)) {
        // A step that wraps pushes the next one down rather than running into it.
        const QRectF needed =
            p.boundingRect(QRectF(margin, top, size.width() - 2 * margin, 100000), step, option);
        const int height = static_cast<int>(std::ceil(needed.height()));
        p.drawText(QRect(margin, top, size.width() - 2 * margin, height), step, option);
        top += std::max(twips(800), height + twips(300));
    }
    p.setPen(QColor(0x6E, 0x6E, 0x6E));
    p.setFont(platform::windowFont(10));
    p.drawText(QRect(margin, size.height() - twips(600), size.width() - 2 * margin, twips(450)),
               Qt::AlignCenter, QStringLiteral("انقر على الصورة للعودة إلى القائمة"));
    return pm;
}

} // namespace

HelpWindow::HelpWindow() : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(QStringLiteral("    طريقة الاستخدام"));
    childOfMainForm(this);
    build();
    formLoad();
}

void HelpWindow::build() {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, platform::vbColor(kBackground));
    setPalette(pal);
    setAutoFillBackground(true);

    titleStrip = new QLabel(this);
    titleStrip->setObjectName(QStringLiteral("titleStrip"));
    titleStrip->setGeometry(twipsRect(0, 60, kWidthTw, 480));
    static_cast<QLabel*>(titleStrip)->setText(QStringLiteral("طريقة الاستخدام"));
    static_cast<QLabel*>(titleStrip)->setAlignment(Qt::AlignCenter);
    titleStrip->setFont(platform::designedFont(QStringLiteral("Al OnWan"), 13, 700));
    titleStrip->setStyleSheet(QStringLiteral("color: white; background-color: #3C5249;"));

    const QStringList topics = {
        QStringLiteral("طريقة تجهيز بيانات طلاب المدرسة"),
        QStringLiteral("طريقة تجهيز بيانات المعلمين والإداريين"),
        QStringLiteral("طريقة استيراد البيانات للبرنامج"),
    };
    const int tops[] = {1185, 1610, 2820};
    const int heights[] = {5850, 9375, 9375};
    const QStringList steps[] = {
        // The format's name and its full stop read as typed, not as ".xls".
        {QStringLiteral("صدّر كشف أسماء طلاب المدرسة من نظام نور في ملف Excel بصيغة ") +
             platform::isolate(QStringLiteral("xls.")),
         QStringLiteral("احفظ الملف في مجلد التنزيلات دون تغيير ترتيب أعمدته."),
         QStringLiteral("تأكد أن الملف يضم جميع صفوف المدرسة وفصولها.")},
        {QStringLiteral("جهّز قائمة بأسماء المعلمين والإداريين."),
         QStringLiteral("أضف الأسماء في قوائم نافذة الكنترول لتختار منها المصحح والمراجع."),
         QStringLiteral("أكمل بيانات المدرسة وأسماء المعدّين من نافذة بيانات المدرسة.")},
        {QStringLiteral("من قائمة الرئيسة اختر جلب بيانات الطلاب."),
         QStringLiteral("حدد ملف الطلاب من مجلد التنزيلات ثم اضغط زر الاستيراد."),
         QStringLiteral("انتظر حتى تظهر رسالة انتهاء الاستيراد؛ يُغلق البرنامج بعدها."),
         QStringLiteral("أعد تشغيل البرنامج لتظهر الفصول الجديدة في قائمة الصفوف.")},
    };
    for (int i = 0; i < 3; ++i) {
        auto* topic = new QLabel(topics[i], this);
        topic->setObjectName(QStringLiteral("topic%1").arg(i));
        topic->setGeometry(twipsRect(900, tops[i], 5805, 360));
        topic->setAlignment(Qt::AlignCenter);
        topic->setFont(platform::windowFont(12));
        topic->setStyleSheet(topicStyle(kTopic));
        topic->setCursor(Qt::PointingHandCursor);
        topic->setMouseTracking(true);
        topic->installEventFilter(this);
        topicLabels.push_back(topic);

        auto* picture = new QLabel(this);
        picture->setObjectName(QStringLiteral("topicPicture%1").arg(i));
        picture->resize(twips(7365), twips(heights[i]));
        picture->setPixmap(helpPicture(picture->size(), topics[i], steps[i]));
        // What the picture says, for a screen reader.
        picture->setAccessibleDescription(numberedSteps(steps[i]).join(QLatin1Char('\n')));
        picture->setCursor(Qt::PointingHandCursor);
        picture->installEventFilter(this);
        topicPictures.push_back(picture);
    }

    auto* drag = new platform::WindowDrag(this);
    drag->addSurface(titleStrip);
}

void HelpWindow::formLoad() {
    platform::SetTopMost(this);
    resize(twips(kWidthTw), twips(kMenuHeightTw));
    for (QLabel* picture : topicPictures) {
        picture->move(twips(-5), twips(kPictureTopTw));
        picture->hide();
    }
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    for (int i = 0; i < static_cast<int>(topicLabels.size()); ++i) {
        if (watched == topicLabels[i]) {
            if (event->type() == QEvent::MouseMove) {
                onTopicHovered(i);
                return true;
            }
            if (event->type() == QEvent::MouseButtonRelease) {
                onTopicClicked(i);
                return true;
            }
        }
        if (watched == topicPictures[i] && event->type() == QEvent::MouseButtonRelease) {
            onPictureClicked(i);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::onTopicClicked(int index) {
    QLabel* picture = topicPictures.at(index);
    // The window grows to show the whole picture over the menu.
    resize(width(), std::max(height(), picture->geometry().bottom() + 1));
    picture->show();
    picture->raise();
}

void HelpWindow::onPictureClicked(int index) {
    topicPictures.at(index)->hide();
    resize(width(), twips(kMenuHeightTw));
}

void HelpWindow::onTopicHovered(int index) {
    for (QLabel* topic : topicLabels)
        topic->setStyleSheet(topicStyle(kTopic));
    topicLabels.at(index)->setStyleSheet(topicStyle(kHover));
}

void HelpWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    platform::ClearTopMost(this);
    if (current() == this) {
        current() = nullptr;
        deleteLater();
    }
}

HelpWindow* helpWindow() {
    if (!current())
        current() = new HelpWindow;
    return current();
}

HelpWindow* loadedHelpWindow() {
    return current();
}

void unloadHelpWindow() {
    delete current();
    current() = nullptr;
}

} // namespace sijill::shell
