#include "labels/CustomLabelsWindow.h"
#include "labels/LabelsTestSupport.h"
#include "labels/Texts.h"
#include "platform/Twips.h"
#include "platform/Wait.h"
#include "report/LayoutLibrary.h"
#include "report/ReportOutput.h"
#include "shell/MainForm.h"
#include "shell/ShellTestSupport.h"
#include "support/OddNamesSchool.h"
#include "support/ScriptedDialogs.h"
#include "support/TitledPreviews.h"
#include "support/WidgetText.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::labels;

namespace {

class CustomLabelsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::finishProfile(home);
        home.exec("Schedual.db", "INSERT INTO grades (kind, grade, class, order_it) VALUES "
                                 "('ابتدائي', 'أول', '1', 1), ('ابتدائي', 'ثاني', '2', 2)");
        previousSink_ = report::setPreviewSink(previews);
        previousScale_ = platform::waitScale();
        platform::setWaitScale(0);
        report::layoutLibrary().clear();
        ASSERT_TRUE(form.formLoad());
        form.show();
    }

    void TearDown() override {
        if (CustomLabelsWindow* w = customLabelsWindow()) {
            w->close();
            delete w;
        }
        report::setPreviewSink(previousSink_);
        platform::setWaitScale(previousScale_);
    }

    CustomLabelsWindow* open(QWidget* returnTo = nullptr) {
        openCustomLabels(returnTo);
        return customLabelsWindow();
    }

    void put(const QString& cls, const QString& name, const QString& number,
             const QString& committee) {
        test::putLabel(home, cls, name, number, committee);
    }

    static QStringList boxes(const CustomLabelsWindow* w) {
        QStringList t;
        for (const QLineEdit* box : w->fieldBoxes)
            t << box->text();
        return t;
    }

    static void type(CustomLabelsWindow* w, const QStringList& texts) {
        for (int i = 0; i < 4; ++i)
            w->fieldBoxes[i]->setText(texts.value(i));
    }

    QStringList systemTexts() const {
        QStringList t;
        for (const auto& m : scope.systemShown)
            t << m.text;
        return t;
    }

    test::TestHome home;
    test::ScriptedScope scope;
    shell::MainForm form;
    std::shared_ptr<report::RecordingPreviewSink> previews =
        std::make_shared<test::TitledPreviews>();

private:
    std::shared_ptr<report::PreviewSink> previousSink_;
    double previousScale_ = 1;
};

} // namespace

TEST_F(CustomLabelsWindowTest, OpensOnTheFirstRowWithTheClassesToPick) {
    put("خامس 3", "أحمد", "1", "لجنة 1");
    put("خامس 3", "سعد", "2", "لجنة 2");
    CustomLabelsWindow* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(form.isEnabled());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), texts::kWindowCaption);
    ASSERT_EQ(w->classPicker->count(), 2);
    EXPECT_EQ(w->classPicker->itemText(0), "أول 1");
    EXPECT_EQ(w->classPicker->itemText(1), "ثاني 2");
    EXPECT_EQ(form.classPicker->currentIndex(), form.classPicker->count() - 1);
    // The class box shows the row, not the picker's first class.
    EXPECT_EQ(boxes(w), QStringList({"خامس 3", "أحمد", "1", "لجنة 1"}));
    EXPECT_EQ(w->currentId(), w->rows().front().id);
    EXPECT_FALSE(w->adding());
    EXPECT_TRUE(scope.systemShown.empty());

    w->classPicker->setCurrentIndex(1);
    emit w->classPicker->activated(1);
    EXPECT_EQ(w->fieldBoxes[0]->text(), "ثاني 2");
}

TEST_F(CustomLabelsWindowTest, AnEmptyTableOpensForAdding) {
    CustomLabelsWindow* w = open();
    EXPECT_TRUE(w->adding());
    EXPECT_EQ(boxes(w), QStringList({"", "", "", ""}));
    ASSERT_EQ(scope.systemShown.size(), 1u);
    EXPECT_EQ(scope.systemShown[0].text, texts::kNoData);
    EXPECT_EQ(scope.systemShown[0].title, "سجل");
    for (int spot : {0, 1, 5, 6})
        w->onToolbarSpotClicked(spot);
    EXPECT_EQ(boxes(w), QStringList({"", "", "", ""}));
    EXPECT_EQ(w->currentId(), 0);
}

