// The committee list: counting, creation, seat shares and saving the rows.
#include "committees/ControlCom.h"
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

CommitteeRecord ControlCom::recordOfRow(int row) const {
    const auto r = static_cast<std::size_t>(row);
    CommitteeRecord c{ComName[r]->text(), ColNum[r]->text(), ComNum[r]->text(), {}};
    for (int g = 1; g <= kGrades; ++g)
        c.seats[static_cast<std::size_t>(g - 1)] = leadingNumber(seatLabel(g, row)->text());
    return c;
}

std::vector<CommitteeRecord> ControlCom::committeeRecords() const {
    std::vector<CommitteeRecord> out;
    for (int i = 0; i + 1 < rowCount(); ++i)
        out.push_back(recordOfRow(i));
    return out;
}

std::array<QString, kGrades> ControlCom::seatGradeNames() const {
    std::array<QString, kGrades> names;
    for (int k = 0; k < kGrades && k < Combo2->count(); ++k)
        names[static_cast<std::size_t>(k)] = Combo2->itemText(k).trimmed();
    return names;
}

void ControlCom::ChooseGrade_Click() {
    try {
        data::Connection students(data::Database::MyDatabase);
        const QString selected = Combo2->currentText();
        T_Main[0]->setText(
            QString::number(selected.isEmpty() ? 0 : countGrade(students, selected)));
        Total->setText(T_Main[0]->text());
        const shell::MainForm* main = shell::mainForm();
        T_Main[1]->setText(QString::number(main ? main->classPicker->count() - 1 : 0));
        // A grade list shorter than three counts the missing grades as 0.
        QStringList counts;
        const std::array<QString, kGrades> names = seatGradeNames();
        for (int k = 0; k < kGrades; ++k) {
            const QString& grade = names[static_cast<std::size_t>(k)];
            const int n = grade.isEmpty() ? 0 : countGrade(students, grade);
            LNum[static_cast<std::size_t>(k)]->setText(QString::number(n));
            counts << QString::number(n);
        }
        GradeSummary = texts::kGradesCaption + QStringLiteral("-") + counts.join(QLatin1Char('-'));
        if (Combo2->count() >= kGrades) {
            const QSignalBlocker block(Combo2);
            Combo2->setCurrentIndex(kGrades - 1);
        }
    } catch (const data::DataError& e) {
        if (BatchMode == -1)
            loadError_ = userMessageOf(e);
        else
            reportFailure(userMessageOf(e));
    }
}

void ControlCom::Combo2_Click() {
    if (BatchMode != -1)
        ChooseGrade_Click();
}

void ControlCom::ComNum_Change(int index) {
    if (BatchMode == -1 || index < 0 || index >= rowCount())
        return;
    const auto r = static_cast<std::size_t>(index);
    CurRow = index;
    // A capacity is a whole count of seats: anything else becomes "0", and
    // Arabic-Indic digits are written as the program keeps them.
    const std::optional<int> capacity = wholeNumber(ComNum[r]->text());
    const QString kept = capacity ? QString::number(*capacity) : QStringLiteral("0");
    if (ComNum[r]->text() != kept) {
        ComNum[r]->setText(kept); // runs this once more with the kept text
        return;
    }
    double remaining = T_Main[0]->text().trimmed().toDouble();
    for (int i = 0; i + 1 < rowCount(); ++i)
        remaining -= ComNum[static_cast<std::size_t>(i)]->text().trimmed().toDouble();
    Total->setText(plainNumber(remaining));
    ColNum[r]->setText(QString::number(deskRows(*capacity)));
    refreshSaveIcons();
}

GradeSeats ControlCom::gradeTotals() const {
    GradeSeats totals{};
    for (std::size_t g = 0; g < totals.size(); ++g)
        totals[g] = leadingNumber(LNum[g]->text());
    return totals;
}

bool ControlCom::createCommittees() {
    // The size box is checked before anything is made: a fraction or an
    // exponent would open millions of committees, or none.
    const std::optional<int> capacity = committeeCapacity(Text1->text());
    if (!capacity) {
        reportFailure(texts::kBadCapacity.arg(kMaxCapacity));
        return false;
    }
    const QString seats = QString::number(*capacity);
    const std::optional<int> count = committeeCount(T_Main[0]->text(), seats);
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
        ComName[static_cast<std::size_t>(n)]->show();
        ComNum[static_cast<std::size_t>(n)]->show();
        for (auto* a : {&ImView, &L1, &L2, &L3, &ComTotal})
            (*a)[k]->show();
    }
    picture2Top_ = 30;
    applyPicture2();
    updateScrollStrip();
    refreshSaveIcons();
    BatchMode = before;
    checkSeating(); // the seating went with the old committees
    return true;
}

void ControlCom::CmdCreat_Click() {
    if (createCommittees())
        Scramble_Click();
    BatchMode = 0;
}

void ControlCom::Scramble_Click() {
    runShares(false);
}

