#pragma once
// Pictures that come into the image from outside the drawing tools: a clipboard paste. The palette reduction
// it shares with the snapshot, the text tool and the icon picker is ReduceToTypePalette (Palettes.h).

#include "editor/core/EditorState.h"
#include "editor/core/Palettes.h"

namespace gw {

// A pixel of a picture with alpha, composed onto white: each channel c*a/255 + 255*(255-a)/255, rounded.
Color OverWhite(int red, int green, int blue, int alpha);

// Paste: draws `picture` onto the image at (0, 0), unscaled (a larger picture is cut to the top-left
// square, a smaller one leaves the rest as it was), makes the whole mask opaque, reduces to the type's
// palette and pushes one undo state. The placement canvas is first reset around the image as it was.
void PastePicture(EditorState& s, const Bitmap& picture);

}  // namespace gw
