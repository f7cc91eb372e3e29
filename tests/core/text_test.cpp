#include "core/text.h"

#include <gtest/gtest.h>

#include "core/error.h"

namespace kw {
namespace {

struct IntCase {
  const char* text;
  int32_t value;
};

class ValidIntegers : public testing::TestWithParam<IntCase> {};

TEST_P(ValidIntegers, Convert) { EXPECT_EQ(StrToInt(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(
    DecimalHexAndBlanks, ValidIntegers,
    testing::Values(IntCase{"0", 0}, IntCase{"7", 7}, IntCase{"07", 7}, IntCase{"49", 49},
                    IntCase{"+5", 5}, IntCase{"-1", -1}, IntCase{"-0", 0}, IntCase{"00", 0},
                    IntCase{" 3", 3}, IntCase{"   42", 42}, IntCase{" -12", -12},
                    IntCase{"$1F", 31}, IntCase{"$1A", 26}, IntCase{"$ff", 255}, IntCase{"x10", 16},
                    IntCase{"X1a", 26}, IntCase{"0x10", 16}, IntCase{"0XaB", 171},
                    IntCase{"2147483647", 2147483647}, IntCase{"-2147483648", INT32_MIN},
                    IntCase{"$7FFFFFFF", 2147483647}, IntCase{"000000000000012", 12}));

class InvalidIntegers : public testing::TestWithParam<const char*> {};

TEST_P(InvalidIntegers, FailWithTheProgramsText) {
  const std::string text = GetParam();
  try {
    StrToInt(text);
    FAIL() << "converted '" << text << "'";
  } catch (const ConversionError& e) {
    EXPECT_EQ(e.what(), "'" + text + "' is not a valid integer value");
  }
  int32_t value = 99;
  EXPECT_FALSE(TryStrToInt(text, value));
  EXPECT_EQ(value, 99) << "a failed conversion must not store anything";
}

INSTANTIATE_TEST_SUITE_P(EmptySignsBlanksRangeAndLetters, InvalidIntegers,
                         testing::Values("", " ", "1 ", "3\t", "\t3", "+", "-", "+-1", "--1", "$",
                                         "x", "0x", "0X", "-$1", "+0x1", "$G", "0x1g", "$1g", "x1g",
                                         "X1G", "1.0", "1,0", "a", "5a", "2147483648",
                                         "-2147483649", "$80000000", "0xFFFFFFFF",
                                         "99999999999999999999", "1e3"));

TEST(EqualsNoCase, OnlyTheLettersAToZHaveACase) {
  EXPECT_TRUE(EqualsNoCase("Zahlen", "zAHLEN"));
  EXPECT_TRUE(EqualsNoCase("", ""));
  EXPECT_FALSE(EqualsNoCase("Zahlen", "Zahle"));
  EXPECT_FALSE(EqualsNoCase("@[", "`{")) << "the codes next to the letters";
  EXPECT_FALSE(EqualsNoCase("\xC4", "\xE4")) << "an umlaut keeps its case, as Windows-1252";
}

TEST(Trim, TheViewIsTheSameTextUncopied) {
  const std::string_view text = " \t7 8\r\n";
  const std::string_view trimmed = TrimView(text);
  EXPECT_EQ(trimmed, "7 8");
  EXPECT_EQ(trimmed.data(), text.data() + 2);
  EXPECT_EQ(TrimView("\x01\x20"), "");
}

TEST(Trim, RemovesEveryCodeUpTo32AtBothEnds) {
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(Trim(" \t\r\n"), "");
  EXPECT_EQ(Trim("\x01 12 \x1F"), "12");
  EXPECT_EQ(Trim(" a b "), "a b");
  EXPECT_EQ(Trim(" !a! "), "!a!") << "33 is the first code kept";
  EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0") << "a no-break space (160) is no blank";
}

TEST(LowByte, KeepsTheLowEightBits) {
  EXPECT_EQ(LowByte(300), 44);
  EXPECT_EQ(LowByte(-1), 255);
  EXPECT_EQ(LowByte(256), 0);
  EXPECT_EQ(LowByte(INT32_MIN), 0);
}

TEST(FixedText, CutsOnAssignment) {
  FixedText<7> lot("123456789");
  EXPECT_EQ(lot.str(), "1234567");
  lot = "12";
  EXPECT_EQ(lot.str(), "12");
  lot = std::string("abcdefgh");
  EXPECT_EQ(lot.str(), "abcdefg");
  FixedText<8> date;
  EXPECT_TRUE(date.empty());
  date = "10.12.2026";
  EXPECT_EQ(date.str(), "10.12.20");
}

}  // namespace
}  // namespace kw
