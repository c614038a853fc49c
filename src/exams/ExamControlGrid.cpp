// The schedule editor's grid: building it, loading a grade, the question
// about unsaved choices, saving, adding days and periods, and the deletes.
#include "data/DataError.h"
#include "exams/ExamControlArt.h"
#include "exams/ExamControlLayout.h"
#include "exams/ExamControlWindow.h"
#include "exams/PickPopup.h"
#include "exams/Texts.h"
#include "platform/Background.h"
#include "platform/ChildWindow.h"
#include "platform/Fonts.h"
#include "platform/Presenters.h"
#include "platform/Select.h"
#include "platform/Twips.h"
#include "shell/Ask.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sijill::exams {

using namespace layout;
using platform::twips;
using platform::twipsRect;

namespace {

constexpr double kCellPoints = 9;
const QColor kStripBack(0xE4, 0xEC, 0xF4);
const QColor kPeriod2Back(0xD9, 0xE6, 0xD9);

QMessageBox::StandardButton systemMessage(const QString& text, QMessageBox::StandardButtons buttons,
                                          platform::YesDoes yes) {
    return platform::showSystemMessage({QString(), text, buttons, QMessageBox::NoIcon, yes});
}

// A question whose OK erases stored exams, in Qt's box: true on OK alone.
bool confirmsErase(const QString& text) {
    return shell::ask({text, shell::Buttons::OkCancel, shell::YesEffect::Destroys,
                       shell::QtBox{QString(), QMessageBox::NoIcon}}) == shell::Answer::Ok;
}

} // namespace

QLineEdit* ExamControlWindow::cell(QWidget* parent, const QString& name, int index, int left,
                                   int top, int width) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name + QLatin1Char('_') + QString::number(index));
    // As high as the strip: the white box is the cell, and the font's line
    // (its dots below included) needs all of it.
    e->setGeometry(twipsRect(left, top, width, kStripHeight));
    e->setFrame(false);
    e->setFont(platform::windowFont(kCellPoints));
    e->setAlignment(Qt::AlignCenter);
    e->setTextMargins(0, 0, 0, 0);
    art::fitCell(e, kCellPoints);
    // The boxes that take no typing stay readable.
    QPalette p = e->palette();
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x30, 0x30, 0x30));
    e->setPalette(p);
    e->installEventFilter(this);
    connect(e, &QLineEdit::textChanged, e, [e] { art::fitCell(e, kCellPoints); });
    // Typing is a change as much as a choice from a pick list.
    connect(e, &QLineEdit::textEdited, this, [this] { ScheduleSaved = false; });
    return e;
}

void ExamControlWindow::buildGrid() {
    dayStrips.resize(kExamDays);
    secondPeriodPanels.resize(kExamDays);
    weekdayCells.resize(kExamDays);
    dateCells.resize(kExamDays);
    addPeriodButtons.resize(kExamDays);
    for (auto* v : {&subjectCells, &timeCells, &correctorCells, &reviewerCells, &keyCells})
        v->resize(kGridRows);
    deleteRowButtons.resize(kGridRows);
    for (int k = 0; k < kExamDays; ++k)
        buildDay(k);

    newDayButton = new QPushButton(texts::kNewDay, editorFrame);
    newDayButton->setObjectName(QStringLiteral("newDayButton"));
    newDayButton->setGeometry(twipsRect(kNewDayLeft, 6990, 1785, 405));
    newDayButton->setFont(platform::windowFont(10, 700));
    art::fitOneLine(newDayButton);
    connect(newDayButton, &QPushButton::clicked, this, [this] { onNewDayClicked(); });

    pickDateButton = clickable(new QLabel(editorFrame));
    pickDateButton->setObjectName(QStringLiteral("pickDateButton"));
    pickDateButton->setGeometry(twipsRect(12630, 1785, 330, 270));
    pickDateButton->setPixmap(art::calendarMark(twips(330), twips(270)));
    pickDateButton->setToolTip(texts::kPickDayTip);
    onClick_.insert(pickDateButton, [this] { onPickDateClicked(); });
    hoveredDay = new QLabel(QStringLiteral("0"), pickDateButton);
    hoveredDay->setObjectName(QStringLiteral("hoveredDay"));
    hoveredDay->hide();

    // The keys stand beyond the editor's edge and are never seen.
    for (int r = 0; r < kGridRows; ++r) {
        keyCells[r] = new QLineEdit(kNoKey, editorFrame);
        keyCells[r]->setObjectName(QStringLiteral("keyCells_%1").arg(r));
        keyCells[r]->setGeometry(twipsRect(15240 + (r % 2) * 675, 1740 + r * 200, 675, 300));
        keyCells[r]->hide();
    }
}

