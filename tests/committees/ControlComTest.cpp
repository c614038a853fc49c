#include "committees/ControlCom.h"
#include "committees/CommitteesTestSupport.h"
#include "committees/Texts.h"
#include "data/Connection.h"
#include "platform/Twips.h"
#include "report/LayoutLibrary.h"
#include "report/ReportOutput.h"
#include "students/NoorImport.h"
#include "support/ScriptedDialogs.h"
#include "support/TitledPreviews.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace sijill;
using committees::ControlCom;

namespace {

const QString kOk = QStringLiteral("موافق");
const QString kCancel = QStringLiteral("إلغاء");
const QString kYes = QStringLiteral("نعم");
const QString kNo = QStringLiteral("لا");
const QString kDistributed = QStringLiteral("تم إنشاء اللجان بنجاح");

// A school with 25, 30 and 28 students to seat in three grades.
void seedGrades(const test::TestHome& home) {
    test::addStudents(home, "رابع", "1", 25, "1");
    test::addStudents(home, "خامس", "1", 30, "2");
    test::addStudents(home, "سادس", "1", 28, "3");
    test::addStudent(home, "رابع", "1", "26", "hand", "-", "الابتدائي", "1");
}

int scalar(const QString& db, const QString& sql) {
    data::Connection c(db == "MyDatabase" ? data::Database::MyDatabase : data::Database::Schedule);
    return c.scalar(sql).toInt();
}

struct Window {
    test::TestHome home;
    test::ScriptedScope scope;
    std::unique_ptr<ControlCom> w;
    void open() {
        w.reset(new ControlCom);
        w->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    void reset() {
        scope.dialogs().answer(kOk);
        w->Image1_Click();
    }
    QStringList seats(int grade) const {
        QStringList out;
        for (int i = 0; i < w->rowCount(); ++i)
            out << w->seatLabel(grade, i)->text();
        return out;
    }
    const test::ShownBox& lastBox() { return scope.dialogs().shown.back(); }
    // The school of seedGrades, its committees made and its students seated.
    void distribute() {
        seedGrades(home);
        open();
        reset();
        w->Command2->click();
    }
};

// Records every preview shown while it lives.
struct Previews {
    std::shared_ptr<report::RecordingPreviewSink> sink = std::make_shared<test::TitledPreviews>();
    std::shared_ptr<report::PreviewSink> previous;
    Previews() {
        report::layoutLibrary().clear();
        previous = report::setPreviewSink(sink);
    }
    ~Previews() { report::setPreviewSink(previous); }
    const std::vector<report::LaidOutReport>& shown() const { return sink->shown; }
};

} // namespace

namespace {

// Both committee tables as text, to see that a refused action left them alone.
QString committeeTables() {
    data::Connection c(data::Database::Schedule);
    return c.scalar("SELECT group_concat(ID || '|' || ifnull(Name, '') || '|' || ifnull(Num, '') "
                    "|| '|' || ifnull(C1, '') || '|' || ifnull(C2, ''), ';') FROM List")
               .toString() +
           "#" +
           c.scalar("SELECT group_concat(ifnull(Com, '') || '|' || ifnull(Name, '') || '|' || "
                    "ifnull(ComNum, ''), ';') FROM Com")
               .toString();
}

} // namespace

TEST(ControlComLoad, EmptyListShowsTheSummaryAndOneEntryRow) {
    Window t;
    seedGrades(t.home);
    t.open();
    ControlCom& w = *t.w;
    EXPECT_TRUE(w.Picture2->isHidden());
    EXPECT_TRUE(w.Picture5->isHidden());
    EXPECT_TRUE(w.Picture4->isHidden());
    ASSERT_EQ(w.rowCount(), 1);
    EXPECT_EQ(w.L1[0]->text(), "0");
    EXPECT_EQ(w.ComTotal[0]->text(), "0");
    EXPECT_FALSE(w.ImView[0]->isHidden());
    EXPECT_TRUE(w.ImUpdate[0]->isHidden()); // nothing typed, nothing to save
    EXPECT_TRUE(w.ImPrint[0]->isHidden());
    EXPECT_TRUE(w.Image4[0]->isHidden());
    EXPECT_EQ(w.Command2->y(), w.ComName[0]->y() + platform::twips(500));
    EXPECT_EQ(w.Combo2->count(), 3);
    EXPECT_EQ(w.LNum[0]->text(), "25");
    EXPECT_EQ(w.LNum[1]->text(), "30");
    EXPECT_EQ(w.LNum[2]->text(), "28");
    EXPECT_EQ(w.Label4[0]->text().split('-').mid(1), (QStringList{"25", "30", "28"}));
    EXPECT_EQ(w.BatchMode, 0);
}

TEST(ControlComLoad, StoredCommitteesFillTheRows) {
    Window t;
    seedGrades(t.home);
    t.home.exec("Schedual.db", "INSERT INTO List VALUES (1, 'A', '3', '30', 10, 12, NULL)");
    t.open();
    ControlCom& w = *t.w;
    EXPECT_FALSE(w.Picture2->isHidden());
    ASSERT_EQ(w.rowCount(), 2);
    EXPECT_EQ(w.ComName[0]->text(), "A");
    EXPECT_EQ(w.ComNum[0]->text(), "30");
    EXPECT_EQ(w.L1[0]->text(), "10");
    EXPECT_EQ(w.L2[0]->text(), "12");
    EXPECT_EQ(w.L3[0]->text(), "0");
    EXPECT_EQ(w.ComTotal[0]->text(), "22");
    for (QLabel* l : {w.ImView[0], w.ImPrint[0], w.Image4[0]})
        EXPECT_FALSE(l->isHidden());
    EXPECT_TRUE(w.ImUpdate[0]->isHidden()); // what is stored is saved
    EXPECT_FALSE(w.ComName[1]->isHidden());
    EXPECT_TRUE(w.ComName[1]->text().isEmpty());
    for (QLabel* l : {w.ImView[1], w.ImUpdate[1], w.L1[1], w.ComTotal[1], w.ImPrint[1]})
        EXPECT_TRUE(l->isHidden());
    EXPECT_EQ(w.ComName[1]->y() - w.ComName[0]->y(), platform::twips(440));
    EXPECT_EQ(w.Command2->y(), w.ComName[1]->y() + platform::twips(500));

    // Nothing changed: neither the panel nor the window asks on closing.
    w.Image2_Click();
    EXPECT_TRUE(w.Picture2->isHidden());
    w.show();
    w.close();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(t.scope.dialogs().shown.empty());
}

// `n` stored committees c1 .. cn of 30 seats.
void storeCommittees(const test::TestHome& home, int n) {
    for (int i = 1; i <= n; ++i)
        home.exec("Schedual.db",
                  QString("INSERT INTO List (ID, Name, Num) VALUES (%1, 'c%1', '30')").arg(i));
}

TEST(ControlComLoad, NineteenCommitteesShowTheScrollStrip) {
    Window t;
    seedGrades(t.home);
    storeCommittees(t.home, 18);
    t.open();
    EXPECT_TRUE(t.w->Picture4->isHidden());
    t.home.exec("Schedual.db", "INSERT INTO List (ID, Name, Num) VALUES (19, 'c19', '30')");
    t.open();
    EXPECT_FALSE(t.w->Picture4->isHidden());
    // Closing the panel hides the strip; opening it again brings it back.
    t.w->Image2_Click();
    EXPECT_TRUE(t.w->Picture4->isHidden());
    t.w->Image3_Click();
    EXPECT_FALSE(t.w->Picture4->isHidden());
}

TEST(ControlComReset, CreatesCommitteesAndSharesFromTheGradeCounts) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    ControlCom& w = *t.w;
    EXPECT_EQ(t.scope.dialogs().shown.at(0).mode, 2);
    EXPECT_EQ(w.T_Main[0]->text(), "83");
    // 83 / 30 + 0.5 = 3.27, rounded 3: four committees and the entry row.
    ASSERT_EQ(w.rowCount(), 5);
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM List"), 4);
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com"), 0);
    EXPECT_EQ(w.ComName[3]->text(), QStringLiteral("اللجنة [4]"));
    EXPECT_EQ(w.ColNum[3]->text(), "3");
    EXPECT_EQ(t.seats(1), (QStringList{"6", "6", "6", "7", "6"}));
    EXPECT_EQ(t.seats(2), (QStringList{"7", "7", "7", "9", "7"}));
    EXPECT_EQ(t.seats(3), (QStringList{"7", "7", "7", "7", "7"}));
    EXPECT_EQ(w.ComTotal[3]->text(), "23");
    EXPECT_EQ(w.Tot[1]->text(), "30");
    // The shares are stored with the committees: nothing is left to save.
    data::Connection c(data::Database::Schedule);
    EXPECT_EQ(
        c.scalar("SELECT group_concat(C1 || '/' || C2 || '/' || C3, ',') FROM List").toString(),
        "6/7/7,6/7/7,6/7/7,7/9/7");
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(w.ImUpdate[static_cast<std::size_t>(i)]->isHidden());
    EXPECT_TRUE(w.ComName[4]->text().isEmpty());
    EXPECT_TRUE(w.L1[4]->isHidden());
    EXPECT_FALSE(w.Picture2->isHidden());
}

