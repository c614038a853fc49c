-- Students database.
BEGIN TRANSACTION;

-- Students: one row per student and class membership. All columns hold
-- text; the import writes d0..d8 by position, so their order is fixed.
--   d0 number in class (two digits), d1 name, d2 phone,
--   d3 civil-registry number, d4 exam flag ("1" = seated in committees),
--   d5 stage, d6 grade word, d7 class, d8 committee order key.
-- id is the row identity: a student copied into a second class is a
-- second row with the same d3, so rows are changed by id, never by d3.
-- An id is never handed out again, so a window still holding the id of a
-- deleted row cannot reach a newer one.
CREATE TABLE T1 (
  d0 TEXT,
  d1 TEXT,
  d2 TEXT,
  d3 TEXT,
  d4 TEXT,
  d5 TEXT,
  d6 TEXT,
  d7 TEXT,
  d8 TEXT,
  id INTEGER PRIMARY KEY AUTOINCREMENT
);

-- Spare table with the students' layout, so that a copy of T1 fits with
-- INSERT INTO orig SELECT * FROM T1. The program does not use it.
CREATE TABLE orig (
  d0 TEXT,
  d1 TEXT,
  d2 TEXT,
  d3 TEXT,
  d4 TEXT,
  d5 TEXT,
  d6 TEXT,
  d7 TEXT,
  d8 TEXT,
  id INTEGER PRIMARY KEY
);

-- Schema version 2 (1: T1's ids could be handed out again).
PRAGMA user_version = 2;

COMMIT;
