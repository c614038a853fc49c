#pragma once

namespace sijill::exams {

class ControlAll;

// Makes the window's hidden button Command2 print the hand-over statement.
// Safe to call again on the same window.
void installHandOver(ControlAll& window);

// Command2's action: the hand-over statement of the day in Label5 and
// Label6, Comeetee when Option1(4) is set, Comeetee1 when Option1(5) is, in
// preview. Class keeps the last line's cleaned grade.
void printHandOverStatement(ControlAll& window);

// The print menu's "التدقيق": the checking committee's sheet of the last
// picked day, in preview.
void printCheckingSheet(ControlAll& window);

// The print menu's "محضر تأخر": the lateness minutes of the last picked day,
// in preview.
void printLatenessMinutes(ControlAll& window);

} // namespace sijill::exams
