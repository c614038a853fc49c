#include "reports/RunProgressStrip.h"

#include "platform/Fonts.h"

namespace sijill::reports {

QString runProgressText(int done, int total, const QString& className, const QString& sheet) {
    return QStringLiteral("طباعة الفصل %1 من %2: %3\n%4")
        .arg(QString::number(done), QString::number(total), className, sheet);
}

RunProgressStrip::RunProgressStrip(QWidget* window, const QRect& area) : QLabel(window) {
    setObjectName(QStringLiteral("runProgressStrip"));
    setGeometry(area);
    setLayoutDirection(Qt::RightToLeft);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignCenter);
    // A class or sheet name too long for its line goes on to another.
    setWordWrap(true);
    setFont(platform::windowFont(12, 700));
    // Dark words on a pale band with a frame: it reads on any background.
    setStyleSheet(QStringLiteral("QLabel { color: #1B2631; background: #FDF2D0; "
                                 "border: 1px solid #B7950B; padding: 0 8px; }"));
}

RunProgress::RunProgress(QWidget* window, const QRect& area) : window_(window), area_(area) {}

RunProgress::~RunProgress() {
    delete strip_.data();
}

void RunProgress::show(int done, int total, const QString& className, const QString& sheet) {
    if (!window_)
        return;
    if (!strip_)
        strip_ = new RunProgressStrip(window_, area_);
    strip_->setText(runProgressText(done, total, className, sheet));
    strip_->raise();
    strip_->show();
    // Painted now: the run may print before the window's events run again.
    strip_->repaint();
}

} // namespace sijill::reports
