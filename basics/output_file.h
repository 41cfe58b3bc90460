// A text file that a retrieval writes as it goes: created (replacing any file of that
// name) when the retrieval has its first lines, every write on disk before the next
// exchange, closed however the retrieval ends.
#pragma once

#include <filesystem>
#include <fstream>
#include <string_view>

namespace tarvex {

class OutputFile {
 public:
  // A file that cannot be created is no error: the writes then go nowhere.
  explicit OutputFile(const std::filesystem::path& path);

  // The bytes unchanged (code page 1251, CR LF as given), flushed at once so that
  // nothing is lost if the process ends.
  void Write(std::string_view bytes);

 private:
  std::ofstream stream_;
};

}  // namespace tarvex
