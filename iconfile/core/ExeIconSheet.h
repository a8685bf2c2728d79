#pragma once
// The sheet of the icon picker: every icon of one program file in 32 x 32 cells, `ColumnCount` per row, on
// white. The sheet owns the open file and its pictures, and reads only the parts of the file its icons
// need; the window listing it draws the icons a few at a time and shows the sheet at its scroll position.

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "iconfile/core/PeResources.h"
#include "platform/Bitmap.h"
#include "platform/Geometry.h"

namespace gw {

class ExeIconSheet {
 public:
  // Takes the file and reads its icon directory. Count() is 0 for a file without icons.
  explicit ExeIconSheet(std::unique_ptr<const ByteSource> file);
  // The sheet of the program file at `path`, kept open (FileBytes) and read by position. A missing file
  // gives a sheet without icons; a file that cannot be opened gives none, and the reason in `error`.
  static std::unique_ptr<ExeIconSheet> Read(const std::string& path, std::string& error);

  int Count() const { return count_; }
  int Listed() const { return listed_; }
  bool Done() const { return listed_ >= count_; }
  int ColumnCount() const { return columns_; }

  // Lays the sheet out for a client area this wide: ColumnCount := width div 32 (at least 1), the sheet
  // (count div ColumnCount) x 32 + 32 high and white.
  void Begin(int clientWidth);
  // Draws the next icon into its cell (white when it cannot be drawn). False once every icon is listed. A
  // payload that several groups name is decoded once: its later cells are copies of its first.
  bool ListNext();
  // How many payloads were decoded so far.
  int DecodedPayloads() const { return decoded_; }

  int SheetWidth() const { return SheetImage.width(); }
  int SheetHeight() const { return SheetImage.height(); }
  // The 32 x 32 cell under a press at window (x, y) with the sheet scrolled by `scroll`, in sheet pixels.
  static Rect CellAt(int x, int y, int scroll);
  // The index of the listed icon whose cell is `cell`, or -1 (beside or below the sheet, past the last
  // icon, or not yet listed).
  int IconAt(const Rect& cell) const;

  Bitmap CellImage;   // scratch cell: white, the icon drawn on it
  Bitmap SheetImage;  // all listed icons

 private:
  PeResources resources_;
  // The first listed icon of each payload decoded, by the payload's place in the file.
  std::map<FileRange, int> firstCellOf_;
  int decoded_ = 0;
  int count_ = 0;
  int listed_ = 0;
  int columns_ = 0;
};

}  // namespace gw
