#include "editor/date_var_editor.h"

#include <cstdlib>

#include "base/date_format.h"
#include "base/field.h"
#include "base/number.h"
#include "base/text.h"
#include "calendar/date_vars.h"
#include "calendar/holidays.h"
#include "editor/frequency_editor.h"
#include "model/constants.h"

namespace qlr {
namespace {

bool IsDayOfMonthForm(std::string_view relative_day) {
  return EndsWith(TrimView(relative_day), "DOM");
}

// A whole number of months within the limit.
bool IsRelMonth(std::string_view text) {
  const std::string_view t = TrimView(text);
  if (t.empty() || t.size() > 6 || !IsNumeric(t) || t.find('.') != std::string_view::npos)
    return false;
  return std::abs(std::atoi(std::string(t).c_str())) <= kMaxRelMonth;
}

}  // namespace

DateVarDefinition ReadDateVar(std::string_view definition) {
  return {GetField(definition, 1), GetField(definition, 2), GetField(definition, 3),
          GetField(definition, 4)};
}

std::string DateVarText(const DateVarDefinition& d) {
  if (d == DateVarDefinition{}) return "";
  return d.name + "," + d.relative_day + "," + d.rel_month + "," + d.format;
}

void DateVarGrid::Load(const TextList<7>& definitions) {
  loaded_ = definitions;
  for (size_t i = 0; i < rows_.size(); ++i) rows_[i] = {ReadDateVar(definitions[i]), ""};
}

void DateVarGrid::SetDefDateVar(int row, const DateVarDefinition& definition,
                                std::string_view frequency) {
  rows_.at(static_cast<size_t>(row)).fields = definition;
  PopulateAsAt(row, frequency);
}

void DateVarGrid::Clear(int row) { rows_.at(static_cast<size_t>(row)) = {}; }

void DateVarGrid::PopulateAsAt(int row, std::string_view frequency) {
  DateVarRow& r = rows_.at(static_cast<size_t>(row));
  r.as_at = TrySubst("&" + r.fields.name + "&", frequency);
}

void DateVarGrid::PopulateNamedAsAt(std::string_view frequency) {
  for (size_t row = 0; row < rows_.size(); ++row)
    if (!TrimView(rows_[row].fields.name).empty()) PopulateAsAt(static_cast<int>(row), frequency);
}

std::string DateVarGrid::TrySubst(std::string_view text, std::string_view frequency) const {
  return SubstituteDateVars(schedule_, log_, op_, clock_.Now(), text, Definitions(), frequency);
}

TryText DateVarGrid::Try(std::string_view command_line, std::string_view frequency) const {
  return {std::string(command_line), TrySubst(command_line, frequency),
          FormatDateTime(schedule_.RunDate, "dddd ") +
              FormatShortDate(schedule_.Calendar, schedule_.RunDate)};
}

void DateVarGrid::DefaultVariables(std::string_view frequency) {
  for (size_t i = 0; i < kStockDateVars.size(); ++i)
    SetDefDateVar(static_cast<int>(i), ReadDateVar(kStockDateVars[i]), frequency);
}

// Substitution sees every row as "name,relative day,rel month,format".
TextList<7> DateVarGrid::Definitions() const {
  std::array<std::string, 7> texts;
  for (size_t i = 0; i < rows_.size(); ++i) {
    const DateVarDefinition& d = rows_[i].fields;
    texts[i] = d.name + "," + d.relative_day + "," + d.rel_month + "," + d.format;
  }
  return texts;
}

TextList<7> DateVarGrid::Store() const {
  std::array<std::string, 7> texts;
  for (size_t i = 0; i < rows_.size(); ++i)
    texts[i] = rows_[i].fields == ReadDateVar(loaded_[i]) ? std::string(loaded_[i])
                                                          : DateVarText(rows_[i].fields);
  return texts;
}

DateVarDialog::DateVarDialog(Operator& op, const DateVarDefinition& definition)
    : fields(definition), op_(op) {
  if (TrimView(fields.rel_month).empty()) fields.rel_month = "0";
}

void DateVarDialog::ChooseKey(std::string_view key) {
  const std::string term = ReadRelativeDay(op_, key);
  if (!term.empty()) SetRelativeDay(term);
}

void DateVarDialog::SetRelativeDay(std::string_view relative_day) {
  fields.relative_day = std::string(relative_day);
  if (!RelMonthEnabled()) fields.rel_month = "0";
}

bool DateVarDialog::RelMonthEnabled() const { return IsDayOfMonthForm(fields.relative_day); }

bool DateVarDialog::Ok() {
  std::string lines = CheckDateVar(fields.name, fields.relative_day, fields.format);
  if (!lines.empty()) {
    const DateVarField last_named = TrimView(fields.name).empty() ? DateVarField::Name
                                    : TrimView(fields.relative_day).empty()
                                        ? DateVarField::RelativeDay
                                        : DateVarField::Format;
    focus_ = last_named;
  }
  if (!IsRelMonth(fields.rel_month)) {
    lines += std::string(lines.empty() ? "" : "\n") +
             "Rel Month must be a whole number from -1200 to 1200";
    focus_ = DateVarField::RelMonth;
  }
  if (!lines.empty()) {
    op_.Tell(lines);
    return false;
  }
  result_ = fields;
  return true;
}

void DateVarDialog::CloseByFrame() {
  op_.Tell("Date variable modification cancelled");
  result_.reset();
}

}  // namespace qlr
