#include "platform/AppState.h"
#include "platform/Twips.h"
#include "report/LayoutLibrary.h"
#include "reports/MainWindowRunHost.h"
#include "reports/NameListItems.h"
#include "reports/PrintRun.h"
#include "reports/ReportsTestSupport.h"
#include "reports/RunProgressStrip.h"
#include "shell/ShellTestSupport.h"
#include "support/EnvScope.h"
#include "support/PrivateSpooler.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::reports;
using sijill::test::backOf;
using sijill::test::kCancel;
using sijill::test::kOk;
using sijill::test::PrintDesk;
using sijill::test::TestHome;

namespace {

QString layoutOfItem(int i) {
    return nameListItem(i).layout;
}

// The jobs' texts as pdftotext reads them.
QStringList jobTexts(const PrintDesk& desk) {
    QStringList out;
    for (const QString& f : desk.jobs())
        out << test::pdfText(f);
    return out;
}

// True when `text` holds every one of `parts`, in this order.
bool inOrder(const QString& text, const QStringList& parts) {
    qsizetype from = 0;
    for (const QString& p : parts) {
        from = text.indexOf(p, from);
        if (from < 0)
            return false;
        from += p.size();
    }
    return true;
}

} // namespace

TEST(NameListMenu, ItemsStandInTheirPanelsWithHeadingsAndHoverColours) {
    TestHome home;
    test::seedSchool(home);
    PrintDesk desk(home);
    NameListMenu& m = *desk.menu;
    ASSERT_EQ(m.items.size(), 19u);
    for (const NameListItem& item : nameListItems()) {
        SCOPED_TRACE(item.index);
        QLabel* label = m.items[item.index];
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->parentWidget(), desk.form.printTabPanels[item.panel]);
        EXPECT_EQ(label->y(), platform::twips(item.top));
        EXPECT_EQ(label->height(), platform::twips(420));
        EXPECT_EQ(label->text(), item.caption);
        EXPECT_EQ(backOf(label), QColor("#DEDEDE"));
        // Inside its panel, whole.
        EXPECT_TRUE(label->parentWidget()->rect().contains(label->geometry()));
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(item.caption));
    }
    EXPECT_EQ(m.headings[2]->parentWidget(), desk.form.printTabPanels[0]);
    EXPECT_EQ(m.headings[2]->text(), "عام");
    EXPECT_EQ(m.headings[3]->text(), "يومي");
    EXPECT_EQ(m.headings[4]->parentWidget(), desk.form.printTabPanels[3]);
    EXPECT_EQ(m.headings[4]->text(), "فترة مواد معينة");
    EXPECT_EQ(m.exportStrip->parentWidget(), desk.form.printTabPanels[0]);
    EXPECT_EQ(m.exportStrip->y(), platform::twips(3000));

    // An item of the mark-sheet menu shares the highlight.
    auto* markItem = new QLabel("x", desk.form.printTabPanels[3]);
    markItem->setObjectName("markSheetItem2");
    test::hover(m.items[9]);
    EXPECT_EQ(backOf(m.items[9]), QColor("#A7C7EC"));
    m.highlightItem(2); // as the mark-sheet menu leaves it, highlighted
    markItem->setPalette(m.items[2]->palette());
    test::hover(m.items[10]);
    for (int i = 0; i < 19; ++i)
        EXPECT_EQ(backOf(m.items[i]), QColor(i == 10 ? "#A7C7EC" : "#DEDEDE")) << i;
    EXPECT_EQ(backOf(markItem), QColor("#DEDEDE"));
}

TEST(NameListMenu, WithoutTheAttendanceFollowUpTheAbsenceItemDoesNothing) {
    TestHome home;
    test::seedSchool(home);
    PrintDesk desk(home);
    desk.pick("أول-1");
    desk.click(15);
    EXPECT_TRUE(desk.previews().empty());
    EXPECT_TRUE(desk.jobs().isEmpty());
    EXPECT_TRUE(desk.dialogs().shown.empty());
    EXPECT_TRUE(desk.form.isEnabled());
    EXPECT_FALSE(appState().AbsenceMonthMode);
}

