#pragma once
// The job editor's two file links: the file a job waits for ("Interschedule
// && External Dependency": another job's standard trigger, or any file) and
// the trigger file it writes when it ends ("Trigger File Creation").

#include <string>
#include <string_view>
#include <vector>

#include "model/schedule.h"
#include "platform/operator.h"

namespace qlr {

enum class WaitChoice { None, Interschedule, External };  // "(None)", "Interschedule", "External"
enum class TriggerChoice { None, External, Interschedule };

struct WaitFileChoice {
  WaitChoice choice = WaitChoice::None;
  std::string file_name;                  // External's file box
  std::vector<std::string> trigger_jobs;  // the triggers list's lines, "JOB (SCHEDULE)"
  int selected = -1;                      // the chosen line; -1 none
  bool delete_file = false;               // "Delete File on Job Submission"

  bool DeleteEnabled() const { return choice != WaitChoice::None; }
  // The label above the choice; "" for "(None)", whose label, box and list are hidden.
  std::string_view Label() const;
};

// The choice that shows the job's WaitFile, its trigger job list built.
WaitFileChoice OpenWaitFile(const Schedule& schedule, Job& job, Operator& op);
// Fills the trigger job list from the triggers list file (empty when there is
// none) and selects the job the WaitFile waits for. A "..JOB" wait on a job
// missing from the list is dropped with a message: the choice becomes "(None)"
// and the job's WaitFile is emptied at once.
void BuildTriggers(const Schedule& schedule, Job& job, Operator& op, WaitFileChoice& wait);
// The line of the trigger job list whose job (text up to the first blank) is
// `name`, in any letter case, searching from the last; -1 when none is.
int FindTriggerJob(const WaitFileChoice& wait, std::string_view name);
// WaitFile and DeleteWaitFile as the choice stores them.
void StoreWaitFile(const WaitFileChoice& wait, Job& job);

struct TriggerCreation {
  TriggerChoice choice = TriggerChoice::None;
  std::string file_name;  // "File Name/Location", for External
};

TriggerCreation OpenTriggerCreation(const Job& job);
// The TriggerFile to store: "" for None, the standard mark for Interschedule,
// the typed name for External.
std::string TriggerFileToStore(const TriggerCreation& trigger);

}  // namespace qlr
