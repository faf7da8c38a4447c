-- EN 10213: steel castings for pressure purposes
-- Values as the standard publishes them, to the best of our knowledge: demo data for trying the program, not for design.

INSERT INTO standard VALUES
  (6, 'EN 10213', 'Steel castings for pressure purposes (demo data for trying the program, not for design)', '2007-11-01', 0);
INSERT INTO StandardProdForm VALUES
  ('EN 10213', 'Casting');
INSERT INTO StandProdForm VALUES
  (6, 6);
INSERT INTO TableNotes VALUES
  (60, 'MechProp', 'Values for the heat treated condition, wall thickness up to 100 mm.');

-- GP240GH (1.0619)
INSERT INTO materials VALUES
  (601, 'GP240GH', '1.0619', 'Non-alloy cast steel', '1.1', '2008-09-01', 'EN 10213', 'SA-216', 'Grade WCA', NULL);
INSERT INTO Chemical VALUES
  ('EN 10213', 'GP240GH', '1.0619', 1, 'C', '0,18', NULL),
  ('EN 10213', 'GP240GH', '1.0619', 2, 'C', '0,23', NULL),
  ('EN 10213', 'GP240GH', '1.0619', 3, 'Si', NULL, NULL),
  ('EN 10213', 'GP240GH', '1.0619', 4, 'Si', '0,60', NULL),
  ('EN 10213', 'GP240GH', '1.0619', 5, 'Mn', '0,50', NULL),
  ('EN 10213', 'GP240GH', '1.0619', 6, 'Mn', '1,20', NULL),
  ('EN 10213', 'GP240GH', '1.0619', 7, 'P', NULL, NULL),
  ('EN 10213', 'GP240GH', '1.0619', 8, 'P', '0,030', NULL),
  ('EN 10213', 'GP240GH', '1.0619', 9, 'S', NULL, NULL),
  ('EN 10213', 'GP240GH', '1.0619', 10, 'S', '0,020', NULL),
  ('EN 10213', 'GP240GH', '1.0619', 11, 'Cr', NULL, NULL),
  ('EN 10213', 'GP240GH', '1.0619', 12, 'Cr', '0,30', NULL),
  ('EN 10213', 'GP240GH', '1.0619', 13, 'Mo', NULL, NULL),
  ('EN 10213', 'GP240GH', '1.0619', 14, 'Mo', '0,12', NULL),
  ('EN 10213', 'GP240GH', '1.0619', 15, 'Ni', NULL, NULL),
  ('EN 10213', 'GP240GH', '1.0619', 16, 'Ni', '0,40', NULL);
INSERT INTO MechMatTable VALUES
  (601, 1, NULL, 'max', '900', 1),
  (601, 10, NULL, NULL, '1300', 2),
  (601, 5, NULL, 'min', '900', 3),
  (601, 3, NULL, NULL, '1100', 4),
  (601, 4, NULL, 'min', '0', 5);
INSERT INTO MechPropData VALUES
  (601, 1, 1, 1, '100'),
  (601, 1, 2, 10, 'N or QT'),
  (601, 1, 3, 5, '240'),
  (601, 1, 4, 3, '420 - 600'),
  (601, 1, 5, 4, '22');
INSERT INTO ImpEnergy VALUES
  (601, 20, '27', NULL, NULL, 1);
INSERT INTO Rp02 VALUES
  (601, 100, '210', -1, 1),
  (601, 200, '175', -1, 2),
  (601, 300, '145', -1, 3),
  (601, 350, '135', -1, 4),
  (601, 400, '130', -1, 5);
INSERT INTO ModElast VALUES
  (601, 20, '210', 1),
  (601, 100, '204', 2),
  (601, 200, '196', 3),
  (601, 300, '190', 4),
  (601, 400, '182', 5);
INSERT INTO MatNotes VALUES
  (601, 'MechProp', 1, 60);

-- GP280GH (1.0625)
INSERT INTO materials VALUES
  (602, 'GP280GH', '1.0625', 'Non-alloy cast steel', NULL, '2008-09-01', 'EN 10213', 'SA-216', 'Grade WCC', NULL);
INSERT INTO Chemical VALUES
  ('EN 10213', 'GP280GH', '1.0625', 1, 'C', '0,18', NULL),
  ('EN 10213', 'GP280GH', '1.0625', 2, 'C', '0,25', NULL),
  ('EN 10213', 'GP280GH', '1.0625', 3, 'Si', NULL, NULL),
  ('EN 10213', 'GP280GH', '1.0625', 4, 'Si', '0,60', NULL),
  ('EN 10213', 'GP280GH', '1.0625', 5, 'Mn', '0,80', NULL),
  ('EN 10213', 'GP280GH', '1.0625', 6, 'Mn', '1,20', NULL),
  ('EN 10213', 'GP280GH', '1.0625', 7, 'P', NULL, NULL),
  ('EN 10213', 'GP280GH', '1.0625', 8, 'P', '0,030', NULL),
  ('EN 10213', 'GP280GH', '1.0625', 9, 'S', NULL, NULL),
  ('EN 10213', 'GP280GH', '1.0625', 10, 'S', '0,020', NULL),
  ('EN 10213', 'GP280GH', '1.0625', 11, 'Cr', NULL, NULL),
  ('EN 10213', 'GP280GH', '1.0625', 12, 'Cr', '0,30', NULL),
  ('EN 10213', 'GP280GH', '1.0625', 13, 'Mo', NULL, NULL),
  ('EN 10213', 'GP280GH', '1.0625', 14, 'Mo', '0,12', NULL),
  ('EN 10213', 'GP280GH', '1.0625', 15, 'Ni', NULL, NULL),
  ('EN 10213', 'GP280GH', '1.0625', 16, 'Ni', '0,40', NULL);
