-- Velmora database: standard recipes, own recipes, ink consumption per mesh.
-- Text compares without regard to case, as users type names in any case.
-- Statements are separated by a semicolon at the end of a line. Rows are addressed by
-- SQLite's rowid, so "select *" yields exactly the columns below.

CREATE TABLE IF NOT EXISTS T_Farben (
    Rezeptname      TEXT COLLATE NOCASE,
    Beschreibung    TEXT COLLATE NOCASE,
    "Farbe-1"       TEXT COLLATE NOCASE,
    "Anteil-1"      REAL,
    "Farbe-2"       TEXT COLLATE NOCASE,
    "Anteil-2"      REAL,
    "Farbe-3"       TEXT COLLATE NOCASE,
    "Anteil-3"      REAL,
    "Farbe-4"       TEXT COLLATE NOCASE,
    "Anteil-4"      REAL,
    "Farbe-5"       TEXT COLLATE NOCASE,
    "Anteil-5"      REAL,
    "Farbe-6"       TEXT COLLATE NOCASE,
    "Anteil-6"      REAL,
    "Anteil gesamt" REAL,
    Bemerkung       TEXT COLLATE NOCASE,
    Farbtyp         TEXT COLLATE NOCASE
);
CREATE INDEX IF NOT EXISTS IX_Farben_Rezeptname ON T_Farben (Rezeptname);

CREATE TABLE IF NOT EXISTS T_FarbenEigen (
    Rezeptname      TEXT COLLATE NOCASE,
    Beschreibung    TEXT COLLATE NOCASE,
    "Farbe-1"       TEXT COLLATE NOCASE,
    "Anteil-1"      REAL,
    "Farbe-2"       TEXT COLLATE NOCASE,
    "Anteil-2"      REAL,
    "Farbe-3"       TEXT COLLATE NOCASE,
    "Anteil-3"      REAL,
    "Farbe-4"       TEXT COLLATE NOCASE,
    "Anteil-4"      REAL,
    "Farbe-5"       TEXT COLLATE NOCASE,
    "Anteil-5"      REAL,
    "Farbe-6"       TEXT COLLATE NOCASE,
    "Anteil-6"      REAL,
    "Anteil gesamt" REAL,
    Bemerkung       TEXT COLLATE NOCASE,
    Farbtyp         TEXT COLLATE NOCASE
);
CREATE INDEX IF NOT EXISTS IX_FarbenEigen_Rezeptname ON T_FarbenEigen (Rezeptname);

-- Siebgewebe stays the first column: an import overwrite empties every column after it.
CREATE TABLE IF NOT EXISTS T_Farbverbrauch (
    Siebgewebe      TEXT COLLATE NOCASE,
    "Druckfläche"   REAL,
    Farbverbrauch   REAL
);
CREATE INDEX IF NOT EXISTS IX_Farbverbrauch_Siebgewebe ON T_Farbverbrauch (Siebgewebe);
