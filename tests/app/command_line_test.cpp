// The command line as the program reads it before any window exists.
#include "app/command_line.h"
#include "app/help_text.h"
#include "app/man_page.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <vector>

#include "core/version.h"

namespace kw {
namespace {

// What a command line should give, field by field; a field left out is expected empty.
struct Accepted {
  const char* name = "";
  std::vector<std::string> arguments{};
  Command command = Command::Windows;
  std::vector<std::string> tickets{};
  std::string drawsFile{};
  std::optional<Date> from{};
  std::optional<Date> to{};
  std::optional<std::string> archive{};
  std::optional<std::string> resultsUrl{};
  std::optional<std::string> resultsService{};
  friend void PrintTo(const Accepted& c, std::ostream* os) { *os << c.name; }
};

class AcceptedLines : public testing::TestWithParam<Accepted> {};

std::optional<std::string> Text(const std::optional<std::filesystem::path>& path) {
  if (!path) return std::nullopt;
  return path->string();
}

TEST_P(AcceptedLines, Parse) {
  const Accepted& want = GetParam();
  const CommandLine line = ParseCommandLine(want.arguments);
  EXPECT_EQ(line.command, want.command);
  EXPECT_EQ(line.tickets, want.tickets);
  EXPECT_EQ(line.drawsFile.string(), want.drawsFile);
  EXPECT_EQ(line.from, want.from);
  EXPECT_EQ(line.to, want.to);
  EXPECT_EQ(Text(line.archive), want.archive);
  EXPECT_EQ(line.resultsUrl, want.resultsUrl);
  EXPECT_EQ(line.resultsService, want.resultsService);
}

const std::string kUrl = "http://127.0.0.1:8000/subnav/gewinnzahlen-quoten/index.html";

INSTANTIATE_TEST_SUITE_P(
    Lines, AcceptedLines,
    testing::Values(
        Accepted{.name = "NothingOpensTheWindows"},
        Accepted{.name = "ValueAsNextArgument",
                 .arguments = {"--results-url", kUrl},
                 .resultsUrl = kUrl},
        Accepted{
            .name = "ValueAfterEquals", .arguments = {"--results-url=" + kUrl}, .resultsUrl = kUrl},
        // The page's address is kept as the download compares it: encoded, query and all.
        Accepted{.name = "PageAddressEncodedWithItsQuery",
                 .arguments = {"--results-url", "http://Lotto.example/Zahlen-\u00e4/?x=1"},
                 .resultsUrl = "http://lotto.example/Zahlen-%C3%A4/?x=1"},
        Accepted{.name = "Help", .arguments = {"--help"}, .command = Command::Help},
        Accepted{.name = "Version", .arguments = {"--version"}, .command = Command::Version},
        Accepted{.name = "UpdateWithItsOptions",
                 .arguments = {"--update", "--from", "01.12.2026", "--to=31.12.2026", "--archive",
                               "a.sqlite", "--results-service", "http://127.0.0.1:1/api"},
                 .command = Command::Update,
                 .from = Date::FromYmd(2026, 12, 1),
                 .to = Date::FromYmd(2026, 12, 31),
                 .archive = "a.sqlite",
                 .resultsService = "http://127.0.0.1:1/api"},
        Accepted{.name = "UpdateOfOneDay",
                 .arguments = {"--update", "--from", "29.02.2028", "--to", "29.02.2028"},
                 .command = Command::Update,
                 .from = Date::FromYmd(2028, 2, 29),
                 .to = Date::FromYmd(2028, 2, 29)},
        Accepted{.name = "ServiceOverHttpsWithPortAndSlash",
                 .arguments = {"--update", "--results-service=https://Spiegel.example:8443/api/"},
                 .command = Command::Update,
                 .resultsService = "https://spiegel.example:8443/api/"},
        Accepted{.name = "ServiceWithoutPath",
                 .arguments = {"--update", "--results-service", "http://127.0.0.1:8080"},
                 .command = Command::Update,
                 .resultsService = "http://127.0.0.1:8080"},
        // A ticket is any argument that is no option, wherever it stands.
        Accepted{.name = "TicketOpensTheWindows",
                 .arguments = {"Schein.sch"},
                 .tickets = {"Schein.sch"}},
        Accepted{.name = "TicketAmongTheWindowsOptions",
                 .arguments = {"--archive", "a.sqlite", "/home/x/Mein Schein.sch",
                               "--results-url=" + kUrl},
                 .tickets = {"/home/x/Mein Schein.sch"},
                 .archive = "a.sqlite",
                 .resultsUrl = kUrl},
        Accepted{.name = "AfterDoubleDashEvenAnOptionIsATicket",
                 .arguments = {"--archive", "a.sqlite", "--", "--check"},
                 .tickets = {"--check"},
                 .archive = "a.sqlite"},
        Accepted{.name = "CheckOfSeveralInTheirOrder",
                 .arguments = {"b.sch", "--check", "a.sch", "--archive", "z.sqlite", "c.sch"},
                 .command = Command::Check,
                 .tickets = {"b.sch", "a.sch", "c.sch"},
                 .archive = "z.sqlite"},
        Accepted{.name = "CheckAfterEquals",
                 .arguments = {"--check=a.sch", "b.sch"},
                 .command = Command::Check,
                 .tickets = {"a.sch", "b.sch"}},
        Accepted{.name = "CheckOfTheSameTicketTwice",
                 .arguments = {"--check", "a.sch", "a.sch"},
                 .command = Command::Check,
                 .tickets = {"a.sch", "a.sch"}},
        Accepted{.name = "CheckAfterItsOption",
                 .arguments = {"--archive", "a.sqlite", "--check", "Schein.sch"},
                 .command = Command::Check,
                 .tickets = {"Schein.sch"},
                 .archive = "a.sqlite"},
        Accepted{.name = "ImportFile",
                 .arguments = {"--import-draws", "LOTTO_ab_2018.csv"},
                 .command = Command::ImportDraws,
                 .drawsFile = "LOTTO_ab_2018.csv"},
        Accepted{.name = "ExportFileAfterEquals",
                 .arguments = {"--export-draws=z.csv"},
                 .command = Command::ExportDraws,
                 .drawsFile = "z.csv"},
        Accepted{.name = "WindowsWithTheirArchive",
                 .arguments = {"--archive=a.sqlite"},
                 .archive = "a.sqlite"}),
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
        Refused{"MissingValue",
                {"--results-url"},
                "'--results-url' braucht einen Wert: --results-url URL"},
        Refused{"AnOptionIsNoValue",
                {"--results-url", "--help"},
                "'--results-url' braucht einen Wert: --results-url URL"},
        Refused{"GivenTwice",
                {"--results-url", "http://a/", "--results-url=http://b/"},
                "'--results-url' steht zweimal da"},
        Refused{"ValueForASwitch", {"--help=ja"}, "'--help' nimmt keinen Wert"},
        Refused{"TwoCommands",
                {"--help", "--version"},
                "'--help' und '--version': nur ein Befehl auf einmal"},
        Refused{"OptionOfTheWindowsWithACommand",
                {"--version", "--results-url", kUrl},
                "'--results-url' passt nicht zu '--version'"},
        Refused{"SingleDashHelp", {"-help"}, "unbekannte Angabe '-help'"},
        Refused{"DashAlone", {"-"}, "unbekannte Angabe '-'"},
        // The tickets: one for the windows, one or more for --check, none for the others.
        Refused{"TwoTicketsForTheWindows",
                {"a.sch", "b.sch"},
                "'b.sch': die Fenster \u00f6ffnen einen Schein; mehrere pr\u00fcft --check"},
        Refused{"CheckWithoutTicket",
                {"--check", "--archive", "a.sqlite"},
                "'--check' braucht mindestens einen Schein: --check SCHEIN.sch [SCHEIN.sch ...]"},
        Refused{"CheckWithEmptyEquals", {"--check="}, "ein leerer Dateiname ist kein Spielschein"},
        Refused{"EmptyTicket", {"--check", ""}, "ein leerer Dateiname ist kein Spielschein"},
        Refused{"SecondFileForImport",
                {"--import-draws", "a.csv", "b.csv"},
                "unerwartete Angabe 'b.csv'"},
        Refused{"TicketWithHelp", {"a.sch", "--help"}, "unerwartete Angabe 'a.sch'"},
        Refused{"FromWithoutUpdate", {"--from", "01.12.2026"}, "'--from' braucht einen Befehl"},
        Refused{"ServiceWithCheck",
                {"--check", "t.sch", "--results-service", "http://a/"},
                "'--results-service' passt nicht zu '--check'"},
        Refused{"FromWithExport",
                {"--export-draws", "z.csv", "--from", "01.12.2026"},
                "'--from' passt nicht zu '--export-draws'"},
        // The dates: exactly TT.MM.JJJJ, a day that exists, the first not after the last.
        Refused{"DateWithoutLeadingZero",
                {"--update", "--from", "1.12.2026"},
                "--from: '1.12.2026' ist kein Datum TT.MM.JJJJ"},
        Refused{"DayThatDoesNotExist",
                {"--update", "--to", "29.02.2027"},
                "--to: '29.02.2027' ist kein Datum TT.MM.JJJJ"},
        Refused{"IsoDate",
                {"--update", "--from", "2026-12-01"},
                "--from: '2026-12-01' ist kein Datum TT.MM.JJJJ"},
        Refused{"EmptyDate", {"--update", "--to="}, "--to: '' ist kein Datum TT.MM.JJJJ"},
        Refused{"FirstDayAfterTheLast",
                {"--update", "--from", "02.12.2026", "--to", "01.12.2026"},
                "--from 02.12.2026 liegt nach --to 01.12.2026"},
        // The page's address: an http or https address with a host.
        Refused{"PageOverFtp",
                {"--results-url", "ftp://lotto.de/x"},
                "--results-url: 'ftp://lotto.de/x' ist keine http- oder https-Adresse"},
        Refused{"EmptyPage",
                {"--results-url="},
                "--results-url: '' ist keine http- oder https-Adresse"},
        Refused{"PageWithoutHost",
                {"--results-url", "http:///index.html"},
                "--results-url: 'http:///index.html' ist keine http- oder https-Adresse"},
        // The service's address: its paths are appended, so nothing may follow the path.
        Refused{"ServiceOverFtp",
                {"--update", "--results-service", "ftp://x/"},
                "--results-service: 'ftp://x/' ist keine http- oder https-Adresse"},
        Refused{"ServiceWithoutScheme",
                {"--update", "--results-service", "www.lotto.de/api"},
                "--results-service: 'www.lotto.de/api' ist keine http- oder https-Adresse"},
        Refused{"ServiceWithoutHost",
                {"--update", "--results-service", "https:/api"},
                "--results-service: 'https:/api' ist keine http- oder https-Adresse"},
        Refused{"ServiceWithBadPort",
                {"--update", "--results-service", "http://127.0.0.1:99999/api"},
                "--results-service: 'http://127.0.0.1:99999/api' ist keine http- oder "
                "https-Adresse"},
        Refused{"ServiceWithQuery",
                {"--update", "--results-service", "https://a.example/api?key=1"},
                "--results-service: 'https://a.example/api?key=1' ist keine Adresse eines "
                "Dienstes: sie darf kein ? und kein # enthalten"},
        Refused{"ServiceWithEmptyQuery",
                {"--update", "--results-service", "https://a.example/api?"},
                "--results-service: 'https://a.example/api?' ist keine Adresse eines Dienstes: "
                "sie darf kein ? und kein # enthalten"},
        Refused{"ServiceWithFragment",
                {"--update", "--results-service", "https://a.example/api#zahlen"},
                "--results-service: 'https://a.example/api#zahlen' ist keine Adresse eines "
                "Dienstes: sie darf kein ? und kein # enthalten"},
        // The results page's own address is no service address.
        Refused{"ThePageIsNoService",
                {"--update", "--results-service",
                 "http://www.lotto.de/subnav/gewinnzahlen-quoten/index.html#top"},
                "--results-service: "
                "'http://www.lotto.de/subnav/gewinnzahlen-quoten/index.html#top' ist keine "
                "Adresse eines Dienstes: sie darf kein ? und kein # enthalten"}),
    [](const testing::TestParamInfo<Refused>& info) { return info.param.name; });

// Characters, not bytes: an umlaut takes one column on the terminal.
std::size_t Columns(const std::string& line) {
  std::size_t columns = 0;
  for (char c : line) columns += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return columns;
}

TEST(CommandLineHelp, NamesEveryEntryAndFitsTheTerminal) {
  const std::string help = HelpText();
  EXPECT_TRUE(
      help.starts_with("Aufruf: kreuzwart [SCHEIN.sch] [--archive DATEI] [--results-service URL]\n"
                       "                  [--results-url URL]\n"
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
  EXPECT_NE(help.find("        kreuzwart --check SCHEIN.sch [SCHEIN.sch ...] [--archive DATEI]\n"),
            std::string::npos)
      << help;
}

// The page as a reader sees its text: the groff escapes the page uses turned back into the
// characters they stand for, the font changes dropped.
std::string Unroff(const std::string& page) {
  std::string text;
  for (std::size_t i = 0; i < page.size(); ++i) {
    if (page[i] != '\\') {
      text += page[i];
      continue;
    }
    const std::string rest = page.substr(i + 1, 2);
    if (page.compare(i + 1, 3, "[u0") == 0) {
      const char32_t code = std::stoul(page.substr(i + 3, 4), nullptr, 16);
      // The page's texts need two bytes of UTF-8 at most (umlauts, sharp s).
      text += static_cast<char>(0xC0 | (code >> 6));
      text += static_cast<char>(0x80 | (code & 0x3F));
      i += 7;
    } else if (rest == "(t" || rest == "(a") {
      text += rest == "(t" ? '~' : '\'';
      i += 3;
    } else if (rest[0] == 'f') {
      i += 2;
    } else if (rest[0] == '-' || rest[0] == ' ') {
      text += rest[0];
      i += 1;
    } else if (rest[0] == '&') {
      i += 1;
    } else {
      text += page.substr(i, 2);  // a comment line's escape stays as it is
      i += 1;
    }
  }
  return text;
}

TEST(CommandLineManPage, ListsEveryEntryOfTheTableWithItsHelp) {
  const std::string page = ManPage("2026-12-08");
  const std::string text = Unroff(page);
  EXPECT_TRUE(text.starts_with(".\\\" kreuzwart(1)")) << text;
  EXPECT_NE(
      text.find("\n.TH KREUZWART 1 \"2026-12-08\" \"Kreuzwart " + std::string(kVersion) + "\""),
      std::string::npos);
  EXPECT_NE(text.find("\n.SH BEZEICHNUNG\nkreuzwart - pr\u00fcft Spielscheine"), std::string::npos)
      << "the whatis line that apropos reads";
  for (const CommandLineEntry& entry : kCommandLine) {
    std::string form = "\n.TP\n" + std::string(entry.name);
    if (!entry.valueName.empty()) form += " " + std::string(entry.valueName);
    std::size_t at = text.find(form);
    ASSERT_NE(at, std::string::npos) << entry.name;
    std::istringstream words{std::string(entry.help)};
    for (std::string word; words >> word;) {
      at = text.find(word, at);
      EXPECT_NE(at, std::string::npos) << entry.name << ": " << word;
    }
    // Each command has a form of its own in the synopsis.
    if (entry.kind == CommandLineEntry::Kind::Command) {
      EXPECT_NE(text.find(".SY kreuzwart\n" + std::string(entry.name)), std::string::npos)
          << entry.name;
    }
  }
  EXPECT_NE(text.find(".SY kreuzwart\n--check SCHEIN.sch [SCHEIN.sch ...]\n[--archive DATEI]\n.YS"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find(".SY kreuzwart\n[SCHEIN.sch]\n[--archive DATEI]\n"), std::string::npos)
      << text;
}

TEST(CommandLineManPage, IsPlainRoffInAnyLocale) {
  const std::string page = ManPage("2026-12-08");
  std::istringstream lines(page);
  for (std::string line; std::getline(lines, line);) {
    for (char c : line) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << line;
    // A line that begins with a control character is a request the page means.
    if (line.starts_with('.') || line.starts_with('\'')) {
      const std::string request = line.substr(0, line.find(' '));
      EXPECT_TRUE(request == ".\\\"" || request == ".TH" || request == ".SH" || request == ".SY" ||
                  request == ".YS" || request == ".TP" || request == ".B" || request == ".I")
          << line;
    }
    // An option's minus signs are minus signs, so that a copied option works.
    EXPECT_EQ(line.find(" --"), std::string::npos) << line;
  }
}

TEST(CommandLineHelp, VersionComesFromTheProject) {
  EXPECT_EQ(VersionText(), std::string("Kreuzwart ") + kVersion);
  EXPECT_NE(std::string(kVersion), "");
}

}  // namespace
}  // namespace kw
