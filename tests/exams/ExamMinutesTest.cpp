#include "exams/ExamMinutes.h"
#include "data/Connection.h"
#include "dates/CalendarWindow.h"
#include "exams/ExamControlWindow.h"
#include "exams/ExamMinutesPrints.h"
#include "exams/ExamWindowTest.h"
#include "exams/ExamsWiring.h"
#include "exams/HandOverTexts.h"
#include "exams/MinutesTexts.h"
#include "exams/SingleStudentChooser.h"
#include "labels/SeatLabels.h"
#include "platform/AppState.h"
#include "platform/Clock.h"
#include "platform/Wait.h"
#include "report/LayoutLibrary.h"
#include "report/ReportOutput.h"
#include "report/ReportPages.h"
#include "shell/ClassList.h"
#include "shell/MainForm.h"
#include "shell/ShellTestSupport.h"
#include "support/EnvScope.h"
#include "support/OddNamesSchool.h"
#include "support/ScriptedDialogs.h"
#include "support/WidgetText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace sijill::exams {
namespace {

// Today is Thursday 5 Muharram 1446, the day the schedule below holds.
const QString kToday = "1446/01/05";

void addStudent(const test::TestHome& home, const QString& grade, const QString& cls,
                const QString& name, const QString& stage = "'الابتدائي'") {
    home.exec("MyDatabase.db", QString("INSERT INTO T1 (d0, d1, d2, d3, d4, d5, d6, d7, d8) VALUES "
                                       "('01', %1, '0500', '10%2', '1', %3, '%4', '%5', '0')")
                                   .arg(name.isEmpty() ? "NULL" : "'" + name + "'")
                                   .arg(qHash(name) % 1000)
                                   .arg(stage, grade, cls));
}

void addScheduleRow(const test::TestHome& home, int position, const QString& grade,
                    const QString& subject, const QString& period, const QString& date = kToday) {
    home.exec("Schedual.db",
              QString("INSERT INTO T1 (D0, D1, D2, D3, D4, D5, D6, D7, D8, F_Order) VALUES "
                      "('%1', 'الخميس', '%2', '%3', '%4', '', '', '', '%5', 0)")
                  .arg(position)
                  .arg(date, grade, subject, period));
}

// A school of five grades, one name containing another's, with students and
// one exam day; the program started and the exam-control window opened.
class Minutes : public ExamWindowTest {
protected:
    void SetUp() override {
        ExamWindowTest::SetUp();
        platform::Clock::setToday(QDate(2024, 7, 11));
        home.exec("Schedual.db", "UPDATE MyInfo SET ThisYear = '1445/1446', "
                                 "ThisSemester = 'الفصل الثالث', ThisName = 'المدير', "
                                 "name_2 = 'المعد' WHERE id = 1");
        for (const auto& [grade, cls] : std::vector<std::pair<QString, QString>>{
                 {"ثالث", "1"}, {"ثالث", "11"}, {"رابع", "1"}, {"خامس", "1"}, {"خامس مطور", "1"}})
            home.exec("Schedual.db", QString("INSERT INTO grades (kind, grade, class, order_it) "
                                             "VALUES ('ابتدائي', '%1', '%2', 1)")
                                         .arg(grade, cls));
        addStudent(home, "ثالث", "1", "أحمد");
        addStudent(home, "ثالث", "1", "بدر", "NULL"); // no stage: never listed
        addStudent(home, "ثالث", "1", "خالد");
        addStudent(home, "ثالث", "1", "سعد");
        addStudent(home, "ثالث", "11", "فهد");
        addStudent(home, "خامس مطور", "1", "ماجد");
        addStudent(home, "خامس", "1", "ناصر");
        addScheduleRow(home, 3, "خامس", "لغتي", "الأولى");
        addScheduleRow(home, 1, "ثالث", "رياضيات", "الأولى");
        addScheduleRow(home, 10, "خامس مطور", "القرآن الكريم", "الأولى");
        addScheduleRow(home, 2, "رابع", "علوم", "الأولى");
        addScheduleRow(home, 1, "ثالث", "فقه", "الثانية");
        addScheduleRow(home, 1, "ثالث", "إملاء", "الأولى", "1446/01/06");

        ASSERT_NO_FATAL_FAILURE(openExamWindow());
    }
    void TearDown() override {
        // Nothing a preview showed was cut off.
        for (const report::LaidOutReport& r : sink_->shown)
            for (const report::ReportPage& page : r.pages)
                for (const report::DrawnItem& item : page.items) {
                    if (item.kind != report::DrawnItem::Kind::Text)
                        continue;
                    EXPECT_TRUE(report::textFits(item))
                        << r.layoutName.toStdString() << " " << item.control.toStdString();
                }
        // SIJILL_LOOK_DIR=folder keeps every preview as a PDF there, for looking at.
        if (const QString look = qEnvironmentVariable("SIJILL_LOOK_DIR"); !look.isEmpty()) {
            qputenv("SIJILL_PRINT_TO", look.toUtf8());
            for (const report::LaidOutReport& r : sink_->shown)
                report::printWithoutDialog(r);
            qunsetenv("SIJILL_PRINT_TO");
        }
        ExamWindowTest::TearDown();
    }

