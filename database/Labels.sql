-- Custom desk labels database.
BEGIN TRANSACTION;

-- Custom labels: free desk labels, not tied to the students table.
-- The print reads the columns by position, so their order is fixed:
--   id row key (database-assigned, never reused), d0 class text,
--   d1 name, d2 number, d3 committee.
-- Rows have no order of their own beyond id, which follows insertion.
CREATE TABLE T1 (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  d0 TEXT,
  d1 TEXT,
  d2 TEXT,
  d3 TEXT
);

-- Schema version.
PRAGMA user_version = 1;

COMMIT;
