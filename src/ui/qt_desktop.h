#pragma once
// The desktop as the GUI sees it: the schedule's text editor as on any Linux
// desktop, the clipboard and the document opener through Qt.

#include "model/schedule.h"
#include "platform/desktop_posix.h"

namespace qlr {

class QtDesktop : public PosixDesktop {
 public:
  // The text editor is the schedule's TextEditor at the moment a file is
  // edited, so that opening another schedule takes its editor along.
  explicit QtDesktop(const Schedule& schedule)
      : PosixDesktop(schedule.TextEditor), schedule_(schedule) {}

  bool EditText(const std::string& path) override;
  bool SetClipboardText(const std::string& text) override;
  bool OpenDocument(const std::string& path) override;

 private:
  const Schedule& schedule_;
};

}  // namespace qlr
