#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <string>

#include "base/number.h"
#include "platform/file_lock.h"
#include "platform/file_system.h"

namespace qlr {

FileLock::~FileLock() { Release(); }

FileLock::FileLock(FileLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

bool FileLock::TryLock(const std::string& path) {
  Release();
  int fd = ::open(OsPath(path).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  std::string pid = std::to_string(::getpid()) + "\n";
  if (::ftruncate(fd, 0) == 0) {
    ssize_t written = ::pwrite(fd, pid.data(), pid.size(), 0);
    (void)written;  // the pid is only a courtesy for the refused caller
  }
  fd_ = fd;
  return true;
}

std::optional<int> FileLock::Holder(const std::string& path) {
  auto content = ReadWholeFile(path);
  if (!content || !IsNumeric(*content)) return std::nullopt;
  return ReadInt32(*content);
}

void FileLock::Release() {
  if (fd_ < 0) return;
  ::close(fd_);  // closing the descriptor drops the flock
  fd_ = -1;
}

}  // namespace qlr
