#include "dates/StartupCalendar.h"

#include "dates/CalendarWindow.h"
#include "dates/Weekdays.h"
#include "platform/ChildWindow.h"
#include "platform/Clock.h"

#include <QLabel>

namespace sijill::dates {

void runStartupCalendar(QWidget* mainWindow, QLabel* today, QLabel* weekday, QLabel* dayNumber) {
    platform::holdMainWindow(mainWindow);
    CalendarWindow* calendar = loadCalendarWindow(mainWindow);
    if (dayNumber)
        dayNumber->setText(QString::number(calendar->todayDayNumber()));
    if (today)
        today->setText(calendar->previewHijriDate->text());
    if (weekday) {
        // The weekday comes from the date itself, never from a locale's text.
        const QDate date = platform::Clock::today();
        const auto serial = gregorianToSerial(date.day(), date.month(), date.year());
        const std::string_view name = serial ? weekdayNameOfSerial(*serial) : std::string_view{};
        weekday->setText(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    calendar->hide();
    if (mainWindow)
        platform::ChildWindow::of(calendar)->giveMainWindowBack();
}

} // namespace sijill::dates
