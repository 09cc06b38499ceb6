#include "editor/included_file.h"

#include "base/text.h"
#include "platform/file_system.h"

namespace qlr {

bool IsValidFilePath(std::string_view name) {
  const size_t slash = name.rfind('/');
  if (slash == std::string_view::npos || slash + 1 == name.size()) return false;
  if (name.find_first_of("*?", slash + 1) != std::string_view::npos) return false;
  const std::string_view folder = name.substr(0, slash);
  return DirExists(folder.empty() ? "/" : folder);
}

bool IsOnFixedDrive(std::string_view name) { return IsAbsolutePath(name); }

IncludedFileDialog::IncludedFileDialog(Operator& op, IncludedFile& exchange)
    : name(exchange.IncFileName),
      attach(exchange.IncAttach),
      filter(exchange.IncFilter),
      date_var(exchange.IncDateVar),
      delete_after(exchange.IncDeleteAfter),
      op_(op),
      exchange_(exchange) {}

void IncludedFileDialog::SetAttach(bool value) {
  attach = value;
  if (attach) filter = false;
}

std::string IncludedFileDialog::BrowseStart() const { return TrimView(name).empty() ? "" : name; }

void IncludedFileDialog::Browsed(const std::string& path) {
  if (!path.empty()) name = path;
}

bool IncludedFileDialog::Ok() {
  name = Trim(name);
  exchange_.IncFileName = name;
  if (name.size() < 4 || !IsOnFixedDrive(name) || !IsValidFilePath(name)) {
    op_.Tell(
        "File name not present or invalid.  File name must be fully qualified and file must be "
        "on a fixed disk drive");
    return false;
  }
  if (name.find('&') != std::string::npos && !date_var &&
      op_.Ask("The filename contains at least one \"&\" character.\n\nDo you wish Quillrun to "
              "perform date variable subtitution on it at run time?",
              Buttons::YesNo, "Variables") == Answer::Yes)
    date_var = true;
  exchange_.IncAttach = attach;
  exchange_.IncFilter = filter;
  exchange_.IncDateVar = date_var;
  exchange_.IncDeleteAfter = delete_after;
  accepted_ = true;
  return true;
}

void IncludedFileDialog::Cancel() { accepted_ = false; }

bool IncludedFileDialog::CloseRequested() {
  switch (op_.Ask("Do you want to apply the data entered?", Buttons::YesNoCancel)) {
    case Answer::Yes:
      return Ok();
    case Answer::No:
      Cancel();
      return true;
    default:
      return false;
  }
}

}  // namespace qlr
