#include "attendance/SchoolDays.h"

#include <array>

namespace sijill::attendance {

namespace {

constexpr int kThursday = 4;

} // namespace

std::vector<DayColumn> schoolDays(int firstWeekday, int length) {
    std::vector<DayColumn> days;
    if (firstWeekday < 0 || firstWeekday > 6 || length < 1)
        return days;
    for (int day = 1; day <= length; ++day) {
        const int weekday = (firstWeekday + day - 1) % 7;
        if (weekday <= kThursday)
            days.push_back({day, weekday});
    }
    return days;
}

QString columnWeekdayName(int weekday) {
    static const std::array<QString, 5> names = {
        QStringLiteral("أحد"),    QStringLiteral("اثنين"), QStringLiteral("ثلاثاء"),
        QStringLiteral("أربعاء"), QStringLiteral("خميس"),
    };
    if (weekday < 0 || weekday > kThursday)
        return {};
    return names[static_cast<std::size_t>(weekday)];
}

QString dateCaption(int month, int day) {
    return QString::number(month) + QLatin1Char('/') + QString::number(day);
}

QString hijriMonthName(int month) {
    static const std::array<QString, 12> names = {
        QStringLiteral("محرم"),         QStringLiteral("صفر"),
        QStringLiteral("ربيع الاول"),   QStringLiteral("ربيع الثاني"),
        QStringLiteral("جمادى الاولى"), QStringLiteral("جمادى الثانية"),
        QStringLiteral("رجب"),          QStringLiteral("شعبان"),
        QStringLiteral("رمضان"),        QStringLiteral("شوال"),
        QStringLiteral("ذو القعدة"),    QStringLiteral("ذو الحجة"),
    };
    if (month < 1 || month > 12)
        return {};
    return names[static_cast<std::size_t>(month - 1)];
}

} // namespace sijill::attendance
