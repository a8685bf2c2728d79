#pragma once
// Pictures from Qt (the clipboard, the screen, text drawn by Qt's fonts) as the editor's bitmaps.

#include <QImage>

#include "platform/Bitmap.h"

namespace gw {

// Every pixel with its alpha composed onto white; a null image gives an empty bitmap.
Bitmap BitmapOverWhite(const QImage& image);

}  // namespace gw
