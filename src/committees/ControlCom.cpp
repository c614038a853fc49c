#include "committees/ControlCom.h"
#include "committees/Texts.h"
#include "data/Connection.h"
#include "data/DataError.h"
#include "platform/ChildWindow.h"
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
#include <QPointer>
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

ControlCom::ControlCom() {
    setAttribute(Qt::WA_DeleteOnClose);
    build();
    addRow();
    // Row 0 as designed: its seat labels and preview icon stand, its print
    // icons wait for a committee.
    for (QWidget* w : std::initializer_list<QWidget*>{ComName[0], ComNum[0], ImView[0], L1[0],
                                                      L2[0], L3[0], ComTotal[0]})
        w->show();

    auto* drag = new platform::WindowDrag(this);
    drag->addSurface(this);
    drag->addSurface(Picture2);

    connect(UP, &QPushButton::clicked, this, [this] { UP_Click(); });
    connect(Down, &QPushButton::clicked, this, [this] { Down_Click(); });
    connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
    connect(Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(ChooseGrade, &QPushButton::clicked, this, [this] { ChooseGrade_Click(); });
    connect(CmdCreat, &QPushButton::clicked, this, [this] { CmdCreat_Click(); });
    connect(Scramble, &QPushButton::clicked, this, [this] { Scramble_Click(); });
    connect(NewCom, &QPushButton::clicked, this, [this] { NewCom_Click(); });
    connect(ComUpdate, &QPushButton::clicked, this, [this] { ComUpdate_Click(); });
    connect(DeleteAll, &QPushButton::clicked, this, [this] { DeleteAll_Click(); });
    connect(GetSchadual, &QPushButton::clicked, this, [this] { GetSchadual_Click(); });
    connect(FillCom, &QPushButton::clicked, this, [this] { FillCom_Click(); });
    connect(Header, &QPushButton::clicked, this, [this] { Header_Click(); });
    for (QLabel* icon : {ImNew, Image1, Image2, Image3})
        icon->installEventFilter(this);
    formLoad();
}

ControlCom::~ControlCom() = default;

QLabel* ControlCom::seatLabel(int grade, int row) const {
    const std::vector<QLabel*>& a = grade == 1 ? L1 : grade == 2 ? L2 : L3;
    return row >= 0 && row < static_cast<int>(a.size()) ? a[static_cast<std::size_t>(row)]
                                                        : nullptr;
}

void ControlCom::formLoad() {
    Label4[0]->setText({});
    BatchMode = -1;
    Picture4->hide();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        move(s.width() / 2 - width() / 2, s.height() / 2 - height() / 2);
    }
    picture2Top_ = 30;
    applyPicture2();

    std::vector<CommitteeRecord> stored;
    try {
        data::Connection students(data::Database::MyDatabase);
        const QStringList grades = seatedGrades(students);
        Combo2->clear();
        Combo2->addItems(grades);
        Combo1->clear();
        Combo1->addItems(grades.mid(0, kGrades));
        for (int k = 0; k < kGrades; ++k)
            LName[static_cast<std::size_t>(k)]->setText(grades.value(k));
        Combo2->setCurrentIndex(grades.isEmpty() ? -1 : 0);
        ChooseGrade_Click();
        Label4[0]->setText(GradeSummary);
        data::Connection schedual(data::Database::Schedule);
        stored = loadCommittees(schedual);
    } catch (const data::DataError& e) {
        loadError_ = userMessageOf(e);
    }

    // What the table holds is saved: no row is marked as holding changes.
    stored_ = stored;
    if (!stored.empty())
        showPanel2(true);
    for (std::size_t r = 0; r < stored.size(); ++r) {
        fillRow(static_cast<int>(r), stored[r]);
        addRow();
        const int n = rowCount() - 1;
        for (QWidget* w : std::initializer_list<QWidget*>{ComName[n], ComNum[n], ImView[n]})
            w->show();
        for (auto* a : {&ImPrint, &Image4, &L1, &L2, &L3, &ComTotal})
            (*a)[static_cast<std::size_t>(n - 1)]->show();
    }
    placeCommand2();
    const int m = rowCount() - 1;
    updateScrollStrip();
    if (m > 0) {
        for (auto* a : {&ImView, &ImUpdate, &ImPrint, &Image4, &L1, &L2, &L3, &ComTotal})
            (*a)[static_cast<std::size_t>(m)]->hide();
    }
    for (int i = 0; i < rowCount(); ++i)
        recomputeTotal(i);
    refreshSaveIcons();
    checkSeating();
    BatchMode = 0;
}

void ControlCom::updateScrollStrip() {
    Picture4->setVisible(rowCount() - 1 > kRowsWithoutScroll);
}

void ControlCom::fillRow(int row, const CommitteeRecord& c) {
    const auto r = static_cast<std::size_t>(row);
    ComName[r]->setText(c.name);
    ComNum[r]->setText(c.num);
    ColNum[r]->setText(c.col);
    for (int g = 1; g <= kGrades; ++g) {
        const std::optional<int>& seat = c.seats[static_cast<std::size_t>(g - 1)];
        seatLabel(g, row)->setText(seat ? QString::number(*seat) : QStringLiteral("0"));
    }
}

