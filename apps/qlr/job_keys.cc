#include "qlr/job_keys.h"

#include <algorithm>
#include <functional>

#include "base/date_format.h"
#include "base/number.h"
#include "base/text.h"
#include "editor/typing_rules.h"
#include "model/constants.h"

namespace qlr {
namespace {

using Getter = std::function<std::string(const Job&)>;
using Setter = std::function<std::string(JobEditModel&, std::string_view)>;

struct KeySpec {
  std::string key;
  Getter get;
  Setter set;
};

constexpr std::array<std::string_view, 4> kReschedule = {"never", "success", "always", "failure"};
constexpr std::string_view kFlagNames[] = {"Fil", "Var", "Att", "Flt", "Del"};

std::string YesNo(bool flag) { return flag ? "Y" : "N"; }

// "" and the flag when the text is Y or N (any case), else the complaint.
std::string ReadYesNo(std::string_view value, bool& flag) {
  if (EqualsNoCase(value, "Y") || EqualsNoCase(value, "N")) {
    flag = EqualsNoCase(value, "Y");
    return "";
  }
  return "Y or N";
}

std::string Refused(std::string_view text, bool (*allowed)(char)) {
  const std::optional<char> c = FirstRefusedChar(text, allowed);
  return c ? "the character \"" + std::string(1, *c) + "\" is not allowed" : "";
}

std::string AtMost(std::string_view value, size_t length) {
  return value.size() > length ? "at most " + std::to_string(length) + " characters" : "";
}

std::string WholeNumber(std::string_view value, std::string& field) {
  if (value.empty() || value.size() > 5 || FirstRefusedChar(value, DigitKeyAllowed) ||
      value.find('\b') != std::string_view::npos || ReadWhole(value, 0, 99999) > INT16_MAX)
    return "a whole number from 0 to 32767";
  field = std::to_string(ReadWhole(value, 0, INT16_MAX));
  return "";
}

// A box the editor shows disabled cannot be changed.
std::string Enabled(bool enabled, std::string_view why) { return enabled ? "" : std::string(why); }

Setter FlagSetter(bool JobEditFields::*flag,
                  std::function<std::string(JobEditModel&)> enabled = {}) {
  return [flag, enabled](JobEditModel& m, std::string_view v) {
    bool ticked = false;
    std::string problem = ReadYesNo(v, ticked);
    if (problem.empty() && enabled && ticked != m.fields.*flag) problem = enabled(m);
    if (problem.empty()) m.fields.*flag = ticked;
    return problem;
  };
}

std::string AfterText(const Job& job) {
  std::string text;
  for (size_t i = 0; i < job.RunAfter.size(); ++i) {
    text += (i ? "," : "") + Trim(job.RunAfter[i]) + ":";
    text += i < job.DepConditions.size() ? std::string(1, job.DepConditions[i]) : "";
    if (i < job.DepAutoUnsched.size() && job.DepAutoUnsched[i] == 'Y') text += ":auto";
  }
  return text;
}

// "JOB:S,JOB:F:auto": the rows of the dependency list ticked as a click, the
// condition menu and a click on Auto Unsched would tick them.
std::string SetAfter(JobEditModel& m, std::string_view value) {
  DependencyList& list = m.dependencies();
  m.ShowSameGroup(false);
  for (int row = 0; row < static_cast<int>(list.rows().size()); ++row)
    if (list.rows()[static_cast<size_t>(row)].wait) list.ClickWait(row);
  if (TrimView(value).empty()) return "";
  for (const std::string& entry : Split(value, ',')) {
    const std::vector<std::string> parts = Split(entry, ':');
    const int row = list.FindRow(parts[0]);
    const std::string condition = parts.size() > 1 ? Upper(parts[1]) : "";
    const bool auto_unsched = parts.size() == 3 && EqualsNoCase(parts[2], "auto");
    if (parts.size() > 3 || (parts.size() == 3 && !auto_unsched) ||
        (condition != "S" && condition != "F" && condition != "U"))
      return "\"" + entry + "\" is not JOB:S, JOB:F or JOB:U, optionally followed by :auto";
    if (row < 0) return "no job " + Trim(parts[0]) + " to depend on";
    if (list.rows()[static_cast<size_t>(row)].wait) return Trim(parts[0]) + " is named twice";
    list.ClickWait(row);
    if (condition != "U")
      list.ChooseCondition(row, condition == "S" ? DepCondition::Success : DepCondition::Failure);
    if (auto_unsched) list.ClickAutoUnsched(row);
  }
  return "";
}

std::string SetWait(JobEditModel& m, std::string_view value) {
  if (TrimView(value).empty()) {
    m.ChooseWait(WaitChoice::None);
  } else if (StartsWith(value, "..")) {
    m.ChooseWait(WaitChoice::Interschedule);
    m.fields.wait.selected = FindTriggerJob(m.fields.wait, Trim(value.substr(2)));
    if (m.fields.wait.selected < 0)
      return "job " + Trim(value.substr(2)) + " is not in the triggers list (Triggers.Lst)";
  } else {
    m.ChooseWait(WaitChoice::External);
    m.fields.wait.file_name = std::string(value);
  }
  return "";
}

std::string TriggerText(const Job& job) {
  if (job.TriggerFile.IsBlank()) return "none";
  if (job.TriggerFile.Trimmed() == kStandardTriggerMark) return "standard";
  return job.TriggerFile.Str();
}

std::string SetTrigger(JobEditModel& m, std::string_view value) {
  if (EqualsNoCase(value, "none")) {
    m.fields.trigger = {TriggerChoice::None, ""};
  } else if (EqualsNoCase(value, "standard")) {
    m.fields.trigger = {TriggerChoice::Interschedule, ""};
  } else {
    if (std::string problem = AtMost(value, kTriggerFileLength); !problem.empty()) return problem;
    m.fields.trigger = {TriggerChoice::External, std::string(value)};
  }
  return "";
}

std::string SetSkipOn(JobEditModel& m, std::string_view value) {
  if (TrimView(value).empty()) {
    m.fields.SkipOn.clear();
  } else if (EqualsNoCase(Trim(value), kSkipAlwaysKeyword)) {
    m.fields.SkipOn = kSkipAlwaysKeyword;
  } else if (std::optional<DateTime> date = ParseDate(value)) {
    m.SetSkipOnDate(*date);
  } else {
    return "a date or Always";
  }
  return "";
}

// The definition as the edit dialog would hand it back, then into the grid.
std::string SetDateVar(JobEditModel& m, int row, std::string_view value) {
  if (TrimView(value).empty()) {
    m.date_vars().Clear(row);
    return "";
  }
  DateVarDefinition d = ReadDateVar(value);
  if (TrimView(d.rel_month).empty()) d.rel_month = "0";
  if (std::string p = Refused(d.name, DateVarNameChar); !p.empty()) return "name: " + p;
  if (std::string p = Refused(d.format, DateVarFormatChar); !p.empty()) return "format: " + p;
  if (!EndsWith(Trim(d.relative_day), "DOM") && !TrimView(d.rel_month).empty() &&
      ReadWhole(d.rel_month, -9999, 9999) != 0)
    return "Rel Month counts only for a relative day ending in DOM; give 0";
  DateVarDialog dialog = m.EditDateVar(row);
  dialog.fields = d;
  if (!dialog.Ok()) return "refused (see above)";
  m.EndEditDateVar(row, dialog);
  return "";
}

std::string FlagsText(std::string_view flags) { return std::string(flags); }

// Five "0"/"1" whose ticked boxes could all be ticked with that line.
std::string SetBodyFlags(JobEditModel& m, MessageKind kind, int line, std::string_view value) {
  if (value.size() != 5 || value.find_first_not_of("01") != std::string_view::npos)
    return "five characters 0 or 1 (Fil Var Att Flt Del)";
  MessageFields& message = m.Message(kind);
  const FlagAvailability usable =
      BodyFlagsAvailable(message.lines[static_cast<size_t>(line)], value);
  for (size_t i = 0; i < 5; ++i)
    if (value[i] == '1' && !usable.usable[i])
      return "the " + std::string(kFlagNames[i]) +
             " box cannot be ticked (Fil needs a line that is not blank; Var, Att and Del need "
             "Fil; Flt needs Fil without Att)";
  message.flags[static_cast<size_t>(line)] = std::string(value);
  return "";
}

std::string SetMessageLine(JobEditModel& m, MessageKind kind, int line, std::string_view value) {
  if (std::string p = Refused(value, MessageCharAllowed); !p.empty()) return p;
  m.Message(kind).lines[static_cast<size_t>(line)] = std::string(value);
  return "";
}

void AddMessageKeys(std::vector<KeySpec>& keys, MessageKind kind, const std::string& prefix) {
  auto texts = [kind](const Job& j) -> const MessageTexts& {
    return kind == MessageKind::Normal ? j.NormalMsg : j.AbnormalMsg;
  };
  auto flags = [kind](const Job& j) -> const MessageTexts& {
    return kind == MessageKind::Normal ? j.NormalMsgFlags : j.AbnormalMsgFlags;
  };
  keys.push_back(
      {prefix + "subject", [texts](const Job& j) { return std::string(texts(j)[0]); },
       [kind](JobEditModel& m, std::string_view v) { return SetMessageLine(m, kind, 0, v); }});
  for (int i = 1; i <= 4; ++i)
    keys.push_back(
        {prefix + "body" + std::to_string(i),
         [texts, i](const Job& j) { return std::string(texts(j)[static_cast<size_t>(i)]); },
         [kind, i](JobEditModel& m, std::string_view v) { return SetMessageLine(m, kind, i, v); }});
  for (int i = 1; i <= 4; ++i)
    keys.push_back(
        {prefix + "body" + std::to_string(i) + "_flags",
         [flags, i](const Job& j) { return FlagsText(flags(j)[static_cast<size_t>(i)]); },
         [kind, i](JobEditModel& m, std::string_view v) { return SetBodyFlags(m, kind, i, v); }});
}

Setter TextSetter(std::string JobEditFields::*field, size_t length = 0,
                  bool (*allowed)(char) = nullptr) {
  return [=](JobEditModel& m, std::string_view v) {
    std::string problem = length ? AtMost(v, length) : "";
    if (problem.empty() && allowed) problem = Refused(v, allowed);
    if (problem.empty()) m.fields.*field = std::string(v);
    return problem;
  };
}

// Earliest Start Time and Frequency take a comma as the blank it stands for.
Setter BlankForCommaSetter(std::string JobEditFields::*field) {
  return [=](JobEditModel& m, std::string_view v) {
    std::string text(v);
    std::transform(text.begin(), text.end(), text.begin(), TimeOrFrequencyChar);
    m.fields.*field = text;
    return std::string();
  };
}

std::string SetExclusivity(JobEditModel& m, std::string_view value) {
  std::string text;
  for (char c : value) {
    const std::optional<char> typed = ExclusivityChar(c);
    if (!typed || c == '\b')
      return "the character \"" + std::string(1, c) + "\" is not a keyword's";
    text += *typed;
  }
  m.fields.Exclusivity = text;
  return "";
}

std::string SetReschedule(JobEditModel& m, std::string_view value) {
  const auto at = std::find_if(kReschedule.begin(), kReschedule.end(),
                               [&](std::string_view r) { return EqualsNoCase(r, value); });
  if (at == kReschedule.end()) return "never, success, always or failure";
  const int choice = static_cast<int>(at - kReschedule.begin());
  if (choice != m.fields.AutoReschedule && !m.RescheduleEnabled())
    return "cannot be set while submit_only or defer_rollover is Y";
  m.fields.AutoReschedule = choice;
  return "";
}

// Getters of the stored job.
Getter Text(std::string Job::*field) {
  return [field](const Job& j) { return j.*field; };
}
template <size_t N>
Getter Text(FixedText<N> Job::*field) {
  return [field](const Job& j) { return (j.*field).Str(); };
}
Getter Flag(bool Job::*field) {
  return [field](const Job& j) { return YesNo(j.*field); };
}
template <typename T>
Getter Number(T Job::*field) {
  return [field](const Job& j) { return std::to_string(j.*field); };
}

Setter Address(std::string MessageFields::*field, MessageKind kind) {
  return [field, kind](JobEditModel& m, std::string_view v) {
    m.Message(kind).*field = std::string(v);
    return std::string();
  };
}

std::string SetCommand(JobEditModel& m, std::string_view value) {
  m.SetCommandLine(value);
  return "";
}

std::string SetDeleteWait(JobEditModel& m, std::string_view value) {
  bool ticked = false;
  std::string problem = ReadYesNo(value, ticked);
  if (problem.empty() && ticked != m.fields.wait.delete_file)
    problem = Enabled(m.fields.wait.DeleteEnabled(), "needs a wait file");
  if (problem.empty()) m.fields.wait.delete_file = ticked;
  return problem;
}

std::string RescheduleText(const Job& job) {
  return std::string(kReschedule[job.AutoReschedule < kReschedule.size() ? job.AutoReschedule : 0]);
}

std::string NotWhileRescheduled(JobEditModel& m) {
  return Enabled(m.SubmitOnlyEnabled(), "cannot be set while reschedule is not never");
}

std::string CriticalAllowed(JobEditModel& m) {
  return Enabled(m.CriticalVisible(), "the schedule does not allow critical jobs (AllowCritical)");
}

// The Submission tab.
void AddSubmissionKeys(std::vector<KeySpec>& keys) {
  using F = JobEditFields;
  const KeySpec submission[] = {
      {"name", Text(&Job::JobName), TextSetter(&F::JobName, kJobNameLength, NameCharAllowed)},
      {"command", Text(&Job::CommandLine), SetCommand},
      {"dos", Flag(&Job::IsDosProgram), FlagSetter(&F::IsDosProgram)},
      {"defer_rollover", Flag(&Job::DeferRollover),
       FlagSetter(&F::DeferRollover, NotWhileRescheduled)},
      {"group", Text(&Job::Group), TextSetter(&F::Group, kGroupLength, NameCharAllowed)},
      {"description", Text(&Job::Description), TextSetter(&F::Description, kDescriptionLength)},
      {"cpu", Number(&Job::CpuUsage),
       [](JobEditModel& m, std::string_view v) { return WholeNumber(v, m.fields.CpuUsage); }},
      {"submit_only", Flag(&Job::SubmitOnly), FlagSetter(&F::SubmitOnly, NotWhileRescheduled)},
      {"reschedule", RescheduleText, SetReschedule},
      {"critical", Flag(&Job::Critical), FlagSetter(&F::Critical, CriticalAllowed)},
  };
  keys.insert(keys.end(), std::begin(submission), std::end(submission));
}

// The Substitution, Timing and Dependencies tabs.
void AddTimingKeys(std::vector<KeySpec>& keys) {
  using F = JobEditFields;
  for (int i = 0; i < 7; ++i)
    keys.push_back({"date_var" + std::to_string(i + 1),
                    [i](const Job& j) { return std::string(j.DateVars[static_cast<size_t>(i)]); },
                    [i](JobEditModel& m, std::string_view v) { return SetDateVar(m, i, v); }});
  const KeySpec timing[] = {
      {"earliest_start", Text(&Job::EarliestStart), BlankForCommaSetter(&F::EarliestStart)},
      {"skip_on", Text(&Job::SkipOn), SetSkipOn},
      {"frequency", Text(&Job::Frequency), BlankForCommaSetter(&F::Frequency)},
      {"wait", Text(&Job::WaitFile), SetWait},
      {"delete_wait", Flag(&Job::DeleteWaitFile), SetDeleteWait},
      {"after", AfterText, SetAfter},
      {"exclusivity", Text(&Job::Exclusivity), SetExclusivity},
  };
  keys.insert(keys.end(), std::begin(timing), std::end(timing));
}

// The Normal EOJ and Abnormal EOJ tabs.
void AddEndOfJobKeys(std::vector<KeySpec>& keys) {
  using F = JobEditFields;
  using M = MessageFields;
  keys.push_back({"mail_to", Text(&Job::NormalMailTo), Address(&M::to, MessageKind::Normal)});
  keys.push_back({"mail_cc", Text(&Job::NormalMailCc), Address(&M::cc, MessageKind::Normal)});
  AddMessageKeys(keys, MessageKind::Normal, "");
  const KeySpec normal_rest[] = {
      {"suppress_empty", Flag(&Job::SuppressEmptyMsg), FlagSetter(&F::SuppressEmptyMsg)},
      {"defer_mins", Number(&Job::DeferEojMsgMins),
       [](JobEditModel& m, std::string_view v) {
         return WholeNumber(v, m.fields.DeferEojMsgMins);
       }},
      {"trigger", TriggerText, SetTrigger},
      {"ab_mail_to", Text(&Job::AbnormalMailTo), Address(&M::to, MessageKind::Abnormal)},
      {"ab_mail_cc", Text(&Job::AbnormalMailCc), Address(&M::cc, MessageKind::Abnormal)},
  };
  keys.insert(keys.end(), std::begin(normal_rest), std::end(normal_rest));
  AddMessageKeys(keys, MessageKind::Abnormal, "ab_");
}

std::vector<KeySpec> BuildKeys() {
  std::vector<KeySpec> keys;
  AddSubmissionKeys(keys);
  AddTimingKeys(keys);
  AddEndOfJobKeys(keys);
  return keys;
}

const std::vector<KeySpec>& Keys() {
  static const std::vector<KeySpec> keys = BuildKeys();
  return keys;
}

}  // namespace

const std::vector<std::string>& JobKeys() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> n;
    for (const KeySpec& k : Keys()) n.push_back(k.key);
    return n;
  }();
  return names;
}

