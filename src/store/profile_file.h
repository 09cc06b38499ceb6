#pragma once
// Profile (INI) files: "[section]" and "key=value" lines. Sections and keys
// compare case-blind; every other line is kept as it is; values are cut at
// 254 characters; lines end CR LF. Writing creates a missing section or file.

#include <cstddef>
#include <string>
#include <string_view>

namespace qlr {

inline constexpr size_t kIniValueMax = 254;

// The key's value, or "" when the file, section or key is missing. Values are
// cut at `max_length` (the settings store, whose values are never cut, passes npos).
std::string IniRead(std::string_view section, std::string_view key, std::string_view ini_file,
                    size_t max_length = kIniValueMax);
// Sets the key (adding it at the end of its section). False when the file
// cannot be written, or exists but cannot be read.
bool IniWrite(std::string_view section, std::string_view key, std::string_view value,
              std::string_view ini_file, size_t max_length = kIniValueMax);
// Removes the section and its keys (every copy, when the file holds it twice).
// False when there was none or the file cannot be written.
bool IniDeleteSection(std::string_view section, std::string_view ini_file);

}  // namespace qlr
