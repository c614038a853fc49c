#include "labels/SeatLabels.h"

#include "labels/SeatTexts.h"
#include "report/LayoutLibrary.h"
#include "schedule/ExamSchedule.h"
#include "schedule/ScheduleTexts.h"
#include "shell/ClassList.h"
#include "students/StudentsStore.h"

#include <algorithm>

namespace sijill::labels {

namespace {

const QString kTop = QStringLiteral("Section4");
const QString kPageHeader = QStringLiteral("Section2");

QString classPart(const QString& cls) {
    const QString c = cls.trimmed();
    return c == QLatin1String("*") ? QString() : c;
}

// The grade as the exam-control window writes it into the schedule.
QString scheduleGradeName(const QString& grade) {
    QString name = grade;
    name.remove(exams::texts::kWordStage);
    name.remove(QLatin1Char('-'));
    name.remove(QStringLiteral("  "));
    return name.trimmed();
}

// Two students to a record: the first student's fields, then the second's.
void addPairs(report::ReportRowset& rows, const std::vector<SeatStudent>& students,
              const std::function<QString()>& nextSeat, const QString& classText,
              const QString& committee) {
    for (std::size_t i = 0; i < students.size(); i += 2) {
        rows.addRow();
        rows.set(QStringLiteral("d1"), students[i].name);
        rows.set(QStringLiteral("d7"), students[i].registry);
        rows.set(QStringLiteral("d3"), nextSeat());
        rows.set(QStringLiteral("d4"), classText);
        rows.set(QStringLiteral("d6"), committee);
        // An odd last student sits alone: no seat number for no one.
        if (i + 1 < students.size()) {
            rows.set(QStringLiteral("d5"), nextSeat());
            rows.set(QStringLiteral("d2"), students[i + 1].name);
            rows.set(QStringLiteral("d8"), students[i + 1].registry);
        }
    }
}

} // namespace

const QString& layoutOf(SeatSheet sheet) {
    switch (sheet) {
    case SeatSheet::ClassLabels:
        return kClassLabelsLayout;
    case SeatSheet::Distribution:
        return kDistributionLayout;
    case SeatSheet::Signatures:
        break;
    }
    return kSignaturesLayout;
}

std::optional<ClassPlace> findClass(const QString& chosen, const QStringList& classKeys) {
    if (!shell::ClassKey::parts(chosen))
        return std::nullopt;
    const auto [grade, cls] = shell::ClassKey::split(chosen);
    for (int i = 0; i < classKeys.size(); ++i) {
        const shell::ClassKey key = shell::ClassKey::split(classKeys[i]);
        if (key.grade.trimmed() == grade && key.cls.trimmed() == cls)
            return ClassPlace{i, grade, classPart(cls)};
    }
    return std::nullopt;
}

QString seatPrefix(const QString& classText) {
    namespace t = seat_texts;
    QString prefix;
    if (classText.contains(t::kWordFirstDefinite) || classText.contains(t::kWordFirst))
        prefix = QStringLiteral("1");
    if (classText.contains(t::kWordSecondDefinite) || classText.contains(t::kWordSecond))
        prefix = QStringLiteral("2");
    if (classText.contains(t::kWordThirdDefinite) || classText.contains(t::kWordThird))
        prefix = QStringLiteral("3");
    return prefix;
}

QString seatNumberText(int n) {
    QString text = QString::number(n);
    if (text.size() == 1)
        text.prepend(QLatin1Char('0'));
    return text;
}

int gradeNumberingStart(const QStringList& classKeys, int position, const QString& classCounts,
                        const std::function<int(const QString&, const QString&)>& countOf) {
    if (position < 0 || position >= classKeys.size())
        return 0;
    const QString grade = shell::ClassKey::split(classKeys[position]).grade.trimmed();
    const QStringList counts = classCounts.split(QLatin1Char('|'));
    int start = 0;
    for (int j = 0; j < position; ++j) {
        const shell::ClassKey key = shell::ClassKey::split(classKeys[j]);
        if (key.grade.trimmed() != grade)
            continue;
        bool ok = false;
        const int n = j + 1 < counts.size() ? counts[j + 1].trimmed().toInt(&ok) : 0;
        start += ok ? n : (countOf ? countOf(grade, classPart(key.cls)) : 0);
    }
    return start;
}

std::vector<SeatStudent> loadSeatStudents(const QString& grade, const QString& cls) {
    const std::vector<sijill::students::StudentRecord> stored =
        sijill::students::classStudentsByNumber(grade.trimmed(), cls.trimmed());
    std::vector<SeatStudent> out;
    out.reserve(stored.size());
    for (const sijill::students::StudentRecord& s : stored)
        out.push_back({s.name, s.civil});
    return out;
}

SeatRows buildSeatRows(SeatSheet sheet, const std::vector<SeatStudent>& students,
                       const QString& prefix, int before, const QString& classText,
                       const QString& committee) {
    SeatRows out{report::ReportRowset::withFields(8), {}};
    int n = before;
    const auto nextSeat = [&] {
        out.lastNumberText = seatNumberText(++n);
        return prefix + out.lastNumberText;
    };
    if (sheet != SeatSheet::Signatures) {
        addPairs(out.rows, students, nextSeat, classText, committee);
        return out;
    }
    for (const SeatStudent& s : students) {
        out.rows.addRow();
        out.rows.set(QStringLiteral("d1"), s.name);
        out.rows.set(QStringLiteral("d2"), s.registry);
        out.rows.set(QStringLiteral("d0"), nextSeat());
    }
    return out;
}

QStringList gradeExamSubjects(const QString& grade) {
    const QString name = scheduleGradeName(grade);
    if (name.isEmpty())
        return {};
    std::vector<exams::ScheduleRow> rows = exams::loadGradeRows(name);
    // Rows come in key order; a stable sort keeps it among equal days.
    std::stable_sort(rows.begin(), rows.end(),
                     [](const exams::ScheduleRow& a, const exams::ScheduleRow& b) {
                         if (a.date != b.date)
                             return a.date < b.date;
                         return a.period < b.period;
                     });
    QStringList subjects;
    for (const exams::ScheduleRow& r : rows)
        subjects << r.subject;
    return subjects;
}

report::ReportLayout& fillClassLabels(const report::ReportRowset& rows) {
    report::ReportLayout& layout = report::layout(kClassLabelsLayout);
    layout.resetToDesign();
    layout.setDataSource(rows);
    return layout;
}

report::ReportLayout& fillDistributionList(const report::ReportRowset& rows,
                                           const QString& classText, const QString& committee) {
    report::ReportLayout& layout = report::layout(kDistributionLayout);
    layout.resetToDesign();
    layout.control(kTop, QStringLiteral("Class")).caption = classText;
    layout.control(kTop, QStringLiteral("Place")).caption = committee;
    layout.setDataSource(rows);
    return layout;
}

QString signatureClassLine(const SignatureHeader& header) {
    return header.grade + QLatin1Char('-') + header.cls + seat_texts::kExtraOpen +
           seat_texts::kExtraClose;
}

report::ReportLayout& fillSignatureSheet(const report::ReportRowset& rows,
                                         const SignatureHeader& header,
                                         const QStringList& subjects) {
    report::ReportLayout& layout = report::layout(kSignaturesLayout);
    layout.resetToDesign();
    const auto caption = [&layout](const QString& name) -> QString& {
        return layout.control(kTop, name).caption;
    };
    caption(QStringLiteral("kl1")) = seat_texts::kCountry;
    caption(QStringLiteral("kl2")) = seat_texts::kMinistry;
    caption(QStringLiteral("kl3")) = header.administration;
    caption(QStringLiteral("kl4")) = header.school;
    caption(QStringLiteral("kl5")) = header.committee;
    caption(QStringLiteral("Class")) = signatureClassLine(header);
    caption(QStringLiteral("Label1")) =
        header.year + seat_texts::kYearSemesterJoin + header.semester;
    caption(QStringLiteral("Label2")).clear();
    for (int k = 0; k < kSignatureSubjects && k < subjects.size(); ++k)
        layout.control(kPageHeader, QStringLiteral("Label%1").arg(5 + k)).caption = subjects[k];
    if (!header.logo.isNull())
        layout.control(kTop, QStringLiteral("image1")).picture = header.logo;
    layout.setDataSource(rows);
    return layout;
}

} // namespace sijill::labels
