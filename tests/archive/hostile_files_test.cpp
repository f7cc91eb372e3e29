// Files the archive cannot use: each is reported with its path and left exactly as it was.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <random>
#include <set>

#include "archive/archive.h"
#include "tests/archive/sample_drawings.h"
#include "tests/support/temp_dir.h"

namespace kw {
namespace {

namespace fs = std::filesystem;
using test::MakeDrawing;
using test::RawDb;
using test::TempDir;

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// An archive of some size, so that damage has pages to land in.
void MakeArchive(const fs::path& file, int drawings = 600) {
  DrawingArchive(file).Store(test::HistoricDrawings(drawings, true), "lotto.de");
}

class HostileFileTest : public ::testing::Test {
 protected:
  // Opens the file, expects the refusal to name the path and to say `reason`, and the folder
  // to hold afterwards exactly what it held before, byte for byte.
  void ExpectRefused(const std::string& reason) {
    const std::set<std::string> namesBefore = Names(dir.path());
    const std::string before = fs::is_regular_file(file) ? test::ReadFile(file) : "";
    try {
      DrawingArchive archive(file);
      ADD_FAILURE() << "opened, expected: " << reason;
    } catch (const ArchiveError& e) {
      const std::string message = e.what();
      EXPECT_EQ(message.rfind("'" + file.string() + "' ", 0), 0u) << message;
      EXPECT_NE(message.find(reason), std::string::npos) << message;
    }
    EXPECT_EQ(Names(dir.path()), namesBefore);
    if (fs::is_regular_file(file)) {
      EXPECT_EQ(test::ReadFile(file), before);
    }
  }