TEST(NameListMenu, OneClassIsPreviewedWithItsHeaderAndStudentsInNumberOrder) {
    TestHome home;
    test::seedSchool(home);
    PrintDesk desk(home);
    desk.pick("أول-1");
    desk.click(2);
    ASSERT_EQ(desk.previews().size(), 1u);
    const report::LaidOutReport& r = desk.previews()[0];
    EXPECT_EQ(r.layoutName, "StudentsNames");
    EXPECT_EQ(r.className, "أول-1"); // its print job names the class
    EXPECT_EQ(test::firstText(r, "Class"), " أول [ 1  ] ");
    EXPECT_EQ(test::firstText(r, "kl1"), "المملكة العربية السعودية");
    EXPECT_EQ(test::firstText(r, "kl2"), "وزارة التعليم");
    EXPECT_EQ(test::firstText(r, "kl3"), "إدارة تعليم الرياض");
    EXPECT_EQ(test::firstText(r, "kl4"), "مدرسة النور الابتدائية");
    EXPECT_EQ(test::firstText(r, "kl5"), "1447");
    EXPECT_EQ(test::controlTexts(r, "Text1"), QStringList({"01", "02", "10"}));
    EXPECT_EQ(test::controlTexts(r, "Text3"), QStringList({"يوسف خالد", "بدر سالم", "أحمد علي"}));
    EXPECT_TRUE(desk.jobs().isEmpty());
    EXPECT_TRUE(desk.dialogs().shown.empty());
    EXPECT_EQ(desk.form.classPicker->currentText(), "أول-1");
    EXPECT_EQ(desk.menu->classData().HeaderGradeText, " أول");
    EXPECT_EQ(desk.menu->classData().HeaderClassText, "1");
    EXPECT_EQ(desk.menu->classData().exports.NameListIndex, 2);
    EXPECT_FALSE(appState().PrintBatchActive);
    EXPECT_TRUE(desk.form.classPicker->isEnabled());

    // The preview keeps the rows it opened with; the next class is its own.
    desk.pick("أول-2");
    desk.click(2);
    ASSERT_EQ(desk.previews().size(), 2u);
    EXPECT_EQ(test::controlTexts(desk.previews()[0], "Text3").size(), 3);
    EXPECT_EQ(test::controlTexts(desk.previews()[1], "Text3"),
              QStringList({"زياد فهد", "سامي محمد"}));
    EXPECT_EQ(test::firstText(desk.previews()[1], "Class"), " أول [ 2  ] ");
}

