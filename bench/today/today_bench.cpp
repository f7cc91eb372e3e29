#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "eval/term_report.h"
#include "eval/today_report.h"

namespace {

// Twelve games, Spiel 77 and Super 6 played: most games win something against the drawings
// below, so that every kind of line is built.
kw::TicketPlay FullTicket() {
  kw::TicketPlay ticket;
  for (int g = 0; g < kw::kGameCount; ++g) {
    for (int i = 0; i < kw::kNumbersPerGame; ++i) {
      ticket.games[g][i] = static_cast<uint8_t>(1 + (g * 7 + i * 4) % 49);
    }
  }
  ticket.lotNumber = "4711235";
  ticket.spiel77 = true;
  ticket.super6 = true;
  return ticket;
}

// A drawing of today's plan with all nine Lotto quotas published, one a week apart.
kw::Drawing DrawingOfWeek(int week) {
  kw::Drawing drawing;
  drawing.date = kw::Date{kw::Date::FromYmd(2026, 1, 3).dayCount + 7 * week};
  drawing.numbers = {5, 9, 13, 17, 29, 33};
  drawing.superzahl = static_cast<uint8_t>(week % 10);
  drawing.spiel77 = "99112" + std::to_string(30 + week % 10);
  drawing.super6 = "0002" + std::to_string(30 + week % 10);
  for (int k = 1; k <= 9; ++k) {
    drawing.quotas.push_back({kw::PrizeGame::Lotto, k, 1000L * k, 100000000L / (k * k)});
  }
  return drawing;
}

void BM_OneDrawingWithReport(benchmark::State& state) {
  const kw::TicketPlay ticket = FullTicket();
  const kw::Drawing drawing = DrawingOfWeek(5);
  for (auto _ : state) {
    const kw::DrawingCheck check = kw::CheckDrawing(ticket, drawing);
    std::vector<std::string> lines = kw::DrawingReportLines(check);
    benchmark::DoNotOptimize(lines);
  }
}
BENCHMARK(BM_OneDrawingWithReport);

// A term of ten drawing days with their report: the work of the term tab and of --check.
void BM_TermOfTenDrawings(benchmark::State& state) {
  const kw::TicketPlay ticket = FullTicket();
  std::vector<kw::TermDay> days;
  for (int week = 0; week < 10; ++week) days.push_back(kw::TermDay::Drawn(DrawingOfWeek(week)));
  std::size_t lineCount = 0;
  for (auto _ : state) {
    const kw::TermCheck term = kw::CheckTerm(ticket, days);
    std::vector<std::string> lines = kw::TermReportLines(term);
    lineCount = lines.size();
    benchmark::DoNotOptimize(lines);
  }
  state.counters["lines"] = static_cast<double>(lineCount);
}
BENCHMARK(BM_TermOfTenDrawings);

// Four 016 systems (4 x 8008 rows) over a term of 16 drawing days with their report: counted,
// not expanded, they cost about what a few games cost. System s holds 3 + s of the drawn numbers,
// so that every system wins in several classes on every day.
void BM_FourSystemsOverSixteenDrawings(benchmark::State& state) {
  kw::TicketPlay ticket;
  ticket.lotNumber = "4711235";
  ticket.spiel77 = true;
  ticket.super6 = true;
  const std::vector<uint8_t> drawn = {5, 9, 13, 17, 29, 33};
  kw::SystemTexts texts;
  for (int s = 0; s < kw::kSystemCount; ++s) {
    std::vector<uint8_t> numbers(drawn.begin(), drawn.begin() + 3 + s);
    for (uint8_t n = 34; numbers.size() < kw::kMostSystemNumbers; ++n) numbers.push_back(n);
    texts[s] = kw::FormatSystemValue(numbers);
  }
  ticket.systems = kw::ReadSystems(texts);
  std::vector<kw::TermDay> days;
  for (int week = 0; week < 16; ++week) days.push_back(kw::TermDay::Drawn(DrawingOfWeek(week)));
  std::size_t lineCount = 0;
  for (auto _ : state) {
    const kw::TermCheck term = kw::CheckTerm(ticket, days);
    std::vector<std::string> lines = kw::TermReportLines(term);
    lineCount = lines.size();
    benchmark::DoNotOptimize(lines);
  }
  state.counters["lines"] = static_cast<double>(lineCount);
}
BENCHMARK(BM_FourSystemsOverSixteenDrawings)->Unit(benchmark::kMicrosecond);

}  // namespace
