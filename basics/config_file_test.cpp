// File loading and saving of the configuration buffer, line breaks.
#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "basics/config_file.h"

using tarvex::LoadResult;

namespace {

std::filesystem::path PathIn(const QTemporaryDir& dir, const char* name) {
  return std::filesystem::path(dir.filePath(name).toStdString());
}

void WriteRaw(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadRaw(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::span<const std::uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

}  // namespace

class ConfigFileTest : public QObject {
  Q_OBJECT
 private slots:
  void LoadingReplacesTheWholeBufferAndKeepsAnEmptyFileFromIt() {
    QTemporaryDir dir;
    std::array<std::uint8_t, 16> text{};
    std::int32_t length = 0;
    WriteRaw(PathIn(dir, "long"), "0123456789");
    QCOMPARE(tarvex::LoadTextFile(PathIn(dir, "long"), text, length), LoadResult::kLoaded);
    QCOMPARE(length, 10);
    QCOMPARE(std::string(tarvex::TextUpToFirstZero(text)), std::string("0123456789"));

    // A shorter file leaves nothing of the longer text behind it.
    WriteRaw(PathIn(dir, "short"), std::string("ab\0c", 4));
    QCOMPARE(tarvex::LoadTextFile(PathIn(dir, "short"), text, length), LoadResult::kLoaded);
    QCOMPARE(length, 4);
    QCOMPARE(std::string(reinterpret_cast<const char*>(text.data()), text.size()),
             std::string("ab\0c", 4) + std::string(12, '\0'));

    // A missing file is created empty and the text held stays.
    QCOMPARE(tarvex::LoadTextFile(PathIn(dir, "new.cfg"), text, length), LoadResult::kEmpty);
    QVERIFY(std::filesystem::exists(PathIn(dir, "new.cfg")));
    QCOMPARE(std::filesystem::file_size(PathIn(dir, "new.cfg")), std::uintmax_t{0});
    QCOMPARE(length, 4);
    QCOMPARE(std::string(tarvex::TextUpToFirstZero(text)), std::string("ab"));
  }

  void TheTerminatingZeroAlwaysFitsAndFailuresLeaveNothing() {
    QTemporaryDir dir;
    std::array<std::uint8_t, 16> text{};
    std::int32_t length = 0;
    WriteRaw(PathIn(dir, "fits"), std::string(15, 'x'));
    QCOMPARE(tarvex::LoadTextFile(PathIn(dir, "fits"), text, length), LoadResult::kLoaded);
    QCOMPARE(length, 15);
    QCOMPARE(text[15], std::uint8_t{0});

    // One byte more would leave no terminating 0: refused, not cut.
    WriteRaw(PathIn(dir, "full"), std::string(16, 'y'));
    QCOMPARE(tarvex::LoadTextFile(PathIn(dir, "full"), text, length), LoadResult::kFailed);
    QCOMPARE(length, 0);
    QVERIFY(std::ranges::all_of(text, [](std::uint8_t b) { return b == 0; }));

    text.fill('z');
    length = 7;
    // A folder cannot be opened as a file.
    QCOMPARE(tarvex::LoadTextFile(std::filesystem::path(dir.path().toStdString()), text, length),
             LoadResult::kFailed);
    QCOMPARE(length, 0);
    QVERIFY(std::ranges::all_of(text, [](std::uint8_t b) { return b == 0; }));
  }

  void WritingIsByteExactAndReportsFailure() {
    QTemporaryDir dir;
    const std::string bytes("\x00\xFF\r\n\x1A" "end", 8);
    WriteRaw(PathIn(dir, "f"), std::string(100, 'o'));
    QVERIFY(tarvex::WriteFileBytes(PathIn(dir, "f"), Bytes(bytes)));
    QCOMPARE(ReadRaw(PathIn(dir, "f")), bytes);
    QVERIFY(tarvex::WriteFileBytes(PathIn(dir, "empty"), {}));
    QCOMPARE(ReadRaw(PathIn(dir, "empty")), std::string());
    QVERIFY(!tarvex::WriteFileBytes(std::filesystem::path(dir.path().toStdString()), Bytes(bytes)));
    QVERIFY(!tarvex::WriteFileBytes(PathIn(dir, "no/such/folder"), Bytes(bytes)));
  }

  void LoneBreaksBecomeCrLf() {
    QCOMPARE(tarvex::WithCrLfBreaks("a\nb\rc\r\nd\n\re\r\r\n"),
             std::string("a\r\nb\r\nc\r\nd\r\n\r\ne\r\n\r\n"));
    QCOMPARE(tarvex::WithCrLfBreaks("\n"), std::string("\r\n"));
    QCOMPARE(tarvex::WithCrLfBreaks("\r"), std::string("\r\n"));
    QCOMPARE(tarvex::WithCrLfBreaks("no break"), std::string("no break"));
  }

  void TextEndsAtTheFirstZeroOrTheBufferEnd() {
    const std::array<std::uint8_t, 4> none{'a', 'b', 'c', 'd'};
    QCOMPARE(std::string(tarvex::TextUpToFirstZero(none)), std::string("abcd"));
    const std::array<std::uint8_t, 4> inner{'a', 0, 'c', 0};
    QCOMPARE(std::string(tarvex::TextUpToFirstZero(inner)), std::string("a"));
  }
};

QTEST_MAIN(ConfigFileTest)
#include "config_file_test.moc"