TEST_F(CustomLabelsWindowTest, BrowsingStopsAtBothEnds) {
    put("أ", "الأول", "1", "ل1");
    put("ب", "الثاني", QString(), "ل2"); // a Null number shows an empty box
    put("ج", "الثالث", "3", "ل3");
    CustomLabelsWindow* w = open();
    test::leftClick(w->toolbarSpots[0]); // previous on the first row
    EXPECT_EQ(w->fieldBoxes[1]->text(), "الأول");
    test::leftClick(w->toolbarSpots[1]);
    EXPECT_EQ(boxes(w), QStringList({"ب", "الثاني", "", "ل2"}));
    test::leftClick(w->toolbarSpots[1]);
    test::leftClick(w->toolbarSpots[1]);
    EXPECT_EQ(w->fieldBoxes[1]->text(), "الثالث");
    test::leftClick(w->toolbarSpots[5]);
    EXPECT_EQ(w->fieldBoxes[1]->text(), "الأول");
    test::leftClick(w->toolbarSpots[6]);
    EXPECT_EQ(w->fieldBoxes[1]->text(), "الثالث");
    EXPECT_EQ(w->currentId(), w->rows().back().id);
}

TEST_F(CustomLabelsWindowTest, AddCancelAndDeleteActOnTheRecordShown) {
    put("أ", "الأول", "1", "ل1");
    put("ب", "الثاني", "2", "ل2");
    put("ج", "الثالث", "3", "ل3");
    const std::vector<CustomLabel> stored = readCustomLabels();
    auto texts = [](const std::vector<CustomLabel>& rows) {
        QStringList t;
        for (const CustomLabel& r : rows)
            t << r.text(0) + "|" + r.text(1) + "|" + r.text(2) + "|" + r.text(3);
        return t;
    };
    CustomLabelsWindow* w = open();

    // Add starts a new record: nothing stored is current while it is shown.
    test::leftClick(w->toolbarSpots[2]);
    EXPECT_TRUE(w->adding());
    EXPECT_EQ(w->currentId(), 0);
    // Cancel goes back to the record shown before: the first one.
    test::leftClick(w->cancelAddButton);
    EXPECT_FALSE(w->adding());
    EXPECT_EQ(boxes(w), QStringList({"أ", "الأول", "1", "ل1"}));
    EXPECT_EQ(w->currentId(), stored[0].id);

    // Cancelling an add and saving writes the record shown, nothing else.
    w->fieldBoxes[3]->setText("ل9");
    scope.systemAnswers = {QMessageBox::Ok};
    w->saveButton->click();
    EXPECT_EQ(texts(readCustomLabels()),
              QStringList({"أ|الأول|1|ل9", "ب|الثاني|2|ل2", "ج|الثالث|3|ل3"}));

    // On the last row: add, cancel, the last row again.
    w->onToolbarSpotClicked(6);
    w->addButton->click();
    type(w, {"د", "الرابع", "4", "ل4"});
    w->onCancelAddClicked();
    EXPECT_EQ(boxes(w), QStringList({"ج", "الثالث", "3", "ل3"}));

    // Deleting while the new record is shown drops the new record only.
    w->addButton->click();
    scope.systemShown.clear();
    w->removeButton->click();
    EXPECT_TRUE(scope.systemShown.empty());
    EXPECT_FALSE(w->adding());
    EXPECT_EQ(readCustomLabels().size(), 3u);
    EXPECT_EQ(boxes(w), QStringList({"ج", "الثالث", "3", "ل3"}));
}

TEST_F(CustomLabelsWindowTest, AnEmptyColumnShowsEmptyAndIsNeverFilledFromAnotherRow) {
    put("أ", "الأول", "1", "ل1");
    put("ب", "الثاني", QString(), QString());
    CustomLabelsWindow* w = open();
    w->forwardButton->click();
    EXPECT_EQ(boxes(w), QStringList({"ب", "الثاني", "", ""}));
    // Saving the row as shown stores nothing from the first row: the empty
    // boxes are refused and the row keeps its empty columns.
    scope.systemAnswers = {QMessageBox::Ok};
    w->saveButton->click();
    EXPECT_EQ(systemTexts(), QStringList({texts::kIncomplete}));
    const std::vector<CustomLabel> rows = readCustomLabels();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_FALSE(rows[1].fields[2]);
    EXPECT_FALSE(rows[1].fields[3]);
    EXPECT_EQ(rows[0].text(2), "1");
}

