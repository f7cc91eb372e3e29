#include "app/help_text.h"

#include "app/command_line_forms.h"

namespace kw {

namespace {

using namespace command_line;

constexpr std::size_t kHelpColumn = 24;  // where the help texts begin
constexpr std::size_t kLineWidth = 79;
constexpr std::size_t kUsageIndent = 8;  // "Aufruf: " and the lines below it

// The program's name, the command with its value, and the options that go with it, broken
// before an option that would pass the terminal's width; a broken line goes on below the command.
std::string UsageLine(std::string_view command) {
  const std::string continuation(kUsageIndent + kProgram.size() + 1, ' ');
  std::string line(kProgram);
  std::size_t column = kUsageIndent + kProgram.size();
  for (const UsagePart& usage : UsageParts(command)) {
    const std::string part = usage.optional ? "[" + Form(*usage.entry) + "]" : Form(*usage.entry);
    if (column + 1 + part.size() > kLineWidth) {
      line.append("\n").append(continuation);
      column = continuation.size();
    } else {
      line += ' ';
      ++column;
    }
    line += part;
    column += part.size();
  }
  return line;
}

// Appends the entry's form and its help, the help wrapped at word boundaries into its column.
void AppendEntryHelp(std::string& out, const CommandLineEntry& entry) {
  std::string line = "  " + Form(entry);
  auto breakLine = [&] {
    out.append(line).append("\n");
    line.assign(kHelpColumn, ' ');
  };
  if (line.size() + 1 >= kHelpColumn) breakLine();
  line.resize(kHelpColumn, ' ');
  std::string_view words = entry.help;
  bool first = true;
  while (!words.empty()) {
    const std::size_t blank = words.find(' ');
    const std::string_view word = words.substr(0, blank);
    // Counted in bytes: an umlaut takes two, which only ever breaks a line a little early.
    if (!first && line.size() + 1 + word.size() > kLineWidth) breakLine();
    if (!first && line.size() > kHelpColumn) line += ' ';
    line.append(word);
    first = false;
    words.remove_prefix(blank == std::string_view::npos ? words.size() : blank + 1);
  }
  out.append(line).append("\n");
}
}  // namespace

std::string HelpText() {
  std::string out = "Aufruf: ";
  const std::string indent(kUsageIndent, ' ');
  out.append(UsageLine("")).append("\n");
  for (const CommandLineEntry& entry : kCommandLine) {
    if (entry.kind == Kind::Command) out.append(indent).append(UsageLine(entry.name)).append("\n");
  }
  out.append("\n").append(kDescription);
  for (const auto& [kind, heading] : kSections) {
    out.append("\n").append(heading).append(":\n");
    for (const CommandLineEntry& entry : kCommandLine) {
      if (entry.kind == kind) AppendEntryHelp(out, entry);
    }
  }
  return out;
}

}  // namespace kw
