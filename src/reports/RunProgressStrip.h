#pragma once

#include <QLabel>
#include <QPointer>
#include <QRect>
#include <QString>

namespace sijill::reports {

// The words that tell which class a run prints now: class `done` of `total`,
// `className`, and on a line of its own the sheet `sheet`.
QString runProgressText(int done, int total, const QString& className, const QString& sheet);

// A strip across a window that tells the run's progress in words, readable
// where the window shows no title (the main window has no frame).
class RunProgressStrip : public QLabel {
    Q_OBJECT
public:
    RunProgressStrip(QWidget* window, const QRect& area);
};

// A window's progress strip for the length of one run: made on the first
// progress shown, painted at once, and gone when the run ends, so the window
// looks as before outside runs.
class RunProgress {
public:
    // The strip stands on `window` at `area`, in the window's coordinates.
    RunProgress(QWidget* window, const QRect& area);
    ~RunProgress();
    RunProgress(const RunProgress&) = delete;
    RunProgress& operator=(const RunProgress&) = delete;

    void show(int done, int total, const QString& className, const QString& sheet);

private:
    QPointer<QWidget> window_;
    QRect area_;
    QPointer<RunProgressStrip> strip_;
};

} // namespace sijill::reports
