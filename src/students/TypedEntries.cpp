#include "students/TypedEntries.h"

#include "platform/Digits.h"

#include <QStringList>

namespace sijill::students {

namespace {
QString codeText(const QString& typed) {
    return platform::latinDigits(typed).trimmed();
}
} // namespace

ClassItem typedClass(const QString& kind, const QString& grade, const QString& cls) {
    return {codeText(kind), codeText(grade), codeText(cls)};
}

NewStudent typedStudent(const NewStudent& s) {
    return {s.name.trimmed(), codeText(s.civil), codeText(s.number), s.phone.trimmed()};
}

QString classEntryProblem(const ClassItem& cls) {
    if (cls.kind.isEmpty())
        return QStringLiteral("اكتب القسم قبل إضافة الفصل.");
    if (cls.grade.isEmpty())
        return QStringLiteral("اكتب الصف قبل إضافة الفصل.");
    if (cls.cls.isEmpty())
        return QStringLiteral("اكتب اسم الفصل قبل إضافته.");
    if (cls.kind.contains(QLatin1Char(':')))
        return QStringLiteral("لا يمكن أن يحوي القسم العلامة \":\".");
    if (cls.grade.contains(QLatin1Char(':')) || cls.grade.contains(QLatin1Char('-')))
        return QStringLiteral("لا يمكن أن يحوي الصف العلامة \":\" أو \"-\".");
    return QString();
}

QString studentEntryProblem(const QString& name, const QString& civil) {
    if (name.trimmed().isEmpty())
        return QStringLiteral("اكتب اسم الطالب قبل حفظه.");
    if (civil.trimmed().isEmpty())
        return QStringLiteral("اكتب رقم السجل المدني للطالب قبل حفظه.");
    return QString();
}

std::vector<StudentLine> alreadyInClass(const std::vector<StudentLine>& chosen,
                                        const ClassItem& target) {
    std::vector<StudentLine> out;
    for (const StudentLine& l : chosen)
        if (l.grade.trimmed() == target.grade.trimmed() && l.cls.trimmed() == target.cls.trimmed())
            out.push_back(l);
    return out;
}

QString studentsNamed(const std::vector<StudentLine>& lines) {
    QStringList names;
    for (const StudentLine& l : lines)
        names << l.name.trimmed();
    if (lines.size() == 1)
        return names.front();
    return QStringLiteral("%1 من الطلاب: %2")
        .arg(QString::number(lines.size()), names.join(QStringLiteral("، ")));
}

} // namespace sijill::students
