#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>

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

// Why a file of this kind is not read, or nothing for a regular file.
std::optional<ReadError> RefuseKind(const std::filesystem::path& file, mode_t mode) {
  if (S_ISREG(mode)) return std::nullopt;
  if (S_ISDIR(mode)) return FolderRefusal(file);
  return KindRefusal(file);
}

// Closes the descriptor when the work is over, whichever way it ends.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Closes it now, for a close whose failure counts.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::optional<std::string> ReadRegularFile(const std::filesystem::path& file,
                                           std::size_t maxBytes) {
  // The kind is checked before the file is opened: opening a pipe waits for a writer, and
  // opening a device may do something.
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
    throw UnreadableRefusal(file);
  }
  if (auto refusal = RefuseKind(file, info.st_mode)) throw *refusal;
  if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) throw TooLargeError(file, maxBytes);

  // Not blocking, and checked again, in case something else took the file's place meanwhile.
  const FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (errno == ENOENT) return std::nullopt;
    throw UnreadableRefusal(file);
  }
  if (::fstat(fd.get(), &info) != 0) throw UnreadableRefusal(file);
  if (auto refusal = RefuseKind(file, info.st_mode)) throw *refusal;

  // The size is only a hint: a file may grow while it is read, and some report none at all.
  // One byte more than the limit tells a file that is too large.
  std::string bytes(std::min<std::uintmax_t>(info.st_size, maxBytes) + 1, '\0');
  std::size_t used = 0;
  while (true) {
    if (used == bytes.size()) {
      if (used > maxBytes) throw TooLargeError(file, maxBytes);
      bytes.resize(std::min(bytes.size() * 2, maxBytes + 1));
    }
    const ssize_t n = ::read(fd.get(), bytes.data() + used, bytes.size() - used);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw UnreadableRefusal(file);
    if (n == 0) break;
    used += static_cast<std::size_t>(n);
  }
  if (used > maxBytes) throw TooLargeError(file, maxBytes);
  bytes.resize(used);
  return bytes;
}

int (*ReplacementSync)(int fd) = ::fsync;

std::FILE* OpenFile(const std::filesystem::path& file, const char* mode) {
  return std::fopen(file.c_str(), mode);
}

bool CanCreateFileIn(const std::filesystem::path& folder) {
  std::string probe = (folder / ".ZW.INI.XXXXXX").string();
  const int fd = ::mkstemp(probe.data());
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(probe.c_str());
  return true;
}

void ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  const WriteError failure(PathText(path));

  const std::filesystem::path file = file_io::ReplacementTarget(path, failure);

  // Only a regular file is ever replaced. A link to a device, a pipe or a folder keeps its
  // target: a rename over it would put a file in the place of, say, a device of the machine.
  struct stat old {};
  const bool exists = ::stat(file.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) throw failure;

  // Made with 0666, so that the kernel applies the umask (or the folder's default permissions)
  // as for any new file; the umask itself is never touched, which would race with other threads.
  std::filesystem::path temp;
  int created = -1;
  for (int attempt = 0; created < 0 && attempt < 100; ++attempt) {
    temp = file_io::TemporaryPath(file, static_cast<long>(::getpid()));
    created = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (created < 0 && errno != EEXIST) break;
  }
  if (created < 0) throw failure;
  FileDescriptor fd(created);

  bool ok = WriteAll(fd.get(), bytes);
  // An existing file keeps its permissions. After the writing, which may clear the set-id bits.
  if (exists) ok = ok && ::fchmod(fd.get(), old.st_mode & 07777) == 0;
  ok = ok && ReplacementSync(fd.get()) == 0;
  ok = fd.Close() && ok;
  ok = ok && std::rename(temp.c_str(), file.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    throw failure;
  }
}

}  // namespace kw
