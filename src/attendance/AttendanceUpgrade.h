#pragma once

namespace sijill::attendance {

// What the upgrade of the attendance tables did.
struct UpgradeResult {
    bool addedToS1 = false;
    bool addedToS2 = false;
};

// Gives S1 and S2 of the attendance database a numbered key column Id where
// it is missing: existing rows are numbered in their stored order and rows
// added later are numbered on insert. Each table changes in one transaction
// or not at all. Every failure (no database, no table, a locked file) is
// passed over silently, as the window's loading must go on.
UpgradeResult upgradeAttendanceTables();

} // namespace sijill::attendance
