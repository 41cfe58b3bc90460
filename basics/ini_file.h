// Settings files in the form that Windows' private-profile functions read and write:
// "[section]" lines and "key=value" lines, CR LF or LF, blanks around names and
// values ignored, names compared without regard to case, values kept as bytes.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

class IniFile {
 public:
  static IniFile Parse(std::string_view bytes);

  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  // Replaces the key's line, or adds it at the end of its section (adding the
  // section at the end of the file when it is missing). Every other line stays.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  // Lines joined with CR LF, the last one ended too.
  std::string Serialize() const;

 private:
  // Index of the section's header line, or npos.
  std::size_t FindSection(std::string_view section) const;
  // First line after the section's header that starts another section, or the end.
  std::size_t SectionEnd(std::size_t header) const;
  std::optional<std::size_t> FindKey(std::size_t header, std::string_view key) const;

  std::vector<std::string> lines_;
};

// The file read whole; a missing or unreadable file reads as no keys.
std::optional<std::string> ReadProfileKey(const std::filesystem::path& file, std::string_view section,
                                          std::string_view key);
std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view fallback);

// Sets one key and writes the file back at once, creating its folder when missing (the
// user's configuration folder on a fresh account). False when it cannot be written.
bool WriteProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value);

}  // namespace tarvex
