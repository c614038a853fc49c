#include "exams/LabelsPanel.h"

#include "exams/ExamControlArt.h"
#include "exams/ExamControlWindow.h"
#include "exams/SeatLabelsPrint.h"
#include "labels/CustomLabelsWindow.h"
#include "labels/SeatTexts.h"
#include "platform/Background.h"
#include "platform/Fonts.h"
#include "platform/Twips.h"
#include "shell/Ask.h"
#include "shell/MainForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <algorithm>

namespace sijill::exams {

namespace t = labels::seat_texts;
using platform::twipsRect;

namespace {

constexpr int kRows = 4;
const QColor kRowBack(0xDE, 0xDE, 0xDE);
const QColor kRowHover(0xA7, 0xC7, 0xEC);

QFont panelFont() {
    return platform::windowFont(12);
}

QLineEdit* box(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(geometry);
    e->setFont(panelFont());
    e->setAlignment(Qt::AlignCenter);
    return e;
}

} // namespace

LabelsPanel::LabelsPanel(ExamControlWindow& window) : QObject(&window), window_(window) {
    setObjectName(QStringLiteral("LabelsPanel"));
    build();
}

void LabelsPanel::build() {
    QFrame* panel = window_.labelsPanelFrame;
    window_.classSeriesBox->setText(t::kClassSeries);
    window_.classSeriesBox->setFont(panelFont());
    connect(window_.classSeriesBox, &QCheckBox::clicked, this, [this] { ClassSeries_Click(); });
    window_.labelsClassText->setFont(panelFont());
    window_.labelsClassText->setAlignment(Qt::AlignCenter);

    Label1 = new QLabel(t::kStartFrom, panel);
    Label1->setObjectName(QStringLiteral("Label1"));
    // Wider than designed: the substitute font is wider; it keeps to the
    // designed right edge, beside allSeriesBox.
    Label1->setGeometry(twipsRect(5040, 1890, 1020, 360));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    Label1->setFont(panelFont());
    Div = box(panel, "Div", t::kStartDesign, twipsRect(4335, 1875, 660, 390));
    Text2 = box(panel, "Text2", t::kCommitteeDesign, twipsRect(5115, 2430, 3330, 420));

    const QString captions[kRows] = {t::kRowClassLabels, t::kRowCustomLabels, t::kRowDistribution,
                                     t::kRowSignatures};
    const int tops[kRows] = {3510, 3945, 4380, 4830};
    for (int i = 0; i < kRows; ++i) {
        auto* row = new QLabel(captions[i], panel);
        row->setObjectName(QStringLiteral("L1_%1").arg(i));
        row->setGeometry(twipsRect(5220, tops[i], 2970, 390));
        row->setAlignment(Qt::AlignCenter);
        row->setFont(panelFont());
        row->setCursor(Qt::PointingHandCursor);
        row->setMouseTracking(true);
        row->installEventFilter(this);
        platform::fillBackground(row, kRowBack);
        L1.push_back(row);
    }
    fitToFont();
}

void LabelsPanel::fitToFont() {
    // Every control as high as a line of its font (its dots below included);
    // a row that grows pushes the rows under it down.
    for (QWidget* w : {static_cast<QWidget*>(window_.labelsClassPicker),
                       static_cast<QWidget*>(window_.classSeriesBox), static_cast<QWidget*>(Label1),
                       static_cast<QWidget*>(Div), static_cast<QWidget*>(Text2),
                       static_cast<QWidget*>(window_.labelsClassText)})
        art::fitOneLine(w);
    auto below = [](QWidget* w, int top) {
        w->move(w->x(), std::max(w->y(), top));
        return w->geometry().bottom() + platform::twips(60);
    };
    int top = 0;
    for (QWidget* w : {static_cast<QWidget*>(window_.classSeriesBox), static_cast<QWidget*>(Label1),
                       static_cast<QWidget*>(Div)})
        top = std::max(top, w->geometry().bottom() + platform::twips(60));
    top = below(Text2, top);
    top = below(window_.labelsClassText, top);
    for (QLabel* row : L1) {
        art::fitOneLine(row);
        top = below(row, top);
    }
}

int LabelsPanel::printModeOfRow(int index) {
    switch (index) {
    case 0:
        return 0;
    case 2:
        return 1;
    case 3:
        return 2;
    default:
        return -1;
    }
}

void LabelsPanel::ClassSeries_Click() {
    if (window_.classSeriesBox->isChecked())
        window_.allSeriesBox->setChecked(false);
}

void LabelsPanel::L1_Click(int index) {
    shell::MainForm* main = shell::mainForm();
    if (!main || index < 0 || index >= kRows)
        return;
    // The texts cross over: the committee goes into labelsClassText, the class into Text2.
    main->seatCommitteeText->setText(Text2->text());
    main->seatClassText->setText(window_.labelsClassText->text());
    main->classPicker->setCurrentIndex(0);
    if (index == 1) {
        labels::openCustomLabels(&window_);
        return;
    }
    if (window_.labelsClassPicker->currentIndex() == 0) {
        shell::tell(t::kChooseClass + QStringLiteral("\r\n"), shell::Tone::Alarm);
        return;
    }
    SeatLabelsPrint* print = installSeatLabels(*main);
    print->CommitteePrintMode = printModeOfRow(index);
    print->printChosenClass(Div->text());
}

void LabelsPanel::L1_MouseMove(int index) {
    for (int i = 0; i < kRows; ++i)
        platform::fillBackground(L1[i], i == index ? kRowHover : kRowBack);
}

bool LabelsPanel::eventFilter(QObject* watched, QEvent* event) {
    const auto it = std::find(L1.begin(), L1.end(), watched);
    if (it == L1.end())
        return QObject::eventFilter(watched, event);
    const int index = static_cast<int>(it - L1.begin());
    if (event->type() == QEvent::MouseMove) {
        L1_MouseMove(index);
    } else if (event->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() == Qt::LeftButton &&
            L1[index]->rect().contains(me->position().toPoint())) {
            L1_Click(index);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

LabelsPanel* labelsPanel(ExamControlWindow& window) {
    return window.findChild<LabelsPanel*>(QStringLiteral("LabelsPanel"),
                                          Qt::FindDirectChildrenOnly);
}

LabelsPanel* installLabelsPanel(ExamControlWindow& window) {
    if (shell::MainForm* main = shell::mainForm())
        installSeatLabels(*main);
    if (LabelsPanel* existing = labelsPanel(window))
        return existing;
    return new LabelsPanel(window);
}

} // namespace sijill::exams
