#include "dates/StartupCalendar.h"

#include "dates/MyCalendar.h"
#include "dates/Weekdays.h"
#include "platform/ChildWindow.h"
#include "platform/Clock.h"

#include <QLabel>

namespace sijill::dates {

void runStartupCalendar(QWidget* mainWindow, QLabel* today, QLabel* label4, QLabel* dayNumber) {
    platform::holdMainWindow(mainWindow);
    MyCalendar* calendar = loadMyCalendar(mainWindow);
    if (dayNumber)
        dayNumber->setText(QString::number(calendar->todayDayNumber()));
    if (today)
        today->setText(calendar->Label5->text());
    if (label4) {
        // The weekday comes from the date itself, never from a locale's text.
        const QDate date = platform::Clock::today();
        const auto serial = gregorianToSerial(date.day(), date.month(), date.year());
        const std::string_view name = serial ? weekdayNameOfSerial(*serial) : std::string_view{};
        label4->setText(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    calendar->hide();
    if (mainWindow)
        platform::ChildWindow::of(calendar)->giveMainWindowBack();
}

} // namespace sijill::dates
