-- Tables of the material database.
-- Declared types tell the database layer how to hand values out: INTEGER for ids, orders,
-- temperatures and thicknesses; TEXT for names and for every property value (values are texts
-- as the standards print them, some with a decimal comma, "-" for a dash); DATE as 'YYYY-MM-DD';
-- BOOLEAN as -1 (true) / 0 (false). No primary keys: the program reads, it never writes.

CREATE TABLE materials (
  matID INTEGER,
  name TEXT COLLATE NOCASE,
  numbr TEXT COLLATE NOCASE,
  description TEXT COLLATE NOCASE,
  groups TEXT COLLATE NOCASE,
  revision_date DATE,
  standard TEXT COLLATE NOCASE,
  asmestandard TEXT COLLATE NOCASE,
  asmegrade TEXT COLLATE NOCASE,
  ss TEXT COLLATE NOCASE
);

CREATE TABLE standard (
  stID INTEGER,
  standard TEXT COLLATE NOCASE,
  description TEXT COLLATE NOCASE,
  revision_date DATE,
  otherElem BOOLEAN
);

CREATE TABLE StandardProdForm (
  standard TEXT COLLATE NOCASE,
  productForm TEXT COLLATE NOCASE
);

CREATE TABLE StandProdForm (
  stID INTEGER,
  prodFID INTEGER
);

CREATE TABLE ProdForm (
  prodFID INTEGER,
  productForm TEXT COLLATE NOCASE
);

-- Two records per element, minimum first, then maximum.
CREATE TABLE Chemical (
  standard TEXT COLLATE NOCASE,
  name TEXT COLLATE NOCASE,
  numbr TEXT COLLATE NOCASE,
  elemID INTEGER,
  element TEXT COLLATE NOCASE,
  val TEXT COLLATE NOCASE,
  note TEXT COLLATE NOCASE
);

CREATE TABLE OtherElem (
  mID INTEGER,
  stID INTEGER,
  other TEXT COLLATE NOCASE
);

CREATE TABLE MechMatTable (
  matID INTEGER,
  colID INTEGER,
  note TEXT COLLATE NOCASE,
  minMax TEXT COLLATE NOCASE,
  colSize TEXT COLLATE NOCASE,
  ordering INTEGER
);

CREATE TABLE MechPropData (
  matID INTEGER,
  rowNo INTEGER,
  ordering INTEGER,
  colID INTEGER,
  val TEXT COLLATE NOCASE
);

CREATE TABLE CreepPropTable (
  stID INTEGER,
  colID INTEGER,
  note TEXT COLLATE NOCASE,
  minMax TEXT COLLATE NOCASE,
  colSize TEXT COLLATE NOCASE,
  ordering INTEGER
);

CREATE TABLE CreepProperties (
  matID INTEGER,
  rowNo INTEGER,
  ordering INTEGER,
  colID INTEGER,
  val TEXT COLLATE NOCASE
);

CREATE TABLE Columns (
  colID INTEGER,
  colTxt TEXT COLLATE NOCASE,
  unitID INTEGER
);

CREATE TABLE Units (
  unitID INTEGER,
  unitTxt TEXT COLLATE NOCASE
);

-- kv, kvLong and kvTrans are the fields at positions 2, 3 and 4 of "select *".
CREATE TABLE ImpEnergy (
  matID INTEGER,
  temp INTEGER,
  kv TEXT COLLATE NOCASE,
  kvLong TEXT COLLATE NOCASE,
  kvTrans TEXT COLLATE NOCASE,
  ordering INTEGER
);

-- thickness: upper end of the thickness range in mm; -1 where the values do not depend on it.
CREATE TABLE Rp02 (
  matID INTEGER,
  temp INTEGER,
  Rp02 TEXT COLLATE NOCASE,
  thickness INTEGER,
  ordering INTEGER
);

CREATE TABLE Rp10 (
  matID INTEGER,
  temp INTEGER,
  Rp10 TEXT COLLATE NOCASE,
  thickness INTEGER,
  ordering INTEGER
);

CREATE TABLE Rm (
  matID INTEGER,
  temp INTEGER,
  Rm TEXT COLLATE NOCASE,
  thickness INTEGER,
  ordering INTEGER
);

CREATE TABLE ModElast (
  matID INTEGER,
  temp INTEGER,
  ModElast TEXT COLLATE NOCASE,
  ordering INTEGER
);

CREATE TABLE ThermExp (
  matID INTEGER,
  temp INTEGER,
  ThermExp TEXT COLLATE NOCASE,
  ThermExpDiff TEXT COLLATE NOCASE,
  ordering INTEGER
);

CREATE TABLE ThermCond (
  matID INTEGER,
  temp INTEGER,
  ThermCond TEXT COLLATE NOCASE,
  ordering INTEGER
);

CREATE TABLE SpecThermCap (
  matID INTEGER,
  temp INTEGER,
  SpecThermCap TEXT COLLATE NOCASE,
  SpecThermCapDiff TEXT COLLATE NOCASE,
  ordering INTEGER
);

CREATE TABLE SpecElecRes (
  matID INTEGER,
  temp INTEGER,
  SpecElecRes TEXT COLLATE NOCASE,
  ordering INTEGER
);

CREATE TABLE MatNotes (
  matID INTEGER,
  tableName TEXT COLLATE NOCASE,
  ordering INTEGER,
  notID INTEGER
);

CREATE TABLE TableNotes (
  notID INTEGER,
  tableName TEXT COLLATE NOCASE,
  notTxt TEXT COLLATE NOCASE
);

CREATE TABLE GetInfo (
  matID INTEGER,
  titleID INTEGER,
  ordering INTEGER,
  infotext TEXT COLLATE NOCASE
);

CREATE TABLE InfoTitle (
  titleID INTEGER,
  titleText TEXT COLLATE NOCASE
);
