#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

#include "platform/large_pages.h"

namespace qlr {

void AdviseLargePages(const void* data, size_t bytes) {
#ifdef MADV_HUGEPAGE
  const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto begin = (reinterpret_cast<uintptr_t>(data) + page - 1) / page * page;
  const auto end = (reinterpret_cast<uintptr_t>(data) + bytes) / page * page;
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)data;
  (void)bytes;
#endif
}

}  // namespace qlr
