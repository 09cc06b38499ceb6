#pragma once
// An exclusive lock on a file, held by the operating system for as long as
// the object lives (and released when the process dies). The lock file holds
// the owner's pid so that a refused caller can name it.

#include <optional>
#include <string>

namespace qlr {

class FileLock {
 public:
  FileLock() = default;
  ~FileLock();
  FileLock(FileLock&& other) noexcept;
  FileLock& operator=(FileLock&& other) noexcept;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Takes the lock without waiting; false when another process holds it.
  bool TryLock(const std::string& path);
  bool held() const { return fd_ >= 0; }
  // The pid written by the process that holds the lock at `path`, if readable.
  static std::optional<int> Holder(const std::string& path);

 private:
  void Release();
  int fd_ = -1;
};

}  // namespace qlr
