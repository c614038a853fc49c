#include "dates/CalendarRequest.h"

#include "dates/CalendarTexts.h"

namespace sijill::dates {

namespace {

constexpr int kExamDayRows = 10;

// The exam-control window's instructions stand on a line of their own.
std::string onOwnLine(std::string_view text) {
    return "\r\n" + std::string(text) + "\r\n";
}

CalendarRequest withPurpose(CalendarPurpose purpose, std::string note) {
    CalendarRequest r;
    r.purpose = purpose;
    r.note = std::move(note);
    return r;
}

} // namespace

CalendarRequest CalendarRequest::examDayDate(int row, bool withNote) {
    CalendarRequest r =
        withPurpose(CalendarPurpose::ExamDayDate, withNote ? std::string(kNotePickDay) : "");
    r.examDay = row;
    return r;
}

CalendarRequest CalendarRequest::examPrint(ExamPrintKind kind) {
    CalendarRequest r = withPurpose(CalendarPurpose::ExamPrint, onOwnLine(kNotePickPrintDay));
    r.print = kind;
    return r;
}

CalendarRequest CalendarRequest::studentMinutes(MinutesKind kind) {
    CalendarRequest r = withPurpose(
        CalendarPurpose::StudentMinutes,
        onOwnLine(kind == MinutesKind::Absence ? kNotePickAbsenceDay : kNotePickCheatingDay));
    r.minutes = kind;
    return r;
}

CalendarRequest CalendarRequest::absenceMonth() {
    return withPurpose(CalendarPurpose::AbsenceMonth, std::string(kNotePickMonth));
}

CalendarRequest CalendarRequest::attendanceDay() {
    return withPurpose(CalendarPurpose::AttendanceDay, std::string(kNotePickDay));
}

bool CalendarRequest::isAttendance() const {
    return purpose == CalendarPurpose::AbsenceMonth || purpose == CalendarPurpose::AttendanceDay;
}

std::optional<int> examDayToWrite(const CalendarRequest& request) {
    if (request.purpose != CalendarPurpose::ExamDayDate || request.examDay < 0 ||
        request.examDay >= kExamDayRows)
        return std::nullopt;
    return request.examDay;
}

} // namespace sijill::dates
