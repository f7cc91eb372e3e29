#pragma once

#include "core/date.h"

namespace kw {

// A clock that says whatever date it was set to.
class FixedClock : public Clock {
 public:
  explicit FixedClock(Date today) : today_(today) {}
  void Set(Date today) { today_ = today; }
  Date Today() const override { return today_; }

 private:
  Date today_;
};

}  // namespace kw