    SingleStudentChooser* chooseStudent(dates::MinutesKind kind, const QString& key, int student) {
        openStudentChooser(*w, kind);
        SingleStudentChooser* s = singleStudentChooser();
        EXPECT_NE(s, nullptr);
        if (!s)
            return nullptr;
        const int i = s->classPicker->findText(key);
        EXPECT_GE(i, 0) << key.toStdString();
        s->classPicker->setCurrentIndex(i);
        s->onClassChosen();
        s->studentPicker->setCurrentIndex(student);
        s->onStudentChosen();
        return s;
    }
    // Next, then the calendar's OK on today, as the calendar hands it over.
    void nextAndPickToday(SingleStudentChooser* s) {
        s->onNextClicked();
        dates::CalendarWindow* c = dates::calendarWindow();
        ASSERT_TRUE(c->hasOpenRequest());
        const dates::CalendarRequest request = c->request();
        c->onDayClicked(c->model().todayCell());
        c->onOkClicked();
        EXPECT_TRUE(showMinutesPanel(*w, request));
    }
    void printFor(const QString& period) {
        w->dayPeriodPicker->setCurrentIndex(w->dayPeriodPicker->findText(period));
        // A left click on the print panel's print image.
        const QPointF at(w->dayPrintButton->width() / 2.0, w->dayPrintButton->height() / 2.0);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(type, at, w->dayPrintButton->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(w->dayPrintButton, &e);
        }
    }
    QString shown(const QString& control) const {
        const report::DrawnItem* item = sink_->shown.back().pages.front().findControl(control);
        return item ? item->text : QString("<none>");
    }
    QStringList detail(const QString& control) const {
        QStringList out;
        for (const report::ReportPage& page : sink_->shown.back().pages)
            for (const report::DrawnItem& item : page.items)
                if (item.row >= 0 && item.control == control)
                    out << item.text;
        return out;
    }
    QStringList systemTexts() const {
        QStringList out;
        for (const auto& m : scope.systemShown)
            out << m.title + "|" + m.text;
        return out;
    }
};

TEST_F(Minutes, ChooserListsTheClassExactlyAndKeepsNamesAndItemsTogether) {
    const minutes::ChooserLoad third = minutes::loadChooserStudents(" ثالث - 1 ");
    ASSERT_FALSE(third.failed);
    ASSERT_EQ(third.students.size(), 3u); // not بدر (no stage), not فهد (class 11)
    EXPECT_EQ(third.students[2].name, "سعد");
    const QStringList parts = third.students[2].parts;
    EXPECT_EQ(parts.size(), 7);
    EXPECT_EQ(parts[0], "سعد");
    EXPECT_EQ(parts[4], "الابتدائي");
    EXPECT_EQ(parts[5], "ثالث");
    EXPECT_EQ(parts[6], "1");

    // "خامس" never takes in "خامس مطور".
    const minutes::ChooserLoad fifth = minutes::loadChooserStudents("خامس-1");
    ASSERT_EQ(fifth.students.size(), 1u);
    EXPECT_EQ(fifth.students[0].name, "ناصر");

    EXPECT_TRUE(minutes::loadChooserStudents("رابع-1").failed); // no students
    EXPECT_TRUE(minutes::loadChooserStudents("رابع").failed);   // no class part
    addStudent(home, "رابع", "1", "عمر");
    addStudent(home, "رابع", "1", ""); // a student without a name
    const minutes::ChooserLoad broken = minutes::loadChooserStudents("رابع-1");
    EXPECT_TRUE(broken.failed);
    ASSERT_EQ(broken.students.size(), 1u); // those read before the failure stay

    // A grade and class stored with blanks around them are still that class.
    addStudent(home, " رابع ", " 2 ", "زياد");
    EXPECT_EQ(minutes::loadChooserStudents("رابع-2").students.size(), 1u);
}

TEST_F(Minutes, ScheduleRowsMatchDatePeriodAndGradeExactly) {
    const data::RecordSet all = minutes::dayPeriodRows(kToday, "الأولى");
    ASSERT_EQ(all.recordCount(), 4);
    // By grade position as a number: 10 comes after 3.
    EXPECT_EQ(all.text(0, "D3"), "ثالث");
    EXPECT_EQ(all.text(3, "D3"), "خامس مطور");
    const data::RecordSet fifth = minutes::dayPeriodRows(kToday, "الأولى", QString("خامس"));
    ASSERT_EQ(fifth.recordCount(), 1);
    EXPECT_EQ(fifth.text(0, "D4"), "لغتي");
    EXPECT_EQ(minutes::dayPeriodRows("1446/01/0", "الأولى").recordCount(), 0);
    EXPECT_EQ(minutes::dayPeriodRows(kToday, "الثانية", QString("رابع")).recordCount(), 0);
    addScheduleRow(home, 2, " رابع ", "علوم", "الثانية");
    EXPECT_EQ(minutes::dayPeriodRows(kToday, "الثانية", QString("رابع")).recordCount(), 1);
    // Text from a user never becomes SQL.
    EXPECT_EQ(minutes::dayPeriodRows("' OR '1'='1", "الأولى").recordCount(), 0);
    EXPECT_EQ(minutes::scheduleGradeOfKey(" ثالث ابتدائي-2"), "ثالث");

    const std::optional<minutes::FoundDay> found = minutes::firstRow(fifth);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->day, "الخميس   " + kToday);
    EXPECT_EQ(found->period, "الأولى");
}

