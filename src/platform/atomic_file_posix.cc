#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/atomic_file.h"
#include "platform/file_system.h"

namespace qlr {
namespace {

// The folder's entry of a renamed file reaches the disk only with the folder.
void SyncDir(std::string_view path) {
  int fd = ::open(OsPath(DirName(path).empty() ? "." : DirName(path)).c_str(),
                  O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

AtomicFile::AtomicFile(std::string_view path) : path_(path), temp_(path_ + ".new~") {
  fd_ = ::open(OsPath(temp_).c_str(), O_CREAT | O_TRUNC | O_WRONLY | O_CLOEXEC, 0644);
}

AtomicFile::~AtomicFile() {
  if (fd_ < 0) return;
  const int saved = errno;
  Fail();
  errno = saved;
}

bool AtomicFile::Write(std::string_view piece) {
  while (fd_ >= 0 && !piece.empty()) {
    const ssize_t n = ::write(fd_, piece.data(), piece.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) Fail();
    if (n > 0) piece.remove_prefix(static_cast<size_t>(n));
  }
  return fd_ >= 0;
}

bool AtomicFile::Commit() {
  if (fd_ < 0) return false;
  if (::fsync(fd_) != 0) return Fail(), false;
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 || !RenameFile(temp_, path_)) {
    const int saved = errno;
    RemoveFile(temp_);
    errno = saved;
    return false;
  }
  SyncDir(path_);
  return true;
}

// Drops the temporary file; errno keeps the cause of the failure.
void AtomicFile::Fail() {
  const int saved = errno;
  ::close(fd_);
  fd_ = -1;
  RemoveFile(temp_);
  errno = saved;
}

}  // namespace qlr
