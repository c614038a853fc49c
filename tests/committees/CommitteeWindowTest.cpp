#include "committees/CommitteeWindow.h"
#include "committees/CommitteesTestSupport.h"
#include "committees/Texts.h"
#include "data/Connection.h"
#include "platform/Twips.h"
#include "report/LayoutLibrary.h"
#include "report/ReportOutput.h"
#include "shell/SchoolProfileWindow.h"
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
using committees::CommitteeWindow;

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
    data::Connection c(db == "MyDatabase" ? data::Database::Students : data::Database::Schedule);
    return c.scalar(sql).toInt();
}

struct Window {
    test::TestHome home;
    test::ScriptedScope scope;
    std::unique_ptr<CommitteeWindow> w;
    // A sheet's print reads the profile through the profile window, which
    // this school's unfinished profile puts on view; it holds this folder's
    // profile and goes with it.
    ~Window() { shell::unloadSchoolProfileWindow(); }
    void open() {
        w.reset(new CommitteeWindow);
        w->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    void reset() {
        scope.dialogs().answer(kOk);
        w->onResetClicked();
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
        w->distributeButton->click();
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

TEST(CommitteeWindowLoad, EmptyListShowsTheSummaryAndOneEntryRow) {
    Window t;
    seedGrades(t.home);
    t.open();
    CommitteeWindow& w = *t.w;
    EXPECT_TRUE(w.editorPanel->isHidden());
    EXPECT_TRUE(w.titleStrip->isHidden());
    EXPECT_TRUE(w.scrollStrip->isHidden());
    ASSERT_EQ(w.rowCount(), 1);
    EXPECT_EQ(w.firstGradeSeats[0]->text(), "0");
    EXPECT_EQ(w.seatTotalLabels[0]->text(), "0");
    EXPECT_FALSE(w.previewIcons[0]->isHidden());
    EXPECT_TRUE(w.saveIcons[0]->isHidden()); // nothing typed, nothing to save
    EXPECT_TRUE(w.sheetIcons[0]->isHidden());
    EXPECT_TRUE(w.labelsIcons[0]->isHidden());
    EXPECT_EQ(w.distributeButton->y(), w.nameBoxes[0]->y() + platform::twips(500));
    EXPECT_EQ(w.gradePicker->count(), 3);
    EXPECT_EQ(w.gradeCountBoxes[0]->text(), "25");
    EXPECT_EQ(w.gradeCountBoxes[1]->text(), "30");
    EXPECT_EQ(w.gradeCountBoxes[2]->text(), "28");
    EXPECT_EQ(w.gradeSummaryLabel->text().split('-').mid(1), (QStringList{"25", "30", "28"}));
    EXPECT_EQ(w.BatchMode, 0);
}

TEST(CommitteeWindowLoad, StoredCommitteesFillTheRows) {
    Window t;
    seedGrades(t.home);
    t.home.exec("Schedual.db", "INSERT INTO List VALUES (1, 'A', '3', '30', 10, 12, NULL)");
    t.open();
    CommitteeWindow& w = *t.w;
    EXPECT_FALSE(w.editorPanel->isHidden());
    ASSERT_EQ(w.rowCount(), 2);
    EXPECT_EQ(w.nameBoxes[0]->text(), "A");
    EXPECT_EQ(w.capacityBoxes[0]->text(), "30");
    EXPECT_EQ(w.firstGradeSeats[0]->text(), "10");
    EXPECT_EQ(w.secondGradeSeats[0]->text(), "12");
    EXPECT_EQ(w.thirdGradeSeats[0]->text(), "0");
    EXPECT_EQ(w.seatTotalLabels[0]->text(), "22");
    for (QLabel* l : {w.previewIcons[0], w.sheetIcons[0], w.labelsIcons[0]})
        EXPECT_FALSE(l->isHidden());
    EXPECT_TRUE(w.saveIcons[0]->isHidden()); // what is stored is saved
    EXPECT_FALSE(w.nameBoxes[1]->isHidden());
    EXPECT_TRUE(w.nameBoxes[1]->text().isEmpty());
    for (QLabel* l : {w.previewIcons[1], w.saveIcons[1], w.firstGradeSeats[1], w.seatTotalLabels[1],
                      w.sheetIcons[1]})
        EXPECT_TRUE(l->isHidden());
    EXPECT_EQ(w.nameBoxes[1]->y() - w.nameBoxes[0]->y(), platform::twips(440));
    EXPECT_EQ(w.distributeButton->y(), w.nameBoxes[1]->y() + platform::twips(500));

    // Nothing changed: neither the panel nor the window asks on closing.
    w.onEditorSaveClicked();
    EXPECT_TRUE(w.editorPanel->isHidden());
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

TEST(CommitteeWindowLoad, NineteenCommitteesShowTheScrollStrip) {
    Window t;
    seedGrades(t.home);
    storeCommittees(t.home, 18);
    t.open();
    EXPECT_TRUE(t.w->scrollStrip->isHidden());
    t.home.exec("Schedual.db", "INSERT INTO List (ID, Name, Num) VALUES (19, 'c19', '30')");
    t.open();
    EXPECT_FALSE(t.w->scrollStrip->isHidden());
    // Closing the panel hides the strip; opening it again brings it back.
    t.w->onEditorSaveClicked();
    EXPECT_TRUE(t.w->scrollStrip->isHidden());
    t.w->onOpenEditorClicked();
    EXPECT_FALSE(t.w->scrollStrip->isHidden());
}

TEST(CommitteeWindowReset, CreatesCommitteesAndSharesFromTheGradeCounts) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    CommitteeWindow& w = *t.w;
    EXPECT_EQ(t.scope.dialogs().shown.at(0).mode, 2);
    EXPECT_EQ(w.countBoxes[0]->text(), "83");
    // 83 / 30 + 0.5 = 3.27, rounded 3: four committees and the entry row.
    ASSERT_EQ(w.rowCount(), 5);
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM List"), 4);
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com"), 0);
    EXPECT_EQ(w.nameBoxes[3]->text(), QStringLiteral("اللجنة [4]"));
    EXPECT_EQ(w.deskRowBoxes[3]->text(), "3");
    EXPECT_EQ(t.seats(1), (QStringList{"6", "6", "6", "7", "6"}));
    EXPECT_EQ(t.seats(2), (QStringList{"7", "7", "7", "9", "7"}));
    EXPECT_EQ(t.seats(3), (QStringList{"7", "7", "7", "7", "7"}));
    EXPECT_EQ(w.seatTotalLabels[3]->text(), "23");
    EXPECT_EQ(w.gradeTotalLabels[1]->text(), "30");
    // The shares are stored with the committees: nothing is left to save.
    data::Connection c(data::Database::Schedule);
    EXPECT_EQ(
        c.scalar("SELECT group_concat(C1 || '/' || C2 || '/' || C3, ',') FROM List").toString(),
        "6/7/7,6/7/7,6/7/7,7/9/7");
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(w.saveIcons[static_cast<std::size_t>(i)]->isHidden());
    EXPECT_TRUE(w.nameBoxes[4]->text().isEmpty());
    EXPECT_TRUE(w.firstGradeSeats[4]->isHidden());
    EXPECT_FALSE(w.editorPanel->isHidden());
}

TEST(CommitteeWindowReset, CancelOrNoAnswerChangesNothing) {
    Window t;
    seedGrades(t.home);
    storeCommittees(t.home, 19);
    t.home.exec("Schedual.db", "INSERT INTO Com (Com, Name) VALUES ('c1', 'x')");
    t.open();
    t.w->onScrollDownClicked();
    for (const QString& answer : {kCancel, test::ScriptedDialogs::kClose}) {
        t.scope.dialogs().answer(answer);
        t.w->onResetClicked();
        EXPECT_EQ(t.w->rowCount(), 20);
        EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM List"), 19);
        EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com"), 1);
        // The later rows stay within reach.
        EXPECT_FALSE(t.w->scrollStrip->isHidden());
        EXPECT_EQ(t.w->editorTop(), 30 - 500);
    }
    // Done, the reset leaves fewer rows: the strip goes and the panel is at rest.
    t.reset();
    EXPECT_EQ(t.w->rowCount(), 5);
    EXPECT_TRUE(t.w->scrollStrip->isHidden());
    EXPECT_EQ(t.w->editorTop(), 30);
}

TEST(CommitteeWindowReset, AZeroCapacityIsRefusedAndNothingChanges) {
    Window t;
    seedGrades(t.home);
    t.home.exec("Schedual.db", "INSERT INTO List VALUES (1, 'A', '3', '30', 10, 12, NULL)");
    t.open();
    t.w->defaultCapacityBox->setText("0");
    t.reset();
    EXPECT_EQ(t.lastBox().style, 1);
    EXPECT_EQ(t.w->rowCount(), 2);
    EXPECT_EQ(t.w->nameBoxes[0]->text(), "A");
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM List"), 1);
}

TEST(CommitteeWindowDistribution, SeatsEveryFlaggedStudentWithNumbersByGrade) {
    Window t;
    seedGrades(t.home);
    test::addExam(t.home, "رابع", "1446/09/10", "الأولى", "رياضيات");
    t.open();
    t.reset();
    // A copy of a seated student in another class takes his exams through
    // his first row; the hand-added student has no seat and is named.
    test::addStudent(t.home, "رابع", "2", "01", "رابع 1 3", "-");
    t.w->distributeButton->click();
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
        EXPECT_FALSE(t.w->sheetIcons[static_cast<std::size_t>(i)]->isHidden());
    EXPECT_TRUE(t.w->sheetIcons[4]->isHidden());

    // Twice gives the same table; with no one left out the message stands alone.
    t.home.exec("MyDatabase.db", "DELETE FROM T1 WHERE d1 = 'hand'");
    t.w->distributeButton->click();
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com"), 95);
    EXPECT_EQ(t.lastBox().text, kDistributed);
}

TEST(CommitteeWindowDistribution, AFailureKeepsTheLastSeating) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    t.w->distributeButton->click();
    ASSERT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com"), 95);

    // A student more than the seats: refused before anything is written.
    test::addStudent(t.home, "رابع", "2", "01", "late");
    t.w->distributeButton->click();
    EXPECT_EQ(t.lastBox().style, 1);
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com"), 95);
    t.home.exec("MyDatabase.db", "DELETE FROM T1 WHERE d1 = 'late'");

    // A write that fails half-way.
    t.w->nameBoxes[1]->setText("B");
    t.home.exec("Schedual.db", "CREATE TRIGGER boom BEFORE INSERT ON Com WHEN NEW.ComNum = '320' "
                               "BEGIN SELECT RAISE(ABORT, 'boom'); END");
    t.w->distributeButton->click();
    EXPECT_EQ(t.lastBox().style, 1);
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com WHERE Com = 'B'"), 0);
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com"), 95);
}

TEST(CommitteeWindowSave, ThePanelAsksOnlyAfterAnEditAndEnterKeepsTheEdits) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    CommitteeWindow& w = *t.w;
    auto& dialogs = t.scope.dialogs();
    const auto storedC2 = [] {
        data::Connection c(data::Database::Schedule);
        return c.scalar("SELECT group_concat(C2, ',') FROM List").toString();
    };

    // The reset stored what it shows: the panel closes without a question.
    const std::size_t boxes = dialogs.shown.size();
    w.onEditorSaveClicked();
    EXPECT_TRUE(w.editorPanel->isHidden());
    EXPECT_EQ(dialogs.shown.size(), boxes);

    w.onOpenEditorClicked();
    w.onSeatHovered(2, 3);
    w.onSeatDropped(2, 0);
    const QStringList moved{"8", "7", "7", "8"};
    dialogs.answer(test::ScriptedDialogs::kClose);
    w.onEditorSaveClicked();
    EXPECT_EQ(t.lastBox().mode, 5);
    EXPECT_FALSE(w.editorPanel->isHidden()); // no answer: the panel and its edits stay

    // Enter answers No: the panel hides with the edits on screen, unsaved.
    dialogs.custom = [](QDialog& box) {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(&box, &enter);
        return true;
    };
    w.onEditorSaveClicked();
    dialogs.custom = nullptr;
    EXPECT_TRUE(w.editorPanel->isHidden());
    EXPECT_EQ(t.seats(2).mid(0, 4), moved);
    EXPECT_FALSE(w.saveIcons[0]->isHidden());
    EXPECT_EQ(storedC2(), "7,7,7,9");

    w.onOpenEditorClicked();
    dialogs.answer(kYes);
    w.onEditorSaveClicked();
    EXPECT_EQ(storedC2(), "8,7,7,8");
    EXPECT_EQ(t.lastBox().mode, 4);
    EXPECT_EQ(t.lastBox().text, QStringLiteral("تم التحديث"));
    EXPECT_TRUE(w.editorPanel->isHidden());
    EXPECT_TRUE(w.saveIcons[0]->isHidden());
}

TEST(CommitteeWindowSave, TheRowIconStoresItsOwnRow) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    // Typing a name marks its row; typing it back as stored unmarks it.
    t.w->nameBoxes[1]->setText("قاعة 2");
    t.w->nameBoxes[2]->setText("x");
    EXPECT_FALSE(t.w->saveIcons[2]->isHidden());
    t.w->nameBoxes[2]->setText(QStringLiteral("اللجنة [3]"));
    EXPECT_TRUE(t.w->saveIcons[2]->isHidden());
    t.w->nameBoxes[2]->setText("قاعة 3");
    EXPECT_FALSE(t.w->saveIcons[1]->isHidden());
    t.w->onRowSaveClicked(1);
    EXPECT_EQ(t.lastBox().mode, 4);
    EXPECT_TRUE(t.w->saveIcons[1]->isHidden());
    EXPECT_FALSE(t.w->saveIcons[2]->isHidden());
    data::Connection c(data::Database::Schedule);
    EXPECT_EQ(c.scalar("SELECT Name FROM List WHERE ID = 2").toString(), "قاعة 2");
    EXPECT_EQ(c.scalar("SELECT Name FROM List WHERE ID = 3").toString(),
              QStringLiteral("اللجنة [3]"));
}

