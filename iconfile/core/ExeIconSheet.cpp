#include "iconfile/core/ExeIconSheet.h"

#include <algorithm>

#include "iconfile/core/ExeIconDraw.h"

namespace gw {

ExeIconSheet::ExeIconSheet(std::unique_ptr<const ByteSource> file)
    : resources_(std::move(file)), count_(std::min(resources_.IconCount(), kMaxListedIcons)) {}

std::unique_ptr<ExeIconSheet> ExeIconSheet::Read(const std::string& path, std::string& error) {
  bool missing = false;
  std::unique_ptr<const ByteSource> file = FileBytes::Open(path, error, &missing);
  if (missing) {
    error.clear();
    file = std::make_unique<MemoryBytes>(std::span<const std::uint8_t>{});
  }
  if (!file) return nullptr;
  return std::make_unique<ExeIconSheet>(std::move(file));
}

void ExeIconSheet::Begin(int clientWidth) {
  columns_ = std::max(1, clientWidth / kExeIconCell);
  listed_ = 0;
  firstCellOf_.clear();
  decoded_ = 0;
  CellImage.resize(kExeIconCell, kExeIconCell, kWhite);
  SheetImage.resize(columns_ * kExeIconCell, (count_ / columns_) * kExeIconCell + kExeIconCell, kWhite);
}

namespace {

void CopyCell(const Bitmap& from, int fromLeft, int fromTop, Bitmap& to, int toLeft, int toTop) {
  for (int y = 0; y < kExeIconCell; ++y)
    std::copy(from.row(fromTop + y) + fromLeft, from.row(fromTop + y) + fromLeft + kExeIconCell, to.row(toTop + y) + toLeft);
}

}  // namespace

bool ExeIconSheet::ListNext() {
  if (columns_ == 0 || Done()) return false;
  const auto cellOf = [&](int index) { return Point{(index % columns_) * kExeIconCell, (index / columns_) * kExeIconCell}; };
  const Point cell = cellOf(listed_);
  const auto place = resources_.IconPayloadRange(listed_, kExeIconCell, 32);
  if (!place) {
    CellImage.fill(kWhite);
  } else {
    const auto [first, isNew] = firstCellOf_.try_emplace(*place, listed_);
    if (isNew) {
      // A payload that cannot be read (too large, or cut off the file since it was opened) leaves it white.
      const auto payload = resources_.ReadPayload(*place);
      if (payload)
        DrawIconPayload(*payload, CellImage, kExeIconCell);
      else
        CellImage.fill(kWhite);
      ++decoded_;
    } else {
      const Point drawn = cellOf(first->second);
      CopyCell(SheetImage, drawn.x, drawn.y, CellImage, 0, 0);
    }
  }
  CopyCell(CellImage, 0, 0, SheetImage, cell.x, cell.y);
  ++listed_;
  return !Done();
}

Rect ExeIconSheet::CellAt(int x, int y, int scroll) {
  const auto down = [](int v) { return (v >= 0 ? v / kExeIconCell : (v - kExeIconCell + 1) / kExeIconCell) * kExeIconCell; };
  const int left = down(x), top = down(y + scroll);
  return {left, top, left + kExeIconCell, top + kExeIconCell};
}

int ExeIconSheet::IconAt(const Rect& cell) const {
  if (columns_ == 0 || cell.left < 0 || cell.top < 0) return -1;
  const int column = cell.left / kExeIconCell, row = cell.top / kExeIconCell;
  if (column >= columns_) return -1;
  const std::int64_t index = std::int64_t{row} * columns_ + column;
  return index < listed_ ? static_cast<int>(index) : -1;
}

}  // namespace gw
