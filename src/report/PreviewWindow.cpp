#include "report/PreviewWindow.h"

#include "platform/BidiText.h"
#include "platform/ChildWindow.h"
#include "platform/EscapeKey.h"
#include "platform/Presenters.h"
#include "platform/QtArabic.h"
#include "platform/Twips.h"
#include "report/ReportError.h"
#include "report/ReportPainter.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace sijill::report {

// Paints one page at the window's zoom on a white sheet.
class PageView : public QWidget {
public:
    explicit PageView(const LaidOutReport& report) : report_(report) {}

    void setPage(int page, double zoom) {
        page_ = page;
        zoom_ = zoom;
        const QSizeF px = report_.paperSize / platform::kTwipsPerPixel * zoom_;
        setFixedSize(px.toSize());
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        if (page_ < 0 || page_ >= static_cast<int>(report_.pages.size()))
            return;
        const double s = zoom_ / platform::kTwipsPerPixel;
        p.scale(s, s);
        paintPage(p, report_.pages[page_]);
    }

private:
    const LaidOutReport& report_;
    int page_ = 0;
    double zoom_ = 1.0;
};

namespace {

QToolButton* toolButton(QWidget* parent, QStyle::StandardPixmap icon, const char* name) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(parent->style()->standardIcon(icon));
    b->setAutoRaise(true);
    return b;
}

// The designed size, made to fit the screen's available area with room for
// the title bar and borders that the window manager adds.
QSize fittedSize(int width, int height) {
    constexpr int kFrameAllowance = 48;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {width, height};
    const QRect area = screen->availableGeometry();
    return {std::min(width, area.width() - kFrameAllowance / 4),
            std::min(height, area.height() - kFrameAllowance)};
}

// The caption of the item that opened the preview; a preview opened with no
// title of its own carries the active window's title.
QString openerCaption(const QString& title) {
    QString caption = title;
    if (caption.isEmpty())
        if (const QWidget* opener = QApplication::activeWindow())
            caption = opener->windowTitle().trimmed();
    return caption == platform::programDisplayName() ? QString() : caption;
}

// The caption and the program's name, in the order the window system writes
// "window - program".
QString previewTitle(const QString& caption) {
    const QString name = platform::programDisplayName();
    return caption.isEmpty() ? name : QStringLiteral("%1 - %2").arg(caption, name);
}

// Proposes `path` in the dialog's file box. The printer itself gets no output
// file name: Qt would then open the dialog on file output instead of the
// default printer.
void proposeFile(QPrintDialog& dialog, const QString& path) {
    if (auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename")))
        file->setText(path);
}

} // namespace

PreviewWindow::PreviewWindow(LaidOutReport report) : report_(std::move(report)) {
    setObjectName(QStringLiteral("ReportPreview"));
    caption_ = openerCaption(report_.title);
    setWindowTitle(previewTitle(caption_));
    platform::escapeCloses(this);
    // Opened beside the main window, which it never disables.
    platform::countsAsNoChild(this);
    setLayoutDirection(Qt::RightToLeft);

    auto* bar = new QHBoxLayout;
    // Pages run right to left: the first page lies to the right.
    firstPageButton = toolButton(this, QStyle::SP_MediaSkipForward, "firstPageButton");
    previousPageButton = toolButton(this, QStyle::SP_ArrowBack, "previousPageButton");
    pageNumberLabel = new QLabel(this);
    pageNumberLabel->setObjectName(QStringLiteral("pageNumberLabel"));
    nextPageButton = toolButton(this, QStyle::SP_ArrowForward, "nextPageButton");
    lastPageButton = toolButton(this, QStyle::SP_MediaSkipBackward, "lastPageButton");
    zoomPicker = new QComboBox(this);
    zoomPicker->setObjectName(QStringLiteral("zoomPicker"));
    for (int percent : {50, 75, 100, 125, 150, 200})
        zoomPicker->addItem(QStringLiteral("%1%").arg(percent), percent / 100.0);
    zoomPicker->setCurrentIndex(2);
    printButton = new QToolButton(this);
    printButton->setObjectName(QStringLiteral("printButton"));
    printButton->setIcon(QIcon::fromTheme(QStringLiteral("document-print"),
                                          style()->standardIcon(QStyle::SP_FileIcon)));
    printButton->setAutoRaise(true);
    // Without an icon theme the fallback is a blank sheet: the caption says
    // what the button does.
    printButton->setText(QStringLiteral("طباعة"));
    printButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    for (QWidget* w :
         std::initializer_list<QWidget*>{firstPageButton, previousPageButton, pageNumberLabel,
                                         nextPageButton, lastPageButton, zoomPicker, printButton})
        bar->addWidget(w);
    bar->addStretch();

    view_ = new PageView(report_);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(view_);
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll_->setBackgroundRole(QPalette::Dark);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(scroll_);

    connect(firstPageButton, &QToolButton::clicked, this, [this] { showPage(0); });
    connect(previousPageButton, &QToolButton::clicked, this, [this] { showPage(page_ - 1); });
    connect(nextPageButton, &QToolButton::clicked, this, [this] { showPage(page_ + 1); });
    connect(lastPageButton, &QToolButton::clicked, this, [this] { showPage(pageCount() - 1); });
    connect(zoomPicker, &QComboBox::activated, this,
            [this](int i) { setZoom(zoomPicker->itemData(i).toDouble()); });
    connect(printButton, &QToolButton::clicked, this, &PreviewWindow::print);

    const int width = report_.previewWidth > 0
                          ? platform::twips(report_.previewWidth)
                          : static_cast<int>(report_.paperSize.width() / 15) + 60;
    resize(fittedSize(width, 760));
    refresh();
}

