#pragma once
// View profiles: named arrangements of the schedule grid's columns kept in
// the per-user settings store. "Current" names the profile in use and "List"
// every saved one (section names: "EVP" + profile name); each profile's
// section holds one "width,position,alignment,hidden" value per heading.

#include <string>
#include <string_view>
#include <vector>

#include "editor/grid_columns.h"
#include "store/settings_store.h"

namespace qlr {

// The settings section of the grid's own values: "Current", "List", "GridHeight".
inline constexpr std::string_view kGridSettingsSection = "ScheduleGrid";

class ViewProfiles {
 public:
  explicit ViewProfiles(SettingsStore& settings) : settings_(settings) {}

  // Opening the grid: the built-in columns, the profile list, then the
  // current profile's columns.
  void Open();
  // Fills the profile list from "Current" and "List". On a first run
  // (no "Current") the built-in columns are saved as the profile "General".
  void SetProfileNames();
  // The current profile's values over the column table; a missing key leaves
  // its column as it is.
  void LoadViewProfile();
  // Writes every column to the current profile's section, and makes it "Current".
  void SaveViewProfile();
  // Adds the section name to "List" unless "List" already contains it.
  void AddProfileToList(const std::string& section);
  // Another profile chosen in the grid's list: it becomes current and is loaded.
  void ChooseProfile(const std::string& name);
  // After the customisation dialog: the list and the stored columns again.
  void Reload();

  // The ids of the shown columns, in position order (Job Name first).
  std::vector<int> DisplayedColumns() const;
  // "GridHeight" (twips), "" when never saved; and its writing at close.
  std::string GridHeight();
  void SaveGridHeight(int twips);

  static std::string Section(std::string_view profile);  // "EVP" + name

  GridColumnTable columns = InitColumnTable();
  std::string CurrentProfile;      // without the prefix
  std::vector<std::string> names;  // the profile list
  int selected = -1;               // the entry of CurrentProfile
  SettingsStore& settings() { return settings_; }

 private:
  std::string Get(const std::string& key);
  void Set(const std::string& key, const std::string& value);

  SettingsStore& settings_;
};

}  // namespace qlr
