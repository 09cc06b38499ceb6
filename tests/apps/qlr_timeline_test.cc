// qlr timeline and qlr graph on a fixed schedule and run log (the night of
// Friday 4 Dec 2026, seen at noon), against the golden files.

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

#include "apps/qlr_fixture.h"
#include "support/golden.h"

namespace qlr {
namespace {

using testing::Args;
using testing::JobLine;

// EXTRACT ran and writes its standard trigger; LOAD waits for it and for
// that trigger, and still runs; REPORT waits for LOAD, for SPARE's failure
// (SPARE runs on Saturdays only), for GHOST (no such job; leaves the day if
// it fails) and for a file; NOTIFY was taken off the day.
// clang-format off
const std::string kSchedule =
    JobLine({{1, "EXTRACT"}, {2, "extract.sh"}, {4, "WorkDays"}, {13, "04 Dec 2026 06:00:01"},
             {14, "04 Dec 2026 06:42:10"}, {31, "**Standard"}}) +
    JobLine({{1, "LOAD"}, {2, "load.sh"}, {4, "Daily"}, {7, "\"EXTRACT,\""}, {13, "04 Dec 2026 07:05:05"},
             {23, "..EXTRACT"}, {45, "S"}}) +
    JobLine({{1, "REPORT"}, {2, "report.sh"}, {4, "Daily"}, {7, "\"LOAD,SPARE,GHOST,\""},
             {23, "in/orders.csv"}, {45, "SFU"}, {46, "  Y"}}) +
    JobLine({{1, "SPARE"}, {2, "spare.sh"}, {4, "Sat"}}) +
    JobLine({{1, "NOTIFY"}, {2, "notify.sh"}, {4, "Daily"}, {7, "\"REPORT,\""}, {10, "U"}, {45, "S"}});
// clang-format on

class QlrTimelineTest : public testing::QlrFixture {
 protected:
  QlrTimelineTest() {
    ini_ = dir_.Write("night.ini",
                      "[Quillrun]\r\nScheduleName=NIGHT\r\nScheduleFile=night.sch\r\n"
                      "DayStart=06:00\r\nLogFile=night_yyyymmdd.log\r\nTriggerPath=triggers\r\n"
                      "PubHols=holidays.txt\r\nDateDisplayFormat=0\r\n");
    dir_.Write("holidays.txt", "25 Dec 2026\r\n1 Jan 2028\r\n");
    dir_.Write("night.sch", kSchedule);
    dir_.Write("night_20261204.log", testing::ReadGolden("night_20261204.log"));
  }
};

TEST_F(QlrTimelineTest, TimelineOfTheRunDay) {
  const std::string svg = testing::ReadGolden("timeline.svg");
  const std::string date = "4 Dec 2026";
  struct Case {
    Args args;
    int status;
    std::string out, file, file_start, err;
  };
  // clang-format off
  const Case cases[] = {
      {{"--date", date}, 0, svg, "", "", ""},
      {{"--date", date, "--svg", dir_.File("day.svg")}, 0, "", "day.svg", "<?xml", ""},
      {{"--date", date, "--html", dir_.File("day.html")}, 0, "", "day.html", "<!DOCTYPE html>", ""},
      {{"--date", "5 Dec 2026"}, 1, "", "", "",
       "qlr: no run of Saturday 5 Dec 2026 in the run log(s) "},
      {{"--date", "31 Feb 2026"}, 1, "", "", "", "qlr: --date: not a date: 31 Feb 2026\n"},
      {{"--svg", "a.svg", "--html", "b.html"}, 1, "", "", "", "--svg excludes --html"},
  };
  // clang-format on
  for (const Case& c : cases) {
    Args args = {"timeline", ini_};
    args.insert(args.end(), c.args.begin(), c.args.end());
    EXPECT_EQ(Qlr(args), c.status) << args.back() << err_.str();
    EXPECT_EQ(out_.str(), c.out) << args.back();
    EXPECT_NE(err_.str().find(c.err), std::string::npos) << err_.str();
    if (!c.file.empty()) {
      EXPECT_EQ(dir_.Read(c.file).rfind(c.file_start, 0), 0u) << c.file;
    }
  }
  EXPECT_EQ(dir_.Read("day.svg"), svg);
}

TEST_F(QlrTimelineTest, GraphOfTheDaysDependencies) {
  EXPECT_EQ(Qlr({"graph", ini_, "--date", "4 Dec 2026"}), 0) << err_.str();
  EXPECT_TRUE(testing::MatchesGolden("graph.dot", out_.str()));
  EXPECT_EQ(Qlr({"graph", ini_, "--date", "4 Dec 2026", "--format", "png"}), 1);
}

// --format svg hands the DOT to the `dot` found on PATH (here stand-ins).
TEST_F(QlrTimelineTest, GraphAsSvgThroughDot) {
  const std::string dot = (Qlr({"graph", ini_, "--date", "4 Dec 2026"}), out_.str());
  const std::string lines = std::to_string(std::count(dot.begin(), dot.end(), '\n'));
  const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
  struct Case {
    const char* name;
    const char* script;  // the stand-in's body; nullptr for none on PATH
    int status;
    std::string out, err;
  } cases[] = {
      {"dot draws", "printf '<svg %s>%s</svg>\\n' \"$*\" \"$(wc -l)\"", 0,
       "<svg -Tsvg>" + lines + "</svg>\n", ""},
      {"dot fails", "cat >/dev/null; exit 3", 1, "", "qlr: dot -Tsvg failed (exit status 3)\n"},
      {"no dot", nullptr, 1, "",
       "qlr: cannot draw SVG: Graphviz's dot is not installed (Debian package graphviz); "
       "--format dot prints the graph for it\n"},
  };
  for (const Case& c : cases) {
    testing::TempDir bin;
    if (c.script != nullptr) {
      bin.Write("dot", std::string("#!/bin/sh\n") + c.script + "\n");
      chmod(bin.File("dot").c_str(), 0755);
    }
    setenv("PATH", (bin.path() + ":/usr/bin:/bin").c_str(), 1);
    if (c.script == nullptr) setenv("PATH", bin.path().c_str(), 1);
    const int status = Qlr({"graph", ini_, "--date", "4 Dec 2026", "--format", "svg"});
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(status, c.status) << c.name;
    EXPECT_EQ(out_.str(), c.out) << c.name;
    EXPECT_EQ(err_.str(), c.err) << c.name;
  }
}

}  // namespace
}  // namespace qlr
