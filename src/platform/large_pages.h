#pragma once
// A hint that a large block about to be filled should be backed by large
// pages. Filling the job table of a big schedule otherwise takes one page
// fault per 4 KiB, which costs more than reading the file on some machines.

#include <cstddef>

namespace qlr {

// Asks for large pages over the whole pages inside [data, data + bytes).
// Only a hint: nothing happens where the system cannot or will not.
void AdviseLargePages(const void* data, size_t bytes);

}  // namespace qlr
