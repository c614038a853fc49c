#pragma once

#include "dates/CalendarRequest.h"

namespace sijill::exams {

class ExamControlWindow;

// Connects the hidden buttons that the print panel's print image presses:
// studentMinutesButton (a student's absence or cheating minutes), dayQuestionsButton (opening the
// questions of a day and period) and subjectQuestionsButton (of one subject) of a loaded
// exam-control window. Running it again on the same window does nothing.
void installExamMinutes(ExamControlWindow& window);

void ControlAll_Command4_Click(ExamControlWindow& window);
void ControlAll_Command5_Click(ExamControlWindow& window);
void ControlAll_Command6_Click(ExamControlWindow& window);

// What the calendar's OK does for these prints once pickedWeekdayLabel and pickedDateLabel hold
// the pick: clears the request's mark (studentMinutesWaiting for a student's minutes,
// dayPrintWaiting for the questions), shows the print panel dayPrintPanel, with its grade
// list dayGradePicker only for the questions of one subject. Returns false (and does
// nothing) for any other request.
bool showMinutesPanel(ExamControlWindow& window, const dates::CalendarRequest& request);

// The calendar closed without a date: the mark that a student's minutes
// (studentMinutesWaiting) or a questions print (dayPrintWaiting) waited is cleared, so no later
// pick runs it. Returns false (and does nothing) for any other request.
bool dropMinutesRequest(ExamControlWindow& window, const dates::CalendarRequest& request);

} // namespace sijill::exams
