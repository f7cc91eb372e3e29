#include "app/man_page.h"

#include <cctype>
#include <cstdio>
#include <initializer_list>

#include "app/command_line_forms.h"
#include "core/version.h"

namespace kw {

namespace {

using namespace command_line;

// One word of a text as roff: a backslash as "\e", the minus signs of an option ("--update")
// as "\-" so that a copied option works, quotes and tildes as the characters they are, and
// every character outside ASCII as a groff escape, so that the page reads alike in every locale.
std::string RoffWord(std::string_view word) {
  const std::size_t start = word.find_first_not_of("([\"");
  const bool option = start != std::string_view::npos && word.substr(start).starts_with("--");
  std::string out;
  for (std::size_t i = 0; i < word.size(); ++i) {
    const auto c = static_cast<unsigned char>(word[i]);
    if (c < 0x80) {
      switch (c) {
        case '\\':
          out += "\\e";
          break;
        case '-':
          out += option ? "\\-" : "-";
          break;
        case '\'':
          out += "\\(aq";
          break;
        case '~':
          out += "\\(ti";
          break;
        case '^':
          out += "\\(ha";
          break;
        case '`':
          out += "\\(ga";
          break;
        default:
          out += static_cast<char>(c);
      }
      continue;
    }
    // The table's texts are UTF-8 of our own: a lead byte and its continuation bytes.
    const int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    char32_t code = c & (0x7F >> length);
    for (int k = 1; k < length && i + 1 < word.size(); ++k) {
      code = (code << 6) | (static_cast<unsigned char>(word[++i]) & 0x3F);
    }
    char escape[16];
    std::snprintf(escape, sizeof escape, "\\[u%04X]", static_cast<unsigned>(code));
    out += escape;
  }
  return out;
}

// A text as roff lines: words as RoffWord writes them, the line breaks kept, and "\&" before a
// line that would otherwise begin with a control character.
std::string Roff(std::string_view text) {
  std::string out;
  bool lineStart = true;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == ' ' || c == '\n') {
      out += c;
      lineStart = c == '\n';
      ++i;
      continue;
    }
    const std::size_t end = text.find_first_of(" \n", i);
    const std::string_view word = text.substr(i, end == std::string_view::npos ? end : end - i);
    if (lineStart && (word.starts_with('.') || word.starts_with('\''))) out += "\\&";
    out += RoffWord(word);
    lineStart = false;
    i += word.size();
  }
  return out;
}

// An entry's form in roff: names bold, values italic, as manual pages set them.
std::string RoffForm(const CommandLineEntry& entry, bool optional) {
  std::string form;
  if (entry.kind == Kind::Ticket) {
    form = "\\fI" + Roff(entry.name) + "\\fR";
  } else {
    // Unbreakable blanks keep an option with its value.
    form = "\\fB" + Roff(entry.name) + "\\fR";
    if (!entry.valueName.empty()) form += "\\ \\fI" + Roff(entry.valueName) + "\\fR";
    if (entry.takesTickets) form += "\\ [\\fI" + Roff(entry.valueName) + "\\fR\\ ...\\&]";
  }
  return optional ? "[" + form + "]" : form;
}

// Terms, each set in the font of the macro given and followed by its text, as a list.
void AppendTerms(std::string& out, std::string_view macro,
                 std::initializer_list<std::pair<std::string_view, std::string_view>> terms) {
  for (const auto& [term, text] : terms) {
    out.append(".TP\n").append(macro).append(" ").append(Roff(term)).append("\n");
    out.append(Roff(text)).append("\n");
  }
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

}  // namespace

std::string ManPage(std::string_view date) {
  std::string out =
      ".\\\" kreuzwart(1), written by kreuzwart-man-page from the table of the command line\n";
  out.append(".TH KREUZWART 1 \"")
      .append(date)
      .append("\" \"Kreuzwart ")
      .append(kVersion)
      .append("\" \"Benutzerbefehle\"\n");
  out.append(".SH BEZEICHNUNG\nkreuzwart \\- ")
      .append(Roff("pr\u00fcft Spielscheine f\u00fcr Lotto 6 aus 49, Spiel 77 und Super 6"))
      .append("\n.SH ")
      .append(Roff("\u00dcBERSICHT"))
      .append("\n");
  std::vector<std::string_view> forms{""};
  for (const CommandLineEntry& entry : kCommandLine) {
    if (entry.kind == Kind::Command) forms.push_back(entry.name);
  }
  // One synopsis block per form: the program's name, then each part on a line of its own,
  // which the block breaks only between parts, with a hanging indent.
  for (const std::string_view form : forms) {
    out.append(".SY ").append(kProgram).append("\n");
    for (const UsagePart& part : UsageParts(form)) {
      out.append(RoffForm(*part.entry, part.optional)).append("\n");
    }
    out.append(".YS\n");
  }
  out.append(".SH BESCHREIBUNG\n").append(Roff(kDescription));
  for (const auto& [kind, heading] : kSections) {
    out.append(".SH ").append(Upper(heading)).append("\n");
    for (const CommandLineEntry& entry : kCommandLine) {
      if (entry.kind != kind) continue;
      out.append(".TP\n").append(RoffForm(entry, false)).append("\n");
      out.append(Roff(entry.help)).append("\n");
    }
  }
  out.append(".SH ").append(Roff("R\u00dcCKGABEWERT")).append("\n");
  AppendTerms(out, ".B",
              {{"0", "erledigt"},
               {"1",
                "die Arbeit schlug fehl: ein Schein, eine Datei oder das Archiv ist nicht lesbar, "
                "der Ergebnisdienst nicht erreichbar; die Meldung steht auf der "
                "Standardfehlerausgabe"},
               {"2",
                "der Aufruf taugt nicht: eine unbekannte Angabe, ein fehlender Wert, ein Datum "
                "oder eine Adresse, die nicht passt"}});
  out.append(".SH DATEIEN\n");
  AppendTerms(
      out, ".I",
      {{"ZW.INI",
        "der aktuelle Spielschein und die beiden Ziehungen: neben dem Programm, wenn dessen "
        "Ordner eine Datei aufnehmen kann, sonst in ~/.config/Kreuzwart/ZW.INI"},
       {"Ziehungen.sqlite", "das Archiv der Ziehungen, neben ZW.INI; --archive nennt ein anderes"},
       {"*.sch",
        "die Spielscheine, wo Sie sie ablegen: INI-Dateien in Windows-1252, wie die "
        "Windows-Version sie schreibt"}});
  out.append(".SH BEISPIELE\n");
  AppendTerms(out, ".B",
              {{"kreuzwart ~/Lotto/Woche.sch", "\u00f6ffnet die Fenster mit diesem Schein"},
               {"kreuzwart --update", "holt die Ziehungen, die dem Archiv fehlen, bis heute"},
               {"kreuzwart --check Woche.sch Dauerschein.sch",
                "pr\u00fcft beide Scheine \u00fcber ihre ganze Laufzeit"}});
  return out;
}

}  // namespace kw
