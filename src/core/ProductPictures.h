#pragma once

#include <QPixmap>

namespace product {

// The maker's round badge with its initial, shown by the splash and the about box.
QPixmap logoPicture(int size);

} // namespace product
