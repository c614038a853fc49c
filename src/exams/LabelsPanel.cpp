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
    connect(window_.classSeriesBox, &QCheckBox::clicked, this, [this] { onClassSeriesClicked(); });
    window_.labelsClassText->setFont(panelFont());
    window_.labelsClassText->setAlignment(Qt::AlignCenter);

    startFromLabel = new QLabel(t::kStartFrom, panel);
    startFromLabel->setObjectName(QStringLiteral("startFromLabel"));
    // Wider than designed: the substitute font is wider; it keeps to the
    // designed right edge, beside allSeriesBox.
    startFromLabel->setGeometry(twipsRect(5040, 1890, 1020, 360));
    startFromLabel->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    startFromLabel->setFont(panelFont());
    startNumberBox = box(panel, "startNumberBox", t::kStartDesign, twipsRect(4335, 1875, 660, 390));
    committeeNameBox =
        box(panel, "committeeNameBox", t::kCommitteeDesign, twipsRect(5115, 2430, 3330, 420));

    const QString captions[kRows] = {t::kRowClassLabels, t::kRowCustomLabels, t::kRowDistribution,
                                     t::kRowSignatures};
    const int tops[kRows] = {3510, 3945, 4380, 4830};
    for (int i = 0; i < kRows; ++i) {
        auto* row = new QLabel(captions[i], panel);
        row->setObjectName(QStringLiteral("menuRow%1").arg(i));
        row->setGeometry(twipsRect(5220, tops[i], 2970, 390));
        row->setAlignment(Qt::AlignCenter);
        row->setFont(panelFont());
        row->setCursor(Qt::PointingHandCursor);
        row->setMouseTracking(true);
        row->installEventFilter(this);
        platform::fillBackground(row, kRowBack);
        menuRows.push_back(row);
    }
    fitToFont();
}

void LabelsPanel::fitToFont() {
    // Every control as high as a line of its font (its dots below included);
    // a row that grows pushes the rows under it down.
    for (QWidget* w :
         {static_cast<QWidget*>(window_.labelsClassPicker),
          static_cast<QWidget*>(window_.classSeriesBox), static_cast<QWidget*>(startFromLabel),
          static_cast<QWidget*>(startNumberBox), static_cast<QWidget*>(committeeNameBox),
          static_cast<QWidget*>(window_.labelsClassText)})
        art::fitOneLine(w);
    auto below = [](QWidget* w, int top) {
        w->move(w->x(), std::max(w->y(), top));
        return w->geometry().bottom() + platform::twips(60);
    };
    int top = 0;
    for (QWidget* w :
         {static_cast<QWidget*>(window_.classSeriesBox), static_cast<QWidget*>(startFromLabel),
          static_cast<QWidget*>(startNumberBox)})
        top = std::max(top, w->geometry().bottom() + platform::twips(60));
    top = below(committeeNameBox, top);
    top = below(window_.labelsClassText, top);
    for (QLabel* row : menuRows) {
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

void LabelsPanel::onClassSeriesClicked() {
    if (window_.classSeriesBox->isChecked())
        window_.allSeriesBox->setChecked(false);
}

void LabelsPanel::onMenuRowClicked(int index) {
    shell::MainForm* main = shell::mainForm();
    if (!main || index < 0 || index >= kRows)
        return;
    // The texts cross over: the committee name goes into the main window's
    // committee box, the window's class text into its class box.
    main->seatCommitteeText->setText(committeeNameBox->text());
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
    print->printChosenClass(startNumberBox->text());
}

void LabelsPanel::highlightMenuRow(int index) {
    for (int i = 0; i < kRows; ++i)
        platform::fillBackground(menuRows[i], i == index ? kRowHover : kRowBack);
}

bool LabelsPanel::eventFilter(QObject* watched, QEvent* event) {
    const auto it = std::find(menuRows.begin(), menuRows.end(), watched);
    if (it == menuRows.end())
        return QObject::eventFilter(watched, event);
    const int index = static_cast<int>(it - menuRows.begin());
    if (event->type() == QEvent::MouseMove) {
        highlightMenuRow(index);
    } else if (event->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() == Qt::LeftButton &&
            menuRows[index]->rect().contains(me->position().toPoint())) {
            onMenuRowClicked(index);
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
