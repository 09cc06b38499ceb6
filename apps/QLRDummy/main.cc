// QLRDummy: the program a dummy run starts in place of each job. It prints the
// fields it was given, one a line, runs for a second and ends with status 0.
//   QLRDummy JN=PAY1,CL="a b",F="Daily",OTT=ON,RES=S,GO=Y
// RES=F rehearses a failure: it prints a "Dummy failure" line (for a matching
// RunTimeErrorText) and ends with status 1. SECS=n runs for n seconds instead.
// "QLRDummy --version" alone prints the release and ends at once.

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "base/version.h"

namespace {

// The fields of a comma-separated list. Double quotes group text holding
// commas and are removed; a doubled quote inside quotes stands for one.
std::vector<std::string> SplitFields(const std::string& list) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (size_t i = 0; i < list.size(); ++i) {
    char c = list[i];
    if (c == '"' && quoted && i + 1 < list.size() && list[i + 1] == '"') {
      fields.back() += c;
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The value of the field KEY=value (the key in any letter case); "" when absent.
std::string FieldValue(const std::vector<std::string>& fields, const std::string& key) {
  for (const std::string& field : fields) {
    size_t equals = field.find('=');
    if (equals == std::string::npos) continue;
    std::string name = field.substr(0, equals);
    name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
    if (Upper(name) == key) return field.substr(equals + 1);
  }
  return {};
}

int RunSeconds(const std::vector<std::string>& fields) {
  std::string value = FieldValue(fields, "SECS");
  if (value.empty()) return 1;
  return static_cast<int>(std::clamp(std::strtol(value.c_str(), nullptr, 10), 0L, 7L * 86400));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--version") {
    std::cout << qlr::VersionLine("QLRDummy") << '\n';
    return 0;
  }
  std::string list;
  for (int i = 1; i < argc; ++i) list += (i > 1 ? " " : "") + std::string(argv[i]);
  std::vector<std::string> fields = SplitFields(list);
  for (const std::string& field : fields) {
    if (!field.empty()) std::cout << field << '\n';
  }
  // The failure is shown while the program still runs, as a job's error window would be.
  bool fail = Upper(FieldValue(fields, "RES")).find('F') == 0;
  if (fail) std::cout << "QLRDummy: Dummy failure (RES=F)\n";
  std::cout.flush();
  std::this_thread::sleep_for(std::chrono::seconds(RunSeconds(fields)));
  return fail ? 1 : 0;
}
