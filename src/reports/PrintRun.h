#pragma once

#include "report/ReportOutput.h"
#include "shell/Ask.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace sijill::reports {

// What a print run needs of the main window and of the menu that started it.
// The run itself only decides which classes to print, when to ask, and when
// to wait; the host does the loading, filling, printing and asking.
class PrintRunHost {
public:
    virtual ~PrintRunHost() = default;

    // The class list and its current item.
    virtual int classCount() const = 0;
    virtual QString classKey(int index) const = 0;
    virtual int currentIndex() const = 0;
    virtual void setCurrentIndex(int index) = 0;

    // The scope boxes: "جميع الصف" and "جميع المدرسة".
    virtual bool wholeGrade() const = 0;
    virtual bool wholeSchool() const = 0;

    // Loads the current class's students (the hidden Header button); false
    // when they could not be loaded, `error` saying why.
    virtual bool loadClass(QString* error) = 0;
    // Fills the layouts' headers for the loaded class (the hidden Reports button).
    virtual bool fillHeaders(QString* error) = 0;
    // Prepares the item's layout and prints it without a dialog.
    virtual bool printItem(QString* error) = 0;
    // Prepares the item's layout and shows its preview.
    virtual bool previewItem(QString* error) = 0;

    // Asks a question in the program's box and returns its answer.
    virtual shell::Answer ask(const shell::Question& question) = 0;
    // Tells the user something in the program's box.
    virtual void tell(const QString& text, shell::Tone tone) = 0;
    virtual void wait(double seconds) = 0;

    // Shows that the run prints class `done` of `total` now, without waiting
    // for anyone.
    virtual void showProgress(int done, int total) {
        (void)done;
        (void)total;
    }

    // Whether "جميع الصف" is refused for a class of the courses system; the
    // mark sheets print such a grade like any other.
    virtual bool refusesCoursesWholeGrade() const { return true; }
};

struct PrintRunResult {
    QStringList printed; // class keys printed, in order
    QStringList failed;  // class keys that failed to load, fill or print
    QStringList reasons; // why they failed, each told once
    bool previewed = false;
    bool cancelled = false;
    bool refused = false; // the run did not start (bad key, busy, ...)
};

// Texts of the run.
inline const QString kAskWholeSchool = QStringLiteral(" سيتم الطباعة لجميع فصول المدرسة ");
inline const QString kAskWholeGrade = QStringLiteral(" سيتم الطباعة لجميع صف ");
inline const QString kCoursesNoWholeGrade =
    QStringLiteral("لا يعمل خيار  جميع الصف في نظام المقررات");
inline const QString kBadClassNames = QStringLiteral(" حصل خطأ في التعرف على أسماء الصفوف");
inline const QString kCoursesWord = QStringLiteral("مقررات");

// Runs one print of the item for the current class (preview), its whole grade
// or the whole school (one question, then each class printed after a wait of
// 2.5 seconds). PrintBatchActive is set while the confirmed run prints and is
// false whenever the run ends. A run asked for while another is printing is
// refused.
PrintRunResult runPrint(PrintRunHost& host);

// Runs the item for the chosen class alone, whatever the scope boxes say: an
// export makes one file of the chosen class and never walks other classes.
PrintRunResult runChosenClassOnly(PrintRunHost& host);

// True while a run is going on, of any print menu.
bool printRunActive();

// Marks a run as going on for as long as it lives, so no other run starts
// meanwhile; PrintBatchActive is false when it ends, and the texts its sheets
// shortened are told then, once.
class ActivePrintRun {
public:
    ActivePrintRun();
    ~ActivePrintRun();
    ActivePrintRun(const ActivePrintRun&) = delete;
    ActivePrintRun& operator=(const ActivePrintRun&) = delete;

private:
    report::ShortenedTextsRun shortened_;
};

// Index of the first class of `grade` in the list, or -1.
int firstClassOfGrade(const PrintRunHost& host, const QString& grade);
// Index after the last class of the grade of the class at `first`: the
// grade's classes stand together in the list.
int endOfGrade(const PrintRunHost& host, int first);

// Pieces that every menu's print run shares.
// The grade part of a class key, trimmed.
QString gradeOfKey(const QString& key);
// The current class key a run starts from, or nullopt when the run is refused:
// another run is printing, or the key has no "-" (said to the user).
std::optional<QString> startingClassKey(PrintRunHost& host, PrintRunResult& result);
// Loads, fills and previews the current class, telling the user of a failure.
PrintRunResult previewCurrentClass(PrintRunHost& host);
// Records a class of a run: printed, or failed with its reason (each reason
// kept once).
void recordClass(PrintRunResult& result, const QString& key, bool printed, const QString& error);
// Counts the jobs the spooler took and did not print, then tells the user
// once of the classes the run could not print.
void reportFailedClasses(PrintRunHost& host, PrintRunResult& result);

// A class counts as printed when its job completed: the classes whose jobs
// the spooler took and then did not print fail, with why; those still
// followed are not counted as printed.
void countUnprintedJobs(PrintRunResult& result);

// A run's closing message for classes whose sheets did not print: `reason`
// (what happened to them, one line or more) and `folder` (where their pages
// were kept; left out when empty) first, then the classes several to a line,
// the rest counted when they are many, so that the program's message box
// with its button fits a 1024 x 768 screen however many classes there are.
QString failedClassesMessage(const QString& reason, const QString& folder,
                             const QStringList& classes);
// The closing message of a run for the classes it could not print, each
// reason told once; empty when every class printed.
QString runFailureMessage(const PrintRunResult& result);
// The end of every run over classes: the jobs the spooler took and did not
// print are counted as failed (countUnprintedJobs), then the closing message
// is made (runFailureMessage).
QString runClosingMessage(PrintRunResult& result);
// The message for jobs whose fate is learnt after their run ended: the
// classes and why, laid out as a run's closing message.
QString lateJobsMessage(const QStringList& classes, const QStringList& reasons);

} // namespace sijill::reports
