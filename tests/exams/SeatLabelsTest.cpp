#include "labels/SeatLabels.h"
#include "exams/ExamControlWindow.h"
#include "exams/ExamsWiring.h"
#include "exams/LabelsPanel.h"
#include "exams/SeatLabelsPrint.h"
#include "labels/CustomLabelsWindow.h"
#include "labels/SeatTexts.h"
#include "platform/AppState.h"
#include "platform/Wait.h"
#include "report/LayoutLibrary.h"
#include "report/ReportOutput.h"
#include "reports/NameListMenu.h"
#include "shell/MainForm.h"
#include "shell/ShellTestSupport.h"
#include "support/ScriptedDialogs.h"
#include "support/TitledPreviews.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

namespace sijill::exams {
namespace {

namespace t = labels::seat_texts;
using labels::SeatSheet;

std::vector<labels::SeatStudent> pupils(int n) {
    std::vector<labels::SeatStudent> out;
    for (int i = 1; i <= n; ++i)
        out.push_back({QStringLiteral("طالب %1").arg(i), QStringLiteral("10%1").arg(i)});
    return out;
}

TEST(SeatNumbers, PrefixNumberTextAndExactClassMatch) {
    EXPECT_EQ(labels::seatNumberText(1), "01");
    EXPECT_EQ(labels::seatNumberText(10), "10");
    EXPECT_EQ(labels::seatNumberText(100), "100");
    EXPECT_EQ(labels::seatPrefix("ثالث-1"), "3");
    EXPECT_EQ(labels::seatPrefix("الثاني-1"), "2");
    EXPECT_EQ(labels::seatPrefix("خامس-1"), "");

    const QStringList keys{"ثالث-1", "ثالث-10", "ثالث-2", "خامس-1"};
    const auto place = labels::findClass("ثالث-10", keys);
    ASSERT_TRUE(place);
    EXPECT_EQ(place->position, 1);
    EXPECT_EQ(labels::findClass("ثالث-2", keys)->position, 2);
    EXPECT_FALSE(labels::findClass("ثالث-3", keys)); // no item merely containing it
    EXPECT_FALSE(labels::findClass("ثالث", keys));
    // A key inside a longer item is not that item.
    EXPECT_EQ(labels::findClass("مطور-1", {"ثالث مطور-1", "مطور-1"})->position, 1);
}

TEST(SeatNumbers, GradeNumberingCountsEarlierClassesOfTheSameGrade) {
    const QStringList keys{"ثالث-1", "ثالث-10", "ثالث-2", "خامس-1"};
    const auto none = [](const QString&, const QString&) { return 100; };
    EXPECT_EQ(labels::gradeNumberingStart(keys, 2, "|2|1|3|5", none), 3);
    EXPECT_EQ(labels::gradeNumberingStart(keys, 0, "|2|1|3|5", none), 0);
    EXPECT_EQ(labels::gradeNumberingStart(keys, 3, "|2|1|3|5", none), 0);
    // Counts missing from ClassCounts are asked of the database.
    QStringList asked;
    const auto count = [&asked](const QString& g, const QString& c) {
        asked << g + "/" + c;
        return 4;
    };
    EXPECT_EQ(labels::gradeNumberingStart(keys, 2, "|2", count), 6);
    EXPECT_EQ(asked, QStringList{"ثالث/10"});
}

TEST(SeatRows, PairsAndSignatureLines) {
    labels::SeatRows r =
        labels::buildSeatRows(SeatSheet::ClassLabels, pupils(5), "", 0, "الفصل", "لجنة 1");
    ASSERT_EQ(r.rows.rowCount(), 3);
    EXPECT_EQ(r.rows.text(0, "d3"), "01");
    EXPECT_EQ(r.rows.text(0, "d5"), "02");
    EXPECT_EQ(r.rows.text(0, "d1"), "طالب 1");
    EXPECT_EQ(r.rows.text(0, "d2"), "طالب 2");
    EXPECT_EQ(r.rows.text(0, "d8"), "102");
    EXPECT_EQ(r.rows.text(2, "d3"), "05");
    // The fifth student sits alone: no seat number for a sixth.
    EXPECT_EQ(r.rows.text(2, "d5"), "");
    EXPECT_EQ(r.rows.text(2, "d6"), "لجنة 1");
    EXPECT_EQ(r.rows.text(2, "d4"), "الفصل");
    EXPECT_EQ(r.rows.text(2, "d2"), "");
    EXPECT_EQ(r.rows.text(2, "d8"), "");
    EXPECT_EQ(r.lastNumberText, "05");

    r = labels::buildSeatRows(SeatSheet::Signatures, pupils(5), "3", 98, "", "");
    ASSERT_EQ(r.rows.rowCount(), 5);
    EXPECT_EQ(r.rows.text(0, "d0"), "399");
    EXPECT_EQ(r.rows.text(1, "d0"), "3100");
    EXPECT_EQ(r.rows.text(4, "d1"), "طالب 5");
    EXPECT_EQ(r.rows.text(4, "d2"), "105");
    EXPECT_EQ(r.lastNumberText, "103");
}

// The program started with classes of grades ثالث and خامس (one grade name
// containing another's class key), students in some of them, an exam
// schedule for ثالث, and the exam-control window opened on its labels panel.
class SeatLabels : public ::testing::Test {
protected:
    void SetUp() override {
        scale_ = platform::waitScale();
        platform::setWaitScale(0);
        previous_ = report::setPreviewSink(previews);
        report::layoutLibrary().clear();
        test::finishProfile(home);
        for (const char* cls : {"1", "2", "10"})
            addClass("ثالث", cls);
        addClass("خامس", "1");
        addClass("رابع", "1"); // no students
        addClass("أول", "1");
        addStudents("ثالث", "1", 2);
        addStudents("ثالث", "10", 1);
        addStudents("ثالث", "2", 3);
        addStudents("خامس", "1", 5);
        form = std::make_unique<shell::MainForm>();
        ASSERT_TRUE(form->formLoad());
        installExamControl(*form);
        form->show();
        form->chooseMenuItem(shell::MainMenuItem::ExamControlLabels);
        window = examControlWindow();
        ASSERT_NE(window, nullptr);
        panel = labelsPanel(*window);
        ASSERT_NE(panel, nullptr);
    }
    void TearDown() override {
        delete labels::customLabelsWindow();
        delete examControlWindow();
        form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        report::setPreviewSink(previous_);
        platform::setWaitScale(scale_);
    }

