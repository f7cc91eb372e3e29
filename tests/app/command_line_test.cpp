// The command line as the program reads it before any window exists.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "core/version.h"

namespace kw {
namespace {

struct Accepted {
  const char* name;
  std::vector<std::string> arguments;
  std::string command;
  std::map<std::string, std::string, std::less<>> options;
  friend void PrintTo(const Accepted& c, std::ostream* os) { *os << c.name; }
};

class AcceptedLines : public testing::TestWithParam<Accepted> {};

TEST_P(AcceptedLines, Parse) {
  const CommandLine line = ParseCommandLine(GetParam().arguments);
  EXPECT_EQ(line.command, GetParam().command);
  EXPECT_EQ(line.options, GetParam().options);
}

const std::string kUrl = "http://127.0.0.1:8000/subnav/gewinnzahlen-quoten/index.html";

INSTANTIATE_TEST_SUITE_P(
    Lines, AcceptedLines,
    testing::Values(
        Accepted{"NothingOpensTheWindows", {}, "", {}},
        Accepted{"ValueAsNextArgument", {"--results-url", kUrl}, "", {{"--results-url", kUrl}}},
        Accepted{"ValueAfterEquals", {"--results-url=" + kUrl}, "", {{"--results-url", kUrl}}},
        // An empty address is the address check's to refuse, with its own message.
        Accepted{"EmptyValueAfterEquals", {"--results-url="}, "", {{"--results-url", ""}}},
        Accepted{"ValueWithEquals",
                 {"--results-url", "http://a/?x=1"},
                 "",
                 {{"--results-url", "http://a/?x=1"}}},
        Accepted{"Help", {"--help"}, "--help", {}},
        Accepted{"Version", {"--version"}, "--version", {}},
        Accepted{"UpdateWithItsOptions",
                 {"--update", "--from", "01.12.2026", "--to=31.12.2026", "--archive", "a.sqlite",
                  "--results-service", "http://127.0.0.1:1/api"},
                 "--update",
                 {{"--archive", "a.sqlite"},
                  {"--from", "01.12.2026"},
                  {"--results-service", "http://127.0.0.1:1/api"},
                  {"--to", "31.12.2026"}}},
        Accepted{"CheckAfterItsOption",
                 {"--archive", "a.sqlite", "--check", "Schein.sch"},
                 "--check",
                 {{"--archive", "a.sqlite"}}},
        Accepted{
            "WindowsWithTheirArchive", {"--archive=a.sqlite"}, "", {{"--archive", "a.sqlite"}}}),
    [](const testing::TestParamInfo<Accepted>& info) { return info.param.name; });

struct Refused {
  const char* name;
  std::vector<std::string> arguments;
  std::string message;
  friend void PrintTo(const Refused& c, std::ostream* os) { *os << c.name; }
};

class RefusedLines : public testing::TestWithParam<Refused> {};

TEST_P(RefusedLines, SayWhatIsWrong) {
  try {
    ParseCommandLine(GetParam().arguments);
    FAIL() << "accepted";
  } catch (const UsageError& e) {
    EXPECT_EQ(e.what(), GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RefusedLines,
    testing::Values(
        Refused{"UnknownOption", {"--bogus"}, "unbekannte Angabe '--bogus'"},
        Refused{"QtsOwnOptionsAreNotTaken",
                {"-platform", "offscreen"},
                "unbekannte Angabe '-platform'"},
        Refused{"Positional", {"Schein.sch"}, "unerwartete Angabe 'Schein.sch'"},
        Refused{"MissingValue",
                {"--results-url"},
                "'--results-url' braucht einen Wert: --results-url URL"},
        Refused{"AnOptionIsNoValue",
                {"--results-url", "--help"},
                "'--results-url' braucht einen Wert: --results-url URL"},
        Refused{"GivenTwice",
                {"--results-url", "a", "--results-url=b"},
                "'--results-url' steht zweimal da"},
        Refused{"ValueForASwitch", {"--help=ja"}, "'--help' nimmt keinen Wert"},
        Refused{"TwoCommands",
                {"--help", "--version"},
                "'--help' und '--version': nur ein Befehl auf einmal"},
        Refused{"OptionOfTheWindowsWithACommand",
                {"--version", "--results-url", kUrl},
                "'--results-url' passt nicht zu '--version'"},
        Refused{"SingleDashHelp", {"-help"}, "unbekannte Angabe '-help'"},
        Refused{
            "CheckWithoutTicket", {"--check"}, "'--check' braucht einen Wert: --check SCHEIN.sch"},
        Refused{"FromWithoutUpdate", {"--from", "01.12.2026"}, "'--from' braucht einen Befehl"},
        Refused{"ServiceWithCheck",
                {"--check", "t.sch", "--results-service", "http://a/"},
                "'--results-service' passt nicht zu '--check'"},
        Refused{"FromWithExport",
                {"--export-draws", "z.csv", "--from", "01.12.2026"},
                "'--from' passt nicht zu '--export-draws'"}),
    [](const testing::TestParamInfo<Refused>& info) { return info.param.name; });

// Characters, not bytes: an umlaut takes one column on the terminal.
std::size_t Columns(const std::string& line) {
  std::size_t columns = 0;
  for (char c : line) columns += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return columns;
}

TEST(CommandLineHelp, NamesEveryEntryAndFitsTheTerminal) {
  const std::string help = HelpText();
  EXPECT_TRUE(help.starts_with(
      "Aufruf: kreuzwart [--archive DATEI] [--results-service URL] [--results-url URL]\n"
      "        kreuzwart --help\n"
      "        kreuzwart --version\n"))
      << help;
  for (const CommandLineEntry& entry : kCommandLine) {
    std::string form = "\n  " + std::string(entry.name);
    if (!entry.valueName.empty()) form += " " + std::string(entry.valueName);
    EXPECT_NE(help.find(form), std::string::npos) << entry.name;
    // Its help, whatever the line breaks, word by word in order.
    std::size_t at = help.find(form);
    std::istringstream words{std::string(entry.help)};
    for (std::string word; words >> word;) {
      at = help.find(word, at);
      EXPECT_NE(at, std::string::npos) << entry.name << ": " << word;
    }
  }
  std::istringstream lines(help);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_LE(Columns(line), 79u) << line;
  }
  EXPECT_NE(help.find("\u00f6ffnet es seine Fenster"), std::string::npos) << "German, in UTF-8";
  // A usage line too long for the terminal goes on below its command.
  EXPECT_NE(help.find("        kreuzwart --update [--from TT.MM.JJJJ] [--to TT.MM.JJJJ]\n"
                      "                  [--archive DATEI] [--results-service URL]\n"),
            std::string::npos)
      << help;
}

TEST(CommandLineHelp, VersionComesFromTheProject) {
  EXPECT_EQ(VersionText(), std::string("Kreuzwart ") + kVersion);
  EXPECT_NE(std::string(kVersion), "");
}

}  // namespace
}  // namespace kw
