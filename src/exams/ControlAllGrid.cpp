// The schedule editor's grid: building it, loading a grade, the question
// about unsaved choices, saving, adding days and periods, and the deletes.
#include "data/DataError.h"
#include "exams/ControlAll.h"
#include "exams/ControlAllArt.h"
#include "exams/ControlAllLayout.h"
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

QLineEdit* ControlAll::cell(QWidget* parent, const QString& name, int index, int left, int top,
                            int width) {
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

void ControlAll::buildGrid() {
    Picture5.resize(kExamDays);
    PicPeriod2.resize(kExamDays);
    Day.resize(kExamDays);
    DayDate.resize(kExamDays);
    Image7.resize(kExamDays);
    for (auto* v : {&Subj, &Time, &T1, &T2, &ID})
        v->resize(kGridRows);
    PicDataDel.resize(kGridRows);
    for (int k = 0; k < kExamDays; ++k)
        buildDay(k);

    NewDay = new QPushButton(texts::kNewDay, Frame1);
    NewDay->setObjectName(QStringLiteral("NewDay"));
    NewDay->setGeometry(twipsRect(kNewDayLeft, 6990, 1785, 405));
    NewDay->setFont(platform::windowFont(10, 700));
    art::fitOneLine(NewDay);
    connect(NewDay, &QPushButton::clicked, this, [this] { NewDay_Click(); });

    Picture6 = clickable(new QLabel(Frame1));
    Picture6->setObjectName(QStringLiteral("Picture6"));
    Picture6->setGeometry(twipsRect(12630, 1785, 330, 270));
    Picture6->setPixmap(art::calendarMark(twips(330), twips(270)));
    Picture6->setToolTip(texts::kPickDayTip);
    onClick_.insert(Picture6, [this] { Picture6_Click(); });
    Selected = new QLabel(QStringLiteral("0"), Picture6);
    Selected->setObjectName(QStringLiteral("Selected"));
    Selected->hide();

    // The keys stand beyond the editor's edge and are never seen.
    for (int r = 0; r < kGridRows; ++r) {
        ID[r] = new QLineEdit(kNoKey, Frame1);
        ID[r]->setObjectName(QStringLiteral("ID_%1").arg(r));
        ID[r]->setGeometry(twipsRect(15240 + (r % 2) * 675, 1740 + r * 200, 675, 300));
        ID[r]->hide();
    }
}

void ControlAll::buildDay(int k) {
    auto* strip = new QFrame(Frame1);
    strip->setObjectName(QStringLiteral("Picture5_%1").arg(k));
    strip->setGeometry(twipsRect(kStripLeft, kStripTops[k], kStripWidth, kStripHeight));
    platform::fillBackground(strip, kStripBack);
    strip->setMouseTracking(true);
    strip->installEventFilter(this);
    onHover_.insert(strip, [this, k] { Picture5_MouseMove(k, false); });
    Picture5[k] = strip;

    Day[k] = cell(strip, QStringLiteral("Day"), k, kDayLeft, 0, kDayWidth);
    DayDate[k] = cell(strip, QStringLiteral("DayDate"), k, kDateLeft, 0, kDateWidth);
    Day[k]->setEnabled(false);
    DayDate[k]->setEnabled(false);
    const int r0 = 2 * k;
    Subj[r0] = cell(strip, QStringLiteral("Subj"), r0, kSubjLeft, 0, kSubjWidth);
    Time[r0] = cell(strip, QStringLiteral("Time"), r0, kTimeLeft, 0, kTimeWidth);
    T1[r0] = cell(strip, QStringLiteral("T1"), r0, kT1Left, 0, kT1Width);
    T2[r0] = cell(strip, QStringLiteral("T2"), r0, kT2Left, 0, kT2Width);

    auto deleteMark = [this](QWidget* parent, int r, int left, int top) {
        auto* d = clickable(new QLabel(parent));
        d->setObjectName(QStringLiteral("PicDataDel_%1").arg(r));
        d->setGeometry(twipsRect(left, top, 345, 360));
        d->setPixmap(art::deleteMark(twips(345), twips(360)));
        d->setStyleSheet(QStringLiteral("border: 1px solid #C0C0FF;"));
        onClick_.insert(d, [this, r] { PicDataDel_Click(r); });
        PicDataDel[r] = d;
    };
    deleteMark(strip, r0, kDelLeft, 15);
    // The first period of day 0 is never deleted on its own.
    if (k == 0)
        PicDataDel[0]->hide();

    Image7[k] = clickable(new QLabel(strip));
    Image7[k]->setObjectName(QStringLiteral("Image7_%1").arg(k));
    Image7[k]->setGeometry(twipsRect(1470, 15, 2040, 360));
    Image7[k]->setPixmap(art::addPeriodMark(twips(2040), twips(360)));
    Image7[k]->setToolTip(texts::kSecondPeriodHeading);
    onClick_.insert(Image7[k], [this, k] { Image7_Click(k); });

    auto* p2 = new QFrame(strip);
    p2->setObjectName(QStringLiteral("PicPeriod2_%1").arg(k));
    p2->setGeometry(twipsRect(kPeriod2Left, kPeriod2Top, kPeriod2Width, kPeriod2Height));
    platform::fillBackground(p2, kPeriod2Back);
    p2->setMouseTracking(true);
    p2->installEventFilter(this);
    onHover_.insert(p2, [this, k] { Picture5_MouseMove(k, true); });
    onClick_.insert(p2, [this, k] { PicPeriod2_Click(k); });
    PicPeriod2[k] = p2;
    const int r1 = r0 + 1;
    Subj[r1] = cell(p2, QStringLiteral("Subj"), r1, kSubj2Left, kCell2Top, kSubj2Width);
    Time[r1] = cell(p2, QStringLiteral("Time"), r1, kTime2Left, kCell2Top, kTime2Width);
    T1[r1] = cell(p2, QStringLiteral("T1"), r1, kT12Left, kCell2Top, kT12Width);
    T2[r1] = cell(p2, QStringLiteral("T2"), r1, kT22Left, kCell2Top, kT22Width);
    deleteMark(p2, r1, kDel2Left, 75);
    p2->hide();
}

ScheduleGrid ControlAll::gridFromControls() const {
    ScheduleGrid g;
    for (int k = 0; k < kExamDays; ++k) {
        g.days[k].shown = !Picture5[k]->isHidden();
        g.days[k].period2 = !PicPeriod2[k]->isHidden();
        g.days[k].weekday = Day[k]->text();
        g.days[k].date = DayDate[k]->text();
    }
    for (int r = 0; r < kGridRows; ++r) {
        g.rows[r].key = ID[r]->text();
        g.rows[r].subject = Subj[r]->text();
        g.rows[r].time = Time[r]->text();
        g.rows[r].corrector = T1[r]->text();
        g.rows[r].reviewer = T2[r]->text();
    }
    return g;
}

void ControlAll::showGrid(const ScheduleGrid& g) {
    for (int k = 0; k < kExamDays; ++k) {
        Picture5[k]->setVisible(g.days[k].shown);
        PicPeriod2[k]->setVisible(g.days[k].period2);
        Day[k]->setText(g.days[k].weekday);
        DayDate[k]->setText(g.days[k].date);
    }
    for (int r = 0; r < kGridRows; ++r) {
        ID[r]->setText(g.rows[r].key);
        Subj[r]->setText(g.rows[r].subject);
        Time[r]->setText(g.rows[r].time);
        T1[r]->setText(g.rows[r].corrector);
        T2[r]->setText(g.rows[r].reviewer);
    }
}

void ControlAll::placeNewDay() {
    const int k = gridFromControls().firstHiddenDay();
    const int top = kStripTops[std::max(k, 1) - 1] + kStripHeight + 50;
    NewDay->move(NewDay->x(), twips(top));
    // Every grade may use all ten days: the button goes only while the shown
    // grade has them all.
    NewDay->setVisible(k < kExamDays);
}

void ControlAll::emptyGrid() {
    ScheduleGrid g = gridFromControls();
    g.clear();
    showGrid(g);
    placeNewDay();
}

void ControlAll::Combo4_Click() {
    const int index = Combo4->currentIndex();
    if (index <= 0) {
        foldEditor();
        return;
    }
    Picture6->move(Picture6->x(), twips(1830));
    Selected->setText(QStringLiteral("0"));
    if (!ScheduleSaved && !askAboutUnsavedChoices())
        return;
    loadGrade(index);
}

bool ControlAll::askAboutUnsavedChoices() {
    const shell::Answer answer = shell::ask(
        {texts::kAskSave + ShownGradeName + QStringLiteral("\r"), shell::Buttons::YesNo,
         shell::YesEffect::SavesTyped, shell::QtBox{texts::kAskSaveTitle, QMessageBox::NoIcon}});
    if (answer == shell::Answer::No)
        return true;
    // Yes saves; a refused or failed save, or a box closed without an
    // answer, keeps the shown grade and its choices.
    if (answer == shell::Answer::Yes && saveShownGrade())
        return true;
    Combo4->setCurrentIndex(ShownGradeIndex);
    return false;
}

void ControlAll::loadGrade(int index) {
    ScheduleSaved = true;
    ShownGradeName = Combo4->itemText(index);
    ShownGradeIndex = index;
    ClassName->setText(ShownGradeName);
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
        cmdSave->hide();
        foldEditor();
        reportFailure(texts::kLoadFailed, e.userMessage());
        return;
    }
    cmdSave->show();
    Image10->show();
    Image15->hide();
    Frame1->resize(Frame1->width(), twips(kOpen));
    // The open editor covers the print menu, which is taller than designed.
    Picture2->hide();
    showGrid(grid);
    placeNewDay();
}

