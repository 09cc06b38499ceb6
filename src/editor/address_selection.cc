#include "editor/address_selection.h"

#include "base/field.h"
#include "base/text.h"
#include "messages/message_file.h"
#include "platform/file_system.h"

namespace qlr {
AddressSelection::AddressSelection(const Schedule& schedule, Operator& op,
                                   std::string& sel_addr_list)
    : schedule_(schedule), op_(op), sel_addr_list_(sel_addr_list) {}

void AddressSelection::Open() {
  at_opening_ = sel_addr_list_;
  entries_.clear();
  ReadAddressFiles();
  PreSelect();
}

// Only each file's first entry names its recipient: its first line that is
// not a comment (";"), as the message writer reads it. Unreadable files are
// left out.
void AddressSelection::ReadAddressFiles() {
  const std::string folder = Trim(schedule_.EmailAddrPath);
  if (folder.empty()) return;
  for (const std::string& path : ListMatching(JoinPath(folder, "*.adr"))) {
    std::optional<std::vector<std::string>> lines = ReadLines(path);
    if (!lines) continue;
    const std::string name = Upper(TextBefore(BaseName(path), "."));
    const std::optional<std::string> entry = AddressFileEntry(*lines, 1);
    const std::string first = entry ? GetField(*entry, 1) : "";
    entries_.push_back({name, name + "(" + first + ")", false});
  }
}

void AddressSelection::PreSelect() {
  std::string missing;
  for (const std::string& field : GetFields(sel_addr_list_)) {
    const std::string name = Trim(field);
    if (name.empty()) continue;
    bool found = false;
    for (AddressEntry& entry : entries_)
      if (!found && EqualsNoCase(entry.name, name)) entry.selected = found = true;
    if (!found) missing += (missing.empty() ? "" : ",") + name;
  }
  if (!missing.empty())
    op_.Tell("The following email addresses are no longer present:\n\n" + missing);
}

void AddressSelection::Select(int row, bool selected) {
  if (row >= 0 && row < static_cast<int>(entries_.size()))
    entries_[static_cast<size_t>(row)].selected = selected;
}

void AddressSelection::Ok() {
  std::string list;
  for (const AddressEntry& entry : entries_)
    if (entry.selected) list += (list.empty() ? "" : ",") + entry.name;
  sel_addr_list_ = list;
}

void AddressSelection::Cancel() { sel_addr_list_ = at_opening_; }

void AddressSelection::CloseRequested() {
  op_.Tell("Address selection cancelled");
  Cancel();
}

}  // namespace qlr
