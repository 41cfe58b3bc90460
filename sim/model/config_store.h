// The controller's configuration texts and the state of a block transfer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tarvex::sim {

// Texts are bytes in code page 1251; a text ends before its first 0 byte.
class ConfigStore {
 public:
  enum class Source { kConfiguration, kTestConfiguration };

  ConfigStore(std::vector<std::uint8_t> configuration,
              std::vector<std::uint8_t> test_configuration);

  // START (21): a new write begins with nothing written.
  void StartWrite();
  // Write block (16): the bytes land at their address; gaps read as 0. Outside a
  // write (no START since the last STOP) the block is dropped.
  void WriteBlock(std::uint16_t address, std::span<const std::uint8_t> data);
  // STOP (23): the written text, up to its first 0 byte, replaces the configuration.
  // Outside a write nothing changes.
  void FinishWrite();
  // Drops a write in progress (reboot).
  void AbandonWrite() { writing_ = false; }

  // 61 selects the configuration, 24 the test configuration, for the read blocks after.
  void SelectRead(Source source) { read_source_ = source; }
  // Read block (17): up to `max` bytes of the selected text from `address`; none at or
  // past its end.
  std::span<const std::uint8_t> ReadBlock(std::uint16_t address, std::size_t max) const;

  // Set test (54): the configuration becomes the test configuration as well.
  void CopyToTest() { test_configuration_ = configuration_; }

  const std::vector<std::uint8_t>& configuration() const { return configuration_; }
  const std::vector<std::uint8_t>& test_configuration() const { return test_configuration_; }
  bool writing() const { return writing_; }

 private:
  std::vector<std::uint8_t> configuration_;
  std::vector<std::uint8_t> test_configuration_;
  std::vector<std::uint8_t> written_;
  bool writing_ = false;
  Source read_source_ = Source::kConfiguration;
};

}  // namespace tarvex::sim
