#include "students/TypedEntries.h"

#include "platform/BidiText.h"
#include "platform/Digits.h"
#include "students/Texts.h"

#include <QStringList>
#include <algorithm>

namespace sijill::students {

namespace {

constexpr int kMaxStudentNumber = 999;
constexpr int kMaxClassNumber = 99;
constexpr int kCivilNumberLength = 10;
const QString kAllNamesClass = QStringLiteral("*");

QString codeText(const QString& typed) {
    return platform::latinDigits(typed).trimmed();
}

// A whole number is written as the program counts it ("٠٧" and "07" are 7);
// any other text is kept for the checks to name.
QString countText(const QString& typed) {
    const std::optional<int> n = platform::wholeNumber(typed);
    return n ? QString::number(*n) : codeText(typed);
}

bool inRange(const QString& text, int most) {
    const std::optional<int> n = platform::wholeNumber(text);
    return n && *n >= 1 && *n <= most;
}

bool holdsLetter(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

bool phoneText(const QString& phone) {
    if (phone.isEmpty() || phone == QStringLiteral("-"))
        return true;
    const QString digits = phone.startsWith(QLatin1Char('+')) ? phone.mid(1) : phone;
    return digits == digits.trimmed() && platform::allDigits(digits);
}

} // namespace

ClassItem typedClass(const QString& kind, const QString& grade, const QString& cls) {
    return {codeText(kind), codeText(grade), countText(cls)};
}

NewStudent typedStudent(const NewStudent& s) {
    return {s.name.trimmed(), codeText(s.civil), countText(s.number), codeText(s.phone)};
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
    if (cls.cls != kAllNamesClass && !inRange(cls.cls, kMaxClassNumber))
        return QStringLiteral("الفصل يجب أن يكون عددا صحيحا من 1 إلى %1، بلا كسور ولا إشارات "
                              "ولا حروف، أو العلامة * لمجموعة جميع الأسماء؛ ولم يضف الفصل.")
            .arg(kMaxClassNumber);
    return QString();
}

QString studentEntryProblem(const NewStudent& typed, const NewStudent& filled) {
    if (typed.name.isEmpty())
        return QStringLiteral("اكتب اسم الطالب قبل حفظه.");
    if (typed.civil.isEmpty())
        return QStringLiteral("اكتب رقم السجل المدني للطالب قبل حفظه.");
    if (typed.name != filled.name && !holdsLetter(typed.name))
        return QStringLiteral("الاسم يجب أن يحوي حرفا واحدا على الأقل؛ ولم يحفظ شيء.");
    if (typed.civil != filled.civil && !platform::allDigits(typed.civil))
        return QStringLiteral("السجل المدني يجب أن يكون أرقاما فقط، بلا حروف ولا إشارات ولا "
                              "مسافات؛ ولم يحفظ شيء.");
    if (typed.number != filled.number && !typed.number.isEmpty() &&
        !inRange(typed.number, kMaxStudentNumber))
        return QStringLiteral("الرقم يجب أن يكون عددا صحيحا من 1 إلى %1، بلا كسور ولا إشارات "
                              "ولا حروف، أو يترك فارغا؛ ولم يحفظ شيء.")
            .arg(kMaxStudentNumber);
    if (typed.phone != filled.phone && !phoneText(typed.phone))
        return QStringLiteral("الهاتف يجب أن يكون أرقاما فقط، قد تسبقها العلامة +، أو العلامة - "
                              "وحدها، أو يترك فارغا؛ ولم يحفظ شيء.");
    return QString();
}

QString civilNumberQuestion(const NewStudent& typed, const NewStudent& filled) {
    if (typed.civil == filled.civil || typed.civil.size() == kCivilNumberLength)
        return QString();
    return texts::kAskCivilLength.arg(platform::isolate(typed.civil),
                                      QString::number(typed.civil.size()),
                                      QString::number(kCivilNumberLength));
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
