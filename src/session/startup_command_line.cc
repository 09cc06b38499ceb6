#include "session/startup_command_line.h"

#include "base/encoding.h"
#include "base/field.h"

namespace qlr {
namespace {

// A path that start-up's field reading would split or unquote goes in quotes.
std::string AsField(const std::string& path) {
  if (path.find_first_of(",\"") == std::string::npos) return path;
  return QuoteText(DoubleQuotes(path));
}

}  // namespace

std::string StartupCommandLine(const std::vector<std::string>& args) {
  if (args.empty()) return "";
  if (args.size() == 1) return Utf8ToCp1252(args[0]);
  return AsField(Utf8ToCp1252(args[0])) + "," + Utf8ToCp1252(args[1]);
}

}  // namespace qlr
