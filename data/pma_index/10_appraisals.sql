-- Demo appraisals; the build makes each row's document from data/pma_docs.
INSERT INTO PMA_Index VALUES
  ('EN 10028-2', 'P265GH', '1.0425', 'Plate', '1', '2011-05-12', 'PMA_0001.pdf', 'boiler pressure vessel plate elevated temperature'),
  ('EN 10028-2', '16Mo3', '1.5415', 'Plate', '2', '2012-02-20', 'PMA_0002.pdf', 'molybdenum creep plate'),
  ('EN 10028-3', 'P355NL1', '1.0566', 'Plate', '1', '2011-09-01', 'PMA_0003.pdf', 'fine grain low temperature plate'),
  ('EN 10028-7', 'X5CrNi18-10', '1.4301', 'Sheet', '3', '2013-01-15', 'PMA_0004.pdf', 'austenitic stainless 304 sheet'),
  ('EN 10028-7', 'X2CrNiMo17-12-2', '1.4404', 'Plate', '1', '2012-11-30', 'PMA_0005.pdf', 'austenitic stainless 316L plate'),
  ('EN 10216-2', 'P235GH', '1.0345', 'Seamless tube', '2', '2010-10-04', 'PMA_0006.pdf', 'seamless boiler tube'),
  ('EN 10216-2', 'X10CrMoVNb9-1', '1.4903', 'Seamless tube', '1', '2014-03-18', 'PMA_0007.pdf', 'P91 creep resistant tube'),
  ('EN 10222-2', 'P280GH', '1.0426', 'Forging', '1', '2011-07-07', 'PMA_0008.pdf', 'flange forging'),
  ('EN 10213', 'GP240GH', '1.0619', 'Casting', '2', '2012-06-25', 'PMA_0009.pdf', 'valve body casting'),
  ('EN 10213', 'G17CrMo5-5', '1.7357', 'Casting', '1', '2013-09-09', 'PMA_0010.pdf', 'creep resistant casting turbine');
