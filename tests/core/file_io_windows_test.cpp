// What Windows does differently to the files the program reads and replaces.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "core/cp1252.h"
#include "core/error.h"
#include "core/file_io.h"
#include "tests/support/temp_dir.h"

namespace kw {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// Another program's handle on a file, opened as editors and virus scanners open one: others
// may read it, nobody may delete or rename over it.
class HeldOpen {
 public:
  explicit HeldOpen(const fs::path& file)
      : handle_(::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldOpen() { Close(); }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Close() {
    if (valid()) ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

TEST(ReplaceFileAtomically, AFileAnotherProgramHoldsOpenStaysAndTheRefusalSaysWhy) {
  TempDir dir;
  const fs::path file = dir.path() / PathFromUtf8("M\u00fcller.sch");
  WriteFile(file, "alt");
  HeldOpen other(file);
  ASSERT_TRUE(other.valid());
  try {
    ReplaceFileAtomically(file, "neu");
    ADD_FAILURE() << "replaced";
  } catch (const FileInUseError& e) {
    EXPECT_EQ(e.what(), "'" + PathText(file) +
                            "' ist gerade in einem anderen Programm ge\xF6"
                            "ffnet und kann nicht "
                            "ersetzt werden. Die Datei blieb, wie sie war; nach dem Schlie\xDF"
                            "en "
                            "des anderen Programms gelingt das Speichern.");
  }
  other.Close();
  EXPECT_EQ(ReadFile(file), "alt");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);

  // Once the other program has let go, the next save goes through.
  ReplaceFileAtomically(file, "neu");
  EXPECT_EQ(ReadFile(file), "neu");
}

TEST(ReadRegularFile, ADeviceNameIsNoFile) {
  try {
    ReadRegularFile("NUL", 100);
    ADD_FAILURE() << "read";
  } catch (const ReadError& e) {
    EXPECT_EQ(e.what(), std::string("'NUL' ist keine gew\xF6hnliche Datei"));
  }
}

TEST(CanCreateFileIn, AFolderThatIsNotThereTakesNoFile) {
  TempDir dir;
  EXPECT_FALSE(CanCreateFileIn(dir / "fehlt"));
  EXPECT_TRUE(CanCreateFileIn(dir.path()));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 0);
}

}  // namespace
}  // namespace kw
