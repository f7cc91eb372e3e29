// Whole-file reads and the atomic replacement on Windows: wide paths throughout, the kind of a
// file told by its attributes and by GetFileType, the replacement by MoveFileExW.
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "core/cp1252.h"
#include "core/error.h"
#include "core/file_io.h"
#include "core/file_io_shared.h"

namespace kw {

namespace {

using file_io::FolderRefusal;
using file_io::KindRefusal;
using file_io::TooLargeError;
using file_io::UnreadableRefusal;

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (valid()) ::CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

bool Missing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_INVALID_NAME || error == ERROR_BAD_NETPATH || error == ERROR_DIRECTORY;
}

bool WriteAll(int fd, std::string_view bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const unsigned chunk =
        static_cast<unsigned>(std::min<std::size_t>(bytes.size() - written, 1u << 30));
    const int n = ::_write(fd, bytes.data() + written, chunk);
    if (n <= 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

// Whether some program has the file open without letting others delete it: asking for the
// right to delete it then fails with a sharing violation, not for a lack of permission.
bool HeldOpenElsewhere(const std::filesystem::path& file) {
  const Handle probe(::CreateFileW(file.c_str(), DELETE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return !probe.valid() && ::GetLastError() == ERROR_SHARING_VIOLATION;
}

int FlushToDisk(int fd) {
  const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
  return handle != INVALID_HANDLE_VALUE && ::FlushFileBuffers(handle) ? 0 : -1;
}

}  // namespace

std::optional<std::string> ReadRegularFile(const std::filesystem::path& file,
                                           std::size_t maxBytes) {
  // A folder cannot be opened as a file; its attributes say what it is.
  const DWORD attributes = ::GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    // Devices such as NUL or COM1 have no attributes on some systems: opened below.
    if (Missing(error)) return std::nullopt;
  } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    throw FolderRefusal(file);
  }

  const Handle handle(::CreateFileW(file.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!handle.valid()) {
    if (Missing(::GetLastError())) return std::nullopt;
    throw UnreadableRefusal(file);
  }
  // A console, a pipe or a device reads as something else than a file on the disk.
  if (::GetFileType(handle.get()) != FILE_TYPE_DISK) throw KindRefusal(file);
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(handle.get(), &size)) throw UnreadableRefusal(file);
  if (static_cast<std::uintmax_t>(size.QuadPart) > maxBytes) throw TooLargeError(file, maxBytes);

  // The size is only a hint: a file may grow while it is read. One byte more than the limit
  // tells a file that is too large.
  std::string bytes(std::min<std::uintmax_t>(size.QuadPart, maxBytes) + 1, '\0');
  std::size_t used = 0;
  while (true) {
    if (used == bytes.size()) {
      if (used > maxBytes) throw TooLargeError(file, maxBytes);
      bytes.resize(std::min(bytes.size() * 2, maxBytes + 1));
    }
    DWORD n = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - used, 1u << 30));
    if (!::ReadFile(handle.get(), bytes.data() + used, wanted, &n, nullptr)) {
      throw UnreadableRefusal(file);
    }
    if (n == 0) break;
    used += n;
  }
  if (used > maxBytes) throw TooLargeError(file, maxBytes);
  bytes.resize(used);
  return bytes;
}

int (*ReplacementSync)(int fd) = FlushToDisk;

void ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  const WriteError failure(PathText(path));

  const std::filesystem::path file = file_io::ReplacementTarget(path, failure);
  // Only a file is ever replaced, never a folder or a device.
  const DWORD attributes = ::GetFileAttributesW(file.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))) throw failure;

  std::filesystem::path temp;
  int created = -1;
  for (int attempt = 0; created < 0 && attempt < 100; ++attempt) {
    temp = file_io::TemporaryPath(file, static_cast<long>(::_getpid()));
    created = ::_wopen(temp.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                       _S_IREAD | _S_IWRITE);
    if (created < 0 && errno != EEXIST) break;
  }
  if (created < 0) throw failure;

  bool ok = WriteAll(created, bytes);
  ok = ok && ReplacementSync(created) == 0;
  ok = ::_close(created) == 0 && ok;
  DWORD error = ERROR_SUCCESS;
  if (ok && !::MoveFileExW(temp.c_str(), file.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = ::GetLastError();
    ok = false;
  }
  if (!ok) {
    ::DeleteFileW(temp.c_str());
    // Another program that holds the file open (an editor, a virus scanner, a backup) keeps it
    // from being replaced until it closes it; Windows then says only "access denied".
    if ((error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
         error == ERROR_LOCK_VIOLATION) &&
        HeldOpenElsewhere(file)) {
      throw FileInUseError(PathText(path));
    }
    throw failure;
  }
}

std::FILE* OpenFile(const std::filesystem::path& file, const char* mode) {
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return ::_wfopen(file.c_str(), wideMode.c_str());
}

bool CanCreateFileIn(const std::filesystem::path& folder) {
  const std::filesystem::path probe = file_io::TemporaryPath(folder / ".ZW.INI", ::_getpid());
  const Handle handle(::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return handle.valid();
}

}  // namespace kw
