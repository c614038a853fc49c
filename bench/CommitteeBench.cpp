#include "committees/CommitteePlan.h"
#include "committees/Seating.h"
#include "data/Connection.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace sijill;
using namespace sijill::committees;

const QString kGradeWords[] = {QStringLiteral("رابع"), QStringLiteral("خامس"),
                               QStringLiteral("سادس")};

// A program folder of its own with fresh databases; the school's students
// are three grades of `perGrade` students in classes of 30.
class School {
public:
    explicit School(int perGrade) {
        const QString db = QDir(dir_.path()).filePath(QStringLiteral("Database"));
        QDir().mkpath(db);
        for (const QFileInfo& fi : QDir(QStringLiteral(SIJILL_PRISTINE_DB_DIR))
                                       .entryInfoList({QStringLiteral("*.db")}, QDir::Files))
            QFile::copy(fi.filePath(), QDir(db).filePath(fi.fileName()));
        qputenv("SIJILL_HOME", dir_.path().toUtf8());
        data::Connection students(data::Database::Students);
        data::Transaction t(students);
        for (int g = 0; g < kGrades; ++g) {
            for (int i = 0; i < perGrade; ++i)
                students.execute(QStringLiteral("INSERT INTO T1 (d0, d1, d3, d4, d5, d6, d7, d8) "
                                                "VALUES (?, ?, ?, '1', 'الابتدائي', ?, ?, ?)"),
                                 {QString::number(i % 30 + 1),
                                  QStringLiteral("طالب %1 %2").arg(g).arg(i),
                                  QString::number(1100000000 + g * 100000 + i), kGradeWords[g],
                                  QString::number(i / 30 + 1), QString::number(g)});
        }
        t.commit();
    }

private:
    QTemporaryDir dir_;
};

// The whole distribution as the committee window runs it: the grades and
// their students read, committees of 30 opened and shared, the seating
// planned and written in one transaction.
void distribute() {
    data::Connection students(data::Database::Students);
    const QStringList grades = seatedGrades(students);
    std::array<QString, kGrades> names;
    std::array<std::vector<Student>, kGrades> queue;
    GradeSeats totals{};
    int all = 0;
    for (int g = 0; g < kGrades; ++g) {
        names[g] = grades.value(g);
        queue[g] = studentsOfGrade(students, names[g]);
        totals[g] = static_cast<int>(queue[g].size());
        all += totals[g];
    }
    const int count = *committeeCount(QString::number(all), QStringLiteral("30"));
    const std::vector<GradeSeats> shares = *seatShares(totals, count);
    std::vector<CommitteeSeats> committees;
    for (int i = 0; i < count; ++i)
        committees.push_back({committeeName(i + 1), shares[static_cast<std::size_t>(i)]});
    data::Connection schedual(data::Database::Schedule);
    std::array<QStringList, kGrades> subjects;
    for (int g = 0; g < kGrades; ++g)
        subjects[g] = examSubjects(schedual, names[g]);
    const SeatingPlan plan = planSeating(committees, names, queue, subjects);
    if (!plan.error.isEmpty())
        throw std::runtime_error(plan.error.toStdString());
    writeSeating(schedual, plan.rows);
    benchmark::DoNotOptimize(plan.seated);
}

void BM_Distribute(benchmark::State& state) {
    const School school(static_cast<int>(state.range(0)) / kGrades);
    for (auto _ : state)
        distribute();
    state.counters["students"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_Distribute)->Arg(900)->Arg(3000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
