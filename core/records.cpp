#include "core/records.h"

namespace kw {

void ClearTicket(Ticket& ticket, bool resetTicket) {
  ticket.hits.fill(0);
  ticket.spiel77Hits = 0;
  ticket.super6Hits = 0;
  if (resetTicket) {
    ticket.path.clear();
    ticket.lotNumber.clear();
    ticket.super6Number.clear();
    ticket.games = Games{};
  }
}

void SetLotNumber(Ticket& ticket, std::string_view losnummer) {
  ticket.lotNumber = losnummer;
  ticket.super6Number = losnummer.size() > 1 ? losnummer.substr(1) : std::string_view{};
}

}  // namespace kw
