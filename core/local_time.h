#pragma once

#include <ctime>

namespace kw {

// The moment's calendar fields in the machine's time zone; thread-safe, unlike std::localtime.
// localtime_r on POSIX systems, localtime_s on Windows (local_time_posix.cpp, ..._windows.cpp).
std::tm LocalTime(std::time_t moment);

}  // namespace kw