  TempDir dir;
  fs::path file = dir / DrawingArchive::kFileName;
};

TEST_F(HostileFileTest, WhatIsNoArchiveIsRefusedAndLeftAsItWas) {
  std::mt19937 random(7);
  std::string noise(8192, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  std::string sqliteMagicOnly = "SQLite format 3";
  sqliteMagicOnly.push_back('\0');

  struct Case {
    const char* what;
    std::function<void(const fs::path&)> make;
    const char* reason;
  };
  const Case cases[] = {
      {"random bytes", [&](const fs::path& f) { test::WriteFile(f, noise); },
       "ist keine SQLite-Datenbank und kein Ziehungsarchiv"},
      {"a text file",
       [](const fs::path& f) { test::WriteFile(f, "Datum;Tag;Zahl1\r\n05.12.2026;Samstag;3\r\n"); },
       "ist keine SQLite-Datenbank"},
      {"the header alone", [&](const fs::path& f) { test::WriteFile(f, sqliteMagicOnly); },
       "ist keine SQLite-Datenbank"},
      // What a crash while the archive is made could leave, were it made in place; it is made
      // beside and linked, so an empty file is somebody else's.
      {"an empty file", [](const fs::path& f) { test::WriteFile(f, ""); },
       "ist leer und kein Ziehungsarchiv"},
      {"another program's database",
       [](const fs::path& f) {
         RawDb raw(f);
         raw.Exec(
             "CREATE TABLE songs (title TEXT); CREATE TABLE artists (name TEXT);"
             "INSERT INTO songs VALUES ('Ode')");
       },
       "ist die Datenbank eines anderen Programms und kein Ziehungsarchiv (Tabellen: artists, "
       "songs)"},
      {"another program's database with a version of its own",
       [](const fs::path& f) {
         RawDb raw(f);
         raw.Exec("CREATE TABLE t (x); DROP TABLE t; PRAGMA user_version = 1");
       },
       "ist die Datenbank eines anderen Programms"},
      {"another program's marked database",
       [](const fs::path& f) {
         RawDb raw(f);
         raw.Exec("CREATE TABLE t (x); DROP TABLE t; PRAGMA application_id = 42");
       },
       "ist die Datenbank eines anderen Programms"},
      {"an archive of a newer program",
       [](const fs::path& f) {
         MakeArchive(f, 10);
         RawDb(f).Exec("PRAGMA user_version = 2");
       },
       "stammt von einer neueren Programmversion (Schema 2, dieses Programm kennt bis 1) und "
       "wird nicht ge\xE4ndert"},
      {"an archive cut short by a copy",
       [](const fs::path& f) {
         MakeArchive(f);
         fs::resize_file(f, fs::file_size(f) / 2);
       },
       "ist besch\xE4"
       "digt: die Datei ist k\xFCrzer als ihr Inhalt"},
      // The header keeps a page of 65,536 bytes as 1.
      {"an archive of 64 KiB pages cut short",
       [](const fs::path& f) {
         MakeArchive(f);
         RawDb(f).Exec("PRAGMA page_size = 65536; VACUUM");
         ASSERT_EQ(test::ReadFile(f).substr(16, 2), std::string("\0\1", 2));
         ASSERT_GE(fs::file_size(f), 3u * 65536);
         fs::resize_file(f, 2u * 65536);
       },
       "ist besch\xE4"
       "digt: die Datei ist k\xFCrzer als ihr Inhalt"},
      {"an archive cut at its first page",
       [](const fs::path& f) {
         MakeArchive(f);
         fs::resize_file(f, 4096);
       },
       "ist besch\xE4"
       "digt"},
      {"a folder", [](const fs::path& f) { fs::create_directory(f); },
       "ist ein Ordner und keine Datei"},
      // Opened, a pipe would wait for a writer; it is not opened at all.
      {"a pipe", [](const fs::path& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0600), 0); },
       "ist keine gew\xF6hnliche Datei"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(file);
    c.make(file);
    ExpectRefused(c.reason);
  }
}

TEST_F(HostileFileTest, AnArchiveDamagedInsideOpensAndSaysSoOnReading) {
  MakeArchive(file);
  // A page in the middle overwritten, the header sound: only reading the page finds it.
  const auto size = fs::file_size(file);
  std::string bytes = test::ReadFile(file);
  const std::size_t page = (size / 4096 / 2) * 4096;
  for (std::size_t i = page; i < page + 4096; ++i) bytes[i] = static_cast<char>(0xA5);
  test::WriteFile(file, bytes);

  DrawingArchive archive(file);  // opening reads no more than the first page
  try {
    archive.ReadRange(Date::FromYmd(1900, 1, 1), Date::FromYmd(2100, 1, 1));
    ADD_FAILURE() << "read";
  } catch (const ArchiveError& e) {
    EXPECT_NE(std::string(e.what()).find("' ist besch\xE4"
                                         "digt"),
              std::string::npos)
        << e.what();
  }
  EXPECT_NE(archive.CheckIntegrity(), "");
  EXPECT_THROW(archive.Store(test::HistoricDrawings(600, true), "x"), ArchiveError);
  EXPECT_EQ(test::ReadFile(file), bytes);
}

TEST_F(HostileFileTest, AValueChangedPastTheConstraintsIsReportedNotBelieved) {
  DrawingArchive(file).Store({MakeDrawing(2026, 12, 5, {1, 2, 3, 4, 5, 6})}, "x");
  {
    RawDb raw(file);
    // What a person could do in the sqlite3 tool, telling it to ignore the checks.
    raw.Exec("PRAGMA ignore_check_constraints = ON; UPDATE drawings SET n6 = 77");
    ASSERT_EQ(raw.Text("SELECT n6 FROM drawings"), "77");
  }
  DrawingArchive archive(file);
  try {
    archive.Read(Date::FromYmd(2026, 12, 5));
    ADD_FAILURE() << "read";
  } catch (const ArchiveError& e) {
    EXPECT_NE(std::string(e.what()).find("ist besch\xE4"
                                         "digt: Die Ziehung vom 05.12.2026 enth\xE4lt die Zahl 77"),
              std::string::npos)
        << e.what();
  }
  EXPECT_THROW(archive.ReadRange(Date::FromYmd(2026, 1, 1), Date::FromYmd(2027, 1, 1)),
               ArchiveError);
}

TEST_F(HostileFileTest, AReadOnlyFileIsReadAndTheFirstStoreSaysWhyItCannotWrite) {
  MakeArchive(file, 10);
  // No write bit: kept as it is even by root, whom the system would let write it.
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::string before = test::ReadFile(file);
  {
    DrawingArchive archive(file);
    EXPECT_EQ(archive.Count(), 10);
    EXPECT_EQ(archive.Read(Date::FromYmd(1955, 10, 9))->numbers.size(), 6u);
    EXPECT_EQ(archive.CheckIntegrity(), "");
    try {
      archive.Store({MakeDrawing(2026, 12, 5, {1, 2, 3, 4, 5, 6})}, "x");
      ADD_FAILURE() << "stored";
    } catch (const ArchiveError& e) {
      EXPECT_EQ(std::string(e.what()),
                "'" + file.string() + "' ist schreibgesch\xFCtzt; es wurde nichts gespeichert");
    }
  }
  EXPECT_EQ(test::ReadFile(file), before);
  EXPECT_EQ(Names(dir.path()), std::set<std::string>{"Ziehungen.sqlite"});
}

TEST_F(HostileFileTest, AnEmptyDatabaseBecomesTheArchiveUnlessItIsReadOnly) {
  RawDb(file).Exec("CREATE TABLE t (x); DROP TABLE t");  // a database with nothing in it
  fs::permissions(file, fs::perms::owner_read);
  ExpectRefused(
      "ist schreibgesch\xFCtzt und kann daher nicht auf den Stand dieses Programms "
      "gebracht werden");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
  DrawingArchive archive(file);
  archive.Store({MakeDrawing(2026, 12, 5, {1, 2, 3, 4, 5, 6})}, "x");
  EXPECT_EQ(archive.Count(), 1);
  EXPECT_EQ(RawDb(file).Text("PRAGMA user_version"), "1");
}

TEST_F(HostileFileTest, AnArchiveThatCannotBeMadeSaysWhy) {
  test::WriteFile(dir / "Datei", "x");
  const fs::path belowFile = dir / "Datei" / DrawingArchive::kFileName;
  const fs::path noFolder = dir / "fehlt" / DrawingArchive::kFileName;
  for (const fs::path& path : {belowFile, noFolder}) {
    try {
      DrawingArchive archive(path);
      ADD_FAILURE() << path;
    } catch (const ArchiveError& e) {
      EXPECT_EQ(std::string(e.what()),
                "'" + path.string() + "' kann nicht angelegt werden: den Ordner gibt es nicht");
    }
  }
  EXPECT_EQ(Names(dir.path()), std::set<std::string>{"Datei"});
}

TEST_F(HostileFileTest, AFolderTheUserMayNotWriteToIsRefusedBeforeAnythingIsBuilt) {
  // Root may write anywhere: the archive is then opened by a user who may not, in a process of
  // its own, as any program would be started by that user.
  const fs::path folder = dir / "fremd";
  fs::create_directory(folder);
  fs::permissions(dir.path(),
                  fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
  fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
  const fs::path path = folder / DrawingArchive::kFileName;
  const bool root = ::geteuid() == 0;
  if (!root) fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove);

  int out[2];
  ASSERT_EQ(::pipe(out), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(out[0]);
    constexpr uid_t kNobody = 65534;
    if (root && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(2);
    std::string message = "(opened)";
    try {
      DrawingArchive archive(path);
    } catch (const ArchiveError& e) {
      message = e.what();
    }
    const auto written = ::write(out[1], message.data(), message.size());
    ::_exit(written == static_cast<ssize_t>(message.size()) ? 0 : 1);
  }
  ::close(out[1]);
  std::string message;
  char buffer[512];
  for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;) message.append(buffer, n);
  ::close(out[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(message, "'" + path.string() +
                         "' kann nicht angelegt werden: in dem Ordner darf dieser Benutzer nicht "
                         "schreiben");
  EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(HostileFileTest, TheIntegrityCheckNamesAQuotaWhoseDrawingIsGone) {
  Drawing drawing = MakeDrawing(2026, 12, 5, {1, 2, 3, 4, 5, 6});
  drawing.quotas = {{PrizeGame::Lotto, 9, 1, 600}};
  DrawingArchive(file).Store({drawing}, "x");
  // What the sqlite3 tool does when told to leave the references alone.
  RawDb(file).Exec("PRAGMA foreign_keys = OFF; DELETE FROM drawings");
  EXPECT_EQ(DrawingArchive(file).CheckIntegrity(),
            "Tabelle quotas: Zeile ohne ihren Eintrag in drawings");
}

// A second program that holds the archive locked until it is told to let go. Forked before this
// process opens the file, so that it carries no connection of ours.
class LockingProgram {
 public:
  explicit LockingProgram(const fs::path& file) {
    if (::pipe(go_) != 0 || ::pipe(ready_) != 0) throw std::runtime_error("pipe");
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(go_[1]);
      ::close(ready_[0]);
      char c = 0;
      if (::read(go_[0], &c, 1) != 1) ::_exit(1);
      sqlite3* db = nullptr;
      sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
      const char rc =
          static_cast<char>(sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr));
      if (::write(ready_[1], &rc, 1) != 1) ::_exit(1);
      while (::read(go_[0], &c, 1) > 0) {
      }
      ::_exit(0);  // the lock goes with the process
    }
    ::close(go_[0]);
    ::close(ready_[1]);
  }
  ~LockingProgram() { LetGo(); }

  void Lock() {
    const char c = 'g';
    char rc = -1;
    ASSERT_EQ(::write(go_[1], &c, 1), 1);
    ASSERT_EQ(::read(ready_[0], &rc, 1), 1);
    ASSERT_EQ(rc, SQLITE_OK);
  }
  void LetGo() {
    if (pid_ <= 0) return;
    ::close(go_[1]);
    ::close(ready_[0]);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  int go_[2]{};
  int ready_[2]{};
  pid_t pid_ = -1;
};

TEST_F(HostileFileTest, AFileLockedByAnotherProgramIsWaitedForBrieflyThenReported) {
  MakeArchive(file, 10);
  const std::string before = test::ReadFile(file);
  {
    LockingProgram other(file);
    other.Lock();
    const auto start = std::chrono::steady_clock::now();
    ExpectRefused(
        "wird gerade von einem anderen Programm benutzt und war auch nach zwei Sekunden "
        "nicht frei");
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
  }
  LockingProgram other(file);
  DrawingArchive archive(file);
  other.Lock();
  try {
    archive.Store({MakeDrawing(2026, 12, 5, {1, 2, 3, 4, 5, 6})}, "x");
    ADD_FAILURE() << "stored";
  } catch (const ArchiveError& e) {
    EXPECT_NE(std::string(e.what()).find("anderen Programm benutzt"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("; es wurde nichts gespeichert"), std::string::npos);
  }
  other.LetGo();
  EXPECT_EQ(test::ReadFile(file), before);
  archive.Store({MakeDrawing(2026, 12, 5, {1, 2, 3, 4, 5, 6})}, "x");
  EXPECT_EQ(archive.Count(), 11);
}

}  // namespace
}  // namespace kw