    void addClass(const QString& grade, const QString& cls) {
        home.exec("Schedual.db", QString("INSERT INTO grades (kind, grade, class, order_it) "
                                         "VALUES ('ابتدائي', '%1', '%2', 1)")
                                     .arg(grade, cls));
    }
    void addStudents(const QString& grade, const QString& cls, int n) {
        for (int i = n; i >= 1; --i)
            home.exec("MyDatabase.db",
                      QString("INSERT INTO T1 (d0, d1, d2, d3, d4, d5, d6, d7, d8) VALUES "
                              "('0%1', '%2 %3 %1', '0', '%3%1', '1', 'الابتدائي', '%2', '%3', '0')")
                          .arg(i)
                          .arg(grade, cls));
    }
    void addExam(const QString& grade, const QString& date, const QString& period,
                 const QString& subject) {
        home.exec("Schedual.db",
                  QString("INSERT INTO T1 (D0, D1, D2, D3, D4, D5, D6, D7, D8, F_Order) VALUES "
                          "('1', 'الأحد', '%1', '%2', '%3', '', '', '', '%4', 0)")
                      .arg(date, grade, subject, period));
    }
    void choose(const QString& key) {
        const int i = window->labelsClassPicker->findText(key);
        ASSERT_GT(i, 0) << key.toStdString();
        window->labelsClassPicker->setCurrentIndex(i);
        window->onLabelsClassChosen();
    }
    const report::LaidOutReport& last() const { return previews->shown.back(); }
    QStringList texts(const QString& control) const {
        QStringList out;
        for (const auto& page : last().pages)
            for (const auto& item : page.items)
                if (item.kind == report::DrawnItem::Kind::Text &&
                    item.control.compare(control, Qt::CaseInsensitive) == 0)
                    out << item.text;
        return out;
    }

