#include "committees/Seating.h"
#include "committees/CommitteeStore.h"
#include "committees/CommitteesTestSupport.h"
#include "data/Connection.h"
#include "data/DataError.h"

#include <QSet>
#include <functional>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::committees;

namespace {

Student pupil(const QString& grade, int i) {
    return {QStringLiteral("الابتدائي"), grade, QStringLiteral("1"), QString("s%1").arg(i),
            QString("%1").arg(i, 2, 10, QChar('0'))};
}

std::vector<Student> pupils(const QString& grade, int n) {
    std::vector<Student> out;
    for (int i = 1; i <= n; ++i)
        out.push_back(pupil(grade, i));
    return out;
}

QStringList eight(const QString& first) {
    return {first, "-", "-", "-", "-", "-", "-", "-"};
}

int comRows(data::Connection& c) {
    return c.scalar("SELECT COUNT(*) FROM Com").toInt();
}

} // namespace

TEST(SeatingPlan, SeatNumbersRunOverCommitteesAndEachBlockHasAHeader) {
    const std::vector<CommitteeSeats> committees = {
        {"A", {10, 0, 1}}, {"B", {10, 2, 0}}, {"C", {5, 0, 0}}};
    const SeatingPlan plan = planSeating(committees, {"رابع", "خامس", "سادس"},
                                         {pupils("رابع", 25), pupils("خامس", 2), pupils("سادس", 1)},
                                         {eight("x"), eight("y"), eight("z")});
    ASSERT_TRUE(plan.error.isEmpty());
    // Grade 1: A header + 10, B header + 10, C header + 5; then grade 2 in B; grade 3 in A.
    ASSERT_EQ(plan.rows.size(), 3u + 25u + 1u + 2u + 1u + 1u);
    EXPECT_TRUE(plan.rows[0].isHeader());
    EXPECT_EQ(plan.rows[0].committee, "A");
    EXPECT_EQ(plan.rows[0].name, QStringLiteral("الابتدائي رابع [ 1 ]"));
    EXPECT_EQ(plan.rows[0].subjects, eight("x"));
    EXPECT_EQ(plan.rows[1].seat, "101");
    EXPECT_EQ(plan.rows[10].seat, "110");
    EXPECT_TRUE(plan.rows[11].isHeader());
    EXPECT_EQ(plan.rows[11].committee, "B");
    EXPECT_EQ(plan.rows[12].seat, "111");
    EXPECT_TRUE(plan.rows[22].isHeader());
    EXPECT_EQ(plan.rows[22].committee, "C");
    EXPECT_EQ(plan.rows[23].seat, "121");
    EXPECT_EQ(plan.rows[27].seat, "125");
    // No header for a committee without seats of a grade: grade 2 opens in B.
    EXPECT_TRUE(plan.rows[28].isHeader());
    EXPECT_EQ(plan.rows[28].committee, "B");
    EXPECT_EQ(plan.rows[29].seat, "201");
    EXPECT_EQ(plan.rows[30].seat, "202");
    EXPECT_EQ(plan.rows[31].committee, "A");
    EXPECT_EQ(plan.rows[32].seat, "301");
    EXPECT_EQ(plan.rows[32].number, "01");
    EXPECT_EQ(*plan.rows[32].cls, QStringLiteral("الابتدائي سادس [ 1 ]"));
}

TEST(SeatingPlan, HeaderShowsTheClassOfTheBlocksFirstStudent) {
    std::vector<Student> four = pupils("رابع", 4);
    four[2].cls = four[3].cls = "2";
    const SeatingPlan plan = planSeating({{"A", {3, 0, 0}}, {"B", {1, 0, 0}}}, {"رابع", "", ""},
                                         {four, {}, {}}, {eight("x"), eight("-"), eight("-")});
    ASSERT_TRUE(plan.error.isEmpty());
    EXPECT_EQ(plan.rows[0].name, QStringLiteral("الابتدائي رابع [ 1 ]"));
    EXPECT_EQ(*plan.rows[3].cls, QStringLiteral("الابتدائي رابع [ 2 ]"));
    EXPECT_EQ(plan.rows[4].name, QStringLiteral("الابتدائي رابع [ 2 ]"));
}