void ControlAll::reloadShownGrade() {
    ScheduleSaved = true;
    Combo4->setCurrentIndex(ShownGradeIndex);
    loadGrade(ShownGradeIndex);
}

bool ControlAll::saveShownGrade() {
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
        ID[row.order]->setText(QString::number(row.id));
    systemMessage(texts::kSaved, QMessageBox::Ok, platform::YesDoes::NoQuestion);
    ScheduleSaved = true;
    cmdSave->hide();
    return true;
}

void ControlAll::cmdSave_Click() {
    if (ShownGradeIndex <= 0) {
        systemMessage(texts::kFirstDayEmpty, QMessageBox::Ok, platform::YesDoes::NoQuestion);
        return;
    }
    if (saveShownGrade())
        reloadShownGrade();
}

void ControlAll::NewDay_Click() {
    const int i = gridFromControls().firstHiddenDay();
    if (i == kExamDays) {
        NewDay->hide();
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
    Picture5[i]->show();
    ID[2 * i]->setText(key);
    placeNewDay();
}

void ControlAll::Image7_Click(int day) {
    if (day < 0 || day >= kExamDays || Picture5[day]->isHidden())
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
    PicPeriod2[day]->show();
    ID[order]->setText(QString::number(id));
}

void ControlAll::PicDataDel_Click(int row) {
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

void ControlAll::PicPeriod2_Click(int day) {
    const int row = 2 * day + 1;
    if (Subj[row]->text().isEmpty())
        return;
    const QString grade = ShownGradeName.trimmed();
    if (!confirmsErase(texts::kAskDeletePeriod + grade))
        return;
    if (!deleteRows({gridFromControls().rows[row].id()}, row))
        return;
    systemMessage(texts::kGradeErased + grade, QMessageBox::Ok, platform::YesDoes::NoQuestion);
}

bool ControlAll::deleteRows(const std::vector<qint64>& ids, int row) {
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

bool ControlAll::settleUnsavedChanges() {
    return platform::ChildWindow::of(this)->settleTypedEdits();
}

bool ControlAll::hasTypedEdits() const {
    return !ScheduleSaved && ShownGradeIndex > 0;
}

bool ControlAll::saveTypedEdits() {
    return saveShownGrade();
}

QString ControlAll::typedEditsQuestion() const {
    return texts::kAskSave + ShownGradeName.trimmed();
}

void ControlAll::typedEditsSettled() {
    // The grid shows the stored schedule again; a folded editor stays folded
    // (the print menu lies under an open one).
    const bool folded = Image10->isHidden();
    const int current = Combo4->currentIndex();
    reloadShownGrade();
    if (folded) {
        foldEditor();
        Combo4->setCurrentIndex(current);
    }
}

void ControlAll::Picture5_MouseMove(int day, bool overSecondPeriod) {
    Selected->setText(QString::number(day));
    const int top = kStripTops[day] + (overSecondPeriod ? 0 : 50);
    const int left = kStripLeft + kDayLeft + kDayWidth + 50;
    Picture6->move(twips(left), twips(top));
}

void ControlAll::Image8_Click() {
    if (Combo4->currentIndex() <= 0)
        return;
    const QString name = Combo4->currentText().trimmed();
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

void ControlAll::DelAll_Click() {
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
