#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/atomic_file.h"
#include "platform/file_system.h"
#include "platform/write_all_posix.h"

namespace qlr {
namespace {

// The folder's entry of a renamed file reaches the disk only with the folder.
void SyncDir(std::string_view path) {
  const std::string dir = DirName(path);
  int fd = ::open(OsPath(dir.empty() ? "." : dir).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

AtomicFile::AtomicFile(std::string_view path) : path_(path), temp_(path_ + ".new~") {
  fd_ = ::open(OsPath(temp_).c_str(), O_CREAT | O_TRUNC | O_WRONLY | O_CLOEXEC, 0644);
}

AtomicFile::~AtomicFile() {
  if (fd_ >= 0) Fail();
}

bool AtomicFile::Write(std::string_view piece) {
  if (fd_ >= 0 && !WriteAll(fd_, piece)) Fail();
  return fd_ >= 0;
}

bool AtomicFile::Commit(const std::function<bool()>& before_replace) {
  if (fd_ < 0) return false;
  const bool flushed = ::fsync(fd_) == 0;
  const bool closed = ::close(std::exchange(fd_, -1)) == 0;
  if (!flushed || !closed || (before_replace && !before_replace()) || !RenameFile(temp_, path_))
    return Fail(), false;
  SyncDir(path_);
  return true;
}

// Closes and drops the temporary file; errno keeps the cause of the failure.
void AtomicFile::Fail() {
  const int saved = errno;
  if (fd_ >= 0) ::close(std::exchange(fd_, -1));
  RemoveFile(temp_);
  errno = saved;
}

}  // namespace qlr
