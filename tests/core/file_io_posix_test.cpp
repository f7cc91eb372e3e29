// What the replacement keeps of a file's POSIX mode bits.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/file_io.h"
#include "tests/support/temp_dir.h"

namespace kw {
namespace {

using test::TempDir;

TEST(ReplaceFileAtomically, TheUmaskStaysAsItWas) {
  TempDir dir;
  const mode_t before = ::umask(0037);
  ReplaceFileAtomically(dir / "new.sch", "x");
  const mode_t during = ::umask(before);
  EXPECT_EQ(during, 0037u);
  struct stat info {};
  ASSERT_EQ(::stat((dir / "new.sch").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

}  // namespace
}  // namespace kw
