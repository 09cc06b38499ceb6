// The profile (INI) reader on any file: reading never fails, and a key written
// into the file reads back as written, whatever else the file holds.

#include <fstream>

#include "fuzz_support.h"
#include "store/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qlr;
  const std::string& ini = fuzz::ScratchFile("night.ini");
  const std::string_view bytes = fuzz::Bytes(data, size);
  std::ofstream(ini, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(size));
  for (const char* key : {"ScheduleName", "ScheduleFile", "DayStart", "", "="})
    IniRead("Quillrun", key, ini);
  fuzz::Require(IniWrite("Quillrun", "FuzzKey", "value 1", ini));
  fuzz::Require(IniRead("Quillrun", "fuzzkey", ini) == "value 1");
  fuzz::Require(IniWrite("Other", "FuzzKey", "value 2", ini));
  fuzz::Require(IniRead("Quillrun", "FuzzKey", ini) == "value 1");
  fuzz::Require(IniRead("other", "FuzzKey", ini) == "value 2");
  IniDeleteSection("Quillrun", ini);
  fuzz::Require(IniRead("Quillrun", "FuzzKey", ini).empty());
  return 0;
}
