#pragma once

#include <string>

#include "core/date.h"
#include "core/records.h"

namespace kw {

// How the loaded ticket's period of validity stands, told once when the main window is shown.
struct ValidityNotice {
  enum class Kind { None, Expired, ExpiresToday, StillValid };
  enum class Box { Warning, Information };  // caption "Warning" or "Information"
  Kind kind = Kind::None;
  Box box = Box::Information;
  std::string text;
};

// No notice without a loaded ticket (empty path); otherwise expired, expiring today or still
// valid, with the number of days between today and the expiry date.
ValidityNotice ShowValidity(const Ticket& ticket, Date today);

}  // namespace kw