void ExamControlWindow::buildDay(int k) {
    auto* strip = new QFrame(editorFrame);
    strip->setObjectName(QStringLiteral("dayStrips_%1").arg(k));
    strip->setGeometry(twipsRect(kStripLeft, kStripTops[k], kStripWidth, kStripHeight));
    platform::fillBackground(strip, kStripBack);
    strip->setMouseTracking(true);
    strip->installEventFilter(this);
    onHover_.insert(strip, [this, k] { onDayHovered(k, false); });
    dayStrips[k] = strip;

    weekdayCells[k] = cell(strip, QStringLiteral("weekdayCells"), k, kDayLeft, 0, kDayWidth);
    dateCells[k] = cell(strip, QStringLiteral("dateCells"), k, kDateLeft, 0, kDateWidth);
    weekdayCells[k]->setEnabled(false);
    dateCells[k]->setEnabled(false);
    const int r0 = 2 * k;
    subjectCells[r0] = cell(strip, QStringLiteral("subjectCells"), r0, kSubjLeft, 0, kSubjWidth);
    timeCells[r0] = cell(strip, QStringLiteral("timeCells"), r0, kTimeLeft, 0, kTimeWidth);
    correctorCells[r0] = cell(strip, QStringLiteral("correctorCells"), r0, kT1Left, 0, kT1Width);
    reviewerCells[r0] = cell(strip, QStringLiteral("reviewerCells"), r0, kT2Left, 0, kT2Width);

    auto deleteMark = [this](QWidget* parent, int r, int left, int top) {
        auto* d = clickable(new QLabel(parent));
        d->setObjectName(QStringLiteral("deleteRowButtons_%1").arg(r));
        d->setGeometry(twipsRect(left, top, 345, 360));
        d->setPixmap(art::deleteMark(twips(345), twips(360)));
        d->setStyleSheet(QStringLiteral("border: 1px solid #C0C0FF;"));
        onClick_.insert(d, [this, r] { onDeleteRowClicked(r); });
        deleteRowButtons[r] = d;
    };
    deleteMark(strip, r0, kDelLeft, 15);
    // The first period of day 0 is never deleted on its own.
    if (k == 0)
        deleteRowButtons[0]->hide();

    addPeriodButtons[k] = clickable(new QLabel(strip));
    addPeriodButtons[k]->setObjectName(QStringLiteral("addPeriodButtons_%1").arg(k));
    addPeriodButtons[k]->setGeometry(twipsRect(1470, 15, 2040, 360));
    addPeriodButtons[k]->setPixmap(art::addPeriodMark(twips(2040), twips(360)));
    addPeriodButtons[k]->setToolTip(texts::kSecondPeriodHeading);
    onClick_.insert(addPeriodButtons[k], [this, k] { onAddPeriodClicked(k); });

    auto* p2 = new QFrame(strip);
    p2->setObjectName(QStringLiteral("secondPeriodPanels_%1").arg(k));
    p2->setGeometry(twipsRect(kPeriod2Left, kPeriod2Top, kPeriod2Width, kPeriod2Height));
    platform::fillBackground(p2, kPeriod2Back);
    p2->setMouseTracking(true);
    p2->installEventFilter(this);
    onHover_.insert(p2, [this, k] { onDayHovered(k, true); });
    onClick_.insert(p2, [this, k] { onSecondPeriodClicked(k); });
    secondPeriodPanels[k] = p2;
    const int r1 = r0 + 1;
    subjectCells[r1] =
        cell(p2, QStringLiteral("subjectCells"), r1, kSubj2Left, kCell2Top, kSubj2Width);
    timeCells[r1] = cell(p2, QStringLiteral("timeCells"), r1, kTime2Left, kCell2Top, kTime2Width);
    correctorCells[r1] =
        cell(p2, QStringLiteral("correctorCells"), r1, kT12Left, kCell2Top, kT12Width);
    reviewerCells[r1] =
        cell(p2, QStringLiteral("reviewerCells"), r1, kT22Left, kCell2Top, kT22Width);
    deleteMark(p2, r1, kDel2Left, 75);
    p2->hide();
}

