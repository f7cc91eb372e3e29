#include "core/ticket_systems.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

using Numbers = std::vector<uint8_t>;

TicketSystem First(const std::string& text) { return ReadSystems({text, "", "", ""})[0]; }

TEST(TicketSystems, WhatAFieldHoldsIsAFullSystemOrKeptWithItsReason) {
  struct Case {
    const char* text;
    Numbers numbers;  // of a full system
    const char* problem;
  };
  const Case cases[] = {
      {"03 07 12 25 33 41 44 48 ", {3, 7, 12, 25, 33, 41, 44, 48}, ""},
      {"3 7 12 25 33 41 44", {3, 7, 12, 25, 33, 41, 44}, ""},  // as typed, the order kept
      {" 49,1, 2 ,3,\t4 5 6 ", {49, 1, 2, 3, 4, 5, 6}, ""},
      {"01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16",
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16},
       ""},
      {"", {}, ""},
      {"   ", {}, ""},
      {"01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17",
       {},
       "17 Zahlen; ein System hat 7 bis 16 Zahlen"},
      {"01 02 03 04 05 06", {}, "6 Zahlen; ein System hat 7 bis 16 Zahlen"},
      {"49", {}, "1 Zahl; ein System hat 7 bis 16 Zahlen"},
      {",", {}, "0 Zahlen; ein System hat 7 bis 16 Zahlen"},
      {"13 01 13 02 03 04 05 06", {}, "die 13 steht zweimal"},
      {"07 07 07 01 02 03 04 05 06 08", {}, "die 7 steht dreimal"},
      {"01 02 03 04 05 06 07 50", {}, "\"50\" ist keine Zahl von 1 bis 49"},
      {"00 01 02 03 04 05 06 07", {}, "\"00\" ist keine Zahl von 1 bis 49"},
      {"-1 01 02 03 04 05 06 07", {}, "\"-1\" ist keine Zahl von 1 bis 49"},
      // A system's name is no number of it: nothing is guessed.
      {"008: 01 02 03 04 05 06 07 08", {}, "\"008:\" ist keine Zahl von 1 bis 49"},
      {"01 02 03 04 05 06 07 $F", {}, "\"$F\" ist keine Zahl von 1 bis 49"},
      {"01;02;03;04;05;06;07", {}, "\"01;02;03;0\x85\" ist keine Zahl von 1 bis 49"},
      // The first word that is no number tells, before a repetition or the count.
      {"01 01 x", {}, "\"x\" ist keine Zahl von 1 bis 49"},
  };
  for (const Case& c : cases) {
    const TicketSystem system = First(c.text);
    EXPECT_EQ(system.text, c.text);
    EXPECT_EQ(system.numbers, c.numbers) << c.text;
    EXPECT_EQ(system.problem, c.problem) << c.text;
    EXPECT_EQ(system.IsSystem(), !c.numbers.empty()) << c.text;
    EXPECT_EQ(system.IsEmpty(), c.numbers.empty() && *c.problem == '\0') << c.text;
  }
}

TEST(TicketSystems, APartialSystemMakesEveryFieldOfTheTicketUnreadable) {
  const std::string full = "03 07 12 25 33 41 44 48";
  const TicketSystems systems = ReadSystems({full, " vew 622 01 02 03 04", "", "Teilsystem"});
  EXPECT_EQ(systems[0].problem, "der Schein hat in System 2 ein Teilsystem");
  EXPECT_EQ(systems[1].problem, "Teilsysteme (VEW) werden nicht unterst\xFCtzt");
  EXPECT_TRUE(systems[2].IsEmpty());
  EXPECT_EQ(systems[3].problem, "Teilsysteme (VEW) werden nicht unterst\xFCtzt");
  for (const TicketSystem& system : systems) EXPECT_FALSE(system.IsSystem());
  EXPECT_EQ(systems[0].text, full) << "kept as it stands";

  // "VEW" only names one at the start of the field.
  EXPECT_EQ(First("01 02 03 VEW").problem, "\"VEW\" ist keine Zahl von 1 bis 49");
  EXPECT_TRUE(ReadSystems({full, full, "", ""})[1].IsSystem());
}

// The rows of every full system as the lottery's tables list them.
TEST(TicketSystems, NameAndRowsOfEveryFullSystem) {
  const int64_t published[] = {7, 28, 84, 210, 462, 924, 1716, 3003, 5005, 8008};
  for (int n = kFewestSystemNumbers; n <= kMostSystemNumbers; ++n) {
    EXPECT_EQ(SystemRows(n), published[n - kFewestSystemNumbers]) << n;
  }
  EXPECT_EQ(SystemName(8), "008");
  EXPECT_EQ(SystemName(16), "016");
  Numbers sixteen;
  for (uint8_t i = 34; i <= 49; ++i) sixteen.push_back(i);
  EXPECT_EQ(SystemSummary(First(FormatSystemValue(sixteen))), "System 016, 8.008 Tippreihen");
  EXPECT_EQ(SystemSummary(First("1 2 3 4 5 6 7")), "System 007, 7 Tippreihen");
  EXPECT_EQ(SystemSummary(First("1 2 3")), "3 Zahlen; ein System hat 7 bis 16 Zahlen");
  EXPECT_EQ(SystemSummary(First("")), "");
}

TEST(TicketSystems, WrittenLikeTheGamesShownLikeTheGameFields) {
  const TicketSystem system = First("3,7 12 25 33 41 44 48");
  EXPECT_EQ(FormatSystemValue(system.numbers), "03 07 12 25 33 41 44 48 ");
  EXPECT_EQ(SystemFieldText(system), "3 7 12 25 33 41 44 48");
  EXPECT_EQ(First(FormatSystemValue(system.numbers)).numbers, system.numbers);
  EXPECT_EQ(SystemFieldText(First("01 02 x")), "01 02 x") << "what is no system stays as it is";

  EXPECT_TRUE(IsFullSystem({1, 2, 3, 4, 5, 6, 49}));
  EXPECT_FALSE(IsFullSystem({1, 2, 3, 4, 5, 6}));
  EXPECT_FALSE(IsFullSystem({1, 2, 3, 4, 5, 6, 6}));
  EXPECT_FALSE(IsFullSystem({0, 2, 3, 4, 5, 6, 7}));
  EXPECT_FALSE(IsFullSystem({50, 2, 3, 4, 5, 6, 7}));
}

}  // namespace
}  // namespace kw
