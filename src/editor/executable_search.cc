#include "editor/executable_search.h"

#include <cstdlib>
#include <vector>

#include "base/field.h"
#include "platform/command_line.h"
#include "platform/file_system.h"

namespace qlr {

std::string DirChk(std::string_view name, std::string_view path) {
  if (name.empty()) return "";
  if (FileExists(name)) return std::string(name);
  for (const std::string& dir : GetFields(path, '"', ':')) {
    if (dir.empty()) continue;  // the current folder, looked at already
    const std::string candidate = dir.back() == '/' ? dir + std::string(name) : JoinPath(dir, name);
    if (FileExists(candidate)) return candidate;
  }
  return "";
}

std::string DirChk(std::string_view name) {
  const char* path = std::getenv("PATH");
  return DirChk(name, path ? path : "");
}

std::string ProgramOf(std::string_view command_line) {
  const std::vector<std::string> words = SplitCommandLine(command_line);
  return words.empty() ? "" : words.front();
}

}  // namespace qlr