ScheduleGrid ExamControlWindow::gridFromControls() const {
    ScheduleGrid g;
    for (int k = 0; k < kExamDays; ++k) {
        g.days[k].shown = !dayStrips[k]->isHidden();
        g.days[k].period2 = !secondPeriodPanels[k]->isHidden();
        g.days[k].weekday = weekdayCells[k]->text();
        g.days[k].date = dateCells[k]->text();
    }
    for (int r = 0; r < kGridRows; ++r) {
        g.rows[r].key = keyCells[r]->text();
        g.rows[r].subject = subjectCells[r]->text();
        g.rows[r].time = timeCells[r]->text();
        g.rows[r].corrector = correctorCells[r]->text();
        g.rows[r].reviewer = reviewerCells[r]->text();
    }
    return g;
}

void ExamControlWindow::showGrid(const ScheduleGrid& g) {
    for (int k = 0; k < kExamDays; ++k) {
        dayStrips[k]->setVisible(g.days[k].shown);
        secondPeriodPanels[k]->setVisible(g.days[k].period2);
        weekdayCells[k]->setText(g.days[k].weekday);
        dateCells[k]->setText(g.days[k].date);
    }
    for (int r = 0; r < kGridRows; ++r) {
        keyCells[r]->setText(g.rows[r].key);
        subjectCells[r]->setText(g.rows[r].subject);
        timeCells[r]->setText(g.rows[r].time);
        correctorCells[r]->setText(g.rows[r].corrector);
        reviewerCells[r]->setText(g.rows[r].reviewer);
    }
}

void ExamControlWindow::placeNewDay() {
    const int k = gridFromControls().firstHiddenDay();
    const int top = kStripTops[std::max(k, 1) - 1] + kStripHeight + 50;
    newDayButton->move(newDayButton->x(), twips(top));
    // Every grade may use all ten days: the button goes only while the shown
    // grade has them all.
    newDayButton->setVisible(k < kExamDays);
}

void ExamControlWindow::emptyGrid() {
    ScheduleGrid g = gridFromControls();
    g.clear();
    showGrid(g);
    placeNewDay();
}

void ExamControlWindow::onGradeChosen() {
    const int index = gradePicker->currentIndex();
    if (index <= 0) {
        foldEditor();
        return;
    }
    pickDateButton->move(pickDateButton->x(), twips(1830));
    hoveredDay->setText(QStringLiteral("0"));
    if (!ScheduleSaved && !askAboutUnsavedChoices())
        return;
    loadGrade(index);
}

bool ExamControlWindow::askAboutUnsavedChoices() {
    const shell::Answer answer = shell::ask(
        {texts::kAskSave + ShownGradeName + QStringLiteral("\r"), shell::Buttons::YesNo,
         shell::YesEffect::SavesTyped, shell::QtBox{texts::kAskSaveTitle, QMessageBox::NoIcon}});
    if (answer == shell::Answer::No)
        return true;
    // Yes saves; a refused or failed save, or a box closed without an
    // answer, keeps the shown grade and its choices.
    if (answer == shell::Answer::Yes && saveShownGrade())
        return true;
    gradePicker->setCurrentIndex(ShownGradeIndex);
    return false;
}

