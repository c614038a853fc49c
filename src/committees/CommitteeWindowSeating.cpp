// The distribution of the students and each committee's sheets.
#include "committees/CommitteeWindow.h"
#include "committees/Sheets.h"
#include "committees/Texts.h"
#include "data/Connection.h"
#include "data/DataError.h"
#include "platform/BidiText.h"
#include "report/LayoutLibrary.h"
#include "report/ReportError.h"
#include "report/ReportOutput.h"
#include "shell/Ask.h"
#include "shell/MainForm.h"
#include "shell/SchoolProfile.h"
#include "shell/SchoolProfileWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>

namespace sijill::committees {

void CommitteeWindow::onDistributeClicked() {
    // The old seating is replaced together with the new one in onSeatStudentsClicked, so a
    // failure keeps it; only the batch flag is left to clear.
    if (BatchMode == -1)
        BatchMode = 0;
    studentQueueList->clear();
    otherGrades_.clear();
    unflagged_.clear();
    try {
        data::Connection students(data::Database::Students);
        const std::array<QString, kGrades> names = seatGradeNames();
        for (int g = 0; g < kGrades; ++g) {
            auto& block = queue_[static_cast<std::size_t>(g)];
            block = names[static_cast<std::size_t>(g)].isEmpty()
                        ? std::vector<Student>{}
                        : studentsOfGrade(students, names[static_cast<std::size_t>(g)]);
            for (const Student& s : block)
                studentQueueList->addItem(
                    QStringList{s.stage, s.grade, s.cls, s.name, s.number}.join('|'));
        }
        // Who is left out, and why, goes into the result, so that no one
        // takes the seating for the whole school.
        for (int k = kGrades; k < gradePicker->count(); ++k) {
            const QString grade = gradePicker->itemText(k).trimmed();
            otherGrades_.emplace_back(grade, countGrade(students, grade));
        }
        unflagged_ = unflaggedStudents(students);
    } catch (const data::DataError& e) {
        reportFailure(texts::kDistributionFailed + QStringLiteral("\r") + userMessageOf(e));
        return;
    }
    onSeatStudentsClicked();
    checkSeating();
}

void CommitteeWindow::onClearSeatingClicked() {
    if (BatchMode == -1) {
        BatchMode = 0;
        return;
    }
    try {
        data::Connection schedual(data::Database::Schedule);
        clearSeating(schedual);
    } catch (const data::DataError& e) {
        reportFailure(userMessageOf(e));
    }
}

void CommitteeWindow::onReadSubjectsClicked() {
    gradeSubjectsList->clear();
    for (QStringList& s : subjects_)
        s.clear();
    data::Connection schedual(data::Database::Schedule);
    for (int i = 0; i < subjectGradesBox->count() && i < kGrades; ++i) {
        const QStringList subjects = examSubjects(schedual, subjectGradesBox->itemText(i));
        subjects_[static_cast<std::size_t>(i)] = subjects;
        gradeSubjectsList->addItem(subjectGradesBox->itemText(i) + QStringLiteral("|") +
                                   subjects.join('|'));
    }
}

void CommitteeWindow::onSeatStudentsClicked() {
    const std::vector<CommitteeRecord> records = committeeRecords();
    std::vector<CommitteeSeats> committees;
    for (const CommitteeRecord& r : records) {
        CommitteeSeats c{r.name, {}};
        for (std::size_t g = 0; g < c.seats.size(); ++g)
            c.seats[g] = r.seats[g].value_or(0);
        committees.push_back(c);
    }
    DistributionOutcome outcome{0, otherGrades_, unflagged_, {}};
    try {
        onReadSubjectsClicked();
        const SeatingPlan plan = planSeating(committees, seatGradeNames(), queue_, subjects_);
        if (!plan.error.isEmpty()) {
            reportFailure(texts::kDistributionFailed + QStringLiteral("\r") + plan.error);
            return;
        }
        data::Connection schedual(data::Database::Schedule);
        // The rows seated from are stored with the seating: their shares
        // then match the seats of each committee.
        writeSeating(schedual, plan.rows, records);
        outcome.seated = plan.seated;
    } catch (const data::DataError& e) {
        reportFailure(texts::kDistributionFailed + QStringLiteral("\r") + userMessageOf(e));
        return;
    }
    stored_ = records;
    refreshSaveIcons();
    layOutPrintIcons();
    for (std::size_t i = 0; i < committees.size(); ++i) {
        const GradeSeats& seats = committees[i].seats;
        outcome.committees.push_back({committees[i].name, seats[0] + seats[1] + seats[2],
                                      wholeNumber(capacityBoxes[i]->text())});
    }
    shell::tell(distributionMessage(outcome));
}

void CommitteeWindow::checkSeating() {
    drift_ = {};
    try {
        data::Connection students(data::Database::Students);
        std::array<std::vector<Student>, kGrades> toSeat;
        const std::array<QString, kGrades> names = seatGradeNames();
        for (std::size_t g = 0; g < toSeat.size(); ++g) {
            if (!names[g].isEmpty())
                toSeat[g] = studentsOfGrade(students, names[g]);
        }
        data::Connection schedual(data::Database::Schedule);
        drift_ = seatingDrift(schedual, toSeat);
    } catch (const data::DataError&) {
        // Unreadable now: the sheets report it themselves when asked for.
    }
    // Before any distribution there is no seating to fall behind. The
    // committees are taken as stored: a name typed and not saved is no change.
    QStringList lines;
    if (drift_.seated > 0 && drift_.differs())
        lines << texts::kSeatingDrift.arg(QString::number(drift_.gone),
                                          QString::number(drift_.unseated));
    QStringList unseated;
    for (const std::size_t i : unseatedCommittees(drift_, stored_))
        unseated << platform::isolate(shownName(stored_[i].name, i));
    if (!unseated.isEmpty())
        lines << texts::kCommitteesUnseated.arg(unseated.join(QStringLiteral("، ")));
    // The note has room for one line: what does not fit it is told in short,
    // in full in its tip and in the question before a print.
    QString note = lines.value(0);
    if (lines.size() > 1)
        note = texts::kSeatingStale;
    else if (!unseated.isEmpty() &&
             seatingNote->fontMetrics().horizontalAdvance(note) > seatingNote->width())
        note = texts::kCommitteesUnseatedShort;
    seatingNote->setText(note);
    seatingNote->setToolTip(lines.join(QLatin1Char('\n')));
    seatingNote->setVisible(!lines.isEmpty());
}

QString CommitteeWindow::shownName(const QString& name, std::size_t index) {
    return name.trimmed().isEmpty() ? texts::kUnnamedCommittee.arg(index + 1) : name.trimmed();
}

bool CommitteeWindow::printAnyway(int index) {
    // Asked where every sheet and label print passes, from the tables and the
    // rows as they stand now: the print looks the committee up by the name in
    // its box.
    checkSeating();
    QStringList reasons;
    if (drift_.seated > 0 && drift_.differs())
        reasons << texts::kDriftedReason.arg(QString::number(drift_.gone),
                                             QString::number(drift_.unseated));
    const std::vector<CommitteeRecord> shown = committeeRecords();
    for (const std::size_t i : unseatedCommittees(drift_, shown)) {
        if (i == static_cast<std::size_t>(index))
            reasons << texts::kUnseatedReason.arg(platform::isolate(shownName(shown[i].name, i)));
    }
    const bool accepted = std::all_of(reasons.begin(), reasons.end(), [this](const QString& r) {
        return acceptedReasons_.contains(r);
    });
    if (accepted)
        return true;
    // Cancel is what Enter presses: nothing prints without a yes, and a
    // question stands until the user has said yes to it once in this opening.
    if (shell::ask({(reasons << texts::kAskPrintAsItIs).join(QStringLiteral("\r")),
                    shell::Buttons::YesNoCancel, shell::YesEffect::Keeps, shell::Tone::Alarm}) !=
        shell::Answer::Yes)
        return false;
    for (const QString& r : reasons)
        acceptedReasons_.insert(r);
    return true;
}

// Every committee row shows its sheet and label icons; the entry row none.
void CommitteeWindow::layOutPrintIcons() {
    for (int j = 0; j < rowCount(); ++j) {
        const bool committee = j + 1 < rowCount();
        sheetIcons[static_cast<std::size_t>(j)]->setVisible(committee);
        labelsIcons[static_cast<std::size_t>(j)]->setVisible(committee);
    }
}

void CommitteeWindow::onReadSheetRowsClicked() {
    data::Connection schedual(data::Database::Schedule);
    SheetRowset = committeeRows(schedual, nameBoxes[static_cast<std::size_t>(SheetRow)]->text());
    SheetRowCount = SheetRowset.recordCount();
}

void CommitteeWindow::onSheetClicked(int index) {
    if (index < 0 || index >= rowCount() || !printAnyway(index))
        return;
    SheetRow = index;
    try {
        onReadSheetRowsClicked();
        const shell::SchoolProfile profile = shell::schoolProfile();
        SheetHeader header{profile.Admin, profile.School, profile.ThisYear, profile.ThisName, {}};
        if (const shell::MainForm* main = shell::mainForm())
            header.logo = main->reportLogo->pixmap().toImage();
        report::ReportLayout& layout = report::layout(kSheetLayout);
        fillSignatureSheet(layout, header, nameBoxes[static_cast<std::size_t>(index)]->text(),
                           SheetRowset);
        report::showPreview(layout, texts::kSheetTip);
    } catch (const data::DataError& e) {
        reportFailure(texts::kSheetFailed + QStringLiteral("\r") + userMessageOf(e));
    } catch (const report::ReportError& e) {
        reportFailure(texts::kSheetFailed + QStringLiteral("\r") + e.message());
    }
}

void CommitteeWindow::onLabelsClicked(int index) {
    if (index < 0 || index >= rowCount() || !printAnyway(index))
        return;
    try {
        data::Connection schedual(data::Database::Schedule);
        const data::RecordSet rows =
            committeeRows(schedual, nameBoxes[static_cast<std::size_t>(index)]->text());
        report::ReportLayout& layout = report::layout(kLabelsLayout);
        fillDeskLabels(layout, rows);
        report::showPreview(layout, texts::kLabelsTip);
    } catch (const data::DataError& e) {
        reportFailure(texts::kSheetFailed + QStringLiteral("\r") + userMessageOf(e));
    } catch (const report::ReportError& e) {
        reportFailure(texts::kSheetFailed + QStringLiteral("\r") + e.message());
    }
}

} // namespace sijill::committees
