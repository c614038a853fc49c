#pragma once

#include <QObject>

namespace sijill::shell {
class MainForm;
}

namespace sijill::exams {

// The action of the main window's hidden button Command6: the class seat
// labels, the committee distribution list or the attendance signature sheet
// of the class chosen in the exam-control window's labels panel, previewed.
// It lives as long as the main window.
class SeatLabelsPrint : public QObject {
    Q_OBJECT
public:
    explicit SeatLabelsPrint(shell::MainForm& main);

    // The sheet the panel asked for last: 0 class labels, 1 distribution
    // list, 2 signature sheet. Only the panel sets it; it keeps its value.
    int CommitteePrintMode = 0;

    void MainForm_Command6_Click();

private:
    void refuse(const QString& text) const;

    shell::MainForm& main_;
};

// Connects the main window's Command6 once and returns the print.
SeatLabelsPrint* installSeatLabels(shell::MainForm& main);

// The print installed on that window, or nullptr.
SeatLabelsPrint* seatLabelsPrint(shell::MainForm& main);

} // namespace sijill::exams
