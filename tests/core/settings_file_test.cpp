#include "core/settings_file.h"

#include <gtest/gtest.h>

#include "core/cp1252.h"
#include "core/error.h"
#include "core/profile.h"
#include "tests/support/temp_dir.h"

namespace kw {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

constexpr int kYear = 2026;

DrawResult Draw(std::array<uint8_t, 8> numbers, std::string spiel77, std::string super6,
                std::string date) {
  DrawResult d;
  d.numbers = numbers;
  d.spiel77 = std::move(spiel77);
  d.super6 = std::move(super6);
  d.drawDate = date;
  return d;
}

DrawResult Parsed(std::string_view line) {
  DrawResult d;
  EXPECT_TRUE(DrawLine::Parse(line, d)) << line;
  return d;
}

TEST(DrawLine, WritesFixedColumns) {
  EXPECT_EQ(DrawLine::Format(Draw({3, 11, 24, 30, 41, 49, 7, 5}, "1234567", "234567", "06.12.26")),
            "0311243041490705123456723456706.12.26");
  EXPECT_EQ(DrawLine::Format(Draw({9, 10, 1, 99, 0, 0, 0, 0}, "", "", "")), "0910019900000000")
      << "a 0 before 9, none before 10";
  EXPECT_EQ(DrawLine::Format(DrawResult{}), "0000000000000000") << "16 zeros, no date";
  EXPECT_EQ(DrawLine::Format(Draw({}, "", "", "???")), "0000000000000000");
  EXPECT_EQ(DrawLine::Format(Draw({255, 100, 0, 0, 0, 0, 0, 0}, "", "", "")), "255100000000000000")
      << "three digits move every later column";
}

TEST(DrawLine, ReadsColumnsAndTheDate) {
  const DrawResult d = Parsed("0311243041490705123456723456706.12.2026 and more");
  EXPECT_EQ(d.numbers, (std::array<uint8_t, 8>{3, 11, 24, 30, 41, 49, 7, 5}));
  EXPECT_EQ(d.spiel77, "1234567");
  EXPECT_EQ(d.super6, "234567");
  EXPECT_EQ(d.drawDate, "06.12.2026") << "a scraped date keeps its year, nothing after it stays";

  EXPECT_EQ(Parsed("0000000000000000").drawDate, "???");
  EXPECT_EQ(Parsed("0000000000000000").spiel77, "");
  EXPECT_EQ(Parsed(std::string(16, '0') + "1234567123456").drawDate, "???") << "29 characters";
  EXPECT_EQ(Parsed(std::string(16, '0') + "12345671234567").drawDate, "7") << "30 characters";
  EXPECT_EQ(Parsed(" 1 2 3 4 5 6 7 8").numbers, (std::array<uint8_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}));
}

// The date keeps its year through a save and a load: "05.12.20" would read as 2020.
TEST(DrawLine, DatesOfTenAndOfEightCharactersReadBackAsWritten) {
  for (const char* date : {"05.12.2026", "05.12.26", "Sa 6.12.25", "???"}) {
    const DrawResult written = Draw({1, 2, 3, 4, 5, 6, 7, 8}, "1234567", "123456", date);
    EXPECT_EQ(Parsed(DrawLine::Format(written)).drawDate, date) << date;
  }
  EXPECT_EQ(Parsed("0102030405060708123456712345605.12.2026x").drawDate, "05.12.2026");
  EXPECT_EQ(Parsed("0102030405060708123456712345605.12.202").drawDate, "05.12.202");
}

TEST(DrawLine, AShortSpiel77TextShiftsTheLaterColumns) {
  const DrawResult written = Draw({1, 2, 3, 4, 5, 6, 7, 8}, "12345", "abcdef", "06.12.26");
  const DrawResult d = Parsed(DrawLine::Format(written));
  EXPECT_EQ(d.spiel77, "12345ab");
  EXPECT_EQ(d.super6, "cdef06");
  EXPECT_EQ(d.drawDate, ".12.26");
}

