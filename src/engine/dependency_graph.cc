#include "engine/dependency_graph.h"

#include <map>
#include <vector>

#include "base/date_format.h"
#include "base/encoding.h"
#include "base/text.h"
#include "engine/dependencies.h"
#include "engine/job_files.h"
#include "model/constants.h"

namespace qlr {
namespace {

// A DOT string: UTF-8 in double quotes, its quotes and backslashes escaped
// and line breaks as "\n".
std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : Cp1252ToUtf8(text)) {
    if (c == '"' || c == '\\') out += '\\';
    if (c == '\n') {
      out += "\\n";
      continue;
    }
    out += c;
  }
  return out + "\"";
}

std::string_view FillOf(JobStatus status) {
  switch (status) {
    case JobStatus::Scheduled:
      return "#ffffff";
    case JobStatus::Running:
      return "#90caf9";
    case JobStatus::Completed:
      return "#a5d6a7";
    case JobStatus::EndForced:
      return "#ffcc80";
    case JobStatus::SubmitFailed:
      return "#ce93d8";
    case JobStatus::NotScheduled:
      return "#eeeeee";
    case JobStatus::Failed:
      return "#ef9a9a";
    case JobStatus::Unscheduled:
      return "#bdbdbd";
  }
  return "#ffffff";
}

std::string_view StatusName(JobStatus status) {
  return status == JobStatus::SubmitFailed ? "Submit Failed" : StatusText(status);
}

char LetterAt(const std::string& letters, size_t k, char fallback) {
  return k < letters.size() && letters[k] != ' ' ? UpperChar(letters[k]) : fallback;
}

// The graph's nodes and edges, as DOT lines, gathered in job order.
class GraphWriter {
 public:
  explicit GraphWriter(const Schedule& schedule) : schedule_(schedule), index_(schedule) {}

  std::string Write() {
    for (int i = 1; i <= schedule_.JobCount(); ++i)
      if (Due(i)) JobNode(i);
    for (int i = 1; i <= schedule_.JobCount(); ++i)
      if (Due(i)) Waits(i);
    WriterEdges();
    return Header() + nodes_ + edges_ + "}\n";
  }

 private:
  bool Due(int i) const { return schedule_[i].Status != JobStatus::NotScheduled; }

  std::string Header() const {
    const std::string title = schedule_.ScheduleName +
                              (schedule_.ScheduleName.empty() ? "" : ": ") + "jobs due on " +
                              FormatDateTime(schedule_.RunDate, "dddd d mmm yyyy");
    return "digraph " + Quoted(schedule_.ScheduleName) + " {\n  label=" + Quoted(title) +
           ";\n  labelloc=t;\n  rankdir=LR;\n  fontname=\"Helvetica\";\n"
           "  node [shape=box, style=\"rounded,filled\", fillcolor=\"#ffffff\", "
           "fontname=\"Helvetica\"];\n  edge [fontname=\"Helvetica\", fontsize=10];\n";
  }

  std::string JobNode(int i) {
    const std::string id = "j" + std::to_string(i);
    if (job_ids_.emplace(i, id).second) {
      const Job& job = schedule_[i];
      std::string label = job.JobName.Str();
      if (job.Status != JobStatus::Scheduled) label += "\n" + std::string(StatusName(job.Status));
      nodes_ += "  " + id + " [label=" + Quoted(label) + ", fillcolor=\"" +
                std::string(FillOf(job.Status)) + "\"" +
                (Due(i) ? "" : ", style=\"rounded,filled,dashed\", fontcolor=\"#757575\"") + "];\n";
    }
    return id;
  }

  // A predecessor's node: the job of that name, or a node for a name no job has.
  std::string PredecessorNode(std::string_view name) {
    const int found = index_.FindJob(name);
    if (found > 0) return JobNode(found);
    return OtherNode("m", Upper(TrimView(name)),
                     std::string(TrimView(name)) + "\nnot in the schedule",
                     "style=\"rounded,dotted\"");
  }

  std::string OtherNode(const std::string& kind, const std::string& key, const std::string& label,
                        const std::string& attributes) {
    auto [it, added] = other_ids_.emplace(kind + key, kind + std::to_string(other_ids_.size() + 1));
    if (added)
      nodes_ += "  " + it->second + " [label=" + Quoted(label) + ", " + attributes + "];\n";
    return it->second;
  }

  void Waits(int i) {
    const Job& job = schedule_[i];
    const std::string id = job_ids_.at(i);
    for (size_t k = 0; k < job.RunAfter.size(); ++k) {
      if (TrimView(job.RunAfter[k]).empty()) continue;
      const bool dashed = LetterAt(job.DepAutoUnsched, k, ' ') == 'Y';
      edges_ += "  " + PredecessorNode(job.RunAfter[k]) + " -> " + id + " [label=\"" +
                std::string(1, LetterAt(job.DepConditions, k, 'S')) + "\"" +
                (dashed ? ", style=dashed" : "") + "];\n";
    }
    if (TrimView(job.WaitFile).empty()) return;
    edges_ += "  " + WaitNode(job.WaitFile) + " -> " + id + ";\n";
  }

  // The file a job waits for: another job's trigger ("..NAME"), or a path.
  std::string WaitNode(std::string_view wait_file) {
    const std::string_view spec = TrimView(wait_file);
    const std::string path = WaitFilePath(schedule_, spec);
    std::string id;
    if (StartsWith(spec, ".."))
      id = OtherNode("t", path, Trim(spec.substr(2)) + " trigger",
                     "shape=note, style=filled, fillcolor=\"#fff9c4\"");
    else
      id = OtherNode("f", path, std::string(spec),
                     "shape=note, style=filled, fillcolor=\"#fffde7\"");
    waited_[path] = id;
    return id;
  }

  // An edge from each job drawn that writes a file some job waits for.
  void WriterEdges() {
    for (int i = 1; i <= schedule_.JobCount(); ++i) {
      const Job& job = schedule_[i];
      if (job.TriggerFile.IsBlank() || job_ids_.count(i) == 0) continue;
      const std::string path = job.TriggerFile.Trimmed() == kStandardTriggerMark
                                   ? StandardTriggerPath(schedule_, job.JobName.Trimmed())
                                   : job.TriggerFile.Str();
      auto waited = waited_.find(path);
      if (waited != waited_.end())
        edges_ += "  " + job_ids_.at(i) + " -> " + waited->second + " [style=dotted];\n";
    }
  }

  const Schedule& schedule_;
  DependencyIndex index_;  // finds a predecessor by name without a scan of the jobs
  std::string nodes_, edges_;
  std::map<int, std::string> job_ids_;
  std::map<std::string, std::string> other_ids_;  // kind + key -> node id
  std::map<std::string, std::string> waited_;     // awaited path -> node id
};

}  // namespace

std::string DependencyGraphDot(const Schedule& schedule) { return GraphWriter(schedule).Write(); }

}  // namespace qlr
