#include "reports/PrintRun.h"

#include "platform/AppState.h"
#include "platform/Fonts.h"
#include "platform/Twips.h"
#include "shell/ClassList.h"

#include <QFontMetrics>
#include <QRegularExpression>
#include <algorithm>

namespace sijill::reports {

namespace {

constexpr double kWaitBeforePage = 2.5;

// The closing message's classes: packed to this width of the message box's
// font, and on no more lines than the box shows on a 768-pixel screen with
// its button, whatever the lines above them take.
constexpr int kPackWidthTw = 9000;
constexpr int kMessageLines = 16;
constexpr int kLeastClassLines = 2;
const QString kClassesNotPrinted = QStringLiteral("تعذرت طباعة كشوف الفصول المذكورة أدناه");
const QString kClassesHeading = QStringLiteral("الفصول:");
const QString kSeparator = QStringLiteral("، ");
const QString kOtherClasses = QStringLiteral("وفصول أخرى عددها %1");

bool g_running = false;

// Loads, fills and prints the current class, the run's `done`th of `total`;
// records the outcome.
void printCurrent(PrintRunHost& host, PrintRunResult& result, int done, int total) {
    const QString key = host.classKey(host.currentIndex());
    QString error;
    host.showProgress(done, total);
    host.wait(kWaitBeforePage);
    const bool printed =
        host.loadClass(&error) && host.fillHeaders(&error) && host.printItem(&error);
    recordClass(result, key, printed, error);
}

bool confirm(PrintRunHost& host, const QString& text, PrintRunResult& result) {
    if (appState().PrintBatchActive)
        return true;
    // Only OK goes ahead: Cancel, or a box closed without a button, prints nothing.
    if (host.ask({text, shell::Buttons::OkCancel, shell::YesEffect::Keeps}) != shell::Answer::Ok) {
        result.cancelled = true;
        return false;
    }
    appState().PrintBatchActive = true;
    return true;
}

} // namespace

// A class counts as printed when its job completed: those the spooler took
// and then did not print fail, with why; those still followed are not counted.
void countUnprintedJobs(PrintRunResult& result) {
    const report::UnprintedJobs jobs = report::takeUnprintedJobs();
    for (const QString& name : jobs.names) {
        result.printed.removeOne(name);
        result.failed << name;
    }
    for (const QString& name : jobs.pending)
        result.printed.removeOne(name);
    for (const QString& reason : jobs.reasons)
        if (!result.reasons.contains(reason))
            result.reasons << reason;
}

QString gradeOfKey(const QString& key) {
    return shell::ClassKey::split(key).grade;
}

void recordClass(PrintRunResult& result, const QString& key, bool printed, const QString& error) {
    if (printed) {
        result.printed << key;
        return;
    }
    result.failed << key;
    if (!error.isEmpty() && !result.reasons.contains(error))
        result.reasons << error;
}

QString failedClassesMessage(const QString& reason, const QString& folder,
                             const QStringList& classes) {
    QStringList lines = reason.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    if (!folder.isEmpty())
        lines << folder;
    if (classes.isEmpty())
        return lines.join(QLatin1Char('\r'));
    lines << kClassesHeading;
    // Classes go several to a line, as many as a line of the box's text
    // holds well inside a 1024-pixel screen.
    const QFontMetrics fm(platform::windowFreeFont(12, 500));
    const int width = platform::twips(kPackWidthTw);
    QStringList packed;
    QList<int> perLine;
    for (const QString& name : classes) {
        const QString longer = packed.isEmpty() ? QString() : packed.last() + kSeparator + name;
        if (!packed.isEmpty() && fm.horizontalAdvance(longer) <= width) {
            packed.last() = longer;
            ++perLine.last();
        } else {
            packed << name;
            perLine << 1;
        }
    }
    // What the screen cannot hold is counted on the last line.
    const int room = std::max(kLeastClassLines, kMessageLines - int(lines.size()));
    if (packed.size() > room) {
        int counted = 0;
        while (packed.size() > room - 1) {
            packed.removeLast();
            counted += perLine.takeLast();
        }
        packed << kOtherClasses.arg(counted);
    }
    return (lines + packed).join(QLatin1Char('\r'));
}

QString runFailureMessage(const PrintRunResult& result) {
    if (result.failed.isEmpty())
        return {};
    // Why, too: a file that could not be written, or the folder that keeps
    // the pages a printer did not take, is named here.
    QString reason = kClassesNotPrinted;
    if (!result.reasons.isEmpty())
        reason += QStringLiteral(":\r") + result.reasons.join(QLatin1Char('\r'));
    return failedClassesMessage(reason, QString(), result.failed);
}

QString lateJobsMessage(const QStringList& classes, const QStringList& reasons) {
    PrintRunResult late;
    late.failed = classes;
    late.reasons = reasons;
    return runFailureMessage(late);
}

QString runClosingMessage(PrintRunResult& result) {
    countUnprintedJobs(result);
    return runFailureMessage(result);
}

void reportFailedClasses(PrintRunHost& host, PrintRunResult& result) {
    const QString failures = runClosingMessage(result);
    if (!failures.isEmpty())
        host.tell(failures, shell::Tone::Alarm);
}

std::optional<QString> startingClassKey(PrintRunHost& host, PrintRunResult& result) {
    if (g_running) {
        // A click during a run's waits does not start a second run.
        result.refused = true;
        return std::nullopt;
    }
    const int count = host.classCount();
    const int current = host.currentIndex();
    const QString key = current >= 0 && current < count ? host.classKey(current) : QString();
    if (!key.contains(QLatin1Char('-'))) {
        host.tell(kBadClassNames, shell::Tone::Alarm);
        result.refused = true;
        return std::nullopt;
    }
    return key;
}

PrintRunResult previewCurrentClass(PrintRunHost& host) {
    PrintRunResult result;
    QString error;
    if (!host.loadClass(&error) || !host.fillHeaders(&error) || !host.previewItem(&error)) {
        host.tell(error.isEmpty() ? kBadClassNames : error, shell::Tone::Alarm);
        result.failed << host.classKey(host.currentIndex());
        return result;
    }
    result.previewed = true;
    return result;
}

bool printRunActive() {
    return g_running;
}

ActivePrintRun::ActivePrintRun() {
    g_running = true;
}

ActivePrintRun::~ActivePrintRun() {
    g_running = false;
    appState().PrintBatchActive = false;
}

int firstClassOfGrade(const PrintRunHost& host, const QString& grade) {
    for (int i = 0; i < host.classCount(); ++i)
        if (gradeOfKey(host.classKey(i)) == grade)
            return i;
    return -1;
}

int endOfGrade(const PrintRunHost& host, int first) {
    const QString grade = gradeOfKey(host.classKey(first));
    int end = first;
    while (end < host.classCount() && gradeOfKey(host.classKey(end)) == grade)
        ++end;
    return end;
}

PrintRunResult runChosenClassOnly(PrintRunHost& host) {
    PrintRunResult result;
    if (!startingClassKey(host, result))
        return result;
    ActivePrintRun guard;
    return previewCurrentClass(host);
}

PrintRunResult runPrint(PrintRunHost& host) {
    PrintRunResult result;
    const std::optional<QString> start = startingClassKey(host, result);
    if (!start)
        return result;
    const QString& key = *start;
    const int count = host.classCount();
    const QString grade = gradeOfKey(key);
    ActivePrintRun guard;
    QString error;

    if (host.wholeSchool()) {
        // The question comes after the first class is loaded and filled; a
        // failure there shows again, and is reported, when its page is due.
        host.setCurrentIndex(0);
        host.loadClass(&error) && host.fillHeaders(&error);
        if (!confirm(host, kAskWholeSchool, result))
            return result;
        for (int i = 0; i < count; ++i) {
            host.setCurrentIndex(i);
            printCurrent(host, result, i + 1, count);
        }
        reportFailedClasses(host, result);
        return result;
    }

    if (host.wholeGrade()) {
        if (host.refusesCoursesWholeGrade() && key.startsWith(kCoursesWord)) {
            host.ask({kCoursesNoWholeGrade, shell::Buttons::OkCancel, shell::YesEffect::Keeps});
            result.refused = true;
            return result;
        }
        const int first = firstClassOfGrade(host, grade);
        host.setCurrentIndex(first);
        if (count > 1) {
            host.loadClass(&error) && host.fillHeaders(&error);
            if (!confirm(host, kAskWholeGrade + grade, result))
                return result;
            const int end = endOfGrade(host, first);
            int i = first;
            for (; i < end; ++i) {
                host.setCurrentIndex(i);
                printCurrent(host, result, i - first + 1, end - first);
            }
            // The list is left on the item after the grade's last class.
            host.setCurrentIndex(std::min(i, count - 1));
            reportFailedClasses(host, result);
            return result;
        }
    }

    // One class: load it, fill its header and preview it.
    return previewCurrentClass(host);
}

} // namespace sijill::reports
