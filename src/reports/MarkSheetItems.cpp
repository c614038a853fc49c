#include "reports/MarkSheetItems.h"

namespace sijill::reports {

const std::vector<MarkSheetItem>& markSheetItems() {
    static const std::vector<MarkSheetItem> items = {
        {1, 2, 700, QStringLiteral(" متعدد المواد فترتين "), QStringLiteral("HandExam")},
        {0, 2, 1139, QStringLiteral(" متعدد المواد فترة "), QStringLiteral("Marks")},
        {10, 2, 1578, QStringLiteral("رصد درجات [فصلي]"), QStringLiteral("MarksPeriod")},
        {9, 2, 2017, QStringLiteral("نهائي"), QStringLiteral("Final")},
        {8, 3, 1139, QStringLiteral("لغتي ثالث فترتين"), QStringLiteral("lang_grade_3")},
        {7, 3, 1578, QStringLiteral("لغتي ثالث فترة"), QStringLiteral("lang_grade_3_1_period")},
        {2, 3, 2017, QStringLiteral("لغتي رابع - خامس - سادس"), QStringLiteral("lang_grade_456")},
        {3, 3, 2456, QStringLiteral("لغتي ثلاث فترات"), QStringLiteral("Lang4")},
        {11, 3, 3773, QStringLiteral("حاسب [ فصلي ]"), QStringLiteral("lang_grade_456")},
        {12, 3, 4215, QStringLiteral("بدنية [ فصلي ]"), QStringLiteral("lang_grade_3_1_period")},
    };
    return items;
}

const MarkSheetItem* markSheetItem(int index) {
    for (const MarkSheetItem& item : markSheetItems())
        if (item.index == index)
            return &item;
    return nullptr;
}

} // namespace sijill::reports
