-- Lookup tables shared by every standard: units, column captions, information titles, product forms.

INSERT INTO Units VALUES
  (1, '[NoUnit]'),
  (2, 'mm'),
  (3, 'MPa'),
  (4, '%'),
  (5, '°C'),
  (6, 'J');
INSERT INTO Columns VALUES
  (1, 'Thickness', 2),
  (2, 'ReH', 3),
  (3, 'Rm', 3),
  (4, 'A', 4),
  (5, 'Rp0,2', 3),
  (6, 'Rp1,0', 3),
  (7, 'Product form', 1),
  (8, 'A long.', 4),
  (9, 'A transv.', 4),
  (10, 'Heat treatment', 1),
  (20, 'Temperature', 5),
  (21, 'Rp1,0 10 000 h', 3),
  (22, 'Rp1,0 100 000 h', 3),
  (23, 'Rm 10 000 h', 3),
  (24, 'Rm 100 000 h', 3),
  (25, 'Rm 200 000 h', 3);
INSERT INTO InfoTitle VALUES
  (1, '[NoTitle]'),
  (2, 'Weldability'),
  (3, 'Heat treatment'),
  (4, 'Delivery condition'),
  (5, 'Corrosion resistance');
INSERT INTO ProdForm VALUES
  (1, 'Plate'),
  (2, 'Sheet'),
  (3, 'Strip'),
  (4, 'Seamless tube'),
  (5, 'Forging'),
  (6, 'Casting');
