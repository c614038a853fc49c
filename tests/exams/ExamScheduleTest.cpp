#include "schedule/ExamSchedule.h"
#include "data/Connection.h"
#include "data/DataError.h"
#include "exams/GradeLists.h"
#include "exams/ScheduleGrid.h"
#include "support/TestHome.h"

#include <gtest/gtest.h>

namespace sijill::exams {
namespace {

// One stored row as text: D0|D1|...|D8|F_Order.
QString stored(qint64 id) {
    data::Connection c(data::Database::Schedule);
    const data::RecordSet rs =
        c.query("SELECT D0, D1, D2, D3, D4, D5, D6, D7, D8, F_Order FROM T1 WHERE ID = ?", {id});
    if (rs.isEmpty())
        return "<none>";
    QStringList parts;
    for (int i = 0; i < 10; ++i)
        parts << rs.value(0, i).toString();
    return parts.join('|');
}

int rowCount() {
    data::Connection c(data::Database::Schedule);
    return c.scalar("SELECT count(*) FROM T1").toInt();
}

TEST(GradeLists, KeepsGradesThreeToSixOnceEachInClassOrder) {
    const QStringList keys = {"أول-1", "أول-2", "ثالث-1", "ثالث-2", "رابع-1"};
    EXPECT_EQ(examGradeNames(keys), (QStringList{"ثالث", "رابع"}));
    EXPECT_EQ(labelClassKeys(keys), (QStringList{"ثالث-1", "ثالث-2", "رابع-1"}));
    // The stage word goes, the blank before it stays; a grade met again
    // after another one is listed again.
    EXPECT_EQ(examGradeNames({"رابع ابتدائي-1", "خامس-1", "رابع ابتدائي-2"}),
              (QStringList{"رابع ", "خامس", "رابع "}));
    EXPECT_TRUE(examGradeNames({"ثاني-1", "أول-3"}).isEmpty());
}

TEST(ScheduleGrid, PlacesRowsByTheirOrderAndSavesTheDayIntoBothPeriods) {
    ScheduleGrid g;
    g.place({7, 0, "3", "الأحد", "1446/02/01", "ثالث", "لغتي", "8:00", "أ", "ب", "الأولى"});
    g.place({9, 3, "3", "", "", "ثالث", "رياضيات", "", "", "", "الثانية"});
    g.place({8, 2, "3", "الاثنين", "1446/02/02", "ثالث", "علوم", "", "", "", "الأولى"});
    g.place({10, 25, "3", "", "", "ثالث", "x", "", "", "", ""}); // outside the grid
    EXPECT_TRUE(g.days[1].shown);
    EXPECT_TRUE(g.days[1].period2);
    EXPECT_FALSE(g.days[0].period2);
    EXPECT_EQ(g.firstHiddenDay(), 2);
    EXPECT_FALSE(g.isLastDay(0));
    EXPECT_TRUE(g.isLastDay(1));
    EXPECT_TRUE(g.firstDayComplete());

    const std::vector<SavedRow> rows = g.rowsToSave();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2].order, 3);
    EXPECT_EQ(rows[2].weekday, "الاثنين");
    EXPECT_EQ(rows[2].date, "1446/02/02");

    g.clear();
    EXPECT_EQ(g.firstHiddenDay(), 1);
    EXPECT_EQ(g.rows[0].key, "7"); // row 0 keeps its key
    EXPECT_EQ(g.rows[2].key, kNoKey);
    EXPECT_FALSE(g.firstDayComplete());
}

// Rows whose order is missing or no number take no slot, the first least.
TEST(ExamSchedule, FirstRowOfAGradeIsMadeOnceWithEmptyTexts) {
    test::TestHome home;
    home.exec("Schedual.db", "INSERT INTO T1 (D3, F_Order) VALUES ('رابع', NULL), ('رابع', 'x')");
    const qint64 id = ensureFirstRow(2, "رابع ");
    EXPECT_EQ(stored(id), "2|||رابع |||||الأولى|0");
    EXPECT_EQ(ensureFirstRow(2, "رابع"), id); // blanks around a name do not matter
    EXPECT_EQ(rowCount(), 3);
    std::vector<int> orders;
    for (const ScheduleRow& row : loadGradeRows("رابع"))
        orders.push_back(row.order);
    EXPECT_EQ(orders, (std::vector<int>{-1, -1, 0}));
}

