#include "data/Connection.h"
#include "dates/CalendarWindow.h"
#include "exams/DayForms.h"
#include "exams/ExamControlWindow.h"
#include "exams/ExamPaperHeader.h"
#include "exams/ExamWindowTest.h"
#include "exams/ExamsWiring.h"
#include "exams/HandOverPrints.h"
#include "exams/HandOverStatement.h"
#include "platform/AppState.h"
#include "platform/Wait.h"
#include "report/LayoutLibrary.h"
#include "report/ReportOutput.h"
#include "report/ReportPages.h"
#include "shell/MainForm.h"
#include "shell/ShellTestSupport.h"
#include "support/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace sijill::exams {
namespace {

const QString kDay = "1433/09/10";

struct Exam {
    QString key, weekday, date, grade, subject, corrector, reviewer, period;
};

void addExam(const test::TestHome& home, const Exam& e) {
    data::Connection c(data::Database::Schedule);
    c.execute("INSERT INTO T1 (D0, D1, D2, D3, D4, D6, D7, D8) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
              {e.key, e.weekday, e.date, e.grade, e.subject, e.corrector, e.reviewer, e.period});
    (void)home;
}

// Three grades with both periods on the picked day, entered out of order,
// and one exam on another day.
void seedDay(const test::TestHome& home) {
    addExam(home, {"3", "الأحد", kDay, "ثالث", "علوم", "م3", "ر3", "الثانية"});
    addExam(home, {"1", "الأحد", kDay, "أول", "لغتي", "م1", "ر1", "الأولى"});
    addExam(home, {"2", "الأحد", kDay, "ثاني", "رياضيات", "م2", "ر2", "الثانية"});
    addExam(home, {"3", "الأحد", kDay, "ثالث", "لغتي", "م3", "ر3", "الأولى"});
    addExam(home, {"1", "الأحد", kDay, "أول", "علوم", "م1", "ر1", "الثانية"});
    addExam(home, {"2", "الأحد", kDay, "ثاني", "فقه", "م2", "ر2", "الأولى"});
    addExam(home, {"1", "الاثنين", "1433/09/11", "أول", "فقه", "م1", "ر1", "الأولى"});
}

QStringList column(const report::ReportRowset& rows, const QString& field) {
    QStringList out;
    for (int r = 0; r < rows.rowCount(); ++r)
        out << rows.text(r, field);
    return out;
}

TEST(HandOverGrade, CleansAsPrinted) {
    EXPECT_EQ(cleanHandOverGrade("الثاني الثانوية شامل").trimmed(), "الثاني");
    // "عام" goes from inside "العام", and the blanks are squeezed only once.
    EXPECT_EQ(cleanHandOverGrade("الأول - المسار العام").trimmed(), "الأول  ال");
    EXPECT_EQ(cleanHandOverGrade("تحفيظ القراّن الكريم ثالث"), "تحفيظ ثالث");
    // Written with a madda the Quran words are another text and stay.
    EXPECT_EQ(cleanHandOverGrade("تحفيظ القرآن الكريم ثالث"), "تحفيظ القرآن الكريم ثالث");
    EXPECT_EQ(cleanHandOverGrade(QString()), QString());
}

class Schedule : public ::testing::Test {
protected:
    test::TestHome home;
};

TEST_F(Schedule, ADayGivesOneLinePerGradeAndPeriodFirstPeriodFirst) {
    seedDay(home);
    data::Connection c(data::Database::Schedule);
    const report::ReportRowset lines = handOverLines(handOverScheduleRows(c, kDay));
    EXPECT_EQ(column(lines, "d8"),
              (QStringList{"الأولى", "الأولى", "الأولى", "الثانية", "الثانية", "الثانية"}));
    EXPECT_EQ(column(lines, "d3"), (QStringList{"أول", "ثاني", "ثالث", "أول", "ثاني", "ثالث"}));
    EXPECT_EQ(column(lines, "d4"), (QStringList{"لغتي", "فقه", "لغتي", "علوم", "رياضيات", "علوم"}));
    EXPECT_EQ(column(lines, "d6"), (QStringList{"م1", "م2", "م3", "م1", "م2", "م3"}));
    EXPECT_EQ(column(lines, "d7"), (QStringList{"ر1", "ر2", "ر3", "ر1", "ر2", "ر3"}));
    for (const QString f : {"d0", "d1", "d2", "d5"})
        EXPECT_EQ(column(lines, f).join(""), "") << f.toStdString();
}

TEST_F(Schedule, TheDateIsContainedNotAPatternAndAMissingGradeStopsNothing) {
    addExam(home, {"1", "الأحد", " " + kDay + " هـ", "أول", "لغتي", "", "", "الأولى"});
    data::Connection c(data::Database::Schedule);
    c.execute("INSERT INTO T1 (D0, D2, D3, D4, D8) VALUES ('2', ?, NULL, 'فقه', 'الأولى')", {kDay});
    addExam(home, {"3", "الأحد", kDay, "ثالث", "علوم", "", "", "الأولى"});
    // Wildcards in the picked text match nothing.
    addExam(home, {"4", "الأحد", "1433/0A/10", "رابع", "علوم", "", "", "الأولى"});
    EXPECT_EQ(handOverScheduleRows(c, "1433/0_/10").recordCount(), 0);
    EXPECT_EQ(handOverScheduleRows(c, "%").recordCount(), 0);

    const report::ReportRowset lines = handOverLines(handOverScheduleRows(c, kDay));
    EXPECT_EQ(column(lines, "d3"), (QStringList{"أول", "", "ثالث"}));
    EXPECT_EQ(column(lines, "d4"), (QStringList{"لغتي", "فقه", "علوم"}));
}

TEST_F(Schedule, PickedDayRowsNeedTheWeekdayAndTheDateBoth) {
    seedDay(home);
    data::Connection c(data::Database::Schedule);
    const data::RecordSet rows = pickedDayRows(c, "الأحد", kDay);
    ASSERT_EQ(rows.recordCount(), 6);
    EXPECT_EQ(rows.text(0, "D8"), "الأولى");
    EXPECT_EQ(rows.text(5, "D8"), "الثانية");
    EXPECT_EQ(pickedDayRows(c, "الاثنين", kDay).recordCount(), 0);
    // Before any pick the labels hold their design texts.
    EXPECT_EQ(pickedDayRows(c, "Label5", "Label6").recordCount(), 0);
}

TEST_F(Schedule, EveryTextOfTheFourPapersFitsItsBox) {
    for (int p = 0; p < 2; ++p)
        addExam(home,
                {"1", "الأحد", kDay, "الثالث الثانوية شرعية و علوم",
                 p ? "الدراسات الاجتماعية والوطنية" : "التربية الإسلامية",
                 "عبدالرحمن بن محمد العتيبي", "خالد بن سعد القحطاني", p ? "الثانية" : "الأولى"});
    const ExamPaperHeader header{"الإدارة العامة للتعليم بمنطقة الرياض",
                                 "ثانوية الملك عبدالعزيز",
                                 "1433/1434",
                                 "الفصل الدراسي الأول",
                                 "محمد بن عبدالله الشهري",
                                 "سعد بن علي الغامدي",
                                 {}};
    data::Connection c(data::Database::Schedule);
    const report::ReportRowset lines = handOverLines(handOverScheduleRows(c, kDay));
    const data::RecordSet rows = pickedDayRows(c, "الأحد", kDay);
    report::layoutLibrary().clear();
    std::vector<report::LaidOutReport> papers;
    for (const QString name : {"Comeetee", "Comeetee1"}) {
        report::ReportLayout& layout = report::layout(name);
        fillHandOverStatement(layout, header, "الأربعاء", kDay, lines);
        papers.push_back(report::layOut(layout));
    }
    fillCheckingSheet(report::layout("ComRe"), header, rows);
    papers.push_back(report::layOut(report::layout("ComRe")));
    fillLatenessMinutes(report::layout("ExamLate"), header, rows);
    papers.push_back(report::layOut(report::layout("ExamLate")));
    for (const report::LaidOutReport& r : papers) {
        EXPECT_EQ(r.pages.size(), 1u) << r.layoutName.toStdString();
        for (const report::DrawnItem& item : r.pages.front().items) {
            if (item.kind == report::DrawnItem::Kind::Text && !item.text.isEmpty()) {
                EXPECT_TRUE(report::textFits(item))
                    << r.layoutName.toStdString() << " " << item.control.toStdString() << " "
                    << item.text.toStdString();
            }
        }
    }
    report::layoutLibrary().clear();
}

// The program started, the profile filled in, the exam-control window opened
// from the main menu; previews are recorded.
class Papers : public ExamWindowTest {
protected:
    void SetUp() override {
        ExamWindowTest::SetUp();
        home.exec("Schedual.db", "UPDATE MyInfo SET ThisYear = '1433/1434', "
                                 "ThisSemester = 'الفصل الأول', ThisName = 'المدير', "
                                 "name_2 = 'المعد' WHERE id = 1");
        home.exec("Schedual.db", "INSERT INTO grades (kind, grade, class, order_it) "
                                 "VALUES ('ابتدائي', 'أول', '1', 1)");
        ASSERT_NO_FATAL_FAILURE(openExamWindow());
    }