TEST(SeatingPlan, RefusesSeatsThatDoNotMatchTheStudents) {
    const SeatingPlan more =
        planSeating({{"A", {3, 0, 0}}}, {"رابع", "", ""}, {pupils("رابع", 2), {}, {}}, {});
    EXPECT_FALSE(more.error.isEmpty());
    EXPECT_TRUE(more.rows.empty());
    const SeatingPlan fewer =
        planSeating({{"A", {1, 0, 0}}}, {"رابع", "", ""}, {pupils("رابع", 2), {}, {}}, {});
    EXPECT_TRUE(fewer.error.contains(QStringLiteral("رابع")));
}

TEST(SeatingPlan, RefusesTwoCommitteesOfOneName) {
    // Each committee's sheet finds its rows by name, so a shared name would
    // put both committees' students on both sheets.
    const SeatingPlan plan =
        planSeating({{"A", {1, 0, 0}}, {" A ", {1, 0, 0}}}, {"رابع", "", ""},
                    {pupils("رابع", 2), {}, {}}, {eight("x"), eight("-"), eight("-")});
    EXPECT_TRUE(plan.error.contains(QStringLiteral("A")));
    EXPECT_TRUE(plan.rows.empty());
}

TEST(SeatingData, OnlyFlaggedStudentsOfTheExactGradeInClassOrder) {
    test::TestHome home;
    test::addStudent(home, "رابع", "2", "01", "b1");
    test::addStudent(home, "رابع", "1", "02", "a2");
    test::addStudent(home, "رابع", "1", "01", "a1");
    test::addStudent(home, "رابع", "1", "03", "hand", "-");
    test::addStudent(home, "رابع متقدم", "1", "01", "other");
    test::addStudent(home, "خامس", "1", "01", "c1", "1", "الابتدائي", "0");
    data::Connection c(data::Database::Students);
    EXPECT_EQ(seatedGrades(c), (QStringList{"رابع", "رابع متقدم", "خامس"}));
    EXPECT_EQ(countGrade(c, " رابع "), 3);
    QStringList names;
    for (const Student& s : studentsOfGrade(c, "رابع"))
        names << s.name;
    EXPECT_EQ(names, (QStringList{"a1", "a2", "b1"}));
}

TEST(SeatingData, StudentsWithoutTheExamFlagAreNamedOnceUnlessSeatedThroughACopy) {
    test::TestHome home;
    test::addStudent(home, "رابع", "1", "01", "seated");
    test::addStudent(home, "رابع", "2", "09", "seated", "-"); // his copy: he has a seat
    test::addStudent(home, "رابع", "1", "02", "hand", "-");
    test::addStudent(home, "رابع", "2", "08", "hand", "-"); // a copy of a hand-added one
    test::addStudent(home, "رابع", "1", "03", "digit", "0");
    // No civil-registry number: nothing to match, each row is a student.
    test::addStudent(home, "رابع", "1", "04", "blank1", "-", "الابتدائي", "0", " ");
    test::addStudent(home, "رابع", "1", "05", "blank2", "-", "الابتدائي", "0", " ");
    // No flag at all: not seated either, so named too.
    home.exec("MyDatabase.db", "INSERT INTO T1 (d0, d1, d3, d4, d5, d6, d7) VALUES "
                               "('06', 'unmarked', 'u6', NULL, 'الابتدائي', 'رابع', '1')");
    data::Connection c(data::Database::Students);
    QStringList names;
    for (const Student& s : unflaggedStudents(c))
        names << s.name;
    EXPECT_EQ(names, (QStringList{"hand", "digit", "blank1", "blank2", "unmarked"}));
    EXPECT_EQ(countGrade(c, "رابع"), 1);
}

