#include <algorithm>
#include <chrono>

#include "sim/model/default_data.h"
#include "sim/model/prng.h"
#include "sim/model/reply_frames.h"

namespace tarvex::sim {
namespace {

constexpr std::size_t kRecords = 1601;

}  // namespace

std::vector<Bytes> DefaultArchiveRecords(std::uint64_t seed) {
  using namespace std::chrono;
  Prng rng(seed);
  const sys_seconds last = sys_days{2025y / January / 20} + hours{11};
  const sys_seconds first = last - hours{kRecords - 1};
  int milli_bar = 5000;
  std::vector<Bytes> records;
  records.reserve(kRecords);
  for (std::size_t i = 0; i < kRecords; ++i) {
    const sys_seconds t = first + hours{i};
    const auto day = floor<days>(t);
    const year_month_day ymd{day};
    const hh_mm_ss hms{t - day};
    Bytes record{static_cast<std::uint8_t>(static_cast<int>(ymd.year()) - 2000),
                 static_cast<std::uint8_t>(static_cast<unsigned>(ymd.month())),
                 static_cast<std::uint8_t>(static_cast<unsigned>(ymd.day())),
                 static_cast<std::uint8_t>(hms.hours().count()),
                 static_cast<std::uint8_t>(hms.minutes().count()),
                 static_cast<std::uint8_t>(hms.seconds().count())};
    milli_bar = std::clamp(milli_bar + rng.Between(-120, 120), 3500, 6500);
    const Bytes value = FloatBytes(static_cast<float>(milli_bar) / 1000.0f);
    record.insert(record.end(), value.begin(), value.end());
    records.push_back(std::move(record));
  }
  return records;
}

}  // namespace tarvex::sim
