#include "store/schedule_checks.h"

#include <array>
#include <cstdio>

#include "base/field.h"
#include "base/number.h"
#include "base/text.h"
#include "calendar/date_vars.h"

namespace qlr {
namespace {

constexpr std::array<std::string_view, 50> kHeadings = {
    "JobName",        "CommandLine",    "EarliestStart",    "Frequency",       "Exclusivity",
    "SkipOn",         "RunAfter",       "DeferRollover",    "NormalMailTo",    "OverrideCode",
    "FailedFlag",     "unused",         "StartedAt",        "EndedAt",         "ForcedEnd",
    "ProcessInfo 1",  "ProcessInfo 2",  "ProcessInfo 3",    "ProcessInfo 4",   "EarliestStartAt",
    "IsDosProgram",   "NormalMsg",      "WaitFile",         "reserved text",   "reserved number",
    "LastDuration",   "NormalMsgFlags", "AbnormalMsgFlags", "NormalMailCc",    "Group",
    "TriggerFile",    "DeleteWaitFile", "Description",      "reserved number", "AbnormalMailTo",
    "AbnormalMailCc", "unused",         "SuppressEmptyMsg", "AbnormalMsg",     "CpuUsage",
    "Critical",       "DateVars",       "SubmitOnly",       "DeferEojMsgMins", "DepConditions",
    "DepAutoUnsched", "AutoReschedule", "unused",           "unused",          "unused"};

constexpr size_t kShownLength = 40;

// The byte in hexadecimal after `prefix`: "\\x01", "0x01".
std::string Hex(char byte, const char* prefix) {
  char text[8];
  std::snprintf(text, sizeof text, "%s%02X", prefix, static_cast<unsigned char>(byte));
  return text;
}

}  // namespace

std::string_view ColumnHeading(int column) {
  return column >= 1 && column <= 50 ? kHeadings[static_cast<size_t>(column - 1)] : "";
}

std::string Shown(std::string_view text) {
  std::string shown = "\"";
  for (char c : text.substr(0, kShownLength)) {
    const auto b = static_cast<unsigned char>(c);
    shown += b < 0x20 || b == 0x7F ? Hex(c, "\\x") : std::string(1, c);
  }
  return shown + (text.size() > kShownLength ? "...\"" : "\"");
}

void LineNotes::Add(int column, std::string found) {
  out_.push_back({file_, line_, column, std::string(ColumnHeading(column)), std::move(found)});
}

void LineNotes::FieldCount(int count) {
  Add(0, std::to_string(count) + " field" + (count == 1 ? "" : "s") + " where 50 are expected");
}

void LineNotes::Quote(int column, std::string_view stray) {
  Add(column, stray.empty() ? "the quote opening the field is never closed: the rest of the line "
                              "is read into it"
                            : "text after the closing quote is ignored: " + Shown(stray));
}

void LineNotes::ControlByte(int column, char byte) {
  Add(column, "byte " + Hex(byte, "0x") + " is not text");
}

void LineNotes::Number(int column, std::string_view text, int64_t min, int64_t max) {
  if (!IsNumeric(text)) return NotA(column, text, "a number");
  if (!WholeInRange(text, min, max))
    Add(column,
        Shown(text) + " is out of range, read as " + std::to_string(ReadWhole(text, min, max)));
}

void LineNotes::Flag(int column, std::string_view text) {
  if (!IsNumeric(text)) NotA(column, text, "a number (a flag is -1 or 0)");
}

void LineNotes::Cut(int column, std::string_view text, size_t length) {
  Add(column, Shown(TrimView(text)) + " is longer than " + std::to_string(length) +
                  " characters, read as " + Shown(TrimView(text.substr(0, length))));
}

void LineNotes::NotA(int column, std::string_view text, std::string_view what) {
  Add(column, Shown(text) + " is not " + std::string(what));
}

void LineNotes::Unused(int column, std::string_view text) {
  Add(column, "the column is not used, but holds " + Shown(text));
}

void LineNotes::Dependencies(const Job& job, std::string_view ignored_entries, bool comma_form) {
  if (!ignored_entries.empty())
    Add(7, "entries after an empty one are ignored: " + Shown(ignored_entries));
  if (comma_form)  // the file is written with blanks separating names
    for (const std::string& name : job.RunAfter)
      if (name.find(' ') != std::string::npos)
        Add(7, "the name " + Shown(name) + " holds a blank: written back, it becomes more names");
  const size_t names = job.RunAfter.size(), letters = job.DepConditions.size();
  if (letters < names) {
    std::string missing;
    for (size_t i = letters; i < names; ++i)
      missing += (missing.empty() ? "" : ", ") + Trim(job.RunAfter[i]);
    Add(45,
        "no condition letter for " + missing +
            (names - letters == 1 ? ": the job waits for it only while it runs or has not started"
                                  : ": the job waits for them only while they run or have not "
                                    "started"));
  } else if (letters > names) {
    Add(45, std::to_string(letters) + " condition letters for " + std::to_string(names) +
                " dependencies: the extra letters are ignored");
  }
  for (size_t i = 0; i < std::min(names, letters); ++i) {
    const char c = job.DepConditions[i];
    if (c != 'S' && c != 'F' && c != 'U')
      Add(45, "condition letter " + Shown(std::string_view(&c, 1)) + " of " +
                  Trim(job.RunAfter[i]) + " is not S, F or U");
  }
}

void LineNotes::DateVariables(const Job& job) {
  if (TrimView(job.DateVars[0]).empty()) {  // all empty reads the same way
    for (std::string_view definition : job.DateVars)
      if (!TrimView(definition).empty())
        return Add(42,
                   "the first date variable is empty, so the stock variables replace the "
                   "job's own");
    return;
  }
  for (size_t i = 0; i < job.DateVars.size(); ++i) {
    const std::string_view definition = job.DateVars[i];
    if (definition.empty()) continue;
    if (std::string fault = CheckRelMonth(GetField(definition, 3)); !fault.empty())
      Add(42, "date variable " + std::to_string(i + 1) + " (" + Trim(GetField(definition, 1)) +
                  "): " + fault);
  }
}

}  // namespace qlr
