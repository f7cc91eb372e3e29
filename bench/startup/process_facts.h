#pragma once

// What the start-up measurement asks of the system about its own process, one file per
// platform (process_facts_posix.cpp, process_facts_windows.cpp).
namespace startup {

// Milliseconds since the system created this process.
double MsSinceProcessStart();

// The most memory the process has held in RAM so far, in MiB: the peak resident set on Linux,
// the peak working set on Windows.
double PeakMemoryMib();

// Whether a library whose file name contains part is loaded into the process.
bool LibraryLoaded(const char* part);

}  // namespace startup
