#pragma once

#include <optional>

#include "core/date.h"
#include "eval/draw_entry.h"
#include "eval/evaluation.h"
#include "eval/today_check.h"

namespace kw {

// "&Zahlen vergleichen" for a drawing typed without a Zusatzzahl, as every drawing since May 2013
// is: the ticket is checked by the prize plan of the drawing's day, with that plan's classes and
// amounts, in the lines today's check writes for one drawing. A drawing typed with a Zusatzzahl
// goes on to EvaluateTicket and its report of the years before.

// The day whose prize plan counts: the drawing's own date, or for a drawing that carries none the
// latest drawing day up to today, whose plan is the one in force today.
Date PlanDateOf(std::optional<Date> drawDate, Date today);

// The entry check without the Zusatzzahl, then the typed texts converted as EvaluateTicket
// converts them (a Superzahl field left empty is a Superzahl not known), then today's check on
// the drawing dated planDate. A number outside 1 to 49 or a Superzahl outside 0 to 9 fails like
// a text that is no number; a drawing that cannot be one (a number twice, a letter in Spiel 77)
// is refused with what is wrong with it.
EvaluationOutcome EvaluateByDrawingDay(const TicketPlay& ticket, const DrawEntry& entry,
                                       Date planDate);

}  // namespace kw
