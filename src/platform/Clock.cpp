#include "platform/Clock.h"

namespace sijill::platform {

namespace {
std::optional<QDate>& fixedToday() {
    static std::optional<QDate> value;
    return value;
}
} // namespace

QDate Clock::today() {
    return fixedToday().value_or(QDate::currentDate());
}

void Clock::setToday(std::optional<QDate> fixed) {
    fixedToday() = fixed;
}

} // namespace sijill::platform
