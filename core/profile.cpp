#include "core/profile.h"

#include <optional>

#include "core/cp1252.h"
#include "core/error.h"
#include "core/text.h"

namespace kw {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

bool IsBlank(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 9 && b <= 13) || b == 32 || b == 26;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// One line of the file: its text and the line end that followed it (empty on the last line).
// Both are views into the file's bytes.
struct RawLine {
  std::string_view text;
  std::string_view end;
};

// Walks the lines of a text one at a time; nothing is copied or collected.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes) : bytes_(bytes) {}

  bool Next(RawLine& line) {
    if (pos_ >= bytes_.size()) return false;
    std::size_t stop = bytes_.find_first_of("\r\n", pos_);
    if (stop == std::string_view::npos) stop = bytes_.size();
    std::size_t next = stop;
    if (next < bytes_.size()) {
      next +=
          (bytes_[next] == '\r' && next + 1 < bytes_.size() && bytes_[next + 1] == '\n') ? 2 : 1;
    }
    line = {bytes_.substr(pos_, stop - pos_), bytes_.substr(stop, next - stop)};
    pos_ = next;
    return true;
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// What a line means to the profile store.
struct LineMeaning {
  enum class Kind { Other, Section, Key } kind = Kind::Other;
  std::string_view name;   // section or key name, trimmed
  std::string_view value;  // key value, trimmed
};

LineMeaning Interpret(std::string_view line) {
  const std::string_view trimmed = TrimBlanks(line);
  if (trimmed.empty() || trimmed.front() == ';') return {};
  if (trimmed.front() == '[') {
    const std::size_t close = trimmed.rfind(']');
    if (close != std::string_view::npos) {
      return {LineMeaning::Kind::Section, TrimBlanks(trimmed.substr(1, close - 1)), {}};
    }
  }
  const std::size_t equals = trimmed.find('=');
  if (equals == std::string_view::npos) return {LineMeaning::Kind::Key, trimmed, {}};
  return {LineMeaning::Kind::Key, TrimBlanks(trimmed.substr(0, equals)),
          TrimBlanks(trimmed.substr(equals + 1))};
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::string_view SkipBom(std::string_view bytes) {
  return bytes.starts_with(kUtf8Bom) ? bytes.substr(kUtf8Bom.size()) : bytes;
}

}  // namespace

std::optional<std::string> ReadProfileFile(const std::filesystem::path& file) {
  return ReadRegularFile(file, kMaxProfileFileSize);
}

Profile Profile::Parse(std::string bytes) {
  if (bytes.starts_with(kUtf8Bom)) bytes.erase(0, kUtf8Bom.size());
  Profile profile;
  profile.bytes_ = std::move(bytes);
  return profile;
}

Profile Profile::Load(const std::filesystem::path& file) {
  std::optional<std::string> bytes = ReadProfileFile(file);
  return bytes ? Parse(std::move(*bytes)) : Profile{};
}

std::string Profile::Read(std::string_view section, std::string_view key) const {
  // The first matching section wins, and within it the first matching key. Lines before the
  // first header belong to no section.
  LineReader lines(bytes_);
  RawLine line;
  bool inSection = false;
  while (lines.Next(line)) {
    const LineMeaning meaning = Interpret(line.text);
    if (meaning.kind == LineMeaning::Kind::Section) {
      if (inSection) return {};  // the first matching section ended without the key
      inSection = EqualsNoCase(meaning.name, section);
    } else if (inSection && meaning.kind == LineMeaning::Kind::Key &&
               EqualsNoCase(meaning.name, key)) {
      return std::string(Unquote(meaning.value));
    }
  }
  return {};
}

std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key) {
  return Profile::Load(file).Read(section, key);
}

std::string ProtectedProfileValue(std::string_view value) {
  const bool changedByRead = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) ||
                                                Unquote(value) != value);
  if (!changedByRead) return std::string(value);
  return std::string("\"").append(value).append("\"");
}

