#pragma once
// The job editor's date variables: the grid of the seven definitions with the
// value each takes on the run date, and the dialog that edits one of them.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "base/clock.h"
#include "log/run_log.h"
#include "model/schedule.h"
#include "model/text_list.h"
#include "platform/operator.h"

namespace qlr {

// The grid's column layout: alignment mark and heading of each column.
inline constexpr std::string_view kDateVarGridLayout =
    "<Name         |^Rel Day in Month|^Rel Month     |^Format                 |^As at Run Date  ";

struct DateVarDefinition {
  std::string name, relative_day, rel_month, format;
  bool operator==(const DateVarDefinition&) const = default;
};

// The four fields of "NAME,RELATIVE DAY,REL MONTH,FORMAT" (quotes allowed),
// and back: the fields joined by commas, "" when all four are empty.
DateVarDefinition ReadDateVar(std::string_view definition);
std::string DateVarText(const DateVarDefinition& definition);

struct DateVarRow {
  DateVarDefinition fields;
  std::string as_at;  // "As at Run Date"
};

// What "Try" shows: the command line, the same substituted, the run date.
struct TryText {
  std::string command_line, substituted, run_date;  // run date: "dddd " + short form
};

class DateVarGrid {
 public:
  // Substitution tells `op` what it assumes and takes the time of day from `clock`.
  DateVarGrid(const Schedule& schedule, RunLog& log, Operator& op, const Clock& clock)
      : schedule_(schedule), log_(log), op_(op), clock_(clock) {}

  // Rows 0..6 from the job's definitions; the As at cells stay empty.
  void Load(const TextList<7>& definitions);
  // Writes a definition into a row and computes its As at cell.
  void SetDefDateVar(int row, const DateVarDefinition& definition, std::string_view frequency);
  // A row emptied: no variable there.
  void Clear(int row);
  // The row's value on the run date: its name substituted with the grid's
  // definitions and the editor's frequency. A "DOM" day that its month does
  // not have ends the program, as substitution at submission would.
  void PopulateAsAt(int row, std::string_view frequency);
  // PopulateAsAt on every row that names a variable; the others stay empty.
  void PopulateNamedAsAt(std::string_view frequency);
  // The text with the grid's definitions substituted for the run date.
  std::string TrySubst(std::string_view text, std::string_view frequency) const;
  TryText Try(std::string_view command_line, std::string_view frequency) const;
  // "Default Variables": the seven stock definitions, each through SetDefDateVar.
  void DefaultVariables(std::string_view frequency);
  // The definitions to store; rows left as loaded keep their exact text.
  TextList<7> Store() const;

  const std::array<DateVarRow, 7>& rows() const { return rows_; }

 private:
  TextList<7> Definitions() const;

  const Schedule& schedule_;
  RunLog& log_;
  Operator& op_;
  const Clock& clock_;
  std::array<DateVarRow, 7> rows_;
  TextList<7> loaded_;
};

enum class DateVarField { Name, RelativeDay, RelMonth, Format };

// frmEdVar: edits one definition.
class DateVarDialog {
 public:
  DateVarDialog(Operator& op, const DateVarDefinition& definition);

  // A key of the relative-day list: asks for its n; the term replaces the relative day.
  void ChooseKey(std::string_view key);
  // A relative day typed or chosen; Rel Month goes back to "0" unless it ends in "DOM".
  void SetRelativeDay(std::string_view relative_day);
  bool RelMonthEnabled() const;

  // OK: blank fields and a Rel Month that is not a whole number within
  // 1200 months either way are told in one message (false, the dialog stays
  // open, focus() names the last field named); else the definition is handed back.
  bool Ok();
  // Cancel hands back nothing.
  void Cancel() { result_.reset(); }
  // Closing by the window frame: tells "Date variable modification cancelled".
  void CloseByFrame();

  DateVarField focus() const { return focus_; }
  // The definition handed back; nullopt when nothing changes.
  const std::optional<DateVarDefinition>& result() const { return result_; }

  DateVarDefinition fields;

 private:
  Operator& op_;
  DateVarField focus_ = DateVarField::Name;
  std::optional<DateVarDefinition> result_;
};

}  // namespace qlr
