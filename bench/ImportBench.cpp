// The Noor import against a bare baseline, and the start-up with and without
// a school, each measured side by side in one run:
//   import: importStudentsWorkbook (reader child included) against FreeXL
//     reading the same file plus one SQLite transaction with one prepared
//     INSERT, for 1,000 and 2,000 students, with the reader child's own time;
//   start-up: a fresh process that builds the main window as the program
//     does and shows it, with an empty school and with 2,000 students.
// Each figure is the best of several runs, the two sides taken in turn.
#include "app/StartUp.h"
#include "shell/MainForm.h"
#include "students/NoorImport.h"
#include "students/WorkbookReader.h"
#include "support/TestHome.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <freexl.h>
#include <functional>
#include <sqlite3.h>
#include <sys/resource.h>

namespace {

const QString kFixtures = QStringLiteral(SIJILL_FIXTURES_DIR "/");
constexpr int kRuns = 7;

// FreeXL reads columns B to F of "Sheet2" from row 5 to the first empty D,
// and one transaction stores the rows through one prepared INSERT.
int baselineImport(const QString& xls, const QString& db) {
    const void* handle = nullptr;
    if (freexl_open(xls.toUtf8().constData(), &handle) != FREEXL_OK)
        return -1;
    unsigned int sheets = 0;
    freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets);
    for (unsigned short i = 0; i < sheets; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(handle, i, &name) == FREEXL_OK && name &&
            std::string(name) == "Sheet2")
            freexl_select_active_worksheet(handle, i);
    }
    unsigned int rows = 0;
    unsigned short cols = 0;
    freexl_worksheet_dimensions(handle, &rows, &cols);
    auto text = [&](unsigned int r, unsigned short c) {
        FreeXL_CellValue v;
        if (freexl_get_cell_value(handle, r, c, &v) != FREEXL_OK)
            return std::string();
        switch (v.type) {
        case FREEXL_CELL_INT:
            return std::to_string(v.value.int_value);
        case FREEXL_CELL_DOUBLE:
            return std::to_string(static_cast<long long>(v.value.double_value));
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
            return std::string(v.value.text_value ? v.value.text_value : "");
        default:
            return std::string();
        }
    };
    sqlite3* conn = nullptr;
    sqlite3_open_v2(db.toUtf8().constData(), &conn, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(conn, "BEGIN; DELETE FROM T1;", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(conn,
                       "INSERT INTO T1 (d0,d1,d2,d3,d4,d5,d6,d7,d8) VALUES (?,?,'0',?,'1',"
                       "'الابتدائي',?,?,'0')",
                       -1, &insert, nullptr);
    int stored = 0;
    for (unsigned int r = 4; r < rows; ++r) {
        const std::string code = text(r, 3);
        if (code.empty())
            break;
        const std::string serial = text(r, 1), name = text(r, 4), civil = text(r, 5),
                          cls = text(r, 2);
        sqlite3_bind_text(insert, 1, serial.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, civil.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 4, code.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 5, cls.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
        ++stored;
    }
    sqlite3_finalize(insert);
    sqlite3_exec(conn, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close_v2(conn);
    freexl_close(handle);
    return stored;
}

double elapsedMs(const std::function<void()>& run) {
    QElapsedTimer t;
    t.start();
    run();
    return t.nsecsElapsed() / 1e6;
}

// Processor time of this process and its finished children: on a busy
// machine a steadier measure than the clock on the wall.
double cpuMs() {
    double ms = 0;
    for (const int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage u{};
        getrusage(who, &u);
        for (const timeval& t : {u.ru_utime, u.ru_stime})
            ms += t.tv_sec * 1e3 + t.tv_usec / 1e3;
    }
    return ms;
}

double cpuUsedMs(const std::function<void()>& run) {
    const double before = cpuMs();
    run();
    return cpuMs() - before;
}

void benchImport(int students) {
    const QString xls = kFixtures + QStringLiteral("students-%1.xls").arg(students);
    sijill::test::TestHome home;
    double program = 1e9, baseline = 1e9, reader = 1e9, rows = 1e9, store = 1e9;
    double programCpu = 1e9, baselineCpu = 1e9;
    for (int i = 0; i < kRuns; ++i) {
        sijill::students::WorkbookRead read;
        reader = std::min(reader, elapsedMs([&] {
                              read = sijill::students::readWorkbook(
                                  xls, {QStringLiteral("Sheet1"), QStringLiteral("Sheet2")});
                          }));
        std::vector<sijill::students::ImportedStudent> numbered;
        rows = std::min(rows, elapsedMs([&] {
                            numbered = sijill::students::numberStudents(
                                sijill::students::readStudentRows(read.book).rows);
                        }));
        store = std::min(store,
                         elapsedMs([&] { sijill::students::replaceStudentsAndClasses(numbered); }));
        auto runProgram = [&] {
            const auto out = sijill::students::importStudentsWorkbook(xls, {});
            if (out.students != students)
                std::fprintf(stderr, "import failed: %s\n", qPrintable(out.message));
        };
        auto runBaseline = [&] {
            if (baselineImport(xls, home.database(QStringLiteral("MyDatabase.db"))) != students)
                std::fprintf(stderr, "baseline read short\n");
        };
        program = std::min(program, elapsedMs(runProgram));
        baseline = std::min(baseline, elapsedMs(runBaseline));
        programCpu = std::min(programCpu, cpuUsedMs(runProgram));
        baselineCpu = std::min(baselineCpu, cpuUsedMs(runBaseline));
    }
    std::printf("import %5d students: program %7.1f ms  baseline %7.1f ms  ratio %.2f"
                "  (reader child and its output read %.1f ms, rows checked and numbered %.1f ms,"
                " stored %.1f ms)\n",
                students, program, baseline, program / baseline, reader, rows, store);
    std::printf("  processor time: program %7.1f ms  baseline %7.1f ms  ratio %.2f\n", programCpu,
                baselineCpu, programCpu / baselineCpu);
}

// One start-up in a fresh process, from launch to the main window shown.
double startUpMs(const QString& self, const QString& home) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SIJILL_HOME"), home);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(home);
    QElapsedTimer t;
    t.start();
    child.start(self, {QStringLiteral("--start-up")});
    child.waitForFinished(60000);
    const double ms = t.nsecsElapsed() / 1e6;
    if (child.exitCode() != 0)
        std::fprintf(stderr, "start-up failed: %s\n", child.readAllStandardError().constData());
    return ms;
}

void benchStartUp(const QString& self) {
    auto finished = [](const sijill::test::TestHome& h) {
        h.exec(QStringLiteral("Schedual.db"),
               QStringLiteral("UPDATE MyInfo SET Admin = 'إدارة تعليم الرياض' WHERE id = 1"));
    };
    sijill::test::TestHome empty;
    finished(empty);
    sijill::test::TestHome school;
    finished(school);
    const auto out = sijill::students::importStudentsWorkbook(
        kFixtures + QStringLiteral("students-2000.xls"), {});
    if (out.students != 2000)
        std::fprintf(stderr, "import failed: %s\n", qPrintable(out.message));
    double bare = 1e9, full = 1e9;
    for (int i = 0; i < kRuns; ++i) {
        bare = std::min(bare, startUpMs(self, empty.path()));
        full = std::min(full, startUpMs(self, school.path()));
    }
    std::printf("start-up to the main window: empty school %7.1f ms  2000 students %7.1f ms  "
                "ratio %.2f\n",
                bare, full, full / bare);
}

// The child of benchStartUp: the program's own start-up, then out.
int startUp(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    sijill::shell::MainForm main;
    if (!sijill::app::startProgram(main))
        return 1;
    main.show();
    QApplication::processEvents();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && QByteArray(argv[1]) == "--start-up")
        return startUp(argc, argv);
    QApplication app(argc, argv);
    sijill::students::setReaderProgram(QStringLiteral(SIJILL_XLS_READER_PATH));
    benchImport(1000);
    benchImport(2000);
    benchStartUp(QCoreApplication::applicationFilePath());
    return 0;
}
