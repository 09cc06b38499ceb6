#pragma once
// What the fuzz targets share: their entry point, a way to cut the fuzzer's
// bytes into the texts a target needs, and a folder for targets that must go
// through a file.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace qlr::fuzz {

inline std::string_view Bytes(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The texts between "\x1F" bytes (unit separators), at least `count` of them
// (missing ones empty).
std::vector<std::string> Parts(std::string_view bytes, size_t count);

// A number from the first two bytes of `bytes` (removed), 0 when too short.
int TakeNumber(std::string_view& bytes);

// A file in a folder of this process's own, removed when the process ends.
const std::string& ScratchFile(const std::string& name);

// Stops the run when a property the target checks does not hold: libFuzzer
// (or the replay program) reports the input that broke it.
inline void Require(bool holds) {
  if (!holds) std::abort();
}

}  // namespace qlr::fuzz