int JobKeyIndex(std::string_view key) {
  const std::vector<std::string>& names = JobKeys();
  const auto at = std::find(names.begin(), names.end(), key);
  return at == names.end() ? -1 : static_cast<int>(at - names.begin());
}

KeyValues JobKeyValues(const Job& job) {
  KeyValues values;
  for (const KeySpec& k : Keys()) values.emplace_back(k.key, k.get(job));
  return values;
}

std::string SetJobKey(JobEditModel& model, std::string_view key, std::string_view value) {
  const int index = JobKeyIndex(key);
  if (index < 0) return "unknown key: " + std::string(key);
  const std::string problem = Keys()[static_cast<size_t>(index)].set(model, value);
  return problem.empty() ? "" : std::string(key) + "=" + std::string(value) + ": " + problem;
}

void OrderForSetting(KeyValues& pairs) {
  const auto releases = [](const std::pair<std::string, std::string>& kv) {
    if (kv.first == "reschedule") return EqualsNoCase(kv.second, "never");
    return (kv.first == "submit_only" || kv.first == "defer_rollover") &&
           EqualsNoCase(kv.second, "N");
  };
  std::stable_sort(pairs.begin(), pairs.end(), [&](const auto& a, const auto& b) {
    if (releases(a) != releases(b)) return releases(a);
    return JobKeyIndex(a.first) < JobKeyIndex(b.first);
  });
}

}  // namespace qlr
