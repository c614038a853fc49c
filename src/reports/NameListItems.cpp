#include "reports/NameListItems.h"

#include "report/LayoutLibrary.h"
#include "report/ReportError.h"

namespace sijill::reports {

namespace {

void prepareQuranSheet() {
    report::ReportLayout& l = report::layout(QStringLiteral("Quran1"));
    l.control(QStringLiteral("Section1"), QStringLiteral("Text2")).visible = false;
}

void preparePhoneDirectory() {
    report::ReportLayout& l = report::layout(QStringLiteral("Quran1"));
    l.control(QStringLiteral("Section1"), QStringLiteral("Text2")).visible = true;
    l.control(QStringLiteral("Section4"), QStringLiteral("Label18")).caption =
        QStringLiteral("دليل الهاتف");
    // Every mark heading and maximum, leaving the number, the name and the phone.
    for (int i = 6; i <= 17; ++i)
        l.control(QStringLiteral("Section2"), QStringLiteral("Label%1").arg(i)).caption.clear();
}

void prepareParticipationHeadings() {
    report::ReportLayout& l = report::layout(QStringLiteral("Weeks4"));
    const QString captions[] = {QStringLiteral("المشاركة"), QStringLiteral("الواجب"),
                                QStringLiteral("إحضار الكتاب والسجل"), QStringLiteral("أخرى")};
    for (int i = 0; i < 4; ++i) {
        report::ReportControl& c =
            l.control(QStringLiteral("Section2"), QStringLiteral("L%1").arg(i + 1));
        c.caption = captions[i];
        c.alignment = report::TextAlign::Center;
    }
}

} // namespace

const std::vector<NameListItem>& nameListItems() {
    static const std::vector<NameListItem> items = {
        {0, 3, 700, QStringLiteral("القرآن الكريم - فترة"), QStringLiteral("Quran1")},
        {1, 1, 700, QStringLiteral("القرآن الكريم أول وثاني"), QStringLiteral("Quran")},
        {2, 1, 1140, QStringLiteral("نموذج طولي"), QStringLiteral("StudentsNames")},
        {3, 1, 1580, QStringLiteral("أربعة أسابيع"), QStringLiteral("Weeks4")},
        {4, 1, 2020, QStringLiteral("خمسة أسابيع"), QStringLiteral("Weeks")},
        {5, 1, 2460, QStringLiteral("نموذج 30 "), QStringLiteral("Land30")},
        {6, 3, 2895, QStringLiteral("لغتي ثلاث وحدات"), QStringLiteral("SNamesLand")},
        {7, 3, 3334, QStringLiteral("لغتي وحدة"), QStringLiteral("Lang2")},
        {8, 1, 3340, QStringLiteral("المشاركة والواجب"), QStringLiteral("Weeks4")},
        {9, 0, 700, QStringLiteral("دليل الهاتف"), QStringLiteral("Quran1")},
        {10, 0, 1146, QStringLiteral("متابعة الغياب الأسبوعي"), QStringLiteral("AbcentWeek")},
        {11, 1, 3780, QStringLiteral("كشف متابعة الطلاب [ فصلي ]"), QStringLiteral("FollowUp")},
        {12, 1, 2900, QStringLiteral("لغتي وحدة مفرق"), QStringLiteral("MyLangUnit")},
        {13, 0, 1592, QStringLiteral("استلام الكتب"), QStringLiteral("Books")},
        {14, 0, 2040, QStringLiteral("كشف عام"), QStringLiteral("General")},
        {15, 0, 2490, QStringLiteral("الغياب"), {}},
        {16, 0, 3180, QStringLiteral("تصدير الأسماء - الوكيل الفني  [تجريبي]"), {}},
        {17, 0, 3630, QStringLiteral("تصدير الأسماء  إلى الوورد [ عامودي]"), {}},
        {18, 0, 4080, QStringLiteral("تصدير الأسماء  إلى الوورد [ أفقي ]"), {}},
    };
    return items;
}

const NameListItem& nameListItem(int index) {
    if (index < 0 || index >= kNameListItemCount)
        throw report::ReportError(QStringLiteral("no name-list item %1").arg(index));
    return nameListItems()[static_cast<std::size_t>(index)];
}

void prepareNameListItem(int index) {
    // The other items print their layout as the header fill left it; that fill
    // also puts back what 8 and 9 changed, so 0 and 3 print their own headings.
    switch (index) {
    case 0:
        prepareQuranSheet();
        break;
    case 8:
        prepareParticipationHeadings();
        break;
    case 9:
        preparePhoneDirectory();
        break;
    default:
        break;
    }
}

} // namespace sijill::reports
