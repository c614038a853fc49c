#pragma once

#include "reports/PrintRun.h"

#include <QString>
#include <functional>
#include <optional>

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
    // In the main window's title, put back when the run ends.
    void showProgress(int done, int total) override;

private:
    bool output(bool print, QString* error);

    shell::MainForm& form_;
    Step load_;
    Step fill_;
    QString layoutName_;
    QString title_;
    std::function<void()> prepare_;
    std::optional<QString> shownTitle_; // the window's own title while progress shows
};

// While it lives, the class list and the scope boxes take no input from the
// user, so a choice made during a run's waits cannot change what it prints.
class RunInputLock {
public:
    explicit RunInputLock(shell::MainForm& form);
    ~RunInputLock();
    RunInputLock(const RunInputLock&) = delete;
    RunInputLock& operator=(const RunInputLock&) = delete;

private:
    shell::MainForm& form_;
    bool combo_, all_, oneClass_;
};

// The message for a layout that could not be made ready: what went wrong, in
// the engine's words, under an Arabic heading.
QString reportFailure(const QString& detail);

// A window's title while a run prints class `done` of `total`.
QString runProgressTitle(int done, int total, const QString& title);

// The message that tells where printed pages went when they could not go to
// a printer, and why: no printer, no default among several, or a spooler
// that does not answer.
QString
noPrinterMessage(const QString& file,
                 report::PrintOutcome::Fallback why = report::PrintOutcome::Fallback::NoPrinter);

} // namespace sijill::reports
