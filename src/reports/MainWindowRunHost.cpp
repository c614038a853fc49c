#include "reports/MainWindowRunHost.h"

#include "data/DataError.h"
#include "platform/BidiText.h"
#include "platform/Wait.h"
#include "report/LayoutLibrary.h"
#include "report/ReportError.h"
#include "report/ReportOutput.h"
#include "shell/Ask.h"
#include "shell/MainForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>

namespace sijill::reports {

QString reportFailure(const QString& detail) {
    return QStringLiteral("تعذر تجهيز الكشف للطباعة") + QLatin1Char('\r') + detail;
}

QString runProgressTitle(int done, int total, const QString& title) {
    return QStringLiteral("طباعة الفصل %1 من %2 - %3")
        .arg(QString::number(done), QString::number(total), title);
}

QString noPrinterMessage(const QString& file, report::PrintOutcome::Fallback why) {
    using Fallback = report::PrintOutcome::Fallback;
    const QString reason = why == Fallback::NoDefault ? QStringLiteral("لم تُحدَّد طابعة افتراضية")
                           : why == Fallback::NoAnswer ? QStringLiteral("لا يستجيب نظام الطباعة")
                                                       : QStringLiteral("لا توجد طابعة");
    return reason + QStringLiteral("، فحفظت الكشوف ملفات PDF في المجلد:") + QLatin1Char('\r') +
           platform::shownPath(QFileInfo(file).absolutePath());
}

MainWindowRunHost::MainWindowRunHost(shell::MainForm& form, Step loadClass, Step fillHeaders,
                                     QString layoutName, QString title,
                                     std::function<void()> prepare)
    : form_(form), load_(std::move(loadClass)), fill_(std::move(fillHeaders)),
      layoutName_(std::move(layoutName)), title_(std::move(title)), prepare_(std::move(prepare)) {}

MainWindowRunHost::~MainWindowRunHost() {
    if (shownTitle_)
        form_.setWindowTitle(*shownTitle_);
}

void MainWindowRunHost::showProgress(int done, int total) {
    if (!shownTitle_)
        shownTitle_ = form_.windowTitle();
    form_.setWindowTitle(runProgressTitle(done, total, *shownTitle_));
}

int MainWindowRunHost::classCount() const {
    return form_.classPicker->count();
}

QString MainWindowRunHost::classKey(int index) const {
    return form_.classPicker->itemText(index);
}

int MainWindowRunHost::currentIndex() const {
    return form_.classPicker->currentIndex();
}

void MainWindowRunHost::setCurrentIndex(int index) {
    // Moving the list's cursor from code runs no action of the main window.
    form_.classPicker->setCurrentIndex(index);
}

bool MainWindowRunHost::wholeGrade() const {
    return form_.wholeGradeCheck->isChecked();
}

bool MainWindowRunHost::wholeSchool() const {
    return form_.wholeSchoolCheck->isChecked();
}

bool MainWindowRunHost::loadClass(QString* error) {
    return load_(error);
}

bool MainWindowRunHost::fillHeaders(QString* error) {
    return fill_(error);
}

bool MainWindowRunHost::output(bool print, QString* error) {
    // The export items have no layout: their run only loads classes, and the
    // first load carries out the export.
    if (layoutName_.isEmpty())
        return true;
    try {
        if (prepare_)
            prepare_();
        const report::ReportLayout& layout = report::layout(layoutName_);
        if (!print) {
            report::showPreview(layout, title_, classKey(currentIndex()));
            return true;
        }
        const report::PrintOutcome outcome =
            report::printReport(layout, title_, classKey(currentIndex()));
        if (outcome.tellUser)
            shell::tell(noPrinterMessage(outcome.file, outcome.fallback));
        return true;
    } catch (const report::PrintJobError& e) {
        // The sheet was ready: the printer did not take it.
        *error = e.message();
    } catch (const report::ReportError& e) {
        *error = reportFailure(e.message());
    } catch (const data::DataError& e) {
        *error = e.userMessage();
    }
    return false;
}

bool MainWindowRunHost::printItem(QString* error) {
    return output(true, error);
}

bool MainWindowRunHost::previewItem(QString* error) {
    return output(false, error);
}

shell::Answer MainWindowRunHost::ask(const shell::Question& question) {
    return shell::ask(question);
}

void MainWindowRunHost::tell(const QString& text, shell::Tone tone) {
    shell::tell(text, tone);
}

void MainWindowRunHost::wait(double seconds) {
    platform::Wait(seconds);
}

RunInputLock::RunInputLock(shell::MainForm& form)
    : form_(form), combo_(form.classPicker->isEnabled()), all_(form.wholeSchoolCheck->isEnabled()),
      oneClass_(form.wholeGradeCheck->isEnabled()) {
    form_.classPicker->setEnabled(false);
    form_.wholeSchoolCheck->setEnabled(false);
    form_.wholeGradeCheck->setEnabled(false);
}

RunInputLock::~RunInputLock() {
    form_.classPicker->setEnabled(combo_);
    form_.wholeSchoolCheck->setEnabled(all_);
    form_.wholeGradeCheck->setEnabled(oneClass_);
}

} // namespace sijill::reports
