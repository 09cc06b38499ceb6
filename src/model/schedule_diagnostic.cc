#include "model/schedule_diagnostic.h"

namespace qlr {

std::string DiagnosticTextInFile(const ScheduleDiagnostic& d) {
  std::string text = "line " + std::to_string(d.line);
  if (d.column > 0) text += ", column " + std::to_string(d.column) + " (" + d.heading + ")";
  return text + ": " + d.found;
}

std::string DiagnosticText(const ScheduleDiagnostic& d) {
  return d.file + ", " + DiagnosticTextInFile(d);
}

}  // namespace qlr
