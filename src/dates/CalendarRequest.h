#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sijill::dates {

// What the calendar was opened for. The calendar hands its date only to the
// window that asked, and that window reads from the request what the date is for.
enum class CalendarPurpose : std::uint8_t {
    Startup,        // the main window learns today's date; no date is picked
    ExamDayDate,    // the date of one exam day of the exam-control window
    ExamPrint,      // a paperwork print of the exam-control window waits for a day
    StudentMinutes, // the absence or cheating minutes of one student wait for a day
    AbsenceMonth,   // the month of the monthly absence sheet (name-list print menu)
    AttendanceDay,  // the attendance window's own date
};

// The exam-day paperwork a print request waits with.
enum class ExamPrintKind : std::uint8_t {
    QuestionsOpeningOfDay = 2,
    QuestionsOpeningOfSubject = 3,
    HandOverWithChecking = 4,
    HandOver = 5,
    CorrectorsAndReviewers = 6,
};

// The minutes of one student.
enum class MinutesKind : std::uint8_t { Absence = 0, Cheating = 1 };

struct CalendarRequest {
    CalendarPurpose purpose = CalendarPurpose::Startup;
    int examDay = -1; // ExamDayDate: the exam-day row 0..9
    ExamPrintKind print = ExamPrintKind::QuestionsOpeningOfDay;
    MinutesKind minutes = MinutesKind::Absence;
    // The instruction shown in the calendar's note; empty shows none.
    std::string note;

    // withNote: the exam day boxes ask with an instruction, the small calendar
    // picture without one.
    static CalendarRequest examDayDate(int row, bool withNote = true);
    static CalendarRequest examPrint(ExamPrintKind kind);
    static CalendarRequest studentMinutes(MinutesKind kind);
    static CalendarRequest absenceMonth();
    static CalendarRequest attendanceDay();

    // The request is the attendance window's: AbsenceMonthMode is set while it lasts.
    bool isAttendance() const;
};

// The exam-day row whose weekday and date an OK writes: only a request for
// that day's date names one; a print or a student's minutes never does.
std::optional<int> examDayToWrite(const CalendarRequest& request);

} // namespace sijill::dates