TEST(DrawLine, AFailedLineLeavesTheDrawingAsItWas) {
  const DrawResult before = Draw({9, 9, 9, 9, 9, 9, 9, 9}, "7777777", "666666", "01.01.26");
  for (std::string_view line :
       {"", "0102030405", "01020304050607xx", "0102030 405060708", "-10203040506070812345671"}) {
    DrawResult d = before;
    EXPECT_FALSE(DrawLine::Parse(line, d)) << line;
    EXPECT_EQ(DrawLine::Format(d), DrawLine::Format(before)) << line;
  }
}

class Settings : public testing::Test {
 protected:
  TempDir dir;
  SettingsFile settings{dir.path()};
  Ticket ticket;
  StoredDraws draws;
  std::vector<std::string> shownSpiel77;  // one entry per display of the Saturday drawing

  SettingsLoad Load() {
    const SettingsLoad load = LoadSettings(settings, ticket, draws, kYear);
    if (load.saturdayRead) shownSpiel77.push_back(draws[DrawDay::Saturday].spiel77);
    return load;
  }
  void WriteIni(const std::string& body) { WriteFile(settings.path(), body); }
};

TEST_F(Settings, FirstRunWithoutAFile) {
  EXPECT_EQ(Load().ticket, SettingsLoad::TicketLoad::NotNamed);
  EXPECT_EQ(ticket.path, "");
  EXPECT_EQ(DrawLine::Format(draws[DrawDay::Saturday]), "0000000000000000");
  EXPECT_EQ(draws[DrawDay::Saturday].drawDate, "") << "no \"???\" before a line was read";
  EXPECT_TRUE(shownSpiel77.empty());
  EXPECT_FALSE(std::filesystem::exists(settings.path())) << "reading creates nothing";
}

TEST_F(Settings, EmptyStateRoundTrips) {
  SaveSettings(settings, ticket, draws);
  EXPECT_EQ(ReadFile(settings.path()),
            "[Einstellungen]\r\nSchein=\r\n[Zahlen]\r\nMittwoch=0000000000000000\r\n"
            "Samstag=0000000000000000\r\n");
  Load();
  for (DrawDay day : {DrawDay::Wednesday, DrawDay::Saturday}) {
    EXPECT_EQ(draws[day].numbers, (std::array<uint8_t, 8>{}));
    EXPECT_EQ(draws[day].spiel77, "");
    EXPECT_EQ(draws[day].drawDate, "???");
  }
  EXPECT_EQ(shownSpiel77.size(), 1u);

  // "???" is written without a date and comes back as "???".
  SaveSettings(settings, ticket, draws);
  EXPECT_EQ(settings.ReadDrawLine(DrawDay::Saturday), "0000000000000000");
}

TEST_F(Settings, ReadsAWindowsSettingsFileAndKeepsItsOtherLines) {
  const std::string original = ReadFile(std::string(KREUZWART_FIXTURES) + "/ZW.INI");
  WriteIni(original);
  Load();
  EXPECT_EQ(ticket.path, "") << "the named ticket does not exist here";
  EXPECT_EQ(draws[DrawDay::Wednesday].numbers,
            (std::array<uint8_t, 8>{4, 11, 17, 23, 36, 45, 8, 9}));
  EXPECT_EQ(draws[DrawDay::Wednesday].drawDate, "03.12.2026");
  EXPECT_EQ(draws[DrawDay::Saturday].spiel77, "1234567");
  EXPECT_EQ(draws[DrawDay::Saturday].super6, "654321");
  EXPECT_EQ(draws[DrawDay::Saturday].drawDate, "06.12.2026");
  ASSERT_EQ(shownSpiel77, std::vector<std::string>{"1234567"});
  EXPECT_EQ(settings.ReadTicketPath(), "C:\\Lotto\\Sch\xF6ne Scheine\\Oma.sch");

  ticket.path = "/home/oma/lotto.sch";
  SaveSettings(settings, ticket, draws);
  const std::string saved = ReadFile(settings.path());
  EXPECT_NE(saved.find("Schein=/home/oma/lotto.sch\r\n"), std::string::npos);
  EXPECT_NE(saved.find("Mittwoch=04111723364508098765432123456"
                       "03.12.2026\r\n"),
            std::string::npos);
  EXPECT_NE(saved.find("; von Hand erg\xE4nzt\r\n[Fenster]\r\nPosition=gro\xDF\r\n"),
            std::string::npos);
  std::string expected = original;
  auto replace = [&expected](std::string_view from, std::string_view to) {
    expected.replace(expected.find(from), from.size(), to);
  };
  replace("C:\\Lotto\\Sch\xF6ne Scheine\\Oma.sch", "/home/oma/lotto.sch");
  EXPECT_EQ(saved, expected) << "only the changed values differ";
}

