#include "core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <random>

#include "core/cp1252.h"
#include "core/error.h"

namespace kw {

namespace {

ReadError Refusal(const std::filesystem::path& file, std::string_view reason) {
  return ReadError("'" + PathText(file) + "' " + std::string(reason));
}

// Why a file of this kind is not read, or nothing for a regular file.
std::optional<ReadError> RefuseKind(const std::filesystem::path& file, mode_t mode) {
  if (S_ISREG(mode)) return std::nullopt;
  if (S_ISDIR(mode)) return Refusal(file, "ist ein Ordner und keine Datei");
  return Refusal(file, "ist keine gew\xF6hnliche Datei");
}

FileTooLargeError TooLargeError(const std::filesystem::path& file, std::size_t maxBytes) {
  // "gr\xF6\xDF" ends the literal, or the e after it would count as a hex digit.
  const std::string bound = maxBytes >= (1u << 20) ? std::to_string(maxBytes >> 20) + " MB"
                                                   : std::to_string(maxBytes) + " Bytes";
  const std::string reason =
      std::string("ist gr\xF6\xDF") + "er als " + bound + " und wird nicht gelesen";
  return FileTooLargeError("'" + PathText(file) + "' " + reason);
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

// A name beside the file that no other writer uses: the process, a count and a random part.
std::string TemporaryName(const std::filesystem::path& file) {
  static std::atomic<unsigned> count{0};
  static thread_local std::mt19937 random{std::random_device{}()};
  char suffix[48];
  std::snprintf(suffix, sizeof suffix, ".%ld.%u.%08x.tmp", static_cast<long>(::getpid()),
                count.fetch_add(1), static_cast<unsigned>(random()));
  return file.string() + suffix;
}

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
    throw Refusal(file, "kann nicht gelesen werden");
  }
  if (auto refusal = RefuseKind(file, info.st_mode)) throw *refusal;
  if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) throw TooLargeError(file, maxBytes);

  // Not blocking, and checked again, in case something else took the file's place meanwhile.
  const FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (errno == ENOENT) return std::nullopt;
    throw Refusal(file, "kann nicht gelesen werden");
  }
  if (::fstat(fd.get(), &info) != 0) throw Refusal(file, "kann nicht gelesen werden");
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
    if (n < 0) throw Refusal(file, "kann nicht gelesen werden");
    if (n == 0) break;
    used += static_cast<std::size_t>(n);
  }
  if (used > maxBytes) throw TooLargeError(file, maxBytes);
  bytes.resize(used);
  return bytes;
}

int (*ReplacementSync)(int fd) = ::fsync;

void ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  const WriteError failure(PathText(path));

  // A link stays a link: the file it points to is the one replaced.
  std::error_code ec;
  std::filesystem::path file = path;
  if (std::filesystem::is_symlink(path, ec)) {
    file = std::filesystem::weakly_canonical(path, ec);
    if (ec) throw failure;
  }

  // Only a regular file is ever replaced. A link to a device, a pipe or a folder keeps its
  // target: a rename over it would put a file in the place of, say, a device of the machine.
  struct stat old {};
  const bool exists = ::stat(file.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) throw failure;

  // Made with 0666, so that the kernel applies the umask (or the folder's default permissions)
  // as for any new file; the umask itself is never touched, which would race with other threads.
  std::string temp;
  int created = -1;
  for (int attempt = 0; created < 0 && attempt < 100; ++attempt) {
    temp = TemporaryName(file);
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
