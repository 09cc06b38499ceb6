#pragma once
// The per-user settings store: "Current" (the default INI file), the grid's
// height and the view profiles. Kept as a profile file,
// $XDG_CONFIG_HOME/Quillrun/Quillrun.ini (default ~/.config).

#include <map>
#include <string>
#include <utility>

namespace qlr {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::string Get(const std::string& section, const std::string& key) = 0;  // "" when unset
  virtual bool Set(const std::string& section, const std::string& key,
                   const std::string& value) = 0;
  virtual bool DeleteSection(const std::string& section) = 0;
};

class ProfileSettingsStore : public SettingsStore {
 public:
  explicit ProfileSettingsStore(std::string path);  // the file need not exist yet
  static std::string DefaultPath();                 // from XDG_CONFIG_HOME or HOME
  std::string Get(const std::string& section, const std::string& key) override;
  bool Set(const std::string& section, const std::string& key, const std::string& value) override;
  bool DeleteSection(const std::string& section) override;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Settings that live only as long as the object: for TEMP runs and tests.
class MemorySettingsStore : public SettingsStore {
 public:
  std::string Get(const std::string& section, const std::string& key) override;
  bool Set(const std::string& section, const std::string& key, const std::string& value) override;
  bool DeleteSection(const std::string& section) override;

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
};

}  // namespace qlr
