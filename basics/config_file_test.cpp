// File loading and saving of the configuration buffer, line breaks.
#include "basics/config_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>

#include "testing/scratch_folder.h"

namespace tarvex {
namespace {

std::span<const std::uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

TEST(ConfigFile, LoadingReplacesTheWholeBufferAndKeepsAnEmptyFileFromIt) {
  testing::ScratchFolder dir("config-file");
  std::array<std::uint8_t, 16> text{};
  std::int32_t length = 0;
  testing::PutFile(dir.path() / "long", "0123456789");
  EXPECT_EQ(LoadTextFile(dir.path() / "long", text, length), LoadResult::kLoaded);
  EXPECT_EQ(length, 10);
  EXPECT_EQ(std::string(TextUpToFirstZero(text)), std::string("0123456789"));

  // A shorter file leaves nothing of the longer text behind it.
  testing::PutFile(dir.path() / "short", std::string("ab\0c", 4));
  EXPECT_EQ(LoadTextFile(dir.path() / "short", text, length), LoadResult::kLoaded);
  EXPECT_EQ(length, 4);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(text.data()), text.size()),
            std::string("ab\0c", 4) + std::string(12, '\0'));

  // A missing file is created empty and the text held stays.
  EXPECT_EQ(LoadTextFile(dir.path() / "new.cfg", text, length), LoadResult::kEmpty);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "new.cfg"));
  EXPECT_EQ(std::filesystem::file_size(dir.path() / "new.cfg"), std::uintmax_t{0});
  EXPECT_EQ(length, 4);
  EXPECT_EQ(std::string(TextUpToFirstZero(text)), std::string("ab"));
}

TEST(ConfigFile, TheTerminatingZeroAlwaysFitsAndFailuresLeaveNothing) {
  testing::ScratchFolder dir("config-file");
  std::array<std::uint8_t, 16> text{};
  std::int32_t length = 0;
  testing::PutFile(dir.path() / "fits", std::string(15, 'x'));
  EXPECT_EQ(LoadTextFile(dir.path() / "fits", text, length), LoadResult::kLoaded);
  EXPECT_EQ(length, 15);
  EXPECT_EQ(text[15], std::uint8_t{0});

  // One byte more would leave no terminating 0: refused, not cut.
  testing::PutFile(dir.path() / "full", std::string(16, 'y'));
  EXPECT_EQ(LoadTextFile(dir.path() / "full", text, length), LoadResult::kFailed);
  EXPECT_EQ(length, 0);
  EXPECT_TRUE(std::ranges::all_of(text, [](std::uint8_t b) { return b == 0; }));

  text.fill('z');
  length = 7;
  // A folder cannot be opened as a file.
  EXPECT_EQ(LoadTextFile(dir.path(), text, length), LoadResult::kFailed);
  EXPECT_EQ(length, 0);
  EXPECT_TRUE(std::ranges::all_of(text, [](std::uint8_t b) { return b == 0; }));
}

TEST(ConfigFile, WritingIsByteExactAndReportsFailure) {
  testing::ScratchFolder dir("config-file");
  const std::string bytes("\x00\xFF\r\n\x1A" "end", 8);
  testing::PutFile(dir.path() / "f", std::string(100, 'o'));
  EXPECT_TRUE(WriteFileBytes(dir.path() / "f", Bytes(bytes)));
  EXPECT_EQ(testing::FileBytes(dir.path() / "f"), bytes);
  EXPECT_TRUE(WriteFileBytes(dir.path() / "empty", {}));
  EXPECT_EQ(testing::FileBytes(dir.path() / "empty"), std::string());
  EXPECT_FALSE(WriteFileBytes(dir.path(), Bytes(bytes)));
  EXPECT_FALSE(WriteFileBytes(dir.path() / "no/such/folder", Bytes(bytes)));
}

TEST(ConfigFile, LoneBreaksBecomeCrLf) {
  EXPECT_EQ(WithCrLfBreaks("a\nb\rc\r\nd\n\re\r\r\n"),
            std::string("a\r\nb\r\nc\r\nd\r\n\r\ne\r\n\r\n"));
  EXPECT_EQ(WithCrLfBreaks("\n"), std::string("\r\n"));
  EXPECT_EQ(WithCrLfBreaks("\r"), std::string("\r\n"));
  EXPECT_EQ(WithCrLfBreaks("no break"), std::string("no break"));
}

TEST(ConfigFile, TextEndsAtTheFirstZeroOrTheBufferEnd) {
  const std::array<std::uint8_t, 4> none{'a', 'b', 'c', 'd'};
  EXPECT_EQ(std::string(TextUpToFirstZero(none)), std::string("abcd"));
  const std::array<std::uint8_t, 4> inner{'a', 0, 'c', 0};
  EXPECT_EQ(std::string(TextUpToFirstZero(inner)), std::string("a"));
}

}  // namespace
}  // namespace tarvex
