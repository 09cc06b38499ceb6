#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <vector>

#include "base/encoding.h"
#include "base/number.h"
#include "base/text.h"
#include "calendar/status_decision.h"
#include "editor/grid_cells.h"
#include "editor/grid_columns.h"
#include "qlr/command.h"
#include "qlr/session.h"

namespace qlr {
namespace {

struct ShowOptions {
  std::string ini = {};
  std::string date = {};                    // "" for the run date the launch window offers
  std::string columns = "0,1,10,11,12,16";  // ids 0..22 separated by commas, or "all"
  bool json = false;
};

// The column ids of a --columns list; nullopt (reported) when one is not an id.
std::optional<std::vector<int>> ReadColumns(CliEnv& env, const std::string& list) {
  std::vector<int> ids;
  if (EqualsNoCase(Trim(list), "all")) {
    for (int id = 0; id < kGridColumnCount; ++id) ids.push_back(id);
    return ids;
  }
  for (const std::string& part : Split(list, ',')) {
    double value = LeadingNumber(part);
    if (!IsNumeric(part) || value != static_cast<int>(value) || value < 0 ||
        value >= kGridColumnCount) {
      PrintError(env, "--columns: not a column id (0 to 22): " + Utf8ToCp1252(part));
      return std::nullopt;
    }
    ids.push_back(static_cast<int>(value));
  }
  return ids;
}

std::vector<std::string> JobCells(Session& s, const Job& job, const std::vector<int>& ids) {
  std::vector<std::string> cells;
  for (int id : ids) cells.push_back(CellText(s.schedule, s.log, job, id));
  return cells;
}

void PrintTable(CliEnv& env, Session& s, const GridColumnTable& table,
                const std::vector<int>& ids) {
  std::vector<std::string> headings;
  for (int id : ids) headings.push_back(table[static_cast<size_t>(id)].heading);
  PrintLine(env.out, JoinTexts(headings, "\t"));
  for (int i = 1; i <= s.schedule.JobCount(); ++i)
    PrintLine(env.out, JoinTexts(JobCells(s, s.schedule[i], ids), "\t"));
}

void PrintJson(CliEnv& env, Session& s, const GridColumnTable& table, const std::vector<int>& ids) {
  nlohmann::ordered_json rows = nlohmann::ordered_json::array();
  for (int i = 1; i <= s.schedule.JobCount(); ++i) {
    std::vector<std::string> cells = JobCells(s, s.schedule[i], ids);
    nlohmann::ordered_json row = nlohmann::ordered_json::object();
    for (size_t c = 0; c < ids.size(); ++c)
      row[Cp1252ToUtf8(table[static_cast<size_t>(ids[c])].heading)] = Cp1252ToUtf8(cells[c]);
    rows.push_back(std::move(row));
  }
  env.out << rows.dump(2) << "\n";
}

// The grid of the schedule for the run date: headings, then one line per job,
// cells separated by tabs; or a JSON array of objects keyed by heading.
int CmdShow(CliEnv& env, const ShowOptions& options) {
  std::optional<std::vector<int>> ids = ReadColumns(env, options.columns);
  std::optional<DateTime> date;
  if (!ids || !ReadDateOption(env, "--date", options.date, date)) return 1;
  return RunOnSchedule(env, options.ini, [&](Session& s) {
    s.SetRunDate(date);
    for (int i = 1; i <= s.schedule.JobCount(); ++i) SetJobStatus(s.schedule, i);
    GridColumnTable table = InitColumnTable();
    if (options.json)
      PrintJson(env, s, table, *ids);
    else
      PrintTable(env, s, table, *ids);
    return 0;
  });
}

}  // namespace

Subcommand RegisterShow(CLI::App& app, CliEnv& env) {
  auto options = std::make_shared<ShowOptions>();
  ShowOptions& o = *options;
  CLI::App* sub = app.add_subcommand("show", "Show the schedule's grid for a run date");
  AddIniArgument(*sub, o.ini);
  AddDateOption(*sub, o.date);
  sub->add_option("--columns", o.columns, "Column ids 0..22, comma-separated, or all")
      ->capture_default_str();
  sub->add_flag("--json", o.json, "Print a JSON array of objects keyed by heading");
  return {sub, [&env, options] { return CmdShow(env, *options); }};
}

}  // namespace qlr
