-- Course-skills database.
BEGIN TRANSACTION;

-- Skills: one row per skill line of an imported course-skills report;
-- every import appends. Cell values are kept as text, as the workbook
-- gives them (skill_order included). id is the row identity.
CREATE TABLE elemn_skills (
  grade TEXT,
  subject TEXT,
  period TEXT,
  skill TEXT,
  skill_order TEXT,
  id INTEGER PRIMARY KEY
);

-- Schema version.
PRAGMA user_version = 1;

COMMIT;
