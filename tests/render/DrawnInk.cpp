#include "render/DrawnInk.h"

#include "report/ReportPainter.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <memory>

namespace sijill::test {

namespace {

// Pages of 12.5 by 16.7 inches, each text in a slot with a third of an inch
// free around its box, so that ink past the box stays in its own slot.
constexpr double kPageWidth = 18000;
constexpr double kPageHeight = 24000;
constexpr double kMargin = 480;
constexpr int kPagesPerFile = 6; // files are rendered side by side
constexpr int kDark = 128;       // a pixel at least half covered by ink

struct Slot {
    int page = 0;
    QPointF origin; // the slot's top left corner on its page
};

std::vector<Slot> packPlaces(const std::vector<report::DrawnItem>& items) {
    std::vector<Slot> places;
    int page = 0;
    double x = 0, y = 0, rowHeight = 0;
    for (const report::DrawnItem& item : items) {
        const QSizeF size = item.rect.size() + QSizeF(2 * kMargin, 2 * kMargin);
        if (x > 0 && x + size.width() > kPageWidth) {
            x = 0;
            y += rowHeight;
            rowHeight = 0;
        }
        if (y > 0 && y + size.height() > kPageHeight) {
            ++page;
            y = 0;
        }
        places.push_back({page, QPointF(x, y)});
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
    return places;
}

void writeFile(const QString& path, const std::vector<report::DrawnItem>& items,
               const std::vector<Slot>& places, int firstPage, int lastPage) {
    QPdfWriter writer(path);
    writer.setResolution(1440);
    writer.setPageSize(QPageSize(QSizeF(kPageWidth / 1440, kPageHeight / 1440), QPageSize::Inch, {},
                                 QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    for (int page = firstPage; page <= lastPage; ++page) {
        if (page > firstPage)
            writer.newPage();
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (places[i].page != page)
                continue;
            report::DrawnItem alone = items[i];
            alone.filled = false;
            alone.color = Qt::black;
            report::ReportPage one;
            one.items.push_back(std::move(alone));
            painter.save();
            painter.translate(places[i].origin + QPointF(kMargin, kMargin) -
                              items[i].rect.topLeft());
            report::paintPage(painter, one);
            painter.restore();
        }
    }
}

// The bounding box of the dark pixels inside `area`, in pixels.
QRect darkPixels(const QImage& image, const QRect& area) {
    int left = INT_MAX, right = -1, top = INT_MAX, bottom = -1;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (line[x] < kDark) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// pdftoppm numbers its pictures from 1, padded to the width of the last number.
QString pictureOf(const QString& prefix, int page, int pages) {
    const int digits = static_cast<int>(QString::number(pages).size());
    return QStringLiteral("%1-%2.png").arg(prefix).arg(page, digits, 10, QLatin1Char('0'));
}

} // namespace

bool havePdfToPpm() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

std::vector<QRectF> inkFromPdf(const std::vector<report::DrawnItem>& items, const QString& folder,
                               double dpi) {
    std::vector<QRectF> ink(items.size());
    if (items.empty())
        return ink;
    const std::vector<Slot> places = packPlaces(items);
    const int pages = places.back().page + 1;
    const int files = (pages + kPagesPerFile - 1) / kPagesPerFile;
    std::vector<std::unique_ptr<QProcess>> renderers;
    for (int f = 0; f < files; ++f) {
        const QString pdf = QDir(folder).filePath(QStringLiteral("ink%1.pdf").arg(f));
        writeFile(pdf, items, places, f * kPagesPerFile,
                  std::min(pages, (f + 1) * kPagesPerFile) - 1);
        auto p = std::make_unique<QProcess>();
        p->start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"),
                  QStringLiteral("-png"), pdf,
                  QDir(folder).filePath(QStringLiteral("ink%1").arg(f))});
        renderers.push_back(std::move(p));
    }
    for (auto& p : renderers)
        p->waitForFinished(120000);
    const double pixelsPerTwip = dpi / 1440;
    for (int f = 0; f < files; ++f) {
        const int first = f * kPagesPerFile;
        const int count = std::min(pages, first + kPagesPerFile) - first;
        for (int k = 0; k < count; ++k) {
            const QImage picture =
                QImage(
                    pictureOf(QDir(folder).filePath(QStringLiteral("ink%1").arg(f)), k + 1, count))
                    .convertToFormat(QImage::Format_Grayscale8);
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (places[i].page != first + k || picture.isNull())
                    continue;
                const QRectF slot(places[i].origin,
                                  items[i].rect.size() + QSizeF(2 * kMargin, 2 * kMargin));
                const QRect area(
                    QPoint(qFloor(slot.left() * pixelsPerTwip), qFloor(slot.top() * pixelsPerTwip)),
                    QPoint(qCeil(slot.right() * pixelsPerTwip) - 1,
                           qCeil(slot.bottom() * pixelsPerTwip) - 1));
                const QRect dark = darkPixels(picture, area);
                if (dark.isNull())
                    continue;
                const QRectF twips(dark.left() / pixelsPerTwip, dark.top() / pixelsPerTwip,
                                   dark.width() / pixelsPerTwip, dark.height() / pixelsPerTwip);
                ink[i] = twips.translated(items[i].rect.topLeft() - places[i].origin -
                                          QPointF(kMargin, kMargin));
            }
        }
    }
    return ink;
}

} // namespace sijill::test