TEST(ControlComReset, CancelOrNoAnswerChangesNothing) {
    Window t;
    seedGrades(t.home);
    storeCommittees(t.home, 19);
    t.home.exec("Schedual.db", "INSERT INTO Com (Com, Name) VALUES ('c1', 'x')");
    t.open();
    t.w->Down_Click();
    for (const QString& answer : {kCancel, test::ScriptedDialogs::kClose}) {
        t.scope.dialogs().answer(answer);
        t.w->Image1_Click();
        EXPECT_EQ(t.w->rowCount(), 20);
        EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM List"), 19);
        EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com"), 1);
        // The later rows stay within reach.
        EXPECT_FALSE(t.w->Picture4->isHidden());
        EXPECT_EQ(t.w->picture2Top(), 30 - 500);
    }
    // Done, the reset leaves fewer rows: the strip goes and the panel is at rest.
    t.reset();
    EXPECT_EQ(t.w->rowCount(), 5);
    EXPECT_TRUE(t.w->Picture4->isHidden());
    EXPECT_EQ(t.w->picture2Top(), 30);
}

TEST(ControlComReset, AZeroCapacityIsRefusedAndNothingChanges) {
    Window t;
    seedGrades(t.home);
    t.home.exec("Schedual.db", "INSERT INTO List VALUES (1, 'A', '3', '30', 10, 12, NULL)");
    t.open();
    t.w->Text1->setText("0");
    t.reset();
    EXPECT_EQ(t.lastBox().style, 1);
    EXPECT_EQ(t.w->rowCount(), 2);
    EXPECT_EQ(t.w->ComName[0]->text(), "A");
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM List"), 1);
}

