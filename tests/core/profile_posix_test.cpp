// What writing a profile keeps of POSIX files: the mode bits, a link, a full disk made by a
// file size limit.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "core/error.h"
#include "core/profile.h"
#include "tests/support/temp_dir.h"

namespace kw {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// Lets writes of this process fail past a file size, as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit saved_{};
  void (*oldHandler_)(int) = nullptr;
};

TEST(ProfileWriteFile, DiskFullLeavesTheOldFileWholeAndNoTemporaryFile) {
  TempDir dir;
  const auto file = dir / "ZW.INI";
  const std::string old = "[Einstellungen]\r\nSchein=a.sch\r\n[Zahlen]\r\nSamstag=0102\r\n";
  WriteFile(file, old);
  {
    FileSizeLimit limit(16);
    EXPECT_THROW(WriteProfileString(file, "Zahlen", "Mittwoch", "0304050607080910"), WriteError);
  }
  EXPECT_EQ(ReadFile(file), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

mode_t ModeOf(const std::filesystem::path& file) {
  struct stat info {};
  ::stat(file.c_str(), &info);
  return info.st_mode & 07777;
}

// A replaced file keeps every mode bit it had, the sticky, set-group and set-user bits included,
// where the system lets the owner set them; writing the new bytes clears the set-id bits, so they
// must be put back after it.
TEST(ProfileWriteFile, ARewrittenFileKeepsItsMode) {
  for (const mode_t before : {0604, 0640, 01640, 02640, 04640, 06755}) {
    TempDir dir;
    const auto file = dir / "old.sch";
    WriteFile(file, "[S]\r\nk=1\r\n");
    ASSERT_EQ(::chmod(file.c_str(), before), 0);
    if (ModeOf(file) != before) continue;  // not allowed here, nothing to keep
    WriteProfileString(file, "S", "k", "2");
    EXPECT_EQ(ModeOf(file), before) << std::oct << before;
    EXPECT_EQ(ReadFile(file), "[S]\r\nk=2\r\n");
  }
}

TEST(ProfileWriteFile, ANewFileGetsTheUsualMode) {
  const std::pair<mode_t, mode_t> cases[] = {{027, 0640}, {022, 0644}, {0, 0666}, {077, 0600}};
  for (const auto& [mask, expected] : cases) {
    TempDir dir;
    const mode_t saved = ::umask(mask);
    WriteProfileString(dir / "new.ini", "S", "k", "1");
    ::umask(saved);
    EXPECT_EQ(ModeOf(dir / "new.ini"), expected) << "0666 less the umask " << std::oct << mask;
  }
}

TEST(ProfileWriteFile, WritesThroughALinkToItsTarget) {
  TempDir dir;
  WriteFile(dir / "real.ini", "[S]\r\nk=1\r\n");
  std::filesystem::create_symlink(dir / "real.ini", dir / "link.ini");
  WriteProfileString(dir / "link.ini", "S", "k", "2");
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.ini"));
  EXPECT_EQ(ReadFile(dir / "real.ini"), "[S]\r\nk=2\r\n");
}

}  // namespace
}  // namespace kw
