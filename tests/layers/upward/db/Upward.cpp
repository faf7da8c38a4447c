// A database source reaching up to a window: the layer check must refuse it.
#include "db/Database.h"
#include "material/frmMaterial2.h"
