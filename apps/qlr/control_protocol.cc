#include "qlr/control_protocol.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <string_view>
#include <vector>

#include "base/encoding.h"

namespace qlr {
namespace {

using nlohmann::json;

std::string Text(const std::string& cp1252) { return Cp1252ToUtf8(cp1252); }

// A JSON string of a Windows-1252 text.
void AppendString(std::string& out, std::string_view cp1252) {
  out += '"';
  for (char c : Cp1252ToUtf8(cp1252)) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

void AppendLines(std::string& out, const char* key, const std::vector<std::string>& lines) {
  out += std::string(",\"") + key + "\":[";
  for (size_t k = 0; k < lines.size(); ++k) {
    if (k > 0) out += ',';
    AppendString(out, lines[k]);
  }
  out += ']';
}

// The status is written out directly: an answer for the largest schedule
// names 32767 jobs, and building a tree of objects for it first would take
// longer than making the status itself.
std::string StatusJson(const RunStatus& status, bool ok, const std::string& message) {
  std::string out = "{\"ok\":" + std::string(ok ? "true" : "false") + ",\"message\":";
  AppendString(out, message);
  out += ",\"run_date\":";
  AppendString(out, status.run_date);
  out += std::string(",\"suspended\":") + (status.suspended ? "true" : "false");
  out += std::string(",\"complete\":") + (status.complete ? "true" : "false");
  out += ",\"counts\":" + json(status.counts).dump();
  out += ",\"jobs\":[";
  for (size_t k = 0; k < status.jobs.size(); ++k) {
    const JobState& job = status.jobs[k];
    out += k > 0 ? ",{\"name\":" : "{\"name\":";
    AppendString(out, job.name);
    out += ",\"status\":";
    AppendString(out, job.status);
    out += ",\"text\":";
    AppendString(out, job.text);
    out += '}';
  }
  out += ']';
  AppendLines(out, "events", status.events);
  AppendLines(out, "log", status.log);
  return out + '}';
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
  if (in.contains("job") && in["job"].is_string())
    request.job = Utf8ToCp1252(in["job"].get<std::string>());
  if (in.contains("yes") && in["yes"].is_boolean()) request.yes = in["yes"].get<bool>();
  if (in.contains("cascade") && in["cascade"].is_boolean())
    request.cascade = in["cascade"].get<bool>();
  return request;
}

std::string ReplyLine(const ControlReply& reply) {
  if (reply.status) return StatusJson(*reply.status, reply.ok, reply.message);
  return json{{"ok", reply.ok}, {"message", Text(reply.message)}}.dump(
      -1, ' ', false, json::error_handler_t::replace);
}

bool ReplyText(const std::string& line, std::string& text, bool& ok) {
  const json answer = json::parse(line, nullptr, false);
  if (!answer.is_object() || !answer.contains("ok")) return false;
  ok = answer.value("ok", false);
  text = answer.contains("run_date") ? StatusText(answer) : answer.value("message", std::string());
  return true;
}

}  // namespace qlr