TEST_F(Settings, LoadsTheNamedTicket) {
  const auto ticketFile = dir / "mein.sch";
  WriteFile(ticketFile,
            "[Schein]\r\nSpiel1=01 02 03 04 05 06 \r\nLosnummer=1234567\r\n"
            "Ablauf=31.12.2026\r\n");
  settings.WriteTicketPath(ticketFile.string());
  const SettingsLoad load = Load();
  EXPECT_EQ(ticket.path, ticketFile.string());
  EXPECT_EQ(ticket.lotNumber, "1234567");
  EXPECT_EQ(load.ticket, SettingsLoad::TicketLoad::Loaded);
  EXPECT_EQ(load.ticketPath, ticketFile.string());
  EXPECT_FALSE(load.saturdayRead) << "no Saturday line";
}

TEST_F(Settings, AMissingTicketCostsNoDrawing) {
  WriteIni("[Einstellungen]\r\nSchein=" + (dir / "moved.sch").string() +
           "\r\n[Zahlen]\r\nMittwoch=0102030405060708765432112345603.12.26\r\n"
           "Samstag=1112131415161718123456765432106.12.26\r\n");
  ticket.path = "previous.sch";
  ticket.games[0] = {1, 2, 3, 4, 5, 6};
  const SettingsLoad load = Load();
  EXPECT_EQ(load.ticket, SettingsLoad::TicketLoad::Failed);
  EXPECT_EQ(load.ticketPath, (dir / "moved.sch").string()) << "named, for the window to keep";
  EXPECT_EQ(ticket.path, "") << "the failed load leaves no current ticket";
  EXPECT_EQ(ticket.games[0], Game{});
  EXPECT_EQ(draws[DrawDay::Wednesday].spiel77, "7654321");
  EXPECT_EQ(draws[DrawDay::Saturday].numbers[0], 11);
  EXPECT_EQ(shownSpiel77, std::vector<std::string>{"1234567"});

  // The next save keeps both drawings instead of writing zeros over them.
  SaveSettings(settings, ticket, draws);
  EXPECT_EQ(settings.ReadDrawLine(DrawDay::Wednesday), "0102030405060708765432112345603.12.26");
  EXPECT_EQ(settings.ReadDrawLine(DrawDay::Saturday), "1112131415161718123456765432106.12.26");
  EXPECT_EQ(settings.ReadTicketPath(), "");
}

TEST_F(Settings, EachDayIsReadOnItsOwn) {
  draws[DrawDay::Wednesday] = Draw({9, 9, 9, 9, 9, 9, 9, 9}, "9999999", "999999", "01.01.26");

  // A broken Wednesday line keeps the earlier Wednesday values; Saturday is read and shown.
  WriteIni("[Zahlen]\r\nMittwoch=01020x\r\nSamstag=1112131415161718123456765432106.12.26\r\n");
  Load();
  EXPECT_EQ(draws[DrawDay::Wednesday].spiel77, "9999999");
  EXPECT_EQ(draws[DrawDay::Wednesday].numbers[0], 9);
  EXPECT_EQ(draws[DrawDay::Saturday].drawDate, "06.12.26");
  EXPECT_EQ(shownSpiel77.size(), 1u);

  // A missing Saturday line keeps Saturday and shows nothing; Wednesday is read.
  WriteIni("[Zahlen]\r\nMittwoch=0102030405060708765432112345603.12.26\r\n");
  Load();
  EXPECT_EQ(draws[DrawDay::Wednesday].spiel77, "7654321");
  EXPECT_EQ(draws[DrawDay::Saturday].drawDate, "06.12.26");
  EXPECT_EQ(shownSpiel77.size(), 1u);

  // A Saturday line of 10 characters fails on number 6 and changes nothing of Saturday.
  WriteIni("[Zahlen]\r\nSamstag=0102030405\r\n");
  Load();
  EXPECT_EQ(draws[DrawDay::Saturday].numbers[0], 11);
  EXPECT_EQ(shownSpiel77.size(), 1u);
}

