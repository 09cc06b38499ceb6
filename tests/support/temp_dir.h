#pragma once

#include <string>
#include <string_view>

namespace qlr::testing {

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }
  // Writes the text as is (the caller chooses CR LF or LF) and returns the path.
  std::string Write(std::string_view name, std::string_view text) const;
  std::string Read(std::string_view name) const;  // "" when missing

 private:
  std::string path_;
};

}  // namespace qlr::testing
