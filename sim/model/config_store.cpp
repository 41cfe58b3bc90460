#include "sim/model/config_store.h"

#include <algorithm>
#include <utility>

namespace tarvex::sim {
namespace {

std::vector<std::uint8_t> UpToFirstZero(std::vector<std::uint8_t> text) {
  text.erase(std::find(text.begin(), text.end(), 0), text.end());
  return text;
}

}  // namespace

ConfigStore::ConfigStore(std::vector<std::uint8_t> configuration,
                         std::vector<std::uint8_t> test_configuration)
    : configuration_(UpToFirstZero(std::move(configuration))),
      test_configuration_(UpToFirstZero(std::move(test_configuration))) {}

void ConfigStore::StartWrite() {
  written_.clear();
  writing_ = true;
}

void ConfigStore::WriteBlock(std::uint16_t address, std::span<const std::uint8_t> data) {
  if (!writing_) return;
  const std::size_t end = std::size_t{address} + data.size();
  if (written_.size() < end) written_.resize(end, 0);
  std::copy(data.begin(), data.end(), written_.begin() + address);
}

void ConfigStore::FinishWrite() {
  if (!writing_) return;
  writing_ = false;
  configuration_ = UpToFirstZero(std::move(written_));
  written_.clear();
}

std::span<const std::uint8_t> ConfigStore::ReadBlock(std::uint16_t address,
                                                     std::size_t max) const {
  const std::vector<std::uint8_t>& text =
      read_source_ == Source::kConfiguration ? configuration_ : test_configuration_;
  if (address >= text.size()) return {};
  return std::span<const std::uint8_t>(text).subspan(address,
                                                     std::min(max, text.size() - address));
}

}  // namespace tarvex::sim
