#include "store/profile_file.h"

#include <optional>
#include <vector>

#include "base/text.h"
#include "platform/file_system.h"

namespace qlr {
namespace {

// The section name of a "[name]" line, or nullopt for any other line.
std::optional<std::string_view> SectionOf(std::string_view line) {
  std::string_view t = TrimView(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  size_t close = t.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return TrimView(t.substr(1, close - 1));
}

bool KeyMatches(std::string_view line, std::string_view key) {
  size_t eq = line.find('=');
  return eq != std::string_view::npos && EqualsNoCase(TrimView(line.substr(0, eq)), TrimView(key));
}

struct Located {
  std::vector<std::string> lines;
  bool readable = true;                      // false: the file exists but cannot be read
  size_t section_begin = std::string::npos;  // the "[section]" line
  size_t section_end = 0;                    // one past the section's last line
};

Located Locate(std::string_view section, std::string_view ini_file) {
  Located at;
  auto lines = ReadLines(ini_file);
  if (lines)
    at.lines = std::move(*lines);
  else
    at.readable = !FileExists(ini_file);
  for (size_t i = 0; i < at.lines.size(); ++i) {
    auto name = SectionOf(at.lines[i]);
    if (!name) continue;
    if (at.section_begin != std::string::npos) {
      at.section_end = i;
      return at;
    }
    if (EqualsNoCase(*name, TrimView(section))) at.section_begin = i;
  }
  at.section_end = at.lines.size();
  return at;
}

bool Store(const std::vector<std::string>& lines, std::string_view ini_file) {
  std::string content;
  for (const std::string& line : lines) content += line + "\r\n";
  return WriteFileAtomic(ini_file, content);
}

}  // namespace

std::string IniRead(std::string_view section, std::string_view key, std::string_view ini_file,
                    size_t max_length) {
  Located at = Locate(section, ini_file);
  if (at.section_begin == std::string::npos) return {};
  for (size_t i = at.section_begin + 1; i < at.section_end; ++i)
    if (KeyMatches(at.lines[i], key))
      return Left(TrimView(TextAfter(at.lines[i], "=")), max_length);
  return {};
}

bool IniWrite(std::string_view section, std::string_view key, std::string_view value,
              std::string_view ini_file, size_t max_length) {
  Located at = Locate(section, ini_file);
  if (!at.readable) return false;  // writing would replace whatever the file holds
  std::string line = std::string(TrimView(key)) + "=" + Left(value, max_length);
  if (at.section_begin == std::string::npos) {
    at.lines.push_back("[" + std::string(TrimView(section)) + "]");
    at.lines.push_back(line);
    return Store(at.lines, ini_file);
  }
  for (size_t i = at.section_begin + 1; i < at.section_end; ++i)
    if (KeyMatches(at.lines[i], key)) {
      at.lines[i] = line;
      return Store(at.lines, ini_file);
    }
  size_t insert = at.section_end;  // after the section's last non-blank line
  while (insert > at.section_begin + 1 && TrimView(at.lines[insert - 1]).empty()) --insert;
  at.lines.insert(at.lines.begin() + static_cast<ptrdiff_t>(insert), line);
  return Store(at.lines, ini_file);
}

bool IniDeleteSection(std::string_view section, std::string_view ini_file) {
  Located at = Locate(section, ini_file);
  if (!at.readable || at.section_begin == std::string::npos) return false;
  // A file may hold the section twice: every copy goes, or reading would find the next one.
  std::vector<std::string> kept;
  bool inside = false;
  for (std::string& line : at.lines) {
    if (auto name = SectionOf(line)) inside = EqualsNoCase(*name, TrimView(section));
    if (!inside) kept.push_back(std::move(line));
  }
  return Store(kept, ini_file);
}

}  // namespace qlr
