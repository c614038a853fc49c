#include "attendance/AttendanceUpgrade.h"

#include "attendance/AttendanceStore.h"
#include "data/Connection.h"
#include "data/DataError.h"

namespace sijill::attendance {

namespace {

bool tryAdd(data::Connection& c, AttendanceTable table) {
    try {
        return addIdColumn(c, table);
    } catch (const data::DataError&) {
        return false;
    }
}

} // namespace

UpgradeResult upgradeAttendanceTables() {
    UpgradeResult result;
    try {
        data::Connection c(data::Database::Employee);
        result.addedToS2 = tryAdd(c, AttendanceTable::S2);
        result.addedToS1 = tryAdd(c, AttendanceTable::S1);
    } catch (const data::DataError&) {
        // No attendance database: the window opens as usual.
    }
    return result;
}

} // namespace sijill::attendance