TEST(ExamSchedule, GradesAreMatchedExactly) {
    test::TestHome home;
    addScheduleRow(1, "خامس", 0);
    const qint64 other = addScheduleRow(2, "خامس مطور", 0);
    addScheduleRow(2, "خامس مطور", 2);
    const std::vector<ScheduleRow> rows = loadGradeRows("خامس");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].grade, "خامس");
    EXPECT_EQ(loadGradeRows("خامس مطور").size(), 2u);
    EXPECT_EQ(findGradeRow("خامس مطور", 0), other);
    EXPECT_FALSE(findGradeRow("خامس", 2).has_value());

    EXPECT_EQ(eraseGradeSchedule("خامس"), 1);
    EXPECT_EQ(loadGradeRows("خامس مطور").size(), 2u);
    EXPECT_EQ(eraseAllSchedules(), 2);
}

TEST(ExamSchedule, SaveWritesTextAsTypedAndKeepsPeriodAndOrder) {
    test::TestHome home;
    const qint64 first = addScheduleRow(1, "ثالث", 0);
    const qint64 second = addScheduleRow(1, "ثالث", 1);
    std::vector<SavedRow> rows = {
        {first, 0, "الأحد", "1446/03/01", "القرآن الكريم", "8:00", "O'Brien", "م. سعد"},
        {second, 1, "الأحد", "1446/03/01", "رياضيات'; DELETE FROM T1; --", "10:00", "", ""}};
    saveGradeSchedule(4, "ثالث", rows);
    EXPECT_EQ(stored(first), "4|الأحد|1446/03/01|ثالث|القرآن الكريم|8:00|O'Brien|م. سعد|الأولى|0");
    EXPECT_EQ(stored(second),
              "4|الأحد|1446/03/01|ثالث|رياضيات'; DELETE FROM T1; --|10:00|||الثانية|1");
    EXPECT_EQ(rowCount(), 2);
}

TEST(ExamSchedule, SaveAddsARowWhoseScheduleWasErasedMeanwhile) {
    test::TestHome home;
    const qint64 old = addScheduleRow(1, "ثالث", 0);
    eraseAllSchedules();
    std::vector<SavedRow> rows = {{old, 0, "الأحد", "1446/03/01", "علوم", "", "", ""}};
    saveGradeSchedule(1, "ثالث", rows);
    EXPECT_NE(rows[0].id, old);
    EXPECT_EQ(stored(rows[0].id), "1|الأحد|1446/03/01|ثالث|علوم||||الأولى|0");
}

TEST(ExamSchedule, AFailedSaveWritesNothing) {
    test::TestHome home;
    const qint64 first = addScheduleRow(1, "ثالث", 0);
    const qint64 second = addScheduleRow(1, "ثالث", 2);
    home.exec("Schedual.db", "CREATE TRIGGER refuse BEFORE UPDATE ON T1 WHEN NEW.D4 = 'x' "
                             "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    std::vector<SavedRow> rows = {{first, 0, "الأحد", "1446/03/01", "علوم", "", "", ""},
                                  {second, 2, "الاثنين", "1446/03/02", "x", "", "", ""}};
    EXPECT_THROW(saveGradeSchedule(1, "ثالث", rows), data::DataError);
    EXPECT_EQ(stored(first), "1|||ثالث|||||الأولى|0");
    EXPECT_EQ(rows[0].id, first);
}

TEST(ExamSchedule, DeletesRowsByKeyOnly) {
    test::TestHome home;
    const qint64 a = addScheduleRow(1, "ثالث", 0);
    const qint64 b = addScheduleRow(1, "ثالث", 2);
    const qint64 c = addScheduleRow(1, "ثالث", 3);
    EXPECT_EQ(deleteScheduleRows({b, c, 0}), 2);
    EXPECT_NE(stored(a), "<none>");
    EXPECT_EQ(rowCount(), 1);
}

} // namespace
} // namespace sijill::exams
