// Bytes read by their place, from memory and from a file alike: a read gives its bytes only when they all lie
// within the size and can all be read; a file is opened only when it is a regular file.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <limits>

#include "platform/ByteSource.h"
#include "tests/platform/ScratchFolder.h"

namespace gw {
namespace {

using ByteSourceTest = ScratchFolderTest;

constexpr std::uint8_t kBytes[] = {0x01, 0x02, 0x03, 0x04, 0xFF};
constexpr std::uint64_t kHuge = std::numeric_limits<std::uint64_t>::max();

TEST_F(ByteSourceTest, MemoryAndFileReadTheSame) {
  const auto path = dir / "five";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(kBytes), sizeof kBytes);
  std::string error;
  const auto file = FileBytes::Open(path.string(), error);
  ASSERT_TRUE(file) << error;
  const MemoryBytes memory(kBytes);
  const struct {
    std::uint64_t at, n;
    std::optional<std::vector<std::uint8_t>> bytes;
  } cases[] = {{0, 5, std::vector<std::uint8_t>(kBytes, kBytes + 5)}, {3, 2, {{0x04, 0xFF}}}, {5, 0, {{}}},
               {4, 2, std::nullopt}, {6, 0, std::nullopt}, {kHuge, 1, std::nullopt}, {1, kHuge, std::nullopt}};
  for (const ByteSource* source : {static_cast<const ByteSource*>(&memory), static_cast<const ByteSource*>(file.get())}) {
    EXPECT_EQ(source->size(), 5u);
    for (const auto& c : cases) EXPECT_EQ(source->bytes(c.at, c.n), c.bytes) << c.at << " + " << c.n;
    EXPECT_EQ(source->u32(1), 0xFF040302u);
    EXPECT_EQ(source->u16(4), std::nullopt);
  }
  // Cut short after it was opened, the file gives nothing for the bytes it lost.
  std::filesystem::resize_file(path, 3);
  EXPECT_EQ(file->bytes(0, 3), std::vector<std::uint8_t>(kBytes, kBytes + 3));
  EXPECT_EQ(file->bytes(2, 2), std::nullopt);
  EXPECT_EQ(file->u8(4), std::nullopt);
}

TEST_F(ByteSourceTest, OnlyARegularFileIsOpened) {
  const auto pipe = dir / "pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const struct {
    std::string path;
    const char* error;
    bool missing;
  } cases[] = {{(dir / "none").string(), "no such file", true},
               {dir.string(), "it is a folder", false},
               {pipe.string(), "it is a named pipe", false}};
  for (const auto& c : cases) {
    std::string error;
    bool missing = false;
    EXPECT_EQ(FileBytes::Open(c.path, error, &missing), nullptr) << c.path;
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(missing, c.missing);
  }
}

}  // namespace
}  // namespace gw
