// The registry through the Windows API, read only, for the port list.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "link/port_list.h"

namespace tarvex {
namespace {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), static_cast<int>(wide.size()));
  return wide;
}

std::string Utf8(const wchar_t* wide, std::size_t n) {
  if (n == 0) return {};
  std::string utf8(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(n), nullptr, 0, nullptr, nullptr)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(n), utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
  return utf8;
}

class Key {
 public:
  Key(HKEY root, const std::wstring& path) {
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~Key() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

class Win32Registry final : public RegistrySource {
 public:
  Win32Registry(HKEY root, std::string prefix) : root_(root), prefix_(std::move(prefix)) {}

  std::vector<std::string> SubKeys(const std::string& key) override {
    return Names(key, [](HKEY k, DWORD i, wchar_t* name, DWORD* n) {
      return RegEnumKeyExW(k, i, name, n, nullptr, nullptr, nullptr, nullptr);
    });
  }

  std::vector<std::string> ValueNames(const std::string& key) override {
    return Names(key, [](HKEY k, DWORD i, wchar_t* name, DWORD* n) {
      return RegEnumValueW(k, i, name, n, nullptr, nullptr, nullptr, nullptr);
    });
  }

  std::optional<std::string> Text(const std::string& key, const std::string& name) override {
    const Key k(root_, Path(key));
    DWORD type = 0;
    DWORD bytes = 0;
    const std::wstring value = Wide(name);
    if (k.get() == nullptr || RegQueryValueExW(k.get(), value.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        type != REG_SZ) {
      return std::nullopt;
    }
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(k.get(), value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes) !=
        ERROR_SUCCESS) {
      return std::nullopt;
    }
    // The stored text may or may not end in its terminating zero.
    text.resize(std::min<std::size_t>(bytes / sizeof(wchar_t), text.size()));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return Utf8(text.data(), text.size());
  }

  std::optional<std::uint32_t> Number(const std::string& key, const std::string& name) override {
    const Key k(root_, Path(key));
    DWORD type = 0;
    DWORD number = 0;
    DWORD bytes = sizeof number;
    if (k.get() == nullptr ||
        RegQueryValueExW(k.get(), Wide(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&number), &bytes) !=
            ERROR_SUCCESS ||
        type != REG_DWORD) {
      return std::nullopt;
    }
    return number;
  }

 private:
  std::wstring Path(const std::string& key) const {
    return Wide(prefix_.empty() ? key : key.empty() ? prefix_ : prefix_ + "\\" + key);
  }

  template <typename Enumerate>
  std::vector<std::string> Names(const std::string& key, Enumerate enumerate) {
    std::vector<std::string> names;
    const Key k(root_, Path(key));
    if (k.get() == nullptr) return names;
    // Key names are at most 255 characters, value names 16383.
    std::vector<wchar_t> name(16384);
    for (DWORD i = 0;; ++i) {
      DWORD n = static_cast<DWORD>(name.size());
      const LONG result = enumerate(k.get(), i, name.data(), &n);
      if (result != ERROR_SUCCESS) break;  // ERROR_NO_MORE_ITEMS at the end
      names.push_back(Utf8(name.data(), n));
    }
    return names;
  }

  HKEY root_;
  std::string prefix_;
};

}  // namespace

std::unique_ptr<RegistrySource> OpenRegistry(const std::string& root) {
  const std::size_t slash = root.find('\\');
  const std::string hive = root.substr(0, slash);
  const std::string prefix = slash == std::string::npos ? "" : root.substr(slash + 1);
  return std::make_unique<Win32Registry>(hive == "HKEY_CURRENT_USER" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, prefix);
}

}  // namespace tarvex
