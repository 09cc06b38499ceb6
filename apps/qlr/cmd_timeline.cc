// qlr timeline: a run day's runs, read back from its run logs, drawn as SVG
// (or an HTML page holding it), to a file or to standard output.

#include <memory>
#include <optional>

#include "base/date_format.h"
#include "base/encoding.h"
#include "log/timeline_log.h"
#include "log/timeline_svg.h"
#include "platform/file_system.h"
#include "qlr/command.h"
#include "qlr/session.h"

namespace qlr {
namespace {

struct TimelineOptions {
  std::string ini = {};
  std::string date = {};  // "" for the run date the launch window offers
  std::string svg = {};   // the file to write; "" for standard output
  std::string html = {};  // the file to write a page to
};

// The picture, or the page holding it, written to the file asked for (in
// place, so that a reader never sees half of it) or to standard output.
int Put(CliEnv& env, const TimelineOptions& o, const Timeline& timeline) {
  const std::string& file = o.html.empty() ? o.svg : o.html;
  const std::string text = o.html.empty() ? TimelineSvg(timeline) : TimelineHtml(timeline);
  if (file.empty()) {
    env.out << text;
    return 0;
  }
  if (WriteFileAtomic(Utf8ToCp1252(file), text)) return 0;
  PrintError(env, "cannot write " + Utf8ToCp1252(file) + ": " + LastErrorText());
  return 1;
}

int CmdTimeline(CliEnv& env, const TimelineOptions& o) {
  std::optional<DateTime> date;
  if (!ReadDateOption(env, "--date", o.date, date)) return 1;
  return RunOnSchedule(env, o.ini, [&](Session& s) {
    s.SetRunDate(date);
    const DayLog day = ReadDayLog(s.schedule, s.schedule.RunDate, env.clock.Now());
    if (!day.found) {
      PrintError(env, "no run of " + FormatDateTime(s.schedule.RunDate, "dddd d mmm yyyy") +
                          " in the run log(s) " +
                          JoinTexts(DayLogFiles(s.schedule, s.schedule.RunDate), ", "));
      return 1;
    }
    return Put(env, o, day.timeline);
  });
}

}  // namespace

Subcommand RegisterTimeline(CLI::App& app, CliEnv& env) {
  auto options = std::make_shared<TimelineOptions>();
  TimelineOptions& o = *options;
  CLI::App* sub = app.add_subcommand(
      "timeline",
      "Draw a run day's job runs from its run logs as SVG (standard output by default)");
  AddIniArgument(*sub, o.ini);
  AddDateOption(*sub, o.date);
  auto* svg = sub->add_option("--svg", o.svg, "Write the SVG picture to this file");
  auto* html =
      sub->add_option("--html", o.html, "Write an HTML page holding the picture to this file");
  svg->excludes(html);
  return {sub, [&env, options] { return CmdTimeline(env, *options); }};
}

}  // namespace qlr
