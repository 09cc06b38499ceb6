#include "editor/runtime_doc.h"

#include "base/text.h"
#include "log/view_log.h"
#include "platform/file_system.h"

namespace qlr {
namespace {

constexpr const char* kNewDocTitle = "New Quillrun Documentation";

// Makes the job's file from the template; the text telling what happened,
// "" when there is no template (and so no file yet).
std::string CreateFromTemplate(const Schedule& schedule, const std::string& file) {
  const std::string template_file = JoinPath(schedule.JobDocPath, "template.rtd");
  if (!FileExists(template_file)) return {};
  if (CopyFile(template_file, file)) return "New Job Documentation file created.";
  std::string text = "Failed to create Job Documentation file from template.";
  if (WriteWholeFile(file, "")) text += "  Empty file created.";
  return text + "\n\n";
}

void NewJobDoc(const Schedule& schedule, Operator& op, Desktop& desktop, const Job& job,
               const std::string& file) {
  std::string text = CreateFromTemplate(schedule, file);
  const std::string description(job.Description.Trimmed());
  if (description.empty()) {
    // Either answer goes on to the editor. Without a template there is
    // nothing to say, and an empty box would only puzzle the operator.
    if (!text.empty()) op.Ask(text, Buttons::OkCancel, kNewDocTitle);
    return;
  }
  text = TrimLeft(text + "  Would you like the job description putting on the Windows clipboard?");
  if (op.Ask(text, Buttons::YesNo, kNewDocTitle) == Answer::Yes)
    desktop.SetClipboardText(description);
}

}  // namespace

std::string JobDocFile(const Schedule& schedule, std::string_view job_name) {
  return JoinPath(schedule.JobDocPath, Trim(job_name) + ".rtd");
}

void EditJobDoc(const Schedule& schedule, Operator& op, Desktop& desktop,
                std::string_view job_name) {
  if (schedule.JobDocPath.empty())
    return op.Tell("No Runtime Documentation Path specification in " + schedule.IniFile);
  const int index = schedule.FindJob(job_name);
  if (index == 0) return;
  const Job& job = schedule[index];
  const std::string file = JobDocFile(schedule, job.JobName.Trimmed());
  if (!FileExists(file)) NewJobDoc(schedule, op, desktop, job, file);
  StartTextEditor(schedule, op, desktop, file);
}

void RenameJobDoc(const Schedule& schedule, Operator& op, std::string_view old_name,
                  std::string_view new_name) {
  if (schedule.JobDocPath.empty()) return;
  const std::string from = JobDocFile(schedule, old_name);
  if (!FileExists(from)) return;
  const std::string to = JobDocFile(schedule, new_name);
  // Another job's notes under the new name stay: the rename fails instead.
  if (!FileExists(to) && RenameFile(from, to))
    op.Tell("Job Runtime Documentation file renamed in line with job name change.");
  else
    op.Tell("Attempted Runtime Documentation file rename failed");
}

void OpenJobDocFromList(const Schedule& schedule, Operator& op, Desktop& desktop,
                        std::string_view line_text) {
  const std::string name = Trim(TextBefore(line_text, "("));
  if (name.empty() || schedule.FindJob(name) == 0) return;
  if (!FileExists(JobDocFile(schedule, name)) &&
      op.Ask("There is no runtime documentation file for job " + name +
                 ".  Do you wish to create one?",
             Buttons::YesNo, "Job Documentation") != Answer::Yes)
    return;
  EditJobDoc(schedule, op, desktop, name);
}

}  // namespace qlr
