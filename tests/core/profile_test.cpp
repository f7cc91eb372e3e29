#include "core/profile.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "tests/support/temp_dir.h"

namespace kw {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(ProfileRead, FindsSectionsAndKeysWithoutRegardToCase) {
  const Profile p =
      Profile::Parse("[Schein]\r\nSpiel1=01 02 03 04 05 06 \r\nLOSNUMMER=1234567\r\n");
  EXPECT_EQ(p.Read("schein", "spiel1"), "01 02 03 04 05 06");
  EXPECT_EQ(p.Read("SCHEIN", "Losnummer"), "1234567");
  EXPECT_EQ(p.Read("Schein", "Ablauf"), "");
  EXPECT_EQ(p.Read("Zahlen", "Spiel1"), "");

  // The first and the last letter, and the characters next to them, which are no letters.
  const Profile q = Profile::Parse("[Zahlen]\r\nAZ=1\r\n@[=2\r\n");
  EXPECT_EQ(q.Read("zAHLEN", "az"), "1");
  EXPECT_EQ(q.Read("ZAHLEN", "Az"), "1");
  EXPECT_EQ(q.Read("Zahlen", "`{"), "") << "'@' and '[' have no lower case";
}

TEST(ProfileRead, TrimsBlanksAroundNamesAndValues) {
  const Profile p = Profile::Parse(" [ Zahlen ] trailing text\n\t Mittwoch \t=  0102 \x1A\n");
  EXPECT_EQ(p.Read("Zahlen", "Mittwoch"), "0102");
}

// Windows trims the bytes 9 to 13 as blanks: a form feed or a vertical tab at the end of a line
// or a value is no part of it.
TEST(ProfileRead, FormFeedAndVerticalTabAreBlanks) {
  const Profile p = Profile::Parse("\v[Zahlen]\f\r\nSamstag=0102\f\r\nMittwoch\v=0304\v\r\n");
  EXPECT_EQ(p.Read("Zahlen", "Samstag"), "0102");
  EXPECT_EQ(p.Read("Zahlen", "Mittwoch"), "0304");
  EXPECT_EQ(Profile::Parse("[S]\r\nk=\t\n\v\f\r\x1A\r\n").Read("S", "k"), "");
}

TEST(ProfileRead, CommentsQuotesAndLinesWithoutValue) {
  const Profile p = Profile::Parse(
      "a=before any section\n"
      "[S]\n"
      "; a=comment\n"
      "  ;b=comment too\n"
      "c=1 ;not a comment\n"
      "#d=4\n"
      "e=\"quoted\"\n"
      "f='single'\n"
      "g=\"inner \"quotes\" stay\"\n"
      "h=\"unbalanced\n"
      "i=\"\n"
      "l=\"\"\n"
      "m=''\n"
      "j\n"
      "[broken\n"
      "k=still in S\n");
  EXPECT_EQ(p.Read("S", "a"), "");
  EXPECT_EQ(p.Read("S", "b"), "");
  EXPECT_EQ(p.Read("S", "c"), "1 ;not a comment");
  EXPECT_EQ(p.Read("S", "#d"), "4");
  EXPECT_EQ(p.Read("S", "e"), "quoted");
  EXPECT_EQ(p.Read("S", "f"), "single");
  EXPECT_EQ(p.Read("S", "g"), "inner \"quotes\" stay");
  EXPECT_EQ(p.Read("S", "h"), "\"unbalanced");
  EXPECT_EQ(p.Read("S", "i"), "\"");
  EXPECT_EQ(p.Read("S", "l"), "") << "two quotes and nothing inside";
  EXPECT_EQ(p.Read("S", "m"), "");
  EXPECT_EQ(p.Read("S", "j"), "");
  EXPECT_EQ(p.Read("S", "k"), "still in S");
}

TEST(ProfileRead, FirstSectionAndFirstKeyWin) {
  const Profile p = Profile::Parse("[S]\nk=1\nk=2\n[s]\nk=3\nm=4\n");
  EXPECT_EQ(p.Read("S", "k"), "1");
  EXPECT_EQ(p.Read("S", "m"), "") << "a later section of the same name is not read";
}

TEST(ProfileRead, LineEndsOfEveryKindAndByteOrderMark) {
  for (const char* bytes : {"[S]\r\nk=v\r\nl=w", "[S]\nk=v\nl=w\n", "[S]\rk=v\rl=w\r",
                            "\xEF\xBB\xBF[S]\r\nk=v\r\nl=w\r\n"}) {
    const Profile p = Profile::Parse(bytes);
    EXPECT_EQ(p.Read("S", "k"), "v") << bytes;
    EXPECT_EQ(p.Read("S", "l"), "w") << bytes;
  }
}

TEST(ProfileRead, MissingFileReadsEmptyAndAFolderIsRefused) {
  TempDir dir;
  EXPECT_EQ(ReadProfileString(dir / "none.ini", "S", "k"), "");
  try {
    ReadProfileString(dir.path(), "S", "k");
    FAIL() << "read a folder";
  } catch (const ReadError& e) {
    EXPECT_EQ(e.what(), "'" + dir.path().string() + "' ist ein Ordner und keine Datei");
  }
}

struct WriteCase {
  const char* name;
  const char* before;
  const char* section;
  const char* key;
  const char* value;
  const char* after;
};

class ProfileWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, ChangesOneKeyAndKeepsEveryOtherLine) {
  const WriteCase& c = GetParam();
  EXPECT_EQ(ApplyProfileWrite(c.before, c.section, c.key, c.value), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileWrite,
    testing::Values(
        WriteCase{"NewFile", "", "Einstellungen", "Schein", "a.sch",
                  "[Einstellungen]\r\nSchein=a.sch\r\n"},
        WriteCase{"ReplaceKeepsLineEnd", "[S]\nk = old \n; note\n", "s", "K", "new",
                  "[S]\nK=new\n; note\n"},
        WriteCase{"NewKeyAfterLastKeyOfSection", "[S]\r\na=1\r\nb=2\r\n\r\n[T]\r\nc=3\r\n", "S",
                  "k", "v", "[S]\r\na=1\r\nb=2\r\nk=v\r\n\r\n[T]\r\nc=3\r\n"},
        WriteCase{"NewKeyInEmptySection", "[S]\r\n[T]\r\n", "S", "k", "v", "[S]\r\nk=v\r\n[T]\r\n"},
        WriteCase{"NewSectionAtTheEnd", "; hand-made\r\n[T]\r\nc=3\r\n", "S", "k", "v",
                  "; hand-made\r\n[T]\r\nc=3\r\n[S]\r\nk=v\r\n"},
        WriteCase{"LastLineWithoutLineEnd", "[T]\r\nc=3", "S", "k", "v",
                  "[T]\r\nc=3\r\n[S]\r\nk=v\r\n"},
        WriteCase{"NewKeyAfterUnterminatedLastLine", "[S]\r\na=1", "S", "k", "v",
                  "[S]\r\na=1\r\nk=v\r\n"},
        WriteCase{"EmptyValue", "[S]\r\nk=v\r\n", "S", "k", "", "[S]\r\nk=\r\n"},
        WriteCase{"MissingKeyGoesIntoTheFirstOfTwoSections", "[S]\r\na=1\r\n[s]\r\nk=2\r\n", "S",
                  "k", "v", "[S]\r\na=1\r\nk=v\r\n[s]\r\nk=2\r\n"},
        WriteCase{"NamesMatchWhateverTheirCase", "[ZAHLEN]\r\nSAMSTAG=1\r\n", "zahlen", "samstag",
                  "2", "[ZAHLEN]\r\nsamstag=2\r\n"},
        WriteCase{"OnlyTheFirstOfTwoKeys", "[S]\r\nk=1\r\nk=2\r\n", "S", "k", "3",
                  "[S]\r\nk=3\r\nk=2\r\n"},
        WriteCase{"CommentedKeyIsNoKey", "[S]\r\n;k=1\r\n", "S", "k", "2",
                  "[S]\r\nk=2\r\n;k=1\r\n"},
        WriteCase{"ByteOrderMarkAndUmlautsStay", "\xEF\xBB\xBF[S]\r\nx=Gr\xFC\xDF\r\n", "S", "k",
                  "v", "\xEF\xBB\xBF[S]\r\nx=Gr\xFC\xDF\r\nk=v\r\n"}),
    [](const testing::TestParamInfo<WriteCase>& info) { return info.param.name; });

TEST(ProfileWriteFile, CreatesTheFileAndReadsBack) {
  TempDir dir;
  const auto file = dir / "ZW.INI";
  WriteProfileString(file, "Einstellungen", "Schein", "C:\\Lotto\\a.sch");
  WriteProfileString(file, "Zahlen", "Mittwoch", "0102");
  EXPECT_EQ(ReadFile(file),
            "[Einstellungen]\r\nSchein=C:\\Lotto\\a.sch\r\n[Zahlen]\r\nMittwoch=0102\r\n");
  EXPECT_EQ(ReadProfileString(file, "zahlen", "mittwoch"), "0102");
  EXPECT_FALSE(std::filesystem::exists(dir / "ZW.INI.tmp")) << "no temporary file stays";
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(ProfileWriteFile, FailedWriteRaisesTheTextAndLeavesTheOldFile) {
  TempDir dir;
  WriteFile(dir / "plain", "not a folder");
  const auto below = dir / "plain" / "ZW.INI";
  try {
    WriteProfileString(below, "S", "k", "v");
    FAIL() << "wrote below a regular file";
  } catch (const WriteError& e) {
    EXPECT_EQ(e.what(), "Unable to write to " + below.string());
  }

  // A folder in the way of the file: the write fails and the folder stays as it was.
  std::filesystem::create_directory(dir / "ZW.INI");
  EXPECT_THROW(WriteProfileString(dir / "ZW.INI", "S", "k", "v"), WriteError);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "ZW.INI"));
}

TEST(ProfileWriteFile, ALineBreakCannotSmuggleInAnotherKey) {
  TempDir dir;
  const auto file = dir / "ZW.INI";
  WriteFile(file, "[Zahlen]\r\nSamstag=0102\r\n");
  EXPECT_THROW(WriteProfileString(file, "Einstellungen", "Schein", "/tmp/a\n[Zahlen]\nSamstag=x"),
               WriteError);
  EXPECT_EQ(ReadFile(file), "[Zahlen]\r\nSamstag=0102\r\n");

  // A section or key name holding a line break would start a section or key of its own.
  EXPECT_THROW(WriteProfileString(file, "Einstellungen]\r\n[Zahlen", "Samstag", "x"), WriteError);
  EXPECT_THROW(WriteProfileString(file, "Zahlen", "Schein\nSamstag", "x"), WriteError);
  EXPECT_THROW(WriteProfileString(file, "Zahlen", "Samstag\r", "x"), WriteError);
  EXPECT_EQ(ReadFile(file), "[Zahlen]\r\nSamstag=0102\r\n");
}

}  // namespace
}  // namespace kw
