#pragma once

// Reading fields of JSON that comes from outside (the results service, the community archives):
// every lookup may find nothing or the wrong kind of value, and says so by an empty result
// instead of throwing.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>

namespace kw {

// The member of that name; nothing when there is none or the value is no object.
inline const nlohmann::json* JsonMember(const nlohmann::json& object, const char* key) {
  if (!object.is_object()) return nullptr;
  const auto it = object.find(key);
  return it == object.end() ? nullptr : &*it;
}

// A member that is missing or null.
inline bool JsonAbsent(const nlohmann::json* value) { return value == nullptr || value->is_null(); }

// The value as a whole number; nothing for any other kind, a fraction or a number beyond int64.
inline std::optional<int64_t> JsonWhole(const nlohmann::json& value) {
  if (value.is_number_unsigned()) {
    const auto u = value.get<uint64_t>();
    if (u > static_cast<uint64_t>(INT64_MAX)) return std::nullopt;
    return static_cast<int64_t>(u);
  }
  if (value.is_number_integer()) return value.get<int64_t>();
  return std::nullopt;
}

inline std::optional<int64_t> JsonWhole(const nlohmann::json* value) {
  return value == nullptr ? std::nullopt : JsonWhole(*value);
}

}  // namespace kw