INSERT INTO MechMatTable VALUES
  (602, 1, NULL, 'max', '900', 1),
  (602, 10, NULL, NULL, '1300', 2),
  (602, 5, NULL, 'min', '900', 3),
  (602, 3, NULL, NULL, '1100', 4),
  (602, 4, NULL, 'min', '0', 5);
INSERT INTO MechPropData VALUES
  (602, 1, 1, 1, '100'),
  (602, 1, 2, 10, 'N or QT'),
  (602, 1, 3, 5, '280'),
  (602, 1, 4, 3, '480 - 640'),
  (602, 1, 5, 4, '22');
INSERT INTO ImpEnergy VALUES
  (602, 20, '27', NULL, NULL, 1);
INSERT INTO Rp02 VALUES
  (602, 100, '250', -1, 1),
  (602, 200, '220', -1, 2),
  (602, 300, '190', -1, 3),
  (602, 350, '170', -1, 4),
  (602, 400, '160', -1, 5);
INSERT INTO ModElast VALUES
  (602, 20, '210', 1),
  (602, 100, '204', 2),
  (602, 200, '196', 3),
  (602, 300, '190', 4),
  (602, 400, '182', 5);
INSERT INTO MatNotes VALUES
  (602, 'MechProp', 1, 60);

-- G20Mo5 (1.5419)
-- Mechanical values and impact energy not entered yet: one empty mechanical row, no impact records.
INSERT INTO materials VALUES
  (603, 'G20Mo5', '1.5419', 'Molybdenum alloyed cast steel', '1.2', '2008-09-01', 'EN 10213', 'SA-217', 'Grade WC1', NULL);
INSERT INTO Chemical VALUES
  ('EN 10213', 'G20Mo5', '1.5419', 1, 'C', '0,15', NULL),
  ('EN 10213', 'G20Mo5', '1.5419', 2, 'C', '0,23', NULL),
  ('EN 10213', 'G20Mo5', '1.5419', 3, 'Si', NULL, NULL),
  ('EN 10213', 'G20Mo5', '1.5419', 4, 'Si', '0,60', NULL),
  ('EN 10213', 'G20Mo5', '1.5419', 5, 'Mn', '0,50', NULL),
  ('EN 10213', 'G20Mo5', '1.5419', 6, 'Mn', '1,00', NULL),
  ('EN 10213', 'G20Mo5', '1.5419', 7, 'P', NULL, NULL),
  ('EN 10213', 'G20Mo5', '1.5419', 8, 'P', '0,025', NULL),
  ('EN 10213', 'G20Mo5', '1.5419', 9, 'S', NULL, NULL),
  ('EN 10213', 'G20Mo5', '1.5419', 10, 'S', '0,020', NULL),
  ('EN 10213', 'G20Mo5', '1.5419', 11, 'Cr', NULL, NULL),
  ('EN 10213', 'G20Mo5', '1.5419', 12, 'Cr', '0,30', NULL),
  ('EN 10213', 'G20Mo5', '1.5419', 13, 'Mo', '0,40', NULL),
  ('EN 10213', 'G20Mo5', '1.5419', 14, 'Mo', '0,60', NULL),
  ('EN 10213', 'G20Mo5', '1.5419', 15, 'Ni', NULL, NULL),
  ('EN 10213', 'G20Mo5', '1.5419', 16, 'Ni', '0,40', NULL);
INSERT INTO MechMatTable VALUES
  (603, 1, NULL, 'max', '900', 1),
  (603, 10, NULL, NULL, '1300', 2),
  (603, 5, NULL, 'min', '900', 3),
  (603, 3, NULL, NULL, '1100', 4),
  (603, 4, NULL, 'min', '0', 5);
INSERT INTO MechPropData VALUES
  (603, 1, 1, 1, NULL),
  (603, 1, 2, 10, ''),
  (603, 1, 3, 5, NULL),
  (603, 1, 4, 3, NULL),
  (603, 1, 5, 4, '');
INSERT INTO Rp02 VALUES
  (603, 100, '225', -1, 1),
  (603, 200, '205', -1, 2),
  (603, 300, '175', -1, 3),
  (603, 350, '170', -1, 4),
  (603, 400, '160', -1, 5),
  (603, 450, '150', -1, 6);

-- G17CrMo5-5 (1.7357)
-- Composition, mechanical values (columns defined) and impact energy not entered yet.
INSERT INTO materials VALUES
  (604, 'G17CrMo5-5', '1.7357', 'Chromium-molybdenum alloyed cast steel', '5.1', '2008-09-01', 'EN 10213', 'SA-217', 'Grade WC6', NULL);
INSERT INTO MechMatTable VALUES
  (604, 1, NULL, 'max', '900', 1),
  (604, 10, NULL, NULL, '1300', 2),
  (604, 5, NULL, 'min', '900', 3),
  (604, 3, NULL, NULL, '1100', 4),
  (604, 4, NULL, 'min', '0', 5);
INSERT INTO Rp02 VALUES
  (604, 100, '290', -1, 1),
  (604, 200, '270', -1, 2),
  (604, 300, '230', -1, 3),
  (604, 350, '215', -1, 4),
  (604, 400, '200', -1, 5),
  (604, 450, '190', -1, 6),
  (604, 500, '175', -1, 7),
  (604, 550, '160', -1, 8);
