-- Exam-control database: school profile, class list, exam schedule,
-- pick lists and committees.
BEGIN TRANSACTION;

-- School profile: exactly one row, id 1; the program neither adds nor
-- deletes rows. The Admin text shipped here marks an unfinished profile:
-- the program asks for the profile while Admin still holds it. The other
-- texts are the profile boxes' placeholders. Gender: 1 boys, 2 girls.
-- Kind is kept for old data and not used; its type is our choice.
CREATE TABLE MyInfo (
  id INTEGER PRIMARY KEY,
  Admin TEXT,
  School TEXT,
  ThisYear TEXT,
  ThisSemester TEXT,
  Job TEXT,
  ThisName TEXT,
  name_2 TEXT,
  name_3 TEXT,
  Kind TEXT,
  Gender INTEGER
);

INSERT INTO MyInfo (id, Admin, School, ThisYear, ThisSemester, Job,
                    ThisName, name_2, name_3, Kind, Gender)
VALUES (1, 'الإدارة غير محددة', 'القسم غير محدد', 'العام الدراسي هنا', 'الفصل الدراسي هنا', 'قائد المدرسة',
        'اسم المدير', 'اسم المدير', 'اسم المدير', '', 1);

-- Classes: one row per class, filled by the import and by hand.
-- kind stage, grade grade word (same words as the students' d6),
-- class class within the grade (same values as d7), kept as text so it
-- matches d7 exactly; order_it rank of the grade, 1 to 6, or NULL for a
-- class added by hand. id is the row identity.
CREATE TABLE grades (
  kind TEXT,
  grade TEXT,
  class TEXT,
  order_it INTEGER,
  id INTEGER PRIMARY KEY AUTOINCREMENT
);

-- Exam schedule: one row per grade and exam period. Columns are read by
-- position, so their order is fixed. ID row key (database-assigned, never
-- reused), D0 grade position in the exam-control grade list, D1 weekday
-- name, D2 Hijri date (yyyy/mm/dd), D3 grade name, D4 subject, D5 exam
-- time, D6 corrector, D7 reviewer, D8 period, F_Order editor grid row
-- (2 x day + period, 0 to 19).
CREATE TABLE T1 (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  D0 TEXT,
  D1 TEXT,
  D2 TEXT,
  D3 TEXT,
  D4 TEXT,
  D5 TEXT,
  D6 TEXT,
  D7 TEXT,
  D8 TEXT,
  F_Order INTEGER
);

-- Pick lists of the schedule editor: subjects, staff names (correctors
-- and reviewers) and exam times. ID row key (database-assigned, never
-- reused), Title the item's text. They ship empty.
CREATE TABLE subjects (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  Title TEXT
);

CREATE TABLE teachers_names (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  Title TEXT
);

CREATE TABLE exam_time (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  Title TEXT
);

-- Committees: one row per committee, in window order. The committee
-- reset drops this table and creates it again with this same statement.
-- ID row position + 1, always written by the program; Name committee
-- name, Col desk rows, Num capacity (texts); C1 to C3 seats of grades 1
-- to 3 (NULL until the row is first saved).
CREATE TABLE List (
  ID INTEGER PRIMARY KEY,
  Name TEXT,
  Col TEXT,
  Num TEXT,
  C1 INTEGER,
  C2 INTEGER,
  C3 INTEGER
);

-- Committee seating: written by the distribution; the committee reset
-- drops it and creates it again with this same statement. Columns are
-- read by position, so their order is fixed. ID is never written: the
-- database assigns it, so it keeps the order of insertion, which is the
-- order readers take a committee's rows in. Com committee name, Class
-- class label (NULL on a committee's header row), Name student name (on a
-- header row the class label), ComNum seat number, Num number in class,
-- S1 to S8 the grade's exam subjects (header rows only).
CREATE TABLE Com (
  ID INTEGER PRIMARY KEY,
  Com TEXT,
  Class TEXT,
  Name TEXT,
  ComNum TEXT,
  Num TEXT,
  S1 TEXT,
  S2 TEXT,
  S3 TEXT,
  S4 TEXT,
  S5 TEXT,
  S6 TEXT,
  S7 TEXT,
  S8 TEXT
);

-- Schema version 2 (1: grades' ids could be handed out again).
PRAGMA user_version = 2;

COMMIT;
