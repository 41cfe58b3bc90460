// The Windows registry reader under a made-up root of HKEY_CURRENT_USER: the same list
// as the system's would give for an adapter with those entries.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "link/port_list.h"

namespace tarvex {
namespace {

class TestKeys {
 public:
  TestKeys() : root_(L"Software\\TarvexPortListTest" + std::to_wstring(GetCurrentProcessId())) {}
  ~TestKeys() { RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str()); }
  TestKeys(const TestKeys&) = delete;
  TestKeys& operator=(const TestKeys&) = delete;

  std::string root() const { return "HKEY_CURRENT_USER\\" + std::string(root_.begin(), root_.end()); }
  void Text(const std::wstring& key, const std::wstring& name, const std::wstring& text) {
    Set(key, name, REG_SZ, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  }
  void Number(const std::wstring& key, const std::wstring& name, DWORD number) {
    Set(key, name, REG_DWORD, &number, sizeof number);
  }

 private:
  void Set(const std::wstring& key, const std::wstring& name, DWORD type, const void* data, std::size_t bytes) {
    HKEY k = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (root_ + L"\\" + key).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k,
                              nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(k, name.c_str(), 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(bytes)),
              ERROR_SUCCESS);
    RegCloseKey(k);
  }
  std::wstring root_;
};

TEST(Win32Registry, ReadsTheComPortsWithTheirDevicesEntries) {
  TestKeys keys;
  keys.Text(L"HARDWARE\\DEVICEMAP\\SERIALCOMM", L"\\Device\\VCP0", L"COM4");
  keys.Text(L"HARDWARE\\DEVICEMAP\\SERIALCOMM", L"\\Device\\Serial0", L"COM1");
  const std::wstring device = L"SYSTEM\\CurrentControlSet\\Enum\\FTDIBUS\\VID_0403+PID_6001+A12345A\\0000";
  keys.Text(device, L"FriendlyName", L"USB Serial Port (COM4)");
  keys.Text(device, L"DeviceDesc", L"USB Serial Port");
  keys.Text(device + L"\\Device Parameters", L"PortName", L"COM4");
  keys.Number(device + L"\\Device Parameters", L"LatencyTimer", 16);

  auto ports = ListRegistryPorts(*OpenRegistry(keys.root()));
  std::ranges::sort(ports, {}, &PortEntry::name);
  ASSERT_EQ(ports.size(), 2u);
  EXPECT_EQ(ports[0].name + ": " + PortDescription(ports[0]), "COM1: \\Device\\Serial0");
  EXPECT_EQ(ports[1].name + ": " + PortDescription(ports[1]),
            "COM4: USB Serial Port (COM4) (USB 0403:6001, USB Serial Port, serial A12345, latency timer 16 ms)");
}

}  // namespace
}  // namespace tarvex
