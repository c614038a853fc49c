// Renders stored layouts, filled with a generated class, to PDF files so they
// can be looked at (pdftoppm turns them into pictures):
//   render_layouts OUT_FOLDER [STUDENTS] [LAYOUT ...]
// Layouts are read from SIJILL_HOME/layouts, else from the source tree.
#include "report/LayoutLibrary.h"
#include "report/ReportError.h"
#include "report/ReportPages.h"
#include "report/ReportPainter.h"
#include "report/SampleClass.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

using namespace sijill;

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    if (argc < 2) {
        std::fprintf(stderr, "usage: render_layouts OUT_FOLDER [STUDENTS] [LAYOUT ...]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("SIJILL_HOME"))
        qputenv("SIJILL_HOME", QByteArray(SIJILL_SOURCE_DIR));
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const int students = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 35;
    QStringList names;
    for (int i = 3; i < argc; ++i)
        names << QString::fromLocal8Bit(argv[i]);
    if (names.isEmpty()) {
        for (const QString& f : QDir(report::LayoutLibrary::folder())
                                    .entryList({QStringLiteral("*.json")}, QDir::Files))
            names << f.chopped(5);
    }
    const report::ReportRowset rows = test::sampleClass(students);
    int failures = 0;
    for (const QString& name : names) {
        try {
            report::ReportLayout& layout = report::layout(name);
            test::fillSampleHeader(layout);
            layout.setDataSource(rows);
            const report::LaidOutReport laid = report::layOut(layout);
            const QString file = QDir(out).filePath(name + QStringLiteral(".pdf"));
            report::writePdf(laid, file);
            std::printf("%s: %zu page(s), scale %.3f -> %s\n", qPrintable(name), laid.pages.size(),
                        laid.scale, qPrintable(file));
            for (const report::CutText& cut : laid.cutTexts)
                std::printf("  cut on page %d: %s %s \"%s\"\n", cut.page + 1,
                            qPrintable(cut.section), qPrintable(cut.control), qPrintable(cut.text));
        } catch (const report::ReportError& e) {
            std::fprintf(stderr, "%s\n", qPrintable(e.message()));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
