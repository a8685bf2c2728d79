#include "iconfile/core/ExeIconSheet.h"

#include <algorithm>

#include "iconfile/core/ExeIconDraw.h"

namespace gw {

ExeIconSheet::ExeIconSheet(std::vector<std::uint8_t>&& file)
    : file_(std::move(file)), resources_(std::make_unique<PeResources>(file_)),
      count_(std::min(resources_->IconCount(), kMaxListedIcons)) {}

std::unique_ptr<ExeIconSheet> ExeIconSheet::Read(const std::string& path, std::string& error) {
  FileContents file = ReadProgramFile(path);
  if (!file.error.empty() && !file.missing) {
    error = file.error;
    return nullptr;
  }
  return std::make_unique<ExeIconSheet>(std::move(file.bytes));
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
  const auto payload = resources_->IconPayload(listed_, kExeIconCell, 32);
  if (!payload) {
    CellImage.fill(kWhite);
  } else {
    const std::pair<std::uint64_t, std::uint64_t> place{static_cast<std::uint64_t>(payload->data() - file_.data()), payload->size()};
    const auto [first, isNew] = firstCellOf_.try_emplace(place, listed_);
    if (isNew) {
      DrawIconPayload(*payload, CellImage, kExeIconCell);
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