    // The calendar's OK for a hand-over statement, as it reaches the window.
    void pickAndPress(const QString& weekday, const QString& date, int option) {
        w->pickedWeekdayLabel->setText(weekday);
        w->pickedDateLabel->setText(date);
        w->paperOptions[option]->setChecked(true);
        w->handOverButton->click();
    }
    const report::LaidOutReport& last() const { return sink_->shown.back(); }
    QString text(const QString& control) const {
        const report::DrawnItem* item = last().pages.front().findControl(control);
        return item ? item->text : QStringLiteral("<none>");
    }
    QStringList detail(const QString& control) const {
        QStringList out;
        for (const report::ReportPage& page : last().pages)
            for (const report::DrawnItem& item : page.items)
                if (item.control.compare(control, Qt::CaseInsensitive) == 0 && item.row >= 0)
                    out << item.text;
        return out;
    }
};

TEST_F(Papers, AuditedStatementShowsTheDayTheLinesAndTheSignatories) {
    seedDay(home);
    addExam(home, {"4", "الأحد", kDay, "الثاني الثانوية شامل", "فقه", "", "", "الثانية"});
    pickAndPress("الأحد", kDay, 4);
    ASSERT_EQ(sink_->shown.size(), 1u);
    EXPECT_EQ(last().layoutName, "Comeetee");
    EXPECT_EQ(sink_->captions.back(), QStringLiteral("استلام وتسليم وتدقيق"));
    EXPECT_EQ(last().orientation, report::Orientation::Landscape);
    EXPECT_EQ(last().previewWidth, 16700);
    EXPECT_EQ(text("ExDay"), "الأحد - 1433/09/10");
    EXPECT_EQ(text("kl1"), "المملكة العربية السعودية");
    EXPECT_EQ(text("kl2"), "وزارة التعليم");
    EXPECT_EQ(text("kl3"), "إدارة تعليم الرياض");
    EXPECT_EQ(text("kl4"), "مدرسة النور الابتدائية");
    EXPECT_EQ(text("kl5"), "العام الدراسي 1433/1434");
    EXPECT_EQ(text("Class"), "الفصل الأول");
    EXPECT_EQ(text("Label2"), "الكنترول");
    EXPECT_EQ(text("Label1"), "رئيس لجنة الاختبارات");
    EXPECT_EQ(text("Headmaster"), "المدير");
    EXPECT_EQ(text("kl8"), "المعد");
    EXPECT_EQ(detail("D3"), (QStringList{"أول", "ثاني", "ثالث", "أول", "ثاني", "ثالث", "الثاني"}));
    EXPECT_EQ(detail("D8").size(), 7);
    // The window's scratch box keeps the last line's grade, cleaned.
    EXPECT_EQ(w->lastSheetGrade->text().trimmed(), "الثاني");
    EXPECT_TRUE(scope.dialogs().shown.empty());
}

TEST_F(Papers, PlainStatementAndAnEmptyDayStartFromTheStoredDesign) {
    seedDay(home);
    pickAndPress("الأحد", kDay, 4);
    pickAndPress("الجمعة", "1433/09/15", 5);
    ASSERT_EQ(sink_->shown.size(), 2u);
    EXPECT_EQ(last().layoutName, "Comeetee1");
    EXPECT_EQ(sink_->captions.back(), QStringLiteral("استلام وتسليم الأوراق"));
    EXPECT_EQ(text("ExDay"), "الجمعة - 1433/09/15");
    EXPECT_TRUE(detail("D3").isEmpty());
    // Header, captions and footer stand all the same.
    EXPECT_NE(last().pages.front().findText("الحاسب"), nullptr);
    EXPECT_EQ(text("Headmaster"), "المدير");
    // The first statement's preview keeps its own lines.
    EXPECT_EQ(sink_->shown.front().layoutName, "Comeetee");
}

TEST_F(Papers, StatementColumnsReadRightToLeft) {
    const auto captions = [](const QString& name) {
        const report::ReportSection& s =
            report::layout(name).section(report::SectionRole::PageHeader);
        std::vector<const report::ReportControl*> labels;
        for (const report::ReportControl& c : s.controls)
            if (c.kind == report::ControlKind::Label)
                labels.push_back(&c);
        std::sort(labels.begin(), labels.end(), [](auto* a, auto* b) { return a->left > b->left; });
        QStringList out;
        for (auto* c : labels)
            out << c->caption;
        return out;
    };
    EXPECT_EQ(captions("Comeetee"),
              (QStringList{"الفترة", "الصف", "المادة", "العدد", "المستلم", "التوقيع", "المصحح",
                           "التوقيع", "المستلم", "التوقيع", "المراجع", "التوقيع", "المستلم",
                           "التوقيع", "المدقق", "التوقيع", "المستلم", "التوقيع"}));
    EXPECT_EQ(captions("Comeetee1"),
              (QStringList{"الفترة", "الصف", "المادة", "العدد", "ع/اللجنة", "التوقيع", "المصحح",
                           "التوقيع", "ع/اللجنة", "التوقيع", "المراجع", "التوقيع", "ع/اللجنة",
                           "التوقيع", "الحاسب"}));
}

TEST_F(Papers, CheckingSheetAndLatenessMinutesShowNothingOfTheDay) {
    seedDay(home);
    w->pickedWeekdayLabel->setText("الأحد");
    w->pickedDateLabel->setText(kDay);
    printCheckingSheet(*w);
    ASSERT_EQ(sink_->shown.size(), 1u);
    EXPECT_EQ(last().layoutName, "ComRe");
    EXPECT_EQ(last().orientation, report::Orientation::Portrait);
    EXPECT_EQ(last().pages.size(), 1u);
    EXPECT_EQ(text("Kl7"), "المدير");
    EXPECT_EQ(text("kl8"), "المعد");
    EXPECT_EQ(text("kl6"), "رئيس لجنة الاختبارات");
    EXPECT_EQ(text("kl5"), "العام الدراسي 1433/1434");

    printLatenessMinutes(*w);
    ASSERT_EQ(sink_->shown.size(), 2u);
    EXPECT_EQ(last().layoutName, "ExamLate");
    EXPECT_EQ(last().pages.size(), 1u);
    EXPECT_EQ(text("Kl7"), "المدير");
    EXPECT_EQ(text("kl8"), "مراقب اللجان");
    for (const report::LaidOutReport& r : sink_->shown)
        for (const QString& t : r.pages.front().texts())
            EXPECT_FALSE(t.contains(kDay) || t.contains("الأحد")) << t.toStdString();
}

TEST_F(Papers, BeforeAnyPickTheFormsComeOutBlank) {
    seedDay(home);
    EXPECT_EQ(w->pickedWeekdayLabel->text(), "Label5");
    printLatenessMinutes(*w);
    printCheckingSheet(*w);
    ASSERT_EQ(sink_->shown.size(), 2u);
    EXPECT_EQ(last().layoutName, "ComRe");
    EXPECT_EQ(text("kl4"), "مدرسة النور الابتدائية");
}

TEST_F(Papers, AMissingScheduleIsToldAndNothingIsShown) {
    ASSERT_TRUE(QFile::remove(home.database("Schedual.db")));
    scope.dialogs().answer("موافق");
    scope.dialogs().answer("موافق");
    pickAndPress("الأحد", kDay, 5);
    printCheckingSheet(*w);
    EXPECT_TRUE(sink_->shown.empty());
    ASSERT_EQ(scope.dialogs().shown.size(), 2u);
    EXPECT_EQ(scope.dialogs().shown[0].title, "تنبيه");
}

TEST_F(Papers, AMissingLayoutIsToldAndNothingIsShown) {
    ASSERT_TRUE(QFile::remove(QDir(home.path()).filePath("layouts/ExamLate.json")));
    scope.dialogs().answer("موافق");
    printLatenessMinutes(*w);
    EXPECT_TRUE(sink_->shown.empty());
    EXPECT_EQ(scope.dialogs().shown.size(), 1u);
}

TEST_F(Papers, InstallingTwiceStillPrintsOnce) {
    installHandOver(*w);
    installHandOver(*w);
    pickAndPress("الأحد", kDay, 5);
    EXPECT_EQ(sink_->shown.size(), 1u);
}

} // namespace
} // namespace sijill::exams
