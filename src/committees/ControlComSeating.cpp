// The distribution of the students and each committee's sheets.
#include "committees/ControlCom.h"
#include "committees/Sheets.h"
#include "committees/Texts.h"
#include "data/Connection.h"
#include "data/DataError.h"
#include "report/LayoutLibrary.h"
#include "report/ReportError.h"
#include "report/ReportOutput.h"
#include "shell/InfoMain.h"
#include "shell/MGForm.h"
#include "shell/MainForm.h"
#include "shell/SchoolProfile.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace sijill::committees {

void ControlCom::Command2_Click() {
    // The old seating is replaced together with the new one in FillCom, so a
    // failure keeps it; only the batch flag is left to clear.
    if (BatchMode == -1)
        BatchMode = 0;
    List3->clear();
    QStringList leftOut;
    notSeated_ = 0;
    try {
        data::Connection students(data::Database::MyDatabase);
        const std::array<QString, kGrades> names = seatGradeNames();
        for (int g = 0; g < kGrades; ++g) {
            auto& block = queue_[static_cast<std::size_t>(g)];
            block = names[static_cast<std::size_t>(g)].isEmpty()
                        ? std::vector<Student>{}
                        : studentsOfGrade(students, names[static_cast<std::size_t>(g)]);
            for (const Student& s : block)
                List3->addItem(QStringList{s.stage, s.grade, s.cls, s.name, s.number}.join('|'));
        }
        // The window seats three grades; the others are named before anything
        // is written, so that no one takes the result for the whole school.
        for (int k = kGrades; k < Combo2->count(); ++k) {
            const QString grade = Combo2->itemText(k).trimmed();
            const int count = countGrade(students, grade);
            notSeated_ += count;
            leftOut << texts::kGradeCount.arg(grade).arg(count);
        }
    } catch (const data::DataError& e) {
        reportFailure(texts::kDistributionFailed + QStringLiteral("\r") + userMessageOf(e));
        return;
    }
    if (!leftOut.isEmpty())
        shell::ShowMsg(texts::kTitle,
                       texts::kGradesLeftOut + QStringLiteral("\r") +
                           leftOut.join(QStringLiteral("\r")),
                       1, 1);
    FillCom_Click();
}

void ControlCom::DeleteAll_Click() {
    if (BatchMode == -1) {
        BatchMode = 0;
        return;
    }
    try {
        data::Connection schedual(data::Database::Schedual);
        schedual.execute(QStringLiteral("DELETE FROM Com"));
    } catch (const data::DataError& e) {
        reportFailure(userMessageOf(e));
    }
}

void ControlCom::GetSchadual_Click() {
    List4->clear();
    for (QStringList& s : subjects_)
        s.clear();
    data::Connection schedual(data::Database::Schedual);
    for (int i = 0; i < Combo1->count() && i < kGrades; ++i) {
        const QStringList subjects = examSubjects(schedual, Combo1->itemText(i));
        subjects_[static_cast<std::size_t>(i)] = subjects;
        List4->addItem(Combo1->itemText(i) + QStringLiteral("|") + subjects.join('|'));
    }
}

void ControlCom::FillCom_Click() {
    std::vector<CommitteeSeats> committees;
    for (int i = 0; i + 1 < rowCount(); ++i) {
        CommitteeSeats c{ComName[static_cast<std::size_t>(i)]->text(), {}};
        for (int g = 1; g <= kGrades; ++g)
            c.seats[static_cast<std::size_t>(g - 1)] = leadingNumber(seatLabel(g, i)->text());
        committees.push_back(c);
    }
    int seated = 0;
    try {
        GetSchadual_Click();
        const SeatingPlan plan = planSeating(committees, seatGradeNames(), queue_, subjects_);
        if (!plan.error.isEmpty()) {
            reportFailure(texts::kDistributionFailed + QStringLiteral("\r") + plan.error);
            return;
        }
        data::Connection schedual(data::Database::Schedual);
        writeSeating(schedual, plan.rows);
        seated = plan.seated;
    } catch (const data::DataError& e) {
        reportFailure(texts::kDistributionFailed + QStringLiteral("\r") + userMessageOf(e));
        return;
    }
    layOutPrintIcons();
    QString done = texts::kDistributed;
    if (notSeated_ > 0)
        done += QStringLiteral("\r") + texts::kSeatedCount.arg(seated) + QStringLiteral("\r") +
                texts::kNotSeatedCount.arg(notSeated_);
    shell::ShowMsg(texts::kTitle, done, 1, 0);
}

// Every committee row shows its sheet and label icons; the entry row none.
void ControlCom::layOutPrintIcons() {
    for (int j = 0; j < rowCount(); ++j) {
        const bool committee = j + 1 < rowCount();
        ImPrint[static_cast<std::size_t>(j)]->setVisible(committee);
        Image4[static_cast<std::size_t>(j)]->setVisible(committee);
    }
}

void ControlCom::Header_Click() {
    data::Connection schedual(data::Database::Schedual);
    SheetRowset = committeeRows(schedual, ComName[static_cast<std::size_t>(SheetRow)]->text());
    SheetRowCount = SheetRowset.recordCount();
}

void ControlCom::ImPrint_Click(int index) {
    if (index < 0 || index >= rowCount())
        return;
    SheetRow = index;
    try {
        Header_Click();
        const shell::SchoolProfile profile = shell::schoolProfile();
        SheetHeader header{profile.Admin, profile.School, profile.ThisYear, profile.ThisName, {}};
        if (const shell::MainForm* main = shell::mainForm())
            header.logo = main->MinLogo->pixmap().toImage();
        report::ReportLayout& layout = report::layout(kSheetLayout);
        fillSignatureSheet(layout, header, ComName[static_cast<std::size_t>(index)]->text(),
                           SheetRowset);
        report::showPreview(layout);
    } catch (const data::DataError& e) {
        reportFailure(texts::kSheetFailed + QStringLiteral("\r") + userMessageOf(e));
    } catch (const report::ReportError& e) {
        reportFailure(texts::kSheetFailed + QStringLiteral("\r") + e.message());
    }
}

void ControlCom::Image4_Click(int index) {
    if (index < 0 || index >= rowCount())
        return;
    try {
        data::Connection schedual(data::Database::Schedual);
        const data::RecordSet rows =
            committeeRows(schedual, ComName[static_cast<std::size_t>(index)]->text());
        report::ReportLayout& layout = report::layout(kLabelsLayout);
        fillDeskLabels(layout, rows);
        report::showPreview(layout);
    } catch (const data::DataError& e) {
        reportFailure(texts::kSheetFailed + QStringLiteral("\r") + userMessageOf(e));
    } catch (const report::ReportError& e) {
        reportFailure(texts::kSheetFailed + QStringLiteral("\r") + e.message());
    }
}

} // namespace sijill::committees
