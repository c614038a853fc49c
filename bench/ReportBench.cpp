#include "report/LayoutLibrary.h"
#include "report/PdfTextMaps.h"
#include "report/ReportPages.h"
#include "report/ReportPainter.h"
#include "report/SampleClass.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextLayout>
#include <benchmark/benchmark.h>

namespace {

using namespace sijill;

// Arabic names of two to five words, as the students table holds them.
report::ReportRowset classOf(int students, int classNumber) {
    report::ReportRowset rows = test::sampleClass(students);
    for (int i = 0; i < students; ++i)
        rows.set(i, "d7", QString::number(classNumber));
    return rows;
}

// A whole-school print run: 40 classes of 35 students, each laid out and
// written as its own PDF job, on the portrait name list.
void BM_FortyClassesToPdf(benchmark::State& state) {
    qputenv("SIJILL_HOME", SIJILL_SOURCE_DIR);
    report::ReportLayout& layout = report::layout(QStringLiteral("StudentsNames"));
    std::vector<report::ReportRowset> classes;
    for (int c = 0; c < 40; ++c)
        classes.push_back(classOf(35, c + 1));
    QTemporaryDir out;
    for (auto _ : state) {
        int job = 0;
        for (const report::ReportRowset& rows : classes) {
            layout.resetToDesign();
            layout.control(QStringLiteral("Class")).caption = QStringLiteral("class %1").arg(job);
            layout.setDataSource(rows);
            const report::LaidOutReport laid = report::layOut(layout);
            report::writePdf(laid, out.filePath(QStringLiteral("%1.pdf").arg(++job)));
        }
    }
}
BENCHMARK(BM_FortyClassesToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

// The text-map rewrite alone, on the 40 documents Qt wrote: its share of the
// run above.
void BM_FortyClassesTextMaps(benchmark::State& state) {
    qputenv("SIJILL_HOME", SIJILL_SOURCE_DIR);
    report::ReportLayout& layout = report::layout(QStringLiteral("StudentsNames"));
    std::vector<QByteArray> written;
    for (int c = 0; c < 40; ++c) {
        layout.resetToDesign();
        layout.setDataSource(classOf(35, c + 1));
        const report::LaidOutReport laid = report::layOut(layout);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setResolution(1440);
            report::paintReport(writer, laid, 1.0);
        }
        written.push_back(buffer.data());
    }
    for (auto _ : state) {
        for (const QByteArray& pdf : written)
            benchmark::DoNotOptimize(report::withSearchableText(pdf, QStringLiteral("bench")));
    }
}
BENCHMARK(BM_FortyClassesTextMaps)->Unit(benchmark::kMillisecond)->Iterations(3);

// Laying out alone, the same run, with the ink measure the program uses.
void BM_FortyClassesLayOut(benchmark::State& state) {
    qputenv("SIJILL_HOME", SIJILL_SOURCE_DIR);
    report::ReportLayout& layout = report::layout(QStringLiteral("StudentsNames"));
    std::vector<report::ReportRowset> classes;
    for (int c = 0; c < 40; ++c)
        classes.push_back(classOf(35, c + 1));
    for (auto _ : state) {
        for (const report::ReportRowset& rows : classes) {
            layout.setDataSource(rows);
            benchmark::DoNotOptimize(report::layOut(layout));
        }
    }
}
BENCHMARK(BM_FortyClassesLayOut)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The plain advance measure, the baseline the ink fitting above is held to:
// every text the run lays out shaped once and measured by its advance alone
// (blind to the glyphs' ink), at the size it was fitted at, nothing kept
// between texts.
void BM_FortyClassesAdvanceMeasure(benchmark::State& state) {
    qputenv("SIJILL_HOME", SIJILL_SOURCE_DIR);
    report::ReportLayout& layout = report::layout(QStringLiteral("StudentsNames"));
    std::vector<report::DrawnItem> texts;
    for (int c = 0; c < 40; ++c) {
        layout.setDataSource(classOf(35, c + 1));
        for (const report::ReportPage& page : report::layOut(layout).pages) {
            for (const report::DrawnItem& item : page.items) {
                if (item.kind == report::DrawnItem::Kind::Text && !item.text.isEmpty())
                    texts.push_back(item);
            }
        }
    }
    for (auto _ : state) {
        for (const report::DrawnItem& item : texts) {
            // A fresh layout a text, as the fitting makes: no shaping is kept.
            QTextLayout shaped(item.text, item.font);
            shaped.beginLayout();
            shaped.createLine().setLineWidth(item.textBox().width());
            shaped.endLayout();
            benchmark::DoNotOptimize(shaped.boundingRect());
        }
    }
}
BENCHMARK(BM_FortyClassesAdvanceMeasure)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
