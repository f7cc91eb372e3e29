#include "core/ticket_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/error.h"
#include "core/profile.h"
#include "tests/support/temp_dir.h"

namespace kw {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

constexpr int kYear = 2026;

std::string FileWith(const std::string& lines) { return "[Schein]\r\n" + lines; }

std::string ConversionText(const std::function<void()>& action) {
  try {
    action();
  } catch (const ConversionError& e) {
    return e.what();
  }
  return "(no failure)";
}

TEST(GameValue, ReadsTheSixColumnsOnly) {
  struct Case {
    const char* value;
    Game game;
  };
  for (const Case& c : {
           Case{"03 11 24 30 41 49 ", {3, 11, 24, 30, 41, 49}},
           Case{"03 11 24 30 41 49", {3, 11, 24, 30, 41, 49}},  // without the closing blank
           Case{"03x11y24z30-41+49", {3, 11, 24, 30, 41, 49}},  // separators are never read
           Case{"12  5  7 30 41  9", {12, 5, 7, 30, 41, 9}},    // blanks instead of zeros
           Case{"$F 00 x7 08 09 99", {15, 0, 7, 8, 9, 99}},     // hexadecimal pieces
       }) {
    Game game{};
    ReadGameValue(c.value, 1, game);
    EXPECT_EQ(game, c.game) << c.value;
  }
}

TEST(GameValue, FailuresQuoteThePieceAndKeepEarlierNumbers) {
  Game game{9, 9, 9, 9, 9, 9};
  EXPECT_EQ(ConversionText([&] { ReadGameValue("1 2 3 4 5 6", 1, game); }),
            "'1 ' is not a valid integer value");
  EXPECT_EQ(game, (Game{9, 9, 9, 9, 9, 9}));

  game = {9, 9, 9, 9, 9, 9};
  EXPECT_EQ(ConversionText([&] { ReadGameValue("01 02 03", 1, game); }),
            "'' is not a valid integer value");
  EXPECT_EQ(game, (Game{1, 2, 3, 9, 9, 9})) << "the first three numbers are already stored";

  ReadGameValue("", 1, game);
  EXPECT_EQ(game, Game{}) << "an empty value is an empty game";

  // A negative number would be stored as 255 and saved in three columns.
  game = {9, 9, 9, 9, 9, 9};
  EXPECT_EQ(ConversionText([&] { ReadGameValue("01 -2 03 04 05 06", 4, game); }),
            "Die Zahl -2 in Spiel 4 an Stelle 2 ist ung\xFCltig");
  EXPECT_EQ(game, (Game{1, 9, 9, 9, 9, 9}));
}

TEST(GameValue, WritesEighteenCharactersOrNothing) {
  EXPECT_EQ(FormatGameValue({3, 11, 24, 30, 41, 49}), "03 11 24 30 41 49 ");
  EXPECT_EQ(FormatGameValue({5, 12, 0, 33, 40, 41}), "") << "a game with a 0 is not played";
  EXPECT_EQ(FormatGameValue({}), "");
}

TEST(LoadTicket, ReadsAWindowsTicketFile) {
  Ticket ticket;
  const std::string path = std::string(KREUZWART_FIXTURES) + "/windows_ticket.sch";
  LoadTicket(ticket, path, kYear);
  EXPECT_EQ(ticket.path, path);
  EXPECT_EQ(ticket.games[0], (Game{3, 15, 22, 31, 40, 49}));
  EXPECT_EQ(ticket.games[1], (Game{1, 7, 12, 19, 33, 45}));
  EXPECT_EQ(ticket.games[2], Game{});
  EXPECT_EQ(ticket.games[11], (Game{5, 6, 17, 28, 39, 42}));
  EXPECT_EQ(ticket.lotNumber, "4711235");
  EXPECT_EQ(ticket.super6Number, "711235");
  EXPECT_EQ(ticket.expiryDate, Date::FromYmd(2026, 12, 19));
}

TEST(LoadTicket, LotNumbersAreCutAndTheSuper6NumberDerived) {
  TempDir dir;
  struct Case {
    const char* losnummer;
    const char* lot;
    const char* super6;
  };
  for (const Case& c : {Case{"123456789", "1234567", "234567"}, Case{"12345", "12345", "2345"},
                        Case{"", "", ""}, Case{"7", "7", ""}}) {
    WriteFile(dir / "t.sch",
              FileWith(std::string("Losnummer=") + c.losnummer + "\r\nAblauf=1.1.2027\r\n"));
    Ticket ticket;
    LoadTicket(ticket, (dir / "t.sch").string(), kYear);
    EXPECT_EQ(ticket.lotNumber, c.lot);
    EXPECT_EQ(ticket.super6Number, c.super6);
  }
}

TEST(LoadTicket, FirstFailureEndsTheReadingAndLeavesNoCurrentTicket) {
  TempDir dir;
  Ticket ticket;
  ticket.path = "old.sch";
  SetLotNumber(ticket, "9876543");
  ticket.games[5] = {1, 2, 3, 4, 5, 6};
  ticket.hits[0] = 3;
  ticket.expiryDate = Date::FromYmd(2020, 5, 5);

  WriteFile(dir / "bad.sch", FileWith("Spiel1=01 02 03 04 05 06 \r\nSpiel2=07 08 1x\r\n"
                                      "Losnummer=1234567\r\nAblauf=1.1.2027\r\n"));
  EXPECT_EQ(ConversionText([&] { LoadTicket(ticket, (dir / "bad.sch").string(), kYear); }),
            "'1x' is not a valid integer value");
  EXPECT_EQ(ticket.path, "");
  EXPECT_EQ(ticket.games[0], (Game{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(ticket.games[1], (Game{7, 8, 0, 0, 0, 0}));
  EXPECT_EQ(ticket.games[5], Game{}) << "cleared before reading";
  EXPECT_EQ(ticket.hits[0], 0);
  EXPECT_EQ(ticket.lotNumber, "") << "the file's lot number comes after the failure";
  EXPECT_EQ(ticket.super6Number, "");
  EXPECT_EQ(ticket.expiryDate, Date::FromYmd(2020, 5, 5)) << "the expiry date is not cleared";
}

TEST(LoadTicket, MissingAblaufOrFileFailsOnTheEmptyDate) {
  TempDir dir;
  WriteFile(dir / "noexpiry.sch", FileWith("Spiel1=01 02 03 04 05 06 \r\nLosnummer=7654321\r\n"));
  Ticket ticket;
  EXPECT_EQ(ConversionText([&] { LoadTicket(ticket, (dir / "noexpiry.sch").string(), kYear); }),
            "'' is not a valid date");
  EXPECT_EQ(ticket.games[0], (Game{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(ticket.lotNumber, "7654321") << "games and lot number stay";
  EXPECT_EQ(ticket.path, "");

  EXPECT_EQ(ConversionText([&] { LoadTicket(ticket, (dir / "missing.sch").string(), kYear); }),
            "'' is not a valid date");
  EXPECT_EQ(ticket.games[0], Game{});
}

TEST(EditorTicketFile, ReadsTheWholeLotNumberAndEmptiesGames) {
  TempDir dir;
  WriteFile(dir / "t.sch", FileWith("Spiel1=01 02 03 04 05 06 \r\nSpiel7=\r\n"
                                    "Losnummer=123456789\r\nAblauf=24.12.2026\r\n"));
  EditorTicket ticket;
  for (Game& g : ticket.games) g = {9, 10, 11, 12, 13, 14};
  ReadEditorTicketFile(ticket, (dir / "t.sch").string(), kYear);
  EXPECT_EQ(ticket.games[0], (Game{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(ticket.games[6], Game{});
  EXPECT_EQ(ticket.games[11], Game{}) << "a missing key is an empty game";
  EXPECT_EQ(ticket.lotNumber, "123456789");
  EXPECT_EQ(ticket.expiryDate, Date::FromYmd(2026, 12, 24));
}

TEST(TicketFile, BothReadersRefuseANegativeNumber) {
  TempDir dir;
  WriteFile(dir / "t.sch", FileWith("Spiel1=-1 -2 03 04 05 06\r\nAblauf=1.1.2027\r\n"));
  const std::string expected = "Die Zahl -1 in Spiel 1 an Stelle 1 ist ung\xFCltig";
  Ticket ticket;
  EXPECT_EQ(ConversionText([&] { LoadTicket(ticket, (dir / "t.sch").string(), kYear); }), expected);
  EXPECT_EQ(ticket.path, "");
  EditorTicket editor;
  EXPECT_EQ(ConversionText([&] { ReadEditorTicketFile(editor, (dir / "t.sch").string(), kYear); }),
            expected);
  EXPECT_EQ(editor.games[0], Game{});
}

// Every ticket the reader accepts is written so that it reads back the same, whether it is saved
// over the file it came from or into a new one. Only a game holding a 0 comes back empty.
TEST(TicketFile, WhatTheReaderAcceptsReadsBackAfterWriting) {
  struct Case {
    const char* name;
    std::string file;
  };
  const Case cases[] = {
      {"quoted lot number keeps its quotes",
       FileWith("Spiel1=01 02 03 04 05 06\r\nLosnummer=\"\"4711235\"\"\r\nAblauf=1.1.27\r\n")},
      {"single quotes inside double quotes", FileWith("Losnummer=\"'x'\"\r\nAblauf=2.2.2027\r\n")},
      {"blanks inside quotes", FileWith("Losnummer=\" 4711235 \"\r\nAblauf=2.2.2027\r\n")},
      {"a blank before the lot number", FileWith("Losnummer=\" 4711235\"\r\nAblauf=2.2.2027\r\n")},
      {"a blank after the lot number", FileWith("Losnummer=\"4711235 \"\r\nAblauf=2.2.2027\r\n")},
      {"one quote and a blank inside quotes", FileWith("Losnummer=\"\" \"\r\nAblauf=2.2.2027\r\n")},
      {"blanks instead of zeros, hexadecimal, separators never read",
       FileWith("Spiel2=12  5  7 30 41  9\r\nSpiel3=$F-x2+03 04 05 06\r\nAblauf=3.3.2027\r\n")},
      {"a zero among the numbers", FileWith("Spiel4=05 12 00 33 40 41\r\nAblauf=4.4.2027\r\n")},
      {"key without a value shadows a later one",
       FileWith("Spiel1\r\nSpiel1=01 02 03 04 05 06\r\nAblauf=5.5.2027\r\n")},
      {"ticket section twice",
       "[Schein]\r\nAblauf=6.6.2027\r\n[Schein]\r\nSpiel1=01 02 03 04 05 06\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    WriteFile(dir / "t.sch", c.file);
    EditorTicket read;
    ReadEditorTicketFile(read, (dir / "t.sch").string(), kYear);
    EditorTicket expected = read;
    for (Game& game : expected.games) {
      if (std::find(game.begin(), game.end(), 0) != game.end()) game = Game{};
    }
    for (const char* target : {"t.sch", "new.sch"}) {
      WriteTicketFile(read, (dir / target).string());
      EditorTicket back;
      ReadEditorTicketFile(back, (dir / target).string(), kYear);
      EXPECT_EQ(back.games, expected.games) << target;
      EXPECT_EQ(back.lotNumber, expected.lotNumber) << target;
      EXPECT_EQ(back.expiryDate, expected.expiryDate) << target;
    }
  }
}

TEST(WriteTicketFile, WritesAllKeysInOrderAndReadsBack) {
  TempDir dir;
  EditorTicket ticket;
  ticket.games[0] = {3, 11, 24, 30, 41, 49};
  ticket.games[1] = {1, 2, 3, 4, 5, 6};
  ticket.games[2] = {5, 12, 0, 33, 40, 41};
  ticket.lotNumber = "4711235";
  ticket.expiryDate = Date::FromYmd(2027, 1, 2);
  const auto file = dir / "neu.sch";
  WriteTicketFile(ticket, file.string());

  std::string expected = "[Schein]\r\nSpiel1=03 11 24 30 41 49 \r\nSpiel2=01 02 03 04 05 06 \r\n";
  for (int g = 3; g <= 12; ++g) expected += "Spiel" + std::to_string(g) + "=\r\n";
  expected += "Losnummer=4711235\r\nAblauf=02.01.2027\r\n";
  EXPECT_EQ(ReadFile(file), expected);

  Ticket back;
  LoadTicket(back, file.string(), kYear);
  EXPECT_EQ(back.games[0], ticket.games[0]);
  EXPECT_EQ(back.games[2], Game{});
  EXPECT_EQ(back.games[3], Game{});
  EXPECT_EQ(back.expiryDate, ticket.expiryDate);
}

TEST(WriteTicketFile, SavingOverAFileKeepsItsOtherSections) {
  TempDir dir;
  const auto file = dir / "ticket.sch";
  std::filesystem::copy_file(std::string(KREUZWART_FIXTURES) + "/windows_ticket.sch", file);
  EditorTicket ticket;
  ticket.games[0] = {2, 4, 6, 8, 10, 12};
  ticket.lotNumber = "1111111";
  ticket.expiryDate = Date::FromYmd(2027, 3, 1);
  WriteTicketFile(ticket, file.string());

  const std::string bytes = ReadFile(file);
  EXPECT_NE(bytes.find("[Notiz]\r\nText=F\xFCr Gro\xDFmutter, Tipp aus M\xFCnchen\r\n"),
            std::string::npos);
  EXPECT_EQ(ReadProfileString(file, "Schein", "Spiel1"), "02 04 06 08 10 12");
  EXPECT_EQ(ReadProfileString(file, "Schein", "Spiel12"), "");
  EXPECT_EQ(ReadProfileString(file, "Schein", "Ablauf"), "01.03.2027");
}

// The system fields: read by the editor's reader only, kept with their reason where they hold no
// full system, written back (a full one in the file's form) and emptied where the editor emptied
// them. A ticket without systems gets no keys of them (WritesAllKeysInOrderAndReadsBack).
TEST(TicketFileSystems, ReadKeptAndWrittenBesideTheGames) {
  TempDir dir;
  const std::string seventeen = "01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17";
  WriteFile(dir / "t.sch", FileWith("Spiel1=01 02 03 04 05 06 \r\nSystem1=3 7 12 25 33 41 44 48\r\n"
                                    "System2=" +
                                    seventeen +
                                    "\r\nSystem3=05 13 20 13 31 40 41\r\n"
                                    "Losnummer=4711235\r\nAblauf=19.12.2026\r\n"));
  EditorTicket read;
  ReadEditorTicketFile(read, (dir / "t.sch").string(), kYear);
  EXPECT_EQ(read.systems[0].numbers, (std::vector<uint8_t>{3, 7, 12, 25, 33, 41, 44, 48}));
  EXPECT_EQ(read.systems[1].problem, "17 Zahlen; ein System hat 7 bis 16 Zahlen");
  EXPECT_EQ(read.systems[2].problem, "die 13 steht zweimal");
  Ticket ticket;  // the main window's reader knows no systems and reads the file as before
  LoadTicket(ticket, (dir / "t.sch").string(), kYear);
  EXPECT_EQ(ticket.games[0], (Game{1, 2, 3, 4, 5, 6}));

  read.systems[2] = {};
  WriteTicketFile(read, (dir / "t.sch").string());
  EXPECT_NE(
      ReadFile(dir / "t.sch")
          .find("System1=03 07 12 25 33 41 44 48 \r\nSystem2=" + seventeen + "\r\nSystem3=\r\n"),
      std::string::npos);
  EditorTicket back;
  ReadEditorTicketFile(back, (dir / "t.sch").string(), kYear);
  EXPECT_EQ(back.systems[1], read.systems[1]);
  EXPECT_TRUE(back.systems[2].IsEmpty());
}

TEST(WriteTicketFile, FailureNamesThePath) {
  TempDir dir;
  WriteFile(dir / "plain", "x");
  const std::string path = (dir / "plain" / "t.sch").string();
  try {
    WriteTicketFile(EditorTicket{}, path);
    FAIL();
  } catch (const WriteError& e) {
    EXPECT_EQ(e.what(), "Unable to write to " + path);
  }
}

}  // namespace
}  // namespace kw
