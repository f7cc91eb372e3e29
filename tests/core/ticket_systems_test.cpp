#include "core/ticket_systems.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

TicketSystem First(const std::string& text) { return ReadSystems({text, "", "", ""})[0]; }

TEST(TicketSystems, AFullSystemOrTheTextKeptWithItsReason) {
  const struct {
    const char* text;
    std::vector<uint8_t> numbers;  // of a full system
    const char* problem;
  } cases[] = {
      {"03 07 12 25 33 41 44 48 ", {3, 7, 12, 25, 33, 41, 44, 48}, ""},
      {" 49,1, 2 ,3,\t4 5 6 ", {49, 1, 2, 3, 4, 5, 6}, ""},  // the order as typed
      {"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16",
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16},
       ""},
      {"   ", {}, ""},
      {"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17",
       {},
       "17 Zahlen; ein System hat 7 bis 16 Zahlen"},
      {"01 02 03 04 05 06", {}, "6 Zahlen; ein System hat 7 bis 16 Zahlen"},
      {",", {}, "0 Zahlen; ein System hat 7 bis 16 Zahlen"},
      {"07 07 07 01 02 03 04 05 06 08", {}, "die 7 steht dreimal"},
      {"00 01 02 03 04 05 06 50", {}, "\"00\" ist keine Zahl von 1 bis 49"},
      // A system's name is no number of it: nothing is guessed.
      {"008: 01 02 03 04 05 06 07 08", {}, "\"008:\" ist keine Zahl von 1 bis 49"},
      {"007 01 02 03 04 05 06", {}, "\"007\" ist keine Zahl von 1 bis 49"},
      {"01;02;03;04;05;06;07", {}, "\"01;02;03;0\x85\" ist keine Zahl von 1 bis 49"},
  };
  for (const auto& c : cases) {
    const TicketSystem system = First(c.text);
    EXPECT_EQ(system.text, c.text);
    EXPECT_EQ(system.numbers, c.numbers) << c.text;
    EXPECT_EQ(system.problem, c.problem) << c.text;
    EXPECT_EQ(system.IsEmpty(), c.numbers.empty() && *c.problem == '\0') << c.text;
  }
}

TEST(TicketSystems, APartialSystemMakesEveryFieldOfTheTicketUnreadable) {
  const std::string full = "03 07 12 25 33 41 44 48";
  const TicketSystems systems = ReadSystems({full, " vew 622 01 02 03 04", "", "Teilsystem"});
  EXPECT_EQ(systems[0].problem, "der Schein hat in System 2 ein Teilsystem");
  EXPECT_EQ(systems[1].problem, "Teilsysteme (VEW) werden nicht unterst\xFCtzt");
  EXPECT_TRUE(systems[2].IsEmpty());
  EXPECT_EQ(systems[3].problem, systems[1].problem);
  EXPECT_EQ(First("01 02 03 VEW").problem, "\"VEW\" ist keine Zahl von 1 bis 49");
}

TEST(TicketSystems, RowsAndWhatTheEditorShows) {
  const int64_t published[] = {7, 28, 84, 210, 462, 924, 1716, 3003, 5005, 8008};
  for (int n = kFewestSystemNumbers; n <= kMostSystemNumbers; ++n) {
    EXPECT_EQ(SystemRows(n), published[n - kFewestSystemNumbers]) << n;
  }
  EXPECT_EQ(SystemSummary(First("34 35 36 37 38 39 40 41 42 43 44 45 46 47 48 49")),
            "System 016, 8.008 Tippreihen");
  EXPECT_EQ(SystemSummary(First("1 2 3")), "3 Zahlen; ein System hat 7 bis 16 Zahlen");
  const TicketSystem system = First("3,9 10 25 33 41 44 48");
  EXPECT_EQ(FormatSystemValue(system.numbers), "03 09 10 25 33 41 44 48 ");
  EXPECT_EQ(SystemFieldText(system), "3 9 10 25 33 41 44 48");
}

}  // namespace
}  // namespace kw