TEST_F(CustomLabelsWindowTest, StoringNeedsEveryBoxAndKeepsTheTextAsTyped) {
    put("أ", "الأول", "1", "ل1");
    CustomLabelsWindow* w = open();
    w->addButton->click();
    type(w, {"أول 1", "O'Neil", "7", ""});
    test::leftClick(w->storeNewPanel);
    EXPECT_EQ(systemTexts(), QStringList({texts::kIncomplete}));
    EXPECT_TRUE(w->adding());
    EXPECT_EQ(readCustomLabels().size(), 1u);

    w->fieldBoxes[3]->setText("لجنة 'ب'");
    test::leftClick(w->storeNewPanel);
    const std::vector<CustomLabel> rows = readCustomLabels();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].text(1), "O'Neil");
    EXPECT_EQ(rows[1].text(3), "لجنة 'ب'");
    EXPECT_EQ(systemTexts().last(), texts::kAdded);
    EXPECT_FALSE(w->adding());
    EXPECT_EQ(boxes(w), QStringList({"أول 1", "O'Neil", "7", "لجنة 'ب'"}));

    // The stored row is the shown one: a delete removes it, not the first.
    EXPECT_EQ(w->currentId(), rows[1].id);
    scope.systemAnswers.push_back(QMessageBox::Yes);
    w->removeButton->click();
    ASSERT_EQ(readCustomLabels().size(), 1u);
    EXPECT_EQ(readCustomLabels()[0].text(1), "الأول");
}

