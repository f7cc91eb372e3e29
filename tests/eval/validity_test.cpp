#include "eval/validity.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

using Kind = ValidityNotice::Kind;
using Box = ValidityNotice::Box;

struct ValidityCase {
  const char* name;
  bool loaded;
  int expiresInDays;  // relative to today
  Kind kind;
  Box box;
  std::string_view text;
  friend void PrintTo(const ValidityCase& c, std::ostream* os) { *os << c.name; }
};

class ShowValidityTest : public ::testing::TestWithParam<ValidityCase> {};

TEST_P(ShowValidityTest, TellsHowTheTicketStands) {
  const ValidityCase& c = GetParam();
  const Date today = Date::FromYmd(2024, 3, 1);  // the day after a leap day
  Ticket ticket;
  if (c.loaded) ticket.path = "C:\\Lotto\\schein.sch";
  ticket.expiryDate = Date{today.dayCount + c.expiresInDays};

  const ValidityNotice notice = ShowValidity(ticket, today);
  EXPECT_EQ(notice.kind, c.kind);
  EXPECT_EQ(notice.box, c.box);
  EXPECT_EQ(notice.text, c.text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Days, ShowValidityTest,
    ::testing::Values(
        ValidityCase{"NoTicket", false, -3, Kind::None, Box::Information, ""},
        ValidityCase{"Yesterday", true, -1, Kind::Expired, Box::Warning,
                     "Ihr Spielschein ist vor 1 Tag(en) abgelaufen !"},
        ValidityCase{"YearPast", true, -365, Kind::Expired, Box::Warning,
                     "Ihr Spielschein ist vor 365 Tag(en) abgelaufen !"},
        ValidityCase{"Today", true, 0, Kind::ExpiresToday, Box::Information,
                     "Ihr Spielschein l\xE4" "uft heute ab !\x0D"
                     "Ihr Spielschein nimmt an der heutigen Ziehung aber noch teil."},
        ValidityCase{"Tomorrow", true, 1, Kind::StillValid, Box::Information,
                     "Ihr Spielschein ist noch weitere 1 Tag(e) g\xFC" "ltig."},
        ValidityCase{"MonthAhead", true, 30, Kind::StillValid, Box::Information,
                     "Ihr Spielschein ist noch weitere 30 Tag(e) g\xFC" "ltig."}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace kw
