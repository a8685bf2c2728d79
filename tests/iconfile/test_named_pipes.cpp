// Every reader of a whole file refuses a named pipe at once, saying what it is, rather than wait for a
// writer that never comes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "iconfile/core/ExeIconSheet.h"
#include "iconfile/core/IconFiles.h"
#include "iconfile/core/PaletteFile.h"
#include "iconfile/core/PictureImport.h"

namespace gw {
namespace {

TEST(NamedPipes, EveryReaderRefusesOneAtOnce) {
  const std::filesystem::path pipe =
      std::filesystem::path(::testing::TempDir()) / ("gw-pipe-" + std::to_string(::getpid()) + ".ico");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::string path = pipe.string();
  const std::pair<const char*, std::function<std::string()>> readers[] = {
      {"open", [&] { return LoadIconFile(path).message; }},
      {"import",
       [&] {
         std::string error;
         EXPECT_FALSE(ReadPictureForImport(path, false, error));
         return error;
       }},
      {"palette",
       [&] {
         std::vector<Color> grid(256, kWhite);
         std::string error;
         EXPECT_FALSE(LoadPaletteFile(grid, path, error));
         EXPECT_EQ(grid, std::vector<Color>(256, kWhite));
         return error;
       }},
      {"program file",
       [&] {
         std::string error;
         EXPECT_FALSE(ExeIconSheet::Read(path, error));
         return error;
       }},
  };
  ::alarm(10);  // a reader that waits ends the test here
  for (const auto& [what, read] : readers) EXPECT_NE(read().find("it is a named pipe"), std::string::npos) << what;
  ::alarm(0);
  EXPECT_NE(LoadIconFile(path).message.find(pipe.filename().string()), std::string::npos);
  std::filesystem::remove(pipe);
}

}  // namespace
}  // namespace gw
