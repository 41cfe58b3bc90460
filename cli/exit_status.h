// How tarvex-cli ends, and the error that carries a status and its one line up to
// the end of the run.
#pragma once

#include <stdexcept>
#include <string>

namespace tarvex::cli {

enum ExitStatus : int {
  kDone = 0,
  kControllerFailed = 1,
  kUsage = 2,
  kPortFailed = 3,
  // The output file could not be created, written or flushed.
  kFileFailed = 4,
  // As a shell reports a program ended by SIGINT.
  kInterrupted = 130,
};

// what(): the error line without the program's name, in UTF-8.
class CliError : public std::runtime_error {
 public:
  CliError(ExitStatus status, const std::string& message)
      : std::runtime_error(message), status_(status) {}
  ExitStatus status() const { return status_; }

 private:
  ExitStatus status_;
};

}  // namespace tarvex::cli
