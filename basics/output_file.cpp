#include "basics/output_file.h"

#include <cctype>
#include <cerrno>

namespace tarvex {
namespace {

std::FILE* Create(const std::filesystem::path& path) {
#ifdef _WIN32
  return _wfopen(path.c_str(), L"wb");
#else
  return std::fopen(path.c_str(), "wb");
#endif
}

}  // namespace

std::string ReasonText(const std::error_code& error) {
  std::string text = error ? error.message() : "the system gave no reason";
  while (!text.empty() && (std::isspace(static_cast<unsigned char>(text.back())) || text.back() == '.')) {
    text.pop_back();
  }
  if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  return text;
}

int CloseStream(std::FILE* file) { return std::fclose(file); }

OutputFile::OutputFile(std::filesystem::path path, CloseFunction close)
    : path_(std::move(path)), file_(nullptr, Closer{close}) {
  errno = 0;
  file_.reset(Create(path_));
  if (!file_) Fail();
}

void OutputFile::Fail() {
  if (failure_.empty()) failure_ = ReasonText(std::error_code(errno, std::generic_category()));
}

bool OutputFile::Write(std::string_view bytes) {
  if (!failure_.empty()) return false;
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size() || std::fflush(file_.get()) != 0) {
    Fail();
  }
  return failure_.empty();
}

bool OutputFile::Close() {
  errno = 0;
  if (file_ && file_.get_deleter().close(file_.release()) != 0) Fail();
  return failure_.empty();
}

}  // namespace tarvex
