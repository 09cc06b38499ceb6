#include "editor/view_customisation.h"

#include <algorithm>

#include "base/number.h"
#include "base/text.h"

namespace qlr {
namespace {

int AlignmentChoice(char align) { return align == '^' ? 1 : align == '>' ? 2 : 0; }

template <typename T>
void Append(std::vector<T>& to, std::vector<T>& from) {
  to.insert(to.end(), from.begin(), from.end());
  from.clear();
}

}  // namespace

bool WidthKeyAllowed(char c) { return (c >= '0' && c <= '9') || c == '\b'; }

ViewCustomisation::ViewCustomisation(ViewProfiles& profiles, Operator& op)
    : profiles_(profiles), op_(op) {}

void ViewCustomisation::Open() {
  std::vector<int> ids;
  for (int id = 1; id < kGridColumnCount; ++id) ids.push_back(id);
  std::stable_sort(ids.begin(), ids.end(), [&](int a, int b) {
    return profiles_.columns[static_cast<size_t>(a)].position <
           profiles_.columns[static_cast<size_t>(b)].position;
  });
  displayed.clear();
  undisplayed.clear();
  for (int id : ids) {
    const GridColumn& column = profiles_.columns[static_cast<size_t>(id)];
    (column.hidden ? undisplayed : displayed).push_back(column.heading);
  }
  undisplayed_selected.assign(undisplayed.size(), false);
  displayed_selected = -1;
  profile_name = name_at_opening_ = profiles_.CurrentProfile;
  apply_enabled_ = false;
}

void ViewCustomisation::SelectUndisplayed(int row, bool selected) {
  if (row >= 0 && row < static_cast<int>(undisplayed.size()))
    undisplayed_selected[static_cast<size_t>(row)] = selected;
}

void ViewCustomisation::SelectDisplayed(int row) {
  CheckChgAlignWidth();
  displayed_selected = row >= 0 && row < static_cast<int>(displayed.size()) ? row : -1;
  if (const GridColumn* column = SelectedColumn()) {
    width_text = std::to_string(column->width);
    alignment = AlignmentChoice(column->align);
  }
  apply_enabled_ = false;
}

GridColumn* ViewCustomisation::SelectedColumn() {
  if (displayed_selected < 0) return nullptr;
  const int id = GCSubs(profiles_.columns, displayed[static_cast<size_t>(displayed_selected)]);
  return id < 0 ? nullptr : &profiles_.columns[static_cast<size_t>(id)];
}

std::string ViewCustomisation::MoveRightCaption() const {
  return std::count(undisplayed_selected.begin(), undisplayed_selected.end(), true) >= 2 ? "> > >"
                                                                                         : ">";
}

void ViewCustomisation::MoveRight() {
  std::vector<std::string> kept;
  for (size_t i = 0; i < undisplayed.size(); ++i)
    (undisplayed_selected[i] ? displayed : kept).push_back(undisplayed[i]);
  undisplayed = std::move(kept);
  undisplayed_selected.assign(undisplayed.size(), false);
}

void ViewCustomisation::MoveAllRight() {
  Append(displayed, undisplayed);
  undisplayed_selected.clear();
}

void ViewCustomisation::MoveLeft() {
  if (displayed_selected < 0) return;
  undisplayed.push_back(displayed[static_cast<size_t>(displayed_selected)]);
  undisplayed_selected.push_back(false);
  displayed.erase(displayed.begin() + displayed_selected);
  displayed_selected = -1;
  apply_enabled_ = false;
}

void ViewCustomisation::MoveAllLeft() {
  Append(undisplayed, displayed);
  undisplayed_selected.assign(undisplayed.size(), false);
  displayed_selected = -1;
  apply_enabled_ = false;
}

void ViewCustomisation::Up() {
  if (displayed_selected < 1) return;
  std::swap(displayed[static_cast<size_t>(displayed_selected)],
            displayed[static_cast<size_t>(displayed_selected - 1)]);
  --displayed_selected;
}

void ViewCustomisation::Down() {
  if (displayed_selected < 0 || displayed_selected + 1 >= static_cast<int>(displayed.size()))
    return;
  std::swap(displayed[static_cast<size_t>(displayed_selected)],
            displayed[static_cast<size_t>(displayed_selected + 1)]);
  ++displayed_selected;
}

CustomisationCommands ViewCustomisation::Buttons() const {
  CustomisationCommands c;
  c.move_right = std::count(undisplayed_selected.begin(), undisplayed_selected.end(), true) > 0;
  c.move_all_right = !undisplayed.empty();
  c.move_left = displayed_selected >= 0;
  c.move_all_left = !displayed.empty();
  c.up = displayed_selected > 0;
  c.down = displayed_selected >= 0 && displayed_selected + 1 < static_cast<int>(displayed.size());
  c.apply = apply_enabled_;
  return c;
}

void ViewCustomisation::EditWidth(const std::string& text) {
  width_text = text;
  apply_enabled_ = displayed_selected >= 0;
}

void ViewCustomisation::EditAlignment(int choice) {
  alignment = std::clamp(choice, 0, 2);
  apply_enabled_ = displayed_selected >= 0;
}

void ViewCustomisation::Apply() {
  if (GridColumn* column = SelectedColumn()) {
    column->width = ReadInt16(width_text);
    column->align = kAlignmentChoices[static_cast<size_t>(alignment)].front();
  }
  apply_enabled_ = false;
}

void ViewCustomisation::CheckChgAlignWidth() {
  if (apply_enabled_ &&
      op_.Ask("You have not applied a change made to Column Alignment/Width.  Do you wish to "
              "apply it now?",
              Buttons::YesNo) == Answer::Yes)
    Apply();
  apply_enabled_ = false;
}

void ViewCustomisation::Delete() {
  if (!profiles_.settings().DeleteSection(ViewProfiles::Section(Trim(profile_name))))
    op_.Tell("Could not delete edit view profile");
}

// Displayed headings take positions 1, 2, ...; undisplayed ones follow, hidden.
void ViewCustomisation::Renumber() {
  int16_t position = 1;
  for (auto* list : {&displayed, &undisplayed})
    for (const std::string& heading : *list) {
      const int id = GCSubs(profiles_.columns, heading);
      if (id <= 0) continue;
      GridColumn& column = profiles_.columns[static_cast<size_t>(id)];
      column.position = position++;
      column.hidden = list == &undisplayed;
    }
}

bool ViewCustomisation::Ok() {
  CheckChgAlignWidth();
  const std::string name = Trim(profile_name);
  if (name.empty()) {
    op_.Tell("Please enter a profile name for this view.");
    return false;
  }
  if (!EqualsNoCase(name, name_at_opening_)) {
    const bool exists = !profiles_.settings().Get(ViewProfiles::Section(name), "Job Name").empty();
    if (exists &&
        op_.Ask("A view profile already exists with the name specified.  Do you want to replace "
                "it with this one?",
                Buttons::YesNo) != Answer::Yes)
      return true;
    profiles_.AddProfileToList(ViewProfiles::Section(name));
  }
  Renumber();
  profiles_.CurrentProfile = name;
  profiles_.SaveViewProfile();
  return true;
}

void ViewCustomisation::Cancel() { profiles_.CurrentProfile = name_at_opening_; }

bool ViewCustomisation::CloseRequested() {
  switch (op_.Ask("Do you want to save any changes made to this profile?", Buttons::YesNoCancel)) {
    case Answer::Yes:
      return Ok();
    case Answer::No:
      Cancel();
      return true;
    default:
      return false;
  }
}

}  // namespace qlr
