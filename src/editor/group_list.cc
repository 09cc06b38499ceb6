#include "editor/group_list.h"

#include <unordered_set>

namespace qlr {

GroupList FillGroupList(const Schedule& schedule, std::string_view group_filter) {
  GroupList list;
  std::unordered_set<std::string_view> seen;
  for (int i = 1; i <= schedule.JobCount(); ++i) {
    std::string_view group = schedule[i].Group.Trimmed();
    if (seen.insert(group).second) list.groups.emplace_back(group);
  }
  list.groups.emplace_back(kAllGroups);
  for (size_t row = 0; row < list.groups.size(); ++row)
    if (list.groups[row] == group_filter) {
      list.selected = static_cast<int>(row);
      list.found = true;
      break;
    }
  return list;
}

bool InGroup(const Job& job, std::string_view group_filter) {
  return group_filter == kAllGroups || job.Group.Trimmed() == group_filter;
}

}  // namespace qlr
