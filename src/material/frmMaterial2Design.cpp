#include "material/frmMaterial2.h"

void frmMaterial2::BuildDesignGrid()
{
}
