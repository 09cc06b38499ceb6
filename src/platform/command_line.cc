#include "platform/command_line.h"

namespace qlr {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view command_line) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;  // a quoted empty text still makes a word
  bool quoted = false;
  for (size_t i = 0; i < command_line.size(); ++i) {
    char c = command_line[i];
    if (c == '"') {
      if (quoted && i + 1 < command_line.size() && command_line[i + 1] == '"') {
        word += '"';
        ++i;
      } else {
        quoted = !quoted;
      }
      in_word = true;
    } else if (IsBlank(c) && !quoted) {
      if (in_word) words.push_back(std::move(word));
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(std::move(word));
  return words;
}

}  // namespace qlr
