#pragma once
// What the schedule reader found wrong with a line it nevertheless read: the
// job is made from the line as well as it can be, and the operator is told.

#include <string>

namespace qlr {

struct ScheduleDiagnostic {
  std::string file;     // the schedule file
  int line = 0;         // from 1, empty lines counted
  int column = 0;       // from 1; 0 when the whole line is meant
  std::string heading;  // the column's name ("CpuUsage"); "" with column 0
  std::string found;    // what was found, e.g. "\"abc\" is not a number"
};

// One line for people: "<file>, line 3, column 40 (CpuUsage): <found>", or
// "<file>, line 3: <found>" for the whole line.
std::string DiagnosticText(const ScheduleDiagnostic& d);
// The same without the file: "line 3, column 40 (CpuUsage): <found>".
std::string DiagnosticTextInFile(const ScheduleDiagnostic& d);

}  // namespace qlr