TEST(NameListMenu, EachItemPreviewsItsLayoutWithItsPreparation) {
    TestHome home;
    test::seedSchool(home);
    PrintDesk desk(home);
    desk.pick("أول-1");
    const QString expected[] = {"Quran1",     "Quran",      "StudentsNames", "Weeks4", "Weeks",
                                "Land30",     "SNamesLand", "Lang2",         "Weeks4", "Quran1",
                                "AbcentWeek", "FollowUp",   "MyLangUnit",    "Books",  "General"};
    // 9 before 0 and 8 before 3: the shared layouts go back to their own
    // headings.
    const int order[] = {9, 0, 8, 3, 1, 2, 4, 5, 6, 7, 10, 11, 12, 13, 14};
    std::map<int, report::LaidOutReport> shown;
    for (int i : order) {
        desk.click(i);
        ASSERT_FALSE(desk.previews().empty());
        shown[i] = desk.previews().back();
    }
    ASSERT_EQ(desk.previews().size(), 15u);
    for (int i = 0; i <= 14; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(shown[i].layoutName, expected[i]);
        EXPECT_EQ(layoutOfItem(i), expected[i]);
        EXPECT_EQ(test::controlTexts(shown[i], "Text3"),
                  QStringList({"يوسف خالد", "بدر سالم", "أحمد علي"}));
    }
    // 9: the phone directory.
    EXPECT_EQ(test::firstText(shown[9], "Label18"), "دليل الهاتف");
    EXPECT_EQ(test::controlTexts(shown[9], "Text2"),
              QStringList({"0550000001", "0550000002", "0550000010"}));
    for (int l = 6; l <= 17; ++l)
        EXPECT_EQ(test::firstText(shown[9], QString("Label%1").arg(l)), "") << l;
    EXPECT_EQ(test::firstText(shown[9], "Label4"), "م");
    EXPECT_EQ(test::firstText(shown[9], "Label5"), "الاسم");
    // 0: the Quran sheet, with its own title and headings and no phones.
    EXPECT_EQ(test::firstText(shown[0], "Label18"), "كشف متابعةالتقويم لمادة القرآن الكريم");
    EXPECT_TRUE(test::controlTexts(shown[0], "Text2").isEmpty());
    EXPECT_EQ(test::firstText(shown[0], "Label6"), "صحة القراءة");
    EXPECT_EQ(test::firstText(shown[0], "Label1"), "القرآن الكريم");
    // 8: participation headings, centred; 3: the weeks.
    const QString participation[] = {"المشاركة", "الواجب", "إحضار الكتاب والسجل", "أخرى"};
    for (int l = 1; l <= 4; ++l) {
        const QString name = QString("L%1").arg(l);
        EXPECT_EQ(test::firstText(shown[8], name), participation[l - 1]);
        EXPECT_TRUE(shown[8].pages[0].findControl(name)->flags & Qt::AlignHCenter);
        EXPECT_EQ(test::firstText(shown[3], name), "الأسبوع");
    }
    EXPECT_EQ(shown[3].orientation, report::Orientation::Landscape);
    EXPECT_EQ(shown[3].previewWidth, 16700);
    EXPECT_EQ(shown[2].orientation, report::Orientation::Portrait);
    EXPECT_EQ(test::firstText(shown[13], "Label1"), "كشف باستلام الكتب");
    EXPECT_EQ(test::controlTexts(shown[13], "Text2").size() +
                  test::controlTexts(shown[13], "Text4").size() +
                  test::controlTexts(shown[13], "Text3").size(),
              6u); // civil numbers and names
    EXPECT_TRUE(desk.jobs().isEmpty());
}

TEST(NameListMenu, WholeSchoolAsksOnceThenPrintsEveryClassInListOrder) {
    TestHome home;
    test::seedSchool(home);
    PrintDesk desk(home);
    desk.pick("أول-2");
    desk.form.wholeSchoolCheck->click();
    desk.dialogs().answer(kOk);
    desk.click(13);
    ASSERT_EQ(desk.dialogs().shown.size(), 1u);
    EXPECT_EQ(desk.dialogs().shown[0].text, kAskWholeSchool);
    EXPECT_EQ(desk.dialogs().shown[0].mode, 2);
    const QStringList jobs = desk.jobs();
    ASSERT_EQ(jobs.size(), 3);
    EXPECT_TRUE(jobs[0].endsWith("0001-Books.pdf"));
    EXPECT_TRUE(desk.previews().empty());
    EXPECT_EQ(desk.form.classPicker->currentText(), "ثاني-1");
    EXPECT_FALSE(appState().PrintBatchActive);
    EXPECT_EQ(desk.menu->lastRun().printed, QStringList({"أول-1", "أول-2", "ثاني-1"}));
    if (!test::havePdfText())
        GTEST_SKIP() << "pdftotext is not installed";
    const QStringList texts = jobTexts(desk);
    EXPECT_TRUE(inOrder(texts[0], {"1100000001", "1100000002", "1100000010"}))
        << texts[0].toStdString();
    EXPECT_FALSE(texts[0].contains("11000002"));
    EXPECT_TRUE(inOrder(texts[1], {"1100000201", "1100000202"}));
    EXPECT_TRUE(texts[2].contains("1100000301"));
    EXPECT_FALSE(texts[2].contains("1100000001"));
}

