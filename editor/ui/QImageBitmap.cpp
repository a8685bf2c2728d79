#include "editor/ui/QImageBitmap.h"

#include "editor/core/PastedPicture.h"

namespace gw {

Bitmap BitmapOverWhite(const QImage& image) {
  if (image.isNull()) return {};
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  Bitmap out(argb.width(), argb.height());
  for (int y = 0; y < argb.height(); ++y) {
    const auto* src = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    Color* dst = out.row(y);
    for (int x = 0; x < argb.width(); ++x)
      dst[x] = OverWhite(qRed(src[x]), qGreen(src[x]), qBlue(src[x]), qAlpha(src[x]));
  }
  return out;
}

}  // namespace gw
