#include "sim/model/request_splitter.h"

#include <gtest/gtest.h>

#include "sim/model/sim_testing.h"

namespace tarvex::sim {
namespace {

using testing::Bytes;

const Bytes kCountQuery = {0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x1C,
                           0x06, 0x00, 0x00, 0x00, 0x00, 0x8A, 0x47};
const Bytes kConfigRead = {0x05, 0x64, 0x03, 0x0B, 0x01, 0x06,
                           0x00, 0x00, 0x00, 0x3D, 0x48, 0x1B};
const Bytes kResetBytes = {0x7B, 0x22, 0x43, 0x52, 0x45, 0x53, 0x45,
                           0x54, 0x22, 0x3A, 0x32, 0x32, 0x32, 0x7D};

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(RequestSplitter, CutsEveryRequestFormByItsOwnLength) {
  const std::uint8_t script[] = {'a', 'b', 'c'};
  TransferBuffer frame{};
  const std::size_t script_length = BuildScriptDownloadRequest(frame, script);
  const Bytes download(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(script_length));
  const std::uint8_t text[40] = {};
  const Bytes stream = Join({kCountQuery, kConfigRead, download, testing::WriteBlock(0, text),
                             testing::ReadBlock(40), kResetBytes});

  RequestSplitter splitter;
  const std::vector<Request> requests = splitter.Feed(stream);
  ASSERT_EQ(requests.size(), 6u);
  EXPECT_EQ(requests[0].bytes, kCountQuery);
  EXPECT_EQ(requests[0].kind, RequestKind::kLongHeader);
  EXPECT_EQ(requests[1].bytes, kConfigRead);
  EXPECT_EQ(requests[1].kind, RequestKind::kShortHeader);
  EXPECT_EQ(requests[2].bytes.size(), 17u);
  EXPECT_EQ(requests[3].bytes.size(), 52u);
  EXPECT_EQ(requests[4].bytes.size(), 13u);
  EXPECT_EQ(requests[5].bytes, kResetBytes);
  EXPECT_EQ(requests[5].kind, RequestKind::kResetText);
  EXPECT_FALSE(splitter.HasPartial());
}

TEST(RequestSplitter, JoinsARequestSplitAcrossReads) {
  RequestSplitter splitter;
  const Bytes stream = Join({kCountQuery, kResetBytes});
  std::vector<Request> requests;
  for (std::uint8_t byte : stream) {
    for (Request& r : splitter.Feed(std::span(&byte, 1))) requests.push_back(std::move(r));
  }
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].bytes, kCountQuery);
  EXPECT_EQ(requests[1].bytes, kResetBytes);
}

TEST(RequestSplitter, SkipsGarbageAndResynchronises) {
  // Stray bytes, a 5 not followed by 100, a "{" that is not the reset text, and a long
  // header whose checksum is wrong all come before a real request.
  const Bytes garbage = {0x00, 0xFF, 0x05, 0x05, 0x63, 0x7B, 0x41,
                         0x05, 0x64, 0x08, 0x00, 0x00, 0x00, 0x11, 0x13};
  RequestSplitter splitter;
  const std::vector<Request> requests = splitter.Feed(Join({garbage, kConfigRead}));
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].bytes, kConfigRead);
}

TEST(RequestSplitter, RefusesShortBlocksOutsideTheBlockSizes) {
  Bytes oversized = testing::ReadBlock(0);
  oversized[9] = 41;
  RequestSplitter splitter;
  EXPECT_EQ(splitter.Feed(Join({oversized, kCountQuery})).back().bytes, kCountQuery);
}

TEST(RequestSplitter, ResetForgetsAnUnfinishedRequest) {
  RequestSplitter splitter;
  EXPECT_TRUE(splitter.Feed(std::span(kCountQuery).first(9)).empty());
  EXPECT_TRUE(splitter.HasPartial());
  splitter.Reset();
  EXPECT_FALSE(splitter.HasPartial());
  const std::vector<Request> requests = splitter.Feed(kCountQuery);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].bytes, kCountQuery);
}

}  // namespace
}  // namespace tarvex::sim
