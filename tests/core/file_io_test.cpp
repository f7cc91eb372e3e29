// Whole files read within a bound and replaced in one step.
#include "core/file_io.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <thread>

#include "core/cp1252.h"
#include "core/error.h"
#include "tests/support/temp_dir.h"

namespace kw {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::size_t Entries(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(ReadRegularFile, TheBoundIsTheCallersAndExact) {
  TempDir dir;
  const fs::path file = dir / "lotto2.tmp";
  WriteFile(file, std::string(1u << 20, 'x'));
  EXPECT_EQ(ReadRegularFile(file, 1u << 20)->size(), 1u << 20);
  const std::pair<std::size_t, std::string> bounds[] = {{(1u << 20) - 1, "1048575 Bytes"},
                                                        {1000, "1000 Bytes"}};
  for (const auto& [bound, named] : bounds) {
    try {
      ReadRegularFile(file, bound);
      ADD_FAILURE() << "read past the bound " << bound;
    } catch (const ReadError& e) {
      EXPECT_EQ(e.what(), "'" + file.string() +
                              "' ist gr\xF6\xDF"
                              "er als " +
                              named + " und wird nicht gelesen");
    }
  }
  EXPECT_EQ(ReadRegularFile(dir / "none", 10), std::nullopt);
  WriteFile(dir / "empty", "");
  EXPECT_EQ(ReadRegularFile(dir / "empty", 0), "");
}

TEST(ReadRegularFile, EveryByteAsItStands) {
  TempDir dir;
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  WriteFile(dir / "all", bytes + bytes);
  EXPECT_EQ(ReadRegularFile(dir / "all", 512), bytes + bytes);
}

TEST(ReplaceFileAtomically, ReplacesAndCreatesLeavingNothingElse) {
  TempDir dir;
  ReplaceFileAtomically(dir / "a.sch", "neu");
  EXPECT_EQ(ReadFile(dir / "a.sch"), "neu");
  ReplaceFileAtomically(dir / "a.sch", "");
  EXPECT_EQ(ReadFile(dir / "a.sch"), "");
  EXPECT_EQ(Entries(dir.path()), 1u);
}

TEST(ReplaceFileAtomically, AFailingSyncLeavesTheOldFileAndNoTemporaryOne) {
  TempDir dir;
  WriteFile(dir / "ZW.INI", "alt");
  struct Restore {
    int (*saved)(int) = ReplacementSync;
    ~Restore() { ReplacementSync = saved; }
  } restore;
  ReplacementSync = [](int) {
    errno = EIO;
    return -1;
  };
  try {
    ReplaceFileAtomically(dir / "ZW.INI", "neu");
    ADD_FAILURE() << "replaced";
  } catch (const WriteError& e) {
    EXPECT_EQ(e.what(), "Unable to write to " + (dir / "ZW.INI").string());
  }
  EXPECT_EQ(ReadFile(dir / "ZW.INI"), "alt");
  EXPECT_EQ(Entries(dir.path()), 1u);
}

// Names beyond ASCII, in the file and in its folder: on Windows every call takes them as wide
// text, never through the ANSI code page.
TEST(ReplaceFileAtomically, NamesWithUmlautsInFileAndFolder) {
  TempDir dir;
  const fs::path folder = dir.path() / PathFromUtf8("Lottoscheine J\u00f6rg");
  fs::create_directory(folder);
  const fs::path file = folder / PathFromUtf8("M\u00fcller.sch");
  ReplaceFileAtomically(file, "alt");
  ReplaceFileAtomically(file, "neu");
  EXPECT_EQ(ReadRegularFile(file, 100), "neu");
  EXPECT_EQ(ReadRegularFile(FsPath(PathText(file)), 100), "neu");
  EXPECT_EQ(PathText(file.filename()), "M\xFCller.sch");
  EXPECT_EQ(Entries(folder), 1u);
  EXPECT_TRUE(CanCreateFileIn(folder));
  EXPECT_EQ(Entries(folder), 1u);
}

TEST(ReplaceFileAtomically, AFolderInThePlaceOfTheFileStays) {
  TempDir dir;
  fs::create_directory(dir / "ZW.INI");
  try {
    ReplaceFileAtomically(dir / "ZW.INI", "x");
    FAIL() << "replaced a folder";
  } catch (const WriteError& e) {
    EXPECT_EQ(e.what(), "Unable to write to " + (dir / "ZW.INI").string());
  }
  EXPECT_TRUE(fs::is_directory(dir / "ZW.INI"));
  EXPECT_EQ(Entries(dir.path()), 1u);
}

// Writers beside each other in one folder never take each other's temporary file.
TEST(ReplaceFileAtomically, WritersInOneFolderKeepApart) {
  TempDir dir;
  auto writer = [&dir](std::string name) {
    for (int i = 0; i < 200; ++i) ReplaceFileAtomically(dir / name, name + std::to_string(i));
  };
  std::thread first(writer, "a.sch");
  std::thread second(writer, "b.sch");
  first.join();
  second.join();
  EXPECT_EQ(ReadFile(dir / "a.sch"), "a.sch199");
  EXPECT_EQ(ReadFile(dir / "b.sch"), "b.sch199");
  EXPECT_EQ(Entries(dir.path()), 2u);
}

}  // namespace
}  // namespace kw