TEST(ControlComDistribution, SeatsEveryFlaggedStudentWithNumbersByGrade) {
    Window t;
    seedGrades(t.home);
    test::addExam(t.home, "رابع", "1446/09/10", "الأولى", "رياضيات");
    t.open();
    t.reset();
    // A copy of a seated student in another class takes his exams through
    // his first row; the hand-added student has no seat and is named.
    test::addStudent(t.home, "رابع", "2", "01", "رابع 1 3", "-");
    t.w->Command2->click();
    const QString result = t.lastBox().text;
    EXPECT_TRUE(result.startsWith(kDistributed + "\r"));
    EXPECT_TRUE(result.contains(QStringLiteral("عدد الطلاب غير الموزعين: 1")));
    EXPECT_TRUE(result.contains(QStringLiteral("hand (الابتدائي رابع [ 1 ])")));
    EXPECT_FALSE(result.contains(QStringLiteral("رابع 1 3 (")));
    // 83 students and one header row per committee and grade.
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com WHERE Class IS NOT NULL"), 83);
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com WHERE Class IS NULL"), 12);
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com WHERE Name = 'hand'"), 0);
    EXPECT_EQ(scalar("Schedual", "SELECT MIN(ComNum + 0) FROM Com"), 101);
    EXPECT_EQ(scalar("Schedual", "SELECT MAX(ComNum + 0) FROM Com WHERE ComNum < '2'"), 125);
    EXPECT_EQ(scalar("Schedual", "SELECT MAX(ComNum + 0) FROM Com"), 328);
    data::Connection c(data::Database::Schedule);
    EXPECT_EQ(c.scalar("SELECT S1 FROM Com WHERE Class IS NULL ORDER BY ID").toString(), "رياضيات");
    EXPECT_EQ(c.scalar("SELECT ComNum FROM Com WHERE Com = ? AND Class IS NOT NULL ORDER BY ID",
                       {QStringLiteral("اللجنة [2]")})
                  .toString(),
              "107");
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(t.w->ImPrint[static_cast<std::size_t>(i)]->isHidden());
    EXPECT_TRUE(t.w->ImPrint[4]->isHidden());

    // Twice gives the same table; with no one left out the message stands alone.
    t.home.exec("MyDatabase.db", "DELETE FROM T1 WHERE d1 = 'hand'");
    t.w->Command2->click();
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com"), 95);
    EXPECT_EQ(t.lastBox().text, kDistributed);
}

TEST(ControlComDistribution, AFailureKeepsTheLastSeating) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    t.w->Command2->click();
    ASSERT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com"), 95);

    // A student more than the seats: refused before anything is written.
    test::addStudent(t.home, "رابع", "2", "01", "late");
    t.w->Command2->click();
    EXPECT_EQ(t.lastBox().style, 1);
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com"), 95);
    t.home.exec("MyDatabase.db", "DELETE FROM T1 WHERE d1 = 'late'");

    // A write that fails half-way.
    t.w->ComName[1]->setText("B");
    t.home.exec("Schedual.db", "CREATE TRIGGER boom BEFORE INSERT ON Com WHEN NEW.ComNum = '320' "
                               "BEGIN SELECT RAISE(ABORT, 'boom'); END");
    t.w->Command2->click();
    EXPECT_EQ(t.lastBox().style, 1);
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com WHERE Com = 'B'"), 0);
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com"), 95);
}

TEST(ControlComSave, ThePanelAsksOnlyAfterAnEditAndEnterKeepsTheEdits) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    ControlCom& w = *t.w;
    auto& dialogs = t.scope.dialogs();
    const auto storedC2 = [] {
        data::Connection c(data::Database::Schedule);
        return c.scalar("SELECT group_concat(C2, ',') FROM List").toString();
    };

    // The reset stored what it shows: the panel closes without a question.
    const std::size_t boxes = dialogs.shown.size();
    w.Image2_Click();
    EXPECT_TRUE(w.Picture2->isHidden());
    EXPECT_EQ(dialogs.shown.size(), boxes);

    w.Image3_Click();
    w.Seat_MouseMove(2, 3);
    w.Seat_DragDrop(2, 0);
    const QStringList moved{"8", "7", "7", "8"};
    dialogs.answer(test::ScriptedDialogs::kClose);
    w.Image2_Click();
    EXPECT_EQ(t.lastBox().mode, 5);
    EXPECT_FALSE(w.Picture2->isHidden()); // no answer: the panel and its edits stay

    // Enter answers No: the panel hides with the edits on screen, unsaved.
    dialogs.custom = [](QDialog& box) {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(&box, &enter);
        return true;
    };
    w.Image2_Click();
    dialogs.custom = nullptr;
    EXPECT_TRUE(w.Picture2->isHidden());
    EXPECT_EQ(t.seats(2).mid(0, 4), moved);
    EXPECT_FALSE(w.ImUpdate[0]->isHidden());
    EXPECT_EQ(storedC2(), "7,7,7,9");

    w.Image3_Click();
    dialogs.answer(kYes);
    w.Image2_Click();
    EXPECT_EQ(storedC2(), "8,7,7,8");
    EXPECT_EQ(t.lastBox().mode, 4);
    EXPECT_EQ(t.lastBox().text, QStringLiteral("تم التحديث"));
    EXPECT_TRUE(w.Picture2->isHidden());
    EXPECT_TRUE(w.ImUpdate[0]->isHidden());
}

TEST(ControlComSave, TheRowIconStoresItsOwnRow) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    // Typing a name marks its row; typing it back as stored unmarks it.
    t.w->ComName[1]->setText("قاعة 2");
    t.w->ComName[2]->setText("x");
    EXPECT_FALSE(t.w->ImUpdate[2]->isHidden());
    t.w->ComName[2]->setText(QStringLiteral("اللجنة [3]"));
    EXPECT_TRUE(t.w->ImUpdate[2]->isHidden());
    t.w->ComName[2]->setText("قاعة 3");
    EXPECT_FALSE(t.w->ImUpdate[1]->isHidden());
    t.w->ImUpdate_Click(1);
    EXPECT_EQ(t.lastBox().mode, 4);
    EXPECT_TRUE(t.w->ImUpdate[1]->isHidden());
    EXPECT_FALSE(t.w->ImUpdate[2]->isHidden());
    data::Connection c(data::Database::Schedule);
    EXPECT_EQ(c.scalar("SELECT Name FROM List WHERE ID = 2").toString(), "قاعة 2");
    EXPECT_EQ(c.scalar("SELECT Name FROM List WHERE ID = 3").toString(),
              QStringLiteral("اللجنة [3]"));
}