TEST(SeatingData, SubjectsInDateAndPeriodOrderEightAtMost) {
    test::TestHome home;
    test::addExam(home, "رابع", "1446/09/12", "الأولى", "علوم");
    test::addExam(home, "رابع", "1446/09/10", "الثانية", "لغتي");
    test::addExam(home, "رابع", "1446/09/10", "الأولى", "رياضيات");
    test::addExam(home, "خامس", "1446/09/09", "الأولى", "فقه");
    data::Connection c(data::Database::Schedule);
    EXPECT_EQ(examSubjects(c, "رابع"),
              (QStringList{"رياضيات", "لغتي", "علوم", "-", "-", "-", "-", "-"}));
    EXPECT_EQ(examSubjects(c, "سادس"), QStringList(8, "-"));
    for (int i = 0; i < 9; ++i)
        test::addExam(home, "خامس", QString("1446/10/%1").arg(i + 10), "الأولى",
                      QString("m%1").arg(i));
    const QStringList fifth = examSubjects(c, "خامس");
    EXPECT_EQ(fifth.size(), 8);
    EXPECT_EQ(fifth.first(), "فقه");
    EXPECT_EQ(fifth.last(), "m6");
}

TEST(SeatingData, WritingReplacesTheOldSeatingOrNothingAtAll) {
    test::TestHome home;
    data::Connection c(data::Database::Schedule);
    const SeatingPlan plan = planSeating({{"A", {2, 0, 0}}}, {"رابع", "", ""},
                                         {pupils("رابع", 2), {}, {}}, {eight("x"), {}, {}});
    writeSeating(c, plan.rows);
    writeSeating(c, plan.rows);
    EXPECT_EQ(comRows(c), 3); // twice gives the same table, not a doubled one
    EXPECT_TRUE(c.scalar("SELECT Class FROM Com ORDER BY ID LIMIT 1").isNull());
    EXPECT_EQ(c.scalar("SELECT S8 FROM Com ORDER BY ID LIMIT 1").toString(), "-");

    // A row that fails half-way leaves the earlier seating whole.
    home.exec("Schedual.db", "CREATE TRIGGER boom BEFORE INSERT ON Com WHEN NEW.Name = 's2' "
                             "BEGIN SELECT RAISE(ABORT, 'boom'); END");
    std::vector<SeatRow> other = planSeating({{"B", {2, 0, 0}}}, {"رابع", "", ""},
                                             {pupils("رابع", 2), {}, {}}, {eight("y"), {}, {}})
                                     .rows;
    EXPECT_THROW(writeSeating(c, other), data::DataError);
    EXPECT_EQ(comRows(c), 3);
    EXPECT_EQ(c.scalar("SELECT COUNT(*) FROM Com WHERE Com = 'A'").toInt(), 3);
}

TEST(SeatingData, DriftCountsEachSeatForOneStudentRow) {
    // Seated: s1, s2, s3 of one class.
    struct Case {
        const char* what;
        std::function<void(std::vector<Student>&)> change;
        int gone;
        int unseated;
    };
    const Case cases[] = {
        {"unchanged", [](std::vector<Student>&) {}, 0, 0},
        // Two students who swapped numbers sit under each other's number.
        {"numbers swapped", [](std::vector<Student>& s) { std::swap(s[0].number, s[1].number); }, 2,
         2},
        {"one left, one came", [](std::vector<Student>& s) { s[0] = pupil("رابع", 9); }, 1, 1},
        // Two identical rows of a student hold one seat between them.
        {"a row twice", [](std::vector<Student>& s) { s.push_back(s[2]); }, 0, 1},
    };
    for (const Case& k : cases) {
        test::TestHome home;
        data::Connection c(data::Database::Schedule);
        writeSeating(c, planSeating({{"A", {3, 0, 0}}}, {"رابع", "", ""},
                                    {pupils("رابع", 3), {}, {}}, {eight("x"), {}, {}})
                            .rows);
        std::vector<Student> now = pupils("رابع", 3);
        k.change(now);
        const SeatingDrift drift = seatingDrift(c, {now, {}, {}});
        EXPECT_EQ(drift.seated, 3) << k.what;
        EXPECT_EQ(drift.gone, k.gone) << k.what;
        EXPECT_EQ(drift.unseated, k.unseated) << k.what;
    }
}

