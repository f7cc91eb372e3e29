#pragma once

#include <functional>
#include <optional>
#include <span>
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
  Date checkedOn;          // the day the check was made
};

// A ticket file as its check found it: checked, or the one answer why not, which the tab, the
// window and --check all show.
struct TicketFileCheck {
  std::string path;                  // as given, Windows-1252
  std::optional<TicketCheck> check;  // nothing when the file is missing or cannot be read
  bool missing = false;              // no file at the path (a USB stick not plugged in)
  std::string reason;                // "Datei fehlt", or why the file cannot be read

  // "Schein »B.sch«: Datei fehlt", "Schein »B.sch«: <reason>"; empty for a checked ticket.
  std::string RefusalText() const;
};

// Reads the ticket file and checks it as of today; a missing or unreadable file is named, not
// thrown.
TicketFileCheck CheckTicketFile(const std::string& ticketPath, const DrawingSource& drawings,
                                Date today);

// Why the ticket file cannot be checked, as RefusalText says it; empty when it can be read.
std::string TicketRefusal(const std::string& ticketPath, int currentYear);

// Checks a ticket already read, against what the source gives for its term.
TicketCheck CheckTicket(TermTicket ticket, const DrawingSource& drawings, Date today);

// What the check leaves out or does not take from the file, each as one line: "Losnummer fehlt",
// "Super 6: <why>", "System 2: <why>, nicht ausgewertet". The tab, the window and --check show
// them alike.
std::vector<std::string> ProblemLines(const TicketCheck& check);

// Whether the ticket's Losnummer cannot be read (ReadLotNumber): the Superzahl, Spiel 77 and
// Super 6 are left out of its check.
bool WithoutLotNumber(const TicketCheck& check);

// The term line of the checked ticket (TermLine), the add-on games left out where it has no
// Losnummer.
std::string TermLine(const TicketCheck& check);

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

// The first and the last day of the tickets' terms up to today: what "Ziehungen holen" asks the
// results service for. Nothing when no ticket has a drawing day up to today.
std::optional<std::pair<Date, Date>> FetchRange(std::span<const TicketFileCheck> tickets,
                                                Date today);

// What "Ziehungen holen" asks for where no ticket names days: from the day after the newest
// stored drawing (the last eight weeks of an empty archive) up to today. Nothing when the archive
// holds today already.
std::optional<std::pair<Date, Date>> ArchiveFetchRange(std::optional<Date> newestStored,
                                                       Date today);

// The sum over several tickets: what they cost, what they won, how many could not be read.
struct TicketsSum {
  Stake stake;
  CheckTotals won;
  int unread = 0;
};
TicketsSum SumOf(std::span<const TicketFileCheck> tickets);

// "Alle Scheine: Einsatz ohne Bearbeitungsgebühr 73,20 €, Gewinn 23,00 €", with what has no
// amount named as in a ticket's total, the add-on numbers and the days the archive lacks, and at
// the end "(1 Schein nicht gelesen)".
std::string AllTicketsLine(const TicketsSum& sum);

}  // namespace kw
