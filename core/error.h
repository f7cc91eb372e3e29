#pragma once

#include <stdexcept>
#include <string>

namespace kw {

// A failure that carries the program's own message text (Windows-1252 bytes).
// The windows show what() as it stands, in the general error box or a message box.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A text that is no integer or no date.
class ConversionError : public Error {
 public:
  using Error::Error;
};

// A profile file (ticket file, ZW.INI) that could not be written: "Unable to write to <path>".
class WriteError : public Error {
 public:
  explicit WriteError(const std::string& path)
      : Error(std::string("Unable to write to ").append(path)) {}

 protected:
  // A refusal with a text of its own, for a reason the plain one would hide.
  struct OwnText {};
  WriteError(OwnText, const std::string& text) : Error(text) {}
};

// A ticket or settings file that must not be read: a folder, a device or a pipe in its place,
// a file far larger than any real one, or one the system refuses to read.
class ReadError : public Error {
 public:
  using Error::Error;
};

}  // namespace kw
