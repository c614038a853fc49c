#pragma once

#include "dates/CalendarModel.h"
#include "dates/CalendarRequest.h"

class QWidget;

namespace sijill::dates {

// A window that asks the calendar for a date implements this. The calendar
// talks to the one requester of the open request only.
class CalendarRequester {
public:
    virtual ~CalendarRequester() = default;

    // The window that asked. The calendar enables it again when the request
    // ends, by OK or by close; null when there is no such window.
    virtual QWidget* requesterWindow() = 0;

    // OK: the picked date for `request`. The calendar is hidden and the window
    // enabled already; the requester writes the date where the request says
    // (an exam day's weekdayCells and dateCells only for CalendarPurpose::ExamDayDate),
    // runs what waited for it, shows itself and takes the focus.
    virtual void receiveCalendarDate(const CalendarRequest& request, const PickedDate& date) = 0;

    // Close: the request ended without a date. The requester drops what
    // waited for it (a print, the minutes step), so no later pick runs it.
    virtual void calendarRequestEnded(const CalendarRequest& request) = 0;
};

} // namespace sijill::dates
