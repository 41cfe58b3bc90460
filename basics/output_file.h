// A file written as work goes on: created (replacing any file of that name) when it
// is opened, every write on disk before the next exchange, closed however the work
// ends. A file that cannot be created, written or flushed is told, with the system's
// reason, never taken for written.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

namespace tarvex {

// The system's words for `error` as the tool's lines put them: "no space left on
// device", without a capital or a closing stop.
std::string ReasonText(const std::error_code& error);

// Closes a stream as std::fclose does; tests put a failing one in its place.
using CloseFunction = int (*)(std::FILE*);
int CloseStream(std::FILE* file);

class OutputFile {
 public:
  explicit OutputFile(std::filesystem::path path, CloseFunction close = CloseStream);

  const std::filesystem::path& path() const { return path_; }

  // The bytes unchanged (code page 1251, CR LF as given), flushed at once so that
  // nothing is lost if the process ends. False when they did not all reach the file,
  // now or at an earlier write: after a failure the file takes nothing more.
  bool Write(std::string_view bytes);
  // Closes the file; false when it failed at any time.
  bool Close();

  // Why the file failed, in the system's words ("no space left on device"); empty
  // while it has not.
  const std::string& failure() const { return failure_; }

 private:
  struct Closer {
    CloseFunction close;
    void operator()(std::FILE* file) const { close(file); }
  };
  // Keeps the first failure, from errno.
  void Fail();

  std::filesystem::path path_;
  std::unique_ptr<std::FILE, Closer> file_;
  std::string failure_;
};

}  // namespace tarvex
