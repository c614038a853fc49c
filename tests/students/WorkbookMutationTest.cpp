#include "StudentsTestSupport.h"
#include "students/NoorImport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>

using namespace sijill::students;
using sijill::test::databaseBytes;
using sijill::test::fixture;
using sijill::test::TestHome;

namespace {

// A student as compared: name, civil-registry number, grade word, class.
using Student = std::array<QString, 4>;

// The field of a student that a workbook column gives, or -1.
int fieldOfColumn(int column) {
    switch (column) {
    case 4: // E
        return 0;
    case 5: // F
        return 1;
    case 3: // D
        return 2;
    case 2: // C
        return 3;
    default:
        return -1;
    }
}

std::vector<Student> storedStudents() {
    std::vector<Student> out;
    for (const QString& line : sijill::test::tableRows(
             QStringLiteral("MyDatabase.db"), QStringLiteral("SELECT d1, d3, d6, d7 FROM T1"))) {
        const QStringList f = line.split(QLatin1Char('|'));
        out.push_back({f.value(0), f.value(1), f.value(2), f.value(3)});
    }
    std::sort(out.begin(), out.end());
    return out;
}

struct CellRanges {
    int row = 0, column = 0;
    bool studentSheet = false;
    std::vector<std::pair<qsizetype, qsizetype>> ranges;
};

// True when `stored` is `rows` but for the fields that the changed cells give.
bool sameButForCells(std::vector<Student> stored, const std::vector<Student>& rows,
                     const std::map<int, std::set<int>>& changed, int firstRow) {
    if (stored.size() != rows.size())
        return false;
    std::vector<std::pair<Student, std::set<int>>> loose;
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto c = changed.find(firstRow + static_cast<int>(i));
        if (c != changed.end() && !c->second.empty()) {
            loose.emplace_back(rows[i], c->second);
            continue;
        }
        const auto at = std::find(stored.begin(), stored.end(), rows[i]);
        if (at == stored.end())
            return false;
        stored.erase(at);
    }
    for (const auto& [student, fields] : loose) {
        const auto at = std::find_if(stored.begin(), stored.end(), [&](const Student& s) {
            for (int f = 0; f < 4; ++f)
                if (!fields.count(f) && s[f] != student[f])
                    return false;
            return true;
        });
        if (at == stored.end())
            return false;
        stored.erase(at);
    }
    return true;
}

} // namespace