TEST_F(Settings, WritesTheKeysInOrderAndStopsAtTheFirstFailure) {
  std::vector<std::string> keys;
  int writesLeft = 2;
  const SettingsFile failing(dir.path(),
                             [&](const std::filesystem::path& file, std::string_view section,
                                 std::string_view key, std::string_view value) {
                               keys.emplace_back(key);
                               if (writesLeft-- == 0) throw WriteError(PathText(file));
                               WriteProfileString(file, section, key, value);
                             });
  WriteIni("; mine\r\n[Zahlen]\r\nSamstag=old\r\n");
  ticket.path = "a.sch";
  draws[DrawDay::Wednesday].numbers[0] = 4;
  try {
    SaveSettings(failing, ticket, draws);
    FAIL();
  } catch (const WriteError& e) {
    EXPECT_EQ(e.what(), "Unable to write to " + settings.path().string());
  }
  EXPECT_EQ(keys, (std::vector<std::string>{"Schein", "Mittwoch", "Samstag"}));
  EXPECT_EQ(ReadFile(settings.path()),
            "; mine\r\n[Zahlen]\r\nSamstag=old\r\nMittwoch=0400000000000000\r\n"
            "[Einstellungen]\r\nSchein=a.sch\r\n");
}

// The household's list keeps its order, takes a ticket once, ends at its first empty key, and
// lives beside the settings' own keys: their saves leave it, and it leaves them.
TEST_F(Settings, TheTicketListKeepsItsOrderAndLivesBesideTheSettings) {
  WriteIni("[Einstellungen]\r\nSchein=a.sch\r\n");
  RememberTicket(settings, "/home/b.sch");
  RememberTicket(settings, " c mit Leerzeichen.sch ");  // a value read would trim: quoted
  RememberTicket(settings, "/home/b.sch");
  RememberTicket(settings, "");
  EXPECT_EQ(settings.ReadTicketList(),
            (std::vector<std::string>{"/home/b.sch", " c mit Leerzeichen.sch "}));
  SaveSettings(settings, "d.sch", draws);
  ForgetTicket(settings, "/home/b.sch");
  ForgetTicket(settings, "/nie/gelistet.sch");
  EXPECT_EQ(settings.ReadTicketList(), std::vector<std::string>{" c mit Leerzeichen.sch "});
  EXPECT_EQ(settings.ReadTicketPath(), "d.sch");
  const std::string file = ReadFile(settings.path());
  EXPECT_NE(file.find("[Meine Scheine]\r\nSchein1=\" c mit Leerzeichen.sch \"\r\nSchein2=\r\n"),
            std::string::npos)
      << file;
  // A list written by hand with a gap ends at the gap.
  WriteIni("[Meine Scheine]\r\nSchein1=a.sch\r\nSchein2=\r\nSchein3=c.sch\r\n");
  EXPECT_EQ(settings.ReadTicketList(), std::vector<std::string>{"a.sch"});
}

TEST_F(Settings, RealWriteFailureNamesTheSettingsFile) {
  WriteFile(dir / "plain", "x");
  const SettingsFile below(dir / "plain");
  EXPECT_THROW(SaveSettings(below, ticket, draws), WriteError);
}

}  // namespace
}  // namespace kw
