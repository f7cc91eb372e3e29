#include "eval/ticket_check.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "core/cp1252.h"
#include "core/error.h"
#include "core/money.h"
#include "core/text.h"
#include "eval/today_report.h"

namespace kw {

std::string TicketFileCheck::RefusalText() const {
  if (check) return {};
  // A reason that goes on from the name ("ist keine Schein-Datei") follows it without a colon.
  return "Schein \xBB" + path + "\xAB" + (reason.starts_with("ist ") ? " " : ": ") + reason;
}

TicketFileCheck CheckTicketFile(const std::string& ticketPath, const DrawingSource& drawings,
                                Date today) {
  TicketFileCheck file;
  file.path = ticketPath;
  std::error_code ec;
  if (std::filesystem::symlink_status(FsPath(ticketPath), ec).type() ==
      std::filesystem::file_type::not_found) {
    file.missing = true;
    file.reason = kTicketFileMissing;
    return file;
  }
  std::optional<TermTicket> ticket;
  try {
    ticket = ReadTermTicket(ticketPath, today.year());
  } catch (const TicketRefused& refused) {
    file.missing = std::string_view(refused.what()) == kTicketFileMissing;
    file.reason = refused.what();
    return file;
  }
  file.check = CheckTicket(std::move(*ticket), drawings, today);
  return file;
}

std::string TicketRefusal(const std::string& ticketPath, int currentYear) {
  try {
    ReadTermTicket(ticketPath, currentYear);
    return {};
  } catch (const TicketRefused& refused) {
    return TicketFileCheck{ticketPath, std::nullopt, false, refused.what()}.RefusalText();
  }
}

TicketCheck CheckTicket(TermTicket ticket, const DrawingSource& drawings, Date today) {
  TicketCheck check{std::move(ticket), {}, {}, {}, {}, today};
  check.days = TermDrawingDays(check.ticket.term);
  check.play = PlayOf(check.ticket.ticket, check.ticket.term);
  std::vector<Drawing> stored;
  if (!check.days.empty()) stored = drawings(check.days.front(), check.days.back());
  check.term = CheckTerm(check.play, TermDaysOf(check.days, stored, today), today);
  check.stake = StakeOfDays(check.play, check.days);
  return check;
}

std::vector<std::string> ProblemLines(const TicketCheck& check) {
  std::vector<std::string> lines;
  if (LotNumberReading lotNumber = ReadLotNumber(check.ticket.ticket.lotNumber);
      !lotNumber.line.empty()) {
    lines.push_back(std::move(lotNumber.line));
  }
  for (const auto& [name, problem] : SettingProblems(check.ticket.term)) {
    lines.push_back(name + ": " + problem);
  }
  for (const auto& [name, problem] : SystemProblems(check.play)) {
    lines.push_back(name + ": " + problem + ", nicht ausgewertet");
  }
  return lines;
}

bool WithoutLotNumber(const TicketCheck& check) {
  return !ReadLotNumber(check.ticket.ticket.lotNumber).Usable();
}

std::string TermLine(const TicketCheck& check) {
  return TermLine(check.ticket.term, WithoutLotNumber(check));
}

std::vector<std::pair<std::string, std::string>> SettingProblems(const TicketTerm& term) {
  std::vector<std::pair<std::string, std::string>> problems;
  for (const auto& [name, problem] : {std::pair{"Erste Ziehung", &term.firstDay.problem},
                                      {"Ziehungstage", &term.drawDays.problem},
                                      {"Spiel 77", &term.spiel77.problem},
                                      {"Super 6", &term.super6.problem}}) {
    if (!problem->empty()) problems.emplace_back(name, *problem);
  }
  return problems;
}

std::vector<std::pair<std::string, std::string>> SystemProblems(const TicketPlay& play) {
  std::vector<std::pair<std::string, std::string>> problems;
  for (std::size_t i = 0; i < play.systems.size(); ++i) {
    const TicketSystem& system = play.systems[i];
    if (!system.problem.empty()) {
      problems.emplace_back("System " + std::to_string(i + 1), system.problem);
    }
  }
  return problems;
}

std::string KindText(const TicketPlay& play) {
  const auto games = std::count_if(play.games.begin(), play.games.end(),
                                   [](const Game& game) { return !IsEmptyGame(game); });
  std::string text;
  if (games > 0) text = CountText(games, "Spiel", "Spiele");
  for (const TicketSystem& system : play.systems) {
    if (!system.IsSystem()) continue;
    if (!text.empty()) text += ", ";
    text += "System " + SystemName(static_cast<int>(system.numbers.size()));
  }
  return text.empty() ? "kein Spiel" : text;
}

std::string StateText(const TicketCheck& check, Date today) {
  if (check.days.empty()) return "keine Ziehung";
  if (today < check.days.front()) return "beginnt am " + FormatShortDate(check.days.front());
  if (check.days.back() < today) return "abgelaufen am " + FormatShortDate(check.days.back());
  return "l\xE4uft";
}

std::optional<std::pair<Date, Date>> FetchRange(std::span<const TicketFileCheck> tickets,
                                                Date today) {
  std::optional<std::pair<Date, Date>> range;
  for (const TicketFileCheck& file : tickets) {
    if (!file.check || file.check->days.empty() || file.check->days.front() > today) continue;
    const Date from = file.check->days.front();
    const Date to = std::min(file.check->days.back(), today);
    if (!range) {
      range.emplace(from, to);
    } else {
      range->first = std::min(range->first, from);
      range->second = std::max(range->second, to);
    }
  }
  return range;
}

std::optional<std::pair<Date, Date>> ArchiveFetchRange(std::optional<Date> newestStored,
                                                       Date today) {
  constexpr int kEmptyArchiveDays = 8 * 7;
  Date first = today;
  if (newestStored) {
    first.dayCount = newestStored->dayCount + 1;
  } else {
    first.dayCount -= kEmptyArchiveDays - 1;
  }
  if (first > today) return std::nullopt;
  return std::pair{first, today};
}

TicketsSum SumOf(std::span<const TicketFileCheck> tickets) {
  TicketsSum sum;
  // The add-on numbers the archive lacks are counted by calendar days: two tickets over the
  // same day miss one number, not two.
  std::set<Date> spiel77Missing, super6Missing, drawingsMissing;
  for (const TicketFileCheck& file : tickets) {
    if (!file.check) {
      ++sum.unread;
      continue;
    }
    sum.stake += file.check->stake;
    sum.won += file.check->term.totals;
    for (const TermDayResult& day : file.check->term.days) {
      if (day.day.state() == TermDay::State::Missing) drawingsMissing.insert(day.day.date());
      if (!day.check) continue;
      if (day.check->spiel77.numberMissing) spiel77Missing.insert(day.day.date());
      if (day.check->super6.numberMissing) super6Missing.insert(day.day.date());
    }
  }
  sum.won.spiel77NumberMissing = static_cast<int>(spiel77Missing.size());
  sum.won.super6NumberMissing = static_cast<int>(super6Missing.size());
  sum.won.drawingsMissing = static_cast<int>(drawingsMissing.size());
  return sum;
}

std::string AllTicketsLine(const TicketsSum& sum) {
  std::string line = "Alle Scheine: Einsatz ohne Bearbeitungsgeb\xFChr " + StakeText(sum.stake) +
                     ", Gewinn " + EuroText(sum.won.cents) + WithoutAmountText(sum.won);
  const std::string addOns = MissingAddOnNumbersText(sum.won);
  if (!addOns.empty()) line += "; " + addOns;
  if (sum.won.drawingsMissing > 0) line += "; " + MissingDrawingsText(sum.won.drawingsMissing);
  if (sum.unread > 0) line += " (" + CountText(sum.unread, "Schein", "Scheine") + " nicht gelesen)";
  return line;
}

}  // namespace kw
