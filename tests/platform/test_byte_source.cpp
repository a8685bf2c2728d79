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
}

// A file larger than the blocks small reads are served from reads the same, also across their edges; cut
// short after it was opened, it gives nothing for the bytes it lost.
TEST_F(ByteSourceTest, SmallAndLargeReadsAcrossBlocks) {
  const auto path = dir / "large";
  std::vector<std::uint8_t> content(200000);
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(content.data()), static_cast<std::streamsize>(content.size()));
  std::string error;
  const auto file = FileBytes::Open(path.string(), error);
  ASSERT_TRUE(file) << error;
  const MemoryBytes memory(content);
  const struct {
    std::uint64_t at, n;
  } reads[] = {{0, 4}, {65534, 4}, {65535, 1}, {65536, 256}, {65500, 257}, {131000, 4096}, {70000, 2}, {0, 200000},
               {199999, 1}, {199996, 4}, {199999, 2}};
  for (const auto& r : reads) EXPECT_EQ(file->bytes(r.at, r.n), memory.bytes(r.at, r.n)) << r.at << " + " << r.n;
  const auto cut = FileBytes::Open(path.string(), error);
  std::filesystem::resize_file(path, 100000);
  EXPECT_EQ(cut->bytes(99998, 2), memory.bytes(99998, 2));
  EXPECT_EQ(cut->bytes(99999, 2), std::nullopt);
  EXPECT_EQ(cut->bytes(150000, 4), std::nullopt);
  EXPECT_EQ(cut->bytes(90000, 20000), std::nullopt);
  EXPECT_EQ(cut->u32(140000), std::nullopt);
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
