#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "archive/archive_files.h"

namespace kw::archive_files {

namespace fs = std::filesystem;

Look LookAt(const fs::path& file) {
  struct stat info {};
  Look look;
  if (::stat(file.c_str(), &info) != 0) {
    look.error = errno;
    return look;
  }
  look.folder = S_ISDIR(info.st_mode);
  look.regular = S_ISREG(info.st_mode);
  look.size = static_cast<std::uint64_t>(info.st_size);
  return look;
}

bool Exists(const fs::path& file) {
  struct stat info {};
  return ::lstat(file.c_str(), &info) == 0;
}

std::string WhyReadOnly(const fs::path& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) == 0 && (info.st_mode & 0222) == 0) {
    return "ist schreibgesch\xFCtzt";
  }
  if (::access(file.c_str(), W_OK) != 0) {
    return errno == EROFS ? "liegt auf einem schreibgesch\xFCtzten Datentr\xE4ger"
                          : "darf von diesem Benutzer nicht ge\xE4ndert werden";
  }
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  if (::access(folder.c_str(), W_OK) != 0) {
    return "liegt in einem Ordner, in dem dieser Benutzer nicht schreiben darf";
  }
  return {};
}

long ReadStart(const fs::path& file, unsigned char* bytes, std::size_t size) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return -1;
  std::size_t used = 0;
  while (used < size) {
    const ssize_t n = ::read(fd, bytes + used, size - used);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    used += static_cast<std::size_t>(n);
  }
  ::close(fd);
  return static_cast<long>(used);
}

int CreateNew(const fs::path& file) {
  // 0666 less the umask, the mode any program's new file gets.
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return errno;
  ::close(fd);
  return 0;
}

int NameWithoutReplacing(const fs::path& temp, const fs::path& file) {
  // link() never replaces: a file another program put there meanwhile is kept and opened.
  if (::link(temp.c_str(), file.c_str()) != 0) {
    const int error = errno;
    if (error == EEXIST) return EEXIST;
    // File systems without hard links (FAT on a memory stick): a rename, after a last look.
    const bool noLinks =
        error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EMLINK;
    if (!noLinks || Exists(file) || std::rename(temp.c_str(), file.c_str()) != 0) return error;
  }
  // The new name reaches the disk with the folder.
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return 0;
}

void Remove(const fs::path& file) { ::unlink(file.c_str()); }

long ProcessId() { return static_cast<long>(::getpid()); }

}  // namespace kw::archive_files