TEST(CommitteeWindowEdits, CapacityDeskRowsAndTheRemainingSeats) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    CommitteeWindow& w = *t.w;
    w.capacityBoxes[0]->setText("35");
    EXPECT_EQ(w.deskRowBoxes[0]->text(), "3");
    EXPECT_EQ(w.remainingLabel->text(), QString::number(83 - 35 - 90));
    w.capacityBoxes[0]->setText("عشرة");
    EXPECT_EQ(w.capacityBoxes[0]->text(), "0");
    EXPECT_EQ(w.deskRowBoxes[0]->text(), "0");
    w.deskRowBoxes[0]->setText("");
    w.defaultCapacityBox->setText("25");
    EXPECT_EQ(w.deskRowBoxes[0]->text(), "0");
}

TEST(CommitteeWindowMoves, OneSeatMovesWithinItsGradeOnly) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    CommitteeWindow& w = *t.w;
    for (int i = 0; i < 4; ++i)
        w.saveIcons[static_cast<std::size_t>(i)]->hide();
    w.onSeatHovered(1, 3);
    w.onSeatDropped(1, 0);
    EXPECT_EQ(t.seats(1).mid(0, 4), (QStringList{"7", "6", "6", "6"}));
    EXPECT_EQ(w.seatTotalLabels[0]->text(), "21");
    EXPECT_EQ(w.seatTotalLabels[3]->text(), "22");
    EXPECT_FALSE(w.saveIcons[0]->isHidden());
    EXPECT_FALSE(w.saveIcons[3]->isHidden());
    EXPECT_TRUE(w.saveIcons[1]->isHidden());
    EXPECT_EQ(w.firstGradeSeats[0]->frameShape(), QFrame::Box);

    w.onSeatHovered(2, 1);
    w.onSeatDropped(1, 2); // another grade's label: nothing
    EXPECT_EQ(t.seats(1).mid(0, 4), (QStringList{"7", "6", "6", "6"}));
    EXPECT_TRUE(w.saveIcons[2]->isHidden());

    w.thirdGradeSeats[1]->setText("0");
    w.onSeatHovered(3, 1);
    w.onSeatDropped(3, 2); // an empty source: nothing
    EXPECT_EQ(w.thirdGradeSeats[2]->text(), "7");
    EXPECT_TRUE(w.saveIcons[2]->isHidden());
}