TEST(ControlComEdits, CapacityDeskRowsAndTheRemainingSeats) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    ControlCom& w = *t.w;
    w.ComNum[0]->setText("35");
    EXPECT_EQ(w.ColNum[0]->text(), "3");
    EXPECT_EQ(w.Total->text(), QString::number(83 - 35 - 90));
    w.ComNum[0]->setText("عشرة");
    EXPECT_EQ(w.ComNum[0]->text(), "0");
    EXPECT_EQ(w.ColNum[0]->text(), "0");
    w.ColNum[0]->setText("");
    w.Text1->setText("25");
    EXPECT_EQ(w.ColNum[0]->text(), "0");
}

TEST(ControlComMoves, OneSeatMovesWithinItsGradeOnly) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    ControlCom& w = *t.w;
    for (int i = 0; i < 4; ++i)
        w.ImUpdate[static_cast<std::size_t>(i)]->hide();
    w.Seat_MouseMove(1, 3);
    w.Seat_DragDrop(1, 0);
    EXPECT_EQ(t.seats(1).mid(0, 4), (QStringList{"7", "6", "6", "6"}));
    EXPECT_EQ(w.ComTotal[0]->text(), "21");
    EXPECT_EQ(w.ComTotal[3]->text(), "22");
    EXPECT_FALSE(w.ImUpdate[0]->isHidden());
    EXPECT_FALSE(w.ImUpdate[3]->isHidden());
    EXPECT_TRUE(w.ImUpdate[1]->isHidden());
    EXPECT_EQ(w.L1[0]->frameShape(), QFrame::Box);

    w.Seat_MouseMove(2, 1);
    w.Seat_DragDrop(1, 2); // another grade's label: nothing
    EXPECT_EQ(t.seats(1).mid(0, 4), (QStringList{"7", "6", "6", "6"}));
    EXPECT_TRUE(w.ImUpdate[2]->isHidden());

    w.L3[1]->setText("0");
    w.Seat_MouseMove(3, 1);
    w.Seat_DragDrop(3, 2); // an empty source: nothing
    EXPECT_EQ(w.L3[2]->text(), "7");
    EXPECT_TRUE(w.ImUpdate[2]->isHidden());
}

TEST(ControlComWindow, TheScrollButtonsCoverNoRowControlAtAnyPosition) {
    Window t;
    seedGrades(t.home);
    storeCommittees(t.home, 35);
    t.open();
    ControlCom& w = *t.w;
    w.show();
    ASSERT_FALSE(w.Picture4->isHidden());
    // Rows pass under the title strip as they scroll; below it every part of
    // a row's control on view takes its own clicks.
    const int stripBottom = w.Picture5->geometry().bottom();
    const QRect panel = w.Picture2->geometry() & w.rect();
    int covered = 0;
    for (int step = 0; w.ComName.back()->mapTo(&w, QPoint()).y() > stripBottom; ++step) {
        for (int i = 0; i < w.rowCount(); ++i) {
            const auto r = static_cast<std::size_t>(i);
            for (QWidget* c : std::initializer_list<QWidget*>{
                     w.ImView[r], w.ComName[r], w.L1[r], w.L2[r], w.L3[r], w.ComTotal[r],
                     w.ImUpdate[r], w.ImPrint[r], w.Image4[r]}) {
                QRect onView = QRect(c->mapTo(&w, QPoint()), c->size()) & panel;
                onView.setTop(std::max(onView.top(), stripBottom + 1));
                if (c->isHidden() || onView.height() < 5 || onView.width() < 5)
                    continue;
                const QRect inner = onView.adjusted(2, 2, -2, -2);
                for (const QPoint p : {inner.center(), inner.topLeft(), inner.topRight(),
                                       inner.bottomLeft(), inner.bottomRight()}) {
                    QWidget* hit = w.childAt(p);
                    if (hit != c && !c->isAncestorOf(hit)) {
                        ++covered;
                        ADD_FAILURE()
                            << "step " << step << ": " << c->objectName().toStdString() << " under "
                            << (hit ? hit->objectName().toStdString() : "nothing");
                    }
                }
            }
        }
        if (covered > 0)
            break;
        w.Down_Click();
    }
}

TEST(ControlComWindow, ScrollingReturnsToRest) {
    Window t;
    seedGrades(t.home);
    t.open();
    ControlCom& w = *t.w;
    const double height = w.picture2Height();
    w.UP_Click();
    EXPECT_EQ(w.picture2Top(), 30);
    for (int i = 0; i < 3; ++i)
        w.Down_Click();
    EXPECT_EQ(w.picture2Top(), 30 - 1500);
    for (int i = 0; i < 3; ++i)
        w.UP_Click();
    EXPECT_EQ(w.picture2Top(), 30);
    EXPECT_EQ(w.picture2Height(), height + 1500);
}

TEST(ControlComSheets, PreviewsTheCommitteesSheetAndLabels) {
    Window t;
    Previews previews;
    t.distribute();
    t.w->ImPrint_Click(1);
    t.w->Image4_Click(1);
    ASSERT_EQ(previews.shown().size(), 2u);
    const report::LaidOutReport& sheet = previews.shown()[0];
    EXPECT_EQ(sheet.layoutName, "ComNewP");
    EXPECT_EQ(test::drawnTexts(sheet, "Class").value(0), QStringLiteral("اللجنة [2]"));
    EXPECT_EQ(t.w->SheetRowCount, 23); // 6 + 7 + 7 students and three headers
    EXPECT_TRUE(test::drawnTexts(sheet, "TextSeat").contains("107"));
    const report::LaidOutReport& labels = previews.shown()[1];
    EXPECT_EQ(labels.layoutName, "LabelPNew");
    EXPECT_EQ(test::drawnTexts(labels, "TextSeat1").size(), 10);
}

