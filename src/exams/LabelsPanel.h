#pragma once

#include <QObject>
#include <vector>

class QLabel;
class QLineEdit;

namespace sijill::exams {

class ExamControlWindow;

// The labels panel labelsPanelFrame of the exam-control window: the rows and boxes
// that the window leaves to the labels (start number, committee name, the
// four menu rows) and their actions. The class, the class text and the
// numbering boxes are the window's own controls; this reads and wires them.
class LabelsPanel : public QObject {
    Q_OBJECT
public:
    explicit LabelsPanel(ExamControlWindow& window);

    QLabel* Label1 = nullptr;   // "بداية من:"
    QLineEdit* Div = nullptr;   // start number
    QLineEdit* Text2 = nullptr; // committee name
    std::vector<QLabel*> L1;    // menu rows 0..3

    // CommitteePrintMode of the row: 0 class labels, 1 distribution list,
    // 2 signature sheet; -1 for the custom-labels row.
    static int printModeOfRow(int index);

    void ClassSeries_Click();
    void L1_Click(int index);
    void L1_MouseMove(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitToFont();
    void build();

    ExamControlWindow& window_;
};

// Adds the panel's rows and boxes to the window once; later calls return
// what the first added. Also makes the main window's seat labels print.
LabelsPanel* installLabelsPanel(ExamControlWindow& window);

// The panel added to that window, or nullptr.
LabelsPanel* labelsPanel(ExamControlWindow& window);

} // namespace sijill::exams
