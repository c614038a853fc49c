// Times the students import of a workbook of 2,000 students in 60 classes,
// from the file to both tables written, without the per-row screen refresh.
#include "StudentsTestSupport.h"
#include "students/NoorImport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    sijill::test::useBuiltReader();
    sijill::test::TestHome home;
    const QString file = sijill::test::fixture(QStringLiteral("students-2000.xls"));
    constexpr int kRuns = 10;
    qint64 best = -1, total = 0;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer t;
        t.start();
        const auto out = sijill::students::importStudentsWorkbook(file, {});
        const qint64 ms = t.elapsed();
        if (out.result != sijill::students::ImportOutcome::Result::Imported ||
            out.students != 2000) {
            std::fprintf(stderr, "import failed: %s\n", qPrintable(out.message));
            return 1;
        }
        total += ms;
        best = best < 0 ? ms : std::min(best, ms);
    }
    std::printf("import of 2000 students in %d classes: best %lld ms, mean %lld ms over %d runs\n",
                static_cast<int>(sijill::test::classRows().size()), static_cast<long long>(best),
                static_cast<long long>(total / kRuns), kRuns);
    return 0;
}
