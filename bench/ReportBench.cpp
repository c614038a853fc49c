#include "report/LayoutLibrary.h"
#include "report/PdfTextMaps.h"
#include "report/ReportPages.h"
#include "report/ReportPainter.h"
#include "report/SampleClass.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>

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

// Laying out alone, the same run: with the ink measure the program uses
// (argument 0) and with a plain advance measure (argument 1), the in-process
// baseline the ink measure is held to.
void BM_FortyClassesLayOut(benchmark::State& state) {
    qputenv("SIJILL_HOME", SIJILL_SOURCE_DIR);
    const auto measure =
        state.range(0) == 0 ? report::TextMeasure::Ink : report::TextMeasure::Advance;
    report::ReportLayout& layout = report::layout(QStringLiteral("StudentsNames"));
    std::vector<report::ReportRowset> classes;
    for (int c = 0; c < 40; ++c)
        classes.push_back(classOf(35, c + 1));
    for (auto _ : state) {
        for (const report::ReportRowset& rows : classes) {
            layout.setDataSource(rows);
            benchmark::DoNotOptimize(report::layOut(layout, measure));
        }
    }
    state.SetLabel(state.range(0) == 0 ? "ink measure" : "advance measure");
}
BENCHMARK(BM_FortyClassesLayOut)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The two measures side by side in processor time, best of five runs each.
void statePriceOfInk() {
    qputenv("SIJILL_HOME", SIJILL_SOURCE_DIR);
    report::ReportLayout& layout = report::layout(QStringLiteral("StudentsNames"));
    std::vector<report::ReportRowset> classes;
    for (int c = 0; c < 40; ++c)
        classes.push_back(classOf(35, c + 1));
    const auto processorMs = [&](report::TextMeasure measure) {
        double best = 1e9;
        for (int run = 0; run < 5; ++run) {
            const std::clock_t start = std::clock();
            for (const report::ReportRowset& rows : classes) {
                layout.setDataSource(rows);
                benchmark::DoNotOptimize(report::layOut(layout, measure));
            }
            best = std::min(best, 1e3 * double(std::clock() - start) / CLOCKS_PER_SEC);
        }
        return best;
    };
    processorMs(report::TextMeasure::Ink); // glyphs of a first run are measured once
    const double ink = processorMs(report::TextMeasure::Ink);
    const double advance = processorMs(report::TextMeasure::Advance);
    std::printf("lay out 40 classes, processor time: ink measure %.1f ms  advance measure %.1f ms"
                "  ratio %.2f (at most 1.25)\n",
                ink, advance, ink / advance);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    statePriceOfInk();
    benchmark::Shutdown();
    return 0;
}
