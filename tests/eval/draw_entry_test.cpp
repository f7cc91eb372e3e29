#include "eval/draw_entry.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace kw {
namespace {

constexpr int kSpiel77 = 8;
constexpr int kSuper6 = 9;

DrawEntry CompleteEntry() {
  return {{"3", "12", "19", "25", "40", "44", "7", "5"}, "9911235", "000235"};
}

struct CheckCase {
  const char* name;
  std::vector<std::pair<int, std::string>> changes;  // field (0-7 numbers, 8, 9), new text
  std::optional<std::string_view> message;
  friend void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }
};

class CheckDrawEntryTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckDrawEntryTest, RefusesWithTheFirstFailingTestsMessage) {
  DrawEntry entry = CompleteEntry();
  for (const auto& [field, text] : GetParam().changes) {
    std::string& target = field == kSpiel77  ? entry.spiel77Text
                          : field == kSuper6 ? entry.super6Text
                                             : entry.numberTexts[field];
    target = text;
  }
  EXPECT_EQ(CheckDrawEntry(entry), GetParam().message);
}

const std::string_view kMissing = kMissingNumbersMessage;
const std::vector<std::pair<int, std::string>> kAllEmpty = {
    {0, ""}, {1, ""}, {2, ""}, {3, ""}, {4, ""}, {5, ""}, {6, ""}, {7, ""}, {8, ""}, {9, ""}};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Fields, CheckDrawEntryTest,
    ::testing::Values(
        CheckCase{"Complete", {}, std::nullopt},
        CheckCase{"AllEmpty", kAllEmpty, kMissing},
        CheckCase{"FirstNumberEmpty", {{0, ""}}, kMissing},
        CheckCase{"SixthNumberBlanks", {{5, "  "}}, kMissing},
        CheckCase{"ZusatzzahlZero", {{6, "0"}}, kMissing},
        CheckCase{"ZeroWithTabAround", {{2, "\t0 "}}, kMissing},
        CheckCase{"MissingNumberBeatsBadLengths", {{4, "0"}, {8, "1"}, {9, ""}}, kMissing},
        CheckCase{"BlankAroundNumberPasses", {{1, " 12 "}}, std::nullopt},
        CheckCase{"DoubleZeroPasses", {{0, "00"}}, std::nullopt},
        CheckCase{"LettersPass", {{3, "ab"}}, std::nullopt},
        CheckCase{"SuperzahlNotLookedAt", {{7, ""}}, std::nullopt},
        CheckCase{"Spiel77SixCharacters", {{8, "991123"}}, kSpiel77LengthMessage},
        CheckCase{"Spiel77EightCharacters", {{8, "99112350"}}, kSpiel77LengthMessage},
        CheckCase{"Spiel77AnySevenCharacters", {{8, " ab  x "}}, std::nullopt},
        CheckCase{"Spiel77BeatsSuper6", {{8, ""}, {9, ""}}, kSpiel77LengthMessage},
        CheckCase{"Super6Short", {{9, "00235"}}, kSuper6LengthMessage},
        CheckCase{"Super6Untrimmed", {{9, "000235 "}}, kSuper6LengthMessage}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// The messages are Windows-1252 bytes, as the windows expect them: one byte for the sharp s.
TEST(DrawEntryMessagesTest, AreSingleByteText) {
  for (std::string_view message : {kSpiel77LengthMessage, kSuper6LengthMessage}) {
    EXPECT_NE(message.find(" mu\xDF "), std::string_view::npos) << message;
  }
}

}  // namespace
}  // namespace kw
