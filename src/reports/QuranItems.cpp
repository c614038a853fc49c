#include "reports/QuranItems.h"

#include "data/ReportRows.h"
#include "report/LayoutLibrary.h"
#include "reports/MarkSheetHeaders.h"

namespace sijill::reports {

namespace {

constexpr double kWidePreview = 16700;

void fillReadings(report::ReportLayout& layout) {
    layout.control(QStringLiteral("Section4"), QStringLiteral("Label1")).caption =
        QStringLiteral("قراءات");
    layout.control(QStringLiteral("Section2"), QStringLiteral("Label17")).caption =
        QStringLiteral("شفهي");
    layout.control(QStringLiteral("Section2"), QStringLiteral("Label18")).caption =
        QStringLiteral("10");
    layout.control(QStringLiteral("Section2"), QStringLiteral("Label20")).caption =
        QStringLiteral("10");
}

} // namespace

const std::vector<QuranItem>& quranItems() {
    static const std::vector<QuranItem> items = {
        {0, 700, QStringLiteral("متابعة الحفظ متوسط"), QStringLiteral("TahMemorization")},
        {4, 1161, QStringLiteral("تقويم الفترة متوسط"), QStringLiteral("TahMemorization2")},
        {5, 1615, QStringLiteral("خلاصة الحفظ متوسط"), {}},
        {2, 2523, QStringLiteral("متابعة التلاوة"), QStringLiteral("F2")},
        {1, 2977, QStringLiteral("خلاصة التلاوة"), {}},
        {6, 3431, QStringLiteral("التقويم اليومي للحفظ [فصلي]"), QStringLiteral("TahMemDayly")},
        {7, 3885, QStringLiteral("خلاصة التقويم الفتري تجويد وترتيل [فصلي]"),
         QStringLiteral("TahEva")},
        {8, 4335, QStringLiteral("قراءات"), kReadingsLayout},
    };
    return items;
}

const QuranItem* quranItem(int index) {
    for (const QuranItem& item : quranItems())
        if (item.index == index)
            return &item;
    return nullptr;
}

QString quranSheetTitle(const QString& caption) {
    QString title = caption;
    title.remove(QStringLiteral("متوسط"), Qt::CaseSensitive);
    title.remove(QStringLiteral("ثانوي"), Qt::CaseSensitive);
    return title;
}

void fillQuranItem(const QuranItem& item, const SchoolHeader& school, const ClassLine& classLine,
                   const data::RecordSet& students) {
    report::ReportLayout& layout = report::layout(item.layout);
    if (item.index == kReadingsItem) {
        // The class filler has just filled this sheet's header and rows.
        fillReadings(layout);
    } else {
        layout.resetToDesign();
        fillSchoolHeader(layout, school,
                         classLine.gradeText + QStringLiteral(" [ ") + classLine.classText +
                             QStringLiteral("  ] ") + quranSheetTitle(item.caption));
        layout.setDataSource(data::reportRows(students));
    }
    // Every sheet of this menu is landscape, the readings sheet in a preview
    // and a whole-school print too.
    layout.setOrientation(report::Orientation::Landscape);
    layout.setPreviewWidth(kWidePreview);
}

} // namespace sijill::reports
