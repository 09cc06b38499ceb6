#pragma once
// A file written a piece at a time that replaces its path only when whole:
// the pieces go to a temporary file in the same folder, which Commit()
// flushes to disk and moves into place. A crash, a failed write or a writer
// dropped before Commit() leaves the old file as it was.

#include <functional>
#include <string>
#include <string_view>

namespace qlr {

class AtomicFile {
 public:
  explicit AtomicFile(std::string_view path);
  ~AtomicFile();  // removes the temporary file unless committed
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // False (and errno set) once a step has failed; later steps do nothing.
  bool Write(std::string_view piece);
  // `before_replace`, when given, runs once the new file is whole and on
  // disk, just before it takes the path; when it fails, nothing is replaced.
  bool Commit(const std::function<bool()>& before_replace = {});

 private:
  void Fail();

  std::string path_, temp_;
  int fd_ = -1;
};

}  // namespace qlr
