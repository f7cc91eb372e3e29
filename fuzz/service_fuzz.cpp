// Any bytes as every kind of the results service's answer: no crash, and what is read is a
// drawing of the day asked for (or, from a range, of a day inside it, each day once and in
// order) that DrawingProblem accepts, or a refusal with a message.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "service/results_service.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view answer(reinterpret_cast<const char*>(data), size);
  // The days of the seeds: a Saturday and a Wednesday of 2025, a Saturday of 2019 and of 2012.
  static const kw::Date kDays[] = {kw::Date::FromYmd(2025, 12, 6), kw::Date::FromYmd(2025, 12, 3),
                                   kw::Date::FromYmd(2019, 7, 6), kw::Date::FromYmd(2012, 12, 1)};
  for (const kw::Date day : kDays) {
    try {
      const kw::ServiceDrawing read = kw::ReadDayDrawing(answer, day);
      if (read.drawing.date != day || kw::DrawingProblem(read.drawing)) std::abort();
      if (read.note && read.note->empty()) std::abort();
    } catch (const kw::ServiceAnswerError& e) {
      if (std::string_view(e.what()).empty()) std::abort();
    }
  }
  try {
    const kw::Date first = kw::Date::FromYmd(2012, 1, 1), last = kw::Date::FromYmd(2025, 12, 31);
    if (const auto range = kw::ReadRangeDrawings(answer, first, last)) {
      for (std::size_t i = 0; i < range->size(); ++i) {
        const kw::Drawing& d = (*range)[i].drawing;
        if (d.date < first || d.date > last || kw::DrawingProblem(d)) std::abort();
        if (i > 0 && !((*range)[i - 1].drawing.date < d.date)) std::abort();
      }
    }
  } catch (const kw::ServiceAnswerError& e) {
    if (std::string_view(e.what()).empty()) std::abort();
  }
  try {
    const std::vector<kw::Date> days = kw::ReadDayList(answer, 2025);
    for (std::size_t i = 1; i < days.size(); ++i) {
      if (!(days[i - 1] < days[i])) std::abort();
    }
  } catch (const kw::ServiceAnswerError& e) {
    if (std::string_view(e.what()).empty()) std::abort();
  }
  return 0;
}