TEST(ControlComSheets, AfterAnImportTheWindowSaysSoAndAsksBeforePrinting) {
    Window t;
    Previews previews;
    t.distribute();
    EXPECT_TRUE(t.w->SeatingNote->isHidden());

    // A new workbook in the middle of the exams: two students have left the
    // fourth grade and three have come.
    std::vector<students::ImportedStudent> workbook;
    {
        data::Connection c(data::Database::MyDatabase);
        const data::RecordSet rs = c.query(QStringLiteral(
            "SELECT * FROM T1 WHERE d4 = '1' AND d1 NOT IN ('رابع 1 1', 'رابع 1 2') ORDER BY id"));
        for (int r = 0; r < rs.recordCount(); ++r) {
            const auto d = [&](int i) { return rs.text(r, QString("d%1").arg(i)); };
            workbook.push_back({d(0), d(1), d(2), d(3), d(4), d(5), d(6), d(7), d(8)});
        }
    }
    for (int i = 26; i <= 28; ++i)
        workbook.push_back({QString::number(i), QString("new %1").arg(i), "0", QString::number(i),
                            "1", QStringLiteral("الابتدائي"), QStringLiteral("رابع"), "1", "0"});
    students::replaceStudentsAndClasses(workbook);
    const QString seating = committeeTables();

    t.open();
    EXPECT_FALSE(t.w->SeatingNote->isHidden());
    EXPECT_EQ(t.w->SeatingNote->text(), committees::texts::kSeatingDrift.arg(2).arg(3));

    // Enter answers Cancel: nothing is shown.
    auto& dialogs = t.scope.dialogs();
    const auto questions = [&dialogs] {
        return std::count_if(dialogs.shown.begin(), dialogs.shown.end(),
                             [](const test::ShownBox& b) { return b.mode == 3; });
    };
    dialogs.answer(test::ScriptedDialogs::kEnter);
    t.w->ImPrint_Click(1);
    ASSERT_EQ(questions(), 1);
    EXPECT_EQ(t.lastBox().mode, 3);
    EXPECT_TRUE(t.lastBox().text.contains(QStringLiteral("هل تريد الطباعة")));
    EXPECT_TRUE(previews.shown().empty());
    // A cancelled question stands; after one yes the labels and sheets of
    // this opening show the seating as it is without asking again.
    dialogs.answer(kYes);
    t.w->Image4_Click(1);
    t.w->ImPrint_Click(1);
    EXPECT_EQ(questions(), 2);
    EXPECT_EQ(previews.shown().size(), 2u);

    // Opened again, it asks again.
    t.open();
    dialogs.answer(kYes);
    t.w->ImPrint_Click(0);
    t.w->ImPrint_Click(0);
    EXPECT_EQ(questions(), 3);
    EXPECT_EQ(previews.shown().size(), 4u);
    EXPECT_TRUE(test::drawnTexts(previews.shown()[2], "TextSeat").contains("101"));
    // No print changed a seat.
    EXPECT_EQ(committeeTables(), seating);

    // Shared and distributed anew, the seating matches the students again.
    t.reset();
    t.w->Command2->click();
    EXPECT_TRUE(t.w->SeatingNote->isHidden());
    t.w->Image4_Click(0);
    EXPECT_EQ(previews.shown().size(), 5u);
    EXPECT_EQ(questions(), 3);
}

TEST(ControlComRows, TheEntryRowBecomesACommitteeWhenStored) {
    Window t;
    seedGrades(t.home);
    t.home.exec("Schedual.db", "INSERT INTO List VALUES (1, 'A', '3', '30', 10, 12, NULL)");
    t.open();
    ControlCom& w = *t.w;
    w.NewCom->click(); // an empty entry row stores nothing
    EXPECT_EQ(w.rowCount(), 2);
    EXPECT_TRUE(t.scope.systemShown.empty());
    w.ComName[1]->setText("B");
    w.ComNum[1]->setText("20");
    w.NewCom->click();
    ASSERT_EQ(t.scope.systemShown.size(), 1u);
    EXPECT_EQ(t.scope.systemShown[0].text, QStringLiteral("تمت الإضافة"));
    ASSERT_EQ(w.rowCount(), 3);
    EXPECT_TRUE(w.ImUpdate[1]->isHidden());
    EXPECT_FALSE(w.L1[1]->isHidden());
    EXPECT_TRUE(w.L1[2]->isHidden());
    data::Connection c(data::Database::Schedule);
    EXPECT_EQ(c.scalar("SELECT Name FROM List WHERE ID = 2").toString(), "B");
    EXPECT_EQ(c.scalar("SELECT Col FROM List WHERE ID = 2").toString(), "2");
    EXPECT_TRUE(c.scalar("SELECT C1 FROM List WHERE ID = 2").isNull());
}

TEST(ControlComMoves, ThePointerOverASeatLabelNamesTheSource) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    ControlCom& w = *t.w;
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w.L2[3], &move);
    EXPECT_EQ(w.CurRow, 3);
    EXPECT_EQ(w.DragGrade, 2);
    w.Seat_DragDrop(2, 1);
    EXPECT_EQ(t.seats(2).mid(0, 4), (QStringList{"7", "8", "7", "8"}));
    EXPECT_TRUE(w.L2[1]->acceptDrops());
}

TEST(ControlComLoad, AMissingCommitteeTableIsReportedNotFatal) {
    Window t;
    seedGrades(t.home);
    t.home.exec("Schedual.db", "DROP TABLE List");
    t.open();
    EXPECT_FALSE(t.w->loadError().isEmpty());
    EXPECT_EQ(t.w->rowCount(), 1);
    // The reset makes the tables again.
    t.reset();
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM List"), 4);
}