// Hundreds of copies of one workbook, each with one byte changed. Every copy
// ends in one of four ways: the original's students exactly; a refusal that
// leaves the databases as they were (a changed mark is answered "cancel");
// where the byte lies in a cell's value (its text or number), the same
// students but for the cells of that value; or, where column D reads empty above the last student,
// exactly the students above that row.
TEST(WorkbookMutation, SeededByteMutationsEndInAnAllowedWay) {
    QElapsedTimer clock;
    clock.start();
    sijill::test::useBuiltReader();
    setReaderTimeLimitMs(3000);
    TestHome home;
    sijill::test::seedOldSchool(home);
    ImportHooks cancelWithoutMark;
    cancelWithoutMark.goOnWithoutMark = [] { return false; };

    QFile source(fixture("students.xls"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray original = source.readAll();
    QFile mapFile(fixture("students-cells.json"));
    ASSERT_TRUE(mapFile.open(QIODevice::ReadOnly));
    const QJsonObject map = QJsonDocument::fromJson(mapFile.readAll()).object();
    const QJsonArray sheet2 = map.value("sheets").toObject().value("Sheet2").toArray();
    const qsizetype sheetStart = sheet2.at(0).toInteger(), sheetEnd = sheet2.at(1).toInteger();
    ASSERT_LT(sheetStart, sheetEnd);
    std::vector<CellRanges> cells;
    for (const QJsonValue& v : map.value("cells").toArray()) {
        const QJsonObject o = v.toObject();
        CellRanges c{o.value("row").toInt(),
                     o.value("column").toInt(),
                     o.value("sheet").toString() == QLatin1String("Sheet2"),
                     {}};
        for (const QJsonValue& r : o.value("ranges").toArray())
            c.ranges.emplace_back(r.toArray().at(0).toInteger(), r.toArray().at(1).toInteger());
        cells.push_back(std::move(c));
    }

    // The original's students in sheet order, each as the import stores it.
    const WorkbookRead read =
        readWorkbook(fixture("students.xls"), {QStringLiteral("Sheet1"), QStringLiteral("Sheet2")});
    ASSERT_TRUE(read.ok);
    const StudentRows rows = readStudentRows(read.book);
    ASSERT_EQ(rows.rows.size(), 15u);
    std::vector<Student> byRow;
    for (const WorkbookStudent& w : rows.rows) {
        const ImportedStudent s = numberStudents({w}).front();
        byRow.push_back({s.d1, s.d3, s.d6, s.d7});
    }
    const int firstRow = rows.rows.front().row - 1; // counted from 0, as the cell map counts
    auto sortedPrefix = [&](size_t n) {
        std::vector<Student> v(byRow.begin(), byRow.begin() + static_cast<qsizetype>(n));
        std::sort(v.begin(), v.end());
        return v;
    };
    const std::vector<Student> all = sortedPrefix(byRow.size());

    QTemporaryDir dir;
    std::mt19937 rng(20261209);
    int exact = 0, refused = 0, cellChanged = 0, endedEarly = 0;
    constexpr int kCopies = 240;
    for (int i = 0; i < kCopies; ++i) {
        // One byte changed; two copies in three inside the student sheet's records.
        QByteArray bytes = original;
        const qsizetype from = i % 3 ? sheetStart : 0, to = i % 3 ? sheetEnd : bytes.size();
        const qsizetype at = std::uniform_int_distribution<qsizetype>(from, to - 1)(rng);
        const char was = bytes[at];
        bytes[at] = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(rng));
        if (bytes[at] == was)
            bytes[at] = static_cast<char>(~was);
        const QString path = dir.filePath(QStringLiteral("copy%1.xls").arg(i));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();

        const auto before = databaseBytes(home);
        const ImportOutcome out = importStudentsWorkbook(path, cancelWithoutMark);
        if (out.result != ImportOutcome::Result::Imported) {
            ++refused;
            if (out.result == ImportOutcome::Result::Refused) {
                EXPECT_FALSE(out.message.isEmpty()) << i;
            }
            EXPECT_TRUE(databaseBytes(home) == before) << "copy " << i;
            continue;
        }
        const std::vector<Student> stored = storedStudents();
        if (stored == all) {
            ++exact;
            continue;
        }
        bool early = false;
        for (size_t n = 1; n < byRow.size() && !early; ++n)
            early = stored == sortedPrefix(n);
        if (early) {
            ++endedEarly;
            continue;
        }
        // Which student fields the changed byte can reach, when it lies
        // inside a cell's value.
        std::map<int, std::set<int>> changed;
        bool inValue = false;
        for (const CellRanges& c : cells) {
            for (const auto& [start, end] : c.ranges) {
                if (at < start || at >= end)
                    continue;
                inValue = true;
                if (c.studentSheet && fieldOfColumn(c.column) >= 0)
                    changed[c.row].insert(fieldOfColumn(c.column));
            }
        }
        if (inValue && sameButForCells(stored, byRow, changed, firstRow)) {
            ++cellChanged;
            continue;
        }
        ADD_FAILURE() << "copy " << i << " (byte " << at << ": " << int(uchar(was)) << " to "
                      << int(uchar(bytes[at])) << ") imported " << stored.size()
                      << " students that are none of the "
                      << "allowed outcomes";
    }
    std::printf("mutations: %d exact, %d refused, %d cell values changed, %d ended early\n", exact,
                refused, cellChanged, endedEarly);
    EXPECT_EQ(exact + refused + cellChanged + endedEarly, kCopies);
    EXPECT_LT(clock.elapsed(), 60000);
    sijill::test::useBuiltReader();
}
