#pragma once

#include "dates/CalendarRequest.h"

namespace sijill::exams {

class ExamControlWindow;

// Connects the hidden buttons that the print panel's print image presses:
// studentMinutesButton (a student's absence or cheating minutes), dayQuestionsButton (opening the
// questions of a day and period) and subjectQuestionsButton (of one subject) of a loaded
// exam-control window. Running it again on the same window does nothing.
void installExamMinutes(ExamControlWindow& window);

// What the three buttons print, each told to the user when there is nothing
// to print: the chosen student's absence or cheating minutes, the opening of
// the questions of the picked day and period, and of one subject.
void printStudentMinutes(ExamControlWindow& window);
void printQuestionsOfDay(ExamControlWindow& window);
void printQuestionsOfSubject(ExamControlWindow& window);

// Print menu items 3 and 4: the single-student chooser shown above the
// window (made first when it is not open) and the window disabled until the
// chooser closes. With a kind, paperOptions(0) (absence) or paperOptions(1) (cheating)
// is set first; without, the option already set is the one printed.
void openStudentChooser(ExamControlWindow& window);
void openStudentChooser(ExamControlWindow& window, dates::MinutesKind kind);

} // namespace sijill::exams