TEST(ControlComDistribution, DeleteAllOnlyClearsTheBatchFlagWhileItIsSet) {
    Window t;
    seedGrades(t.home);
    t.home.exec("Schedual.db", "INSERT INTO Com (Com, Name) VALUES ('A', 'x')");
    t.open();
    t.w->BatchMode = -1;
    t.w->DeleteAll->click();
    EXPECT_EQ(t.w->BatchMode, 0);
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com"), 1);
    t.w->DeleteAll->click();
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com"), 0);
}

TEST(ControlComLoad, PickingAGradeRecountsOutsideBatchMode) {
    Window t;
    seedGrades(t.home);
    t.open();
    ControlCom& w = *t.w;
    w.Combo2->setCurrentIndex(1);
    w.BatchMode = -1;
    w.Combo2_Click();
    EXPECT_EQ(w.T_Main[0]->text(), "25"); // the opening's count of the first grade
    w.BatchMode = 0;
    w.Combo2->setCurrentIndex(1);
    w.Combo2_Click();
    EXPECT_EQ(w.T_Main[0]->text(), "30");
    EXPECT_EQ(w.Total->text(), "30");
}

TEST(ControlComCapacity, ABadSizeBoxIsRefusedNamingItAndNothingIsCreated) {
    Window t;
    seedGrades(t.home);
    t.home.exec("Schedual.db", "INSERT INTO List VALUES (1, 'A', '3', '30', 10, 12, NULL);"
                               "INSERT INTO Com (Com, Name) VALUES ('A', 'x')");
    t.open();
    const QString before = committeeTables();
    for (const QString bad :
         {"0", "-3", "0.00001", "1e-300", "0.1", "abc", "", "1e9", "201", "999999"}) {
        t.w->Text1->setText(bad);
        QElapsedTimer clock;
        clock.start();
        t.reset();
        EXPECT_LT(clock.elapsed(), 1000) << bad.toStdString();
        EXPECT_TRUE(t.lastBox().text.contains(QStringLiteral("الاستيعاب العام")))
            << bad.toStdString();
        EXPECT_EQ(t.lastBox().style, 1);
        EXPECT_EQ(t.w->rowCount(), 2);
        EXPECT_EQ(t.w->ComName[0]->text(), "A");
        EXPECT_EQ(committeeTables(), before);
    }
    // Arabic-Indic digits are a number; the committees get it in 0-9.
    t.w->Text1->setText(QStringLiteral("٣٠"));
    t.reset();
    ASSERT_EQ(t.w->rowCount(), 5);
    EXPECT_EQ(t.w->ComNum[3]->text(), "30");
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM List WHERE Num = '30'"), 4);
}

TEST(ControlComCapacity, ARowCapacityThatIsNoWholeNumberBecomesZero) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    ControlCom& w = *t.w;
    for (const QString bad : {"1.5", "1e3", "-3", "abc"}) {
        w.ComNum[0]->setText(bad);
        EXPECT_EQ(w.ComNum[0]->text(), "0") << bad.toStdString();
        EXPECT_EQ(w.ColNum[0]->text(), "0");
    }
    w.ComNum[0]->setText(QStringLiteral("٣٥"));
    EXPECT_EQ(w.ComNum[0]->text(), "35");
    EXPECT_EQ(w.ColNum[0]->text(), "3");

    // Over 200 seats is refused when the row is saved, whichever way it is
    // saved, and nothing is stored; the typed capacity stays to be corrected.
    const QString before = committeeTables();
    const int rows = w.rowCount();
    const std::vector<std::pair<const char*, std::function<void()>>> saves{
        {"its icon", [&] { w.ImUpdate_Click(0); }},
        {"the save-all",
         [&] {
             t.scope.dialogs().answer(kYes);
             w.Image2_Click();
         }},
        {"a new committee",
         [&] {
             w.ComName[static_cast<std::size_t>(rows - 1)]->setText("B");
             w.ComNum[static_cast<std::size_t>(rows - 1)]->setText("500");
             w.NewCom_Click();
         }},
    };
    w.ComNum[0]->setText("500");
    for (const auto& [way, save] : saves) {
        SCOPED_TRACE(way);
        save();
        EXPECT_TRUE(t.lastBox().text.contains(QStringLiteral("استيعاب اللجنة")));
        EXPECT_TRUE(t.lastBox().text.contains("200"));
        EXPECT_EQ(t.lastBox().style, 1);
        EXPECT_EQ(committeeTables(), before);
        EXPECT_EQ(w.rowCount(), rows);
        EXPECT_EQ(w.ComNum[0]->text(), "500");
        EXPECT_FALSE(w.Picture2->isHidden());
    }
    w.ComNum[0]->setText("200");
    w.ComNum[static_cast<std::size_t>(rows - 1)]->clear();
    w.ImUpdate_Click(0);
    EXPECT_EQ(scalar("Schedual", "SELECT Num FROM List WHERE ID = 1"), 200);
}

