#pragma once
// Taking an icon picked from a program file into the current image.

#include "editor/core/EditorState.h"

namespace gw {

// Puts PickedIconImage 1:1 at the image's top-left corner (only its top-left S x S part when the image is
// smaller): its pure-white pixels become transparent, the image is reduced to the palette of its type and
// every transparent pixel holds TransparentColor again. Keeps the image as it was in WorkImages[2] and [3]
// first, clears CurrentFileName and pushes one undo state. The caller has dropped the tool stage. Returns
// whether the block must become a floating picture (images above 32 x 32).
bool PasteExeIcon(EditorState& s);

// The block a pasted icon covers, in cells.
inline constexpr Rect kExeIconBlock{0, 0, 32, 32};

}  // namespace gw