void PreviewWindow::showPage(int index) {
    page_ = std::clamp(index, 0, std::max(0, pageCount() - 1));
    refresh();
}

void PreviewWindow::setZoom(double zoom) {
    zoom_ = std::clamp(zoom, 0.25, 4.0);
    refresh();
}

void PreviewWindow::refresh() {
    view_->setPage(page_, zoom_);
    const int zoomIndex = zoomPicker->findData(zoom_);
    if (zoomIndex >= 0)
        zoomPicker->setCurrentIndex(zoomIndex);
    pageNumberLabel->setText(
        QStringLiteral("%1 / %2").arg(QString::number(page_ + 1), QString::number(pageCount())));
    firstPageButton->setEnabled(page_ > 0);
    previousPageButton->setEnabled(page_ > 0);
    nextPageButton->setEnabled(page_ + 1 < pageCount());
    lastPageButton->setEnabled(page_ + 1 < pageCount());
}

void PreviewWindow::print() {
    const auto warn = [](const QString& text) {
        platform::showSystemMessage({QStringLiteral("تعذرت الطباعة"), text, QMessageBox::Ok,
                                     QMessageBox::Warning, platform::YesDoes::NoQuestion});
    };
    try {
        // Qt's printer set-up waits minutes on a spooler that does not answer:
        // it is asked first, briefly, and the pages are kept if it is silent.
        const QString kept = keepUnlessSpoolerAnswers(report_);
        if (!kept.isEmpty()) {
            warn(QStringLiteral("لا يستجيب نظام الطباعة، فحفظت الكشف ملف PDF في المجلد:") +
                 QLatin1Char('\r') + platform::shownPath(QFileInfo(kept).absolutePath()));
            return;
        }
        QPrinter printer(QPrinter::HighResolution);
        printer.setFullPage(true);
        // The queue names the job as the window's title does, with its class.
        LaidOutReport job = report_;
        if (job.title.isEmpty())
            job.title = caption_;
        const QString proposal =
            printFileProposal(job.title.isEmpty() ? windowTitle() : jobTitle(job));
        printer.setDocName(QFileInfo(proposal).completeBaseName());
        QPrintDialog dialog(&printer, this);
        dialog.setMinMax(1, pageCount());
        proposeFile(dialog, proposal);
        platform::dialogPresenter().present(dialog);
        if (dialog.result() != QDialog::Accepted)
            return;
        printOn(printer, job);
    } catch (const ReportError& e) {
        warn(e.message());
    }
}

namespace {

class WindowSink : public PreviewSink {
public:
    void show(LaidOutReport report) override {
        // Top level without a parent: disabling the main window leaves it usable.
        auto* w = new PreviewWindow(std::move(report));
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
    }
};

} // namespace

void installPreviewWindow() {
    setPreviewSink(std::make_shared<WindowSink>());
}

} // namespace sijill::report
