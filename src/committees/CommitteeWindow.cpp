#include "committees/CommitteeWindow.h"
#include "committees/Texts.h"
#include "data/Connection.h"
#include "data/DataError.h"
#include "platform/ChildWindow.h"
#include "platform/OneWindow.h"
#include "platform/Twips.h"
#include "platform/WindowDrag.h"
#include "shell/Ask.h"
#include "shell/MainForm.h"

#include <QApplication>
#include <QComboBox>
#include <QDrag>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>

namespace sijill::committees {

namespace {

const QString kSeatMime = QStringLiteral("application/x-sijill-seat");
constexpr int kRowsWithoutScroll = 18;

int indexIn(const std::vector<QLabel*>& array, QObject* o) {
    for (std::size_t i = 0; i < array.size(); ++i) {
        if (array[i] == o)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

CommitteeWindow::CommitteeWindow() {
    setAttribute(Qt::WA_DeleteOnClose);
    build();
    addRow();
    // Row 0 as designed: its seat labels and preview icon stand, its print
    // icons wait for a committee.
    for (QWidget* w : std::initializer_list<QWidget*>{
             nameBoxes[0], capacityBoxes[0], previewIcons[0], firstGradeSeats[0],
             secondGradeSeats[0], thirdGradeSeats[0], seatTotalLabels[0]})
        w->show();

    auto* drag = new platform::WindowDrag(this);
    drag->addSurface(this);
    drag->addSurface(editorPanel);

    connect(scrollUpButton, &QPushButton::clicked, this, [this] { onScrollUpClicked(); });
    connect(scrollDownButton, &QPushButton::clicked, this, [this] { onScrollDownClicked(); });
    connect(defaultCapacityBox, &QLineEdit::textChanged, this,
            [this] { onDefaultCapacityTyped(); });
    connect(gradePicker, &QComboBox::activated, this, [this] { onGradeChosen(); });
    connect(distributeButton, &QPushButton::clicked, this, [this] { onDistributeClicked(); });
    connect(countStudentsButton, &QPushButton::clicked, this, [this] { onCountStudentsClicked(); });
    connect(createCommitteesButton, &QPushButton::clicked, this,
            [this] { onCreateCommitteesClicked(); });
    connect(shareSeatsButton, &QPushButton::clicked, this, [this] { onShareSeatsClicked(); });
    connect(addCommitteeButton, &QPushButton::clicked, this, [this] { onAddCommitteeClicked(); });
    connect(updateCommitteeButton, &QPushButton::clicked, this,
            [this] { onUpdateCommitteeClicked(); });
    connect(clearSeatingButton, &QPushButton::clicked, this, [this] { onClearSeatingClicked(); });
    connect(readSubjectsButton, &QPushButton::clicked, this, [this] { onReadSubjectsClicked(); });
    connect(seatStudentsButton, &QPushButton::clicked, this, [this] { onSeatStudentsClicked(); });
    connect(readSheetRowsButton, &QPushButton::clicked, this, [this] { onReadSheetRowsClicked(); });
    for (QLabel* icon : {closeIcon, resetIcon, editorSaveIcon, openEditorIcon})
        icon->installEventFilter(this);
    formLoad();
}

CommitteeWindow::~CommitteeWindow() = default;

QLabel* CommitteeWindow::seatLabel(int grade, int row) const {
    const std::vector<QLabel*>& a = grade == 1   ? firstGradeSeats
                                    : grade == 2 ? secondGradeSeats
                                                 : thirdGradeSeats;
    return row >= 0 && row < static_cast<int>(a.size()) ? a[static_cast<std::size_t>(row)]
                                                        : nullptr;
}

void CommitteeWindow::formLoad() {
    gradeSummaryLabel->setText({});
    BatchMode = -1;
    scrollStrip->hide();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        move(s.width() / 2 - width() / 2, s.height() / 2 - height() / 2);
    }
    editorTop_ = 30;
    placeEditorPanel();

    std::vector<CommitteeRecord> stored;
    try {
        data::Connection students(data::Database::Students);
        const QStringList grades = seatedGrades(students);
        gradePicker->clear();
        gradePicker->addItems(grades);
        subjectGradesBox->clear();
        subjectGradesBox->addItems(grades.mid(0, kGrades));
        for (int k = 0; k < kGrades; ++k)
            gradeNameLabels[static_cast<std::size_t>(k)]->setText(grades.value(k));
        gradePicker->setCurrentIndex(grades.isEmpty() ? -1 : 0);
        onCountStudentsClicked();
        gradeSummaryLabel->setText(GradeSummary);
        data::Connection schedual(data::Database::Schedule);
        stored = loadCommittees(schedual);
    } catch (const data::DataError& e) {
        loadError_ = userMessageOf(e);
    }

    // What the table holds is saved: no row is marked as holding changes.
    stored_ = stored;
    if (!stored.empty())
        showEditorPanel(true);
    for (std::size_t r = 0; r < stored.size(); ++r) {
        fillRow(static_cast<int>(r), stored[r]);
        addRow();
        const int n = rowCount() - 1;
        for (QWidget* w :
             std::initializer_list<QWidget*>{nameBoxes[n], capacityBoxes[n], previewIcons[n]})
            w->show();
        for (auto* a : {&sheetIcons, &labelsIcons, &firstGradeSeats, &secondGradeSeats,
                        &thirdGradeSeats, &seatTotalLabels})
            (*a)[static_cast<std::size_t>(n - 1)]->show();
    }
    placeDistributeButton();
    const int m = rowCount() - 1;
    updateScrollStrip();
    if (m > 0) {
        for (auto* a : {&previewIcons, &saveIcons, &sheetIcons, &labelsIcons, &firstGradeSeats,
                        &secondGradeSeats, &thirdGradeSeats, &seatTotalLabels})
            (*a)[static_cast<std::size_t>(m)]->hide();
    }
    for (int i = 0; i < rowCount(); ++i)
        recomputeTotal(i);
    refreshSaveIcons();
    checkSeating();
    BatchMode = 0;
}

void CommitteeWindow::updateScrollStrip() {
    scrollStrip->setVisible(rowCount() - 1 > kRowsWithoutScroll);
}

void CommitteeWindow::fillRow(int row, const CommitteeRecord& c) {
    const auto r = static_cast<std::size_t>(row);
    nameBoxes[r]->setText(c.name);
    capacityBoxes[r]->setText(c.num);
    deskRowBoxes[r]->setText(c.col);
    for (int g = 1; g <= kGrades; ++g) {
        const std::optional<int>& seat = c.seats[static_cast<std::size_t>(g - 1)];
        seatLabel(g, row)->setText(seat ? QString::number(*seat) : QStringLiteral("0"));
    }
}

void CommitteeWindow::recomputeTotal(int row) {
    const auto r = static_cast<std::size_t>(row);
    seatTotalLabels[r]->setText(QString::number(leadingNumber(firstGradeSeats[r]->text()) +
                                                leadingNumber(secondGradeSeats[r]->text()) +
                                                leadingNumber(thirdGradeSeats[r]->text())));
}

void CommitteeWindow::placeDistributeButton() {
    const QLineEdit* last = nameBoxes.back();
    distributeButton->move(distributeButton->x(), last->y() + platform::twips(500));
}

void CommitteeWindow::showEditorPanel(bool on) {
    editorPanel->setVisible(on);
    titleStrip->setVisible(on);
    if (on) {
        editorPanel->raise();
        titleStrip->raise();
        scrollStrip->raise();
    }
}

void CommitteeWindow::placeEditorPanel() {
    editorPanel->setGeometry(platform::twipsRect(40, editorTop_, 6570, editorHeight_));
}

// Removes every row but row 0, whose controls keep their texts.
void CommitteeWindow::clearRows() {
    while (rowCount() > 1) {
        for (auto* a : {&previewIcons, &saveIcons, &sheetIcons, &labelsIcons, &firstGradeSeats,
                        &secondGradeSeats, &thirdGradeSeats, &seatTotalLabels}) {
            delete a->back();
            a->pop_back();
        }
        for (auto* a : {&nameBoxes, &capacityBoxes, &deskRowBoxes}) {
            delete a->back();
            a->pop_back();
        }
    }
    for (QLabel* l : {saveIcons[0], previewIcons[0], sheetIcons[0], labelsIcons[0]})
        l->hide();
}

void CommitteeWindow::onCloseClicked() {
    close();
}

bool CommitteeWindow::hasTypedEdits() const {
    return hasUnsavedRows();
}

bool CommitteeWindow::saveTypedEdits() {
    return saveAllRows();
}

QString CommitteeWindow::typedEditsQuestion() const {
    return texts::kAskSaveOnClose;
}

void CommitteeWindow::onScrollDownClicked() {
    editorTop_ -= 500;
    editorHeight_ += 500;
    placeEditorPanel();
}

void CommitteeWindow::onScrollUpClicked() {
    if (editorTop_ < 25) {
        editorTop_ += 500;
        placeEditorPanel();
    }
}

void CommitteeWindow::onDefaultCapacityTyped() {
    bool numeric = false;
    deskRowBoxes[0]->text().trimmed().toDouble(&numeric);
    if (!numeric)
        deskRowBoxes[0]->setText(QStringLiteral("0"));
}

void CommitteeWindow::onNameBoxFocused(int index) {
    CurRow = index;
}

void CommitteeWindow::onSeatHovered(int grade, int row) {
    CurRow = row;
    DragGrade = grade;
}

void CommitteeWindow::onSeatDropped(int grade, int row) {
    if (DragGrade != grade)
        return;
    const int s = CurRow;
    QLabel* source = seatLabel(grade, s);
    QLabel* target = seatLabel(grade, row);
    if (!source || !target || leadingNumber(source->text()) < 1)
        return;
    target->setText(QString::number(leadingNumber(target->text()) + 1));
    source->setText(QString::number(leadingNumber(source->text()) - 1));
    recomputeTotal(s);
    recomputeTotal(row);
    refreshSaveIcons();
    if (grade == 1)
        target->setFrameShape(QFrame::Box);
}

void CommitteeWindow::startSeatDrag(QLabel* label) {
    auto* drag = new QDrag(label);
    auto* mime = new QMimeData;
    mime->setData(kSeatMime, label->objectName().toUtf8());
    drag->setMimeData(mime);
    drag->setPixmap(label->grab());
    drag->exec(Qt::MoveAction);
}

bool CommitteeWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    for (int g = 1; g <= kGrades; ++g) {
        const int row = indexIn(g == 1   ? firstGradeSeats
                                : g == 2 ? secondGradeSeats
                                         : thirdGradeSeats,
                                watched);
        if (row < 0)
            continue;
        if (type == QEvent::MouseMove) {
            onSeatHovered(g, row);
        } else if (type == QEvent::MouseButtonPress &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            startSeatDrag(static_cast<QLabel*>(watched));
            return true;
        } else if (type == QEvent::DragEnter || type == QEvent::DragMove) {
            auto* e = static_cast<QDropEvent*>(event);
            if (e->mimeData()->hasFormat(kSeatMime))
                e->acceptProposedAction();
            return true;
        } else if (type == QEvent::Drop) {
            auto* e = static_cast<QDropEvent*>(event);
            if (e->mimeData()->hasFormat(kSeatMime)) {
                e->acceptProposedAction();
                onSeatDropped(g, row);
            }
            return true;
        }
        return false;
    }
    if (type == QEvent::FocusIn) {
        for (int i = 0; i < rowCount(); ++i) {
            if (nameBoxes[static_cast<std::size_t>(i)] == watched)
                onNameBoxFocused(i);
        }
        return false;
    }
    if (type != QEvent::MouseButtonRelease ||
        static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
        return false;
    if (watched == closeIcon)
        onCloseClicked();
    else if (watched == resetIcon)
        onResetClicked();
    else if (watched == editorSaveIcon)
        onEditorSaveClicked();
    else if (watched == openEditorIcon)
        onOpenEditorClicked();
    else if (int i = indexIn(saveIcons, watched); i >= 0)
        onRowSaveClicked(i);
    else if (int j = indexIn(sheetIcons, watched); j >= 0)
        onSheetClicked(j);
    else if (int k = indexIn(labelsIcons, watched); k >= 0)
        onLabelsClicked(k);
    else
        return false;
    return true;
}

void CommitteeWindow::reportFailure(const QString& message) {
    shell::tell(message, shell::Tone::Alarm);
}

CommitteeWindow* committeeWindow() {
    return platform::openOnce<CommitteeWindow>([] { return new CommitteeWindow; });
}

void openCommittees() {
    shell::MainForm* main = shell::mainForm();
    platform::holdMainWindow(main);
    CommitteeWindow* w = committeeWindow();
    platform::ChildWindow::of(w)->open(main);
    if (!w->loadError().isEmpty())
        shell::tell(w->loadError(), shell::Tone::Alarm);
}

void installCommittees(shell::MainForm& main) {
    main.setMenuAction(shell::MainMenuItem::Committees, [] { openCommittees(); });
}

} // namespace sijill::committees
