#include "editor/view_profiles.h"

#include <algorithm>

#include "base/field.h"
#include "base/number.h"
#include "base/text.h"
#include "model/constants.h"

namespace qlr {
namespace {

constexpr std::string_view kFirstProfile = "General";

std::string WithoutPrefix(std::string_view section) {
  return std::string(section.substr(std::min(section.size(), kViewProfilePrefix.size())));
}

std::string ColumnValue(const GridColumn& c) {
  return std::to_string(c.width) + "," + std::to_string(c.position) + "," + c.align + "," +
         (c.hidden ? "True" : "False");
}

}  // namespace

std::string ViewProfiles::Section(std::string_view profile) {
  return std::string(kViewProfilePrefix) + std::string(profile);
}

std::string ViewProfiles::Get(const std::string& key) {
  return settings_.Get(std::string(kGridSettingsSection), key);
}

void ViewProfiles::Set(const std::string& key, const std::string& value) {
  settings_.Set(std::string(kGridSettingsSection), key, value);
}

void ViewProfiles::Open() {
  columns = InitColumnTable();
  SetProfileNames();
  LoadViewProfile();
}

void ViewProfiles::SetProfileNames() {
  const std::string current = Get("Current");
  names.clear();
  if (!current.empty()) {
    CurrentProfile = WithoutPrefix(current);
    for (const std::string& field : GetFields(Get("List"))) {
      if (field.empty()) break;
      names.push_back(WithoutPrefix(field));
    }
  } else {
    Set("Current", Section(kFirstProfile));
    CurrentProfile = kFirstProfile;
    AddProfileToList(Section(kFirstProfile));
    names.emplace_back(kFirstProfile);
    SaveViewProfile();
  }
  selected = -1;
  for (int i = static_cast<int>(names.size()) - 1; i >= 0 && selected < 0; --i)
    if (EqualsNoCase(names[static_cast<size_t>(i)], CurrentProfile)) selected = i;
  if (selected < 0) {
    names.push_back(CurrentProfile);
    selected = static_cast<int>(names.size()) - 1;
  }
}

void ViewProfiles::LoadViewProfile() {
  const std::string section = Section(CurrentProfile);
  for (GridColumn& column : columns) {
    const std::string value = settings_.Get(section, column.heading);
    if (value.empty()) continue;
    column.width = ReadInt16(GetField(value, 1));
    column.position = ReadInt16(GetField(value, 2));
    const std::string align = GetField(value, 3);
    if (!align.empty()) column.align = align.front();
    column.hidden = GetField(value, 4) == "True";
  }
}

void ViewProfiles::SaveViewProfile() {
  const std::string section = Section(CurrentProfile);
  for (const GridColumn& column : columns)
    settings_.Set(section, column.heading, ColumnValue(column));
  Set("Current", section);
}

void ViewProfiles::AddProfileToList(const std::string& section) {
  const std::string list = Trim(Get("List"));
  if (list.find(section) == std::string::npos)
    Set("List", list.empty() ? section : list + "," + section);
}

void ViewProfiles::ChooseProfile(const std::string& name) {
  if (name == CurrentProfile) return;
  Set("Current", Section(name));
  Reload();
}

void ViewProfiles::Reload() {
  SetProfileNames();
  LoadViewProfile();
}

std::vector<int> ViewProfiles::DisplayedColumns() const {
  std::vector<int> ids;
  for (int id = 0; id < kGridColumnCount; ++id)
    if (id == 0 || !columns[static_cast<size_t>(id)].hidden) ids.push_back(id);
  std::stable_sort(ids.begin() + 1, ids.end(), [&](int a, int b) {
    return columns[static_cast<size_t>(a)].position < columns[static_cast<size_t>(b)].position;
  });
  return ids;
}

std::string ViewProfiles::GridHeight() { return Get("GridHeight"); }

void ViewProfiles::SaveGridHeight(int twips) { Set("GridHeight", std::to_string(twips)); }

}  // namespace qlr
