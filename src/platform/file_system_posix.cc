#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "base/encoding.h"
#include "base/text.h"
#include "platform/atomic_file.h"
#include "platform/file_system.h"
#include "platform/write_all_posix.h"

namespace qlr {
namespace fs = std::filesystem;

namespace {

bool WriteToFd(std::string_view path, std::string_view content, int flags, bool sync) {
  int fd = ::open(OsPath(path).c_str(), flags | O_WRONLY | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, content) && (!sync || ::fsync(fd) == 0);
  int saved = errno;
  ok = ::close(fd) == 0 && ok;
  if (!ok && saved) errno = saved;
  return ok;
}

}  // namespace

std::string OsPath(std::string_view path) { return Cp1252ToUtf8(path); }

bool FileExists(std::string_view path) {
  struct stat st {};
  return !path.empty() && ::stat(OsPath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirExists(std::string_view path) {
  struct stat st {};
  return !path.empty() && ::stat(OsPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool RemoveFile(std::string_view path) { return ::unlink(OsPath(path).c_str()) == 0; }

bool RenameFile(std::string_view from, std::string_view to) {
  return ::rename(OsPath(from).c_str(), OsPath(to).c_str()) == 0;
}

bool LinkFile(std::string_view from, std::string_view to) {
  return ::link(OsPath(from).c_str(), OsPath(to).c_str()) == 0;
}

bool CopyFile(std::string_view from, std::string_view to) {
  auto content = ReadWholeFile(from);
  return content && WriteFileAtomic(to, *content);
}

std::optional<DateTime> LastModified(std::string_view path) {
  struct stat st {};
  if (::stat(OsPath(path).c_str(), &st) != 0) return std::nullopt;
  return FromTimeT(st.st_mtime);
}

std::optional<std::string> ReadWholeFile(std::string_view path) {
  int fd = ::open(OsPath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string content;
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      int saved = errno;
      ::close(fd);
      errno = saved;
      return std::nullopt;
    }
    if (n == 0) break;
    content.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return content;
}

std::optional<std::vector<std::string>> ReadLines(std::string_view path) {
  auto content = ReadWholeFile(path);
  if (!content) return std::nullopt;
  std::vector<std::string> lines;
  ForEachLine(*content, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

bool WriteFileAtomic(std::string_view path, std::string_view content) {
  AtomicFile file(path);
  return file.Write(content) && file.Commit();
}

bool WriteWholeFile(std::string_view path, std::string_view content) {
  return WriteToFd(path, content, O_CREAT | O_TRUNC, false);
}

bool AppendToFile(std::string_view path, std::string_view content) {
  return WriteToFd(path, content, O_CREAT | O_APPEND, false);
}

bool AppendDurably(std::string_view path, std::string_view content) {
  return WriteToFd(path, content, O_CREAT | O_APPEND, true);
}

namespace {

// The name pattern for fnmatch, in which only "?" and "*" are wildcards: "[" and
// "\\" stand for themselves, as they do in the names of files.
std::string NamePattern(std::string_view name) {
  std::string pattern;
  for (char c : OsPath(name)) {
    if (c == '[' || c == ']' || c == '\\') pattern += '\\';
    pattern += c;
  }
  return pattern;
}

}  // namespace

std::vector<std::string> ListMatching(std::string_view pattern) {
  std::string dir = DirName(pattern);
  std::string name_pattern = NamePattern(BaseName(pattern));
  std::vector<std::string> found;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(OsPath(dir.empty() ? "." : dir), ec)) {
    if (!entry.is_regular_file(ec)) continue;
    std::string name = entry.path().filename().string();
    if (::fnmatch(name_pattern.c_str(), name.c_str(), FNM_PERIOD) == 0)
      found.push_back(JoinPath(dir, Utf8ToCp1252(name)));
  }
  std::sort(found.begin(), found.end());
  return found;
}

std::string SafeFileName(std::string_view job_name) {
  std::string name = ReplaceAll(TrimView(job_name), "/", "_");
  if (name == "." || name == "..") name = "_" + name;
  return name;
}

std::string DirName(std::string_view path) {
  size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return {};
  return std::string(path.substr(0, slash == 0 ? 1 : slash));
}

std::string BaseName(std::string_view path) {
  size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string JoinPath(std::string_view dir, std::string_view name) {
  if (dir.empty()) return std::string(name);
  std::string r(dir);
  if (r.back() != '/') r += '/';
  r.append(name);
  return r;
}

bool IsAbsolutePath(std::string_view path) { return !path.empty() && path[0] == '/'; }

std::string ResolvePath(std::string_view base_dir, std::string_view path) {
  if (path.empty() || IsAbsolutePath(path) || base_dir.empty()) return std::string(path);
  return JoinPath(base_dir, path);
}

std::string CurrentDir() {
  std::error_code ec;
  return Utf8ToCp1252(fs::current_path(ec).string());
}

std::string ExecutableDir() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? CurrentDir() : Utf8ToCp1252(exe.parent_path().string());
}

std::string LastErrorText() { return std::strerror(errno); }

}  // namespace qlr
