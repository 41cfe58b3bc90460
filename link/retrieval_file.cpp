#include "link/retrieval_file.h"

namespace tarvex {

RetrievalFile::RetrievalFile(const std::optional<std::filesystem::path>& path, CloseFunction close) {
  if (path) file_.emplace(*path, close);
}

void RetrievalFile::Write(std::string_view bytes) {
  if (file_) file_->Write(bytes);
}

void RetrievalFile::WriteRecord(std::string_view bytes) {
  if (file_ && file_->Write(bytes)) ++records_;
}

void RetrievalFile::Close(OperationOutcome& outcome) {
  if (file_ && !file_->Close()) outcome.file_failure = FileFailure{file_->path(), file_->failure(), records_};
}

}  // namespace tarvex
