#pragma once
// The included-file dialog's rules: turn a message body line into
// a file entry (copied into the message or attached) with its options.

#include <string>
#include <string_view>

#include "platform/operator.h"

namespace qlr {

// A name whose folder exists and whose file part is a plain name: it has a
// "/" before a non-empty last part without "*" or "?". The file itself need
// not exist.
bool IsValidFilePath(std::string_view name);
// A name on a fixed (or network) drive: on Linux, an absolute path.
bool IsOnFixedDrive(std::string_view name);

// The file-open dialog's filter where any file will do (an included file, a
// wait file): on Linux "*.*" would leave out names without a dot.
inline constexpr std::string_view kAnyFileFilter = "All Files (*)|*";

// What the job editor and the dialog exchange.
struct IncludedFile {
  std::string IncFileName;
  bool IncAttach = false;       // attach the file instead of copying it into the body
  bool IncFilter = false;       // filter the text as directory listing output
  bool IncDateVar = false;      // the name holds date variables
  bool IncDeleteAfter = false;  // delete the file after use
};

class IncludedFileDialog {
 public:
  // Opening: the fields show the exchange values.
  IncludedFileDialog(Operator& op, IncludedFile& exchange);

  // The choice "Copy the file into the message body" / "Attach the File";
  // filtering applies to copied text only, so attaching unticks it.
  void SetAttach(bool attach);
  bool FilterEnabled() const { return !attach; }

  // "Browse": the file-open dialog starts at the name in the box, or in the
  // current folder ("") while the box is blank.
  std::string BrowseStart() const;
  void Browsed(const std::string& path);  // a chosen file replaces the name

  // OK: stores the trimmed name at once; a name that is not a full path in an
  // existing folder is refused with a message (false, the dialog stays open).
  // A name with "&" asks whether it holds date variables. True when it closed.
  bool Ok();
  void Cancel();
  // Closing the window otherwise asks whether to apply the data: Yes is OK,
  // No is Cancel; false when the dialog stays open.
  bool CloseRequested();
  bool accepted() const { return accepted_; }

  std::string name;
  bool attach = false, filter = false, date_var = false, delete_after = false;

 private:
  Operator& op_;
  IncludedFile& exchange_;
  bool accepted_ = false;
};

}  // namespace qlr
