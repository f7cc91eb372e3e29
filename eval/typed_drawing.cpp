#include "eval/typed_drawing.h"

#include "core/drawing.h"
#include "core/text.h"
#include "eval/today_report.h"

namespace kw {

namespace {

constexpr std::size_t kSuperzahlIndex = 7;
constexpr int kDaysOfAWeek = 7;

bool ConvertWithin(const std::string& text, int32_t lowest, int32_t highest, uint8_t& value) {
  int32_t number = 0;
  if (!TryStrToInt(text, number) || number < lowest || number > highest) return false;
  value = static_cast<uint8_t>(number);
  return true;
}

}  // namespace

Date PlanDateOf(std::optional<Date> drawDate, Date today) {
  if (drawDate) return *drawDate;
  for (Date day = today; day.dayCount > today.dayCount - kDaysOfAWeek; --day.dayCount) {
    if (IsDrawingDay(day, DrawDays::Both)) return day;
  }
  return today;  // a week holds a Saturday: not reached
}

EvaluationOutcome EvaluateByDrawingDay(const TicketPlay& ticket, const DrawEntry& entry,
                                       Date planDate) {
  using Kind = EvaluationOutcome::Kind;
  if (auto refusal = CheckDrawEntry(entry, ZusatzzahlRule::NotDrawn)) {
    return {Kind::Refused, std::move(*refusal), {}};
  }
  const EvaluationOutcome conversionFailed{
      Kind::ConversionFailed, std::string(kConversionFailedMessage), {}};
  Drawing drawing;
  drawing.date = planDate;
  for (std::size_t i = 0; i < drawing.numbers.size(); ++i) {
    if (!ConvertWithin(entry.numberTexts[i], kLowestNumber, kHighestNumber, drawing.numbers[i])) {
      return conversionFailed;
    }
  }
  const std::string& superzahlText = entry.numberTexts[kSuperzahlIndex];
  if (!Trim(superzahlText).empty()) {
    uint8_t superzahl = 0;
    if (!ConvertWithin(superzahlText, kLowestSuperzahl, kHighestSuperzahl, superzahl))
      return conversionFailed;
    drawing.superzahl = superzahl;
  }
  drawing.spiel77 = entry.spiel77Text;
  drawing.super6 = entry.super6Text;

  try {
    return {Kind::Report, {}, DrawingReportLines(CheckDrawing(ticket, drawing))};
  } catch (const DrawingRefused& refused) {
    return {Kind::Refused, refused.what(), {}};
  }
}

}  // namespace kw
