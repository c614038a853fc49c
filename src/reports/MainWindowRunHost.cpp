#include "reports/MainWindowRunHost.h"

#include "data/DataError.h"
#include "platform/BidiText.h"
#include "platform/Twips.h"
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

namespace {

// The progress strip stands across the main window below the print panel.
constexpr int kProgressLeftTw = 225;
constexpr int kProgressTopTw = 8760;
constexpr int kProgressWidthTw = 8790;
constexpr int kProgressHeightTw = 1000;

} // namespace

QString reportFailure(const QString& detail) {
    return QStringLiteral("تعذر تجهيز الكشف للطباعة") + QLatin1Char('\r') + detail;
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
      layoutName_(std::move(layoutName)), title_(std::move(title)), prepare_(std::move(prepare)),
      progress_(&form, platform::twipsRect(kProgressLeftTw, kProgressTopTw, kProgressWidthTw,
                                           kProgressHeightTw)) {}

MainWindowRunHost::~MainWindowRunHost() = default;

void MainWindowRunHost::showProgress(int done, int total) {
    progress_.show(done, total, classKey(currentIndex()), title_);
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
    : RunInputLock({form.classPicker, form.wholeSchoolCheck, form.wholeGradeCheck}) {}

RunInputLock::RunInputLock(const std::vector<QWidget*>& controls) {
    for (QWidget* w : controls) {
        held_.emplace_back(w, w->isEnabled());
        w->setEnabled(false);
    }
}

RunInputLock::~RunInputLock() {
    for (const auto& [w, enabled] : held_)
        if (w)
            w->setEnabled(enabled);
}

} // namespace sijill::reports
