#include <array>
#include <chrono>
#include <cstdio>
#include <string>

#include "sim/model/cp1251.h"
#include "sim/model/default_data.h"
#include "sim/model/prng.h"

namespace tarvex::sim {
namespace {

constexpr std::size_t kMinRecord = 60;
constexpr std::size_t kMaxRecord = 120;
constexpr std::size_t kStampSize = 21;

constexpr std::array kEvents = {
    "Включение питания контроллера",
    "Пропадание сетевого питания, переход на аккумулятор",
    "Восстановление сетевого питания",
    "Датчик давления на входе: обрыв линии",
    "Датчик давления на входе: норма",
    "Превышение верхнего порога давления",
    "Давление ниже нижнего порога",
    "Открыта дверь шкафа",
    "Закрыта дверь шкафа",
    "Сеанс связи с сервером завершён успешно",
    "Ошибка связи с сервером: нет ответа",
    "Изменена конфигурация",
    "Синхронизация часов с сервером",
    "Перезапуск по сторожевому таймеру",
    "Клапан отсечки закрыт",
    "Клапан отсечки открыт",
    "Низкий заряд батареи резервного питания",
    "Температура в шкафу вне допустимого диапазона",
};

constexpr std::array kOperators = {"Иванов А.П.", "Петрова Е.В.", "Сидоренко О.И.",
                                   "служба ЭХЗ", "диспетчер"};

std::string Detail(Prng& rng) {
  char text[96];
  switch (rng.Between(0, 6)) {
    case 0:
      std::snprintf(text, sizeof text, "канал %d", rng.Between(1, 12));
      break;
    case 1:
      std::snprintf(text, sizeof text, "значение %d,%02d бар", rng.Between(0, 9),
                    rng.Between(0, 99));
      break;
    case 2:
      std::snprintf(text, sizeof text, "порог %d,%02d бар", rng.Between(1, 9),
                    rng.Between(0, 99));
      break;
    case 3:
      std::snprintf(text, sizeof text, "напряжение %d,%d В", rng.Between(10, 14),
                    rng.Between(0, 9));
      break;
    case 4:
      std::snprintf(text, sizeof text, "t=%d°C", rng.Between(-35, 45));
      break;
    case 5:
      std::snprintf(text, sizeof text, "попытка %d из 3", rng.Between(1, 3));
      break;
    default:
      std::snprintf(text, sizeof text, "оператор: %s",
                    kOperators[static_cast<std::size_t>(rng.Between(0, kOperators.size() - 1))]);
      break;
  }
  return text;
}

std::uint8_t Marker(Prng& rng) {
  const int pick = rng.Between(0, 9);
  if (pick < 3) return '>';
  if (pick < 8) return '<';
  return pick == 8 ? '!' : '*';
}

Bytes Stamp(std::uint8_t marker, std::chrono::sys_seconds t) {
  const auto day = std::chrono::floor<std::chrono::days>(t);
  const std::chrono::year_month_day ymd{day};
  const std::chrono::hh_mm_ss hms{t - day};
  char text[32];
  std::snprintf(text, sizeof text, "%c%04d.%02u.%02u-%02d:%02d:%02d ", marker,
                static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
                static_cast<unsigned>(ymd.day()), static_cast<int>(hms.hours().count()),
                static_cast<int>(hms.minutes().count()),
                static_cast<int>(hms.seconds().count()));
  return Bytes(text, text + kStampSize);
}

void Append(Bytes& record, std::string_view utf8) {
  const Bytes bytes = Utf8ToCp1251(utf8);
  record.insert(record.end(), bytes.begin(), bytes.end());
}

}  // namespace

std::vector<Bytes> DefaultEventRecords(std::size_t n, std::uint64_t seed) {
  using namespace std::chrono;
  Prng rng(seed);
  sys_seconds t = sys_days{2024y / December / 27} + hours{6} + minutes{12} + seconds{40};
  std::vector<Bytes> records;
  records.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    t += seconds{rng.Between(20, 2400)};
    Bytes record = Stamp(Marker(rng), t);
    Append(record, kEvents[static_cast<std::size_t>(rng.Between(0, kEvents.size() - 1))]);
    const std::size_t target = static_cast<std::size_t>(rng.Between(kMinRecord, kMaxRecord));
    Append(record, rng.Between(0, 6) == 0 ? "\r\n" : "; ");
    Append(record, Detail(rng));
    while (record.size() < target) {
      Append(record, rng.Between(0, 9) == 0 ? "\r\n" : "; ");
      Append(record, Detail(rng));
    }
    if (record.size() > kMaxRecord) record.resize(kMaxRecord);
    records.push_back(std::move(record));
  }
  return records;
}

}  // namespace tarvex::sim