TEST_F(Minutes, ChooserOpensOverTheDisabledWindowAndHandsOverToTheCalendar) {
    const int mainIndex = form->classPicker->currentIndex();
    openStudentChooser(*w, dates::MinutesKind::Cheating);
    SingleStudentChooser* s = singleStudentChooser();
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->isVisible());
    EXPECT_FALSE(w->isEnabled());
    EXPECT_TRUE(w->paperOptions[1]->isChecked());
    EXPECT_EQ(test::comboItems(s->classPicker), test::comboItems(form->classPicker));
    EXPECT_EQ(form->classPicker->currentIndex(), mainIndex);
    EXPECT_EQ(test::comboItems(s->studentPicker), (QStringList{"أحمد", "خالد", "سعد"}));
    EXPECT_EQ(s->studentItems->currentRow(), 0);

    s->studentPicker->setCurrentIndex(2);
    s->onStudentChosen();
    EXPECT_EQ(s->studentParts().value(0), "سعد");
    if (const QString look = qEnvironmentVariable("SIJILL_LOOK_DIR"); !look.isEmpty())
        s->grab().save(look + "/SingleStudentChooser.png");

    s->onNextClicked();
    EXPECT_FALSE(s->isVisible());
    EXPECT_TRUE(w->studentMinutesWaiting->isChecked());
    dates::CalendarWindow* c = dates::calendarWindow();
    ASSERT_TRUE(c->hasOpenRequest());
    EXPECT_EQ(c->request().purpose, dates::CalendarPurpose::StudentMinutes);
    EXPECT_EQ(c->request().minutes, dates::MinutesKind::Cheating);
    EXPECT_FALSE(w->isEnabled());

    // Closing the calendar drops the waiting minutes; the next opening finds
    // the same class and student, without a reload.
    const dates::CalendarRequest request = c->request();
    c->onCloseClicked();
    EXPECT_TRUE(dropMinutesRequest(*w, request));
    EXPECT_FALSE(w->studentMinutesWaiting->isChecked());
    openStudentChooser(*w, dates::MinutesKind::Absence);
    EXPECT_EQ(singleStudentChooser(), s);
    EXPECT_EQ(s->studentPicker->currentText(), "سعد");
    EXPECT_EQ(s->studentParts().value(0), "سعد");

    // The close box enables the exam-control window and unloads the chooser.
    s->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(singleStudentChooser(), nullptr);
}

