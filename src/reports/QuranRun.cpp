#include "reports/QuranRun.h"

#include "platform/AppState.h"

#include <algorithm>

namespace sijill::reports {

namespace {

constexpr double kWaitAfterPage = 2.5;

bool loadAndFill(PrintRunHost& host, QString* error) {
    return host.loadClass(error) && host.fillHeaders(error);
}

} // namespace

PrintRunResult runQuranPrint(PrintRunHost& host) {
    PrintRunResult result;
    const std::optional<QString> start = startingClassKey(host, result);
    if (!start)
        return result;
    const int count = host.classCount();
    const QString grade = gradeOfKey(*start);
    ActivePrintRun guard;

    const bool school = host.wholeSchool();
    if (!school && !host.wholeGrade())
        return previewCurrentClass(host);

    const QString question = school ? kAskWholeSchool : kAskWholeGrade + grade;
    const int first = school ? 0 : firstClassOfGrade(host, grade);
    const int total = school ? count : endOfGrade(host, first) - first;
    int i = first;
    for (; i < count; ++i) {
        const QString classKey = host.classKey(i);
        // The grade's classes stand together in the list: the first of
        // another grade ends a whole-grade run, and stays current.
        if (!school && gradeOfKey(classKey) != grade)
            break;
        host.setCurrentIndex(i);
        QString error;
        const bool ready = loadAndFill(host, &error);
        if (!appState().PrintBatchActive) {
            // Only OK goes ahead: Cancel, or a box closed without a button,
            // prints nothing.
            if (host.ask({question, shell::Buttons::OkCancel, shell::YesEffect::Keeps}) !=
                shell::Answer::Ok) {
                result.cancelled = true;
                return result;
            }
            appState().PrintBatchActive = true;
        }
        host.showProgress(i - first + 1, total);
        recordClass(result, classKey, ready && host.printItem(&error), error);
        host.wait(kWaitAfterPage);
    }
    host.setCurrentIndex(std::min(i, count - 1));
    reportFailedClasses(host, result);
    return result;
}

} // namespace sijill::reports
