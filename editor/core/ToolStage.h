#pragma once
// What every command outside the edit area's own mouse handling uses to end the tools' work in progress,
// and the one way other commands hand the editor a floating picture.

#include "editor/core/EditorState.h"

namespace gw {

// How the command that drops the tool stage treats the image.
enum class DropKind {
  ChangesImage,   // the command edits the image in place: a curve in progress is first drawn as the user saw it
  ReplacesImage,  // the command replaces the image whole (new image, open, import, undo, redo): just drop it
};

// Ends a selection, floating picture, band or curve in progress: ToolStage := 1, no press in progress, the
// edit area redrawn from the image (which takes selection outlines off it). A selection's pixels stay where
// they lie. For ChangesImage a curve at stages 3 to 5 is drawn in its own pen as the user saw it and pushed
// as an undo state of its own (so Undo and Redo step over it, and undoing the command that follows keeps it);
// for ReplacesImage it is taken off. A band or a line still being dragged is taken off either way, so nothing
// inverted stays behind even when the image is not replaced after all.
void DropToolStage(EditorState& s, DropKind kind);

// Whether a tool shows a figure inverted (not-xor) on the image and mask, which belongs to the screen and not
// to the picture: the curve's line or curve at stages 3 to 5, or the line, band or curve's line of a drag in
// progress. Selection outlines are drawn on the edit area only, and a floating picture's pixels are part of
// the picture.
bool ToolFigureShown(const EditorState& s);
// Draws that figure inverted once more: takes it off the image and mask, or puts it back.
void InvertToolFigure(EditorState& s);

// Runs read() on the picture alone and returns what it returns: a figure the tool shows is taken off for the
// call and put back after it (also when read throws), so the tool goes on as before. Everything that takes
// the image away from the screen reads it so: the undo state of every release, Save, Save As, Copy, Export.
template <typename Read>
decltype(auto) WithoutToolFigure(EditorState& s, Read&& read) {
  struct PutBack {
    EditorState& s;
    bool shown;
    ~PutBack() {
      if (shown) InvertToolFigure(s);
    }
  } putBack{s, ToolFigureShown(s)};
  if (putBack.shown) InvertToolFigure(s);
  return read();
}

// Keeps the image and mask as they are now in WorkImages[2] and [3]: the picture under a floating picture
// that the caller is about to paste.
void KeepPictureUnderFloat(EditorState& s);

// Makes the block at cellRect (in cells) a floating picture of the move/copy rectangle tool: MoveCellRect,
// SelectionRect and PrevSelectionRect (edit-area pixels), the dotted outline on the edit area, CurrentTool 7,
// ToolStage 4, MouseDrawing false. The caller has dropped the tool stage, kept the picture under it
// (KeepPictureUnderFloat) and pasted the block into iconimage and iconmask; this redraws the edit area before
// it draws the outline. TForm1::EnterFloatingPicture also presses bmove without running bmoveClick.
void EnterFloatingPicture(EditorState& s, const Rect& cellRect);

}  // namespace gw
