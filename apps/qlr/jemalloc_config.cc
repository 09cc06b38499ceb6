// jemalloc's settings for qlr, read when its allocator starts. Reading a
// schedule of 32767 jobs fills some 50 MiB in a quarter of a million
// allocations; from transparent huge pages that costs a page fault per
// 2 MiB instead of one per 4 KiB.

extern "C" {
extern const char* malloc_conf;
const char* malloc_conf = "thp:always,metadata_thp:always";
}
