// The archive's file calls on Windows: wide paths, attributes for the kind and the read-only
// mark, CreateFileW with CREATE_NEW for the exclusive creation and MoveFileExW without
// MOVEFILE_REPLACE_EXISTING for a name that never replaces another program's file.
#include <windows.h>

#include <cerrno>

#include "archive/archive_files.h"
#include "core/file_io.h"

namespace kw::archive_files {

namespace fs = std::filesystem;

namespace {

int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
      return ENOENT;
    case ERROR_DIRECTORY:
      return ENOTDIR;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_ACCESS_DENIED:
      return EACCES;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    default:
      return EIO;
  }
}

HANDLE Open(const fs::path& file, DWORD access, DWORD disposition) {
  return ::CreateFileW(file.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

Look LookAt(const fs::path& file) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  Look look;
  if (!::GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) {
    look.error = ErrnoOf(::GetLastError());
    return look;
  }
  look.folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  look.regular = !look.folder && (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) == 0;
  look.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return look;
}

bool Exists(const fs::path& file) {
  return ::GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string WhyReadOnly(const fs::path& file) {
  const DWORD attributes = ::GetFileAttributesW(file.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return "ist schreibgesch\xFCtzt";
  }
  const HANDLE handle = Open(file, GENERIC_WRITE, OPEN_EXISTING);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_WRITE_PROTECT) return "liegt auf einem schreibgesch\xFCtzten Datentr\xE4ger";
    if (error == ERROR_ACCESS_DENIED) return "darf von diesem Benutzer nicht ge\xE4ndert werden";
  } else {
    ::CloseHandle(handle);
  }
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  if (!CanCreateFileIn(folder)) {
    return "liegt in einem Ordner, in dem dieser Benutzer nicht schreiben darf";
  }
  return {};
}

long ReadStart(const fs::path& file, unsigned char* bytes, std::size_t size) {
  const HANDLE handle = Open(file, GENERIC_READ, OPEN_EXISTING);
  if (handle == INVALID_HANDLE_VALUE) return -1;
  std::size_t used = 0;
  DWORD n = 0;
  while (used < size &&
         ::ReadFile(handle, bytes + used, static_cast<DWORD>(size - used), &n, nullptr) && n > 0) {
    used += n;
  }
  ::CloseHandle(handle);
  return static_cast<long>(used);
}

int CreateNew(const fs::path& file) {
  const HANDLE handle = Open(file, GENERIC_WRITE, CREATE_NEW);
  if (handle == INVALID_HANDLE_VALUE) return ErrnoOf(::GetLastError());
  ::CloseHandle(handle);
  return 0;
}

int NameWithoutReplacing(const fs::path& temp, const fs::path& file) {
  if (::MoveFileExW(temp.c_str(), file.c_str(), MOVEFILE_WRITE_THROUGH)) return 0;
  return ErrnoOf(::GetLastError());
}

void Remove(const fs::path& file) { ::DeleteFileW(file.c_str()); }

long ProcessId() { return static_cast<long>(::GetCurrentProcessId()); }

}  // namespace kw::archive_files
