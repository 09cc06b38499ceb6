#include "log/timeline_svg.h"

#include <cstdio>
#include <map>

#include "base/date_format.h"
#include "base/encoding.h"
#include "base/text.h"

namespace qlr {
namespace {

// Pixels. A large day gets thin rows so that thousands of runs stay a
// picture a browser draws at once.
constexpr int kNameWidth = 90;
constexpr int kPlotWidth = 960;
constexpr int kRightMargin = 30;
constexpr int kHeaderHeight = 64;
constexpr int kBottomMargin = 10;
constexpr size_t kThinRowsFrom = 200;

struct Layout {
  TimeAxis axis;
  int row = 16;   // row height
  int font = 11;  // name size
  int width = kNameWidth + kPlotWidth + kRightMargin;
  int height = 0;
};

Layout LayoutOf(const Timeline& timeline) {
  Layout layout;
  layout.axis = AxisOf(timeline);
  if (timeline.runs.size() > kThinRowsFrom) layout.row = 8, layout.font = 7;
  layout.height =
      kHeaderHeight + static_cast<int>(timeline.runs.size()) * layout.row + kBottomMargin;
  return layout;
}

std::string Num(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

double X(const Layout& layout, DateTime t) {
  const double span = static_cast<double>(layout.axis.to - layout.axis.from);
  return kNameWidth + static_cast<double>(t - layout.axis.from) * kPlotWidth / span;
}

// Windows-1252 text as UTF-8 with the XML specials escaped.
std::string Xml(std::string_view text) {
  std::string out;
  for (char c : Cp1252ToUtf8(text)) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string ClassOf(RunOutcome outcome) { return "o" + std::to_string(static_cast<int>(outcome)); }

std::string Style() {
  std::string style =
      "<style>\n"
      ".tick{stroke:#e0e0e0;stroke-width:1}\n.label{fill:#555;font-size:10px}\n"
      ".name{font-family:monospace;text-anchor:end}\n.stripe{fill:#f7f7f7}\n"
      ".now{stroke:#d50000;stroke-width:1;stroke-dasharray:4 3}\n";
  for (int o = 0; o <= static_cast<int>(RunOutcome::NoEnd); ++o)
    style += "." + ClassOf(static_cast<RunOutcome>(o)) +
             "{fill:" + std::string(OutcomeColour(static_cast<RunOutcome>(o))) + "}\n";
  return style + "</style>\n";
}

// The outcomes the day has, each with its count, in a row of coloured boxes.
std::string Legend(const Timeline& timeline) {
  std::map<RunOutcome, int> counts;
  for (const TimelineRun& run : timeline.runs) ++counts[run.outcome];
  std::string svg;
  int x = 8;
  const size_t runs = timeline.runs.size();
  std::string total = std::to_string(runs) + (runs == 1 ? " run:" : " runs:");
  svg += "<text x=\"8\" y=\"38\">" + total + "</text>\n";
  x += static_cast<int>(total.size()) * 6 + 10;
  for (const auto& [outcome, count] : counts) {
    const std::string text = std::string(OutcomeText(outcome)) + " " + std::to_string(count);
    svg += "<rect class=\"" + ClassOf(outcome) + "\" x=\"" + std::to_string(x) +
           "\" y=\"29\" width=\"10\" height=\"10\"/><text x=\"" + std::to_string(x + 14) +
           "\" y=\"38\">" + Xml(text) + "</text>\n";
    x += static_cast<int>(text.size()) * 6 + 30;
  }
  return svg;
}

std::string Ticks(const Layout& layout) {
  std::string svg;
  const std::string bottom = std::to_string(layout.height - kBottomMargin);
  for (DateTime t = layout.axis.from; t <= layout.axis.to; t += layout.axis.step) {
    const std::string x = Num(X(layout, t));
    svg += "<line class=\"tick\" x1=\"" + x + "\" y1=\"" + std::to_string(kHeaderHeight - 4) +
           "\" x2=\"" + x + "\" y2=\"" + bottom + "\"/><text class=\"label\" x=\"" + x +
           "\" y=\"56\" text-anchor=\"middle\">" + TickLabel(layout.axis, t) + "</text>\n";
  }
  return svg;
}

std::string Row(const Timeline& timeline, const Layout& layout, size_t index) {
  const TimelineRun& run = timeline.runs[index];
  const int top = kHeaderHeight + static_cast<int>(index) * layout.row;
  std::string svg;
  if (index % 2 == 1)
    svg += "<rect class=\"stripe\" x=\"0\" y=\"" + std::to_string(top) + "\" width=\"" +
           std::to_string(layout.width) + "\" height=\"" + std::to_string(layout.row) + "\"/>";
  svg += "<text class=\"name\" x=\"" + std::to_string(kNameWidth - 6) + "\" y=\"" +
         std::to_string(top + layout.row - layout.row / 4 - 1) + "\" font-size=\"" +
         std::to_string(layout.font) + "\">" + Xml(run.job) + "</text>";
  // A moment is a narrow mark; a span is never thinner than a pixel.
  const double x = IsMoment(run.outcome) ? X(layout, run.start) - 1.5 : X(layout, run.start);
  const double width = IsMoment(run.outcome) ? 3.0 : std::max(1.0, X(layout, run.end) - x);
  const int pad = layout.row > 8 ? 3 : 1;
  svg += "<rect class=\"" + ClassOf(run.outcome) + "\" x=\"" + Num(x) + "\" y=\"" +
         std::to_string(top + pad) + "\" width=\"" + Num(width) + "\" height=\"" +
         std::to_string(layout.row - 2 * pad) + "\"><title>" + Xml(RunTitle(timeline, run)) +
         "</title></rect>\n";
  return svg;
}

std::string NowLine(const Timeline& timeline, const Layout& layout) {
  if (timeline.now < layout.axis.from || timeline.now > layout.axis.to) return {};
  const std::string x = Num(X(layout, timeline.now));
  return "<line class=\"now\" x1=\"" + x + "\" y1=\"" + std::to_string(kHeaderHeight - 4) +
         "\" x2=\"" + x + "\" y2=\"" + std::to_string(layout.height - kBottomMargin) +
         "\"><title>now " + FormatDateTime(timeline.now, "hh:nn:ss") + "</title></line>\n";
}

std::string SvgElement(const Timeline& timeline) {
  const Layout layout = LayoutOf(timeline);
  const std::string w = std::to_string(layout.width), h = std::to_string(layout.height);
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
                    "\" viewBox=\"0 0 " + w + " " + h +
                    "\" font-family=\"sans-serif\" font-size=\"11\">\n" + Style();
  svg += "<rect x=\"0\" y=\"0\" width=\"" + w + "\" height=\"" + h + "\" fill=\"#ffffff\"/>\n";
  svg += "<text x=\"8\" y=\"18\" font-size=\"14\" font-weight=\"bold\">" +
         Xml(TimelineCaption(timeline)) + "</text>\n";
  svg += Legend(timeline) + Ticks(layout);
  for (size_t i = 0; i < timeline.runs.size(); ++i) svg += Row(timeline, layout, i);
  return svg + NowLine(timeline, layout) + "</svg>\n";
}

// A time of the run: its date too when that is not the run date.
std::string When(const Timeline& timeline, DateTime t) {
  const std::string time = FormatDateTime(t, "hh:nn:ss");
  return DateOnly(t) == timeline.run_date ? time : FormatDateTime(t, "d mmm ") + time;
}

}  // namespace

std::string TimelineCaption(const Timeline& timeline) {
  std::string date = FormatDateTime(timeline.run_date, "dddd d mmm yyyy") + " (run day from " +
                     FormatDateTime(timeline.day_start_at, "hh:nn") + ")";
  return timeline.schedule_name.empty() ? date : timeline.schedule_name + ": " + date;
}

std::string RunTitle(const Timeline& timeline, const TimelineRun& run) {
  std::string title = run.job + "\n";
  if (IsMoment(run.outcome)) {
    title += std::string(OutcomeText(run.outcome)) + " at " + When(timeline, run.start);
  } else {
    const std::string duration = DurationText(run.end - run.start);
    if (run.outcome == RunOutcome::Running)
      title += "Submitted " + When(timeline, run.start) + ", running for " + duration;
    else
      title += When(timeline, run.start) + " to " + When(timeline, run.end) + " (Duration " +
               duration + ")";
    title += "\n" + std::string(OutcomeText(run.outcome));
    if (!run.fail_text.empty()) title += ": " + run.fail_text;
  }
  if (run.rescheduled) title += ", then rescheduled";
  return title;
}

std::string TickLabel(const TimeAxis& axis, DateTime tick) {
  const bool dates = DateOnly(axis.from) != DateOnly(axis.to - 1);
  if (dates && TimeOfDay(tick) == 0) return FormatDateTime(tick, "ddd d");
  return FormatDateTime(tick, axis.step < 60 ? "hh:nn:ss" : "hh:nn");
}

std::string TimelineSvg(const Timeline& timeline) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + SvgElement(timeline);
}

std::string TimelineHtml(const Timeline& timeline) {
  return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
         Xml(TimelineCaption(timeline)) + "</title>\n</head>\n<body>\n" + SvgElement(timeline) +
         "</body>\n</html>\n";
}

}  // namespace qlr
