#pragma once
// Transparency: the four Image-menu commands that turn every pixel of a pen colour transparent or opaque, and
// the four in-place conversions between the editor's convention (white mask pixel, TransparentColor in the
// image) and the icon file's (set mask bit, black colour bits).

#include "editor/core/EditorState.h"

namespace gw {

// --- Conversions: the square 0 ... S - 1 of `image`; a pixel of the sought colour whose mask pixel is
// exactly white gets the replacement. The mask is only read. Nothing is redrawn or pushed.
void TransparentWhiteToBlack(Bitmap& image, const Bitmap& mask, int S);
void TransparentBlackToWhite(Bitmap& image, const Bitmap& mask, int S);
void TransparentWhiteToAqua(Bitmap& image, const Bitmap& mask, int S);
void TransparentAquaToWhite(Bitmap& image, const Bitmap& mask, int S);
// The same on the state's pairs: WorkImages[4] over WorkImages[5] (white/black), iconimage over iconmask
// (aqua).
void TransparentWhiteToBlack(EditorState& s, int S);
void TransparentBlackToWhite(EditorState& s, int S);
void TransparentWhiteToAqua(EditorState& s, int S);
void TransparentAquaToWhite(EditorState& s, int S);

// --- Operations over the IconSize square, the mask never read.
// Every pixel of image colour c gets image colour r and a white mask pixel.
void MakeColorTransparent(EditorState& s, Color c, Color r);
// Every pixel of image colour c gets a black mask pixel; the image is unchanged.
void MakeColorOpaque(EditorState& s, Color c);

// --- The four commands. The window calls TForm1::DropToolStage(DropKind::ChangesImage) first, then one of
// these, then repaints. Each resets the placement canvas, runs its operation, pushes an undo state (which
// marks the image modified, even when no pixel changed), redraws the edit area and syncs the placement canvas.
void MakeWhiteTransparent1Click(EditorState& s);          // left pen colour -> transparent
void MakeRightPenColorTransparent1Click(EditorState& s);  // right pen colour -> transparent
void MakeLeftPenColorOpaque1Click(EditorState& s);
void MakeRightPenColorOpaque1Click(EditorState& s);

}  // namespace gw
