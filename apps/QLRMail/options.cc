#include "QLRMail/options.h"

#include <CLI/CLI.hpp>

#include "base/encoding.h"
#include "base/version.h"
#include "messages/mail_message.h"
#include "model/constants.h"
#include "platform/file_system.h"
#include "store/profile_file.h"

namespace qlr {
namespace {

void AddOptions(CLI::App& app, MailOptions& o) {
  auto* folder = app.add_option_group("folder", "Where the message files are (one of)");
  folder->add_option("--ini", o.ini, "The schedule's INI file: its EmailPath is swept");
  folder->add_option("--dir", o.dir, "The folder of the message files");
  folder->require_option(1);
  app.add_option("--smtp", o.smtp,
                 "Server: smtp://host[:port] (STARTTLS when offered) or smtps://host[:port]")
      ->required();
  app.add_option("--from", o.from, "Sender address, bare or \"Name <address>\"")->required();
  app.add_option("--user", o.user, "Login name; the password comes from QLRMAIL_PASSWORD");
  app.add_flag("--once", o.once, "Sweep once and exit");
  app.add_option("--interval", o.interval, "Seconds between sweeps")
      ->capture_default_str()
      ->check(CLI::PositiveNumber);
}

std::string CheckValues(const MailOptions& o) {
  if (o.smtp.rfind("smtp://", 0) != 0 && o.smtp.rfind("smtps://", 0) != 0)
    return "--smtp: not an smtp:// or smtps:// URL: " + o.smtp;
  if (!IsAddress(Utf8ToCp1252(o.from))) return "--from: not an address: " + o.from;
  return {};
}

}  // namespace

int ParseMailOptions(int argc, const char* const* argv, MailOptions& options, std::ostream& out,
                     std::ostream& err) {
  CLI::App app{"QLRMail: sends Quillrun's end-of-job message files through an SMTP server"};
  app.set_version_flag("--version", VersionLine("QLRMail"));
  AddOptions(app, options);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e, out, err);
  }
  if (std::string problem = CheckValues(options); !problem.empty()) {
    err << "QLRMail: " << problem << "\n";
    return 1;
  }
  return -1;
}

bool MailFolder(const MailOptions& options, std::string& folder, std::string& error) {
  folder = Utf8ToCp1252(options.dir);
  if (options.dir.empty()) {
    const std::string ini = ResolvePath(CurrentDir(), Utf8ToCp1252(options.ini));
    const std::string email_path = IniRead(kSettingsName, "EmailPath", ini);
    if (!FileExists(ini))
      error = "Cannot find INI file: " + ini;
    else if (email_path.empty() || email_path == kNotSpecifiedMark)
      error = "the INI file names no EmailPath: " + ini;
    folder = ResolvePath(DirName(ini), email_path);
  }
  if (error.empty() && !DirExists(folder)) error = "no such folder: " + folder;
  return error.empty();
}

}  // namespace qlr
