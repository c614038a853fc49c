// The committee list: counting, creation, seat shares and saving the rows.
#include "committees/CommitteeWindow.h"
#include "committees/Texts.h"
#include "data/Connection.h"
#include "data/DataError.h"
#include "platform/BidiText.h"
#include "platform/Presenters.h"
#include "platform/Twips.h"
#include "shell/Ask.h"
#include "shell/MainForm.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <cmath>

namespace sijill::committees {

namespace {
QString plainNumber(double v) {
    return QString::number(v, 'g', 15);
}
} // namespace

CommitteeRecord CommitteeWindow::recordOfRow(int row) const {
    const auto r = static_cast<std::size_t>(row);
    CommitteeRecord c{nameBoxes[r]->text(), deskRowBoxes[r]->text(), capacityBoxes[r]->text(), {}};
    for (int g = 1; g <= kGrades; ++g)
        c.seats[static_cast<std::size_t>(g - 1)] = leadingNumber(seatLabel(g, row)->text());
    return c;
}

std::vector<CommitteeRecord> CommitteeWindow::committeeRecords() const {
    std::vector<CommitteeRecord> out;
    for (int i = 0; i + 1 < rowCount(); ++i)
        out.push_back(recordOfRow(i));
    return out;
}

std::array<QString, kGrades> CommitteeWindow::seatGradeNames() const {
    std::array<QString, kGrades> names;
    for (int k = 0; k < kGrades && k < gradePicker->count(); ++k)
        names[static_cast<std::size_t>(k)] = gradePicker->itemText(k).trimmed();
    return names;
}

void CommitteeWindow::onCountStudentsClicked() {
    try {
        data::Connection students(data::Database::Students);
        const QString selected = gradePicker->currentText();
        countBoxes[0]->setText(
            QString::number(selected.isEmpty() ? 0 : countGrade(students, selected)));
        remainingLabel->setText(countBoxes[0]->text());
        const shell::MainForm* main = shell::mainForm();
        countBoxes[1]->setText(QString::number(main ? main->classPicker->count() - 1 : 0));
        // A grade list shorter than three counts the missing grades as 0.
        QStringList counts;
        const std::array<QString, kGrades> names = seatGradeNames();
        for (int k = 0; k < kGrades; ++k) {
            const QString& grade = names[static_cast<std::size_t>(k)];
            const int n = grade.isEmpty() ? 0 : countGrade(students, grade);
            gradeCountBoxes[static_cast<std::size_t>(k)]->setText(QString::number(n));
            counts << QString::number(n);
        }
        GradeSummary = texts::kGradesCaption + QStringLiteral("-") + counts.join(QLatin1Char('-'));
        if (gradePicker->count() >= kGrades) {
            const QSignalBlocker block(gradePicker);
            gradePicker->setCurrentIndex(kGrades - 1);
        }
    } catch (const data::DataError& e) {
        if (BatchMode == -1)
            loadError_ = userMessageOf(e);
        else
            reportFailure(userMessageOf(e));
    }
}

void CommitteeWindow::onGradeChosen() {
    if (BatchMode != -1)
        onCountStudentsClicked();
}

void CommitteeWindow::onCapacityTyped(int index) {
    if (BatchMode == -1 || index < 0 || index >= rowCount())
        return;
    const auto r = static_cast<std::size_t>(index);
    CurRow = index;
    // A capacity is a whole count of seats: anything else becomes "0", and
    // Arabic-Indic digits are written as the program keeps them.
    const std::optional<int> capacity = wholeNumber(capacityBoxes[r]->text());
    const QString kept = capacity ? QString::number(*capacity) : QStringLiteral("0");
    if (capacityBoxes[r]->text() != kept) {
        capacityBoxes[r]->setText(kept); // runs this once more with the kept text
        return;
    }
    double remaining = countBoxes[0]->text().trimmed().toDouble();
    for (int i = 0; i + 1 < rowCount(); ++i)
        remaining -= capacityBoxes[static_cast<std::size_t>(i)]->text().trimmed().toDouble();
    remainingLabel->setText(plainNumber(remaining));
    deskRowBoxes[r]->setText(QString::number(deskRows(*capacity)));
    refreshSaveIcons();
}

GradeSeats CommitteeWindow::gradeTotals() const {
    GradeSeats totals{};
    for (std::size_t g = 0; g < totals.size(); ++g)
        totals[g] = leadingNumber(gradeCountBoxes[g]->text());
    return totals;
}

bool CommitteeWindow::createCommittees() {
    // The size box is checked before anything is made: a fraction or an
    // exponent would open millions of committees, or none.
    const std::optional<int> capacity = committeeCapacity(defaultCapacityBox->text());
    if (!capacity) {
        reportFailure(texts::kBadCapacity.arg(kMaxCapacity));
        return false;
    }
    const QString seats = QString::number(*capacity);
    const std::optional<int> count = committeeCount(countBoxes[0]->text(), seats);
    if (!count) {
        reportFailure(texts::kBadStudentCount);
        return false;
    }
    // The shares are stored with the committees, so that what the window
    // shows after the reset is what the table holds.
    const std::vector<GradeSeats> shares = *seatShares(gradeTotals(), *count, *capacity);
    std::vector<CommitteeRecord> committees;
    for (int k = 0; k < *count; ++k) {
        CommitteeRecord c{committeeName(k + 1), QStringLiteral("3"), seats, {}};
        for (std::size_t g = 0; g < c.seats.size(); ++g)
            c.seats[g] = shares[static_cast<std::size_t>(k)][g];
        committees.push_back(c);
    }
    try {
        data::Connection schedual(data::Database::Schedule);
        replaceCommittees(schedual, committees);
    } catch (const data::DataError& e) {
        reportFailure(texts::kResetFailed + QStringLiteral("\r") + userMessageOf(e));
        return false;
    }
    // Written: now the rows follow the table, from the top of the panel.
    const int before = BatchMode;
    BatchMode = -1;
    stored_ = committees;
    clearRows();
    for (std::size_t k = 0; k < committees.size(); ++k) {
        const int n = static_cast<int>(k) + 1;
        fillRow(static_cast<int>(k), committees[k]);
        recomputeTotal(static_cast<int>(k));
        addRow();
        nameBoxes[static_cast<std::size_t>(n)]->show();
        capacityBoxes[static_cast<std::size_t>(n)]->show();
        for (auto* a : {&previewIcons, &firstGradeSeats, &secondGradeSeats, &thirdGradeSeats,
                        &seatTotalLabels})
            (*a)[k]->show();
    }
    editorTop_ = 30;
    placeEditorPanel();
    updateScrollStrip();
    refreshSaveIcons();
    BatchMode = before;
    checkSeating(); // the seating went with the old committees
    return true;
}

void CommitteeWindow::onCreateCommitteesClicked() {
    if (createCommittees())
        onShareSeatsClicked();
    BatchMode = 0;
}

void CommitteeWindow::onShareSeatsClicked() {
    runShares(false);
}

bool CommitteeWindow::runShares(bool recovering) {
    const QStringList parts = gradeSummaryLabel->text().split(QLatin1Char('-'));
    GradeSeats totals{};
    std::optional<std::vector<GradeSeats>> shares;
    if (parts.size() >= 4) {
        totals = gradeTotals();
        for (std::size_t g = 0; g < totals.size(); ++g)
            gradeTotalLabels[g]->setText(QString::number(totals[g]));
        // The last committee's room decides whether it can take every remainder.
        const int committees = rowCount() - 1;
        shares = seatShares(
            totals, committees,
            committees > 0
                ? wholeNumber(capacityBoxes[static_cast<std::size_t>(committees - 1)]->text())
                : std::nullopt);
    }
    if (!shares) {
        if (recovering || rowCount() < 2) {
            reportFailure(parts.size() >= 4 ? texts::kNoCommittees : texts::kNoGradeCounts);
            return false;
        }
        // One committee more, copied from the last, and the shares once again.
        BatchMode = -1;
        const int k = rowCount() - 1;
        const auto entry = static_cast<std::size_t>(k);
        nameBoxes[entry]->setText(committeeName(k + 1));
        capacityBoxes[entry]->setText(capacityBoxes[entry - 1]->text());
        deskRowBoxes[entry]->setText(deskRowBoxes[entry - 1]->text());
        onAddCommitteeClicked();
        bool ok = false;
        if (rowCount() > k + 1) {
            ok = runShares(true);
        } else {
            // The committee could not be stored (the failure is reported):
            // the entry row is emptied again and nothing is shared.
            for (QLineEdit* box : {nameBoxes[entry], capacityBoxes[entry], deskRowBoxes[entry]})
                box->clear();
        }
        BatchMode = 0;
        placeDistributeButton();
        return ok;
    }
    const int rows = rowCount();
    if (totals[0] / rows - 1 > rows - 1)
        QApplication::beep();
    for (int i = 0; i < rows; ++i) {
        for (int g = 1; g <= kGrades; ++g)
            seatLabel(g, i)->setText(QString::number(
                (*shares)[static_cast<std::size_t>(i)][static_cast<std::size_t>(g - 1)]));
        recomputeTotal(i);
    }
    refreshSaveIcons();
    placeDistributeButton();
    return true;
}

bool CommitteeWindow::capacityRefused(int row) {
    const auto r = static_cast<std::size_t>(row);
    const QString typed = capacityBoxes[r]->text();
    // A capacity the table already holds is let be: a committee stored before
    // the limit never stops a save of its other boxes.
    if (!overCapacity(typed) || (r < stored_.size() && stored_[r].num == typed))
        return false;
    reportFailure(texts::kRowOverCapacity.arg(platform::isolate(nameBoxes[r]->text().trimmed()),
                                              QString::number(kMaxCapacity)));
    return true;
}

void CommitteeWindow::onAddCommitteeClicked() {
    const int last = rowCount() - 1;
    const auto l = static_cast<std::size_t>(last);
    if (!entryRowFilled())
        return;
    // Rows the program builds copy a stored capacity; only a typed one is checked.
    if (BatchMode != -1 && capacityRefused(last))
        return;
    // The new committee has no seats until they are moved to it or shared
    // again: it shows what the table holds for it.
    CommitteeRecord record = recordOfRow(last);
    record.seats = {};
    try {
        data::Connection schedual(data::Database::Schedule);
        insertCommittee(schedual, last + 1, record);
    } catch (const data::DataError& e) {
        reportFailure(texts::kAddFailed + QStringLiteral("\r") + userMessageOf(e));
        return;
    }
    stored_.resize(static_cast<std::size_t>(last));
    stored_.push_back(record);
    checkSeating();
    for (int g = 1; g <= kGrades; ++g)
        seatLabel(g, last)->setText(QStringLiteral("0"));
    recomputeTotal(last);
    if (BatchMode != -1)
        platform::showSystemMessage({QString(), texts::kAdded, QMessageBox::Ok,
                                     QMessageBox::Information, platform::YesDoes::NoQuestion});
    addRow();
    const auto n = static_cast<std::size_t>(last + 1);
    nameBoxes[n]->show();
    capacityBoxes[n]->show();
    for (auto* a :
         {&previewIcons, &firstGradeSeats, &secondGradeSeats, &thirdGradeSeats, &seatTotalLabels})
        (*a)[l]->show();
    refreshSaveIcons();
    updateScrollStrip();
}

void CommitteeWindow::onRowSaveClicked(int index) {
    // The entry row's icon adds it as a new committee; there is no stored
    // row to update yet.
    if (index == rowCount() - 1) {
        onAddCommitteeClicked();
        return;
    }
    CurRow = index;
    onUpdateCommitteeClicked();
}

bool CommitteeWindow::entryRowFilled() const {
    const auto last = static_cast<std::size_t>(rowCount() - 1);
    return !nameBoxes[last]->text().trimmed().isEmpty() &&
           !capacityBoxes[last]->text().trimmed().isEmpty();
}

bool CommitteeWindow::rowUnsaved(int row) const {
    const auto r = static_cast<std::size_t>(row);
    return r >= stored_.size() || differsFromStored(recordOfRow(row), stored_[r]);
}

bool CommitteeWindow::hasUnsavedRows() const {
    for (int i = 0; i + 1 < rowCount(); ++i) {
        if (rowUnsaved(i))
            return true;
    }
    return entryRowFilled();
}

void CommitteeWindow::refreshSaveIcons() {
    const int entry = rowCount() - 1;
    for (int i = 0; i < entry; ++i)
        saveIcons[static_cast<std::size_t>(i)]->setVisible(rowUnsaved(i));
    // The entry row's icon adds the committee typed into it.
    saveIcons[static_cast<std::size_t>(entry)]->setVisible(entryRowFilled());
}

bool CommitteeWindow::saveAllRows() {
    for (int i = 0; i < rowCount(); ++i) {
        if ((i + 1 < rowCount() || entryRowFilled()) && capacityRefused(i))
            return false;
    }
    const std::vector<CommitteeRecord> rows = committeeRecords();
    try {
        data::Connection schedual(data::Database::Schedule);
        updateAllCommittees(schedual, rows);
    } catch (const data::DataError& e) {
        reportFailure(texts::kSaveFailed + QStringLiteral("\r") + userMessageOf(e));
        return false;
    }
    stored_ = rows;
    refreshSaveIcons();
    checkSeating();
    // A committee typed into the entry row is added as well.
    const int before = rowCount();
    if (entryRowFilled()) {
        onAddCommitteeClicked();
        if (rowCount() == before)
            return false;
    }
    shell::flash(texts::kUpdated);
    return true;
}

void CommitteeWindow::onUpdateCommitteeClicked() {
    const int r = CurRow;
    if (r < 0 || r >= rowCount() || capacityRefused(r))
        return;
    const CommitteeRecord row = recordOfRow(r);
    try {
        data::Connection schedual(data::Database::Schedule);
        if (!updateCommittee(schedual, r + 1, row)) {
            reportFailure(texts::kSaveFailed);
            return;
        }
    } catch (const data::DataError& e) {
        reportFailure(texts::kSaveFailed + QStringLiteral("\r") + userMessageOf(e));
        return;
    }
    if (static_cast<std::size_t>(r) < stored_.size())
        stored_[static_cast<std::size_t>(r)] = row;
    refreshSaveIcons();
    checkSeating(); // a committee named anew has no seats under its name
    shell::flash(texts::kUpdated);
}

void CommitteeWindow::onEditorSaveClicked() {
    const auto closePanel = [this] {
        editorPanel->hide();
        titleStrip->hide();
        scrollStrip->hide();
    };
    if (!hasUnsavedRows()) {
        closePanel();
        return;
    }
    const shell::Answer answer =
        shell::ask({texts::kAskSave, shell::Buttons::YesNo, shell::YesEffect::Keeps});
    if (answer == shell::Answer::No) {
        closePanel();
        return;
    }
    // Only Yes saves; a box closed without an answer keeps the panel and its edits.
    if (answer == shell::Answer::Yes && saveAllRows())
        closePanel();
}

void CommitteeWindow::onOpenEditorClicked() {
    // Closing the panel hid the scroll strip: the rows past the panel's
    // height stay within reach when it opens again.
    updateScrollStrip();
    showEditorPanel(true);
}

void CommitteeWindow::onResetClicked() {
    // Only OK resets: Cancel or a box closed without a button changes
    // nothing, the scroll strip included.
    if (shell::ask({texts::kAskReset, shell::Buttons::OkCancel, shell::YesEffect::Destroys}) !=
        shell::Answer::Ok)
        return;
    const QString studentsBefore = countBoxes[0]->text();
    const QStringList parts = gradeSummaryLabel->text().split(QLatin1Char('-'));
    int students = 0;
    for (int i = 1; i <= kGrades; ++i)
        students += leadingNumber(parts.value(i));
    countBoxes[0]->setText(QString::number(students));
    BatchMode = -1;
    if (!createCommittees()) {
        countBoxes[0]->setText(studentsBefore);
        BatchMode = 0;
        return;
    }
    showEditorPanel(true);
    distributeButton->show();
    onShareSeatsClicked();
    BatchMode = 0;
}

} // namespace sijill::committees
