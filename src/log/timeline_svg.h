#pragma once
// A run day's timeline drawn as standard SVG (no script): the time axis with
// its ticks, one thin row per run with the job's name, each bar coloured by
// its outcome and carrying a <title> with the job, its times and duration.

#include <string>

#include "log/timeline.h"

namespace qlr {

// A standalone SVG document, UTF-8.
std::string TimelineSvg(const Timeline& timeline);
// The same picture in a minimal HTML page, UTF-8.
std::string TimelineHtml(const Timeline& timeline);

// The caption of the picture: "NAME: Friday 4 Dec 2026" (Windows-1252).
std::string TimelineCaption(const Timeline& timeline);
// The hover text of a run (Windows-1252): the job; its start and end (or the
// moment) with their date when it is not the run date; the duration; the
// outcome with the failure's text and whether the job was put back.
std::string RunTitle(const Timeline& timeline, const TimelineRun& run);
// A tick's label: "hh:nn" ("hh:nn:ss" when ticks are seconds apart), or
// "ddd d" at a midnight when the span has more than one date.
std::string TickLabel(const TimeAxis& axis, DateTime tick);

}  // namespace qlr
