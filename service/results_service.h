#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/date.h"
#include "core/drawing.h"
#include "core/error.h"

namespace kw {

// The lottery web site's results service, read without Qt: the drawing days of a year and the
// drawings of one day, from the JSON the service answers. The service is not documented and may
// change, so every field the reader uses is checked and an answer it cannot read whole is
// refused with a message naming the day and the field; it never makes up a drawing.

// An answer the reader refuses. The message is German, Windows-1252.
class ServiceAnswerError : public Error {
 public:
  using Error::Error;
};

// No real answer comes near this size; a larger one is refused unread.
inline constexpr std::size_t kMaxServiceAnswerBytes = 1024 * 1024;
// A range answer holds up to a year of drawings with their quotas (and perhaps other games).
inline constexpr std::size_t kMaxServiceRangeBytes = 8 * 1024 * 1024;

// The service's paths below its base address. Both take milliseconds since 1970 of 00:00 in
// Europe/Berlin: of 31 December of the year for its day list, of the day for its drawings.
std::string HistoryPath(int year);
std::string DrawsPath(Date day);
// Every drawing from the first day to the last in one answer.
std::string RangePath(Date first, Date last);

// The days of the year's list (`{"days":[{"date":"YYYY-MM-DD"},...]}`) in date order, each once.
// An empty list is an answer too. Throws ServiceAnswerError.
std::vector<Date> ReadDayList(std::string_view answer, int year);

// The 6 aus 49 drawing of one day, and what the reader left out of it.
struct ServiceDrawing {
  Drawing drawing;
  // Set when something was left out (quotas in an unknown unit, no Zusatzzahl named), once.
  std::optional<std::string> note;
  // False when the answer held no quota rows at all: they are not published yet (Saturday's
  // come on Monday), or the answer is of a kind that leaves them out.
  bool quotasPublished = true;
};

// What a person is told of a drawing whose answer held no quota rows.
inline constexpr const char* kQuotasNotPublished =
    "Die Quoten sind noch nicht ver\xF6"
    "ffentlicht";


// The drawing of `day` from the answer for that day. Throws ServiceAnswerError for an answer
// that is no JSON, holds no or two 6 aus 49 drawings, a drawing of another day, a missing field
// or a value that is no drawing (DrawingProblem).
ServiceDrawing ReadDayDrawing(std::string_view answer, Date day);

// The 6 aus 49 drawings from first to last of a range answer, in date order, each read as the
// drawing of the day its drawDate names. Nothing when the answer is no list of drawings (no JSON,
// no array, an entry without drawDate or game name): the service refused the range, and the
// caller asks day by day. Throws ServiceAnswerError for a drawing that cannot be read whole and
// for two drawings of one day.
std::optional<std::vector<ServiceDrawing>> ReadRangeDrawings(std::string_view answer, Date first,
                                                             Date last);

}  // namespace kw
