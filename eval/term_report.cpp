#include "eval/term_report.h"

#include <algorithm>

#include "core/error.h"
#include "core/lottery_rules.h"
#include "core/money.h"
#include "eval/prize_plan.h"
#include "eval/today_report.h"

namespace kw {

namespace {

constexpr std::string_view kIndent = "  ";
constexpr std::size_t kLotNumberDigits = kSpiel77Digits;

void Consider(DaySummary& summary, PrizeGame game, const Win& win) {
  switch (win.kind) {
    case Win::Kind::None:
      return;
    case Win::Kind::ClassNotKnown:
      if (summary.kind == DaySummary::Kind::NoWin) summary.kind = DaySummary::Kind::ClassNotKnown;
      return;
    case Win::Kind::Amount:
    case Win::Kind::QuotaPending:
    case Win::Kind::QuotaMissing:
    case Win::Kind::AmountNotKnown:
      break;
  }
  // Games are considered 6 aus 49 first, so only a higher class of the same game replaces one.
  const bool better = summary.kind != DaySummary::Kind::Won ||
                      (summary.bestGame == game && win.prizeClass < summary.bestClass);
  if (better) {
    summary.kind = DaySummary::Kind::Won;
    summary.bestGame = game;
    summary.bestClass = win.prizeClass;
  }
}

DaySummary SummaryOf(const DrawingCheck& check) {
  DaySummary summary;
  for (const GameCheck& game : check.games) Consider(summary, PrizeGame::Lotto, game.win);
  for (const SystemCheck& system : check.systems) {
    for (const SystemWin& win : system.wins) Consider(summary, PrizeGame::Lotto, win.win);
  }
  Consider(summary, PrizeGame::Spiel77, check.spiel77.win);
  Consider(summary, PrizeGame::Super6, check.super6.win);
  summary.totals = check.totals;
  if (summary.kind == DaySummary::Kind::NoWin &&
      (check.spiel77.numberMissing || check.super6.numberMissing)) {
    summary.kind = DaySummary::Kind::NoWinInGames;
  }
  return summary;
}

}  // namespace

TermDay TermDay::Drawn(Drawing drawing) {
  const Date date = drawing.date;
  return TermDay(date, State::Drawn, std::move(drawing));
}

TermDay TermDay::Missing(Date date) { return TermDay(date, State::Missing, std::nullopt); }

TermDay TermDay::NotYetDrawn(Date date) { return TermDay(date, State::NotYetDrawn, std::nullopt); }

std::string SummaryCellText(const DaySummary& summary, bool shortClass) {
  switch (summary.kind) {
    case DaySummary::Kind::Won:
      break;
    case DaySummary::Kind::ClassNotKnown:
      return "Gewinnklasse nicht bekannt";
    case DaySummary::Kind::NoWinInGames:
      return "kein Gewinn in den Spielen";
    case DaySummary::Kind::NoWin:
      return "kein Gewinn";
    case DaySummary::Kind::Missing:
      return "fehlt im Archiv";
    case DaySummary::Kind::NotYetDrawn:
      return "noch nicht gezogen";
  }
  std::string text;
  if (summary.bestGame != PrizeGame::Lotto) {
    text += PrizeGameName(summary.bestGame);
    text += shortClass ? ", Kl. " : ", Gewinnklasse ";
  } else {
    text += "Gewinnklasse ";
  }
  text += RomanClass(summary.bestClass);
  return text;
}

std::string SummaryText(const DaySummary& summary) {
  std::string text = SummaryCellText(summary);
  if (summary.kind != DaySummary::Kind::Won) return text;
  text += ", ";
  AppendEuro(text, summary.totals.cents);
  text += WithoutAmountText(summary.totals);
  return text;
}

LotNumberReading ReadLotNumber(std::string_view typed) {
  LotNumberReading reading;
  const std::string_view first = typed.substr(0, kLotNumberDigits);
  const bool digits =
      first.size() == kLotNumberDigits &&
      std::all_of(first.begin(), first.end(), [](char c) { return c >= '0' && c <= '9'; });
  const std::string quoted = "\xBB" + std::string(typed) + "\xAB";
  if (typed.empty()) {
    reading.hint = "fehlt";
    reading.line = "Losnummer fehlt";
  } else if (!digits) {
    reading.hint = "keine siebenstellige Zahl";
    reading.line = "Losnummer " + quoted + " ist " + reading.hint;
  } else {
    reading.digits = first;
    // A longer one is read by its first seven digits, as the tab "Spielschein" shows it.
    if (typed.size() > kLotNumberDigits) {
      reading.hint = std::string("gepr\xFC") + "ft mit " + reading.digits;
      reading.line = "Losnummer " + quoted + ": " + reading.hint;
    }
  }
  return reading;
}

TicketPlay PlayOf(const EditorTicket& ticket, const TicketTerm& term) {
  const LotNumberReading lotNumber = ReadLotNumber(ticket.lotNumber);
  return TicketPlay{.games = ticket.games,
                    .lotNumber = lotNumber.digits,
                    .spiel77 = term.spiel77.value && lotNumber.Usable(),
                    .super6 = term.super6.value && lotNumber.Usable(),
                    .systems = ticket.systems};
}

std::vector<TermDay> TermDaysOf(const std::vector<Date>& days, const std::vector<Drawing>& stored,
                                Date today) {
  std::vector<TermDay> termDays;
  termDays.reserve(days.size());
  auto next = stored.begin();
  for (const Date day : days) {
    while (next != stored.end() && next->date < day) ++next;
    if (next != stored.end() && next->date == day) {
      termDays.push_back(TermDay::Drawn(*next));
    } else {
      termDays.push_back(day >= today ? TermDay::NotYetDrawn(day) : TermDay::Missing(day));
    }
  }
  return termDays;
}

TermCheck CheckTerm(const TicketPlay& ticket, const std::vector<TermDay>& days,
                    std::optional<Date> today) {
  TermCheck term;
  term.days.reserve(days.size());
  for (std::size_t i = 0; i < days.size(); ++i) {
    const TermDay& day = days[i];
    if (i > 0 && !(days[i - 1].date() < day.date())) {
      throw Error("Der Ziehungstag " + FormatShortDate(day.date()) +
                  " steht doppelt oder au\xDF"
                  "er der Reihe in der Laufzeit");
    }
    TermDayResult& result = term.days.emplace_back(TermDayResult{day, std::nullopt, {}});
    switch (day.state()) {
      case TermDay::State::Drawn:
        result.check = CheckDrawing(ticket, *day.drawing(), today);
        result.summary = SummaryOf(*result.check);
        term.totals += result.check->totals;
        if (!term.firstQuotaToFetch && result.check->totals.quotaMissing > 0 &&
            LacksQuotas(*day.drawing())) {
          term.firstQuotaToFetch = day.date();
        }
        break;
      case TermDay::State::Missing:
        result.summary.kind = DaySummary::Kind::Missing;
        ++term.totals.drawingsMissing;
        break;
      case TermDay::State::NotYetDrawn:
        result.summary.kind = DaySummary::Kind::NotYetDrawn;
        ++term.notYetDrawn;
        break;
    }
  }
  return term;
}

std::string DayHeaderLine(const TermDayResult& day) {
  std::string line;
  line.reserve(64);
  line += WeekdayDateText(day.day.date());
  line += ": ";
  const Drawing* drawing = day.day.drawing();
  if (day.day.state() == TermDay::State::Missing) return line += "fehlt im Archiv";
  if (day.day.state() == TermDay::State::NotYetDrawn) return line += "noch nicht gezogen";

  line += NumbersText(*drawing);
  const PrizePlan* plan = day.check ? day.check->lottoPlan : nullptr;
  const bool asksZusatzzahl = plan && plan->Asks(Extra::Zusatzzahl);
  if (drawing->zusatzzahl) {
    line += ", Zusatzzahl ";
    line += std::to_string(*drawing->zusatzzahl);
  } else if (asksZusatzzahl) {
    line += ", Zusatzzahl nicht bekannt";
  }
  if (drawing->superzahl) {
    line += ", Superzahl ";
    line += std::to_string(*drawing->superzahl);
  } else {
    line += ", Superzahl nicht bekannt";
  }
  return line;
}

void AppendDayLines(const TermDayResult& day, std::vector<std::string>& lines) {
  lines.push_back(DayHeaderLine(day));
  if (day.check) AppendDrawingLines(*day.check, kIndent, lines);
}

std::vector<std::string> TermReportLines(const TermCheck& term) {
  std::vector<std::string> lines;
  lines.reserve(term.days.size() * 3 + 1);
  for (const TermDayResult& day : term.days) AppendDayLines(day, lines);
  lines.push_back(TotalLine(term.totals));
  return lines;
}

}  // namespace kw
