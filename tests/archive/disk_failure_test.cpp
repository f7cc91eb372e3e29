// A disk that refuses a write in the middle of a batch: the transaction ends and the archive is
// as it was before, byte for byte. The writes of a batch reach the disk while it is committed
// (the journal first, then the file), so every change of that commit is failed in turn.
#include <gtest/gtest.h>

#include "archive/archive.h"
#include "tests/archive/faulty_disk.h"
#include "tests/archive/sample_drawings.h"
#include "tests/support/temp_dir.h"

namespace kw {
namespace {

namespace fs = std::filesystem;
using test::FaultyDisk;
using test::TempDir;

const Date kFirst = Date::FromYmd(1900, 1, 1);
const Date kLast = Date::FromYmd(2100, 1, 1);

class DiskFailureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // 50 drawings stored without quotas; the batch brings their quotas and 350 more drawings.
    std::vector<Drawing> first = test::HistoricDrawings(50);
    DrawingArchive(file).Store(first, "lotto.de");
    before = DrawingArchive(file).ReadRange(kFirst, kLast);
    beforeBytes = test::ReadFile(file);
  }

  // The archive, read by a healthy connection after the failure, is what it was. A disk that
  // stays broken may keep a journal that never became valid; it is no part of the archive, and
  // the next write takes it away.
  void ExpectUnchanged(const std::string& when, bool journalMayStay = false) {
    DrawingArchive healthy(file);
    EXPECT_EQ(healthy.ReadRange(kFirst, kLast), before) << when;
    EXPECT_EQ(healthy.CheckIntegrity(), "") << when;
    EXPECT_EQ(test::ReadFile(file), beforeBytes) << when;
    if (!journalMayStay) {
      EXPECT_FALSE(fs::exists(file.string() + "-journal")) << when;
    }
  }

  TempDir dir;
  fs::path file = dir / DrawingArchive::kFileName;
  std::vector<Drawing> batch = test::HistoricDrawings(400, true);
  std::vector<Drawing> before;
  std::string beforeBytes;
};

// Every change of the commit fails in turn, on a disk that works again after the fault and on
// one that stays broken; the latter may leave a journal that the next open plays back.
TEST_F(DiskFailureTest, AChangeThatFailsLeavesTheArchiveAsItWas) {
  for (const bool forGood : {false, true}) {
    int64_t failures = 0;
    for (int64_t n = 0;; ++n) {
      const std::string when = (forGood ? "for good at change " : "change ") + std::to_string(n);
      FaultyDisk disk;
      disk.FailChange(n, forGood);
      DrawingArchive archive(file);
      try {
        archive.Store(batch, "lotto.de");
      } catch (const ArchiveError& e) {
        ++failures;
        EXPECT_TRUE(disk.Failed()) << when;
        EXPECT_NE(std::string(e.what()).find("ein Ein-/Ausgabefehler des Systems (SQLite: "),
                  std::string::npos)
            << when << ": " << e.what();
        EXPECT_NE(std::string(e.what()).find("; es wurde nichts gespeichert"), std::string::npos);
        if (forGood) {
          { DrawingArchive closed = std::move(archive); }  // while the disk is still broken
          disk.FailChange(-1, false);
          ExpectUnchanged(when, true);
          continue;
        }
        ExpectUnchanged(when);
        // The same connection, the fault passed: the batch is stored whole.
        EXPECT_EQ(archive.Store(batch, "lotto.de"), (StoreOutcome{350, 50, 0})) << when;
        EXPECT_EQ(archive.Count(), 400) << when;
        archive = DrawingArchive(dir / "leer.sqlite");
        test::WriteFile(file, beforeBytes);
        continue;
      }
      // No change failed any more: the batch needs fewer than n changes.
      EXPECT_FALSE(disk.Failed()) << when;
      EXPECT_EQ(archive.Count(), 400);
      break;
    }
    // The journal, its sync, the pages, the file's sync, the journal's end, and more.
    EXPECT_GT(failures, 10);
    EXPECT_FALSE(fs::exists(file.string() + "-journal"));
    test::WriteFile(file, beforeBytes);
  }
}

TEST_F(DiskFailureTest, AFullDiskEndsTheBatchWithNothingOfItStored) {
  int64_t failures = 0;
  for (int64_t space = 0;; space += 8192) {
    const std::string when = std::to_string(space) + " bytes free";
    FaultyDisk disk;
    disk.LeaveSpace(space);
    DrawingArchive archive(file);
    try {
      archive.Store(batch, "lotto.de");
    } catch (const ArchiveError& e) {
      ++failures;
      EXPECT_NE(std::string(e.what()).find("' kann nicht geschrieben werden: der Datentr\xE4ger "
                                           "ist voll (SQLite: "),
                std::string::npos)
          << when << ": " << e.what();
      ExpectUnchanged(when);
      continue;
    }
    EXPECT_EQ(archive.Count(), 400);
    break;
  }
  EXPECT_GT(failures, 5);
}

TEST_F(DiskFailureTest, AReadThatFailsIsReportedNotTakenForAnEmptyArchive) {
  FaultyDisk disk;
  DrawingArchive archive(file);
  disk.FailReads(true);
  for (auto read : {+[](DrawingArchive& a) { a.ReadRange(kFirst, kLast); },
                    +[](DrawingArchive& a) { a.Count(); }, +[](DrawingArchive& a) { a.Latest(); },
                    +[](DrawingArchive& a) { a.MissingDays(kFirst, kLast, DrawDays::Both); }}) {
    try {
      read(archive);
      ADD_FAILURE() << "read";
    } catch (const ArchiveError& e) {
      EXPECT_NE(std::string(e.what()).find("ein Ein-/Ausgabefehler des Systems"), std::string::npos)
          << e.what();
    }
  }
  disk.FailReads(false);
  EXPECT_EQ(archive.Count(), 50);
}

}  // namespace
}  // namespace kw
