#pragma once
// The desktop of a Linux session without a GUI toolkit: the text editor is the
// schedule's TextEditor command, documents open through xdg-open, and there is
// no clipboard.

#include <string>
#include <vector>

#include "platform/desktop.h"

namespace qlr {

class PosixDesktop : public Desktop {
 public:
  // `text_editor`: a command line (Windows-1252) to which the file's path is
  // added as one more word, such as "xdg-open" or "gedit --new-window".
  explicit PosixDesktop(std::string text_editor) : text_editor_(std::move(text_editor)) {}

  bool EditText(const std::string& path) override;
  bool SetClipboardText(const std::string& text) override;  // always false
  bool OpenDocument(const std::string& path) override;

 private:
  std::string text_editor_;
};

// Starts a program (words in UTF-8, the first looked up on PATH) in a session
// of its own and returns without waiting for it; nothing is left for this
// program to reap. False when it could not be started.
bool StartDetached(const std::vector<std::string>& words);

}  // namespace qlr
