-- Attendance database.
BEGIN TRANSACTION;

-- Attendance tables. The program keeps no rows in them; it only upgrades
-- them on opening the attendance window, adding the key column Id when S2
-- lacks it. They therefore ship without Id. Their other columns are
-- placeholders of our own choosing (name, Hijri date, note), since
-- nothing reads or writes them.
CREATE TABLE S1 (
  name TEXT,
  day TEXT,
  note TEXT
);

CREATE TABLE S2 (
  name TEXT,
  day TEXT,
  note TEXT
);

-- Schema version.
PRAGMA user_version = 1;

COMMIT;