TEST(ControlComGrades, ASixGradeSchoolIsToldWhichGradesAreNotSeated) {
    Window t;
    // The rows come from the last grade to the first, every order key "0" as
    // the import writes it; grade k has 10 + k students.
    const QStringList words{"أول", "ثاني", "ثالث", "رابع", "خامس", "سادس"};
    for (int k = 6; k >= 1; --k)
        test::addStudents(t.home, words[k - 1], "1", 10 + k, "0");
    t.open();
    ControlCom& w = *t.w;
    ASSERT_EQ(w.Combo2->count(), 6);
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(w.Combo2->itemText(k), words[k]);
    EXPECT_EQ(w.LNum[0]->text(), "11");
    EXPECT_EQ(w.LNum[2]->text(), "13");
    t.reset();
    const std::size_t before = t.scope.dialogs().shown.size();
    w.Command2->click();
    // One message: what was done and who was left out, grade by grade.
    const auto& shown = t.scope.dialogs().shown;
    ASSERT_EQ(shown.size(), before + 1);
    const QString result = shown.back().text;
    const auto named = [&result](const QString& grade) {
        return result.contains(QStringLiteral("الصف ") + grade + QStringLiteral("،"));
    };
    for (int k = 4; k <= 6; ++k) {
        EXPECT_TRUE(named(words[k - 1])) << k;
        EXPECT_TRUE(result.contains(QString::number(10 + k))) << k;
    }
    for (int k = 1; k <= 3; ++k)
        EXPECT_FALSE(named(words[k - 1])) << k;
    EXPECT_TRUE(result.startsWith(QStringLiteral("تم إنشاء اللجان بنجاح")));
    EXPECT_TRUE(result.contains(QStringLiteral("عدد الطلاب الموزعين: 36")));
    EXPECT_TRUE(result.contains(QStringLiteral("عدد الطلاب غير الموزعين: 45")));
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com WHERE Class IS NOT NULL"), 36);
    data::Connection c(data::Database::Schedule);
    EXPECT_EQ(c.scalar("SELECT Name FROM Com WHERE ComNum = '101'").toString(),
              QStringLiteral("أول 1 1"));
    EXPECT_EQ(c.scalar("SELECT Name FROM Com WHERE ComNum = '313'").toString(),
              QStringLiteral("ثالث 1 13"));
}

TEST(ControlComDistribution, NothingToSeatANamelessCommitteeAndABusyDatabaseChangeNothing) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    ControlCom& w = *t.w;
    w.Command2->click();
    const QString before = committeeTables();
    ASSERT_TRUE(before.contains("|101"));

    w.ComName[1]->setText("  ");
    w.Command2->click();
    EXPECT_TRUE(t.lastBox().text.contains(QStringLiteral("اللجنة رقم 2 بلا اسم")));
    EXPECT_EQ(t.lastBox().style, 1);
    EXPECT_EQ(committeeTables(), before);
    w.ComName[1]->setText(QStringLiteral("اللجنة [2]"));

    {
        // Another program holds the database for writing.
        data::Connection other(data::Database::Schedule);
        other.execute("BEGIN IMMEDIATE");
        w.Command2->click();
        EXPECT_TRUE(t.lastBox().text.contains(QStringLiteral("قاعدة البيانات مشغولة")));
        EXPECT_EQ(t.lastBox().style, 1);
        other.execute("ROLLBACK");
    }
    EXPECT_EQ(committeeTables(), before);

    t.home.exec("MyDatabase.db", "DELETE FROM T1");
    w.Command2->click();
    EXPECT_TRUE(t.lastBox().text.contains(QStringLiteral("لا يوجد طلاب لتوزيعهم")));
    EXPECT_EQ(committeeTables(), before);
}

TEST(ControlComRows, ACommitteeTypedIntoTheLastRowIsStored) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    ControlCom& w = *t.w;
    ASSERT_EQ(w.rowCount(), 5);
    w.ComName[4]->setText(QStringLiteral("قاعة المكتبة"));
    w.ComNum[4]->setText("20");
    emit w.ComNum[4]->returnPressed();
    ASSERT_EQ(w.rowCount(), 6);
    EXPECT_EQ(w.L1[4]->text(), "0"); // no seats until they are moved in
    EXPECT_FALSE(w.L1[4]->isHidden());
    data::Connection c(data::Database::Schedule);
    EXPECT_EQ(c.scalar("SELECT Name || '|' || Num || '|' || Col FROM List WHERE ID = 5").toString(),
              QStringLiteral("قاعة المكتبة|20|2"));

    // The entry row's own save icon adds it too, and Enter on an empty row
    // stores nothing.
    emit w.ComName[5]->returnPressed();
    EXPECT_EQ(w.rowCount(), 6);
    w.ComName[5]->setText("B");
    w.ComNum[5]->setText("10");
    EXPECT_FALSE(w.ImUpdate[5]->isHidden());
    w.ImUpdate_Click(5);
    EXPECT_EQ(w.rowCount(), 7);
    EXPECT_EQ(c.scalar("SELECT Name FROM List WHERE ID = 6").toString(), "B");
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM List"), 6);
}

