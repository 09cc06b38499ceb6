// The field splitter: GetField on any line, and the schedule reader's one-pass
// split, which must give every field exactly as GetField does.

#include <algorithm>

#include "base/field.h"
#include "fuzz_support.h"
#include "store/schedule_file.h"

namespace qlr {
namespace {

// Text columns held as they are read: the reader's field must be GetField's.
void CheckTextColumns(std::string_view bytes, char delimiter) {
  Schedule schedule;
  const Job job = ParseJobLine(schedule, bytes, delimiter);
  std::string line(bytes);
  std::replace(line.begin(), line.end(), '\xFF', '"');  // as the reader reads old files
  const std::pair<int, const std::string*> columns[] = {
      {4, &job.Frequency},      {5, &job.Exclusivity},   {9, &job.NormalMailTo},
      {23, &job.WaitFile},      {29, &job.NormalMailCc}, {35, &job.AbnormalMailTo},
      {36, &job.AbnormalMailCc}};
  for (const auto& [column, text] : columns)
    fuzz::Require(*text == GetField(line, column, '"', delimiter));
  if (delimiter == '\t') fuzz::Require(job.CommandLine == GetField(line, 2, '"', delimiter));
}

}  // namespace
}  // namespace qlr

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = qlr::fuzz::Bytes(data, size);
  for (char delimiter : {'\t', ','}) {
    for (int n = 1; n <= 52; ++n) qlr::GetField(bytes, n, '"', delimiter);
    qlr::CheckTextColumns(bytes, delimiter);
  }
  return 0;
}
