#pragma once
// Fixed texts of the program.

#include <array>
#include <string_view>

namespace qlr {

inline constexpr std::string_view kSettingsName = "Quillrun";  // INI section and settings name
inline constexpr std::string_view kNotSpecifiedMark = "<not specified>";
inline constexpr std::string_view kFileErrorPrefix = "Cannot open file \"";
inline constexpr std::string_view kStandardTriggerMark = "**Standard";
inline constexpr std::string_view kSkipAlwaysKeyword = "Always";
inline constexpr std::string_view kViewProfilePrefix = "EVP";
inline constexpr std::string_view kClosingDown = "QLR999 Quillrun closing down";
inline constexpr std::string_view kDefaultGroup = "General";
inline constexpr std::string_view kDefaultWorkdays = "Mon,Tue,Wed,Thu,Fri";
inline constexpr std::string_view kDefaultDummyModel =
    "%DummyProg% JN=%JobName%,CL=%CmdLine%,F=%Freq%,OTT=On,RES=S,GO=Y";
inline constexpr int kMaxJobs = 32767;

// Date variables a job gets when it has none: name, relative day, rel month, format.
inline constexpr std::array<std::string_view, 7> kStockDateVars = {
    "RUNDATE,RunDate,0,yyyymmdd", "PREVWD,RUND-1WD,0,yyyymmdd", "NEXTWD,RUND+1WD,0,yyyymmdd",
    "PREVRUN,-1RUND,0,yyyymmdd",  "NEXTRUN,+1RUND,0,yyyymmdd",  "MONTHBEG,+1CDOM,0,yyyymmdd",
    "MONTHEND,-1CDOM,0,yyyymmdd"};

}  // namespace qlr