TEST(ControlComClose, OnlyTheUsersEditsAreAskedAboutAndNoReopensAsStored) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    auto& dialogs = t.scope.dialogs();
    const auto rows = [&t] {
        QStringList out;
        for (int i = 0; i + 1 < t.w->rowCount(); ++i)
            out << t.w->ComName[static_cast<std::size_t>(i)]->text() + "|" +
                       t.w->ComNum[static_cast<std::size_t>(i)]->text() + "|" +
                       t.w->seatLabel(1, i)->text() + "|" + t.w->seatLabel(2, i)->text() + "|" +
                       t.w->seatLabel(3, i)->text();
        return out;
    };
    // Each committee's shares against the seats Com holds for it.
    const auto seatsInCom = [&t] {
        data::Connection c(data::Database::Schedule);
        QStringList out;
        for (int i = 0; i + 1 < t.w->rowCount(); ++i) {
            QStringList grades;
            for (int g = 1; g <= 3; ++g)
                grades << c.scalar("SELECT COUNT(*) FROM Com WHERE Com = ? AND Class IS NOT NULL "
                                   "AND substr(ComNum, 1, 1) = ?",
                                   {t.w->ComName[static_cast<std::size_t>(i)]->text(),
                                    QString::number(g)})
                              .toString();
            out << grades.join('|');
        }
        return out;
    };
    const auto closeAsking = [&] {
        const std::size_t before = dialogs.shown.size();
        t.w->show();
        t.w->close();
        return dialogs.shown.size() - before;
    };

    // A reset, and then a distribution, each closed without edits: no
    // question, and the next opening shows what was shown. The distribution
    // stores the shares it seated from, a seat moved before it included.
    const QStringList afterReset = rows();
    EXPECT_EQ(closeAsking(), 0u);
    t.open();
    EXPECT_EQ(rows(), afterReset);
    t.w->Seat_MouseMove(1, 3);
    t.w->Seat_DragDrop(1, 0);
    const QStringList distributed = rows();
    t.w->Command2->click();
    EXPECT_TRUE(t.lastBox().text.startsWith(kDistributed));
    EXPECT_EQ(closeAsking(), 0u);
    t.open();
    EXPECT_EQ(rows(), distributed);
    QStringList shares;
    for (const QString& row : rows())
        shares << row.section('|', 2);
    EXPECT_EQ(seatsInCom(), shares);

    struct Edit {
        const char* what;
        std::function<void(ControlCom&)> make;
    };
    const Edit edits[] = {
        {"name", [](ControlCom& w) { w.ComName[1]->setText(QStringLiteral("قاعة المكتبة")); }},
        {"capacity", [](ControlCom& w) { w.ComNum[1]->setText("25"); }},
        {"seat",
         [](ControlCom& w) {
             w.Seat_MouseMove(1, 3);
             w.Seat_DragDrop(1, 1);
         }},
    };
    for (const Edit& e : edits) {
        t.open();
        e.make(*t.w);
        const QStringList edited = rows();
        ASSERT_NE(edited, distributed) << e.what;
        // Cancel, or a box closed without an answer, keeps the window and the edit.
        for (const QString& answer : {kCancel, test::ScriptedDialogs::kClose}) {
            dialogs.answer(answer);
            EXPECT_EQ(closeAsking(), 1u) << e.what;
            EXPECT_EQ(t.lastBox().mode, 3);
            EXPECT_EQ(t.lastBox().buttons.size(), 3);
            EXPECT_TRUE(t.w->isVisible()) << e.what;
            EXPECT_EQ(rows(), edited) << e.what;
        }
        dialogs.answer(kNo);
        t.w->close();
        EXPECT_FALSE(t.w->isVisible()) << e.what;
        t.open();
        EXPECT_EQ(rows(), distributed) << e.what;
        EXPECT_EQ(seatsInCom(), shares) << e.what; // the seating stays as distributed
    }

    // Yes stores the edit.
    edits[2].make(*t.w);
    const QStringList edited = rows();
    dialogs.answer(kYes);
    EXPECT_EQ(closeAsking(), 2u); // the question and "saved"
    EXPECT_FALSE(t.w->isVisible());
    t.open();
    EXPECT_EQ(rows(), edited);
}

TEST(ControlComShares, TheRecoveryAddsNoCommitteeWhileTheDatabaseIsBusy) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    ControlCom& w = *t.w;
    const QString before = committeeTables();
    w.Label4[0]->setText({}); // the grade summary lost: the shares fail
    {
        data::Connection other(data::Database::Schedule);
        other.execute("BEGIN IMMEDIATE");
        const std::size_t boxes = t.scope.dialogs().shown.size();
        w.Scramble->click();
        EXPECT_EQ(t.scope.dialogs().shown.size(), boxes + 1); // one message, the cause
        EXPECT_TRUE(t.lastBox().text.contains(QStringLiteral("قاعدة البيانات مشغولة")));
        other.execute("ROLLBACK");
    }
    EXPECT_EQ(w.rowCount(), 5);
    EXPECT_TRUE(w.ComName[4]->text().isEmpty());
    EXPECT_EQ(w.BatchMode, 0);
    EXPECT_EQ(committeeTables(), before);
}

TEST(ControlComShares, ALargeSchoolIsSpreadEvenlyAndAnOverfullRoomIsNamed) {
    Window t;
    // 1001 students in three grades: 35 committees of 30, where the last
    // would take 83 if it took every remainder.
    const QStringList grades{"رابع", "خامس", "سادس"};
    const int counts[] = {333, 334, 334};
    for (int g = 0; g < 3; ++g)
        t.home.exec("MyDatabase.db",
                    QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                            "WHERE i < %1) INSERT INTO T1 (d0, d1, d2, d3, d4, d5, d6, d7, d8) "
                            "SELECT CASE WHEN i < 10 THEN '0' || i ELSE i END, '%2 ' || i, '0', "
                            "'%2-' || i, '1', 'الابتدائي', '%2', '1', '%3' FROM n")
                        .arg(counts[g])
                        .arg(grades[g])
                        .arg(g + 1));
    t.open();
    t.reset();
    ControlCom& w = *t.w;
    ASSERT_EQ(w.rowCount(), 36);
    int full = -1;
    for (int i = 0; i < 35; ++i) {
        for (int g = 1; g <= 3; ++g) {
            const QString seats = w.seatLabel(g, i)->text();
            EXPECT_TRUE(seats == "9" || seats == "10") << i << " " << g;
        }
        const QString total = w.ComTotal[static_cast<std::size_t>(i)]->text();
        EXPECT_TRUE(total == "28" || total == "29") << i;
        if (total == "29")
            full = i;
    }
    w.Command2->click();
    EXPECT_EQ(t.lastBox().text, kDistributed);
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com WHERE Class IS NOT NULL"), 1001);

    // A seat moved by hand into a room holding 29 fills it: not over it. A
    // second one is, and the room is named.
    ASSERT_GE(full, 0);
    const int source = full == 0 ? 1 : 0;
    w.Seat_MouseMove(1, source);
    w.Seat_DragDrop(1, full);
    w.Command2->click();
    EXPECT_EQ(t.lastBox().text, kDistributed);
    w.Seat_MouseMove(1, source);
    w.Seat_DragDrop(1, full);
    w.Command2->click();
    EXPECT_TRUE(t.lastBox().text.startsWith(kDistributed + "\r"));
    EXPECT_TRUE(t.lastBox().text.contains(committees::committeeName(full + 1) +
                                          QStringLiteral(": الطلاب 31 والاستيعاب 30")));
    EXPECT_FALSE(t.lastBox().text.contains(committees::committeeName(source + 1) + ":"));
}
