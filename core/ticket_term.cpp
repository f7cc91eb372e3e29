#include "core/ticket_term.h"

#include <filesystem>
#include <optional>

#include "core/cp1252.h"
#include "core/ticket_file.h"

namespace kw {

namespace {

constexpr int kAssumedTermDays = 7;  // one week, the expiry its last day

// Keys written by hand may differ in letter case; the values are plain ASCII words.
bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string Quoted(std::string_view value) { return "\"" + std::string(value) + "\""; }

std::optional<DrawDays> ParseDrawDays(std::string_view text) {
  for (DrawDays days : {DrawDays::Wednesday, DrawDays::Saturday, DrawDays::Both}) {
    if (SameWord(text, DrawDaysText(days))) return days;
  }
  return std::nullopt;
}

TermSetting<bool> ReadYesNo(const Profile& file, const char* key) {
  const std::string text = file.Read(kTicketSection, key);
  TermSetting<bool> setting{true, true, {}};
  if (text.empty()) return setting;
  if (SameWord(text, "ja") || SameWord(text, "nein")) {
    setting.value = SameWord(text, "ja");
    setting.assumed = false;
  } else {
    setting.problem = Quoted(text) + " ist weder \"ja\" noch \"nein\"";
  }
  return setting;
}

// The first drawing day on or after the date among the days played; the date itself when the
// week holds none.
Date FirstDrawingDayFrom(Date from, Date last, DrawDays days) {
  for (Date day = from; day <= last; day.dayCount++) {
    if (IsDrawingDay(day, days)) return day;
  }
  return from;
}

void WriteTermKey(const std::string& ticketPath, const char* key, const std::string& value) {
  WriteProfileStrings(FsPath(ticketPath), kTicketSection, {{key, value}});
}

std::string Assumed(bool assumed) { return assumed ? " (angenommen)" : ""; }

}  // namespace

const char* DrawDaysText(DrawDays days) {
  switch (days) {
    case DrawDays::Wednesday:
      return "Mittwoch";
    case DrawDays::Saturday:
      return "Samstag";
    case DrawDays::Both:
      return "Mittwoch und Samstag";
  }
  return "";
}

const char* YesNoText(bool yes) { return yes ? "ja" : "nein"; }

TicketTerm ReadTicketTerm(const Profile& ticketFile, Date expiry) {
  TicketTerm term;
  term.lastDay = expiry;

  term.drawDays.value = DrawDays::Both;
  const std::string daysText = ticketFile.Read(kTicketSection, kTermDrawDaysKey);
  if (const std::optional<DrawDays> days = ParseDrawDays(daysText)) {
    term.drawDays = {*days, false, {}};
  } else if (!daysText.empty()) {
    term.drawDays.problem = Quoted(daysText) +
                            " ist keiner der Ziehungstage \"Mittwoch\", \"Samstag\" oder "
                            "\"Mittwoch und Samstag\"";
  }

  term.spiel77 = ReadYesNo(ticketFile, kTermSpiel77Key);
  term.super6 = ReadYesNo(ticketFile, kTermSuper6Key);

  const Date weekStart{expiry.dayCount - (kAssumedTermDays - 1)};
  term.firstDay.value = FirstDrawingDayFrom(weekStart, expiry, term.drawDays.value);
  const std::string firstText = ticketFile.Read(kTicketSection, kTermFirstDayKey);
  if (firstText.empty()) return term;
  const std::optional<Date> first = ParseGermanDate(firstText);
  if (!first) {
    term.firstDay.problem = Quoted(firstText) + " ist kein Datum der Form TT.MM.JJJJ";
  } else if (*first > expiry) {
    term.firstDay.problem =
        "Der Beginn " + firstText + " liegt nach dem Ablauf " + FormatShortDate(expiry);
  } else {
    term.firstDay = {*first, false, {}};
  }
  return term;
}

TermTicket ReadTermTicket(const std::string& ticketPath, int currentYear) {
  const std::filesystem::path file = FsPath(ticketPath);
  const auto notATicket = [](const std::string& what) {
    return TicketRefused("ist keine Schein-Datei (" + what + ")");
  };
  // The kind first: the reader's own refusal names the whole path, which the caller names already.
  std::error_code ec;
  const std::filesystem::file_type kind = std::filesystem::status(file, ec).type();
  if (kind == std::filesystem::file_type::directory) throw notATicket("ein Ordner");
  if (kind != std::filesystem::file_type::regular &&
      kind != std::filesystem::file_type::not_found) {
    throw notATicket("keine gew\xF6hnliche Datei");
  }
  std::optional<std::string> bytes;
  try {
    bytes = ReadProfileFile(file);
  } catch (const FileTooLargeError&) {
    throw notATicket(
        "gr\xF6\xDF"
        "er als " +
        std::to_string(kMaxProfileFileSize >> 20) + " MB");
  } catch (const ReadError&) {
    throw TicketRefused("kann nicht gelesen werden");
  }
  if (!bytes) throw TicketRefused(kTicketFileMissing);
  if (ProfileSectionBytes(*bytes, kTicketSection).empty()) {
    throw notATicket(std::string("kein Abschnitt [") + kTicketSection + "]");
  }
  const Profile profile = Profile::Parse(std::move(*bytes));

  TermTicket read;
  for (int g = 0; g < kGameCount; ++g) {
    const std::string key = kGameKeyPrefix + std::to_string(g + 1);
    const std::string value = profile.Read(kTicketSection, key);
    try {
      ReadGameValue(value, g + 1, read.ticket.games[g]);
    } catch (const ConversionError&) {
      throw TicketRefused(key + " \xBB" + value + "\xAB ist kein Spiel aus sechs Zahlen");
    }
  }
  read.ticket.systems = ReadTicketSystems(profile);
  read.ticket.lotNumber = profile.Read(kTicketSection, kLotNumberKey);
  const std::string expiry = profile.Read(kTicketSection, kExpiryKey);
  if (expiry.empty()) throw TicketRefused(std::string(kExpiryKey) + " fehlt");
  try {
    read.ticket.expiryDate = ParseDate(expiry, currentYear);
  } catch (const ConversionError&) {
    throw TicketRefused(std::string(kExpiryKey) + " \xBB" + expiry + "\xAB ist kein Datum");
  }
  read.term = ReadTicketTerm(profile, read.ticket.expiryDate);
  return read;
}

std::vector<Date> TermDrawingDays(const TicketTerm& term) {
  std::vector<Date> days;
  for (Date day = term.firstDay.value; day <= term.lastDay; day.dayCount++) {
    if (IsDrawingDay(day, term.drawDays.value)) days.push_back(day);
  }
  return days;
}

std::string TermLine(const TicketTerm& term, bool withoutLotNumber) {
  std::string line = "Laufzeit: " + FormatShortDate(term.firstDay.value) +
                     Assumed(term.firstDay.assumed) + " bis " + FormatShortDate(term.lastDay);
  line += std::string(", Ziehungstage: ") + DrawDaysText(term.drawDays.value) +
          Assumed(term.drawDays.assumed);
  const auto addOn = [withoutLotNumber](const TermSetting<bool>& played) {
    if (played.value && withoutLotNumber) {
      return std::string("nicht gepr\xFC") + "ft (" + kWithoutLotNumber + ")";
    }
    return YesNoText(played.value) + Assumed(played.assumed);
  };
  line += ", Spiel 77: " + addOn(term.spiel77);
  line += ", Super 6: " + addOn(term.super6);
  return line;
}

void WriteTermFirstDay(const std::string& ticketPath, Date firstDay) {
  WriteTermKey(ticketPath, kTermFirstDayKey, FormatShortDate(firstDay));
}

void WriteTermDrawDays(const std::string& ticketPath, DrawDays days) {
  WriteTermKey(ticketPath, kTermDrawDaysKey, DrawDaysText(days));
}

void WriteTermSpiel77(const std::string& ticketPath, bool played) {
  WriteTermKey(ticketPath, kTermSpiel77Key, YesNoText(played));
}

void WriteTermSuper6(const std::string& ticketPath, bool played) {
  WriteTermKey(ticketPath, kTermSuper6Key, YesNoText(played));
}

}  // namespace kw
