#pragma once
// Runtime documentation files: one plain text file of notes per job,
// "<JobDocPath>/<job name>.rtd", made from "template.rtd" when missing,
// opened in the text editor and renamed with its job.

#include <string>
#include <string_view>

#include "model/schedule.h"
#include "platform/desktop.h"
#include "platform/operator.h"

namespace qlr {

// The documentation file of a job: JobDocPath + "/" + trimmed name + ".rtd".
std::string JobDocFile(const Schedule& schedule, std::string_view job_name);

// Opens the job's file in the text editor, creating it from the template
// first (and offering the job's description for the clipboard). Tells the
// operator when JobDocPath is not set; does nothing for an unknown job.
void EditJobDoc(const Schedule& schedule, Operator& op, Desktop& desktop,
                std::string_view job_name);

// After a job rename: renames the old name's file, if any, to the new name and
// tells whether that worked. An existing file of the new name is never replaced.
void RenameJobDoc(const Schedule& schedule, Operator& op, std::string_view old_name,
                  std::string_view new_name);

// The execution window's list line (double click or Job Documentation): the
// job named by the text before the first "("; asks before creating a missing
// file. Does nothing for "" (no line selected) or a line naming no job.
void OpenJobDocFromList(const Schedule& schedule, Operator& op, Desktop& desktop,
                        std::string_view line_text);

}  // namespace qlr
