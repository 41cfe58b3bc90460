#include "link/port_list.h"

#include <algorithm>
#include <cctype>
#include <tuple>

namespace tarvex {
namespace {

// "COM10" -> ("COM", 10, ""): names sort by their number, not letter by letter.
std::tuple<std::string, long long, std::string> SortKey(const std::string& name) {
  std::size_t digits = name.size();
  while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1])) != 0) --digits;
  const std::string number = name.substr(digits, 18);
  return {name.substr(0, digits), number.empty() ? -1 : std::stoll(number), name};
}

}  // namespace

std::vector<PortEntry> ListSystemPorts() {
#ifdef _WIN32
  auto registry = OpenRegistry("HKEY_LOCAL_MACHINE");
  auto ports = ListRegistryPorts(*registry);
#else
  auto ports = ListSysfsPorts("/sys/class/tty", "/dev");
#endif
  std::ranges::sort(ports, {}, [](const PortEntry& entry) { return SortKey(entry.name); });
  return ports;
}

std::string PortDescription(const PortEntry& entry) {
  std::vector<std::string> details;
  if (entry.usb) {
    details.push_back("USB " + entry.usb->vendor_id + ":" + entry.usb->product_id);
    if (!entry.usb->product.empty() && entry.usb->product != entry.description) details.push_back(entry.usb->product);
    if (!entry.usb->serial.empty()) details.push_back("serial " + entry.usb->serial);
  }
  if (!entry.stable_name.empty()) details.push_back(entry.stable_name);
  if (entry.latency_timer_ms) details.push_back("latency timer " + std::to_string(*entry.latency_timer_ms) + " ms");
  std::string text = entry.description;
  for (std::size_t i = 0; i < details.size(); ++i) text += (i == 0 ? " (" : ", ") + details[i];
  return details.empty() ? text : text + ")";
}

}  // namespace tarvex