TEST_F(Minutes, ClassWithoutStudentsIsReportedAndLeavesTheListsEmpty) {
    openStudentChooser(*w, dates::MinutesKind::Absence);
    SingleStudentChooser* s = singleStudentChooser();
    s->classPicker->setCurrentIndex(s->classPicker->findText("رابع-1"));
    scope.dialogs().answer("موافق");
    s->onClassChosen();
    ASSERT_FALSE(scope.dialogs().shown.empty());
    EXPECT_EQ(scope.dialogs().shown.back().text, minutes::texts::kStudentsFailed);
    EXPECT_EQ(s->studentPicker->count(), 0);
    EXPECT_EQ(s->studentItems->count(), 0);

    // Printing with no student chosen fails without a preview.
    w->setEnabled(true);
    w->pickedDateLabel->setText(kToday);
    w->paperOptions[0]->setChecked(true);
    printFor("الأولى");
    EXPECT_TRUE(sink_->shown.empty());
    EXPECT_EQ(systemTexts(), (QStringList{minutes::texts::kScheduleFailedTitle + "|" +
                                          minutes::texts::kDayFailed}));
}

TEST_F(Minutes, AbsenceMinutesPrintTheStudentAndTheScheduleOfTheDay) {
    SingleStudentChooser* s = chooseStudent(dates::MinutesKind::Absence, "ثالث-1", 1);
    nextAndPickToday(s);
    EXPECT_FALSE(w->studentMinutesWaiting->isChecked());
    EXPECT_TRUE(w->isEnabled());
    EXPECT_FALSE(w->dayPrintPanel->isHidden());
    EXPECT_TRUE(w->dayGradePicker->isHidden());
    EXPECT_EQ(w->pickedDateLabel->text(), kToday);
    if (const QString look = qEnvironmentVariable("SIJILL_LOOK_DIR"); !look.isEmpty())
        w->dayPrintPanel->grab().save(look + "/Picture4.png");

    printFor("الأولى");
    ASSERT_EQ(sink_->shown.size(), 1u);
    EXPECT_EQ(sink_->shown.back().layoutName, "ExamAbce");
    EXPECT_EQ(shown("Name"), "خالد");
    EXPECT_EQ(shown("Class1"), "الابتدائي ثالث");
    EXPECT_EQ(shown("Class2"), "1");
    EXPECT_EQ(shown("Day"), "الخميس   " + kToday);
    EXPECT_EQ(shown("Period"), "الأولى");
    EXPECT_EQ(shown("Subject"), "الرياضيات");
    EXPECT_EQ(shown("kl5"), handover_texts::kYearPrefix + "1445/1446");
    EXPECT_EQ(shown("Class"), "الفصل الثالث");
    EXPECT_EQ(shown("Kl7"), "المدير");
    EXPECT_EQ(shown("kl8"), "المعد");
    EXPECT_EQ(shown("SeatNo"), "(              )");

    // The panel stays: the second period prints the other subject.
    printFor("الثانية");
    ASSERT_EQ(sink_->shown.size(), 2u);
    EXPECT_EQ(shown("Subject"), "الفقه");
    EXPECT_TRUE(scope.systemShown.empty());
}

TEST_F(Minutes, CheatingMinutesMatchTheGradeExactlyAndReportAMissingPeriod) {
    SingleStudentChooser* s = chooseStudent(dates::MinutesKind::Cheating, "خامس مطور-1", 0);
    nextAndPickToday(s);
    printFor("الأولى");
    ASSERT_EQ(sink_->shown.size(), 1u);
    EXPECT_EQ(sink_->shown.back().layoutName, "ExamCheat");
    EXPECT_EQ(shown("Name"), "ماجد");
    // Not خامس's subject; a subject that begins with the article keeps it once.
    EXPECT_EQ(shown("Subject"), "القرآن الكريم");

    printFor("الثانية");
    EXPECT_EQ(sink_->shown.size(), 1u);
    EXPECT_EQ(systemTexts(), (QStringList{minutes::texts::kScheduleFailedTitle + "|" +
                                          minutes::texts::kDayFailed}));
}