void ControlCom::recomputeTotal(int row) {
    const auto r = static_cast<std::size_t>(row);
    ComTotal[r]->setText(QString::number(leadingNumber(L1[r]->text()) +
                                         leadingNumber(L2[r]->text()) +
                                         leadingNumber(L3[r]->text())));
}

void ControlCom::placeCommand2() {
    const QLineEdit* last = ComName.back();
    Command2->move(Command2->x(), last->y() + platform::twips(500));
}

void ControlCom::showPanel2(bool on) {
    Picture2->setVisible(on);
    Picture5->setVisible(on);
    if (on) {
        Picture2->raise();
        Picture5->raise();
        Picture4->raise();
    }
}

void ControlCom::applyPicture2() {
    Picture2->setGeometry(platform::twipsRect(40, picture2Top_, 6570, picture2Height_));
}

// Removes every row but row 0, whose controls keep their texts.
void ControlCom::clearRows() {
    while (rowCount() > 1) {
        for (auto* a : {&ImView, &ImUpdate, &ImPrint, &Image4, &L1, &L2, &L3, &ComTotal}) {
            delete a->back();
            a->pop_back();
        }
        for (auto* a : {&ComName, &ComNum, &ColNum}) {
            delete a->back();
            a->pop_back();
        }
    }
    for (QLabel* l : {ImUpdate[0], ImView[0], ImPrint[0], Image4[0]})
        l->hide();
}

void ControlCom::ImNew_Click() {
    close();
}

bool ControlCom::hasTypedEdits() const {
    return hasUnsavedRows();
}

bool ControlCom::saveTypedEdits() {
    return saveAllRows();
}

QString ControlCom::typedEditsQuestion() const {
    return texts::kAskSaveOnClose;
}

void ControlCom::Down_Click() {
    picture2Top_ -= 500;
    picture2Height_ += 500;
    applyPicture2();
}

void ControlCom::UP_Click() {
    if (picture2Top_ < 25) {
        picture2Top_ += 500;
        applyPicture2();
    }
}

void ControlCom::Text1_Change() {
    bool numeric = false;
    ColNum[0]->text().trimmed().toDouble(&numeric);
    if (!numeric)
        ColNum[0]->setText(QStringLiteral("0"));
}

void ControlCom::ComName_GotFocus(int index) {
    CurRow = index;
}

void ControlCom::Seat_MouseMove(int grade, int row) {
    CurRow = row;
    DragGrade = grade;
}

void ControlCom::Seat_DragDrop(int grade, int row) {
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

void ControlCom::startSeatDrag(QLabel* label) {
    auto* drag = new QDrag(label);
    auto* mime = new QMimeData;
    mime->setData(kSeatMime, label->objectName().toUtf8());
    drag->setMimeData(mime);
    drag->setPixmap(label->grab());
    drag->exec(Qt::MoveAction);
}

bool ControlCom::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    for (int g = 1; g <= kGrades; ++g) {
        const int row = indexIn(g == 1 ? L1 : g == 2 ? L2 : L3, watched);
        if (row < 0)
            continue;
        if (type == QEvent::MouseMove) {
            Seat_MouseMove(g, row);
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
                Seat_DragDrop(g, row);
            }
            return true;
        }
        return false;
    }
    if (type == QEvent::FocusIn) {
        for (int i = 0; i < rowCount(); ++i) {
            if (ComName[static_cast<std::size_t>(i)] == watched)
                ComName_GotFocus(i);
        }
        return false;
    }
    if (type != QEvent::MouseButtonRelease ||
        static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
        return false;
    if (watched == ImNew)
        ImNew_Click();
    else if (watched == Image1)
        Image1_Click();
    else if (watched == Image2)
        Image2_Click();
    else if (watched == Image3)
        Image3_Click();
    else if (int i = indexIn(ImUpdate, watched); i >= 0)
        ImUpdate_Click(i);
    else if (int j = indexIn(ImPrint, watched); j >= 0)
        ImPrint_Click(j);
    else if (int k = indexIn(Image4, watched); k >= 0)
        Image4_Click(k);
    else
        return false;
    return true;
}

void ControlCom::reportFailure(const QString& message) {
    shell::tell(message, shell::Tone::Alarm);
}

namespace {
QPointer<ControlCom>& instance() {
    static QPointer<ControlCom> window;
    return window;
}
} // namespace

ControlCom* controlCom() {
    if (!instance())
        instance() = new ControlCom;
    return instance();
}

void openCommittees() {
    shell::MainForm* main = shell::mainForm();
    platform::holdMainWindow(main);
    ControlCom* w = controlCom();
    platform::ChildWindow::of(w)->open(main);
    if (!w->loadError().isEmpty())
        shell::tell(w->loadError(), shell::Tone::Alarm);
}

void installCommittees(shell::MainForm& main) {
    main.setMenuAction(shell::MainMenuItem::Committees, [] { openCommittees(); });
}

} // namespace sijill::committees
