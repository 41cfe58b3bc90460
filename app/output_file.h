// A text file that the retrieval writes line by line: created (replacing any file of
// that name) when the user confirms its name, every write on disk before the next
// exchange, closed however the retrieval ends.
#pragma once

#include <QString>
#include <fstream>
#include <string_view>

namespace tarvex {

class OutputFile {
 public:
  // A file that cannot be created is no error: the writes then go nowhere.
  explicit OutputFile(const QString& path);

  // The bytes unchanged (code page 1251, CR LF as given), flushed at once so that
  // nothing is lost if the process ends.
  void Write(std::string_view bytes);

 private:
  std::ofstream stream_;
};

}  // namespace tarvex
