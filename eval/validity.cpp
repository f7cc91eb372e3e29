#include "eval/validity.h"

#include <cstdint>
#include <cstdlib>

namespace kw {

ValidityNotice ShowValidity(const Ticket& ticket, Date today) {
  using Kind = ValidityNotice::Kind;
  using Box = ValidityNotice::Box;
  if (ticket.path.empty()) return {};

  const std::string days = std::to_string(std::abs(int64_t{today - ticket.expiryDate}));
  if (today > ticket.expiryDate) {
    return {Kind::Expired, Box::Warning,
            "Ihr Spielschein ist vor " + days + " Tag(en) abgelaufen !"};
  }
  if (today == ticket.expiryDate) {
    // The two sentences are split by a carriage return alone, as the message box expects.
    return {Kind::ExpiresToday, Box::Information,
            "Ihr Spielschein l\xE4"
            "uft heute ab !\r"
            "Ihr Spielschein nimmt an der heutigen Ziehung aber noch teil."};
  }
  return {Kind::StillValid, Box::Information,
          "Ihr Spielschein ist noch weitere " + days +
              " Tag(e) g\xFC"
              "ltig."};
}

}  // namespace kw