TEST_F(Minutes, QuestionsOfADayListEveryGradeOfThePeriod) {
    w->paperOptions[2]->setChecked(true);
    w->pickedDateLabel->setText("  " + kToday + " ");
    EXPECT_TRUE(showMinutesPanel(
        *w, dates::CalendarRequest::examPrint(dates::ExamPrintKind::QuestionsOpeningOfDay)));
    EXPECT_TRUE(w->dayGradePicker->isHidden());
    printFor("الأولى");
    EXPECT_EQ(w->pickedDateLabel->text(), kToday);
    ASSERT_EQ(sink_->shown.size(), 1u);
    EXPECT_EQ(sink_->shown.back().layoutName, "ExamQuestions");
    EXPECT_EQ(detail("Text1"), (QStringList{"رياضيات", "علوم", "لغتي", "القرآن الكريم"}));
    EXPECT_EQ(detail("Text2"), (QStringList{"ثالث", "رابع", "خامس", "خامس مطور"}));
    EXPECT_EQ(shown("Day"), "الخميس   " + kToday);
    EXPECT_EQ(shown("Period"), "الأولى");
    EXPECT_EQ(shown("Time"), "(                     )");

    // An empty subject in the first row, or no row, shows nothing.
    home.exec("Schedual.db", "UPDATE T1 SET D4 = '' WHERE D3 = 'ثالث' AND D8 = 'الثانية'");
    printFor("الثانية");
    w->pickedDateLabel->setText("1446/01/07");
    printFor("الأولى");
    EXPECT_EQ(sink_->shown.size(), 1u);
    EXPECT_EQ(scope.systemShown.size(), 2u);
}

TEST_F(Minutes, QuestionsOfOneSubjectTakeTheGradeOfThePanel) {
    w->paperOptions[3]->setChecked(true);
    w->pickedDateLabel->setText(kToday);
    EXPECT_TRUE(showMinutesPanel(
        *w, dates::CalendarRequest::examPrint(dates::ExamPrintKind::QuestionsOpeningOfSubject)));
    EXPECT_FALSE(w->dayGradePicker->isHidden());
    w->dayGradePicker->setCurrentIndex(w->dayGradePicker->findText("خامس"));
    printFor("الأولى");
    ASSERT_EQ(sink_->shown.size(), 1u);
    EXPECT_EQ(sink_->shown.back().layoutName, "ExamQueSub");
    EXPECT_EQ(shown("Class1"), "خامس");
    EXPECT_EQ(shown("subject"), "لغتي");
    w->dayGradePicker->setCurrentIndex(w->dayGradePicker->findText("خامس مطور"));
    printFor("الأولى");
    ASSERT_EQ(sink_->shown.size(), 2u);
    EXPECT_EQ(shown("subject"), "القرآن الكريم");
    sink_->shown.pop_back();

    w->dayGradePicker->setCurrentIndex(w->dayGradePicker->findText("رابع"));
    printFor("الثانية");
    EXPECT_EQ(sink_->shown.size(), 1u);
    EXPECT_EQ(systemTexts(), (QStringList{minutes::texts::kScheduleFailedTitle + "|" +
                                          minutes::texts::kSubjectFailed}));
    EXPECT_FALSE(showMinutesPanel(*w, dates::CalendarRequest::examDayDate(0)));
}

TEST(MinutesSubject, TheArticleGoesOnlyBeforeASingleWordWithoutOne) {
    const std::pair<QString, QString> cases[] = {
        {"رياضيات", "الرياضيات"},
        {" علوم ", "العلوم"},
        {"العلوم", "العلوم"},
        {"لغتي", "لغتي"},
        {" لغتي الجميلة ", "لغتي الجميلة"},
        {"تربية بدنية", "تربية بدنية"},
        {"القرآن الكريم", "القرآن الكريم"},
        {"  ", ""},
    };
    for (const auto& [stored, printed] : cases)
        EXPECT_EQ(minutes::withArticle(stored), printed) << stored.toStdString();
}

