#pragma once
// Pictures that come into the image from outside the drawing tools: a clipboard paste, and the palette
// reduction and transparency rule that the paste, the desktop snapshot and the text tool share.

#include "editor/core/EditorState.h"

namespace gw {

// A pixel of a picture with alpha, composed onto white: each channel c*a/255 + 255*(255-a)/255, rounded.
Color OverWhite(int red, int green, int blue, int alpha);

// Brings iconimage to the colours of its type (monochrome and cursor: the two-colour palette; 16 and 256
// colours: their palettes; true colour unchanged), then gives every transparent pixel (white in the mask)
// TransparentColor again, which the reduction would have turned into a palette colour. Redraws the edit area
// and syncs the placement canvas.
void ReduceToTypePalette(EditorState& s);

// Every pixel that is transparent in iconmask carries TransparentColor in iconimage.
void KeepTransparentColor(EditorState& s);

// Paste: draws `picture` onto the image at (0, 0), unscaled (a larger picture is cut to the top-left
// square, a smaller one leaves the rest as it was), makes the whole mask opaque, reduces to the type's
// palette and pushes one undo state. The placement canvas is first reset around the image as it was.
void PastePicture(EditorState& s, const Bitmap& picture);

}  // namespace gw
