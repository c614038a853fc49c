#pragma once

namespace sijill::exams {

class ExamControlWindow;

// Makes the window's hidden button handOverButton print the hand-over statement.
// Safe to call again on the same window.
void installHandOver(ExamControlWindow& window);

// handOverButton's action: the hand-over statement of the day in pickedWeekdayLabel and
// pickedDateLabel, Comeetee when paperOptions[4] is set, Comeetee1 when paperOptions[5] is, in
// preview. lastSheetGrade keeps the last line's cleaned grade.
void printHandOverStatement(ExamControlWindow& window);

// The print menu's "التدقيق": the checking committee's sheet of the last
// picked day, in preview.
void printCheckingSheet(ExamControlWindow& window);

// The print menu's "محضر تأخر": the lateness minutes of the last picked day,
// in preview.
void printLatenessMinutes(ExamControlWindow& window);

} // namespace sijill::exams
