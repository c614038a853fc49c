#pragma once

#include <QObject>

namespace sijill::shell {
class MainForm;
}

namespace sijill::exams {

// The class seat labels, the committee distribution list or the attendance
// signature sheet of the class chosen in the exam-control window's labels
// panel, previewed. It lives as long as the main window, whose class list and
// mailbox boxes it uses.
class SeatLabelsPrint : public QObject {
    Q_OBJECT
public:
    explicit SeatLabelsPrint(shell::MainForm& main);

    // The sheet the panel asked for last: 0 class labels, 1 distribution
    // list, 2 signature sheet. Only the panel sets it; it keeps its value.
    int CommitteePrintMode = 0;

    // Prints the sheet of CommitteePrintMode for the class chosen in the
    // exam-control window; `startNumberText` is the labels panel's start
    // number, read when the numbering runs over the whole school.
    void printChosenClass(const QString& startNumberText);

private:
    void refuse(const QString& text) const;

    shell::MainForm& main_;
};

// Makes the print once and returns it.
SeatLabelsPrint* installSeatLabels(shell::MainForm& main);

// The print installed on that window, or nullptr.
SeatLabelsPrint* seatLabelsPrint(shell::MainForm& main);

} // namespace sijill::exams
