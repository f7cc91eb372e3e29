#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace kw::test {

// What a command printed on its two streams, and its exit code.
struct Outcome {
  int code = -1;
  std::string out;
  std::string err;
};

// Runs command(out, err), each a stream kept in memory, and gives what it printed.
template <class Command>
Outcome Capture(Command command) {
  char* outBytes = nullptr;
  char* errBytes = nullptr;
  std::size_t outSize = 0, errSize = 0;
  std::FILE* out = open_memstream(&outBytes, &outSize);
  std::FILE* err = open_memstream(&errBytes, &errSize);
  Outcome run;
  run.code = command(out, err);
  std::fclose(out);
  std::fclose(err);
  run.out.assign(outBytes, outSize);
  run.err.assign(errBytes, errSize);
  std::free(outBytes);
  std::free(errBytes);
  return run;
}

}  // namespace kw::test
