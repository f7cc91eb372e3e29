#include <atomic>
#include <cstdio>
#include <random>
#include <string>

#include "core/cp1252.h"
#include "core/file_io_shared.h"

namespace kw {

FileInUseError::FileInUseError(const std::string& path)
    : WriteError(OwnText{}, "'" + path +
                                "' ist gerade in einem anderen Programm ge\xF6"
                                "ffnet und kann "
                                "nicht ersetzt werden. Die Datei blieb, wie sie war; nach dem "
                                "Schlie\xDF"
                                "en des anderen Programms gelingt das Speichern.") {}

}  // namespace kw

namespace kw::file_io {

ReadError Refusal(const std::filesystem::path& file, std::string_view reason) {
  return ReadError("'" + PathText(file) + "' " + std::string(reason));
}

ReadError FolderRefusal(const std::filesystem::path& file) {
  return Refusal(file, "ist ein Ordner und keine Datei");
}

ReadError KindRefusal(const std::filesystem::path& file) {
  return Refusal(file, "ist keine gew\xF6hnliche Datei");
}

ReadError UnreadableRefusal(const std::filesystem::path& file) {
  return Refusal(file, "kann nicht gelesen werden");
}

FileTooLargeError TooLargeError(const std::filesystem::path& file, std::size_t maxBytes) {
  // "gr\xF6\xDF" ends the literal, or the e after it would count as a hex digit.
  const std::string bound = maxBytes >= (1u << 20) ? std::to_string(maxBytes >> 20) + " MB"
                                                   : std::to_string(maxBytes) + " Bytes";
  const std::string reason =
      std::string("ist gr\xF6\xDF") + "er als " + bound + " und wird nicht gelesen";
  return FileTooLargeError("'" + PathText(file) + "' " + reason);
}

std::filesystem::path ReplacementTarget(const std::filesystem::path& path,
                                        const WriteError& failure) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(path, ec)) return path;
  std::filesystem::path target = std::filesystem::weakly_canonical(path, ec);
  if (ec) throw failure;
  return target;
}

std::filesystem::path TemporaryPath(const std::filesystem::path& file, long processId) {
  static std::atomic<unsigned> count{0};
  static thread_local std::mt19937 random{std::random_device{}()};
  char suffix[48];
  std::snprintf(suffix, sizeof suffix, ".%ld.%u.%08x.tmp", processId, count.fetch_add(1),
                static_cast<unsigned>(random()));
  std::filesystem::path temp = file;
  temp += suffix;
  return temp;
}

}  // namespace kw::file_io
