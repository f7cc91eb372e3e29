#include "eval/ticket_check.h"

#include <algorithm>

#include "core/money.h"
#include "core/text.h"
#include "eval/today_report.h"

namespace kw {

TicketCheck CheckTicketFile(const std::string& ticketPath, const DrawingSource& drawings,
                            Date today) {
  return CheckTicket(ReadTermTicket(ticketPath, today.year()), drawings, today);
}

TicketCheck CheckTicket(TermTicket ticket, const DrawingSource& drawings, Date today) {
  TicketCheck check{std::move(ticket), {}, {}, {}, {}};
  check.days = TermDrawingDays(check.ticket.term);
  check.play = PlayOf(check.ticket.ticket, check.ticket.term);
  std::vector<Drawing> stored;
  if (!check.days.empty()) stored = drawings(check.days.front(), check.days.back());
  check.term = CheckTerm(check.play, TermDaysOf(check.days, stored, today), today);
  check.stake = StakeOfDays(check.play, check.days);
  return check;
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

std::string AllTicketsLine(const Stake& stake, const CheckTotals& totals) {
  std::string line = "Alle Scheine: Einsatz ohne Bearbeitungsgeb\xFChr " + StakeText(stake) +
                     ", Gewinn " + EuroText(totals.cents) + WithoutAmountText(totals);
  const std::string addOns = MissingAddOnNumbersText(totals);
  if (!addOns.empty()) line += "; " + addOns;
  return line;
}

}  // namespace kw
