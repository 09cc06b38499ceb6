#pragma once
// The user's desktop: the text editor, the clipboard and the shell's document
// opener. The GUI implements it with Qt; qlr and tests use plain versions.
// Texts and paths are Windows-1252.

#include <string>

namespace qlr {

class Desktop {
 public:
  virtual ~Desktop() = default;
  // Starts the text editor on `path` without waiting for it; false when it
  // could not be started.
  virtual bool EditText(const std::string& path) = 0;
  // Clears the clipboard and puts `text` on it; false when there is no clipboard.
  virtual bool SetClipboardText(const std::string& text) = 0;
  // Opens a document (a help page) with the desktop's own viewer; false on failure.
  virtual bool OpenDocument(const std::string& path) = 0;
};

}  // namespace qlr