bool ControlCom::runShares(bool recovering) {
    const QStringList parts = Label4[0]->text().split(QLatin1Char('-'));
    GradeSeats totals{};
    std::optional<std::vector<GradeSeats>> shares;
    if (parts.size() >= 4) {
        totals = gradeTotals();
        for (std::size_t g = 0; g < totals.size(); ++g)
            Tot[g]->setText(QString::number(totals[g]));
        // The last committee's room decides whether it can take every remainder.
        const int committees = rowCount() - 1;
        shares = seatShares(
            totals, committees,
            committees > 0 ? wholeNumber(ComNum[static_cast<std::size_t>(committees - 1)]->text())
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
        ComName[entry]->setText(committeeName(k + 1));
        ComNum[entry]->setText(ComNum[entry - 1]->text());
        ColNum[entry]->setText(ColNum[entry - 1]->text());
        NewCom_Click();
        bool ok = false;
        if (rowCount() > k + 1) {
            ok = runShares(true);
        } else {
            // The committee could not be stored (the failure is reported):
            // the entry row is emptied again and nothing is shared.
            for (QLineEdit* box : {ComName[entry], ComNum[entry], ColNum[entry]})
                box->clear();
        }
        BatchMode = 0;
        placeCommand2();
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
    placeCommand2();
    return true;
}

bool ControlCom::capacityRefused(int row) {
    const auto r = static_cast<std::size_t>(row);
    const QString typed = ComNum[r]->text();
    // A capacity the table already holds is let be: a committee stored before
    // the limit never stops a save of its other boxes.
    if (!overCapacity(typed) || (r < stored_.size() && stored_[r].num == typed))
        return false;
    reportFailure(texts::kRowOverCapacity.arg(platform::isolate(ComName[r]->text().trimmed()),
                                              QString::number(kMaxCapacity)));
    return true;
}

void ControlCom::NewCom_Click() {
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
    for (int g = 1; g <= kGrades; ++g)
        seatLabel(g, last)->setText(QStringLiteral("0"));
    recomputeTotal(last);
    if (BatchMode != -1)
        platform::showSystemMessage({QString(), texts::kAdded, QMessageBox::Ok,
                                     QMessageBox::Information, platform::YesDoes::NoQuestion});
    addRow();
    const auto n = static_cast<std::size_t>(last + 1);
    ComName[n]->show();
    ComNum[n]->show();
    for (auto* a : {&ImView, &L1, &L2, &L3, &ComTotal})
        (*a)[l]->show();
    refreshSaveIcons();
    updateScrollStrip();
}

void ControlCom::ImUpdate_Click(int index) {
    // The entry row's icon adds it as a new committee; there is no stored
    // row to update yet.
    if (index == rowCount() - 1) {
        NewCom_Click();
        return;
    }
    CurRow = index;
    ComUpdate_Click();
}

bool ControlCom::entryRowFilled() const {
    const auto last = static_cast<std::size_t>(rowCount() - 1);
    return !ComName[last]->text().trimmed().isEmpty() && !ComNum[last]->text().trimmed().isEmpty();
}

bool ControlCom::rowUnsaved(int row) const {
    const auto r = static_cast<std::size_t>(row);
    return r >= stored_.size() || differsFromStored(recordOfRow(row), stored_[r]);
}

bool ControlCom::hasUnsavedRows() const {
    for (int i = 0; i + 1 < rowCount(); ++i) {
        if (rowUnsaved(i))
            return true;
    }
    return entryRowFilled();
}

void ControlCom::refreshSaveIcons() {
    const int entry = rowCount() - 1;
    for (int i = 0; i < entry; ++i)
        ImUpdate[static_cast<std::size_t>(i)]->setVisible(rowUnsaved(i));
    // The entry row's icon adds the committee typed into it.
    ImUpdate[static_cast<std::size_t>(entry)]->setVisible(entryRowFilled());
}

bool ControlCom::saveAllRows() {
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
    // A committee typed into the entry row is added as well.
    const int before = rowCount();
    if (entryRowFilled()) {
        NewCom_Click();
        if (rowCount() == before)
            return false;
    }
    shell::flash(texts::kUpdated);
    return true;
}

void ControlCom::ComUpdate_Click() {
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
    shell::flash(texts::kUpdated);
}

void ControlCom::Image2_Click() {
    const auto closePanel = [this] {
        Picture2->hide();
        Picture5->hide();
        Picture4->hide();
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

void ControlCom::Image3_Click() {
    // Closing the panel hid the scroll strip: the rows past the panel's
    // height stay within reach when it opens again.
    updateScrollStrip();
    showPanel2(true);
}

void ControlCom::Image1_Click() {
    // Only OK resets: Cancel or a box closed without a button changes
    // nothing, the scroll strip included.
    if (shell::ask({texts::kAskReset, shell::Buttons::OkCancel, shell::YesEffect::Destroys}) !=
        shell::Answer::Ok)
        return;
    const QString studentsBefore = T_Main[0]->text();
    const QStringList parts = Label4[0]->text().split(QLatin1Char('-'));
    int students = 0;
    for (int i = 1; i <= kGrades; ++i)
        students += leadingNumber(parts.value(i));
    T_Main[0]->setText(QString::number(students));
    BatchMode = -1;
    if (!createCommittees()) {
        T_Main[0]->setText(studentsBefore);
        BatchMode = 0;
        return;
    }
    showPanel2(true);
    Command2->show();
    Scramble_Click();
    BatchMode = 0;
}

} // namespace sijill::committees
