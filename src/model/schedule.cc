#include "model/schedule.h"

#include "base/text.h"

namespace qlr {

int Schedule::FindJob(std::string_view name) const {
  std::string_view wanted = TrimView(name);
  for (int i = 1; i <= JobCount(); ++i)
    if (EqualsNoCase(Jobs[static_cast<size_t>(i)].JobName.Trimmed(), wanted)) return i;
  return 0;
}

}  // namespace qlr
