#include "basics/output_file.h"

namespace tarvex {

OutputFile::OutputFile(const std::filesystem::path& path)
    : stream_(path, std::ios::binary | std::ios::out | std::ios::trunc) {}

void OutputFile::Write(std::string_view bytes) {
  if (!stream_.is_open()) return;
  stream_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  stream_.flush();
}

}  // namespace tarvex
