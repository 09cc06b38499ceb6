#pragma once
// The operator: every message box, question and input box goes through here.
// The GUI shows dialogs, qlr prints and answers non-interactively, tests
// script the answers. Texts are Windows-1252.

#include <functional>
#include <optional>
#include <string>

namespace qlr {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

class Operator {
 public:
  virtual ~Operator() = default;
  // A message with one OK button.
  virtual void Tell(const std::string& text, const std::string& title = {}) = 0;
  // A question; the answer is one of the buttons of the set.
  virtual Answer Ask(const std::string& text, Buttons buttons, const std::string& title = {}) = 0;
  // An input box; nullopt when the operator cancels.
  virtual std::optional<std::string> Input(const std::string& prompt, const std::string& title = {},
                                           const std::string& initial = {}) = 0;
};

// Picks a file: given a suggested path and a filter such as "Ini Files (*.ini)|*.ini",
// returns the chosen path, or "" when the operator picked nothing.
using FileChooser =
    std::function<std::string(const std::string& suggested, const std::string& filter)>;

}  // namespace qlr
