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
  CellImage.resize(kExeIconCell, kExeIconCell, kWhite);
  SheetImage.resize(columns_ * kExeIconCell, (count_ / columns_) * kExeIconCell + kExeIconCell, kWhite);
}

bool ExeIconSheet::ListNext() {
  if (columns_ == 0 || Done()) return false;
  DrawProgramFileIcon(*resources_, listed_, CellImage);
  const int left = (listed_ % columns_) * kExeIconCell, top = (listed_ / columns_) * kExeIconCell;
  for (int y = 0; y < kExeIconCell; ++y)
    std::copy(CellImage.row(y), CellImage.row(y) + kExeIconCell, SheetImage.row(top + y) + left);
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
