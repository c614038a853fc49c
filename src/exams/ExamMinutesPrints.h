#pragma once

#include "dates/CalendarRequest.h"

namespace sijill::exams {

class ControlAll;

// Connects the hidden buttons that the print panel's print image presses:
// Command4 (a student's absence or cheating minutes), Command5 (opening the
// questions of a day and period) and Command6 (of one subject) of a loaded
// exam-control window. Running it again on the same window does nothing.
void installExamMinutes(ControlAll& window);

// What the three buttons print, each told to the user when there is nothing
// to print: the chosen student's absence or cheating minutes, the opening of
// the questions of the picked day and period, and of one subject.
void printStudentMinutes(ControlAll& window);
void printQuestionsOfDay(ControlAll& window);
void printQuestionsOfSubject(ControlAll& window);

// Print menu items 3 and 4: the single-student chooser shown above the
// window (made first when it is not open) and the window disabled until the
// chooser closes. With a kind, Option1(0) (absence) or Option1(1) (cheating)
// is set first; without, the option already set is the one printed.
void openStudentChooser(ControlAll& window);
void openStudentChooser(ControlAll& window, dates::MinutesKind kind);

} // namespace sijill::exams
