// Any bytes as a ticket file: whatever the readers accept, the writer saves so that it reads back
// the same, both over the file it came from and into a new file. A game holding a 0 is saved as
// an empty game, so it comes back empty; the system fields come back with the same numbers, or
// as they stood with the same reason. The term check's reader takes exactly what the editor's
// takes and refuses the rest with its own reason, never with another failure.
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/error.h"
#include "core/records.h"
#include "core/ticket_file.h"
#include "core/ticket_term.h"

namespace {

constexpr int kYear = 2026;

// Every run writes files, and every write is flushed to disk: a folder in memory keeps the runs
// fast where there is one.
const std::filesystem::path& WorkDir() {
  // Never destroyed, so that the clean-up at exit still knows the folder.
  static const auto* dir = [] {
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::string pattern = (base / "ticket-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(WorkDir(), ignored);
    });
    return new std::filesystem::path(pattern);
  }();
  return *dir;
}

void Write(const std::filesystem::path& file, const uint8_t* data, std::size_t size) {
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// Reads with the editor's reader; false when it refuses the file.
bool Read(const std::filesystem::path& file, kw::EditorTicket& ticket) {
  try {
    kw::ReadEditorTicketFile(ticket, file.string(), kYear);
    return true;
  } catch (const kw::ConversionError&) {
    return false;
  }
}

// A full system is written in the file's form, so its numbers come back, not its text; anything
// else in a system field but blanks comes back as it stood, with the same reason.
bool SameSystems(const kw::TicketSystems& a, const kw::TicketSystems& b) {
  for (int s = 0; s < kw::kSystemCount; ++s) {
    // A field of nothing but blanks plays nothing, whichever blanks it held.
    if (a[s].IsEmpty() && b[s].IsEmpty()) continue;
    if (a[s].numbers != b[s].numbers || a[s].problem != b[s].problem ||
        kw::SystemFieldText(a[s]) != kw::SystemFieldText(b[s])) {
      return false;
    }
    if (a[s].IsSystem() && !kw::IsFullSystem(a[s].numbers)) return false;
  }
  return true;
}

bool Same(const kw::EditorTicket& a, const kw::EditorTicket& b) {
  return a.games == b.games && a.lotNumber == b.lotNumber && a.expiryDate == b.expiryDate &&
         SameSystems(a.systems, b.systems);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::filesystem::path input = WorkDir() / "input.sch";
  const std::filesystem::path fresh = WorkDir() / "fresh.sch";
  Write(input, data, size);
  std::filesystem::remove(fresh);

  kw::EditorTicket read;
  const bool editorReads = Read(input, read);
  try {
    const kw::TermTicket term = kw::ReadTermTicket(input.string(), kYear);
    if (!editorReads || term.ticket.games != read.games) std::abort();
  } catch (const kw::TicketRefused&) {
    if (editorReads) std::abort();
  }
  if (!editorReads) return 0;

  // The main window's reader accepts the same files and reads the same games.
  kw::Ticket ticket;
  try {
    kw::LoadTicket(ticket, input.string(), kYear);
  } catch (const kw::ConversionError&) {
    std::abort();
  }
  if (ticket.games != read.games || ticket.expiryDate != read.expiryDate) std::abort();

  kw::EditorTicket expected = read;
  for (kw::Game& game : expected.games) {
    if (std::find(game.begin(), game.end(), 0) != game.end()) game = kw::Game{};
  }
  for (const std::filesystem::path& target : {input, fresh}) {
    kw::WriteTicketFile(read, target.string());  // a WriteError aborts the run: reported
    kw::EditorTicket back;
    if (!Read(target, back) || !Same(back, expected)) std::abort();
  }
  return 0;
}
