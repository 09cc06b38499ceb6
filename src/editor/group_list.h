#pragma once
// The group list of the schedule grid and Modify Schedule, and the group
// filter both of them share for the rest of the run.

#include <string>
#include <string_view>
#include <vector>

#include "model/schedule.h"

namespace qlr {

inline constexpr std::string_view kAllGroups = "(All)";

struct GroupList {
  std::vector<std::string> groups;  // each trimmed Group once, first occurrence first, then "(All)"
  int selected = 0;                 // row of the group filter; 0 when it is not in the list
  bool found = false;               // whether the group filter is in the list
};

// The list of the schedule's groups plus "(All)", with the row of `group_filter`.
GroupList FillGroupList(const Schedule& schedule, std::string_view group_filter);

// Whether `job` is shown under `group_filter`: its trimmed Group equals it, or
// the filter is "(All)".
bool InGroup(const Job& job, std::string_view group_filter);

}  // namespace qlr
