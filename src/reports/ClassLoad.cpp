#include "reports/ClassLoad.h"

#include "data/Connection.h"
#include "data/DataError.h"
#include "reports/PrintRun.h"
#include "shell/ClassList.h"

namespace sijill::reports {

data::RecordSet loadClassStudents(const QString& grade, const QString& cls) {
    data::Connection c(data::Database::Students);
    data::RecordSet rows =
        c.query(QStringLiteral("SELECT * FROM T1 WHERE trim(d6) = ? AND trim(d7) = ? "
                               "ORDER BY d1, id"),
                {grade, cls});
    // Number in class as text; the sort is stable, so equal numbers keep the
    // name order of the query.
    rows.sort(QStringLiteral("d0"));
    rows.moveFirst();
    return rows;
}

bool ClassData::load(const QString& classKey) {
    ClassRecordset = data::RecordSet();
    loadError_.clear();
    if (!shell::ClassKey::parts(classKey)) {
        loadError_ = kBadClassNames;
        return false;
    }
    const auto [grade, cls] = shell::ClassKey::split(classKey);
    HeaderClassText = grade;
    try {
        ClassRecordset = loadClassStudents(grade, cls);
    } catch (const data::DataError& e) {
        loadError_ = e.userMessage();
        return false;
    }
    return true;
}

ExportRequest ClassData::takeExportRequest() {
    ExportRequest request = exports;
    exports.ExportExcelFlag = false;
    exports.ExportWordFlag = false;
    return request;
}

} // namespace sijill::reports
