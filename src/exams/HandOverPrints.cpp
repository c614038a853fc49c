#include "exams/HandOverPrints.h"

#include "data/Connection.h"
#include "data/DataError.h"
#include "exams/DayForms.h"
#include "exams/ExamControlWindow.h"
#include "exams/ExamPaperHeader.h"
#include "exams/HandOverStatement.h"
#include "exams/HandOverTexts.h"
#include "exams/Texts.h"
#include "report/LayoutLibrary.h"
#include "report/ReportError.h"
#include "report/ReportOutput.h"
#include "shell/Ask.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

namespace sijill::exams {

namespace {

const char* const kInstalled = "sijillHandOverInstalled";

// Runs one paper; a failure to read the schedule or to fill the layout is
// told in Arabic and nothing is shown.
void showPaper(const std::function<void()>& paper) {
    try {
        paper();
    } catch (const data::DataError& e) {
        shell::tell(handover_texts::kPaperFailed + QStringLiteral("\r\n") + e.userMessage(),
                    shell::Tone::Alarm);
    } catch (const report::ReportError& e) {
        shell::tell(handover_texts::kPaperFailed + QStringLiteral("\r\n") + e.message(),
                    shell::Tone::Alarm);
    }
}

} // namespace

void installHandOver(ExamControlWindow& window) {
    if (window.handOverButton->property(kInstalled).toBool())
        return;
    window.handOverButton->setProperty(kInstalled, true);
    QObject::connect(window.handOverButton, &QPushButton::clicked, &window,
                     [w = &window] { printHandOverStatement(*w); });
}

void printHandOverStatement(ExamControlWindow& window) {
    const bool audited = window.paperOptions[4]->isChecked();
    if (!audited && !window.paperOptions[5]->isChecked())
        return;
    // Printed after the calendar closes: the preview is titled after its item.
    const QString title(audited ? texts::kMenu8 : texts::kMenu7);
    showPaper([&] {
        const ExamPaperHeader header = currentExamPaperHeader();
        data::Connection scheduleDb(data::Database::Schedule);
        const data::RecordSet schedule =
            handOverScheduleRows(scheduleDb, window.pickedDateLabel->text());
        if (const int last = schedule.recordCount() - 1; last >= 0)
            window.lastSheetGrade->setText(cleanHandOverGrade(scheduleRowAt(schedule, last).grade));
        report::ReportLayout& layout = report::layout(audited ? handover_texts::kAuditedStatement
                                                              : handover_texts::kStatement);
        fillHandOverStatement(layout, header, window.pickedWeekdayLabel->text(),
                              window.pickedDateLabel->text(), handOverLines(schedule));
        report::showPreview(layout, title);
    });
}

void printCheckingSheet(ExamControlWindow& window) {
    const QString title(texts::kMenu9);
    showPaper([&] {
        const ExamPaperHeader header = currentExamPaperHeader();
        data::Connection scheduleDb(data::Database::Schedule);
        const data::RecordSet rows = pickedDayRows(scheduleDb, window.pickedWeekdayLabel->text(),
                                                   window.pickedDateLabel->text());
        report::ReportLayout& layout = report::layout(handover_texts::kCheckingSheet);
        fillCheckingSheet(layout, header, rows);
        report::showPreview(layout, title);
    });
}

void printLatenessMinutes(ExamControlWindow& window) {
    const QString title(texts::kMenu2);
    showPaper([&] {
        const ExamPaperHeader header = currentExamPaperHeader();
        data::Connection scheduleDb(data::Database::Schedule);
        const data::RecordSet rows = pickedDayRows(scheduleDb, window.pickedWeekdayLabel->text(),
                                                   window.pickedDateLabel->text());
        report::ReportLayout& layout = report::layout(handover_texts::kLatenessMinutes);
        fillLatenessMinutes(layout, header, rows);
        report::showPreview(layout, title);
    });
}

} // namespace sijill::exams
