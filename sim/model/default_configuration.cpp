#include <array>
#include <cstdio>
#include <string>

#include "sim/model/cp1251.h"
#include "sim/model/default_data.h"

namespace tarvex::sim {
namespace {

struct Channel {
  const char* name;
  const char* unit;
  const char* kind;
  double low;
  double high;
};

constexpr std::array<Channel, 12> kChannels = {{
    {"Давление газа на входе", "бар", "4-20mA", 1.20, 8.50},
    {"Давление газа на выходе", "бар", "4-20mA", 0.80, 6.00},
    {"Перепад давления на фильтре", "кПа", "4-20mA", 0.00, 10.00},
    {"Температура газа", "°C", "pt100", -30.00, 50.00},
    {"Температура в шкафу", "°C", "pt100", 5.00, 45.00},
    {"Напряжение аккумулятора", "В", "adc", 10.80, 14.40},
    {"Загазованность помещения", "% НКПР", "4-20mA", 0.00, 10.00},
    {"Положение клапана отсечки", "", "discrete", 0.00, 1.00},
    {"Дверь шкафа", "", "discrete", 0.00, 1.00},
    {"Сетевое питание", "", "discrete", 0.00, 1.00},
    {"Расход газа", "м3/ч", "pulse", 0.00, 650.00},
    {"Потенциал защиты трубы", "В", "adc", -2.50, -0.85},
}};

constexpr const char* kHead = R"({
  "device": {
    "name": "Пункт редуцирования газа №3",
    "location": "пос. Заречный, ул. Садовая, 12",
    "owner": "Филиал «Газораспределение», участок Северный",
    "serial": "TX-20417",
    "timezone": 3
  },
  "link": {
    "server": "telemetry.local",
    "port": 5020,
    "apn": "internet",
    "period_min": 60,
    "retry": 3,
    "sms_alarm": ["+79001234567", "+79007654321"],
    "sms_text": "Авария на ПРГ №3, проверьте журнал событий"
  },
  "archive": {
    "period_min": 60,
    "channel": 1,
    "note": "Среднечасовое давление на входе"
  },
  "channels": [
)";

constexpr const char* kTail = R"(  ],
  "rules": [
    {"if": "ch1 > 8.5", "then": "close_valve", "text": "Аварийное превышение давления"},
    {"if": "ch7 > 10", "then": "close_valve", "text": "Загазованность выше порога"},
    {"if": "ch9 == 1", "then": "alarm", "text": "Несанкционированное открытие шкафа"},
    {"if": "ch10 == 0", "then": "log", "text": "Переход на резервное питание"}
  ],
  "comment": "Конфигурация проверена наладчиком, изменения согласовать с диспетчерской службой"
}
)";

std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace

Bytes DefaultConfiguration() {
  std::string json = kHead;
  for (std::size_t i = 0; i < kChannels.size(); ++i) {
    const Channel& ch = kChannels[i];
    char line[320];
    std::snprintf(line, sizeof line,
                  "    {\"id\": %zu, \"name\": \"%s\", \"unit\": \"%s\", \"type\": \"%s\", "
                  "\"low\": %.2f, \"high\": %.2f, \"log\": true}%s\n",
                  i + 1, ch.name, ch.unit, ch.kind, ch.low, ch.high,
                  i + 1 < kChannels.size() ? "," : "");
    json += line;
  }
  json += kTail;
  return Utf8ToCp1251(WithCrLf(json));
}

Bytes DefaultTestConfiguration() {
  return Utf8ToCp1251(WithCrLf(R"({
  "test": {
    "name": "Проверка каналов давления",
    "channels": [1, 2, 3],
    "duration_s": 120,
    "expect": {"ch1": [4.0, 6.5], "ch2": [2.5, 3.5]},
    "result": "не выполнялась"
  }
}
)"));
}

Bytes DefaultScript() {
  return Utf8ToCp1251(WithCrLf(R"(-- опрос датчиков каждые 10 с
every 10 do
  read ch1 ch2 ch3
  if ch1 > 8.5 then close_valve end
end
)"));
}

}  // namespace tarvex::sim
