#pragma once
// The text tool: one line of text rendered at actual size into a block at the image's top-left corner, with
// a mask of its ink, ready to float as a selection of the move/copy rectangle tool.

#include "editor/core/EditorState.h"

namespace gw {

// One line of text in one font, as the window's font machinery draws it.
class ITextRenderer {
 public:
  virtual ~ITextRenderer() = default;
  // The text's width and height in its font.
  virtual Point measure() const = 0;
  // Draws the text at (0, 0) in the font's colour, its cells filled with `background`.
  virtual void draw(Bitmap& target, Color background) const = 0;
  virtual bool italic() const = 0;
};

// Renders the text into WorkImages[4] (the text on TransparentColor) and WorkImages[5] (its mask: every
// inked pixel opaque), keeps the picture as it was in WorkImages[2] and [3], and copies the block into the
// top-left of the image and mask, where its uninked pixels become transparent. Monochrome images and cursors
// keep only black, white and aqua, every other shade turning black. The block is the measured size cut to
// the image; italic text is widened to take in the slant that the measured width leaves out. Pushes one undo
// state and redraws the edit area. Returns the block in cells, to be made the floating picture.
Rect LandText(EditorState& s, const ITextRenderer& text);

}  // namespace gw
