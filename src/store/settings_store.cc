#include "store/settings_store.h"

#include <cstdlib>
#include <filesystem>

#include "base/encoding.h"
#include "base/text.h"
#include "platform/file_system.h"
#include "store/profile_file.h"

namespace qlr {

ProfileSettingsStore::ProfileSettingsStore(std::string path) : path_(std::move(path)) {}

std::string ProfileSettingsStore::DefaultPath() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  // A relative XDG_CONFIG_HOME is invalid and ignored, as the XDG rules say.
  std::string base = xdg && *xdg == '/' ? xdg : std::string(home ? home : ".") + "/.config";
  return Utf8ToCp1252(base) + "/Quillrun/Quillrun.ini";
}

// Values are kept whole, as the registry that this store stands for keeps them
// (a long "List" of view profiles must not lose its last names).
std::string ProfileSettingsStore::Get(const std::string& section, const std::string& key) {
  return IniRead(section, key, path_, std::string::npos);
}

bool ProfileSettingsStore::Set(const std::string& section, const std::string& key,
                               const std::string& value) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(OsPath(DirName(path_))), ec);
  return IniWrite(section, key, value, path_, std::string::npos);
}

bool ProfileSettingsStore::DeleteSection(const std::string& section) {
  return IniDeleteSection(section, path_);
}

std::string MemorySettingsStore::Get(const std::string& section, const std::string& key) {
  auto it = values_.find({Upper(section), Upper(key)});
  return it == values_.end() ? std::string() : it->second;
}

bool MemorySettingsStore::Set(const std::string& section, const std::string& key,
                              const std::string& value) {
  values_[{Upper(section), Upper(key)}] = value;
  return true;
}

bool MemorySettingsStore::DeleteSection(const std::string& section) {
  bool found = false;
  for (auto it = values_.begin(); it != values_.end();) {
    if (it->first.first == Upper(section)) {
      it = values_.erase(it);
      found = true;
    } else {
      ++it;
    }
  }
  return found;
}

}  // namespace qlr
