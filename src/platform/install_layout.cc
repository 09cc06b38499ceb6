#include "platform/install_layout.h"

#include <filesystem>

#include "platform/file_system.h"
#include "platform/install_dirs.h"

namespace qlr {
namespace {

// "/usr/bin" + "../libexec/quillrun" gives "/usr/libexec/quillrun". The
// program's folder comes from /proc/self/exe with every link resolved, so
// ".." cannot step out of a linked folder.
std::string Below(std::string_view program_dir, std::string_view relative) {
  return std::filesystem::path(JoinPath(program_dir, relative)).lexically_normal().string();
}

}  // namespace

std::string CompanionProgramPath(std::string_view program_dir, std::string_view name) {
  std::string beside = JoinPath(program_dir, name);
  if (FileExists(beside)) return beside;
  std::string installed = JoinPath(Below(program_dir, kBinToLibexec), name);
  return FileExists(installed) ? installed : beside;
}

std::string InstalledHelpDir(std::string_view program_dir) {
  return Below(program_dir, kBinToHelp);
}

}  // namespace qlr
