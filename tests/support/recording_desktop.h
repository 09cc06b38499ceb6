#pragma once

#include <string>
#include <vector>

#include "platform/desktop.h"

namespace qlr::testing {

// A desktop that records what it was asked to do and answers with the
// results set beforehand.
class RecordingDesktop : public Desktop {
 public:
  bool EditText(const std::string& path) override {
    edited.push_back(path);
    return edit_result;
  }
  bool SetClipboardText(const std::string& text) override {
    clipboard.push_back(text);
    return clipboard_result;
  }
  bool OpenDocument(const std::string& path) override {
    opened.push_back(path);
    return open_result;
  }

  std::vector<std::string> edited, clipboard, opened;
  bool edit_result = true, clipboard_result = true, open_result = true;
};

}  // namespace qlr::testing
