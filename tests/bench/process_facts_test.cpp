#include "bench/startup/process_facts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace startup {
namespace {

// The figures come in the system's own units (clock ticks, KiB, 100 ns steps, bytes) and
// epochs; a slip shows as a figure a thousand times off, or years.
TEST(ProcessFactsTest, ProcessStartIsMomentsAgo) {
  const double ms = MsSinceProcessStart();
  EXPECT_GE(ms, 0);
  EXPECT_LT(ms, 10 * 60 * 1000.0);
}

TEST(ProcessFactsTest, PeakMemoryCountsWhatWasTouched) {
  const double before = PeakMemoryMib();
  EXPECT_GT(before, 0.5);
  {
    std::vector<char> block(64 << 20);
    // Every page in RAM, through a pointer the compiler cannot follow to the freed block.
    char* volatile pages = block.data();
    std::memset(pages, 1, block.size());
    EXPECT_GE(PeakMemoryMib(), before + 60);
  }
  EXPECT_LT(PeakMemoryMib(), before + 64 * 4);
}

TEST(ProcessFactsTest, LibraryLoadedByPartOfItsName) {
  const struct {
    const char* part;
    bool loaded;
  } cases[] = {
      {"libstdc++", true},  // libstdc++.so.6, libstdc++-6.dll
      {"NoSuchLibraryOfAnyone", false},
  };
  for (const auto& c : cases) EXPECT_EQ(LibraryLoaded(c.part), c.loaded) << c.part;
}

}  // namespace
}  // namespace startup
