#include "app/ini_file.h"

#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <iterator>

using tarvex::IniFile;

namespace {

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

class IniFileTest : public QObject {
  Q_OBJECT
 private slots:
  void ReadsWhatWindowsWrites() {
    // CR LF or LF, blanks around names and "=", names in any case.
    for (const char* text : {"[LOG]\r\n Port = 12 \r\nBAUD=9600\r\n", "[log]\nport =12\nbaud= 9600\n",
                             "[other]\r\nport=1\r\n\r\n[ Log ]\r\nPORT=12\r\nbaud=9600"}) {
      const IniFile ini = IniFile::Parse(text);
      QCOMPARE(ini.Get("log", "port"), std::optional<std::string>("12"));
      QCOMPARE(ini.Get("log", "baud"), std::optional<std::string>("9600"));
    }
  }

  void ValuesAreRawAndMissingKeysAreMissing() {
    const IniFile ini = IniFile::Parse("[log]\r\nport=a=b ;x\r\nbaud=\r\n;comment\r\n");
    QCOMPARE(ini.Get("log", "port"), std::optional<std::string>("a=b ;x"));
    QCOMPARE(ini.Get("log", "baud"), std::optional<std::string>(""));
    QCOMPARE(ini.Get("log", "other"), std::nullopt);
    QCOMPARE(ini.Get("nolog", "port"), std::nullopt);
    // A key of another section is not this section's.
    QCOMPARE(IniFile::Parse("[a]\r\nport=1\r\n[log]\r\n").Get("log", "port"), std::nullopt);
  }

  void WritesTheWindowsFormAndKeepsEverythingElse() {
    IniFile fresh = IniFile::Parse("");
    fresh.Set("log", "port", "7");
    fresh.Set("log", "baud", "38400");
    QCOMPARE(fresh.Serialize(), std::string("[log]\r\nport=7\r\nbaud=38400\r\n"));

    IniFile kept = IniFile::Parse("[log]\nPort = 3\n\n[extra]\nkey=value\n");
    kept.Set("LOG", "port", "12");
    kept.Set("log", "baud", "9600");
    QCOMPARE(kept.Serialize(),
             std::string("[log]\r\nport=12\r\nbaud=9600\r\n\r\n[extra]\r\nkey=value\r\n"));

    IniFile other = IniFile::Parse("[extra]\r\nkey=value");
    other.Set("log", "port", "7");
    QCOMPARE(other.Serialize(), std::string("[extra]\r\nkey=value\r\n[log]\r\nport=7\r\n"));
  }

  void FileFunctionsReadDefaultsAndReportUnwritableFiles() {
    QTemporaryDir dir;
    const std::filesystem::path file = dir.filePath("log.log").toStdString();
    QCOMPARE(tarvex::ReadProfileString(file, "log", "port", "7"), std::string("7"));
    WriteBytes(file, "[Log]\r\nport = 5\r\n");
    QCOMPARE(tarvex::ReadProfileString(file, "log", "port", "7"), std::string("5"));
    QVERIFY(tarvex::WriteProfileString(file, "log", "baud", "19200"));
    QCOMPARE(ReadBytes(file), std::string("[Log]\r\nport = 5\r\nbaud=19200\r\n"));
    // A directory in the file's place cannot be written, whoever runs the test.
    const std::filesystem::path blocked = dir.filePath("blocked").toStdString();
    std::filesystem::create_directory(blocked);
    QVERIFY(!tarvex::WriteProfileString(blocked, "log", "port", "7"));
  }
};

QTEST_GUILESS_MAIN(IniFileTest)
#include "ini_file_test.moc"
