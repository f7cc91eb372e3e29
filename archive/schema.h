#pragma once

// The archive's tables, as the steps that build them. Step n turns a file of schema version n-1
// into one of version n; each runs in one transaction together with the new PRAGMA user_version.
// A step once released is never changed: a later change of the tables is a new step at the end.

namespace kw::archive_schema {

// Marks the file as ours in the SQLite header ("KrZw"), so that another program's database with
// a user_version of its own is never taken for an archive.
inline constexpr int kApplicationId = 0x4B725A77;

// The constraints are written with typeof() rather than as a STRICT table, so that the file
// stays readable by the sqlite3 tool of older systems. Together they hold what DrawingProblem
// checks: no statement, ours or a person's in the sqlite3 tool, can store a drawing that is none.
inline constexpr const char* kSteps[] = {
    // 1: drawings and their quotas.
    R"sql(
CREATE TABLE drawings (
  date TEXT NOT NULL PRIMARY KEY,
  weekday TEXT NOT NULL,
  n1 INTEGER NOT NULL,
  n2 INTEGER NOT NULL,
  n3 INTEGER NOT NULL,
  n4 INTEGER NOT NULL,
  n5 INTEGER NOT NULL,
  n6 INTEGER NOT NULL,
  zusatzzahl INTEGER,
  superzahl INTEGER,
  spiel77 TEXT,
  super6 TEXT,
  source TEXT NOT NULL,
  stored_at TEXT NOT NULL,
  -- An ISO date that exists: date() alone would let 30 February pass, '+0 days' rolls it over.
  CHECK (date GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]'
         AND date(date, '+0 days') IS date),
  CHECK (weekday IS CASE strftime('%w', date)
    WHEN '0' THEN 'Sonntag' WHEN '1' THEN 'Montag' WHEN '2' THEN 'Dienstag'
    WHEN '3' THEN 'Mittwoch' WHEN '4' THEN 'Donnerstag' WHEN '5' THEN 'Freitag'
    WHEN '6' THEN 'Samstag' END),
  CHECK (typeof(n1) = 'integer' AND n1 BETWEEN 1 AND 49),
  CHECK (typeof(n2) = 'integer' AND n2 BETWEEN 1 AND 49),
  CHECK (typeof(n3) = 'integer' AND n3 BETWEEN 1 AND 49),
  CHECK (typeof(n4) = 'integer' AND n4 BETWEEN 1 AND 49),
  CHECK (typeof(n5) = 'integer' AND n5 BETWEEN 1 AND 49),
  CHECK (typeof(n6) = 'integer' AND n6 BETWEEN 1 AND 49),
  CHECK (n1 NOT IN (n2, n3, n4, n5, n6) AND n2 NOT IN (n3, n4, n5, n6) AND
         n3 NOT IN (n4, n5, n6) AND n4 NOT IN (n5, n6) AND n5 <> n6),
  -- The Zusatzzahl was drawn until 2013-05-01, as a seventh number besides the six.
  CHECK (zusatzzahl IS NULL OR (typeof(zusatzzahl) = 'integer' AND zusatzzahl BETWEEN 1 AND 49
         AND zusatzzahl NOT IN (n1, n2, n3, n4, n5, n6) AND date <= '2013-05-01')),
  CHECK (superzahl IS NULL OR (typeof(superzahl) = 'integer' AND superzahl BETWEEN 0 AND 9)),
  CHECK (spiel77 IS NULL OR (typeof(spiel77) = 'text' AND length(spiel77) = 7
         AND spiel77 NOT GLOB '*[^0-9]*')),
  CHECK (super6 IS NULL OR (typeof(super6) = 'text' AND length(super6) = 6
         AND super6 NOT GLOB '*[^0-9]*')),
  CHECK (typeof(source) = 'text' AND typeof(stored_at) = 'text')
) WITHOUT ROWID;

CREATE TABLE quotas (
  date TEXT NOT NULL REFERENCES drawings (date) ON UPDATE RESTRICT ON DELETE CASCADE,
  game TEXT NOT NULL,
  class INTEGER NOT NULL,
  winners INTEGER NOT NULL,
  cents_per_winner INTEGER NOT NULL,
  PRIMARY KEY (date, game, class),
  CHECK (game IN ('6aus49', 'Spiel77', 'Super6')),
  CHECK (typeof(class) = 'integer' AND class >= 1 AND
         class <= CASE game WHEN '6aus49' THEN 9 WHEN 'Spiel77' THEN 7 ELSE 6 END),
  CHECK (typeof(winners) = 'integer' AND winners >= 0),
  CHECK (typeof(cents_per_winner) = 'integer' AND cents_per_winner >= 0)
) WITHOUT ROWID;
)sql",
};

inline constexpr int kVersion = static_cast<int>(sizeof kSteps / sizeof kSteps[0]);

}  // namespace kw::archive_schema
