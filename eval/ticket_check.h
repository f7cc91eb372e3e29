#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/date.h"
#include "core/drawing.h"
#include "core/ticket_term.h"
#include "eval/stake.h"
#include "eval/term_report.h"

namespace kw {

// One ticket file checked over its term: the one path of the tab "Laufzeit", the window
// "Meine Scheine" and --check, so that all three show the same lines, totals and stake.

// The archive's drawings from the first day to the last, as the caller reads them (the archive
// is opened by whoever shows the result, and only then).
using DrawingSource = std::function<std::vector<Drawing>(Date first, Date last)>;

struct TicketCheck {
  TermTicket ticket;       // the file as read: games, lot number, expiry and term
  std::vector<Date> days;  // the term's drawing days, in date order
  TicketPlay play;         // the ticket as the check plays it
  TermCheck term;          // every day with its result, and the totals
  Stake stake;             // of every day of the term, past and future
};

// Reads the ticket file (throwing what ReadTermTicket throws) and checks it as of today.
TicketCheck CheckTicketFile(const std::string& ticketPath, const DrawingSource& drawings,
                            Date today);

// Checks a ticket already read, against what the source gives for its term.
TicketCheck CheckTicket(TermTicket ticket, const DrawingSource& drawings, Date today);

// The term's settings the file gives wrongly, each with the name the tab gives it ("Erste
// Ziehung", "Ziehungstage", "Spiel 77", "Super 6") and why it was not taken.
std::vector<std::pair<std::string, std::string>> SettingProblems(const TicketTerm& term);

// The system fields that are no full system, each as "System 2" with its reason: they are left
// out of the check, and the tab, the window and --check say so once.
std::vector<std::pair<std::string, std::string>> SystemProblems(const TicketPlay& play);

// "12 Spiele", "1 Spiel", "12 Spiele, System 008, System 010", "kein Spiel": what the ticket
// plays.
std::string KindText(const TicketPlay& play);

// Where the ticket stands today: "läuft", "beginnt am 06.12.2026", "abgelaufen am 19.12.2026"
// (its first and last drawing day); "keine Ziehung" for a term without one.
std::string StateText(const TicketCheck& check, Date today);

// The sum over several tickets: "Alle Scheine: Einsatz ohne Bearbeitungsgebühr 73,20 €, Gewinn
// 23,00 €", with what has no amount named as in a ticket's total.
std::string AllTicketsLine(const Stake& stake, const CheckTotals& totals);

}  // namespace kw
