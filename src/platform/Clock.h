#pragma once

#include <QDate>
#include <optional>

namespace sijill::platform {

// "Today" for the whole program. Tests fix it; otherwise it is the computer's date.
class Clock {
public:
    static QDate today();
    static void setToday(std::optional<QDate> fixed);
};

} // namespace sijill::platform
