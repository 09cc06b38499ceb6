#pragma once
// What the schedule reader notes about the lines it reads anyway. The reader
// decides, on its slow paths, that a field may be wrong; these checks say
// whether it is and in what words, and collect the diagnostics.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/job.h"
#include "model/schedule_diagnostic.h"

namespace qlr {

// The name of a column (1..50) of the schedule file: the job field it holds,
// or "unused".
std::string_view ColumnHeading(int column);

// A found text as diagnostics show it: in double quotes, cut after 40 bytes
// ("..." added), control bytes written as \xNN.
std::string Shown(std::string_view text);

class LineNotes {
 public:
  LineNotes(std::string file, std::vector<ScheduleDiagnostic>& out)
      : file_(std::move(file)), out_(out) {}

  void SetLine(int line) { line_ = line; }
  // One diagnostic for the current line; column 0 means the whole line.
  void Add(int column, std::string found);

  void FieldCount(int count);  // when it is not 50
  // An unclosed quote (`stray` empty), or text after the closing one.
  void Quote(int column, std::string_view stray);
  void ControlByte(int column, char byte);
  // A number that was not a plain integer within [min, max]: noted when it is
  // no number at all, or lies outside the range.
  void Number(int column, std::string_view text, int64_t min, int64_t max);
  void Flag(int column, std::string_view text);  // noted when it is no number
  void Cut(int column, std::string_view text, size_t length);
  void NotA(int column, std::string_view text, std::string_view what);  // "... is not <what>"
  void Unused(int column, std::string_view text);
  // The job's dependency lists once read: entries after an empty one,
  // condition letters that do not match the names, and (in an old comma file,
  // where blanks do not separate names) names holding a blank.
  void Dependencies(const Job& job, std::string_view ignored_entries, bool comma_form);
  // The job's own date variables: an empty first one (the stock variables
  // then replace them all), and the Rel Month of each.
  void DateVariables(const Job& job);

 private:
  std::string file_;
  std::vector<ScheduleDiagnostic>& out_;
  int line_ = 0;
};

}  // namespace qlr
