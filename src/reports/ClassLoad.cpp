#include "reports/ClassLoad.h"

#include "data/DataError.h"
#include "reports/PrintRun.h"
#include "shell/ClassList.h"
#include "students/StudentsStore.h"

namespace sijill::reports {

data::RecordSet loadClassStudents(const QString& grade, const QString& cls) {
    return students::classStudentRows(grade, cls);
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
