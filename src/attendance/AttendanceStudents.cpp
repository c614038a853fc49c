#include "attendance/AttendanceStudents.h"

#include "reports/ClassLoad.h"

namespace sijill::attendance {

ClassStudents loadAttendanceStudents(const QString& grade, const QString& cls) {
    const data::RecordSet rows = reports::loadClassStudents(grade.trimmed(), cls.trimmed());
    ClassStudents out;
    for (int i = 0; i < rows.recordCount(); ++i) {
        const QVariant name = rows.value(i, QStringLiteral("d1"));
        if (name.isNull())
            continue;
        out.names << name.toString();
        out.civilNumbers << rows.text(i, QStringLiteral("d3"));
    }
    return out;
}

} // namespace sijill::attendance
