#pragma once

#include <QString>

class Material;

// The note that a grade provides no data for a table. paragraph False: one line after a single
// line break, parts joined by two blanks. paragraph True: indented lines, with an empty line between
// them when spaced is True. A key outside the catalogue names the title of index 0.
QString BuildNoDataNote(const Material &mat, const QString &strTable, bool paragraph, bool spaced);
