#pragma once
// "Edit View Customisation" (frmColSel): which columns the grid shows, in
// which order, how wide and how aligned, under which profile name. The
// dialog works on the profiles' column table; the grid reloads the stored
// profile afterwards, so changes that were not saved do not last.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "editor/view_profiles.h"
#include "platform/operator.h"

namespace qlr {

inline constexpr std::array<std::string_view, 3> kAlignmentChoices = {"< (Left)", "^ (Centre)",
                                                                      "> (Right)"};
// The width box takes digits and backspace.
bool WidthKeyAllowed(char c);

struct CustomisationCommands {
  bool move_right = false, move_all_right = false;  // ">" and ">>>>": to Displayed
  bool move_left = false, move_all_left = false;    // "<" and "<<<<": to Undisplayed
  bool up = false, down = false, apply = false;
};

class ViewCustomisation {
 public:
  ViewCustomisation(ViewProfiles& profiles, Operator& op);

  // Opening: both lists in position order (Job Name in neither), the profile name.
  void Open();

  void SelectUndisplayed(int row, bool selected);
  // Selecting a displayed heading shows its width and alignment (asking first
  // about a change not applied yet).
  void SelectDisplayed(int row);
  // ">" reads "> > >" while two or more undisplayed headings are selected.
  std::string MoveRightCaption() const;
  void MoveRight();
  void MoveAllRight();
  void MoveLeft();
  void MoveAllLeft();
  void Up();
  void Down();
  CustomisationCommands Buttons() const;

  // The width box and the alignment list; a change enables Apply.
  void EditWidth(const std::string& text);
  void EditAlignment(int choice);
  // Stores width and alignment into the column at once; Apply disables itself.
  void Apply();
  // Asks whether to apply a change made but not applied; Yes applies it.
  void CheckChgAlignWidth();
  // Deletes the profile's settings section (its name stays in "List").
  void Delete();

  // OK: false (dialog open) without a name; otherwise saves the arrangement
  // under the name, asking before replacing another existing profile (No
  // closes without saving). True when the dialog closed.
  bool Ok();
  void Cancel();
  // Closing otherwise asks whether to save: Yes is OK, No Cancel; false when
  // the dialog stays open.
  bool CloseRequested();

  std::vector<std::string> displayed, undisplayed;  // headings
  std::vector<bool> undisplayed_selected;
  int displayed_selected = -1;
  std::string profile_name;
  std::string width_text;
  int alignment = 0;  // position in kAlignmentChoices

 private:
  GridColumn* SelectedColumn();
  void Renumber();

  ViewProfiles& profiles_;
  Operator& op_;
  std::string name_at_opening_;
  bool apply_enabled_ = false;
};

}  // namespace qlr