void ExamControlWindow::loadGrade(int index) {
    ScheduleSaved = true;
    ShownGradeName = gradePicker->itemText(index);
    ShownGradeIndex = index;
    shownGradeBox->setText(ShownGradeName);
    hidePopups();
    ScheduleGrid grid;
    grid.rows[0].key = kNoKey;
    try {
        // Every grade opened in the editor has its first row from then on.
        ensureFirstRow(index, ShownGradeName);
        for (const ScheduleRow& row : loadGradeRows(ShownGradeName))
            grid.place(row);
    } catch (const data::DataError& e) {
        showGrid(ScheduleGrid());
        saveButton->hide();
        foldEditor();
        reportFailure(texts::kLoadFailed, e.userMessage());
        return;
    }
    saveButton->show();
    foldButton->show();
    unfoldMark->hide();
    editorFrame->resize(editorFrame->width(), twips(kOpen));
    // The open editor covers the print menu, which is taller than designed.
    printMenuPanel->hide();
    showGrid(grid);
    placeNewDay();
}

void ExamControlWindow::reloadShownGrade() {
    ScheduleSaved = true;
    gradePicker->setCurrentIndex(ShownGradeIndex);
    loadGrade(ShownGradeIndex);
}

bool ExamControlWindow::saveShownGrade() {
    const ScheduleGrid grid = gridFromControls();
    if (!grid.firstDayComplete()) {
        systemMessage(texts::kFirstDayEmpty, QMessageBox::Ok, platform::YesDoes::NoQuestion);
        return false;
    }
    std::vector<SavedRow> rows = grid.rowsToSave();
    try {
        saveGradeSchedule(ShownGradeIndex, ShownGradeName, rows);
    } catch (const data::DataError& e) {
        reportFailure(texts::kSaveFailed, e.userMessage());
        return false;
    }
    for (const SavedRow& row : rows)
        keyCells[row.order]->setText(QString::number(row.id));
    systemMessage(texts::kSaved, QMessageBox::Ok, platform::YesDoes::NoQuestion);
    ScheduleSaved = true;
    saveButton->hide();
    return true;
}

void ExamControlWindow::onSaveClicked() {
    if (ShownGradeIndex <= 0) {
        systemMessage(texts::kFirstDayEmpty, QMessageBox::Ok, platform::YesDoes::NoQuestion);
        return;
    }
    if (saveShownGrade())
        reloadShownGrade();
}

void ExamControlWindow::onNewDayClicked() {
    const int i = gridFromControls().firstHiddenDay();
    if (i == kExamDays) {
        newDayButton->hide();
        return;
    }
    QString key = kNoKey;
    try {
        // A stored row of that day is left alone; the next load shows it.
        if (!findGradeRow(ShownGradeName, 2 * i))
            key = QString::number(addScheduleRow(ShownGradeIndex, ShownGradeName, 2 * i));
    } catch (const data::DataError& e) {
        reportFailure(texts::kAddFailed, e.userMessage());
        return;
    }
    dayStrips[i]->show();
    keyCells[2 * i]->setText(key);
    placeNewDay();
}

void ExamControlWindow::onAddPeriodClicked(int day) {
    if (day < 0 || day >= kExamDays || dayStrips[day]->isHidden())
        return;
    const int order = 2 * day + 1;
    qint64 id = 0;
    try {
        // One second period per day: a stored one is taken over, not doubled.
        const std::optional<qint64> existing = findGradeRow(ShownGradeName, order);
        id = existing ? *existing : addScheduleRow(ShownGradeIndex, ShownGradeName, order);
    } catch (const data::DataError& e) {
        reportFailure(texts::kAddFailed, e.userMessage());
        return;
    }
    secondPeriodPanels[day]->show();
    keyCells[order]->setText(QString::number(id));
}

