-- Index of particular material appraisals. Every field is text; the seventh field (position 6)
-- names the appraisal's document, a file name relative to the program folder.
CREATE TABLE PMA_Index (
  Specification TEXT COLLATE NOCASE,
  Designationname TEXT COLLATE NOCASE,
  Designationnumber TEXT COLLATE NOCASE,
  Product TEXT COLLATE NOCASE,
  Revision TEXT COLLATE NOCASE,
  Revisiondate TEXT COLLATE NOCASE,
  Document TEXT COLLATE NOCASE,
  Searchstring TEXT COLLATE NOCASE
);
