#include "committees/Sheets.h"
#include "committees/CommitteePlan.h"
#include "committees/CommitteesTestSupport.h"
#include "committees/Seating.h"
#include "data/Connection.h"
#include "report/LayoutLibrary.h"
#include "report/ReportModel.h"
#include "report/ReportPages.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::committees;

namespace {

std::vector<Student> pupils(const QString& grade, int n) {
    std::vector<Student> out;
    for (int i = 1; i <= n; ++i)
        out.push_back({QStringLiteral("الابتدائي"), grade, "1", QString("%1-%2").arg(grade).arg(i),
                       QString::number(i)});
    return out;
}

const QStringList kShortSubjects = {"علوم", "لغتي", "رياضيات", "-", "-", "-", "-", "-"};

// Seats the committees in Com.
void seatAll(const std::vector<CommitteeSeats>& committees, const GradeSeats& counts,
             const QStringList& subjects = kShortSubjects) {
    const SeatingPlan plan = planSeating(
        committees, {"رابع", "خامس", "سادس"},
        {pupils("رابع", counts[0]), pupils("خامس", counts[1]), pupils("سادس", counts[2])},
        {subjects, subjects, subjects});
    EXPECT_TRUE(plan.error.isEmpty()) << plan.error.toStdString();
    data::Connection c(data::Database::Schedule);
    writeSeating(c, plan.rows);
}

// Seats the committees and reads back the rows of `name`.
data::RecordSet seated(const std::vector<CommitteeSeats>& committees, const GradeSeats& counts,
                       const QString& name) {
    seatAll(committees, counts);
    data::Connection c(data::Database::Schedule);
    return committeeRows(c, "  " + name + " ");
}

// No page holds only headings and the signatures: each prints a row.
bool everyPageHasARow(const report::LaidOutReport& r) {
    return std::all_of(r.pages.begin(), r.pages.end(), [](const report::ReportPage& page) {
        return page.findControl("TextSeat") != nullptr;
    });
}

// Every text of the sheet stands whole inside its cell.
void expectWholeTexts(const report::LaidOutReport& r, const QString& committee) {
    EXPECT_TRUE(r.cutTexts.empty()) << committee.toStdString();
    for (const report::ReportPage& page : r.pages)
        for (const report::DrawnItem& item : page.items)
            EXPECT_TRUE(report::textFits(item))
                << committee.toStdString() << " " << item.control.toStdString();
}

QStringList namesOf(const report::ReportRowset& rows, const QString& field) {
    QStringList out;
    for (int r = 0; r < rows.rowCount(); ++r)
        out << rows.text(r, field);
    return out;
}

} // namespace

TEST(DeskLabels, PairsStudentsAcrossGradeBlocksAndSkipsHeaders) {
    test::TestHome home;
    const data::RecordSet five = seated({{"A", {5, 0, 0}}}, {5, 0, 0}, "A");
    const report::ReportRowset rows = deskLabelRows(five);
    EXPECT_EQ(namesOf(rows, "d1"), (QStringList{"رابع-1", "رابع-3", "رابع-5"}));
    EXPECT_EQ(namesOf(rows, "d5"), (QStringList{"رابع-2", "رابع-4", ""}));
    EXPECT_EQ(rows.text(0, "d2"), "101");
    EXPECT_EQ(rows.text(0, "d3"), "A");
    EXPECT_EQ(rows.text(0, "d0"), QStringLiteral("الابتدائي رابع [ 1 ]"));

    const data::RecordSet mixed = seated({{"B", {3, 2, 0}}}, {3, 2, 0}, "B");
    const report::ReportRowset pairs = deskLabelRows(mixed);
    EXPECT_EQ(namesOf(pairs, "d1"), (QStringList{"رابع-1", "رابع-3", "خامس-2"}));
    EXPECT_EQ(namesOf(pairs, "d5"), (QStringList{"رابع-2", "خامس-1", ""}));
    EXPECT_EQ(pairs.text(1, "d6"), "201");
}

