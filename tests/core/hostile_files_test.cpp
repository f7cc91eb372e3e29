// Files a person may hand the program by mistake: each gives the program's message or its
// documented silence, never a crash or a hang, and stays as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>

#include "core/error.h"
#include "core/profile.h"
#include "core/settings_file.h"
#include "core/ticket_file.h"
#include "tests/support/temp_dir.h"

namespace kw {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

constexpr int kYear = 2026;

// Every special file is made in the test's own folder: whatever the code under test does, it can
// reach nothing outside it.
enum class Make { Bytes, FiftyMegabytes, Folder, Fifo, LinkToFifo };

struct Hostile {
  const char* name;
  Make make;
  std::string bytes;
  // A ticket load's failure text, %s standing for the path; empty: the ticket loads.
  std::string ticketFailure;
  friend void PrintTo(const Hostile& h, std::ostream* os) { *os << h.name; }
};

std::string Garbage() {
  std::mt19937 random(11);
  std::string bytes(64 * 1024, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

const char* const kNoDate = "'' is not a valid date";
const char* const kNotRegular = "'%s' ist keine gew\xF6hnliche Datei";

void Create(const Hostile& h, const fs::path& file) {
  switch (h.make) {
    case Make::Bytes:
      WriteFile(file, h.bytes);
      break;
    case Make::FiftyMegabytes:
      WriteFile(file, "[Schein]\r\n");
      fs::resize_file(file, 50'000'000);
      break;
    case Make::Folder:
      fs::create_directory(file);
      break;
    case Make::Fifo:
      ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
      break;
    case Make::LinkToFifo:
      ASSERT_EQ(::mkfifo((file.parent_path() / "pipe").c_str(), 0644), 0);
      fs::create_symlink(file.parent_path() / "pipe", file);
      break;
  }
}

// What the file looks like from outside: kind, size, time and, for small files, the bytes.
std::string Snapshot(const fs::path& file) {
  const fs::file_status status = fs::symlink_status(file);
  std::string shot = std::to_string(static_cast<int>(status.type()));
  if (status.type() == fs::file_type::regular) {
    shot += " " + std::to_string(fs::file_size(file)) + " " +
            std::to_string(fs::last_write_time(file).time_since_epoch().count());
    if (fs::file_size(file) < (1u << 20)) shot += " " + ReadFile(file);
  }
  if (status.type() == fs::file_type::symlink) shot += " " + fs::read_symlink(file).string();
  return shot;
}

bool Refused(const Hostile& h) { return h.make != Make::Bytes; }

std::string Expand(std::string text, const fs::path& file) {
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, file.string());
  return text;
}

class HostileFile : public testing::TestWithParam<Hostile> {
 protected:
  TempDir dir;
};

TEST_P(HostileFile, AsTicketGivesItsMessage) {
  const Hostile& h = GetParam();
  const fs::path file = dir / "t.sch";
  Create(h, file);
  const std::string before = Snapshot(file);

  Ticket ticket;
  ticket.path = "old.sch";
  std::string failure;
  try {
    LoadTicket(ticket, file.string(), kYear);
  } catch (const Error& e) {
    failure = e.what();
  }
  EXPECT_EQ(failure, Expand(h.ticketFailure, file));
  EXPECT_EQ(ticket.path, failure.empty() ? file.string() : "");
  EXPECT_EQ(Snapshot(file), before);
}

TEST_P(HostileFile, AsSettingsIsReadSilentlyAndNeverReplacedUnread) {
  const Hostile& h = GetParam();
  const SettingsFile settings(dir.path());
  Create(h, settings.path());
  const std::string before = Snapshot(settings.path());

  Ticket ticket;
  ticket.path = "old.sch";
  StoredDraws draws;
  draws[DrawDay::Saturday].spiel77 = "1234567";
  EXPECT_NO_THROW(LoadSettings(settings, ticket, draws, kYear));
  EXPECT_EQ(ticket.path, "old.sch");
  EXPECT_EQ(draws[DrawDay::Saturday].spiel77, "1234567");

  if (Refused(h)) {
    // Unread, it would be replaced by a file holding the three keys alone.
    EXPECT_THROW(SaveSettings(settings, ticket, draws), WriteError);
    EXPECT_EQ(Snapshot(settings.path()), before);
  } else {
    SaveSettings(settings, ticket, draws);
    EXPECT_TRUE(ReadFile(settings.path()).starts_with(h.bytes)) << "the old bytes stay";
    EXPECT_EQ(settings.ReadTicketPath(), "old.sch");
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Files, HostileFile,
    testing::Values(
        Hostile{"BinaryGarbage", Make::Bytes, Garbage(), kNoDate},
        Hostile{"FiftyMegabytes", Make::FiftyMegabytes, "",
                "'%s' ist gr\xF6\xDF" "er als 4 MB und wird nicht gelesen"},
        // A reader that stopped at the NUL byte would miss every key after it.
        Hostile{"NulByte", Make::Bytes,
                "[Schein]\r\nNotiz=a\0b\r\nAblauf=19.12.2026\r\n"s, ""},
        Hostile{"NoLineEnds", Make::Bytes, "[Schein]Losnummer=4711235 Ablauf=19.12.2026", kNoDate},
        Hostile{"OnlyByteOrderMark", Make::Bytes, "\xEF\xBB\xBF", kNoDate},
        Hostile{"HeaderWithoutBracket", Make::Bytes, "[Schein\r\nAblauf=19.12.2026\r\n", kNoDate},
        Hostile{"KeyRepeated", Make::Bytes, "[Schein]\r\nAblauf=19.12.2026\r\nAblauf=kaputt\r\n", ""},
        Hostile{"LongLine", Make::Bytes,
                "[Schein]\r\nLosnummer=" + std::string(100'000, '4') + "\r\nAblauf=19.12.2026\r\n",
                ""},
        Hostile{"Folder", Make::Folder, "", "'%s' ist ein Ordner und keine Datei"},
        Hostile{"Fifo", Make::Fifo, "", kNotRegular},
        Hostile{"LinkToFifo", Make::LinkToFifo, "", kNotRegular}),
    [](const testing::TestParamInfo<Hostile>& info) { return info.param.name; });
// clang-format on

TEST(HostileFiles, TheSizeBoundIsExact) {
  TempDir dir;
  const fs::path file = dir / "t.sch";
  WriteFile(file, "[Schein]\r\nLosnummer=4711235\r\n");
  fs::resize_file(file, kMaxProfileFileSize);
  EXPECT_EQ(ReadProfileString(file, "Schein", "Losnummer"), "4711235");
  fs::resize_file(file, kMaxProfileFileSize + 1);
  EXPECT_THROW(ReadProfileString(file, "Schein", "Losnummer"), ReadError);
}

TEST(HostileFiles, MissingFilesReadEmptyWhereverThePathPoints) {
  TempDir dir;
  WriteFile(dir / "plain", "x");
  EXPECT_EQ(ReadProfileFile(dir / "none.ini"), std::nullopt);
  EXPECT_EQ(ReadProfileFile(dir / "plain" / "ZW.INI"), std::nullopt) << "below a regular file";
}

TEST(HostileFiles, ATicketNamedPipeCostsTheDrawingsNothing) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
  const SettingsFile settings(dir.path());
  WriteFile(settings.path(), "[Einstellungen]\r\nSchein=" + (dir / "pipe").string() +
                                 "\r\n[Zahlen]\r\n"
                                 "Samstag=1112131415161718123456765432106.12.26\r\n");
  Ticket ticket;
  ticket.path = "old.sch";
  StoredDraws draws;
  LoadSettings(settings, ticket, draws, kYear);
  EXPECT_EQ(ticket.path, "") << "the failed load leaves no current ticket";
  EXPECT_EQ(draws[DrawDay::Saturday].spiel77, "1234567");
}

// A regular file whose reading fails after it was opened: the kernel refuses offset 0 of a
// process's memory. Reading it must end with the refusal, neither hanging nor going on.
TEST(HostileFiles, AReadErrorAfterOpeningIsRefused) {
  const fs::path memory = "/proc/self/mem";
  if (!fs::is_regular_file(memory)) GTEST_SKIP() << "no process memory file here";
  try {
    ReadProfileFile(memory);
    ADD_FAILURE() << "read without an error";
  } catch (const ReadError& e) {
    EXPECT_STREQ(e.what(), "'/proc/self/mem' kann nicht gelesen werden");
  }
}

// Should a read's refusal ever break, the replacement itself still leaves a link's special
// target alone: a save through a link to a device would otherwise put a file in its place.
TEST(HostileFiles, AReplacementLeavesALinkedSpecialFileAlone) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
  fs::create_symlink(dir / "pipe", dir / "ZW.INI");
  EXPECT_THROW(ReplaceFileAtomically(dir / "ZW.INI", "[Zahlen]\r\n"), WriteError);
  EXPECT_EQ(fs::status(dir / "pipe").type(), fs::file_type::fifo);
  EXPECT_EQ(fs::read_symlink(dir / "ZW.INI"), dir / "pipe");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2)
      << "no temporary file is left behind";
}

TEST(HostileFiles, ASettingsFolderBelowARegularFileCannotBeWritten) {
  TempDir dir;
  WriteFile(dir / "plain", "x");
  const SettingsFile settings(dir / "plain");
  Ticket ticket;
  StoredDraws draws;
  EXPECT_NO_THROW(LoadSettings(settings, ticket, draws, kYear));
  EXPECT_THROW(SaveSettings(settings, ticket, draws), WriteError);
  EXPECT_EQ(ReadFile(dir / "plain"), "x");
}

TEST(HostileFiles, TicketPathsWithUmlautsAndTheEuroSign) {
  TempDir dir;
  const std::string path = (dir.path().string() +
                            "/Gro\xDFmutters Sch\xF6"
                            "ne \x80.sch");
  EditorTicket written;
  written.games[0] = {1, 2, 3, 4, 5, 6};
  written.lotNumber = "4711235";
  written.expiryDate = Date::FromYmd(2027, 1, 2);
  WriteTicketFile(written, path);
  EXPECT_TRUE(fs::exists(dir / "Gro\u00DFmutters Sch\u00F6ne \u20AC.sch"))
      << "the name on disk is the UTF-8 form";

  Ticket ticket;
  LoadTicket(ticket, path, kYear);
  EXPECT_EQ(ticket.path, path);
  EXPECT_EQ(ticket.games[0], (Game{1, 2, 3, 4, 5, 6}));
}

}  // namespace
}  // namespace kw