    test::TestHome home;
    test::ScriptedScope scope;
    std::shared_ptr<report::RecordingPreviewSink> previews =
        std::make_shared<test::TitledPreviews>();
    std::unique_ptr<shell::MainForm> form;
    ExamControlWindow* window = nullptr;
    LabelsPanel* panel = nullptr;

private:
    std::shared_ptr<report::PreviewSink> previous_;
    double scale_ = 1;
};

TEST_F(SeatLabels, PanelRowsAndTheNumberingBoxes) {
    EXPECT_FALSE(window->labelsPanelFrame->isHidden());
    ASSERT_EQ(panel->menuRows.size(), 4u);
    EXPECT_EQ(panel->menuRows[3]->text(), t::kRowSignatures);
    EXPECT_EQ(panel->startNumberBox->text(), "1");
    EXPECT_EQ(panel->committeeNameBox->text(), t::kCommitteeDesign);
    // No class of grade one.
    EXPECT_EQ(window->labelsClassPicker->findText("أول-1"), -1);

    window->classSeriesBox->click();
    EXPECT_TRUE(window->classSeriesBox->isChecked());
    EXPECT_FALSE(window->allSeriesBox->isChecked());
    window->allSeriesBox->click();
    EXPECT_FALSE(window->classSeriesBox->isChecked());
    window->allSeriesBox->click(); // clearing one leaves the other as it was
    EXPECT_FALSE(window->allSeriesBox->isChecked());
    EXPECT_FALSE(window->classSeriesBox->isChecked());

    panel->highlightMenuRow(2);
    panel->highlightMenuRow(1);
    int lit = 0;
    for (QLabel* row : panel->menuRows)
        lit += row->palette().color(QPalette::Window) == QColor(0xA7, 0xC7, 0xEC);
    EXPECT_EQ(lit, 1);
}

TEST_F(SeatLabels, ThePromptRefusesPrintsButNotTheCustomLabels) {
    installSeatLabels(*form)->CommitteePrintMode = 2;
    panel->committeeNameBox->setText("لجنة 4");
    panel->onMenuRowClicked(0);
    ASSERT_EQ(scope.dialogs().shown.size(), 1u);
    EXPECT_EQ(scope.dialogs().shown[0].text, t::kChooseClass + "\r\n");
    EXPECT_EQ(scope.dialogs().shown[0].style, 1);
    EXPECT_TRUE(previews->shown.empty());
    EXPECT_EQ(seatLabelsPrint(*form)->CommitteePrintMode, 2);
    // The texts went over crossed, also for a refused print.
    EXPECT_EQ(form->seatCommitteeText->text(), "لجنة 4");
    EXPECT_EQ(form->seatClassText->text(), window->labelsClassText->text());

    panel->onMenuRowClicked(1);
    ASSERT_NE(labels::customLabelsWindow(), nullptr);
    EXPECT_TRUE(labels::customLabelsWindow()->isVisible());
    EXPECT_FALSE(form->isEnabled());
}

TEST_F(SeatLabels, ClassLabelsInPairsWithTheOddLastSeat) {
    choose("خامس-1");
    panel->committeeNameBox->setText("اللجنة الثالثة");
    window->labelsClassText->setText("الخامس أ");
    panel->onMenuRowClicked(0);
    ASSERT_EQ(previews->shown.size(), 1u);
    EXPECT_EQ(last().layoutName, "LabelP");
    EXPECT_EQ(texts("Text9"), (QStringList{"01", "03", "05"}));
    // The fifth student sits alone: no seat for a sixth who does not exist.
    EXPECT_EQ(texts("Text10"), (QStringList{"02", "04", ""}));
    EXPECT_EQ(texts("Text7"), (QStringList{"خامس 1 1", "خامس 1 3", "خامس 1 5"}));
    EXPECT_EQ(texts("Text2"), (QStringList{"خامس 1 2", "خامس 1 4", ""}));
    EXPECT_EQ(texts("Text5").last(), "اللجنة الثالثة");
    EXPECT_EQ(texts("Text4").last(), "الخامس أ");
    EXPECT_EQ(form->classPicker->currentText(), "خامس-1");
    EXPECT_EQ(form->seatNumberPrefix->text(), "");
    EXPECT_EQ(form->lastSeatNumber->text(), "05");
}

TEST_F(SeatLabels, AClassWithoutStudentsShowsTheHeaderAndNoRows) {
    form->lastSeatNumber->setText("17");
    choose("رابع-1");
    window->labelsClassText->setText("الرابع");
    panel->onMenuRowClicked(2);
    ASSERT_EQ(previews->shown.size(), 1u);
    EXPECT_EQ(last().layoutName, "LabelNames");
    EXPECT_TRUE(texts("co1").isEmpty());
    EXPECT_EQ(texts("Class"), QStringList{"الرابع"});
    EXPECT_EQ(form->lastSeatNumber->text(), "17");
    EXPECT_EQ(form->classPicker->currentText(), "رابع-1");
}

TEST_F(SeatLabels, StartNumberAndGradeNumbering) {
    choose("ثالث-2");
    panel->startNumberBox->setText("21");
    panel->onMenuRowClicked(2);
    EXPECT_EQ(last().layoutName, "LabelNames");
    EXPECT_EQ(texts("co1"), (QStringList{"21", "23"}));
    EXPECT_EQ(texts("Place"), QStringList{t::kCommitteeDesign});

    // Continuous over the grade: ثالث-1 and ثالث-10 stand before ثالث-2 in the
    // class list and hold three students; the seats carry the grade's prefix.
    window->classSeriesBox->click();
    panel->onMenuRowClicked(0);
    EXPECT_EQ(texts("Text9"), (QStringList{"304", "306"}));
    EXPECT_EQ(form->seatNumberPrefix->text(), "3");
    // The same without the start-up counts.
    appState().ClassCounts.clear();
    panel->onMenuRowClicked(0);
    EXPECT_EQ(texts("Text9"), (QStringList{"304", "306"}));

    // A start number that is no number prints nothing.
    window->allSeriesBox->click();
    panel->startNumberBox->setText("abc");
    const std::size_t before = previews->shown.size();
    panel->onMenuRowClicked(0);
    EXPECT_EQ(previews->shown.size(), before);
    EXPECT_EQ(scope.dialogs().shown.back().text, t::kBadStart);
}

TEST_F(SeatLabels, SignatureSheetWithTheGradesSubjectsInDateOrder) {
    addExam("ثالث", "1446/03/02", "الثانية", "علوم");
    addExam("ثالث", "1446/03/01", "الأولى", "لغتي");
    addExam("ثالث", "1446/03/02", "الأولى", "رياضيات");
    addExam("ثالث مطور", "1446/02/01", "الأولى", "غريب");
    choose("ثالث-10");
    panel->committeeNameBox->setText("لجنة 7");
    panel->onMenuRowClicked(3);
    ASSERT_FALSE(previews->shown.empty());
    EXPECT_EQ(last().layoutName, "ExSign");
    EXPECT_EQ(texts("Text1"), QStringList{"01"});
    EXPECT_EQ(texts("Text7"), QStringList{"ثالث 10 1"});
    EXPECT_EQ(texts("Label5").value(0), "لغتي");
    EXPECT_EQ(texts("Label6").value(0), "رياضيات");
    EXPECT_EQ(texts("Label7").value(0), "علوم");
    EXPECT_EQ(texts("Label8").value(0), "");
    EXPECT_EQ(texts("kl5").value(0), "لجنة 7");
    EXPECT_EQ(texts("Class").value(0), QString("ثالث-10") + t::kExtraOpen + t::kExtraClose);
    EXPECT_EQ(texts("kl1").value(0), t::kCountry);
    EXPECT_EQ(texts("Label2").value(0), "");

    // What a class list of another class left behind stays off the sheet.
    reports::NameListMenu* names = reports::installNameListMenu(*form);
    form->classPicker->setCurrentIndex(form->classPicker->findText("ثالث-2"));
    names->loadChosenClass();
    ASSERT_EQ(names->classData().HeaderClassText, "ثالث");
    choose("خامس-1");
    panel->committeeNameBox->setText(t::kCommitteeDesign);
    panel->onMenuRowClicked(3);
    EXPECT_EQ(texts("Class").value(0), QString("خامس-1") + t::kExtraOpen + t::kExtraClose);
    EXPECT_EQ(texts("kl5").value(0), t::kCommitteeDesign);
    EXPECT_EQ(texts("Text1").size(), 5);
}

} // namespace
} // namespace sijill::exams
