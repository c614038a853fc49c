#pragma once

#include <array>
#include <string_view>

namespace sijill::dates {

// The month list of the calendar: two-digit month, then its name. Entry k is month k + 1.
inline constexpr std::array<std::string_view, 12> kCalendarMonthEntries = {
    "01- محرم",         "02- صفر",           "03- ربيع الاول", "04- ربيع الثاني",
    "05- جمادى الاولى", "06- جمادى الثانية", "07- رجب",        "08- شعبان",
    "09- رمضان",        "10- شوال",          "11- ذو القعدة",  "12- ذو الحجة",
};

inline constexpr std::string_view kCalendarCaption = "التقويم";
inline constexpr std::string_view kCalendarOkCaption = "تم";
inline constexpr std::string_view kCalendarTodayCaption = "اليوم";
// The weekday label as designed, before any day is shown.
inline constexpr std::string_view kCalendarWeekdayDesign = "الخميس";
// The weekend notice: its text is followed by the weekday name.
inline constexpr std::string_view kWeekendNoticeTitle = " تنبيه ";
inline constexpr std::string_view kWeekendNoticeText = " لقد اخترت يوم ";

// The instructions the asking windows put in the calendar's note.
inline constexpr std::string_view kNotePickDay = "حدد اليوم";
inline constexpr std::string_view kNotePickMonth = "حدد الشهر وأي يوم ثم اضغط تم";
inline constexpr std::string_view kNotePickPrintDay = "حدد اليوم الذي تريد طباعته  ثم اضغط تم";
inline constexpr std::string_view kNotePickAbsenceDay = "حدد يوم الغياب";
inline constexpr std::string_view kNotePickCheatingDay = "حدد اليوم الذي تم فيه الغش";

} // namespace sijill::dates
