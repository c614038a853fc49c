#pragma once

#include <QString>
#include <optional>

namespace sijill::exams {

class ExamControlWindow;

// Joins the exam-control window's print menu to the paperwork that needs a
// day or prints the schedules: the menu items, the hidden revisersButton, the grade
// chooser's show button and the buttons of the day's print panel. Runs once
// per window (again it does nothing).
void installExamPrintMenu(ExamControlWindow& window);

// Menu item 0: the whole school's exam schedule (ExamSchAll), previewed.
void printSchoolExamSchedule(ExamControlWindow& window);
// The grade chooser's show button: the schedule of the grade in sheetGradePicker (ExamSch).
void showGradeSchedule(ExamControlWindow& window);
// The hidden revisers print button revisersButton: the correctors and reviewers of
// the day in pickedDateLabel when paperOptions(6) is selected (a day was picked for it),
// otherwise of every day.
void onRevisersPrintClicked(ExamControlWindow& window);
// The correctors-and-reviewers sheet (ComRevisers) of one date or of every day.
void printRevisers(ExamControlWindow& window, const std::optional<QString>& date);

// A print that needs a day: dayPrintWaiting set, the option selected, the calendar
// opened for it (items 5 to 8 and 12).
void requestPrintDay(ExamControlWindow& window, int option);
// Items 3 and 4: the option selected, the single-student chooser shown and
// this window disabled until the chooser closes.
void requestStudentMinutes(ExamControlWindow& window, int option);

// The day's print panel dayPrintPanel: its go button prints the panel's paper,
// its calendar button picks the day again.
void printPanelPaper(ExamControlWindow& window);
void pickPanelDayAgain(ExamControlWindow& window);

} // namespace sijill::exams
