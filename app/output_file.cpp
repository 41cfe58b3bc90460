#include "app/output_file.h"

#include <filesystem>

namespace tarvex {

OutputFile::OutputFile(const QString& path)
    : stream_(std::filesystem::path(path.toStdU16String()),
              std::ios::binary | std::ios::out | std::ios::trunc) {}

void OutputFile::Write(std::string_view bytes) {
  if (!stream_.is_open()) return;
  stream_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  stream_.flush();
}

}  // namespace tarvex