std::string ApplyProfileWrite(std::string_view bytes, std::string_view section,
                              std::string_view key, std::string_view value) {
  std::string keyLine;
  keyLine.append(key).append("=").append(value);

  const std::string_view text = SkipBom(bytes);

  // Find the first matching section, its last key line and its first matching key.
  std::optional<RawLine> header, lastKey, match;
  bool inSection = false;
  LineReader lines(text);
  RawLine line;
  while (lines.Next(line)) {
    const LineMeaning meaning = Interpret(line.text);
    if (meaning.kind == LineMeaning::Kind::Section) {
      if (header) break;  // the section ended
      inSection = EqualsNoCase(meaning.name, section);
      if (inSection) header = line;
    } else if (inSection && meaning.kind == LineMeaning::Kind::Key) {
      lastKey = line;
      if (EqualsNoCase(meaning.name, key)) {
        match = line;
        break;
      }
    }
  }

  // The new file is the old one with one line replaced or one or two lines put in: every other
  // byte is copied as it stands.
  auto offset = [&bytes](std::string_view part) {
    return static_cast<std::size_t>(part.data() - bytes.data());
  };
  std::string out;
  out.reserve(bytes.size() + keyLine.size() + section.size() + 2 * kLineEnd.size() + 2);

  if (!header) {
    out.append(bytes);
    if (!text.empty() && text.back() != '\r' && text.back() != '\n') out += kLineEnd;
    out.append("[").append(section).append("]").append(kLineEnd);
    out.append(keyLine).append(kLineEnd);
    return out;
  }

  if (match) {
    out.append(bytes.substr(0, offset(match->text)));
    out.append(keyLine).append(match->end.empty() ? kLineEnd : match->end);
    out.append(bytes.substr(offset(match->end) + match->end.size()));
    return out;
  }

  // A missing key goes right after the last key line of its section, or after the header.
  const RawLine& before = lastKey ? *lastKey : *header;
  const std::size_t insert = offset(before.end) + before.end.size();
  out.append(bytes.substr(0, insert));
  if (before.end.empty()) out += kLineEnd;
  out.append(keyLine).append(kLineEnd);
  out.append(bytes.substr(insert));
  return out;
}

std::string ProfileSectionBytes(std::string_view bytes, std::string_view section) {
  const std::string_view text = SkipBom(bytes);
  LineReader lines(text);
  RawLine line;
  std::optional<std::size_t> start;
  while (lines.Next(line)) {
    const LineMeaning meaning = Interpret(line.text);
    if (meaning.kind != LineMeaning::Kind::Section) continue;
    const auto at = static_cast<std::size_t>(line.text.data() - text.data());
    if (start) return std::string(text.substr(*start, at - *start));
    if (EqualsNoCase(meaning.name, section)) start = at;
  }
  return start ? std::string(text.substr(*start)) : std::string();
}

void WriteProfileStrings(const std::filesystem::path& file, std::string_view section,
                         const std::vector<std::pair<std::string, std::string>>& keyValues,
                         std::string_view newFileBytes, bool replaceWhole) {
  // A line break inside a value would end its line and start another key: refused.
  auto hasLineBreak = [](std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
  };
  if (hasLineBreak(section)) throw WriteError(PathText(file));
  for (const auto& [key, value] : keyValues) {
    if (hasLineBreak(key) || hasLineBreak(value)) throw WriteError(PathText(file));
  }

  // An existing file that cannot be read must not be replaced by one holding only new keys.
  std::string bytes(newFileBytes);
  try {
    if (!replaceWhole) bytes = ReadProfileFile(file).value_or(bytes);
  } catch (const ReadError&) {
    throw WriteError(PathText(file));
  }
  for (const auto& [key, value] : keyValues) {
    bytes = ApplyProfileWrite(bytes, section, key, value);
  }
  ReplaceFileAtomically(file, bytes);
}

void WriteProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value) {
  WriteProfileStrings(file, section, {{std::string(key), std::string(value)}});
}

}  // namespace kw
