#include "core/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>

#include "core/cp1252.h"
#include "core/error.h"

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

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

// One line of the file: its text and the line end that followed it (empty on the last line).
struct RawLine {
  std::string_view text;
  std::string_view end;
};

std::vector<RawLine> SplitLines(std::string_view bytes) {
  std::vector<RawLine> lines;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t stop = pos;
    while (stop < bytes.size() && bytes[stop] != '\r' && bytes[stop] != '\n') ++stop;
    std::size_t next = stop;
    if (next < bytes.size()) {
      next += (bytes[next] == '\r' && next + 1 < bytes.size() && bytes[next + 1] == '\n') ? 2 : 1;
    }
    lines.push_back({bytes.substr(pos, stop - pos), bytes.substr(stop, next - stop)});
    pos = next;
  }
  return lines;
}

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

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file) {
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec)) return std::nullopt;
  try {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return bytes;
  } catch (const std::ios_base::failure&) {
    return std::nullopt;
  }
}

}  // namespace

Profile Profile::Parse(std::string_view bytes) {
  Profile profile;
  for (const RawLine& line : SplitLines(SkipBom(bytes))) {
    const LineMeaning meaning = Interpret(line.text);
    if (meaning.kind == LineMeaning::Kind::Section) {
      profile.sections_.push_back({std::string(meaning.name), {}});
    } else if (meaning.kind == LineMeaning::Kind::Key && !profile.sections_.empty()) {
      // Lines before the first header belong to no section.
      profile.sections_.back().keys.emplace_back(std::string(meaning.name),
                                                 std::string(Unquote(meaning.value)));
    }
  }
  return profile;
}

Profile Profile::Load(const std::filesystem::path& file) {
  return Parse(ReadWholeFile(file).value_or(std::string{}));
}

std::string Profile::Read(std::string_view section, std::string_view key) const {
  // The first matching section wins, and within it the first matching key.
  for (const Section& candidate : sections_) {
    if (!EqualsNoCase(candidate.name, section)) continue;
    for (const auto& [name, value] : candidate.keys) {
      if (EqualsNoCase(name, key)) return value;
    }
    return {};
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
  const std::string keyLine = std::string(key) + "=" + std::string(value);

  const std::string_view bom = bytes.starts_with(kUtf8Bom) ? kUtf8Bom : std::string_view{};
  std::vector<RawLine> lines = SplitLines(bytes.substr(bom.size()));

  // Find the first matching section, its last key line and its first matching key.
  std::optional<std::size_t> header, lastKey, match;
  bool inSection = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const LineMeaning meaning = Interpret(lines[i].text);
    if (meaning.kind == LineMeaning::Kind::Section) {
      if (header) break;  // the section ended
      inSection = EqualsNoCase(meaning.name, section);
      if (inSection) header = i;
    } else if (inSection && meaning.kind == LineMeaning::Kind::Key) {
      lastKey = i;
      if (EqualsNoCase(meaning.name, key)) {
        match = i;
        break;
      }
    }
  }

  std::string out(bom);
  auto appendLine = [&out](std::string_view text, std::string_view end) {
    out += text;
    out += end;
  };

  if (!header) {
    for (const RawLine& line : lines) appendLine(line.text, line.end);
    if (!lines.empty() && lines.back().end.empty()) out += kLineEnd;
    appendLine(std::string("[").append(section).append("]"), kLineEnd);
    appendLine(keyLine, kLineEnd);
    return out;
  }

  const std::size_t insertAfter = lastKey.value_or(*header);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (match && i == *match) {
      appendLine(keyLine, lines[i].end.empty() ? kLineEnd : lines[i].end);
      continue;
    }
    appendLine(lines[i].text, lines[i].end);
    if (!match && i == insertAfter) {
      if (lines[i].end.empty()) out += kLineEnd;
      appendLine(keyLine, kLineEnd);
    }
  }
  return out;
}

void ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  const WriteError failure(PathText(path));

  // A link stays a link: the file it points to is the one replaced.
  std::error_code ec;
  std::filesystem::path file = path;
  if (std::filesystem::is_symlink(path, ec)) {
    file = std::filesystem::weakly_canonical(path, ec);
    if (ec) throw failure;
  }

  std::string temp = file.string() + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) throw failure;

  // Keep the permissions an existing file had.
  struct stat old {};
  if (::stat(file.c_str(), &old) == 0) {
    ::fchmod(fd, old.st_mode & 07777);
  } else {
    ::fchmod(fd, 0644);
  }

  bool ok = true;
  std::size_t written = 0;
  while (ok && written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) written += static_cast<std::size_t>(n);
  }
  ok = ok && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && std::rename(temp.c_str(), file.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    throw failure;
  }
}

void WriteProfileStrings(const std::filesystem::path& file, std::string_view section,
                         const std::vector<std::pair<std::string, std::string>>& keyValues) {
  // A line break inside a value would end its line and start another key: refused.
  auto hasLineBreak = [](std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
  };
  if (hasLineBreak(section)) throw WriteError(PathText(file));
  for (const auto& [key, value] : keyValues) {
    if (hasLineBreak(key) || hasLineBreak(value)) throw WriteError(PathText(file));
  }

  std::error_code ec;
  std::string bytes;
  if (std::filesystem::exists(file, ec)) {
    std::optional<std::string> current = ReadWholeFile(file);
    // An existing file that cannot be read must not be replaced by one holding only new keys.
    if (!current) throw WriteError(PathText(file));
    bytes = std::move(*current);
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