TEST(SeatingData, ACommitteeNamedOrGivenSeatsAfterTheSeatingHasNone) {
    // Seated: A holds two students, B one; C's shares gave it none.
    const auto committee = [](const QString& name, int seats) {
        return CommitteeRecord{name, "3", "30", {seats, 0, std::nullopt}};
    };
    struct Case {
        const char* what;
        std::vector<CommitteeRecord> now;
        std::vector<std::size_t> unseated;
    };
    const Case cases[] = {
        {"as seated", {committee("A", 2), committee("B", 1), committee("C", 0)}, {}},
        {"blanks around a name", {committee(" A ", 2), committee("B", 1)}, {}},
        {"renamed", {committee("A", 2), committee("B2", 1), committee("C", 0)}, {1}},
        // Its shares leave it empty, whatever its name: distributing again seats no one there.
        {"empty one renamed", {committee("A", 2), committee("B", 1), committee("C2", 0)}, {}},
        {"renamed, empty one too",
         {committee("A", 2), committee("B2", 1), committee("C2", 0)},
         {1}},
        {"added with a seat moved to it",
         {committee("A", 1), committee("B", 1), committee("C", 0), committee("D", 1)},
         {3}},
    };
    test::TestHome home;
    data::Connection c(data::Database::Schedule);
    writeSeating(c, planSeating({{"A", {2, 0, 0}}, {"B", {1, 0, 0}}, {"C", {0, 0, 0}}},
                                {"رابع", "", ""}, {pupils("رابع", 3), {}, {}}, {eight("x"), {}, {}})
                        .rows);
    const SeatingDrift drift = seatingDrift(c, {pupils("رابع", 3), {}, {}});
    for (const Case& k : cases)
        EXPECT_EQ(unseatedCommittees(drift, k.now), k.unseated) << k.what;
    // Before any seating no committee lacks its seats.
    c.execute("DELETE FROM Com");
    EXPECT_TRUE(unseatedCommittees(seatingDrift(c, {}), {committee("B2", 1)}).empty());
}

TEST(CommitteeStore, ReplaceMakesBothTablesAnewWithTheShippedColumns) {
    test::TestHome home;
    data::Connection c(data::Database::Schedule);
    const QVariant listBefore =
        c.scalar("SELECT group_concat(name || ':' || type) FROM pragma_table_info('List')");
    const QVariant comBefore =
        c.scalar("SELECT group_concat(name || ':' || type) FROM pragma_table_info('Com')");
    home.exec("Schedual.db", "INSERT INTO Com (Com, Name) VALUES ('old', 'x')");
    replaceCommittees(c, {{"اللجنة [1]", "3", "30", {}}, {"اللجنة [2]", "3", "30", {}}});
    EXPECT_EQ(c.scalar("SELECT group_concat(name || ':' || type) FROM pragma_table_info('List')"),
              listBefore);
    EXPECT_EQ(c.scalar("SELECT group_concat(name || ':' || type) FROM pragma_table_info('Com')"),
              comBefore);
    EXPECT_EQ(comRows(c), 0);
    const std::vector<CommitteeRecord> rows = loadCommittees(c);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].name, "اللجنة [2]");
    EXPECT_FALSE(rows[1].seats[0]); // NULL until the row is saved
    EXPECT_EQ(c.scalar("SELECT MAX(ID) FROM List").toInt(), 2);

    CommitteeRecord saved = rows[1];
    saved.seats = {4, 5, 0};
    EXPECT_TRUE(updateCommittee(c, 2, saved));
    EXPECT_FALSE(updateCommittee(c, 9, saved));
    EXPECT_EQ(loadCommittees(c)[1].seats[1], 5);
}