TEST(NameListMenu, CancelOrAClosedQuestionPrintsNothing) {
    TestHome home;
    test::seedSchool(home);
    PrintDesk desk(home);
    desk.pick("أول-1");
    desk.form.wholeSchoolCheck->click();
    desk.dialogs().answer(kCancel);
    desk.click(2);
    desk.dialogs().answer(test::ScriptedDialogs::kClose);
    desk.click(2);
    desk.form.wholeGradeCheck->click();
    EXPECT_FALSE(desk.form.wholeSchoolCheck->isChecked());
    desk.dialogs().answer(test::ScriptedDialogs::kClose);
    desk.click(2);
    EXPECT_EQ(desk.dialogs().shown.size(), 3u);
    EXPECT_EQ(desk.dialogs().shown[2].text, kAskWholeGrade + "أول");
    EXPECT_TRUE(desk.jobs().isEmpty());
    EXPECT_TRUE(desk.previews().empty());
    EXPECT_FALSE(appState().PrintBatchActive);
}

TEST(NameListMenu, WholeGradeStartsAtTheGradesFirstClassWhateverTheirNumbers) {
    TestHome home;
    test::finishProfile(home);
    test::addClass(home, "أول", "1");
    for (const char* cls : {"2", "10", "5"})
        test::addClass(home, "ثالث", cls, 3);
    test::addClass(home, "ثاني", "1", 2);
    for (const char* cls : {"1", "2", "5", "10"})
        test::addPupil(home, {"ثالث", cls, "01", "طالب", "", QString("33000000%1").arg(cls)});
    test::addPupil(home, {"أول", "1", "01", "طالب", "", "1111111111"});
    test::addPupil(home, {"ثاني", "1", "01", "طالب", "", "2222222222"});
    PrintDesk desk(home);
    ASSERT_EQ(desk.form.classPicker->itemText(1), "ثالث-10");
    desk.pick("ثالث-5");
    desk.form.wholeGradeCheck->click();
    desk.dialogs().answer(kOk);
    desk.click(14);
    ASSERT_EQ(desk.dialogs().shown.size(), 1u);
    EXPECT_EQ(desk.dialogs().shown[0].text, kAskWholeGrade + "ثالث");
    EXPECT_EQ(desk.menu->lastRun().printed, QStringList({"ثالث-10", "ثالث-2", "ثالث-5"}));
    ASSERT_EQ(desk.jobs().size(), 3);
    EXPECT_EQ(desk.form.classPicker->currentText(), "ثاني-1");
    if (!test::havePdfText())
        GTEST_SKIP() << "pdftotext is not installed";
    const QStringList texts = jobTexts(desk);
    EXPECT_TRUE(texts[0].contains("3300000010"));
    EXPECT_TRUE(texts[1].contains("330000002"));
    EXPECT_FALSE(texts[1].contains("3300000010"));
    EXPECT_TRUE(texts[2].contains("330000005"));
}