TEST(CommitteeWindowWindow, TheScrollButtonsCoverNoRowControlAtAnyPosition) {
    Window t;
    seedGrades(t.home);
    storeCommittees(t.home, 35);
    t.open();
    CommitteeWindow& w = *t.w;
    w.show();
    ASSERT_FALSE(w.scrollStrip->isHidden());
    // Rows pass under the title strip as they scroll; below it every part of
    // a row's control on view takes its own clicks.
    const int stripBottom = w.titleStrip->geometry().bottom();
    const QRect panel = w.editorPanel->geometry() & w.rect();
    int covered = 0;
    for (int step = 0; w.nameBoxes.back()->mapTo(&w, QPoint()).y() > stripBottom; ++step) {
        for (int i = 0; i < w.rowCount(); ++i) {
            const auto r = static_cast<std::size_t>(i);
            for (QWidget* c : std::initializer_list<QWidget*>{
                     w.previewIcons[r], w.nameBoxes[r], w.firstGradeSeats[r], w.secondGradeSeats[r],
                     w.thirdGradeSeats[r], w.seatTotalLabels[r], w.saveIcons[r], w.sheetIcons[r],
                     w.labelsIcons[r]}) {
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
        w.onScrollDownClicked();
    }
}

TEST(CommitteeWindowWindow, ScrollingReturnsToRest) {
    Window t;
    seedGrades(t.home);
    t.open();
    CommitteeWindow& w = *t.w;
    const double height = w.editorHeight();
    w.onScrollUpClicked();
    EXPECT_EQ(w.editorTop(), 30);
    for (int i = 0; i < 3; ++i)
        w.onScrollDownClicked();
    EXPECT_EQ(w.editorTop(), 30 - 1500);
    for (int i = 0; i < 3; ++i)
        w.onScrollUpClicked();
    EXPECT_EQ(w.editorTop(), 30);
    EXPECT_EQ(w.editorHeight(), height + 1500);
}

TEST(CommitteeWindowSheets, PreviewsTheCommitteesSheetAndLabels) {
    Window t;
    Previews previews;
    t.distribute();
    t.w->onSheetClicked(1);
    t.w->onLabelsClicked(1);
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

TEST(CommitteeWindowSheets, AfterAnImportTheWindowSaysSoAndAsksBeforePrinting) {
    Window t;
    Previews previews;
    t.distribute();
    EXPECT_TRUE(t.w->seatingNote->isHidden());

    // A new workbook in the middle of the exams: two students have left the
    // fourth grade and three have come.
    std::vector<students::ImportedStudent> workbook;
    {
        data::Connection c(data::Database::Students);
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
    EXPECT_FALSE(t.w->seatingNote->isHidden());
    EXPECT_EQ(t.w->seatingNote->text(), committees::texts::kSeatingDrift.arg(2).arg(3));

    // Enter answers Cancel: nothing is shown.
    auto& dialogs = t.scope.dialogs();
    const auto questions = [&dialogs] {
        return std::count_if(dialogs.shown.begin(), dialogs.shown.end(),
                             [](const test::ShownBox& b) { return b.mode == 3; });
    };
    dialogs.answer(test::ScriptedDialogs::kEnter);
    t.w->onSheetClicked(1);
    ASSERT_EQ(questions(), 1);
    EXPECT_EQ(t.lastBox().mode, 3);
    EXPECT_TRUE(t.lastBox().text.contains(QStringLiteral("هل تريد الطباعة")));
    EXPECT_TRUE(previews.shown().empty());
    // A cancelled question stands; after one yes the labels and sheets of
    // this opening show the seating as it is without asking again.
    dialogs.answer(kYes);
    t.w->onLabelsClicked(1);
    t.w->onSheetClicked(1);
    EXPECT_EQ(questions(), 2);
    EXPECT_EQ(previews.shown().size(), 2u);

    // Opened again, it asks again.
    t.open();
    dialogs.answer(kYes);
    t.w->onSheetClicked(0);
    t.w->onSheetClicked(0);
    EXPECT_EQ(questions(), 3);
    EXPECT_EQ(previews.shown().size(), 4u);
    EXPECT_TRUE(test::drawnTexts(previews.shown()[2], "TextSeat").contains("101"));
    // No print changed a seat.
    EXPECT_EQ(committeeTables(), seating);

    // Shared and distributed anew, the seating matches the students again.
    t.reset();
    t.w->distributeButton->click();
    EXPECT_TRUE(t.w->seatingNote->isHidden());
    t.w->onLabelsClicked(0);
    EXPECT_EQ(previews.shown().size(), 5u);
    EXPECT_EQ(questions(), 3);
}

TEST(CommitteeWindowSheets, ACommitteeNamedAfterTheDistributionIsNamedBeforeItsEmptySheet) {
    Window t;
    Previews previews;
    t.distribute();
    auto& dialogs = t.scope.dialogs();
    const auto questions = [&dialogs] {
        return std::count_if(dialogs.shown.begin(), dialogs.shown.end(),
                             [](const test::ShownBox& b) { return b.mode == 3; });
    };
    // Freshly distributed: nothing to tell, nothing asked.
    EXPECT_TRUE(t.w->seatingNote->isHidden());
    t.w->onSheetClicked(1);
    EXPECT_EQ(questions(), 0);
    ASSERT_EQ(previews.shown().size(), 1u);

    // Renamed and saved; the window closed and opened again.
    t.w->nameBoxes[1]->setText(QStringLiteral("لجنة العلوم"));
    t.w->onRowSaveClicked(1);
    // Its seats stay under the name they were given.
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com WHERE Com = 'اللجنة [2]'"), 23);
    EXPECT_FALSE(t.w->seatingNote->isHidden());
    EXPECT_TRUE(t.w->seatingNote->text().contains(QStringLiteral("لجنة العلوم")));
    t.open();
    EXPECT_FALSE(t.w->seatingNote->isHidden());
    EXPECT_TRUE(t.w->seatingNote->text().contains(QStringLiteral("لجنة العلوم")));
    EXPECT_FALSE(t.w->seatingNote->text().contains(
        committees::texts::kSeatingDrift.section(QLatin1Char(':'), 0, 0)));

    // Its sheet asks first, naming it; Enter cancels. The others print as before.
    dialogs.answer(test::ScriptedDialogs::kEnter);
    t.w->onLabelsClicked(1);
    ASSERT_EQ(questions(), 1);
    EXPECT_TRUE(t.lastBox().text.contains(QStringLiteral("لجنة العلوم")));
    EXPECT_TRUE(t.lastBox().text.contains(QStringLiteral("هل تريد الطباعة")));
    EXPECT_EQ(previews.shown().size(), 1u);
    t.w->onSheetClicked(2);
    EXPECT_EQ(questions(), 1);
    EXPECT_EQ(previews.shown().size(), 2u);
    dialogs.answer(kYes);
    t.w->onSheetClicked(1);
    t.w->onLabelsClicked(1);
    EXPECT_EQ(questions(), 2);
    ASSERT_EQ(previews.shown().size(), 4u);
    EXPECT_TRUE(test::drawnTexts(previews.shown()[2], "TextSeat").isEmpty());

    // Distributed again, it holds its students under its new name.
    t.w->distributeButton->click();
    EXPECT_TRUE(t.w->seatingNote->isHidden());
    t.w->onSheetClicked(1);
    EXPECT_EQ(questions(), 2);
    ASSERT_EQ(previews.shown().size(), 5u);
    EXPECT_TRUE(test::drawnTexts(previews.shown()[4], "TextSeat").contains("107"));

    // Renamed in its box and not saved: its sheet would be looked up by the
    // name shown and print empty, so it asks first, naming it.
    t.w->nameBoxes[2]->setText(QStringLiteral("لجنة الرياضيات"));
    dialogs.answer(test::ScriptedDialogs::kEnter);
    t.w->onSheetClicked(2);
    ASSERT_EQ(questions(), 3);
    EXPECT_TRUE(t.lastBox().text.contains(QStringLiteral("لجنة الرياضيات")));
    EXPECT_EQ(previews.shown().size(), 5u);
}

TEST(CommitteeWindowRows, TheEntryRowBecomesACommitteeWhenStored) {
    Window t;
    seedGrades(t.home);
    t.home.exec("Schedual.db", "INSERT INTO List VALUES (1, 'A', '3', '30', 10, 12, NULL)");
    t.open();
    CommitteeWindow& w = *t.w;
    w.addCommitteeButton->click(); // an empty entry row stores nothing
    EXPECT_EQ(w.rowCount(), 2);
    EXPECT_TRUE(t.scope.systemShown.empty());
    w.nameBoxes[1]->setText("B");
    w.capacityBoxes[1]->setText("20");
    w.addCommitteeButton->click();
    ASSERT_EQ(t.scope.systemShown.size(), 1u);
    EXPECT_EQ(t.scope.systemShown[0].text, QStringLiteral("تمت الإضافة"));
    ASSERT_EQ(w.rowCount(), 3);
    EXPECT_TRUE(w.saveIcons[1]->isHidden());
    EXPECT_FALSE(w.firstGradeSeats[1]->isHidden());
    EXPECT_TRUE(w.firstGradeSeats[2]->isHidden());
    data::Connection c(data::Database::Schedule);
    EXPECT_EQ(c.scalar("SELECT Name FROM List WHERE ID = 2").toString(), "B");
    EXPECT_EQ(c.scalar("SELECT Col FROM List WHERE ID = 2").toString(), "2");
    EXPECT_TRUE(c.scalar("SELECT C1 FROM List WHERE ID = 2").isNull());
}

TEST(CommitteeWindowMoves, ThePointerOverASeatLabelNamesTheSource) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    CommitteeWindow& w = *t.w;
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w.secondGradeSeats[3], &move);
    EXPECT_EQ(w.CurRow, 3);
    EXPECT_EQ(w.DragGrade, 2);
    w.onSeatDropped(2, 1);
    EXPECT_EQ(t.seats(2).mid(0, 4), (QStringList{"7", "8", "7", "8"}));
    EXPECT_TRUE(w.secondGradeSeats[1]->acceptDrops());
}

TEST(CommitteeWindowLoad, AMissingCommitteeTableIsReportedNotFatal) {
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

TEST(CommitteeWindowDistribution, DeleteAllOnlyClearsTheBatchFlagWhileItIsSet) {
    Window t;
    seedGrades(t.home);
    t.home.exec("Schedual.db", "INSERT INTO Com (Com, Name) VALUES ('A', 'x')");
    t.open();
    t.w->BatchMode = -1;
    t.w->clearSeatingButton->click();
    EXPECT_EQ(t.w->BatchMode, 0);
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com"), 1);
    t.w->clearSeatingButton->click();
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com"), 0);
}

TEST(CommitteeWindowLoad, PickingAGradeRecountsOutsideBatchMode) {
    Window t;
    seedGrades(t.home);
    t.open();
    CommitteeWindow& w = *t.w;
    w.gradePicker->setCurrentIndex(1);
    w.BatchMode = -1;
    w.onGradeChosen();
    EXPECT_EQ(w.countBoxes[0]->text(), "25"); // the opening's count of the first grade
    w.BatchMode = 0;
    w.gradePicker->setCurrentIndex(1);
    w.onGradeChosen();
    EXPECT_EQ(w.countBoxes[0]->text(), "30");
    EXPECT_EQ(w.remainingLabel->text(), "30");
}

TEST(CommitteeWindowCapacity, ABadSizeBoxIsRefusedNamingItAndNothingIsCreated) {
    Window t;
    seedGrades(t.home);
    t.home.exec("Schedual.db", "INSERT INTO List VALUES (1, 'A', '3', '30', 10, 12, NULL);"
                               "INSERT INTO Com (Com, Name) VALUES ('A', 'x')");
    t.open();
    const QString before = committeeTables();
    for (const QString bad :
         {"0", "-3", "0.00001", "1e-300", "0.1", "abc", "", "1e9", "201", "999999"}) {
        t.w->defaultCapacityBox->setText(bad);
        QElapsedTimer clock;
        clock.start();
        t.reset();
        EXPECT_LT(clock.elapsed(), 1000) << bad.toStdString();
        EXPECT_TRUE(t.lastBox().text.contains(QStringLiteral("الاستيعاب العام")))
            << bad.toStdString();
        EXPECT_EQ(t.lastBox().style, 1);
        EXPECT_EQ(t.w->rowCount(), 2);
        EXPECT_EQ(t.w->nameBoxes[0]->text(), "A");
        EXPECT_EQ(committeeTables(), before);
    }
    // Arabic-Indic digits are a number; the committees get it in 0-9.
    t.w->defaultCapacityBox->setText(QStringLiteral("٣٠"));
    t.reset();
    ASSERT_EQ(t.w->rowCount(), 5);
    EXPECT_EQ(t.w->capacityBoxes[3]->text(), "30");
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM List WHERE Num = '30'"), 4);
}

TEST(CommitteeWindowCapacity, ARowCapacityThatIsNoWholeNumberBecomesZero) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    CommitteeWindow& w = *t.w;
    for (const QString bad : {"1.5", "1e3", "-3", "abc"}) {
        w.capacityBoxes[0]->setText(bad);
        EXPECT_EQ(w.capacityBoxes[0]->text(), "0") << bad.toStdString();
        EXPECT_EQ(w.deskRowBoxes[0]->text(), "0");
    }
    w.capacityBoxes[0]->setText(QStringLiteral("٣٥"));
    EXPECT_EQ(w.capacityBoxes[0]->text(), "35");
    EXPECT_EQ(w.deskRowBoxes[0]->text(), "3");

    // Over 200 seats is refused when the row is saved, whichever way it is
    // saved, and nothing is stored; the typed capacity stays to be corrected.
    const QString before = committeeTables();
    const int rows = w.rowCount();
    const std::vector<std::pair<const char*, std::function<void()>>> saves{
        {"its icon", [&] { w.onRowSaveClicked(0); }},
        {"the save-all",
         [&] {
             t.scope.dialogs().answer(kYes);
             w.onEditorSaveClicked();
         }},
        {"a new committee",
         [&] {
             w.nameBoxes[static_cast<std::size_t>(rows - 1)]->setText("B");
             w.capacityBoxes[static_cast<std::size_t>(rows - 1)]->setText("500");
             w.onAddCommitteeClicked();
         }},
    };
    w.capacityBoxes[0]->setText("500");
    for (const auto& [way, save] : saves) {
        SCOPED_TRACE(way);
        save();
        EXPECT_TRUE(t.lastBox().text.contains(QStringLiteral("استيعاب اللجنة")));
        EXPECT_TRUE(t.lastBox().text.contains("200"));
        EXPECT_EQ(t.lastBox().style, 1);
        EXPECT_EQ(committeeTables(), before);
        EXPECT_EQ(w.rowCount(), rows);
        EXPECT_EQ(w.capacityBoxes[0]->text(), "500");
        EXPECT_FALSE(w.editorPanel->isHidden());
    }
    w.capacityBoxes[0]->setText("200");
    w.capacityBoxes[static_cast<std::size_t>(rows - 1)]->clear();
    w.onRowSaveClicked(0);
    EXPECT_EQ(scalar("Schedual", "SELECT Num FROM List WHERE ID = 1"), 200);
}

TEST(CommitteeWindowGrades, ASixGradeSchoolIsToldWhichGradesAreNotSeated) {
    Window t;
    // The rows come from the last grade to the first, every order key "0" as
    // the import writes it; grade k has 10 + k students.
    const QStringList words{"أول", "ثاني", "ثالث", "رابع", "خامس", "سادس"};
    for (int k = 6; k >= 1; --k)
        test::addStudents(t.home, words[k - 1], "1", 10 + k, "0");
    t.open();
    CommitteeWindow& w = *t.w;
    ASSERT_EQ(w.gradePicker->count(), 6);
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(w.gradePicker->itemText(k), words[k]);
    EXPECT_EQ(w.gradeCountBoxes[0]->text(), "11");
    EXPECT_EQ(w.gradeCountBoxes[2]->text(), "13");
    t.reset();
    const std::size_t before = t.scope.dialogs().shown.size();
    w.distributeButton->click();
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

TEST(CommitteeWindowDistribution, NothingToSeatANamelessCommitteeAndABusyDatabaseChangeNothing) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    CommitteeWindow& w = *t.w;
    w.distributeButton->click();
    const QString before = committeeTables();
    ASSERT_TRUE(before.contains("|101"));

    w.nameBoxes[1]->setText("  ");
    w.distributeButton->click();
    EXPECT_TRUE(t.lastBox().text.contains(QStringLiteral("اللجنة رقم 2 بلا اسم")));
    EXPECT_EQ(t.lastBox().style, 1);
    EXPECT_EQ(committeeTables(), before);
    w.nameBoxes[1]->setText(QStringLiteral("اللجنة [2]"));

    {
        // Another program holds the database for writing.
        data::Connection other(data::Database::Schedule);
        other.execute("BEGIN IMMEDIATE");
        w.distributeButton->click();
        EXPECT_TRUE(t.lastBox().text.contains(QStringLiteral("قاعدة البيانات مشغولة")));
        EXPECT_EQ(t.lastBox().style, 1);
        other.execute("ROLLBACK");
    }
    EXPECT_EQ(committeeTables(), before);

    t.home.exec("MyDatabase.db", "DELETE FROM T1");
    w.distributeButton->click();
    EXPECT_TRUE(t.lastBox().text.contains(QStringLiteral("لا يوجد طلاب لتوزيعهم")));
    EXPECT_EQ(committeeTables(), before);
}

TEST(CommitteeWindowRows, ACommitteeTypedIntoTheLastRowIsStored) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    CommitteeWindow& w = *t.w;
    ASSERT_EQ(w.rowCount(), 5);
    w.nameBoxes[4]->setText(QStringLiteral("قاعة المكتبة"));
    w.capacityBoxes[4]->setText("20");
    emit w.capacityBoxes[4]->returnPressed();
    ASSERT_EQ(w.rowCount(), 6);
    EXPECT_EQ(w.firstGradeSeats[4]->text(), "0"); // no seats until they are moved in
    EXPECT_FALSE(w.firstGradeSeats[4]->isHidden());
    data::Connection c(data::Database::Schedule);
    EXPECT_EQ(c.scalar("SELECT Name || '|' || Num || '|' || Col FROM List WHERE ID = 5").toString(),
              QStringLiteral("قاعة المكتبة|20|2"));

    // The entry row's own save icon adds it too, and Enter on an empty row
    // stores nothing.
    emit w.nameBoxes[5]->returnPressed();
    EXPECT_EQ(w.rowCount(), 6);
    w.nameBoxes[5]->setText("B");
    w.capacityBoxes[5]->setText("10");
    EXPECT_FALSE(w.saveIcons[5]->isHidden());
    w.onRowSaveClicked(5);
    EXPECT_EQ(w.rowCount(), 7);
    EXPECT_EQ(c.scalar("SELECT Name FROM List WHERE ID = 6").toString(), "B");
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM List"), 6);
}

TEST(CommitteeWindowClose, OnlyTheUsersEditsAreAskedAboutAndNoReopensAsStored) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    auto& dialogs = t.scope.dialogs();
    const auto rows = [&t] {
        QStringList out;
        for (int i = 0; i + 1 < t.w->rowCount(); ++i)
            out << t.w->nameBoxes[static_cast<std::size_t>(i)]->text() + "|" +
                       t.w->capacityBoxes[static_cast<std::size_t>(i)]->text() + "|" +
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
                                   {t.w->nameBoxes[static_cast<std::size_t>(i)]->text(),
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
    t.w->onSeatHovered(1, 3);
    t.w->onSeatDropped(1, 0);
    const QStringList distributed = rows();
    t.w->distributeButton->click();
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
        std::function<void(CommitteeWindow&)> make;
    };
    const Edit edits[] = {
        {"name",
         [](CommitteeWindow& w) { w.nameBoxes[1]->setText(QStringLiteral("قاعة المكتبة")); }},
        {"capacity", [](CommitteeWindow& w) { w.capacityBoxes[1]->setText("25"); }},
        {"seat",
         [](CommitteeWindow& w) {
             w.onSeatHovered(1, 3);
             w.onSeatDropped(1, 1);
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

TEST(CommitteeWindowShares, TheRecoveryAddsNoCommitteeWhileTheDatabaseIsBusy) {
    Window t;
    seedGrades(t.home);
    t.open();
    t.reset();
    CommitteeWindow& w = *t.w;
    const QString before = committeeTables();
    w.gradeSummaryLabel->setText({}); // the grade summary lost: the shares fail
    {
        data::Connection other(data::Database::Schedule);
        other.execute("BEGIN IMMEDIATE");
        const std::size_t boxes = t.scope.dialogs().shown.size();
        w.shareSeatsButton->click();
        EXPECT_EQ(t.scope.dialogs().shown.size(), boxes + 1); // one message, the cause
        EXPECT_TRUE(t.lastBox().text.contains(QStringLiteral("قاعدة البيانات مشغولة")));
        other.execute("ROLLBACK");
    }
    EXPECT_EQ(w.rowCount(), 5);
    EXPECT_TRUE(w.nameBoxes[4]->text().isEmpty());
    EXPECT_EQ(w.BatchMode, 0);
    EXPECT_EQ(committeeTables(), before);
}

TEST(CommitteeWindowShares, ALargeSchoolIsSpreadEvenlyAndAnOverfullRoomIsNamed) {
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
    CommitteeWindow& w = *t.w;
    ASSERT_EQ(w.rowCount(), 36);
    int full = -1;
    for (int i = 0; i < 35; ++i) {
        for (int g = 1; g <= 3; ++g) {
            const QString seats = w.seatLabel(g, i)->text();
            EXPECT_TRUE(seats == "9" || seats == "10") << i << " " << g;
        }
        const QString total = w.seatTotalLabels[static_cast<std::size_t>(i)]->text();
        EXPECT_TRUE(total == "28" || total == "29") << i;
        if (total == "29")
            full = i;
    }
    w.distributeButton->click();
    EXPECT_EQ(t.lastBox().text, kDistributed);
    EXPECT_EQ(scalar("Schedual", "SELECT COUNT(*) FROM Com WHERE Class IS NOT NULL"), 1001);

    // A seat moved by hand into a room holding 29 fills it: not over it. A
    // second one is, and the room is named.
    ASSERT_GE(full, 0);
    const int source = full == 0 ? 1 : 0;
    w.onSeatHovered(1, source);
    w.onSeatDropped(1, full);
    w.distributeButton->click();
    EXPECT_EQ(t.lastBox().text, kDistributed);
    w.onSeatHovered(1, source);
    w.onSeatDropped(1, full);
    w.distributeButton->click();
    EXPECT_TRUE(t.lastBox().text.startsWith(kDistributed + "\r"));
    EXPECT_TRUE(t.lastBox().text.contains(committees::committeeName(full + 1) +
                                          QStringLiteral(": الطلاب 31 والاستيعاب 30")));
    EXPECT_FALSE(t.lastBox().text.contains(committees::committeeName(source + 1) + ":"));
}
