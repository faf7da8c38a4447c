#pragma once

#include <QPixmap>

namespace product {

// The maker's round badge with its initial, shown by the splash and the about box.
QPixmap logoPicture(int size);

// The product's picture, a pressure vessel: standing on its skirt (the about box) or lying on its
// saddles (the splash).
enum class VesselStance { Standing, Lying };
QPixmap vesselPicture(int width, int height, VesselStance stance);

} // namespace product
