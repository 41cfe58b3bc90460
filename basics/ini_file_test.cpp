#include "basics/ini_file.h"

#include <gtest/gtest.h>


#include "testing/scratch_folder.h"

namespace tarvex {
namespace {

TEST(IniFile, ReadsWhatWindowsWrites) {
  // CR LF or LF, blanks around names and "=", names in any case.
  for (const char* text : {"[LOG]\r\n Port = 12 \r\nBAUD=9600\r\n", "[log]\nport =12\nbaud= 9600\n",
                           "[other]\r\nport=1\r\n\r\n[ Log ]\r\nPORT=12\r\nbaud=9600"}) {
    const IniFile ini = IniFile::Parse(text);
    EXPECT_EQ(ini.Get("log", "port"), std::optional<std::string>("12"));
    EXPECT_EQ(ini.Get("log", "baud"), std::optional<std::string>("9600"));
  }
}

TEST(IniFile, ValuesAreRawAndMissingKeysAreMissing) {
  const IniFile ini = IniFile::Parse("[log]\r\nport=a=b ;x\r\nbaud=\r\n;comment\r\n");
  EXPECT_EQ(ini.Get("log", "port"), std::optional<std::string>("a=b ;x"));
  EXPECT_EQ(ini.Get("log", "baud"), std::optional<std::string>(""));
  EXPECT_EQ(ini.Get("log", "other"), std::nullopt);
  EXPECT_EQ(ini.Get("nolog", "port"), std::nullopt);
  // A key of another section is not this section's.
  EXPECT_EQ(IniFile::Parse("[a]\r\nport=1\r\n[log]\r\n").Get("log", "port"), std::nullopt);
}

TEST(IniFile, WritesTheWindowsFormAndKeepsEverythingElse) {
  IniFile fresh = IniFile::Parse("");
  fresh.Set("log", "port", "7");
  fresh.Set("log", "baud", "38400");
  EXPECT_EQ(fresh.Serialize(), "[log]\r\nport=7\r\nbaud=38400\r\n");

  IniFile kept = IniFile::Parse("[log]\nPort = 3\n\n[extra]\nkey=value\n");
  kept.Set("LOG", "port", "12");
  kept.Set("log", "baud", "9600");
  EXPECT_EQ(kept.Serialize(), "[log]\r\nport=12\r\nbaud=9600\r\n\r\n[extra]\r\nkey=value\r\n");

  IniFile other = IniFile::Parse("[extra]\r\nkey=value");
  other.Set("log", "port", "7");
  EXPECT_EQ(other.Serialize(), "[extra]\r\nkey=value\r\n[log]\r\nport=7\r\n");
}

TEST(IniFile, FileFunctionsReadDefaultsAndReportUnwritableFiles) {
  const testing::ScratchFolder dir("ini-file");
  const std::filesystem::path file = dir.path() / "log.log";
  EXPECT_EQ(ReadProfileString(file, "log", "port", "7"), "7");
  testing::PutFile(file, "[Log]\r\nport = 5\r\n");
  EXPECT_EQ(ReadProfileString(file, "log", "port", "7"), "5");
  EXPECT_TRUE(WriteProfileString(file, "log", "baud", "19200"));
  EXPECT_EQ(testing::FileBytes(file), "[Log]\r\nport = 5\r\nbaud=19200\r\n");
  // A missing folder is made; a directory in the file's place cannot be written,
  // whoever runs the test.
  EXPECT_TRUE(WriteProfileString(dir.path() / "new" / "log.log", "log", "port", "7"));
  EXPECT_EQ(testing::FileBytes(dir.path() / "new" / "log.log"), "[log]\r\nport=7\r\n");
  const std::filesystem::path blocked = dir.path() / "blocked";
  std::filesystem::create_directory(blocked);
  EXPECT_FALSE(WriteProfileString(blocked, "log", "port", "7"));
}

}  // namespace
}  // namespace tarvex
