#include "report/LayoutLibrary.h"
#include "report/PdfTextMaps.h"
#include "report/ReportPages.h"
#include "report/ReportPainter.h"
#include "report/SampleClass.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>
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

// Laying out alone, the same run.
void BM_FortyClassesLayOut(benchmark::State& state) {
    qputenv("SIJILL_HOME", SIJILL_SOURCE_DIR);
    report::ReportLayout& layout = report::layout(QStringLiteral("StudentsNames"));
    const report::ReportRowset rows = classOf(35, 1);
    for (auto _ : state) {
        for (int c = 0; c < 40; ++c) {
            layout.setDataSource(rows);
            benchmark::DoNotOptimize(report::layOut(layout));
        }
    }
}
BENCHMARK(BM_FortyClassesLayOut)->Unit(benchmark::kMillisecond);

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
