#include "eval/editor_fields.h"

#include <gtest/gtest.h>

#include <map>

namespace kw {
namespace {

constexpr int kYear = 2026;

// Every number field "0", a lot number and an expiry, with the given fields (1 to 72) replaced.
EditorFields Typed(const std::map<int, std::string>& numbers) {
  EditorFields fields;
  fields.numbers.fill("0");
  for (const auto& [field, text] : numbers) fields.numbers[field - 1] = text;
  fields.lotNumber = "4711235";
  fields.expiryDate = "31.12.2026";
  return fields;
}

std::string Range(int game, int position) { return EditorRangeMessage(game, position); }

TEST(EditorFields, RangeMessageText) {
  EXPECT_EQ(EditorRangeMessage(3, 5), "Die Zahl in Spiel 3 an Stelle 5 ist ung\xFCltig !");
  EXPECT_EQ(EditorRangeMessage(12, 6), "Die Zahl in Spiel 12 an Stelle 6 ist ung\xFCltig !");
}

TEST(EditorFields, ShowsTheTicketAndClears) {
  EditorTicket ticket;
  ticket.games[0] = {3, 11, 24, 30, 41, 49};
  ticket.lotNumber = " 123456789";
  ticket.expiryDate = Date::FromYmd(2027, 1, 2);
  const EditorFields fields = EditorFieldsOf(ticket);
  EXPECT_EQ(fields.numbers[0], "3");
  EXPECT_EQ(fields.numbers[5], "49");
  EXPECT_EQ(fields.numbers[71], "0");
  EXPECT_EQ(fields.lotNumber, " 123456789");
  EXPECT_EQ(fields.expiryDate, "02.01.2027");

  ClearEditorTicket(ticket, Date::FromYmd(2026, 12, 1));
  EXPECT_EQ(ticket.games, Games{});
  EXPECT_EQ(ticket.lotNumber, "");
  EXPECT_EQ(ticket.expiryDate, Date::FromYmd(2026, 12, 1));
}

TEST(EditorFields, ReadsTrimmedNumbersAndTheLotNumberAsTyped) {
  EditorFields fields = Typed({{1, " 7 "}, {2, "\t49"}, {3, "$A"}, {72, "300"}});
  fields.lotNumber = " 12x ";
  fields.expiryDate = " 1.2.27 ";
  EditorTicket ticket;
  EXPECT_EQ(ReadEditorFields(fields, ticket, kYear), std::nullopt);
  EXPECT_EQ(ticket.games[0], (Game{7, 49, 10, 0, 0, 0}));
  EXPECT_EQ(ticket.games[11][5], 44) << "the field keeps the low eight bits";
  EXPECT_EQ(ticket.lotNumber, " 12x ");
  EXPECT_EQ(ticket.expiryDate, Date::FromYmd(2027, 2, 1));
}

TEST(EditorFields, AnyFieldThatDoesNotConvertGivesTheFirstMessage) {
  struct Case {
    int field;  // 0: the expiry field
    const char* text;
  };
  for (const Case& c : {Case{9, "7 8"}, Case{9, "x"}, Case{9, ""}, Case{0, "31.13.2026"},
                        Case{0, ""}, Case{0, "31.12.2026 x"}}) {
    EditorFields fields = Typed({{1, "5"}});
    (c.field ? fields.numbers[c.field - 1] : fields.expiryDate) = c.text;
    EditorTicket ticket;
    EXPECT_EQ(ReadEditorFields(fields, ticket, kYear), kEditorConversionMessage) << c.text;
  }
}

TEST(EditorFields, FailureKeepsWhatWasReadBeforeIt) {
  EditorTicket ticket;
  ticket.games[0] = {9, 9, 9, 9, 9, 9};
  ticket.lotNumber = "old";
  EditorFields fields = Typed({{1, "1"}, {2, "2"}, {3, "drei"}, {4, "4"}});
  EXPECT_EQ(ReadEditorFields(fields, ticket, kYear), kEditorConversionMessage);
  EXPECT_EQ(ticket.games[0], (Game{1, 2, 9, 9, 9, 9}));
  EXPECT_EQ(ticket.lotNumber, "old");
}

TEST(EditorFields, CheckGivesOneMessagePerProblemWithItsField) {
  // Fields counted from 1 here, as the window names them; 73 and 74 are lot number and expiry.
  using P = std::pair<std::string, int>;
  const auto game = [](int g, std::vector<std::string> six) {
    std::map<int, std::string> typed;
    for (int p = 0; p < 6; ++p) typed[(g - 1) * 6 + p + 1] = six[p];
    return typed;
  };
  const auto with = [](std::map<int, std::string> a, const std::map<int, std::string>& b) {
    a.insert(b.begin(), b.end());
    return a;
  };
  struct Case {
    const char* name;
    std::map<int, std::string> numbers;
    std::vector<P> problems;
  };
  const Case cases[] = {
      {"50 in game 2 position 4", {{10, "50"}}, {{Range(2, 4), 10}}},
      // The reading trims the field; so does the check, or it would pass what the file gets.
      {"50 with a blank after it", {{10, "50 "}}, {{Range(2, 4), 10}}},
      {"50 between blanks and a tab", {{11, " \t50 "}}, {{Range(2, 5), 11}}},
      {"49 in a full game and a game of six zeros pass",
       game(1, {"49", "1", "2", "3", "4", "5"}),
       {}},
      // Stored as a byte, 300 would pass as 44 and 256 as an empty number.
      {"300 as typed", {{13, "300"}}, {{Range(3, 1), 13}}},
      {"256 as typed", {{72, "256"}}, {{Range(12, 6), 72}}},
      {"-1", {{5, "-1"}}, {{Range(1, 5), 5}}},
      {"hexadecimal above 49", {{6, "$32"}}, {{Range(1, 6), 6}}},
      {"77 in Edit1 with an empty Edit10",
       {{1, "77"}, {10, ""}},
       {{kEditorConversionMessage, 10}, {Range(1, 1), 1}}},
      {"numbers after the failing field are checked as typed",
       {{3, "x"}, {30, "60"}},
       {{kEditorConversionMessage, 3}, {Range(5, 6), 30}}},
      {"three numbers above 49",
       {{40, "99"}, {2, "51"}, {71, "50"}},
       {{Range(1, 2), 2}, {Range(7, 4), 40}, {Range(12, 5), 71}}},
      // Five typed numbers must not turn into an empty game without a word.
      {"a 0 after five numbers",
       game(3, {"1", "2", "3", "4", "5", "0"}),
       {{EditorZeroAmongNumbersMessage(3), 18}}},
      {"a 0 before five numbers",
       game(2, {"0", "2", "3", "4", "5", "6"}),
       {{EditorZeroAmongNumbersMessage(2), 7}}},
      {"13 twice",
       game(1, {"13", "13", "19", "38", "40", "1"}),
       {{"Spiel 1: die 13 steht zweimal.", 2}}},
      {"7 three times, written as typed apart from blanks",
       game(12, {"7", " 7", "9", "07", "1", "2"}),
       {{"Spiel 12: die 7 steht dreimal.", 68}}},
      {"a game out of range is not checked for repeats as well",
       game(4, {"50", "50", "1", "2", "3", "4"}),
       {{Range(4, 1), 19}, {Range(4, 2), 20}}},
      {"games told in order after the range check",
       with(game(5, {"1", "1", "0", "2", "3", "4"}), {{1, "60"}}),
       {{Range(1, 1), 1},
        {EditorZeroAmongNumbersMessage(5), 27},
        {"Spiel 5: die 1 steht zweimal.", 26}}},
  };
  for (const Case& c : cases) {
    EditorTicket ticket;
    std::vector<P> problems;
    for (EditorProblem& p : CheckEditorFields(Typed(c.numbers), ticket, kYear)) {
      problems.emplace_back(p.message, p.field + 1);
    }
    EXPECT_EQ(problems, c.problems) << c.name;
  }
  // A bad expiry is the last field read.
  EditorFields badDate = Typed({});
  badDate.expiryDate = "31.13.2026";
  EditorTicket ticket;
  EXPECT_EQ(CheckEditorFields(badDate, ticket, kYear),
            (std::vector<EditorProblem>{{kEditorConversionMessage, kEditorExpiryField}}));
}

}  // namespace
}  // namespace kw
