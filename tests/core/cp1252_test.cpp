#include "core/cp1252.h"

#include <gtest/gtest.h>

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

TEST(Cp1252, PathsKeepTheirUmlauts) {
  EXPECT_EQ(FsPath("/tmp/Sch\xF6n.sch").string(), "/tmp/Sch\u00F6n.sch");
  EXPECT_EQ(PathText(std::filesystem::path("/tmp/Sch\u00F6n.sch")), "/tmp/Sch\xF6n.sch");
}

}  // namespace
}  // namespace kw
