#pragma once
// Writing a whole text to an open file descriptor, for the POSIX file code.

#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace qlr {

// False (errno set) when the system stops taking the text; an interrupted
// write goes on where it stopped.
inline bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t n = ::write(fd, content.data(), content.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    content.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

}  // namespace qlr
