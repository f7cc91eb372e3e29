// The profile store's reader and a write on top of what it read, on any file: the written key
// reads back, no other key changes, the lines the write did not touch stay byte for byte, and
// the same write again changes nothing; a section cut out of the file reads as it did inside.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/profile.h"

namespace {

// Few names, in several letter cases, so that files and writes meet often.
constexpr std::array<const char*, 5> kSections = {"Schein", "schein", "ZAHLEN", "Zahlen", "S"};
constexpr std::array<const char*, 6> kKeys = {"Spiel1", "SPIEL1", "Ablauf", "Samstag", "k", "K"};

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

// What a reader makes of a written value: blanks around it go, one pair of quotes goes.
std::string ReadForm(std::string_view value) {
  auto blank = [](char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 9 && b <= 13) || b == 32 || b == 26;
  };
  while (!value.empty() && blank(value.front())) value.remove_prefix(1);
  while (!value.empty() && blank(value.back())) value.remove_suffix(1);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const std::string_view section = provider.PickValueInArray(kSections);
  const std::string_view key = provider.PickValueInArray(kKeys);
  std::string value = provider.ConsumeRandomLengthString(40);
  std::erase_if(value, [](char c) { return c == '\r' || c == '\n'; });  // refused by the writer
  const std::string file = provider.ConsumeRemainingBytesAsString();

  const kw::Profile before = kw::Profile::Parse(file);
  const std::string written = kw::ApplyProfileWrite(file, section, key, value);
  const kw::Profile after = kw::Profile::Parse(written);

  if (after.Read(section, key) != ReadForm(value)) std::abort();
  for (const char* s : kSections) {
    for (const char* k : kKeys) {
      if (SameName(s, section) && SameName(k, key)) continue;
      if (before.Read(s, k) != after.Read(s, k)) std::abort();
    }
  }

  // Outside the bytes that differ, the old and the new file are equal; the old bytes that were
  // replaced lie within one line, so every line end of the old file is still there.
  const std::size_t shorter = std::min(file.size(), written.size());
  std::size_t prefix = 0;
  while (prefix < shorter && file[prefix] == written[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < shorter - prefix &&
         file[file.size() - 1 - suffix] == written[written.size() - 1 - suffix]) {
    ++suffix;
  }
  const std::string_view replaced =
      std::string_view(file).substr(prefix, file.size() - prefix - suffix);
  if (replaced.find_first_of("\r\n") != std::string_view::npos) std::abort();

  if (kw::ApplyProfileWrite(written, section, key, value) != written) std::abort();

  // The section taken alone, as a new ticket file starts from it, reads as it did in the file.
  const kw::Profile alone = kw::Profile::Parse(kw::ProfileSectionBytes(file, section));
  for (const char* k : kKeys) {
    if (alone.Read(section, k) != before.Read(section, k)) std::abort();
  }
  return 0;
}
