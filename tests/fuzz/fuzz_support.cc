#include "fuzz_support.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace qlr::fuzz {
namespace {

// The scratch folder, made on first use and removed at exit.
struct ScratchFolder {
  ScratchFolder()
      : path(std::filesystem::temp_directory_path() / ("qlr-fuzz-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(path);
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::filesystem::path path;
};

}  // namespace

std::vector<std::string> Parts(std::string_view bytes, size_t count) {
  std::vector<std::string> parts;
  for (size_t at; (at = bytes.find('\x1F')) != std::string_view::npos; bytes.remove_prefix(at + 1))
    parts.emplace_back(bytes.substr(0, at));
  parts.emplace_back(bytes);
  if (parts.size() < count) parts.resize(count);
  return parts;
}

int TakeNumber(std::string_view& bytes) {
  if (bytes.size() < 2) return 0;
  const int n = static_cast<unsigned char>(bytes[0]) << 8 | static_cast<unsigned char>(bytes[1]);
  bytes.remove_prefix(2);
  return n;
}

const std::string& ScratchFile(const std::string& name) {
  static ScratchFolder folder;
  static std::string path;
  path = (folder.path / name).string();
  return path;
}

}  // namespace qlr::fuzz
