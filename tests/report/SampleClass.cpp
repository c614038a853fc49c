#include "report/SampleClass.h"

#include <QStringList>

namespace sijill::test {

report::ReportRowset sampleClass(int students) {
    static const QStringList first = {"محمد", "عبدالله", "فهد", "خالد", "سعد", "عبدالرحمن", "يوسف"};
    static const QStringList father = {"أحمد", "إبراهيم", "سليمان", "ناصر", "عبدالعزيز"};
    static const QStringList family = {"العتيبي", "القحطاني", "الغامدي", "الزهراني",
                                       "الشمري",  "الدوسري",  "المطيري", "آل سعود الحربي"};
    report::ReportRowset rows = report::ReportRowset::withFields(8);
    for (int i = 0; i < students; ++i) {
        const int r = rows.addRow();
        rows.set(r, "d0", QString::number(i + 1));
        QString name = first[i % first.size()] + " " + father[(i / 2) % father.size()] + " " +
                       family[(i * 3) % family.size()];
        if (i % 5 == 4)
            name = first[(i + 1) % first.size()] + " " + name; // four parts
        rows.set(r, "d1", name);
        rows.set(r, "d2", QStringLiteral("05%1").arg(31000000 + i * 7919, 8, 10, QChar('0')));
        rows.set(r, "d3", QStringLiteral("1%1").arg(100000000 + i * 104729, 9, 10, QChar('0')));
        rows.set(r, "d4", "1");
        rows.set(r, "d5", "ابتدائي");
        rows.set(r, "d6", "الرابع");
        rows.set(r, "d7", "2");
        rows.set(r, "d8", "0");
    }
    return rows;
}

void fillSampleHeader(report::ReportLayout& layout) {
    const std::pair<const char*, QString> values[] = {
        {"kl1", "المملكة العربية السعودية"},
        {"kl2", "وزارة التعليم"},
        {"kl3", "الإدارة العامة للتعليم بمنطقة الرياض"},
        {"kl4", "مدرسة الأمل الابتدائية"},
        {"kl5", "1446 - 1447"},
        {"Class", "الصف: الرابع ( 2 )"},
    };
    for (const auto& [name, value] : values) {
        if (layout.hasControl(name))
            layout.control(name).caption = value;
    }
}

} // namespace sijill::test
