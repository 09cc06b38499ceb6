// Frequency evaluation: any frequency, working days and skip text on any date
// between 1900 and 2079. Letter case never changes the answer.

#include "base/text.h"
#include "calendar/frequency.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qlr;
  std::string_view bytes = fuzz::Bytes(data, size);
  const DateTime date = AddDays(MakeDate(1900, 1, 1), fuzz::TakeNumber(bytes));
  const int holiday = fuzz::TakeNumber(bytes) % 64;
  const std::vector<std::string> parts = fuzz::Parts(bytes, 3);  // frequency, working days, skip
  Schedule schedule;
  schedule.RunDate = date;
  if (!parts[1].empty()) schedule.Calendar.Workdays = parts[1];
  schedule.Calendar.HolidayDays = {DayNumber(AddDays(date, holiday - 32))};
  const std::string& frequency = parts[0];
  const bool selected = IsScheduledOn(schedule.Calendar, frequency, date);
  fuzz::Require(IsScheduledOn(schedule.Calendar, Upper(frequency), date) == selected);
  fuzz::Require(IsScheduledOn(schedule.Calendar, Lower(frequency), date) == selected);
  ListTrueTerms(schedule.Calendar, date);
  Job job;
  job.SkipOn = parts[2];
  IsSkipped(schedule, job);
  if (holiday % 8 == 0)  // the next weeks, as the editor's try list looks at them: now and then
    for (int day = 1; day <= 60; ++day)
      IsScheduledOn(schedule.Calendar, frequency, AddDays(date, day));
  return 0;
}
