#include "students/StudentChanges.h"

#include "data/DataError.h"
#include "students/StudentsStore.h"

#include <algorithm>

namespace sijill::students {

namespace {
const QString kSeparator = QStringLiteral(" | ");
const QString kStudentGone = QStringLiteral("لم تعد بيانات هذا الطالب موجودة، فلم يحفظ التعديل.");
} // namespace

QString paddedNumber(const QString& number) {
    return number.size() < 2 ? QLatin1Char('0') + number : number;
}

QString StudentLine::text() const {
    return number + kSeparator + civil + kSeparator + name + kSeparator + phone;
}

std::vector<StudentLine> listStudents(const std::optional<ClassItem>& cls) {
    std::vector<StudentLine> lines;
    for (StudentRecord& s : studentsWithName(cls))
        lines.push_back({s.id, paddedNumber(s.number), std::move(s.civil), std::move(s.name),
                         std::move(s.phone), std::move(s.stage), std::move(s.grade),
                         std::move(s.cls)});
    // The list keeps its lines sorted as text.
    std::stable_sort(lines.begin(), lines.end(), [](const StudentLine& a, const StudentLine& b) {
        return QString::compare(a.text(), b.text()) < 0;
    });
    return lines;
}

void renumberStudents(const std::vector<qint64>& idsInOrder) {
    std::vector<std::pair<qint64, QString>> numbers;
    int n = 0;
    for (qint64 id : idsInOrder)
        numbers.emplace_back(id, paddedNumber(QString::number(++n)));
    setStudentNumbers(numbers);
}

qint64 addStudent(const NewStudent& s, const ClassItem& cls) {
    StudentRecord r;
    r.number = s.number;
    r.name = s.name;
    r.phone = s.phone;
    r.civil = s.civil;
    r.examFlag = QStringLiteral("-");
    r.stage = cls.kind;
    r.grade = cls.grade;
    r.cls = cls.cls;
    return insertStudent(r);
}

QString editStudent(qint64 id, const QString& number, const QString& name, const QString& civil,
                    const QString& phone) {
    StudentRecord r;
    r.id = id;
    r.number = paddedNumber(number);
    r.name = name;
    r.phone = phone;
    r.civil = civil;
    // A row deleted since the edit panel opened: no success over nothing.
    if (!updateStudentLine(r))
        throw data::DataError(kStudentGone, QStringLiteral("no row with id %1").arg(id));
    return r.number;
}

void copyStudents(const std::vector<StudentLine>& lines, const ClassItem& target) {
    std::vector<StudentRecord> copies;
    copies.reserve(lines.size());
    for (const StudentLine& l : lines) {
        StudentRecord r;
        r.number = l.number.trimmed();
        r.name = l.name.trimmed();
        r.phone = QStringLiteral("-");
        r.civil = l.civil.trimmed();
        r.examFlag = QStringLiteral("-");
        r.stage = target.kind.isEmpty() ? l.stage : target.kind;
        r.grade = target.grade;
        r.cls = target.cls;
        copies.push_back(std::move(r));
    }
    insertStudents(copies);
}

} // namespace sijill::students
