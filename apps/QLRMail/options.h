#pragma once
// QLRMail's command line and the folder it sweeps.

#include <ostream>
#include <string>

namespace qlr {

struct MailOptions {
  std::string ini = {};   // the schedule's INI file, whose EmailPath is swept (UTF-8)
  std::string dir = {};   // or the folder itself (UTF-8)
  std::string smtp = {};  // smtp://host[:port] or smtps://host[:port]
  std::string from = {};
  std::string user = {};  // "" for a server without login
  bool once = false;
  int interval = 60;  // seconds between sweeps
};

// Reads the arguments. Returns -1 to go on, otherwise the exit status (help
// printed to `out`, errors to `err`).
int ParseMailOptions(int argc, const char* const* argv, MailOptions& options, std::ostream& out,
                     std::ostream& err);

// The folder to sweep (Windows-1252): --dir, or the INI file's EmailPath
// taken from the INI file's folder when relative. False with `error` set when
// there is none or it does not exist.
bool MailFolder(const MailOptions& options, std::string& folder, std::string& error);

}  // namespace qlr