TEST(SignatureSheet, HeaderRowsCarrySubjectsAndTheSpacerGrowsPastFortyRows) {
    test::TestHome home;
    report::layoutLibrary().clear();
    report::ReportLayout& layout = report::layout(kSheetLayout);
    const SheetHeader header{"إدارة", "مدرسة", "1446", "المدير", {}};

    const data::RecordSet forty = seated({{"A", {19, 19, 0}}}, {19, 19, 0}, "A");
    ASSERT_EQ(forty.recordCount(), 40);
    fillSignatureSheet(layout, header, "A", forty);
    EXPECT_EQ(layout.control("ShaBlank").height, 20);
    report::LaidOutReport laid = report::layOut(layout);
    EXPECT_EQ(test::drawnTexts(laid, "Class").value(0), "A");
    EXPECT_EQ(test::drawnTexts(laid, "Headmaster").value(0), "المدير");
    EXPECT_EQ(test::drawnTexts(laid, "kl3").value(0), "إدارة");
    const QStringList seats = test::drawnTexts(laid, "TextSeat");
    EXPECT_TRUE(seats.contains("101"));
    EXPECT_TRUE(seats.contains("219"));
    const QStringList names = test::drawnTexts(laid, "TextName");
    EXPECT_EQ(names.value(0), QStringLiteral("الابتدائي رابع [ 1 ]"));
    EXPECT_EQ(test::drawnTexts(laid, "TextS1").value(0), "علوم");
    EXPECT_EQ(test::drawnTexts(laid, "TextS3").value(0), "رياضيات");

    // Forty rows and the signatures on one page.
    EXPECT_EQ(laid.pages.size(), 1u);
    expectWholeTexts(laid, "A");

    const data::RecordSet fortyOne = seated({{"A", {40, 0, 0}}}, {40, 0, 0}, "A");
    ASSERT_EQ(fortyOne.recordCount(), 41);
    fillSignatureSheet(layout, header, "A", fortyOne);
    EXPECT_EQ(layout.control("ShaBlank").height, 2500);
    EXPECT_DOUBLE_EQ(layout.section("Section1").height, 390);
    laid = report::layOut(layout);
    EXPECT_EQ(laid.pages.size(), 2u);
    EXPECT_TRUE(everyPageHasARow(laid));
    // The next fill starts from the stored design.
    fillSignatureSheet(layout, header, "A", forty);
    EXPECT_EQ(layout.control("ShaBlank").height, 20);
}

TEST(SignatureSheet, EveryCommitteeOfAFullDistributionPrintsOnOnePage) {
    test::TestHome home;
    report::layoutLibrary().clear();
    report::ReportLayout& layout = report::layout(kSheetLayout);
    // 1,001 students of three grades at 30 a committee: 35 committees of
    // three grade blocks, with long subject names over the cells.
    const GradeSeats totals{334, 334, 333};
    const std::vector<GradeSeats> shares = *seatShares(totals, 35, 30);
    std::vector<CommitteeSeats> committees;
    for (int i = 0; i < 35; ++i)
        committees.push_back({committeeName(i + 1), shares[static_cast<std::size_t>(i)]});
    // And a committee at its capacity of 30 (33 rows), and one of 40 rows
    // whose long subject names need two lines: closed up to one page they
    // would be cut, so its rows keep their height over two pages.
    committees.push_back({committeeName(36), {10, 10, 10}});
    committees.push_back({committeeName(37), {13, 12, 12}});
    seatAll(committees, {totals[0] + 23, totals[1] + 22, totals[2] + 22},
            {"الدراسات الاجتماعية والمواطنة", "التربية الإسلامية", "المهارات الرقمية",
             "اللغة الإنجليزية", "التربية الفنية", "المهارات الحياتية والأسرية", "-", "-"});
    data::Connection c(data::Database::Schedule);
    int longest = 0;
    for (const CommitteeSeats& committee : committees) {
        const data::RecordSet rows = committeeRows(c, committee.name);
        longest = std::max(longest, rows.recordCount());
        fillSignatureSheet(layout, {"إدارة", "مدرسة", "1446", "المدير", {}}, committee.name, rows);
        const report::LaidOutReport laid = report::layOut(layout);
        EXPECT_EQ(laid.pages.size(), rows.recordCount() == 40 ? 2u : 1u)
            << committee.name.toStdString();
        EXPECT_TRUE(everyPageHasARow(laid));
        expectWholeTexts(laid, committee.name);
    }
    EXPECT_EQ(longest, 40);
}

TEST(CommitteeRows, ANameTypedWithBlanksAroundItStillFindsItsStudents) {
    test::TestHome home;
    // The window passes the name box's text both when seating and when
    // printing: blanks typed after a name must not empty its sheet.
    const data::RecordSet rows = seated({{"A ", {2, 0, 0}}, {" B", {1, 0, 0}}}, {3, 0, 0}, "A ");
    EXPECT_EQ(rows.recordCount(), 3);
    data::Connection c(data::Database::Schedule);
    EXPECT_EQ(committeeRows(c, " B").recordCount(), 2);
    EXPECT_EQ(committeeRows(c, "B").recordCount(), 2);
}

TEST(DeskLabels, LayoutShowsBothHalves) {
    test::TestHome home;
    report::layoutLibrary().clear();
    const data::RecordSet three = seated({{"A", {3, 0, 0}}}, {3, 0, 0}, "A");
    report::ReportLayout& layout = report::layout(kLabelsLayout);
    fillDeskLabels(layout, three);
    const report::LaidOutReport laid = report::layOut(layout);
    EXPECT_EQ(test::drawnTexts(laid, "TextName1"), (QStringList{"رابع-1", "رابع-3"}));
    EXPECT_EQ(test::drawnTexts(laid, "TextName2").value(0), "رابع-2");
    EXPECT_EQ(test::drawnTexts(laid, "TextSeat2").value(0), "102");
}
