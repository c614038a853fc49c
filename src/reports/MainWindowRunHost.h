#pragma once

#include "reports/PrintRun.h"
#include "reports/RunProgressStrip.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

namespace sijill::shell {
class MainForm;
}

namespace sijill::reports {

// A print run's host on the main window: its class list and scope boxes, the
// class load and header fill of the menu that started the run, the item's
// layout with its preparation, the program's message box and Wait.
class MainWindowRunHost : public PrintRunHost {
public:
    // A step of the menu: false when it failed, `error` saying why in Arabic.
    using Step = std::function<bool(QString* error)>;

    // `title` is the item's caption: its previews and jobs go by it.
    MainWindowRunHost(shell::MainForm& form, Step loadClass, Step fillHeaders, QString layoutName,
                      QString title, std::function<void()> prepare);
    ~MainWindowRunHost() override;
    MainWindowRunHost(const MainWindowRunHost&) = delete;
    MainWindowRunHost& operator=(const MainWindowRunHost&) = delete;

    int classCount() const override;
    QString classKey(int index) const override;
    int currentIndex() const override;
    void setCurrentIndex(int index) override;
    bool wholeGrade() const override;
    bool wholeSchool() const override;
    bool loadClass(QString* error) override;
    bool fillHeaders(QString* error) override;
    bool printItem(QString* error) override;
    bool previewItem(QString* error) override;
    shell::Answer ask(const shell::Question& question) override;
    void tell(const QString& text, shell::Tone tone) override;
    void wait(double seconds) override;
    // On a strip across the main window, gone when the run ends.
    void showProgress(int done, int total) override;

private:
    bool output(bool print, QString* error);

    shell::MainForm& form_;
    Step load_;
    Step fill_;
    QString layoutName_;
    QString title_;
    std::function<void()> prepare_;
    RunProgress progress_;
};

// While it lives, the controls take no input from the user (they show
// greyed), so a choice made while a run prints cannot change what it prints;
// each is given back as it was.
class RunInputLock {
public:
    // The main window's class list and scope boxes.
    explicit RunInputLock(shell::MainForm& form);
    explicit RunInputLock(const std::vector<QWidget*>& controls);
    ~RunInputLock();
    RunInputLock(const RunInputLock&) = delete;
    RunInputLock& operator=(const RunInputLock&) = delete;

private:
    std::vector<std::pair<QPointer<QWidget>, bool>> held_; // with its enabled state
};

// The message for a layout that could not be made ready: what went wrong, in
// the engine's words, under an Arabic heading.
QString reportFailure(const QString& detail);

// The message that tells where printed pages went when they could not go to
// a printer, and why: no printer, no default among several, or a spooler
// that does not answer.
QString
noPrinterMessage(const QString& file,
                 report::PrintOutcome::Fallback why = report::PrintOutcome::Fallback::NoPrinter);

} // namespace sijill::reports
