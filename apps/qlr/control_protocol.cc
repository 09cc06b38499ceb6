#include "qlr/control_protocol.h"

#include <nlohmann/json.hpp>

#include "base/encoding.h"

namespace qlr {
namespace {

using nlohmann::json;

std::string Text(const std::string& cp1252) { return Cp1252ToUtf8(cp1252); }

json StatusJson(const RunStatus& status) {
  json out = {{"run_date", Text(status.run_date)},
              {"suspended", status.suspended},
              {"complete", status.complete},
              {"counts", status.counts}};
  json jobs = json::array();
  for (const JobState& job : status.jobs)
    jobs.push_back({{"name", Text(job.name)}, {"status", job.status}, {"text", Text(job.text)}});
  out["jobs"] = std::move(jobs);
  json events = json::array(), log = json::array();
  for (const std::string& line : status.events) events.push_back(Text(line));
  for (const std::string& line : status.log) log.push_back(Text(line));
  out["events"] = std::move(events);
  out["log"] = std::move(log);
  return out;
}

// The member `key` of `object` when it is an array or object, else an empty one.
const json& Member(const json& object, const char* key) {
  static const json kNone = json::array();
  const auto it = object.find(key);
  return it != object.end() && (it->is_array() || it->is_object()) ? *it : kNone;
}

// The status as lines: the run date and state, the counts, the waiting jobs
// with their reasons, the events, the last log lines.
std::string StatusText(const json& answer) {
  std::string text = "Run date: " + answer.value("run_date", std::string());
  if (answer.value("suspended", false)) text += " (suspended)";
  if (answer.value("complete", false)) text += " (complete)";
  text += "\nJobs:";
  const json& counts = Member(answer, "counts");
  for (auto it = counts.begin(); it != counts.end(); ++it)
    if (counts.is_object()) text += " " + it.key() + " " + std::to_string(it->get<int>());
  text += "\nWaiting:";
  for (const json& job : Member(answer, "jobs"))
    if (job.value("status", "") == "Scheduled")
      text += "\n  " + job.value("name", "") + "\t" + job.value("text", "");
  text += "\nEvents:";
  for (const json& line : Member(answer, "events")) text += "\n  " + line.get<std::string>();
  text += "\nLog:";
  for (const json& line : Member(answer, "log")) text += "\n  " + line.get<std::string>();
  return text;
}

}  // namespace

std::string RequestLine(const ControlRequest& request) {
  return json{{"command", request.command},
              {"job", Text(request.job)},
              {"yes", request.yes},
              {"cascade", request.cascade}}
      .dump();
}

std::optional<ControlRequest> ReadRequest(const std::string& line) {
  const json in = json::parse(line, nullptr, false);
  if (!in.is_object() || !in.contains("command") || !in["command"].is_string()) return std::nullopt;
  ControlRequest request;
  request.command = in["command"].get<std::string>();
  if (in.contains("job") && in["job"].is_string()) request.job = Utf8ToCp1252(in["job"].get<std::string>());
  if (in.contains("yes") && in["yes"].is_boolean()) request.yes = in["yes"].get<bool>();
  if (in.contains("cascade") && in["cascade"].is_boolean()) request.cascade = in["cascade"].get<bool>();
  return request;
}

std::string ReplyLine(const ControlReply& reply) {
  json out = reply.status ? StatusJson(*reply.status) : json::object();
  out["ok"] = reply.ok;
  out["message"] = Text(reply.message);
  return out.dump(-1, ' ', false, json::error_handler_t::replace);
}

bool ReplyText(const std::string& line, std::string& text, bool& ok) {
  const json answer = json::parse(line, nullptr, false);
  if (!answer.is_object() || !answer.contains("ok")) return false;
  ok = answer.value("ok", false);
  text = answer.contains("run_date") ? StatusText(answer) : answer.value("message", std::string());
  return true;
}

}  // namespace qlr