TEST(NameListMenu, ItemsZeroAndThreePrintTheirStoredHeadingsAfterNineAndEight) {
    TestHome home;
    test::seedSchool(home);
    PrintDesk desk(home);
    desk.pick("ثاني-1"); // the grade's only class: one page a run
    desk.form.wholeGradeCheck->click();
    report::ReportLayout& quran1 = report::layout("Quran1");
    report::ReportLayout& weeks4 = report::layout("Weeks4");
    int printed = 0;
    for (int i : {9, 0, 8, 3}) {
        desk.pick("ثاني-1");
        desk.dialogs().answer(kOk);
        desk.click(i);
        ASSERT_EQ(desk.jobs().size(), ++printed);
        // The layout as it was printed.
        switch (i) {
        case 9:
            EXPECT_EQ(quran1.control("Label18").caption, "دليل الهاتف");
            EXPECT_TRUE(quran1.control("Text2").visible);
            break;
        case 0:
            EXPECT_EQ(quran1.control("Label18").caption, "كشف متابعةالتقويم لمادة القرآن الكريم");
            EXPECT_FALSE(quran1.control("Text2").visible);
            EXPECT_EQ(quran1.control("Label6").caption, "صحة القراءة");
            EXPECT_EQ(quran1.control("Label17").caption, "50");
            break;
        case 8:
            EXPECT_EQ(weeks4.control("L4").caption, "أخرى");
            break;
        case 3:
            for (const char* l : {"L1", "L2", "L3", "L4"}) {
                EXPECT_EQ(weeks4.control(l).caption, "الأسبوع");
                EXPECT_NE(weeks4.control(l).alignment, report::TextAlign::Center);
            }
            break;
        }
    }
    EXPECT_TRUE(desk.jobs()[0].endsWith("-Quran1.pdf"));
    EXPECT_TRUE(desk.jobs()[3].endsWith("-Weeks4.pdf"));
    EXPECT_EQ(desk.dialogs().shown.size(), 4u);
}

TEST(NameListMenu, AClickDuringARunStartsNoSecondRunAndTheScopeCannotChange) {
    TestHome home;
    test::seedSchool(home);
    PrintDesk desk(home);
    desk.pick("أول-1");
    desk.form.wholeSchoolCheck->click();
    desk.dialogs().answer(kOk);
    // Events that arrive during the run's first wait.
    QLabel* other = desk.menu->items[2];
    const QPointF at(other->width() / 2.0, other->height() / 2.0);
    QCoreApplication::postEvent(other, new QMouseEvent(QEvent::MouseButtonRelease, at,
                                                       other->mapToGlobal(at), Qt::LeftButton,
                                                       Qt::NoButton, Qt::NoModifier));
    bool comboEnabled = true, scopeEnabled = true;
    QString progress;
    QTimer::singleShot(0, [&] {
        comboEnabled = desk.form.classPicker->isEnabled();
        scopeEnabled =
            desk.form.wholeSchoolCheck->isEnabled() || desk.form.wholeGradeCheck->isEnabled();
        // The frameless main window shows the run's progress on a strip.
        if (auto* strip = desk.form.findChild<RunProgressStrip*>())
            if (strip->isVisibleTo(&desk.form))
                progress = strip->text();
    });
    desk.click(13);
    EXPECT_EQ(desk.dialogs().shown.size(), 1u);
    EXPECT_EQ(desk.jobs().size(), 3);
    EXPECT_TRUE(desk.previews().empty());
    EXPECT_FALSE(comboEnabled);
    EXPECT_FALSE(scopeEnabled);
    EXPECT_EQ(progress, runProgressText(1, 3, "أول-1", desk.menu->items[13]->text()));
    EXPECT_EQ(desk.form.findChild<RunProgressStrip*>(), nullptr);
    EXPECT_TRUE(desk.form.classPicker->isEnabled());
    EXPECT_TRUE(desk.form.wholeSchoolCheck->isEnabled());
    EXPECT_EQ(desk.menu->classData().exports.NameListIndex, 13);
}

