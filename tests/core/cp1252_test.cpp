#include "core/cp1252.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>

namespace kw {
namespace {

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::optional<std::string> back = Utf8ToCp1252(Cp1252ToUtf8(byte));
    ASSERT_TRUE(back.has_value()) << "byte " << b;
    EXPECT_EQ(*back, byte) << "byte " << b;
  }
}

TEST(Cp1252, UmlautsEuroAndQuotesMapToTheirCharacters) {
  EXPECT_EQ(Cp1252ToUtf8("Sch\xF6ne Gr\xFC\xDF"
                         "e \x80 \x84x\x93"),
            "Sch\u00F6ne Gr\u00FC\u00DFe \u20AC \u201Ex\u201C");
  EXPECT_EQ(Utf8ToCp1252("gültig – läuft €"), std::string("g\xFCltig \x96 l\xE4uft \x80"));
}

TEST(Cp1252, CharactersWindows1252CannotHoldAreRefused) {
  EXPECT_FALSE(Utf8ToCp1252("\u0141\u00F3d\u017A").has_value()) << "Polish L with stroke";
  EXPECT_FALSE(Utf8ToCp1252("\u4E2D").has_value());
  EXPECT_FALSE(Utf8ToCp1252("\U0001F600").has_value());
  EXPECT_FALSE(Utf8ToCp1252("\xC3").has_value()) << "a cut UTF-8 sequence";
  EXPECT_FALSE(Utf8ToCp1252("\xC0\xAF").has_value()) << "an overlong form";
  EXPECT_EQ(Utf8ToCp1252Lossy("a\u4E2Db"), "a?b");
}

// U+0080 is a control character, not the euro sign that the byte 0x80 stands for.
TEST(Cp1252, TheControlCharacterU0080IsNoEuroSign) {
  EXPECT_FALSE(Utf8ToCp1252("\xC2\x80").has_value());
  EXPECT_EQ(Utf8ToCp1252Lossy("\xC2\x80"), "?");
}

// A broken sequence costs one "?" and nothing more: the letter after it stays, and nothing past
// the end of the text is read.
TEST(Cp1252, BrokenUtf8KeepsTheLettersAroundIt) {
  // Letters after a hex escape are written as escapes too: "\x61" is "a", "\x41" is "A".
  const std::pair<std::string, std::string> cases[] = {
      {"\xFF\x61", "?a"},            // a byte that starts no sequence
      {"\xC3\x41", "?A"},            // a sequence broken by a letter
      {"a\xC3", "a?"},               // cut off at the end of the text
      {"a\xE2\x82", "a??"},          // cut off after two of three bytes
      {"\xF0\x9F\x8E\x78", "???x"},  // four bytes broken by the last
  };

  for (const auto& [utf8, expected] : cases) {
    // A copy of exactly this size, so that a read past its end is caught by the sanitizers.
    const std::unique_ptr<char[]> exact(new char[utf8.size()]);
    std::copy(utf8.begin(), utf8.end(), exact.get());
    EXPECT_EQ(Utf8ToCp1252Lossy(std::string_view(exact.get(), utf8.size())), expected) << utf8;
    EXPECT_FALSE(Utf8ToCp1252(utf8).has_value()) << utf8;
  }
}

TEST(Cp1252, PathsKeepTheirUmlauts) {
  EXPECT_EQ(FsPath("/tmp/Sch\xF6n.sch").string(), "/tmp/Sch\u00F6n.sch");
  EXPECT_EQ(PathText(PathFromUtf8("/tmp/Sch\u00F6n.sch")), "/tmp/Sch\xF6n.sch");
}

}  // namespace
}  // namespace kw
