#include "students/ImportWindow.h"

#include "platform/Fonts.h"
#include "platform/TopMost.h"
#include "platform/Twips.h"
#include "platform/VbColor.h"
#include "shell/ChildOfMainForm.h"
#include "shell/MainForm.h"
#include "students/Artwork.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace sijill::students {

using platform::twips;
using platform::twipsRect;

namespace {

constexpr std::uint32_t kPanelColour = 0xC8D0D4;

std::function<QString()>& defaultSource() {
    static std::function<QString()> s;
    return s;
}

void fill(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QPixmap drawnWait(const QSize& size) {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(size.width() / 2.0, size.height() / 2.0);
    const double r = std::min(size.width(), size.height()) / 2.0 - 6;
    for (int i = 0; i < 12; ++i) {
        p.save();
        p.translate(c);
        p.rotate(i * 30.0);
        p.setBrush(QColor(0x1B, 0x6E, 0x3C, 60 + i * 16));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(-3, -r, 6, r / 2.5), 3, 3);
        p.restore();
    }
    return pm;
}

} // namespace

ImportWindow::ImportWindow(const QString& objectName, const QString& caption, int waitTopTw)
    : QWidget(nullptr, Qt::Window) {
    setObjectName(objectName);
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(caption);
    shell::childOfMainForm(this);
    setFont(platform::windowFont(12));
    pathSource_ = defaultSource();
    fill(this, platform::vbColor(kPanelColour));

    // The designed outer size 6720 x 4860 holds a caption bar and borders;
    // the client area is what the panels need.
    setFixedSize(twips(6570), twips(4440));

    titleLabel = new QLabel(this);
    titleLabel->setObjectName(QStringLiteral("titleLabel"));
    titleLabel->setGeometry(twipsRect(0, 0, 13875, 450));
    titleLabel->setPixmap(drawnTitleBand(titleLabel->size(), caption, 10));

    statusFrame = new QFrame(this);
    statusFrame->setObjectName(QStringLiteral("statusFrame"));
    statusFrame->setGeometry(twipsRect(165, 195, 6240, 4170));
    statusFrame->setFrameShape(QFrame::Box);
    fill(statusFrame, platform::vbColor(kPanelColour));

    statusLabel = new QLabel(statusFrame);
    statusLabel->setObjectName(QStringLiteral("statusLabel"));
    statusLabel->setGeometry(twipsRect(135, 3870, 6015, 240));
    statusLabel->setAlignment(Qt::AlignCenter);
    statusLabel->setFont(platform::designedFont(QStringLiteral("Tahoma"), 8));
    fill(statusLabel, platform::vbColor(kPanelColour));

    // Loading: the panel to the frame's place, the wait panel above all.
    importPanel = new QWidget(this);
    importPanel->setObjectName(QStringLiteral("importPanel"));
    importPanel->setGeometry(QRect(statusFrame->pos(), QSize(twips(6240), twips(3735))));
    fill(importPanel, platform::vbColor(kPanelColour));

    startImportButton = new QPushButton(importPanel);
    startImportButton->setObjectName(QStringLiteral("startImportButton"));
    startImportButton->setAutoDefault(false);

    closePicture = new QLabel(importPanel);
    closePicture->setObjectName(QStringLiteral("closePicture"));
    closePicture->setGeometry(twipsRect(210, 570, 375, 375));
    closePicture->setPixmap(drawnCloseButton(closePicture->width()));
    closePicture->setCursor(Qt::PointingHandCursor);
    closePicture->installEventFilter(this);

    waitPanel = new QWidget(this);
    waitPanel->setObjectName(QStringLiteral("waitPanel"));
    waitPanel->setGeometry(statusFrame->x(), twips(waitTopTw), twips(5775), twips(2715));
    fill(waitPanel, platform::vbColor(kPanelColour));
    waitPicture = new QLabel(waitPanel);
    waitPicture->setObjectName(QStringLiteral("waitPicture"));
    waitPicture->setGeometry(twipsRect(1950, 780, 2250, 1590));
    waitPicture->setPixmap(drawnWait(waitPicture->size()));
    waitPanel->hide();
    waitPanel->raise();

    platform::SetTopMost(this);
}

void ImportWindow::setPath(const QString& path) {
    pathSource_ = [path] { return path; };
}

QString ImportWindow::path() const {
    return pathSource_ ? pathSource_() : QString();
}

void ImportWindow::setDefaultPathSource(std::function<QString()> source) {
    defaultSource() = std::move(source);
}

QString ImportWindow::programTitle() const {
    if (shell::MainForm* m = shell::mainForm())
        return m->windowTitle();
    return QApplication::applicationDisplayName();
}

void ImportWindow::beginImport() {
    busy_ = true;
    waitPanel->show();
    waitPanel->raise();
    QApplication::processEvents();
}

void ImportWindow::endImport() {
    waitPanel->hide();
    statusLabel->clear();
    busy_ = false;
}

bool ImportWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == closePicture && event->type() == QEvent::MouseButtonRelease) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ImportWindow::closeEvent(QCloseEvent* event) {
    // No way out while an import is writing.
    if (busy_) {
        event->ignore();
        return;
    }
    waitPanel->show();
    waitPanel->raise();
    QApplication::processEvents();
    event->accept();
}

} // namespace sijill::students