TEST(NameListMenu, AClassThatCannotBeLoadedIsToldAndNothingIsShown) {
    TestHome home;
    test::seedSchool(home);
    PrintDesk desk(home);
    desk.pick("أول-1");
    desk.click(2);
    ASSERT_EQ(desk.previews().size(), 1u);
    QFile::remove(home.database("MyDatabase.db"));
    desk.dialogs().answer(kOk);
    desk.click(2);
    EXPECT_EQ(desk.previews().size(), 1u);
    ASSERT_EQ(desk.dialogs().shown.size(), 1u);
    EXPECT_TRUE(desk.dialogs().shown[0].text.contains("MyDatabase.db"));
    EXPECT_EQ(desk.menu->classData().ClassRecordset.recordCount(), 0);

    // Over the whole school every class fails; they are told once, at the end.
    desk.form.wholeSchoolCheck->click();
    desk.dialogs().answer(kOk);
    desk.dialogs().answer(kOk);
    desk.click(2);
    EXPECT_TRUE(desk.jobs().isEmpty());
    ASSERT_EQ(desk.dialogs().shown.size(), 3u);
    EXPECT_TRUE(desk.dialogs().shown[2].text.contains("ثاني-1"));
}

namespace {

using test::DocumentsUser;

// Starts a whole-school run from أول-1, both questions answered OK.
void startWholeSchool(PrintDesk& desk) {
    desk.pick("أول-1");
    desk.form.wholeSchoolCheck->click();
    desk.dialogs().answer(kOk);
    desk.dialogs().answer(kOk);
}

} // namespace

TEST(NameListMenu, WithoutAPrinterTheUserIsToldOnceWhereThePagesWent) {
    TestHome home;
    test::seedSchool(home);
    PrintDesk desk(home);
    DocumentsUser user;
    startWholeSchool(desk);
    desk.click(14);
    const QStringList pdfs =
        QDir(user.filePath("Documents/Sijill")).entryList({"*.pdf"}, QDir::Files);
    // Each file is named by its sheet and class, as its job is.
    EXPECT_TRUE(pdfs.contains(QStringLiteral("كشف عام - أول-1.pdf")))
        << pdfs.join(' ').toStdString();
    EXPECT_EQ(pdfs.size(), 3);
    ASSERT_EQ(desk.dialogs().shown.size(), 2u);
    EXPECT_EQ(desk.dialogs().shown[0].text, kAskWholeSchool);
    EXPECT_EQ(desk.dialogs().shown[1].text,
              noPrinterMessage(user.filePath("Documents/Sijill/كشف عام - أول-1.pdf")));
    EXPECT_TRUE(desk.dialogs().shown[1].text.contains(user.filePath("Documents/Sijill")));
    EXPECT_EQ(desk.menu->lastRun().printed.size(), 3);
}

// A whole-school run on a printer that rejects jobs counts no class as
// printed, tells once which classes did not print and why, naming the folder
// that keeps their pages.
TEST(NameListMenu, APrinterThatRejectsJobsPrintsNothingAndKeepsThePages) {
    test::PrivateSpooler spooler;
    if (!spooler.running())
        GTEST_SKIP() << "no private cupsd: " << spooler.why().toStdString();
    ASSERT_TRUE(test::addRejectingDefault(spooler, "Office"));
    TestHome home;
    test::seedSchool(home);
    PrintDesk desk(home);
    DocumentsUser user;
    startWholeSchool(desk);
    desk.click(14);
    // The run's progress strip is gone with the run.
    EXPECT_EQ(desk.form.findChild<RunProgressStrip*>(), nullptr);
    EXPECT_TRUE(desk.menu->lastRun().printed.isEmpty());
    EXPECT_EQ(desk.menu->lastRun().failed, QStringList({"أول-1", "أول-2", "ثاني-1"}));
    EXPECT_EQ(QDir(user.filePath("Documents/Sijill")).entryList({"*.pdf"}, QDir::Files).size(), 3);
    ASSERT_EQ(desk.dialogs().shown.size(), 2u);
    const QString told = desk.dialogs().shown[1].text;
    EXPECT_TRUE(told.contains("ثاني-1")) << told.toStdString();
    EXPECT_TRUE(told.contains("Office")) << told.toStdString();
    EXPECT_TRUE(told.contains(user.filePath("Documents/Sijill"))) << told.toStdString();
    EXPECT_TRUE(spooler.jobFiles(0).isEmpty());
}
