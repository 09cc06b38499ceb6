#include "messages/dir_filter.h"

#include <gtest/gtest.h>

namespace qlr {
namespace {

TEST(DirFilterTest, KeepsTheFileNamePartOfListingLines) {
  const std::pair<const char*, const char*> cases[] = {
      // DOS: size and name after the time, whatever the date looks like.
      {"2026-12-04  06:30    1,234 file.txt", "  1,234 file.txt"},
      {"04/12/2026  18:30             1,234 a b.txt", "           1,234 a b.txt"},
      {"04.12.2026  18:30    9 x", "  9 x"},
      {"12/04/2026  06:30 PM          1,234 file.txt", "        1,234 file.txt"},
      {"2026-12-04  06:30    <DIR>          sub", ""},
      {" Directory of C:\\data", " Directory of C:\\data"},
      {"               3 File(s)          1,234 bytes", ""},
      // ls -l in its three usual date forms; names keep their blanks.
      {"-rw-r--r-- 1 ops ops 1234 Dec  4 18:30 file.txt", "file.txt"},
      {"-rw-r--r-- 1 ops ops 1234 Dec  4  2025 old file.txt", "old file.txt"},
      {"-rw-r--r--. 1 ops ops 1234 2026-12-04 18:30 a:b.txt", "a:b.txt"},
      {"-rw-r--r-- 1 ops ops 0 2026-12-04 18:30:01.123456789 +0000 iso.txt", "iso.txt"},
      {"lrwxrwxrwx 1 ops ops 3 Dec  4 18:30 link -> file.txt", "link -> file.txt"},
      {"drwxr-xr-x 2 ops ops 4096 Dec  4 18:30 sub", ""},
      {"-rw-r--r-- 1 ops ops 1234 4 déc. 18:30 f", "-rw-r--r-- 1 ops ops 1234 4 déc. 18:30 f"},
      {"total 12", ""},
      {"/data/out:", "/data/out:"},
      {"no colon", ""},
  };
  for (const auto& [line, kept] : cases) EXPECT_EQ(DirFilter(line), kept) << line;
}

}  // namespace
}  // namespace qlr