// Separators inside class and student names move no value of a student, and
// a class key finds its own class in the list.
TEST(OddNamesMinutes, ChooserKeepsEachStudentsValuesWhateverTheNamesHold) {
    test::TestHome home;
    test::seedOddNamesSchool(home);
    const minutes::ChooserLoad first = minutes::loadChooserStudents("أول-1");
    ASSERT_FALSE(first.failed);
    ASSERT_EQ(first.students.size(), 2u);
    EXPECT_EQ(first.students[1].parts,
              QStringList({"خالد:الأول", "051002", "1002", "1", "الابتدائي", "أول", "1"}));
    const minutes::ChooserLoad dashed = minutes::loadChooserStudents("أول-1-أ");
    ASSERT_EQ(dashed.students.size(), 2u);
    EXPECT_EQ(dashed.students[0].parts,
              QStringList({"علي|حسن", "051003", "1003", "1", "الابتدائي", "أول", "1-أ"}));
    const minutes::ChooserLoad odd = minutes::loadChooserStudents("أول-%1 & <ج>");
    ASSERT_EQ(odd.students.size(), 2u);
    EXPECT_EQ(odd.students[1].parts,
              QStringList({" ناصر ١٢ ", "051008", "1008", "1", "الابتدائي", "أول", "%1 & <ج>"}));
    EXPECT_EQ(minutes::scheduleGradeOfKey("أول-1:ب"), "أول");

    const QStringList keys = shell::loadClassKeys();
    EXPECT_EQ(labels::findClass("أول-1", keys)->position, 1);
    EXPECT_EQ(labels::findClass("أول-1-أ", keys)->position, 2);
    EXPECT_EQ(labels::findClass("أول-1:ب", keys)->position, 3);
    EXPECT_EQ(labels::findClass("ثاني- 2|\"د\" ", keys)->position, 4);
    // Each class's seats are numbered after the classes before it in its grade.
    EXPECT_EQ(labels::gradeNumberingStart(keys, 3, "|2|2|2|2|1", {}), 6);
    EXPECT_EQ(labels::gradeNumberingStart(keys, 4, "|2|2|2|2|1", {}), 0);
}

// Each item that opens the print panel leaves its paper there: choosing
// another item meanwhile (its calendar closed unanswered) changes nothing.
TEST_F(Minutes, ThePanelPrintsThePaperItWasOpenedFor) {
    QTemporaryDir folder;
    test::EnvScope printTo("SIJILL_PRINT_TO", folder.path().toUtf8());
    auto pickToday = [] {
        dates::CalendarWindow* c = dates::calendarWindow();
        c->onDayClicked(c->model().todayCell());
        c->onOkClicked();
    };
    auto chooseAnotherItem = [this](int item) {
        w->onPrintMenuItemClicked(item);
        dates::calendarWindow()->onCloseClicked();
        ASSERT_TRUE(w->isEnabled());
    };
    struct Case {
        int item;
        QString grade; // for the student's class or the panel's grade list
        QString layout;
        int other;
    };
    const std::vector<Case> cases = {{3, "ثالث-1", "ExamAbce", 7},
                                     {4, "خامس مطور-1", "ExamCheat", 8},
                                     {5, {}, "ExamQuestions", 12},
                                     {6, "خامس مطور", "ExamQueSub", 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        w->onPrintMenuItemClicked(c.item);
        if (c.item == 3 || c.item == 4) {
            SingleStudentChooser* s = singleStudentChooser();
            ASSERT_NE(s, nullptr);
            s->classPicker->setCurrentIndex(s->classPicker->findText(c.grade));
            s->onClassChosen();
            s->onNextClicked();
        }
        pickToday();
        ASSERT_FALSE(w->dayPrintPanel->isHidden());
        EXPECT_EQ(w->panelBanners[1]->property("banner").toString(),
                  w->printMenuItems[c.item]->text());
        EXPECT_EQ(w->dayGradePicker->isHidden(), c.item != 6);
        if (c.item == 6)
            w->dayGradePicker->setCurrentIndex(w->dayGradePicker->findText(c.grade));
        chooseAnotherItem(c.other);
        const std::size_t before = sink_->shown.size();
        printFor("الأولى");
        ASSERT_EQ(sink_->shown.size(), before + 1);
        EXPECT_EQ(sink_->shown.back().layoutName, c.layout);
        const report::PrintOutcome job = report::printWithoutDialog(sink_->shown.back());
        EXPECT_TRUE(QFileInfo(job.file).fileName().endsWith("-" + c.layout + ".pdf"))
            << job.file.toStdString();
        EXPECT_TRUE(QFileInfo::exists(job.file));
        if (c.item == 4) {
            EXPECT_EQ(shown("Subject"), "القرآن الكريم");
        } else if (c.item == 6) {
            EXPECT_EQ(shown("subject"), "القرآن الكريم");
        }
        w->onCloseDayPanelClicked();
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 4);
    EXPECT_TRUE(scope.systemShown.empty());
}

} // namespace
} // namespace sijill::exams
