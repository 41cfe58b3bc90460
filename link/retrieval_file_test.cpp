#include "link/retrieval_file.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "testing/scratch_folder.h"

namespace tarvex {
namespace {

TEST(RetrievalFile, AFailedCloseIsTheOutcomesFileFailure) {
  const testing::ScratchFolder dir("retrieval-file");
  const auto path = dir.path() / "events.log";
  // The records were flushed, but the system could not close the file.
  RetrievalFile file(path, [](std::FILE* stream) {
    std::fclose(stream);
    errno = EIO;
    return EOF;
  });
  file.Write("pointer = 2\r\n");
  file.WriteRecord("<r0\r\n");
  OperationOutcome outcome;
  file.Close(outcome);
  ASSERT_TRUE(outcome.file_failure.has_value());
  EXPECT_EQ(outcome.file_failure->path, path);
  EXPECT_EQ(outcome.file_failure->reason, ReasonText(std::error_code(EIO, std::generic_category())));
  EXPECT_EQ(outcome.file_failure->records, 1);
}

}  // namespace
}  // namespace tarvex