TEST(CommitteeStore, AFailedReplaceKeepsTheOldCommittees) {
    test::TestHome home;
    data::Connection c(data::Database::Schedule);
    replaceCommittees(c, {{"old", "3", "30", {}}});
    // Com cannot be made again once an index holds its name: the failure
    // comes after List was dropped.
    home.exec("Schedual.db", "DROP TABLE Com; CREATE INDEX Com ON MyInfo(Admin)");
    EXPECT_THROW(replaceCommittees(c, {{"new", "3", "30", {}}}), data::DataError);
    const std::vector<CommitteeRecord> rows = loadCommittees(c);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, "old");
}

TEST(CommitteeStore, SavingAllIsAllOrNothing) {
    test::TestHome home;
    data::Connection c(data::Database::Schedule);
    replaceCommittees(c, {{"a", "3", "30", {}}});
    EXPECT_THROW(updateAllCommittees(c, {{"a2", "3", "30", {{1, 2, 3}}}, {"b", "3", "30", {}}}),
                 data::DataError);
    EXPECT_EQ(loadCommittees(c)[0].name, "a");
    updateAllCommittees(c, {{"a2", "3", "30", {{1, 2, 3}}}});
    EXPECT_EQ(loadCommittees(c)[0].seats[2], 3);
}

namespace {

// Every grade shared over committees of 30 as the window does it; the plan's
// seat numbers, each student's once.
struct Seated {
    SeatingPlan plan;
    QStringList seats;
    QStringList students; // grade "/" name of every student row
};

Seated seatGrades(const std::array<int, kGrades>& sizes) {
    std::array<std::vector<Student>, kGrades> students;
    GradeSeats totals{};
    int all = 0;
    for (int g = 0; g < kGrades; ++g) {
        students[g] = pupils(QString("g%1").arg(g + 1), sizes[g]);
        totals[g] = sizes[g];
        all += sizes[g];
    }
    const int count = *committeeCount(QString::number(all), "30");
    const std::vector<GradeSeats> shares = *seatShares(totals, count);
    std::vector<CommitteeSeats> committees;
    for (int i = 0; i < count; ++i)
        committees.push_back({committeeName(i + 1), shares[static_cast<std::size_t>(i)]});
    Seated out{planSeating(committees, {"g1", "g2", "g3"}, students, {}), {}, {}};
    for (const SeatRow& row : out.plan.rows) {
        if (!row.isHeader()) {
            out.seats << row.seat;
            out.students << row.cls.value() + "/" + row.name;
        }
    }
    return out;
}

} // namespace

TEST(SeatNumbers, DistinctForEveryGradeSizeAndEveryStudentSeatedOnce) {
    const int sizes[] = {0, 1, 99, 100, 180, 450};
    for (int a : sizes) {
        for (int b : sizes) {
            const int c = 99;
            const Seated s = seatGrades({a, b, c});
            ASSERT_TRUE(s.plan.error.isEmpty()) << a << " " << b;
            ASSERT_EQ(s.seats.size(), a + b + c);
            EXPECT_EQ(s.plan.seated, a + b + c);
            EXPECT_EQ(QSet<QString>(s.seats.begin(), s.seats.end()).size(), s.seats.size())
                << a << " " << b;
            EXPECT_EQ(QSet<QString>(s.students.begin(), s.students.end()).size(),
                      s.students.size());
            // Each number begins with its grade's digit.
            for (const SeatRow& row : s.plan.rows) {
                if (!row.isHeader()) {
                    EXPECT_EQ(row.seat.at(0), row.cls->at(row.cls->indexOf('[') - 2));
                }
            }
        }
    }
}

