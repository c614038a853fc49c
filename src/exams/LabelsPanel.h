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

    QLabel* startFromLabel = nullptr;      // "بداية من:"
    QLineEdit* startNumberBox = nullptr;   // start number
    QLineEdit* committeeNameBox = nullptr; // committee name
    std::vector<QLabel*> menuRows;         // menu rows 0..3

    // CommitteePrintMode of the row: 0 class labels, 1 distribution list,
    // 2 signature sheet; -1 for the custom-labels row.
    static int printModeOfRow(int index);

    void onClassSeriesClicked();
    void onMenuRowClicked(int index);
    void highlightMenuRow(int index);

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
