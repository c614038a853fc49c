#include "report/ReportPainter.h"

#include "platform/BidiText.h"
#include "platform/SafeFileWriter.h"
#include "report/PdfTextMaps.h"
#include "report/ReportError.h"

#include <QBuffer>
#include <QFile>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>

namespace sijill::report {

namespace {

QPen penOf(const QColor& color, double width) {
    QPen pen(color);
    pen.setWidthF(width);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void paintText(QPainter& p, const DrawnItem& item) {
    if (item.filled)
        p.fillRect(item.rect, item.fill);
    if (item.text.isEmpty())
        return;
    p.setFont(item.font);
    p.setPen(item.color);
    p.save();
    // The fitting placed the glyphs inside the text's area, moved by its
    // shift: they are drawn whole, unclipped. A shortened text, which the
    // fitting could not place so, is held inside the area it was fitted in.
    if (item.cut)
        p.setClipRect(item.textArea(), Qt::IntersectClip);
    p.translate(item.shift);
    if (item.vertical) {
        p.translate(item.textArea().bottomLeft());
        p.rotate(-90);
    }
    p.drawText(item.textBox(), item.flags | Qt::TextDontClip, item.text);
    p.restore();
}

void paintShape(QPainter& p, const DrawnItem& item) {
    p.setBrush(item.filled ? QBrush(item.fill) : QBrush(Qt::NoBrush));
    p.setPen(item.bordered ? penOf(item.border, item.borderWidth) : QPen(Qt::NoPen));
    if (item.kind == DrawnItem::Kind::RoundedRect) {
        const double radius = std::min(item.rect.width(), item.rect.height()) * 0.12;
        p.drawRoundedRect(item.rect, radius, radius);
    } else {
        p.drawRect(item.rect);
    }
}

// Keeps the picture's proportions, centred in its box.
void paintPicture(QPainter& p, const DrawnItem& item) {
    QSizeF size = QSizeF(item.picture.size()).scaled(item.rect.size(), Qt::KeepAspectRatio);
    QRectF target(QPointF(0, 0), size);
    target.moveCenter(item.rect.center());
    p.drawImage(target, item.picture);
}

// A device that draws nothing but keeps the outline of every glyph painted on
// it: Qt's default text drawing fills each run's glyph outlines as a path, marks
// and their offsets included, laid out exactly as on a printer.
class InkEngine : public QPaintEngine {
public:
    InkEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override {
        if (state.state() & QPaintEngine::DirtyTransform)
            transform_ = state.transform();
    }
    void drawPath(const QPainterPath& path) override {
        drawn.ink |= transform_.map(path).boundingRect();
    }
    void drawTextItem(const QPointF& p, const QTextItem& text) override {
        if (!drawn.started)
            drawn.baseline = transform_.map(p).y();
        drawn.started = true;
        for (QChar c : text.text())
            drawn.letters += !c.isSpace();
        QPaintEngine::drawTextItem(p, text); // fills the outlines through drawPath
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    Type type() const override { return QPaintEngine::User; }

    struct {
        QRectF ink;
        int letters = 0;
        bool started = false;
        double baseline = 0;
    } drawn;

private:
    QTransform transform_;
};

class InkDevice : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &engine_; }
    const InkEngine& engine() const { return engine_; }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
        case PdmHeight:
            return 1 << 20;
        case PdmWidthMM:
        case PdmHeightMM:
            return (1 << 20) * 254 / 14400;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 1440; // one unit a twip, as the PDF writer's
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    mutable InkEngine engine_;
};

int lettersOf(const QString& text) {
    return static_cast<int>(
        std::count_if(text.begin(), text.end(), [](QChar c) { return !c.isSpace(); }));
}

} // namespace

DrawnText drawnText(const DrawnItem& item) {
    if (item.kind != DrawnItem::Kind::Text || item.text.isEmpty())
        return {};
    DrawnItem text = item;
    text.filled = false;
    InkDevice device;
    {
        QPainter painter(&device);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setLayoutDirection(Qt::RightToLeft);
        paintText(painter, text);
    }
    const auto& drawn = device.engine().drawn;
    return {drawn.ink, drawn.letters >= lettersOf(item.text), drawn.baseline};
}

void paintPage(QPainter& painter, const ReportPage& page) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setLayoutDirection(Qt::RightToLeft);
    for (const DrawnItem& item : page.items) {
        switch (item.kind) {
        case DrawnItem::Kind::Text:
            paintText(painter, item);
            break;
        case DrawnItem::Kind::Rect:
        case DrawnItem::Kind::RoundedRect:
            paintShape(painter, item);
            break;
        case DrawnItem::Kind::Line:
            painter.setPen(penOf(item.color, item.borderWidth));
            painter.drawLine(item.rect.topLeft(), item.rect.bottomRight());
            break;
        case DrawnItem::Kind::Picture:
            paintPicture(painter, item);
            break;
        }
    }
    painter.restore();
}

void paintReport(QPagedPaintDevice& device, const LaidOutReport& report, double dotsPerTwip) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                     report.orientation == Orientation::Landscape
                                         ? QPageLayout::Landscape
                                         : QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&device))
        throw ReportError(
            QStringLiteral("layout %1: the output cannot be started").arg(report.layoutName));
    painter.scale(dotsPerTwip, dotsPerTwip);
    for (size_t i = 0; i < report.pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        paintPage(painter, report.pages[i]);
    }
    // The device's own verdict on the job: a printer or file that failed.
    const auto* printer = dynamic_cast<const QPrinter*>(&device);
    if (!painter.end() || (printer && printer->printerState() == QPrinter::Error))
        throw ReportError(QStringLiteral("لم تتم طباعة الكشف %1: أبلغ نظام الطباعة عن فشل المهمة")
                              .arg(platform::isolate(report.layoutName)));
}

QByteArray pdfDocument(const LaidOutReport& report) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        // 1440 dots an inch: one device unit is one twip.
        writer.setResolution(1440);
        writer.setTitle(report.layoutName);
        writer.setCreator(QStringLiteral("Sijill"));
        paintReport(writer, report, 1.0);
    }
    // Qt's document is kept when the rewrite of its text maps fails: the pages
    // are right either way.
    return withSearchableText(buffer.data(), report.layoutName);
}

void writePdf(const LaidOutReport& report, const QString& path) {
    const QByteArray pdf = pdfDocument(report);
    platform::SafeFileWriter file(path);
    const auto failure = [&] {
        return ReportError(platform::fileNotWrittenMessage(path, file.reason()));
    };
    if (!file.prepare(pdf))
        throw failure();
    if (!endsAsPdf(file.tempPath())) {
        file.fail(QStringLiteral("the PDF file is incomplete"));
        throw failure();
    }
    if (!file.commit())
        throw failure();
}

bool endsAsPdf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && looksWhole(f.readAll());
}

} // namespace sijill::report