TEST(SeatNumbers, WiderOnlyOnceAGradePassesNinetyNine) {
    Seated s = seatGrades({99, 1, 0});
    EXPECT_EQ(s.seats.first(), "101");
    EXPECT_EQ(s.seats.at(98), "199");
    EXPECT_EQ(s.seats.last(), "201");

    s = seatGrades({1, 180, 2});
    EXPECT_EQ(s.seats.first(), "1001");
    EXPECT_TRUE(s.seats.contains("2180"));
    EXPECT_EQ(s.seats.last(), "3002");

    EXPECT_EQ(seatNumberBase(999), 1000);
    EXPECT_EQ(seatNumberBase(1000), 10000);
    s = seatGrades({1000, 0, 1});
    EXPECT_EQ(s.seats.first(), "10001");
    EXPECT_EQ(s.seats.at(999), "11000");
    EXPECT_EQ(s.seats.last(), "30001");
}

TEST(SeatingPlan, RefusesNothingToSeatNoCommitteeAndANamelessCommittee) {
    const std::array<QString, kGrades> names{"رابع", "", ""};
    const SeatingPlan none = planSeating({{"A", {0, 0, 0}}}, names, {}, {});
    EXPECT_EQ(none.error, QStringLiteral("لا يوجد طلاب لتوزيعهم على اللجان"));
    EXPECT_TRUE(planSeating({}, names, {pupils("رابع", 2), {}, {}}, {})
                    .error.contains(QStringLiteral("لا توجد لجان")));
    const SeatingPlan nameless =
        planSeating({{"A", {1, 0, 0}}, {"  ", {1, 0, 0}}}, names, {pupils("رابع", 2), {}, {}}, {});
    EXPECT_TRUE(nameless.error.contains(QStringLiteral("اللجنة رقم 2 بلا اسم")));
    EXPECT_TRUE(nameless.rows.empty());
}

TEST(SeatingData, GradesByOrderKeyThenByTheGradeWordWhateverTheRowOrder) {
    test::TestHome home;
    for (const QString grade : {"سادس", "شعبة خاصة", "ثالث", "الأول", "خامس", "ثاني", "رابع"})
        test::addStudent(home, grade, "1", "01", grade);
    data::Connection c(data::Database::Students);
    EXPECT_EQ(seatedGrades(c),
              (QStringList{"الأول", "ثاني", "ثالث", "رابع", "خامس", "سادس", "شعبة خاصة"}));
    // The order key comes first: numbers by value.
    test::addStudent(home, "تمهيدي", "1", "01", "x", "1", "الابتدائي", "-1");
    test::addStudent(home, "متقدم", "1", "01", "y", "1", "الابتدائي", "10");
    test::addStudent(home, "خاص", "1", "01", "z", "1", "الابتدائي", "2");
    const QStringList grades = seatedGrades(c);
    EXPECT_EQ(grades.first(), "تمهيدي");
    EXPECT_EQ(grades.mid(grades.size() - 2), (QStringList{"خاص", "متقدم"}));
    EXPECT_EQ(gradeWordNumber(QStringLiteral("الاول")), 1);
    EXPECT_EQ(gradeWordNumber(QStringLiteral(" سادس ")), 6);
    EXPECT_EQ(gradeWordNumber(QStringLiteral("سابع")), 0);
}

TEST(SeatingPlan, AGradeNameHoldingPercentSignsIsToldAsItIs) {
    const SeatingPlan plan =
        planSeating({{"A", {1, 0, 0}}}, {"%2 %1", "", ""}, {pupils("%2 %1", 2), {}, {}}, {});
    EXPECT_EQ(plan.error,
              QStringLiteral("عدد المقاعد لا يساوي عدد الطلاب في الصف %2 %1: المقاعد 1 والطلاب 2"));
}
