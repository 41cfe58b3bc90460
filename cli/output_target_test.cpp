#include "cli/output_target.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/scratch_folder.h"

namespace tarvex::cli {
namespace {

TEST(OutputTarget, TakesThePlaceOfAnEarlierFileOnlyWhenCommitted) {
  const tarvex::testing::ScratchFolder folder("output-target");
  const auto target = folder.path() / "events.log";
  tarvex::testing::PutFile(target, "earlier");
  OutputTarget output(target);
  const std::string bytes = "new";
  output.Write({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  EXPECT_EQ(tarvex::testing::FileBytes(target), "earlier");
  output.Commit();
  EXPECT_EQ(tarvex::testing::FileBytes(target), "new");
  EXPECT_FALSE(std::filesystem::exists(output.working()));
}

}  // namespace
}  // namespace tarvex::cli