TEST_F(CustomLabelsWindowTest, SavingAsksAndWritesOnlyTheShownRow) {
    put("أ", "سعد", "1", "ل1");
    put("أ", "سعد", "1", "ل1");
    CustomLabelsWindow* w = open();
    w->forwardButton->click();
    w->fieldBoxes[1]->setText("سعد 'الثاني'");

    scope.systemAnswers = {QMessageBox::Cancel, QMessageBox::NoButton};
    w->saveButton->click();
    w->saveButton->click();
    EXPECT_EQ(readCustomLabels()[1].text(1), "سعد");
    ASSERT_EQ(scope.systemShown.size(), 2u);
    EXPECT_EQ(scope.systemShown[0].text, texts::kSaveQuestion);
    EXPECT_EQ(scope.systemShown[0].title, "-");
    EXPECT_EQ(scope.systemShown[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);

    scope.systemAnswers = {QMessageBox::Ok};
    test::leftClick(w->toolbarSpots[4]);
    const std::vector<CustomLabel> rows = readCustomLabels();
    EXPECT_EQ(rows[0].text(1), "سعد");
    EXPECT_EQ(rows[1].text(1), "سعد 'الثاني'");
    EXPECT_EQ(systemTexts().last(), texts::kSaved);

    // An empty box is refused before anything is asked.
    scope.systemShown.clear();
    w->fieldBoxes[2]->clear();
    w->saveButton->click();
    EXPECT_EQ(systemTexts(), QStringList({texts::kIncomplete}));
}

TEST_F(CustomLabelsWindowTest, SavingARowDeletedMeanwhileIsReportedNotSucceeded) {
    put("أ", "سعد", "1", "ل1");
    CustomLabelsWindow* w = open();
    home.exec("Labels.db", "DELETE FROM T1");
    scope.systemAnswers = {QMessageBox::Ok};
    w->saveButton->click();
    EXPECT_EQ(systemTexts().last(), texts::kIncomplete);
    EXPECT_TRUE(readCustomLabels().empty());
}

TEST_F(CustomLabelsWindowTest, DeletingAsksAndOnlyYesDeletes) {
    put("أ", "الأول", "1", "ل1");
    put("ب", "الثاني", "2", "ل2");
    CustomLabelsWindow* w = open();
    w->forwardButton->click();
    scope.systemAnswers = {QMessageBox::No, QMessageBox::NoButton};
    test::leftClick(w->toolbarSpots[3]);
    w->removeButton->click();
    EXPECT_EQ(readCustomLabels().size(), 2u);
    ASSERT_EQ(scope.systemShown.size(), 2u);
    EXPECT_TRUE(scope.systemShown[0].text.startsWith(texts::kDeleteQuestion));
    EXPECT_TRUE(scope.systemShown[0].text.endsWith("الثاني"));
    EXPECT_EQ(scope.systemShown[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(w->fieldBoxes[1]->text(), "الثاني");

    scope.systemAnswers = {QMessageBox::Yes};
    w->removeButton->click();
    const std::vector<CustomLabel> rows = readCustomLabels();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text(1), "الأول");
    EXPECT_EQ(boxes(w), QStringList({"أ", "الأول", "1", "ل1"}));
    EXPECT_EQ(w->currentId(), rows[0].id);
}

TEST_F(CustomLabelsWindowTest, DeletingWaitsAFifthOfASecondBeforeReloading) {
    put("أ", "الأول", "1", "ل1");
    put("ب", "الثاني", "2", "ل2");
    CustomLabelsWindow* w = open();
    platform::setWaitScale(1);
    scope.systemAnswers = {QMessageBox::No};
    QElapsedTimer refused;
    refused.start();
    w->removeButton->click();
    EXPECT_LT(refused.elapsed(), 150);

    scope.systemAnswers = {QMessageBox::Yes};
    QElapsedTimer timer;
    timer.start();
    w->removeButton->click();
    EXPECT_GE(timer.elapsed(), 195);
    EXPECT_LT(timer.elapsed(), 2000);
}

TEST_F(CustomLabelsWindowTest, DeletingTheLastRowLeavesDashes) {
    put("أ", "الأول", "1", "ل1");
    CustomLabelsWindow* w = open();
    scope.systemAnswers = {QMessageBox::Yes};
    w->removeButton->click();
    EXPECT_TRUE(readCustomLabels().empty());
    EXPECT_EQ(boxes(w), QStringList({"-", "-", "-", "-"}));
    EXPECT_EQ(w->currentId(), 0);

    // Nothing is shown, so nothing is asked and nothing deleted.
    put("ب", "الثاني", "2", "ل2");
    scope.systemShown.clear();
    w->fieldBoxes[1]->setText("x");
    CustomLabelsWindow* same = w;
    same->removeButton->click();
    EXPECT_TRUE(scope.systemShown.empty());
    EXPECT_EQ(readCustomLabels().size(), 1u);
    // The view was reopened and now shows the row stored meanwhile.
    EXPECT_EQ(w->fieldBoxes[1]->text(), "الثاني");
}

TEST_F(CustomLabelsWindowTest, PrintingAnEmptyTableWarnsAndShowsNothing) {
    CustomLabelsWindow* w = open();
    test::leftClick(w->printButton);
    ASSERT_EQ(scope.dialogs().shown.size(), 1u);
    EXPECT_EQ(scope.dialogs().shown[0].title, texts::kMsgTitle);
    EXPECT_EQ(scope.dialogs().shown[0].text, texts::kSaveBeforePrint + "\r");
    EXPECT_TRUE(previews->shown.empty());
}

TEST_F(CustomLabelsWindowTest, PrintingTakesTheStoredRowsAfresh) {
    put("أ", "الأول", "1", "ل1");
    put("ب", "الثاني", "2", "ل2");
    put("ج", "الثالث", "3", "ل3");
    CustomLabelsWindow* w = open();
    w->addButton->click();
    type(w, {"د", "الرابع", "4", "ل4"});
    w->onPrintClicked(); // the row being typed is not stored, so not printed
    ASSERT_EQ(previews->shown.size(), 1u);
    const report::LaidOutReport& first = previews->shown[0];
    ASSERT_EQ(first.pages.size(), 1u);
    EXPECT_NE(first.pages[0].findControl("Text7", 1), nullptr);
    EXPECT_EQ(first.pages[0].findControl("Text7", 1)->text, "الثالث");
    EXPECT_EQ(first.pages[0].findControl("Text2", 1)->text, "");

    w->onStoreNewClicked();
    w->onPrintClicked();
    ASSERT_EQ(previews->shown.size(), 2u);
    EXPECT_EQ(previews->shown[1].pages[0].findControl("Text2", 1)->text, "الرابع");
    EXPECT_EQ(previews->shown[1].pages[0].findControl("Text7", 2), nullptr);
}

TEST_F(CustomLabelsWindowTest, ClosingShowsTheOpeningWindowAndKeepsTheMainOneDisabled) {
    QWidget exams;
    CustomLabelsWindow* w = open(&exams);
    EXPECT_FALSE(exams.isVisible());
    test::leftClick(w->closeButton);
    EXPECT_TRUE(exams.isVisible());
    EXPECT_FALSE(form.isEnabled());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(customLabelsWindow(), nullptr);
    exams.hide();
}

TEST_F(CustomLabelsWindowTest, ClosingWithoutAnOpeningWindowGivesTheMainWindowBack) {
    CustomLabelsWindow* w = open();
    EXPECT_FALSE(form.isEnabled());
    w->close();
    EXPECT_TRUE(form.isEnabled());
}

TEST_F(CustomLabelsWindowTest, AMissingDatabaseIsReportedWithoutACrash) {
    ASSERT_TRUE(QFile::remove(home.database("Labels.db")));
    CustomLabelsWindow* w = open();
    ASSERT_EQ(scope.systemShown.size(), 1u);
    EXPECT_NE(scope.systemShown[0].text, texts::kNoData);
    EXPECT_FALSE(scope.systemShown[0].text.isEmpty());
    EXPECT_TRUE(w->adding());

    type(w, {"أ", "ب", "ج", "د"});
    w->onStoreNewClicked();
    EXPECT_EQ(systemTexts().last(), texts::kIncomplete);
    EXPECT_TRUE(w->adding());
    const std::size_t before = scope.systemShown.size();
    w->onPrintClicked();
    EXPECT_EQ(scope.systemShown.size(), before + 1);
    EXPECT_TRUE(previews->shown.empty());
    EXPECT_FALSE(QFile::exists(home.database("Labels.db")));
}

TEST_F(CustomLabelsWindowTest, TheMarkerFollowsTheMouseOverTheToolbar) {
    CustomLabelsWindow* w = open();
    for (int i : {3, 0, 6}) {
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(w->toolbarSpots[i], &enter);
        const QRect spot = w->toolbarSpots[i]->geometry();
        EXPECT_EQ(w->spotMarker->x(), spot.x() + spot.width() - platform::twips(210)) << i;
    }
}

// The class picker names each class of a school whose names hold the
// program's separators, and labels keep such texts exactly.
TEST(CustomLabelsWindowOddNames, ClassesAndLabelsKeepTheirTexts) {
    test::TestHome home;
    test::ScriptedScope scope;
    test::finishProfile(home);
    test::seedOddNamesSchool(home);
    test::putLabel(home, "أول 1:ب", "ماجد %1 %", "2", "لجنة <1> & 'ب'");
    shell::MainForm form;
    ASSERT_TRUE(form.formLoad());
    openCustomLabels(nullptr);
    CustomLabelsWindow* w = customLabelsWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(test::comboItems(w->classPicker),
              QStringList({"أول %1 & <ج>", "أول 1", "أول 1-أ", "أول 1:ب", "ثاني  2|\"د\" "}));
    QStringList shown;
    for (const QLineEdit* box : w->fieldBoxes)
        shown << box->text();
    EXPECT_EQ(shown, QStringList({"أول 1:ب", "ماجد %1 %", "2", "لجنة <1> & 'ب'"}));

    w->addButton->click();
    w->classPicker->setCurrentIndex(2);
    emit w->classPicker->activated(2);
    w->fieldBoxes[1]->setText("علي|حسن");
    w->fieldBoxes[2]->setText("1");
    w->fieldBoxes[3]->setText("%1");
    w->onStoreNewClicked();
    const std::vector<CustomLabel> rows = readCustomLabels();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].text(3), "لجنة <1> & 'ب'");
    EXPECT_EQ(QStringList({rows[1].text(0), rows[1].text(1), rows[1].text(2), rows[1].text(3)}),
              QStringList({"أول 1-أ", "علي|حسن", "1", "%1"}));
    w->close();
    delete w;
}
