// The committee list: counting, creation, seat shares and saving the rows.
#include "committees/ControlCom.h"
#include "committees/Texts.h"
#include "data/Connection.h"
#include "data/DataError.h"
#include "platform/AppState.h"
#include "platform/Presenters.h"
#include "platform/Twips.h"
#include "shell/MGForm.h"
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
constexpr int kRowsWithoutScroll = 18;

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
        T_Main[1]->setText(QString::number(main ? main->Combo4->count() - 1 : 0));
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
    ImUpdate[r]->show();
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
}

bool ControlCom::createCommittees() {
    // The size box is checked before anything is made: a fraction or an
    // exponent would open millions of committees, or none.
    const std::optional<int> capacity = committeeCapacity(Text1->text());
    if (!capacity) {
        reportFailure(texts::kBadCapacity);
        return false;
    }
    const QString seats = QString::number(*capacity);
    const std::optional<int> count = committeeCount(T_Main[0]->text(), seats);
    if (!count) {
        reportFailure(texts::kBadStudentCount);
        return false;
    }
    std::vector<CommitteeRecord> committees;
    for (int k = 0; k < *count; ++k)
        committees.push_back({committeeName(k + 1), QStringLiteral("3"), seats, {}});
    try {
        data::Connection schedual(data::Database::Schedual);
        replaceCommittees(schedual, committees);
    } catch (const data::DataError& e) {
        reportFailure(texts::kResetFailed + QStringLiteral("\r") + userMessageOf(e));
        return false;
    }
    // Written: now the rows follow the table.
    const int before = BatchMode;
    BatchMode = -1;
    clearRows();
    for (std::size_t k = 0; k < committees.size(); ++k) {
        const int n = static_cast<int>(k) + 1;
        ComName[k]->setText(committees[k].name);
        ComNum[k]->setText(committees[k].num);
        ColNum[k]->setText(committees[k].col);
        addRow();
        ComName[static_cast<std::size_t>(n)]->show();
        ComNum[static_cast<std::size_t>(n)]->show();
        for (auto* a : {&ImView, &L1, &L2, &L3, &ComTotal})
            (*a)[k]->show();
        ImUpdate[k]->hide();
    }
    if (rowCount() - 1 > kRowsWithoutScroll)
        Picture4->show();
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
        for (int g = 0; g < kGrades; ++g) {
            totals[static_cast<std::size_t>(g)] =
                leadingNumber(LNum[static_cast<std::size_t>(g)]->text());
            Tot[static_cast<std::size_t>(g)]->setText(
                QString::number(totals[static_cast<std::size_t>(g)]));
        }
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
        if (i + 1 < rows)
            ImUpdate[static_cast<std::size_t>(i)]->show();
        recomputeTotal(i);
    }
    placeCommand2();
    return true;
}

void ControlCom::NewCom_Click() {
    const int last = rowCount() - 1;
    const auto l = static_cast<std::size_t>(last);
    if (!entryRowFilled())
        return;
    // The new committee has no seats until they are moved to it or shared
    // again: it shows what the table holds for it.
    CommitteeRecord record = recordOfRow(last);
    record.seats = {};
    try {
        data::Connection schedual(data::Database::Schedual);
        insertCommittee(schedual, last + 1, record);
    } catch (const data::DataError& e) {
        reportFailure(texts::kAddFailed + QStringLiteral("\r") + userMessageOf(e));
        return;
    }
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
    ImUpdate[l]->hide();
    for (auto* a : {&ImView, &L1, &L2, &L3, &ComTotal})
        (*a)[l]->show();
    if (static_cast<int>(n) > kRowsWithoutScroll)
        Picture4->show();
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

bool ControlCom::hasUnsavedRows() const {
    for (int i = 0; i + 1 < rowCount(); ++i) {
        if (!ImUpdate[static_cast<std::size_t>(i)]->isHidden())
            return true;
    }
    return entryRowFilled();
}

bool ControlCom::rowsDifferFromTable() const {
    if (entryRowFilled())
        return true;
    std::vector<CommitteeRecord> stored;
    try {
        data::Connection schedual(data::Database::Schedual);
        stored = loadCommittees(schedual);
    } catch (const data::DataError&) {
        return hasUnsavedRows();
    }
    const std::vector<CommitteeRecord> shown = committeeRecords();
    if (stored.size() != shown.size())
        return true;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const CommitteeRecord& a = shown[i];
        const CommitteeRecord& b = stored[i];
        if (a.name != b.name || a.num != b.num || a.col != b.col)
            return true;
        // A seat never stored shows as 0.
        for (int g = 0; g < kGrades; ++g) {
            if (a.seats[g].value_or(0) != b.seats[g].value_or(0))
                return true;
        }
    }
    return false;
}

bool ControlCom::saveAllRows() {
    try {
        data::Connection schedual(data::Database::Schedual);
        updateAllCommittees(schedual, committeeRecords());
    } catch (const data::DataError& e) {
        reportFailure(texts::kSaveFailed + QStringLiteral("\r") + userMessageOf(e));
        return false;
    }
    for (int j = 0; j + 1 < rowCount(); ++j)
        ImUpdate[static_cast<std::size_t>(j)]->hide();
    // A committee typed into the entry row is added as well.
    const int before = rowCount();
    if (entryRowFilled()) {
        NewCom_Click();
        if (rowCount() == before)
            return false;
    }
    shell::ShowMsg(texts::kTitle, texts::kUpdated, 4, 0, platform::YesDoes::NoQuestion);
    return true;
}

void ControlCom::ComUpdate_Click() {
    const int r = CurRow;
    if (r < 0 || r >= rowCount())
        return;
    try {
        data::Connection schedual(data::Database::Schedual);
        if (!updateCommittee(schedual, r + 1, recordOfRow(r))) {
            reportFailure(texts::kSaveFailed);
            return;
        }
    } catch (const data::DataError& e) {
        reportFailure(texts::kSaveFailed + QStringLiteral("\r") + userMessageOf(e));
        return;
    }
    ImUpdate[static_cast<std::size_t>(r)]->hide();
    shell::ShowMsg(texts::kTitle, texts::kUpdated, 4, 0, platform::YesDoes::NoQuestion);
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
    shell::ShowMsg(texts::kTitle, texts::kAskSave, 5, 0, platform::YesDoes::SavesTyped);
    if (appState().MsgNo) {
        closePanel();
        return;
    }
    // Only Yes saves; a box closed without an answer keeps the panel and its edits.
    if (appState().MsgYes && saveAllRows())
        closePanel();
}

void ControlCom::Image3_Click() {
    showPanel2(true);
}

void ControlCom::Image1_Click() {
    Picture4->hide();
    shell::ShowMsg(texts::kTitle, texts::kAskReset, 2, 0, platform::YesDoes::Destroys);
    // Only OK resets: Cancel or a box closed without a button changes nothing.
    if (!appState().MsgOk)
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
