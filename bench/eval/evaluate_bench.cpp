#include <benchmark/benchmark.h>

#include "eval/evaluation.h"

namespace {

// A full ticket of twelve games against a drawing that gives most games a line and both
// add-on games some matching digits: the work of one press of "&Zahlen vergleichen".
void BM_EvaluateFullTicket(benchmark::State& state) {
  kw::Ticket ticket;
  ticket.path = "schein.sch";
  kw::SetLotNumber(ticket, "4711235");
  for (int g = 0; g < kw::kGameCount; ++g) {
    for (int i = 0; i < kw::kNumbersPerGame; ++i) {
      ticket.games[g][i] = static_cast<uint8_t>(1 + (g * 7 + i * 4) % 49);
    }
  }
  const kw::DrawEntry entry{{"3", "12", "19", "25", "40", "44", "7", "5"}, "9911235", "000235"};

  for (auto _ : state) {
    kw::EvaluationOutcome outcome = kw::EvaluateTicket(ticket, entry);
    benchmark::DoNotOptimize(outcome);
  }
}
BENCHMARK(BM_EvaluateFullTicket);

}  // namespace