void ExamControlWindow::onDeleteRowClicked(int row) {
    if (row < 0 || row >= kGridRows)
        return;
    const ScheduleGrid grid = gridFromControls();
    std::vector<qint64> ids = {grid.rows[row].id()};
    if (row % 2 == 0) {
        // The icon's own day, whatever the pointer crossed last.
        const int day = row / 2;
        if (!grid.isLastDay(day)) {
            shell::tell(texts::kCannotDeleteDay + QStringLiteral("\r\n") +
                            texts::kDeleteLaterDayFirst,
                        shell::Tone::Alarm);
            return;
        }
        if (day == 0)
            return;
        // The day goes with both its periods: a second period left behind
        // would stay in the table, unseen, and in every paper of its date.
        ids.push_back(grid.rows[row + 1].id());
    }
    if (shell::ask({texts::kAskDeleteDay, shell::Buttons::OkCancel, shell::YesEffect::Destroys,
                    shell::Tone::Alarm}) != shell::Answer::Ok)
        return;
    deleteRows(ids, row);
}

void ExamControlWindow::onSecondPeriodClicked(int day) {
    const int row = 2 * day + 1;
    if (subjectCells[row]->text().isEmpty())
        return;
    const QString grade = ShownGradeName.trimmed();
    if (!confirmsErase(texts::kAskDeletePeriod + grade))
        return;
    if (!deleteRows({gridFromControls().rows[row].id()}, row))
        return;
    systemMessage(texts::kGradeErased + grade, QMessageBox::Ok, platform::YesDoes::NoQuestion);
}

bool ExamControlWindow::deleteRows(const std::vector<qint64>& ids, int row) {
    try {
        deleteScheduleRows(ids);
    } catch (const data::DataError& e) {
        reportFailure(texts::kDeleteFailed, e.userMessage());
        return false;
    }
    // Only the deleted row leaves the grid: what the user typed or chose in
    // the other rows stays, unsaved as it was.
    ScheduleGrid grid = gridFromControls();
    grid.removeRow(row);
    showGrid(grid);
    placeNewDay();
    return true;
}

bool ExamControlWindow::settleUnsavedChanges() {
    return platform::ChildWindow::of(this)->settleTypedEdits();
}

bool ExamControlWindow::hasTypedEdits() const {
    return !ScheduleSaved && ShownGradeIndex > 0;
}

bool ExamControlWindow::saveTypedEdits() {
    return saveShownGrade();
}

QString ExamControlWindow::typedEditsQuestion() const {
    return texts::kAskSave + ShownGradeName.trimmed();
}

void ExamControlWindow::typedEditsSettled() {
    // The grid shows the stored schedule again; a folded editor stays folded
    // (the print menu lies under an open one).
    const bool folded = foldButton->isHidden();
    const int current = gradePicker->currentIndex();
    reloadShownGrade();
    if (folded) {
        foldEditor();
        gradePicker->setCurrentIndex(current);
    }
}

void ExamControlWindow::onDayHovered(int day, bool overSecondPeriod) {
    hoveredDay->setText(QString::number(day));
    const int top = kStripTops[day] + (overSecondPeriod ? 0 : 50);
    const int left = kStripLeft + kDayLeft + kDayWidth + 50;
    pickDateButton->move(twips(left), twips(top));
}

void ExamControlWindow::onEraseGradeClicked() {
    if (gradePicker->currentIndex() <= 0)
        return;
    const QString name = gradePicker->currentText().trimmed();
    if (!confirmsErase(texts::kAskEraseGrade + name))
        return;
    try {
        eraseGradeSchedule(name);
    } catch (const data::DataError& e) {
        reportFailure(texts::kDeleteFailed, e.userMessage());
        return;
    }
    emptyGrid();
    systemMessage(texts::kGradeErased + name, QMessageBox::Ok, platform::YesDoes::NoQuestion);
}

void ExamControlWindow::onEraseAllClicked() {
    if (!confirmsErase(texts::kAskEraseAll))
        return;
    try {
        eraseAllSchedules();
    } catch (const data::DataError& e) {
        reportFailure(texts::kDeleteFailed, e.userMessage());
        return;
    }
    // The grid no longer stands for anything stored.
    emptyGrid();
    systemMessage(texts::kAllErased, QMessageBox::Ok, platform::YesDoes::NoQuestion);
}

} // namespace sijill::exams
